// Releasing tiles, steering them, the time penalty and the colour of the score.
#include <QAbstractButton>
#include <algorithm>
#include <set>

#include "BoardSupport.h"
#include "framework/Keyboard.h"

namespace {

void chooseExpert(Window1& board) {
    static_cast<QAbstractButton*>(board.RadioButton2->Widget())->click();
}

std::vector<int> sorted(std::vector<int> list) {
    std::sort(list.begin(), list.end());
    return list;
}

TEST_F(BoardTest, everyColumnAndEveryColourCanComeFirst) {
    std::set<int> columns;
    std::set<int> selectors;
    for (std::uint32_t seed = 0; seed < 120; ++seed) {
        SeededRandom seeded(seed);
        SetRandom(&seeded);
        Window1& b = freshBoard();
        b.PushButton1->Push();
        SCOPED_TRACE("seed " + std::to_string(seed));
        const SpriteRef& tile = b.mysprite.at(b.kap);
        ASSERT_NE(tile, nullptr);
        const char letter = LetterOfSelector(b.kap);
        ASSERT_EQ(tile->Image(), PictureOf(letter));
        ASSERT_EQ(tile->Group(), CodeOf(letter));
        ASSERT_EQ(b.colorit, CodeOf(letter));
        ASSERT_EQ(tile->Y(), 0);
        ASSERT_EQ(tile->X(), 32 * b.kap2);
        ASSERT_EQ(tile->X(), b.aTest[0]);
        // The shuffles reorder the lists and keep them whole.
        ASSERT_EQ(sorted(b.aTest), (std::vector<int>{0, 32, 64, 96, 128, 160, 192, 224, 256}));
        ASSERT_EQ(sorted(b.nTest), (std::vector<int>{1, 2, 3, 4, 5, 6}));
        columns.insert(b.kap2);
        selectors.insert(b.kap);
    }
    SetRandom(&plan);
    EXPECT_EQ(columns, (std::set<int>{0, 1, 2, 3, 4, 5, 6, 7, 8}));
    EXPECT_EQ(selectors, (std::set<int>{1, 2, 3, 4, 5, 6}));
}

TEST_F(BoardTest, ckArrayTakesOutOnlyAColumnThatIsOpen) {
    Window1& b = board();
    b.aTest = {64, 0, 96, 256};
    b.ckArray(96);
    EXPECT_EQ(b.aTest, (std::vector<int>{64, 0, 256}));
    b.ckArray(100);
    b.ckArray(96);
    EXPECT_EQ(b.aTest, (std::vector<int>{64, 0, 256}));
}

TEST_F(BoardTest, aReleaseWithNoRoomOrAfterTheEndEndsTheGameWithTheScore) {
    struct NoRoom {
        const char* name;
        std::vector<int> columns;
        int line;
        bool live;
    };
    const NoRoom cases[] = {{"no column open", {}, 448, true},
                            {"line above the top", {0, 32}, -32, true},
                            {"the game already over", {0, 32}, 448, false}};
    for (const NoRoom& c : cases) {
        SCOPED_TRACE(c.name);
        recorded().Clear();
        Window1& b = freshBoard();
        b.PushButton1->Push();
        const int sprites = b.SpriteSurface1->SpriteCount();
        b.counter = 7;
        b.aTest = c.columns;
        b.kap3 = c.line;
        b.cktru = c.live;
        b.PushButton2->Push();

        EXPECT_EQ(recorded().messages, QStringList{QStringLiteral("Game Over. Your Score: 7")});
        EXPECT_FALSE(b.cktru);
        EXPECT_EQ(b.cnt, 1);
        EXPECT_EQ(b.SpriteSurface1->SpriteCount(), sprites);
        EXPECT_EQ(b.Timer1->Mode(), Timer::Off);
        b.PushButton2->Push();  // disabled now: nothing more is asked for
        EXPECT_EQ(recorded().messages.size(), 1);
    }
}

struct Hints {
    char colour;
    // Text and colour of StaticText16, 17 and 18; no colour: left as it was.
    const char* text[3];
    QRgb color[3];
};

constexpr QRgb Unchanged = 0;

TEST_F(BoardTest, beginnerHintsNameTheColoursTheFallingTileMixesWithAndExpertGivesNone) {
    const Hints table[] = {
        {'B', {"Green", "Red", "Yellow"}, {0x00BB00, 0xBB0000, 0xBBBB00}},
        {'G', {"Blue", "Red", "Magenta"}, {0x0000BB, 0xBB0000, 0xBB00BB}},
        {'M', {"", "Green", ""}, {Unchanged, 0x00BB00, Unchanged}},
        {'C', {"", "Red", ""}, {Unchanged, 0xBB0000, Unchanged}},
        {'Y', {"", "Blue", ""}, {Unchanged, 0x0000BB, Unchanged}},
        {'R', {"Green", "Blue", "Cyan"}, {0x00BB00, 0x0000BB, 0x00BBBB}},
    };
    const QColor before(0x12, 0x34, 0x56);
    for (const Hints& row : table) {
        SCOPED_TRACE(std::string(1, row.colour));
        Window1& b = freshBoard();
        StaticText* lines[] = {b.StaticText16, b.StaticText17, b.StaticText18};
        for (StaticText* line : lines) {
            line->SetText(QStringLiteral("old"));
            line->SetTextColor(before);
        }
        plan.Then(4, row.colour);
        b.PushButton1->Push();
        ASSERT_EQ(b.mysprite[b.kap]->Image(), PictureOf(row.colour));
        for (int i = 0; i < 3; ++i) {
            EXPECT_EQ(lines[i]->Text(), QString::fromLatin1(row.text[i])) << "line " << i;
            EXPECT_EQ(lines[i]->TextColor(),
                      row.color[i] == Unchanged ? before : QColor::fromRgb(row.color[i]))
                << "line " << i;
        }
    }

    // Expert gives no hints, not even for blue, which sets all three lines.
    Window1& b = freshBoard();
    chooseExpert(b);
    plan.Then(4, 'B');
    b.PushButton1->Push();
    for (StaticText* line : {b.StaticText16, b.StaticText17, b.StaticText18}) {
        EXPECT_EQ(line->Text(), QString());
    }
}

struct Steer {
    const char* name;
    int column;  // of the released tile
    int line;    // kap3
    // L/R press an arrow, l/r release it, p is a Timer4 poll, f a Timer1 frame.
    const char* script;
    // The tile's column @ Y after each frame.
    const char* frames;
    bool lands;
};

class Steering : public BoardTest, public ::testing::WithParamInterface<Steer> {};

TEST_P(Steering, takesOneColumnPerPressAndLandsOnTheLine) {
    const Steer& s = GetParam();
    Window1& b = board();
    b.kap3 = s.line;
    plan.Then(s.column, 'R');
    b.PushButton1->Push();
    const SpriteRef tile = b.mysprite[b.kap];
    std::string seen;
    for (const char step : std::string(s.script)) {
        const int arrow = step == 'L' || step == 'l' ? KeyCode::LeftArrow : KeyCode::RightArrow;
        if (step == 'L' || step == 'R') {
            keys.Press(arrow);
        } else if (step == 'l' || step == 'r') {
            keys.Release(arrow);
        } else if (step == 'p') {
            b.Timer4_Action();
        } else if (step == 'f') {
            b.Timer1_Action();
            seen += (seen.empty() ? "" : " ") + std::to_string(tile->X() / 32) + "@" +
                    std::to_string(tile->Y());
            if (b.mysprite[b.kap] == tile) {
                EXPECT_EQ(32 * b.kap2, tile->X());
            }
        }
    }
    EXPECT_EQ(seen, s.frames);
    EXPECT_EQ(b.cnt, s.lands ? 2 : 1);
    if (s.lands) {
        EXPECT_EQ(b.cTest[s.column], tile->Image());
        EXPECT_NE(b.mysprite[b.kap], tile);
    }
}

INSTANTIATE_TEST_SUITE_P(
    Board, Steering,
    ::testing::Values(
        Steer{"column0LeftHeldStays", 0, 448, "L f", "0@16", false},
        Steer{"column0BothHeldGoesRight", 0, 448, "L R f", "1@16", false},
        Steer{"column8RightHeldStays", 8, 448, "R f", "8@16", false},
        Steer{"leftStepsFromColumn1IntoColumn0", 1, 448, "L f", "0@16", false},
        Steer{"rightStepsFromColumn7IntoColumn8", 7, 448, "R f", "8@16", false},
        Steer{"leftTapBetweenFramesStepsOnce", 4, 448, "f L l f p f", "4@16 3@32 3@48", false},
        Steer{"rightTapSeenUpByThePollStepsOnce", 4, 448, "R p r p f f", "5@16 5@32", false},
        Steer{"heldLeftStepsOnlyOnce", 4, 448, "L f p f p f p f", "3@16 3@32 3@48 3@64", false},
        Steer{"heldRightStepsOnlyOnce", 4, 448, "R f p f p f", "5@16 5@32 5@48", false},
        Steer{"leftReleaseSeenByThePollThenAPressStepsAgain", 4, 448, "L f l p L f", "3@16 2@32",
              false},
        Steer{"rightReleaseSeenByThePollThenAPressStepsAgain", 4, 448, "R f r p R f", "5@16 6@32",
              false},
        Steer{"releaseAndPressBetweenTwoPollsDoNotStep", 4, 448, "L f p l L p f", "3@16 3@32",
              false},
        Steer{"bothHeldGoLeftThenRightBackThenStay", 4, 448, "L R f p f p f p f",
              "3@16 4@32 4@48 4@64", false},
        Steer{"aTileAtTheLineLandsWithoutDroppingOrSteering", 4, 32, "f f L f", "4@16 4@32 4@32",
              true},
        Steer{"lineAtTheTopLandsInTheFirstFrame", 4, 0, "L f", "4@0", true}),
    [](const ::testing::TestParamInfo<Steer>& row) { return row.param.name; });

TEST_F(BoardTest, aColourCoveringItselfVanishesAndQuickensThePace) {
    struct Penalty {
        const char* name;
        bool expert;
        int start;
        std::vector<int> periods;  // after each landing of red on red
    };
    // Beginner's first step from 125 is in the landing table.
    const Penalty cases[] = {
        {"beginner", false, 60, {55, 50, 50}},
        {"expert", true, 80, {70, 60, 50, 50}},
        {"expertFrom55", true, 55, {45, 45}},
    };
    for (const Penalty& c : cases) {
        SCOPED_TRACE(c.name);
        Window1& b = freshBoard();
        if (c.expert) {
            chooseExpert(b);
        }
        b.Timer1->SetPeriod(c.start);
        PlaceTiles(b, {"....R...."});
        plan.Then(4, 'R');
        b.PushButton1->Push();
        for (const int period : c.periods) {
            const SpriteRef falling = b.mysprite[b.kap];
            ASSERT_EQ(RunUntilNextRelease(b), 29);
            EXPECT_TRUE(falling->Closed());
            EXPECT_EQ(b.Timer1->Period(), period);
            EXPECT_EQ(b.SpriteSurface1->SpriteCount(), 2);  // the resting red and the next tile
        }
        EXPECT_EQ(Bottom(b, 1), "....R....\n");
    }
}

TEST_F(BoardTest, theScoreTakesItsColourFromTheScoreOnEveryTick) {
    const std::pair<int, QRgb> table[] = {
        {0, 0x000000},  {10, 0x000000},  {11, 0xBB0000},  {25, 0xBB0000},   {26, 0xBBBB00},
        {45, 0xBBBB00}, {46, 0x00BB00},  {65, 0x00BB00},  {66, 0x00BBBB},   {75, 0x00BBBB},
        {76, 0x0000BB}, {100, 0x0000BB}, {101, 0xBB00BB}, {5000, 0xBB00BB},
    };
    Window1& b = board();
    for (const auto& [score, rgb] : table) {
        b.counter = score;
        b.Timer1_Action();
        EXPECT_EQ(b.StaticText1->TextColor(), QColor::fromRgb(rgb)) << "score " << score;
    }

    // Set after the frame: a point scored in the frame already counts.
    Window1& playing = freshBoard();
    playing.counter = 10;
    PlaceTiles(playing, {"....R...."});
    plan.Then(4, 'C');
    playing.PushButton1->Push();
    ASSERT_NE(RunUntilNextRelease(playing), -1);
    EXPECT_EQ(playing.counter, 11);
    EXPECT_EQ(playing.StaticText1->TextColor(), QColor::fromRgb(0xBB0000));
}

}  // namespace
