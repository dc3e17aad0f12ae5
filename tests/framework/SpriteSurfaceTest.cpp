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
            log += "C" + std::to_string(first->Group()) + std::to_string(second->Group());
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
         {Row{0, 0, 0, 0, 0, 0, false}, Row{0, 0, 0, 3, 0, 0, false}, Row{4, 0, 0, 4, 0, 0, false},
          Row{2, 0, 0, 3, 0, 0, true}, Row{2, 0, 448, 3, 32, 448, false},
          Row{2, 0, 448, 3, 31, 448, true}, Row{2, 64, 416, 3, 64, 448, false},
          Row{2, 0, 0, 3, 32, 32, false}, Row{2, -16, 0, 3, 0, 0, true}}) {
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
    const QImage shown = surface.widget()->grab().toImage();
    EXPECT_EQ(shown.pixelColor(64, 64), QColor(Qt::red));
    EXPECT_EQ(shown.pixelColor(0, 0), QColor(Qt::white));
}

TEST_F(SurfaceTest, keysHeldThroughAutoRepeatAndTapsBetweenFramesCountAtTheNextFrame) {
    const auto send = [](QEvent::Type type, bool autoRepeat = false) {
        QKeyEvent event(type, Qt::Key_Left, Qt::NoModifier, QString(), autoRepeat);
        QCoreApplication::sendEvent(qApp, &event);
    };
    std::string seen;
    surface.NextFrame = [&] { seen += surface.KeyTest(KeyCode::LeftArrow) ? "1" : "0"; };
    send(QEvent::KeyPress);
    send(QEvent::KeyRelease);  // a tap while nothing is on the surface is not aimed at it
    tile(2, 0, 0);
    surface.Update();
    send(QEvent::KeyPress);
    send(QEvent::KeyRelease);
    surface.Update();
    surface.Update();
    send(QEvent::KeyPress);
    surface.Update();
    send(QEvent::KeyRelease, true);  // auto-repeat while the key is held
    surface.Update();
    send(QEvent::KeyPress, true);
    send(QEvent::KeyRelease);
    surface.Update();
    send(QEvent::KeyPress);
    surface.Update();
    QEvent deactivate(QEvent::ApplicationDeactivate);
    QCoreApplication::sendEvent(qApp, &deactivate);  // its release would never reach us
    surface.Update();
    EXPECT_EQ(seen, "01011010");
}
}  // namespace
