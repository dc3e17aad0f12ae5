// SPDX-License-Identifier: MIT
#include <gtest/gtest.h>

#include <QApplication>
#include <QKeyEvent>
#include <string>

#include "framework/Keyboard.h"
#include "framework/SpriteSurface.h"

namespace {
struct SurfaceTest : ::testing::Test {
    SurfaceTest() {
        surface.NextFrame = [this] { log += "N"; };
        surface.Collision = [this](const SpriteRef& first, const SpriteRef& second) {
            log += {'C', char('0' + first->Group()), char('0' + second->Group())};
            if (second->Group() == closesSecond) {
                second->Close();
            }
        };
    }
    SpriteRef tile(int group, int x, int y) {
        QPixmap red(32, 32);
        red.fill(Qt::red);
        SpriteRef sprite = surface.NewSprite(std::make_shared<Picture>(red), x, y);
        sprite->setGroup(group);
        return sprite;
    }
    QWidget parent;
    SpriteSurface surface{"SpriteSurface1", &parent, 288, 480};
    std::string log;  // N a frame, Cfs a collision with the groups of first and second
    int closesSecond = -1;
};

TEST_F(SurfaceTest, onlyOverlappingSpritesOfNonZeroDifferentGroupsCollide) {
    struct Row {
        int gA, xA, yA, gB, xB, yB;
        bool collide;
    };
    for (const auto& [gA, xA, yA, gB, xB, yB, collide] :
         {Row{0, 0, 0, 3, 0, 0, false}, Row{4, 0, 0, 4, 0, 0, false}, Row{2, 0, 0, 3, 0, 0, true},
          Row{2, 0, 448, 3, 32, 448, false}, Row{2, 0, 448, 3, 31, 448, true},
          Row{2, 64, 416, 3, 64, 448, false}, Row{2, -16, 0, 3, 0, 0, true}}) {
        for (const bool aMoves : {true, false}) {  // onto the other, which rests there
            log.clear();
            const SpriteRef a = tile(gA, aMoves ? 1000 : xA, yA),
                            b = tile(gB, aMoves ? xB : 1000, yB);
            surface.Update();
            aMoves ? a->setX(xA) : b->setX(xB);
            surface.Update();
            EXPECT_EQ(log.size() > 2, collide) << xA << "," << yA << " " << xB << "," << yB;
            a->Close();
            b->Close();
        }
    }
}

TEST_F(SurfaceTest, newerFirstOncePerUpdateAndNothingMoreFromASpriteClosedInAHandler) {
    tile(2, 64, 64);
    tile(3, 64, 64);
    tile(4, 64, 64);
    closesSecond = 2;
    surface.Update();  // (3, 2) closes 2, so (4, 2) is never raised
    surface.Update();  // nor is (4, 3) raised twice
    EXPECT_EQ(log, "NC32C43NC43");
}

TEST_F(SurfaceTest, eachRealPressWaitsForAFrameToTakeItAndAutoRepeatIsNoPress) {
    std::string seen;
    surface.NextFrame = [&] {
        seen += surface.KeyTest(KeyCode::LeftArrow) ? "1" : "0";
        surface.takeKey(KeyCode::LeftArrow);
    };
    // d/u the key down/up 1 ms after the last event (D/U flagged as auto-repeat),
    // . 30 ms pass, t a tile, f a frame, x the game deactivated so that no
    // release reaches it. A tap on an empty surface is not for it; an unflagged
    // up/down pair 1 ms apart is X repeating a held key; two taps, two frames.
    std::uint64_t time = 1000;
    for (const char step : std::string("dutf.duff.dfUDfudf.u.df.u.d.u.d.ufff.dx.dff")) {
        time += step == '.' ? 30 : 1;
        if (step == 't') {
            tile(2, 0, 0);
        } else if (step == 'f') {
            surface.Update();
        } else if (step != '.') {
            const auto type = step == 'x'                 ? QEvent::ApplicationDeactivate
                              : std::tolower(step) == 'd' ? QEvent::KeyPress
                                                          : QEvent::KeyRelease;
            QKeyEvent event(type, Qt::Key_Left, Qt::NoModifier, QString(), std::isupper(step));
            event.setTimestamp(time);
            QCoreApplication::sendEvent(qApp, &event);
        }
    }
    EXPECT_EQ(seen, "010100111011");
    QEvent back(QEvent::ApplicationActivate);  // away would hold the timers of later tests
    QCoreApplication::sendEvent(qApp, &back);
}
}  // namespace
