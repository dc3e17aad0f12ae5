// SPDX-License-Identifier: MIT
#pragma once

#include <QWidget>
#include <cstdint>
#include <functional>
#include <memory>
#include <vector>

#include "framework/Control.h"
#include "framework/Picture.h"

class SpriteSurface;

// A picture placed on a sprite surface. The game may keep a sprite after it
// is closed (reading a closed sprite is harmless); it simply is no longer shown
// and takes part in no collision.
class Sprite {
  public:
    int X() const { return x_; }
    int Y() const { return y_; }
    void setX(int x);
    void setY(int y);
    // The collision group: sprites of groups that are non-zero and different collide.
    int Group() const { return group_; }
    void setGroup(int group);
    // The very picture object the sprite was made with.
    const PictureRef& Image() const { return image_; }
    void Close();
    bool closed() const { return surface_ == nullptr; }

  private:
    friend class SpriteSurface;
    friend class SurfaceView;
    Sprite(SpriteSurface* surface, PictureRef image, int x, int y, std::uint64_t serial);
    // Open, of non-zero and different groups, and overlapping.
    static bool collide(const Sprite& a, const Sprite& b);
    // Touching edges do not overlap.
    bool overlaps(const Sprite& o) const {
        return x_ < o.x_ + o.width_ && o.x_ < x_ + width_ && y_ < o.y_ + o.height_ &&
               o.y_ < y_ + height_;
    }
    void moved();

    SpriteSurface* surface_;
    PictureRef image_;
    int x_;
    int y_;
    int width_;
    int height_;
    int group_ = 0;
    std::uint64_t serial_;  // creation order: later sprites are drawn on top
    std::uint64_t moved_;   // the collision pass it last moved, changed group or was made before
};

using SpriteRef = std::shared_ptr<Sprite>;

// A field of sprites that the game advances one frame per Update.
//
// Update raises NextFrame, then Collision once for each pair of overlapping
// sprites whose groups are non-zero and different, the newer sprite of the
// pair named first. Sprites that merely touch at an edge do not overlap.
// Handlers may create and close sprites and may close the surface: a sprite
// closed during the frame raises nothing more, and a closed surface raises
// nothing at all. Sprites made during the collision pass are first tested in
// the next Update.
//
// Only sprites of a non-zero group are tested, and only those that moved are
// tested against the others, so sprites at rest cost a frame next to nothing.
class SpriteSurface : public Control {
    Q_OBJECT
  public:
    SpriteSurface(const QString& name, QWidget* parent, int width, int height);
    ~SpriteSurface() override;

    SpriteRef NewSprite(PictureRef picture, int x, int y);
    void Update();
    // True while the key of that virtual code is held down, and also for a
    // press made since the previous frame that is already over: a tap between
    // two frames counts at the next one. Presses from before the latest frame
    // or from before a sprite was placed outside a frame do not count, so
    // keys pressed while nothing moved (before a game, in another window)
    // never reach the first frame.
    bool KeyTest(int code) const;
    // Ends the frames; what is on the surface stays shown.
    void Close();
    bool closed() const { return closed_; }

    std::function<void()> NextFrame;
    std::function<void(const SpriteRef& first, const SpriteRef& second)> Collision;

    // The sprites on the surface, oldest first.
    std::vector<SpriteRef> sprites() const { return sprites_; }
    int spriteCount() const { return static_cast<int>(sprites_.size()); }

  private:
    friend class Sprite;
    friend class SurfaceView;
    using Pair = std::pair<SpriteRef, SpriteRef>;

    void regrouped(Sprite* sprite);
    void closing(Sprite* sprite);
    std::vector<Pair> overlappingPairs();
    void repaint();

    bool closed_ = false;
    bool updating_ = false;
    std::uint64_t nextSerial_ = 0;
    std::uint64_t pass_ = 0;            // collision passes so far
    std::vector<SpriteRef> sprites_;    // open sprites, oldest first
    std::vector<SpriteRef> colliders_;  // those of them with a non-zero group
    std::uint64_t keyMark_;             // key presses up to this number are too old for KeyTest
    std::vector<Pair> lastPairs_;
};
