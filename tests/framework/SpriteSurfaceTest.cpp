#include <gtest/gtest.h>

#include <QImage>
#include <QPixmap>
#include <QWidget>
#include <string>
#include <vector>

#include "framework/SpriteSurface.h"
#include "support/Fakes.h"

namespace {

PictureRef tilePicture() {
    static const PictureRef picture = [] {
        QPixmap red(32, 32);
        red.fill(Qt::red);
        return std::make_shared<const Picture>(red);
    }();
    return picture;
}

class SpriteSurfaceTest : public ::testing::Test {
  protected:
    SpriteSurfaceTest() : surface("SpriteSurface1", &parent, 288, 480) {
        surface.Collision = [this](const SpriteRef& first, const SpriteRef& second) {
            pairs.emplace_back(first, second);
            log += "C";
            if (onCollision) {
                onCollision(first, second);
            }
        };
        surface.NextFrame = [this] {
            log += "N";
            if (onFrame) {
                onFrame();
            }
        };
    }

    SpriteRef tile(int group, int x, int y) {
        SpriteRef sprite = surface.NewSprite(tilePicture(), x, y);
        sprite->SetGroup(group);
        return sprite;
    }

    QWidget parent;
    SpriteSurface surface;
    std::vector<std::pair<SpriteRef, SpriteRef>> pairs;
    std::string log;  // N for a frame, C for a collision, in the order raised
    std::function<void()> onFrame;
    std::function<void(const SpriteRef&, const SpriteRef&)> onCollision;
};

struct Placement {
    const char* name;
    int groupA, xA, yA;
    int groupB, xB, yB;
    bool collide;
};

class CollisionRule : public SpriteSurfaceTest, public ::testing::WithParamInterface<Placement> {};

TEST_P(CollisionRule, collidesOnlyWhenGroupsDifferAndAreasOverlap) {
    const Placement& p = GetParam();
    // Either sprite moves into place while the other rests there.
    for (const bool aMoves : {true, false}) {
        pairs.clear();
        const SpriteRef a = tile(p.groupA, aMoves ? 1000 : p.xA, p.yA);
        const SpriteRef b = tile(p.groupB, aMoves ? p.xB : 1000, p.yB);
        surface.Update();
        (aMoves ? a : b)->SetX(aMoves ? p.xA : p.xB);
        surface.Update();
        EXPECT_EQ(pairs.size(), p.collide ? 1u : 0u) << (aMoves ? "A" : "B") << " moved";
        a->Close();
        b->Close();
    }
}

INSTANTIATE_TEST_SUITE_P(
    Placements, CollisionRule,
    ::testing::Values(Placement{"zeroGroupsOnOneCell", 0, 0, 0, 0, 0, 0, false},
                      Placement{"zeroAndColourOnOneCell", 0, 0, 0, 3, 0, 0, false},
                      Placement{"equalGroupsOnOneCell", 4, 0, 0, 4, 0, 0, false},
                      Placement{"differentGroupsOnOneCell", 2, 0, 0, 3, 0, 0, true},
                      Placement{"neighbourColumnsTouching", 2, 0, 448, 3, 32, 448, false},
                      Placement{"onePixelIntoTheNeighbourColumn", 2, 0, 448, 3, 31, 448, true},
                      Placement{"oneRowAboveTouching", 2, 64, 416, 3, 64, 448, false},
                      Placement{"halfARowAbove", 2, 64, 432, 3, 64, 448, true},
                      Placement{"cornersTouching", 2, 0, 0, 3, 32, 32, false},
                      Placement{"partlyLeftOfTheSurface", 2, -16, 0, 3, 0, 0, true},
                      Placement{"farApart", 2, 0, 0, 3, 256, 448, false}),
    [](const ::testing::TestParamInfo<Placement>& row) { return row.param.name; });

TEST_F(SpriteSurfaceTest, reportsAPairOncePerUpdateWhileItOverlapsTheNewerSpriteFirst) {
    const SpriteRef older = tile(2, 0, 200);
    const SpriteRef newer = tile(3, 0, 0);
    surface.Update();
    EXPECT_EQ(log, "N");

    // The older one moves onto the newer one: still the newer first.
    older->SetY(16);
    surface.Update();
    EXPECT_EQ(log, "NNC");
    ASSERT_EQ(pairs.size(), 1u);
    EXPECT_EQ(pairs[0].first, newer);
    EXPECT_EQ(pairs[0].second, older);

    // Both move and still overlap: one report, not one per moved sprite.
    older->SetX(32);
    newer->SetX(32);
    surface.Update();
    EXPECT_EQ(log, "NNCNC");

    // Neither moves: the pair is reported again.
    surface.Update();
    EXPECT_EQ(log, "NNCNCNC");

    // A colour turned white (group 0) collides no more; turned back, it does.
    older->SetGroup(0);
    surface.Update();
    older->SetGroup(4);
    surface.Update();
    EXPECT_EQ(log, "NNCNCNCNNC");

    newer->SetY(-16);  // now only touching
    surface.Update();
    EXPECT_EQ(log, "NNCNCNCNNCN");
}

TEST_F(SpriteSurfaceTest, spritesClosedOrMadeInsideNextFrameAreSeenInTheSameFrame) {
    const SpriteRef resting = tile(2, 0, 448);
    const SpriteRef doomed = tile(3, 0, 440);
    SpriteRef made;
    onFrame = [&] {
        if (!made) {
            doomed->Close();
            made = tile(4, 0, 432);
        }
    };
    surface.Update();
    ASSERT_EQ(pairs.size(), 1u);
    EXPECT_EQ(pairs[0].first, made);
    EXPECT_EQ(pairs[0].second, resting);
    EXPECT_TRUE(doomed->Closed());
    EXPECT_EQ(doomed->Y(), 440);  // a closed sprite can still be read
    EXPECT_EQ(surface.Sprites(), (std::vector<SpriteRef>{resting, made}));
}

TEST_F(SpriteSurfaceTest, aSpriteMadeByACollisionOntoAnotherIsReportedInTheNextUpdate) {
    // The game releases its next tile from inside the collision handler, maybe
    // onto a tile of another colour; that pair must be reported too.
    const SpriteRef resting = tile(5, 256, 0);
    tile(2, 0, 0);
    tile(3, 0, 16);
    SpriteRef released;
    onCollision = [&](const SpriteRef& first, const SpriteRef& second) {
        first->Close();
        second->Close();
        if (!released) {
            released = tile(6, 256, 0);
        }
    };
    surface.Update();
    EXPECT_EQ(log, "NC");
    surface.Update();
    EXPECT_EQ(log, "NCNC");
    ASSERT_EQ(pairs.size(), 2u);
    EXPECT_EQ(pairs[1].first, released);
    EXPECT_EQ(pairs[1].second, resting);
}

TEST_F(SpriteSurfaceTest, closingSpritesOrTheSurfaceDuringAnUpdateStopsWhatRemains) {
    tile(2, 0, 0);
    tile(3, 0, 16);
    tile(4, 128, 0);
    tile(5, 128, 16);
    // The first collision closes every sprite: the second pair is not reported.
    onCollision = [&](const SpriteRef&, const SpriteRef&) {
        for (const SpriteRef& sprite : surface.Sprites()) {
            sprite->Close();
        }
    };
    surface.Update();
    EXPECT_EQ(log, "NC");
    EXPECT_EQ(surface.SpriteCount(), 0);

    // Closing the surface in a collision ends the pass, in a frame every event.
    tile(2, 0, 0);
    tile(3, 0, 16);
    tile(4, 128, 0);
    tile(5, 128, 16);
    onCollision = [&](const SpriteRef&, const SpriteRef&) {
        surface.Close();
        tile(6, 0, 0);  // made on a closed surface: harmless, never reported
    };
    surface.Update();
    EXPECT_EQ(log, "NCNC");
    surface.Update();
    EXPECT_EQ(log, "NCNC");
    EXPECT_TRUE(surface.Closed());
}

TEST_F(SpriteSurfaceTest, showsTheOpenSpritesWhereTheyAre) {
    const SpriteRef shown = tile(2, 64, 32);
    const SpriteRef closed = tile(3, 160, 32);
    closed->Close();
    const QImage field = surface.Widget()->grab().toImage();
    EXPECT_EQ(field.pixelColor(64, 32), QColor(Qt::red));
    EXPECT_EQ(field.pixelColor(95, 63), QColor(Qt::red));
    EXPECT_EQ(field.pixelColor(96, 32), QColor(Qt::white));
    EXPECT_EQ(field.pixelColor(170, 40), QColor(Qt::white));
}

TEST_F(SpriteSurfaceTest, aTapBetweenFramesCountsAtTheNextFrameOnly) {
    FakeKeyboard keys;
    const auto tap = [&keys] {
        keys.Press(KeyCode::LeftArrow);
        keys.Release(KeyCode::LeftArrow);
    };
    std::string seen;
    onFrame = [&] { seen += surface.KeyTest(KeyCode::LeftArrow) ? "1" : "0"; };
    tap();  // while nothing is on the surface: not aimed at what comes
    tile(2, 0, 0);
    surface.Update();
    tap();
    surface.Update();
    surface.Update();
    keys.Press(KeyCode::LeftArrow);
    surface.Update();
    EXPECT_EQ(seen, "0101");
    EXPECT_FALSE(surface.KeyTest(KeyCode::RightArrow));
}

}  // namespace
