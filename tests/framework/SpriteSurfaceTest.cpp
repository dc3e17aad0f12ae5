// SPDX-License-Identifier: MIT
#include <gtest/gtest.h>

#include <QApplication>
#include <QImage>
#include <QKeyEvent>
#include <string>

#include "framework/Keyboard.h"
#include "framework/SpriteSurface.h"

namespace {
struct SurfaceTest : ::testing::Test {
    SurfaceTest() {
        surface.Collision = [this](const SpriteRef& first, const SpriteRef& second) {
            log += "C" + std::to_string(first->Group()) + std::to_string(second->Group());
            if (onCollision) {
                onCollision(first, second);
            }
        };
        surface.NextFrame = [this] { log += "N"; };
    }
    SpriteRef tile(int group, int x, int y) {
        static const QImage red = [] {
            QImage image(32, 32, QImage::Format_RGB32);
            image.fill(Qt::red);
            return image;
        }();
        SpriteRef sprite =
            surface.NewSprite(std::make_shared<Picture>(QPixmap::fromImage(red)), x, y);
        sprite->setGroup(group);
        return sprite;
    }
    QWidget parent;
    SpriteSurface surface{"SpriteSurface1", &parent, 288, 480};
    std::string log;  // N a frame, Cfs a collision with the groups of first and second
    std::function<void(const SpriteRef&, const SpriteRef&)> onCollision;
};

TEST_F(SurfaceTest, onlyOverlappingSpritesOfNonZeroDifferentGroupsCollide) {
    struct Row {
        int groupA, xA, yA, groupB, xB, yB;
        bool collide;
    };
    for (const Row& r : {Row{0, 0, 0, 0, 0, 0, false}, Row{0, 0, 0, 3, 0, 0, false},
                         Row{4, 0, 0, 4, 0, 0, false}, Row{2, 0, 0, 3, 0, 0, true},
                         Row{2, 0, 448, 3, 32, 448, false}, Row{2, 0, 448, 3, 31, 448, true},
                         Row{2, 64, 416, 3, 64, 448, false}, Row{2, 64, 432, 3, 64, 448, true},
                         Row{2, 0, 0, 3, 32, 32, false}, Row{2, -16, 0, 3, 0, 0, true}}) {
        // Either sprite moves into place while the other rests there.
        for (const bool aMoves : {true, false}) {
            log.clear();
            const SpriteRef a = tile(r.groupA, aMoves ? 1000 : r.xA, r.yA);
            const SpriteRef b = tile(r.groupB, aMoves ? r.xB : 1000, r.yB);
            surface.Update();
            (aMoves ? a : b)->setX(aMoves ? r.xA : r.xB);
            surface.Update();
            EXPECT_EQ(log.size() > 2, r.collide)
                << r.xA << "," << r.yA << " " << r.xB << "," << r.yB;
            a->Close();
            b->Close();
        }
    }
}

TEST_F(SurfaceTest, aPairOncePerUpdateNewerFirstUntilAGroupOrTheSurfaceEndsIt) {
    const SpriteRef older = tile(2, 0, 200);
    const SpriteRef newer = tile(3, 0, 0);
    older->setY(16);  // the older one moves onto the newer one
    surface.Update();
    older->setX(32);  // both move and still overlap: one report
    newer->setX(32);
    surface.Update();
    surface.Update();  // neither moves: reported again
    older->setGroup(0);
    surface.Update();
    EXPECT_EQ(log, "NC32NC32NC32N");
    // A sprite released from a collision handler onto another is seen next Update.
    log.clear();
    older->setGroup(2);
    onCollision = [&](const SpriteRef& first, const SpriteRef&) {
        first->Close();
        if (first->Group() == 3) {
            tile(5, 32, 16);
        }
    };
    surface.Update();
    surface.Update();
    EXPECT_EQ(log, "NC32NC52");
    // Closing the surface ends the pass (of two pairs here) and every later one.
    onCollision = [&](const SpriteRef&, const SpriteRef&) { surface.Close(); };
    tile(6, 32, 16);
    tile(7, 200, 0);
    tile(8, 200, 0);
    log.clear();
    surface.Update();
    surface.Update();
    EXPECT_EQ(log.size(), 4u) << log;
    // What stays on screen are the open sprites, where they are.
    const QImage field = surface.widget()->grab().toImage();
    EXPECT_EQ(field.pixelColor(32, 16), QColor(Qt::red));
    EXPECT_EQ(field.pixelColor(0, 200), QColor(Qt::white));
}

TEST_F(SurfaceTest, keysHeldThroughAutoRepeatAndTapsBetweenFramesCountAtTheNextFrame) {
    ApplicationKeyState keys;
    setKeyboard(&keys);
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
    QEvent deactivate(QEvent::ApplicationDeactivate);
    QCoreApplication::sendEvent(qApp, &deactivate);  // its release would never reach us
    surface.Update();
    EXPECT_EQ(seen, "010110");
    EXPECT_FALSE(keys.AsyncKeyDown(KeyCode::RightArrow));
    setKeyboard(nullptr);
}
}  // namespace
