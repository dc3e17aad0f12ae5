// SPDX-License-Identifier: MIT
// What the player hears at each event.
#include <gtest/gtest.h>

#include <QTemporaryDir>

#include "app/App.h"
#include "board/Pictures.h"
#include "board/Sounds.h"
#include "board/Window1.h"
#include "framework/Random.h"
#include "framework/SoundPlayer.h"
#include "headless/Headless.h"

namespace {
struct SoundTest : ::testing::Test {
    QTemporaryDir config;
    QByteArray oldConfig = qgetenv("XDG_CONFIG_HOME");
    SeededRandom chance{3};
    std::string heard;  // one letter a sound, upper case when played, lower when muted
    const Override<RandomSource*> seeded{services().random, &chance};
    const Override<std::function<void(int, bool)>> listening{
        services().soundHeard, [this](int index, bool muted) {
            const char letter = "LMWGPO"[index];
            heard += muted ? char(letter | 32) : letter;
        }};

    void SetUp() override {
        qputenv("XDG_CONFIG_HOME", config.path().toLocal8Bit());
        App::wireWindows();
    }
    void TearDown() override {
        sounds().setMuted(false);
        closeAllWindows();
        qputenv("XDG_CONFIG_HOME", oldConfig);
    }
};

TEST_F(SoundTest, eachEventIsHeardOnce) {
    // The falling tile on the line over a resting colour (. none, = its own), or meeting a
    // resting tile of a row; L land, P penalty, M mix, W white, G gray, O game over.
    const struct {
        const char* name;
        Colour resting;  // Empty: the line's cell is empty
        bool same;       // the resting tile is the falling one's colour
        int line;        // Y of the active bottom line
        const char* heard;
    } table[] = {
        {"rests on an empty cell", Colour::Empty, false, 448, "L"},
        {"covers its own colour", Colour::Empty, true, 448, "P"},
        {"red and green mix", Colour::Green, false, 448, "M"},
        {"cyan and red make white", Colour::Cyan, false, 448, "W"},
        {"magenta and red turn gray", Colour::Magenta, false, 448, "G"},
        {"a gray in the top row ends the game", Colour::Magenta, false, 0, "GO"},
    };
    for (const auto& row : table) {
        SCOPED_TRACE(row.name);
        closeAllWindows();
        Window1& board = Window1::shared();
        board.kap3 = row.line;
        board.PushButton1->Push();
        heard.clear();
        SpriteRef tile = board.mysprite[board.kap];
        if (row.resting == Colour::Empty) {
            board.cTest[board.kap2] = row.same ? tile->Image() : Pictures::of(Colour::Empty);
            tile->setY(row.line);
            board.Timer1_Action();
        } else {
            // A red falling tile in its place, half a row over the resting one.
            tile->Close();
            const SpriteRef red = board.SpriteSurface1->NewSprite(Pictures::of(Colour::Red),
                                                                  tile->X(), row.line - 16);
            red->setGroup(groupOf(Colour::Red));
            board.mysprite[board.kap] = red;
            board.colorit = groupOf(Colour::Red);
            const SpriteRef rests =
                board.SpriteSurface1->NewSprite(Pictures::of(row.resting), tile->X(), row.line);
            rests->setGroup(groupOf(row.resting));
            // The frame raises their collision, and only a frame may release the next tile.
            board.SpriteSurface1->Update();
        }
        EXPECT_EQ(heard, row.heard);
    }
}

}  // namespace
