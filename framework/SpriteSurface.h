// SPDX-License-Identifier: MIT
#pragma once

#include <QHash>
#include <cstdint>
#include <functional>
#include <vector>

#include "framework/Control.h"
#include "framework/Picture.h"

class SpriteSurface;

// A picture on a sprite surface. A closed sprite may still be held and read;
// it is no longer shown and collides with nothing.
class Sprite : public std::enable_shared_from_this<Sprite> {
  public:
    int X() const { return x_; }
    int Y() const { return y_; }
    void setX(int x) { moveTo(x, y_); }
    void setY(int y) { moveTo(x_, y); }
    // Sprites of groups that are non-zero and different collide.
    int Group() const { return group_; }
    void setGroup(int group);
    const PictureRef& Image() const { return image_; }  // the very picture it was made with
    void Close();
    bool closed() const { return surface_ == nullptr; }

  private:
    friend class SpriteSurface;
    Sprite(SpriteSurface* surface, PictureRef image, int x, int y);
    void moveTo(int x, int y);
    bool overlaps(const Sprite& o) const {  // touching edges do not
        return x_ < o.x_ + o.width_ && o.x_ < x_ + width_ && y_ < o.y_ + o.height_ &&
               o.y_ < y_ + height_;
    }
    bool collides(const Sprite& o) const {
        return !closed() && !o.closed() && group_ != 0 && o.group_ != 0 && group_ != o.group_ &&
               overlaps(o);
    }

    SpriteSurface* surface_;
    PictureRef image_;
    int x_, y_, width_, height_, group_ = 0;
    std::uint64_t serial_;  // creation order: later sprites are drawn on top
    std::uint64_t moved_;   // the collision pass it last moved (or was made) before
};

using SpriteRef = std::shared_ptr<Sprite>;

// Update raises NextFrame, then Collision once per colliding pair, the newer
// sprite first. Handlers may make and close sprites and close the surface: a
// closed sprite raises nothing more, a closed surface nothing at all. Only
// sprites that moved are tested against the others, so those at rest cost
// next to nothing.
class SpriteSurface : public Control {
    Q_OBJECT
  public:
    SpriteSurface(const QString& name, QWidget* parent, int width, int height);
    ~SpriteSurface() override;

    SpriteRef NewSprite(PictureRef picture, int x, int y);
    void Update();
    // True while a press of the key waits to be taken, however short it was.
    // Placing a sprite drops the waiting presses: they were aimed at what
    // moved before it.
    bool KeyTest(int code) const;
    void takeKey(int code);   // one waiting press of the key is used
    void dropKeys(int code);  // every waiting press of the key is spent
    // Presses made so far count for nothing: they were meant for a game that
    // was held.
    void forgetKeys();
    // Ends the frames; what is on the surface stays shown.
    void Close();

    std::function<void()> NextFrame;
    std::function<void(const SpriteRef& first, const SpriteRef& second)> Collision;

    const std::vector<SpriteRef>& sprites() const { return sprites_; }  // oldest first

  protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

  private:
    friend class Sprite;
    using Pair = std::pair<SpriteRef, SpriteRef>;

    void remove(Sprite* sprite, bool closing);
    void findPairs();
    void repaint();

    bool closed_ = false, updating_ = false;
    std::uint64_t serials_ = 0, pass_ = 0;  // sprites made, collision passes so far
    std::vector<SpriteRef> sprites_;        // open ones, oldest first
    std::vector<SpriteRef> colliders_;      // those of a non-zero group
    std::vector<Pair> pairs_;               // of the last pass
    QHash<int, std::uint64_t> taken_;       // per key, the presses used or too old for KeyTest
};
