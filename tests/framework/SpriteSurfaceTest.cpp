// SPDX-License-Identifier: MIT
#include <gtest/gtest.h>

#include <QApplication>
#include <QKeyEvent>

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
            if (first->Group() == closesSurface) {
                surface.Close();
            }
        };
    }
    SpriteRef tile(int group, int x, int y) {
        SpriteRef sprite = surface.NewSprite(std::make_shared<const Picture>(32, 32), x, y);
        sprite->setGroup(group);
        return sprite;
    }
    QWidget parent;
    SpriteSurface surface{"SpriteSurface1", &parent, 288, 480};
    std::string log;  // N a frame, Cfs a collision with the groups of first and second
    int closesSecond = -1, closesSurface = -1;  // in a collision with a sprite of the group
};

TEST_F(SurfaceTest, overlappingSpritesOfNonZeroDifferentGroupsCollideNewerFirstOncePerUpdate) {
    // a 32 x 32 at (0, 0), then b at (x, y): edges that touch do not overlap.
    const struct {
        const char* name;
        int groupA, groupB, x, y;
        const char* events;
    } table[] = {
        {"group 0 collides with nothing", 0, 3, 0, 0, "N"},
        {"one group never collides with itself", 4, 4, 0, 0, "N"},
        {"side by side, touching", 2, 3, 32, 0, "N"},
        {"sharing a column of pixels: b, the newer, first", 2, 3, 31, 0, "NC32"},
        {"one above the other, touching", 2, 3, 0, 32, "N"},
        {"sharing a row of pixels", 2, 3, 0, 31, "NC32"},
    };
    for (const auto& row : table) {
        SCOPED_TRACE(row.name);
        log.clear();
        const SpriteRef a = tile(row.groupA, 0, 0);
        const SpriteRef b = tile(row.groupB, row.x, row.y);
        surface.Update();
        EXPECT_EQ(log, row.events);
        a->Close();
        b->Close();
    }
    log.clear();  // nothing more from a sprite or surface a handler closed
    tile(2, 64, 64);
    tile(3, 64, 64);
    tile(4, 64, 64);
    closesSecond = 2;
    surface.Update();  // (3, 2) closes 2, so (4, 2) is never raised
    surface.Update();  // nor is (4, 3) raised twice
    tile(5, 64, 64);
    closesSurface = 4;
    surface.Update();  // (4, 3) closes the surface: (5, 3) and (5, 4) are not raised,
    surface.Update();  // nor anything more
    EXPECT_EQ(log, "NC32C43NC43NC43");
}

TEST_F(SurfaceTest, eachRealPressWaitsForAFrameToTakeItAndAutoRepeatIsNoPress) {
    std::string seen;
    const int key = KeyCode::LeftArrow;
    surface.NextFrame = [&] {
        seen += "01"[surface.KeyTest(key)];
        surface.takeKey(key);
    };
    // d/u: the key down/up 1 ms on (D/U flagged as auto-repeat); .: 30 ms pass; t: a tile;
    // f: a frame; x: the game deactivated, so no release reaches it. A tap on an empty surface
    // is not for it; X repeats a held key as an up/down pair 1 ms apart; down twice is one press.
    std::uint64_t time = 1000;
    for (const char step : std::string("dutf.duff.dfUDfudf.u.df.u.d.u.d.ufff.dx.dff.df.U.Df")) {
        time += step == '.' ? 30 : 1;
        const auto type = step == 'x'                 ? QEvent::ApplicationDeactivate
                          : std::tolower(step) == 'd' ? QEvent::KeyPress
                                                      : QEvent::KeyRelease;
        QKeyEvent event(type, Qt::Key_Left, Qt::NoModifier, QString(), std::isupper(step));
        event.setTimestamp(time);
        if (step == 't') {
            tile(2, 0, 0);
        } else if (step == 'f') {
            surface.Update();
        } else if (step != '.') {
            QCoreApplication::sendEvent(qApp, &event);
        }
    }
    EXPECT_EQ(seen, "01010011101100");
}
}  // namespace
