#include <gtest/gtest.h>

#include <QPixmap>
#include <QWidget>
#include <algorithm>
#include <string>
#include <vector>

#include "framework/SpriteSurface.h"
#include "support/Fakes.h"

namespace {

PictureRef tilePicture() {
    static const PictureRef picture = std::make_shared<const Picture>(QPixmap(32, 32));
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

    newer->SetY(-16);  // now only touching
    surface.Update();
    EXPECT_EQ(log, "NNCNCNCN");
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
    EXPECT_EQ(surface.SpriteCount(), 2);
    EXPECT_EQ(surface.Sprites(), (std::vector<SpriteRef>{resting, made}));
}

TEST_F(SpriteSurfaceTest, aPairClosedByAnEarlierCollisionIsNotReported) {
    tile(2, 0, 0);
    tile(3, 0, 16);
    tile(4, 128, 0);
    tile(5, 128, 16);
    onCollision = [&](const SpriteRef&, const SpriteRef&) {
        for (const SpriteRef& sprite : surface.Sprites()) {
            sprite->Close();
        }
    };
    surface.Update();
    EXPECT_EQ(log, "NC");
    EXPECT_EQ(surface.SpriteCount(), 0);
}

TEST_F(SpriteSurfaceTest, aSpriteMadeByACollisionOntoAnotherIsReportedOnce) {
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
    surface.Update();
    EXPECT_EQ(std::count(log.begin(), log.end(), 'C'), 2) << log;
    ASSERT_EQ(pairs.size(), 2u);
    EXPECT_EQ(pairs[1].first, released);
    EXPECT_EQ(pairs[1].second, resting);
}

TEST_F(SpriteSurfaceTest, closingTheSurfaceInsideItsUpdateEndsAllEvents) {
    tile(2, 0, 0);
    tile(3, 0, 16);
    onFrame = [&] { surface.Close(); };
    surface.Update();
    EXPECT_EQ(log, "N");
    surface.Update();
    EXPECT_EQ(log, "N");
    EXPECT_TRUE(surface.Closed());
}

TEST_F(SpriteSurfaceTest, closingTheSurfaceInsideACollisionStopsTheRemainingPairs) {
    tile(2, 0, 0);
    tile(3, 0, 16);
    tile(4, 128, 0);
    tile(5, 128, 16);
    onCollision = [&](const SpriteRef&, const SpriteRef&) {
        surface.Close();
        tile(6, 0, 0);  // made on a closed surface: harmless, never reported
    };
    surface.Update();
    surface.Update();
    EXPECT_EQ(log, "NC");
}

TEST_F(SpriteSurfaceTest, restingSpritesCostNothingPerFrame) {
    // Thousands of covered whites and grays (group 0), all on one cell.
    for (int i = 0; i < 3000; ++i) {
        tile(0, 128, 448);
    }
    surface.Update();
    EXPECT_EQ(surface.PairTests(), 0u);
    EXPECT_TRUE(pairs.empty());

    // Thousands of coloured tiles at rest, one per cell, leaving column 4 free.
    for (int row = 0; row < 50; ++row) {
        for (int column = 0; column < 61; ++column) {
            if (column != 4) {
                tile(2 + (row + column) % 6, 32 * column, 32 * row);
            }
        }
    }
    const SpriteRef falling = tile(7, 128, 0);
    surface.Update();
    const std::uint64_t settled = surface.PairTests();

    // It falls down column 4, between resting tiles it only touches.
    for (int y = 16; y <= 400; y += 16) {
        falling->SetY(y);
        surface.Update();
    }
    EXPECT_TRUE(pairs.empty());
    // A moving sprite meets at most the sprites of the cells around it.
    EXPECT_LE(surface.PairTests() - settled, 25u * 9u);
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
