#include "support/Board.h"

#include <algorithm>

#include "app/App.h"
#include "framework/Text.h"

namespace {
// Indexed by Pictures::Name.
const std::string Letters = "BCGMRYW?Ao";
}  // namespace

char LetterOf(const PictureRef& picture) {
    for (std::size_t i = 0; i < Letters.size(); ++i) {
        if (Pictures::Get(Pictures::Name(i)) == picture) {
            return Letters[i];
        }
    }
    return '?';
}

Tile TileOf(char letter) {
    const auto at = Letters.find(letter);
    EXPECT_TRUE(at < 7 || letter == 'A') << "no tile " << letter;
    return Pictures::TileOf(Pictures::Name(std::min(at, Letters.size() - 1)));
}

std::string Field(const Window1& board, int first, int count, const SpriteRef& marked) {
    std::string rows(Window1::Rows * 10, '.');
    for (const SpriteRef& sprite : board.SpriteSurface1->Sprites()) {
        const int column = sprite->X() / Window1::Cell;
        const int row = sprite->Y() / Window1::Cell;
        if (sprite->X() >= 0 && sprite->Y() >= 0 && column < 9 && row < Window1::Rows) {
            const char letter = LetterOf(sprite->Image());
            rows[row * 10 + column] = sprite == marked ? char(letter - 'A' + 'a') : letter;
        }
    }
    for (int row = 0; row < Window1::Rows; ++row) {
        rows[row * 10 + 9] = '\n';
    }
    return rows.substr(first * 10, count * 10);
}

std::string LineLetters(const Window1& board) {
    std::string line;
    for (const PictureRef& picture : board.cTest) {
        line += LetterOf(picture);
    }
    return line;
}

void PlaceTiles(Window1& board, const std::vector<std::string>& rows) {
    const int top = Window1::Rows - static_cast<int>(rows.size());
    for (int r = 0; r < static_cast<int>(rows.size()); ++r) {
        for (int c = 0; c < static_cast<int>(rows[r].size()); ++c) {
            if (rows[r][c] != '.') {
                const Tile tile = TileOf(rows[r][c]);
                const int y = Window1::Cell * (top + r);
                board.SpriteSurface1->NewSprite(tile.picture, Window1::Cell * c, y)
                    ->SetGroup(tile.code);
                if (y == board.kap3) {
                    board.cTest[c] = tile.picture;
                }
                if (rows[r][c] == 'W') {
                    board.StaticText1->SetText(Str(++board.counter));
                }
            }
        }
    }
}

int RunUntilNextRelease(Window1& board, int limit) {
    const int released = board.cnt;
    for (int frame = 1; frame <= limit; ++frame) {
        board.Timer1_Action();
        if (board.cnt != released || !board.cktru) {
            return frame;
        }
    }
    return -1;
}

SpriteRef FallingTile(const Window1& board) {
    return board.Timer1->Mode() != Timer::Off && board.kap >= 0 &&
                   board.kap < static_cast<int>(board.mysprite.size())
               ? board.mysprite[board.kap]
               : nullptr;
}

namespace {
std::string brokenRule(const Window1& board, const SpriteRef& falling) {
    if (falling && (falling->Closed() || falling->X() != Window1::Cell * board.kap2 ||
                    falling->Y() > board.kap3)) {
        return "the falling tile is gone, below the line or not in column kap2";
    }
    int whites = 0;
    std::vector<PictureRef> line(9, Pictures::Get(Pictures::whiteo));
    std::vector<SpriteRef> onLine(9);
    for (const SpriteRef& sprite : board.SpriteSurface1->Sprites()) {
        const char letter = LetterOf(sprite->Image());
        whites += letter == 'W';
        if (sprite->Group() != TileOf(letter).code) {
            return std::string("a tile ") + letter + " has the code " +
                   std::to_string(sprite->Group());
        }
        const int x = sprite->X();
        const int y = sprite->Y();
        if (sprite != falling &&
            (x % 32 != 0 || y % 32 != 0 || x < 0 || x > 256 || y > 448 || y < board.kap3)) {
            return "a resting tile is off the grid or above the line";
        }
        if (sprite != falling && y == board.kap3) {
            onLine[x / 32] = sprite;  // oldest first, so the newest, the top, wins
            line[x / 32] = sprite->Image();
        }
    }
    // A gray in the top row ends the game and leaves cTest as it was.
    const bool endedByGray = !board.cktru && board.mysprite2 && board.mysprite2->Y() == 0 &&
                             LetterOf(board.mysprite2->Image()) == 'A';
    for (std::size_t column = 0; column < 9; ++column) {
        if (board.cTest.size() != 9 || (board.cTest[column] != line[column] &&
                                        !(endedByGray && onLine[column] == board.mysprite2))) {
            return "cTest is " + LineLetters(board) + " but the line holds another tile";
        }
    }
    if (board.counter != whites ||
        board.StaticText1->Text() != (whites > 0 ? Str(whites) : QString())) {
        return "the score is " + std::to_string(board.counter) + ", shown \"" +
               board.StaticText1->Text().toStdString() + "\", with " + std::to_string(whites) +
               " whites made";
    }
    return {};
}
}  // namespace

std::string BrokenInvariant(const Window1& board) {
    const SpriteRef falling = FallingTile(board);
    const std::string broken = brokenRule(board, falling);
    return broken.empty() ? broken
                          : broken + "\n" + Field(board, 0, 15, falling) + "cTest " +
                                LineLetters(board) + ", line at " + std::to_string(board.kap3);
}

ReleasePlan& ReleasePlan::Then(int column, char colour) {
    plan_.emplace_back(column, 1 + static_cast<int>(std::string("BGMCYR").find(colour)));
    return *this;
}

int ReleasePlan::Below(int n) {
    Window1& board = *Window1::existing();
    if (board.cnt != planned_ && !plan_.empty()) {
        planned_ = board.cnt;
        const auto first = [](std::vector<int>& list, int value) {
            const auto at = std::find(list.begin(), list.end(), value);
            ASSERT_NE(at, list.end()) << value << " is not in the list";
            std::iter_swap(list.begin(), at);
        };
        first(board.aTest, Window1::Cell * plan_.front().first);
        first(board.nTest, plan_.front().second);
        plan_.pop_front();
    }
    return n - 1;  // Shuffle then swaps each element with itself
}

void BoardTest::SetUp() {
    App::RegisterWindows();
    CloseAllWindows();
    recorded().Clear();
    SetRandom(&plan);
}

void BoardTest::TearDown() {
    SetRandom(nullptr);
    CloseAllWindows();
}

Window1& BoardTest::freshBoard() {
    CloseAllWindows();
    plan.NewBoard();
    return Window1::instance();
}
