// SPDX-License-Identifier: MIT
#pragma once

#include <cstdint>
#include <functional>
#include <memory>
#include <vector>

#include "framework/Control.h"
#include "framework/Keyboard.h"
#include "framework/Picture.h"

class SpriteSurface;

// A picture on a sprite surface. A closed sprite may still be held and read;
// it is no longer shown and collides with nothing.
class Sprite {
  public:
    int X() const { return x_; }
    int Y() const { return y_; }
    void setX(int x) { x_ = x; }
    void setY(int y) { y_ = y; }
    int Group() const { return group_; }  // sprites of non-zero, different groups collide
    void setGroup(int group) { group_ = group; }
    const PictureRef& Image() const { return image_; }  // the very picture it was made with
    void Close();
    bool closed() const { return surface_ == nullptr; }

  private:
    friend class SpriteSurface;
    Sprite(SpriteSurface* surface, PictureRef image, int x, int y)
        : surface_(surface),
          image_(std::move(image)),
          size_(image_->deviceIndependentSize().toSize()),
          x_(x),
          y_(y) {}
    // QRect's overlap is a shared pixel: sprites with touching edges do not collide.
    QRect rect() const { return {QPoint(x_, y_), size_}; }
    bool collides(const Sprite& o) const {
        return !closed() && !o.closed() && group_ != 0 && o.group_ != 0 && group_ != o.group_ &&
               rect().intersects(o.rect());
    }

    SpriteSurface* surface_;
    PictureRef image_;
    QSize size_;
    int x_, y_, group_ = 0;
};

using SpriteRef = std::shared_ptr<Sprite>;

// Update raises NextFrame, then Collision once per colliding pair, the newer
// sprite first. Handlers may make and close sprites and close the surface: a
// closed sprite raises nothing more, a closed surface nothing at all.
class SpriteSurface : public Control {
    Q_OBJECT
  public:
    SpriteSurface(const QString& name, QWidget* parent, int width, int height);
    ~SpriteSurface() override;

    SpriteRef NewSprite(PictureRef picture, int x, int y);
    void Update();
    // True while a press of the key waits to be taken, however short it was. A new sprite
    // drops the waiting presses: they were aimed at what moved before it.
    bool KeyTest(int code) const { return Keyboard().pressCount(code) > taken_.value(code, 0); }
    void takeKey(int code) { taken_[code] += KeyTest(code); }  // one waiting press is used
    void dropKeys(int code) { taken_[code] = Keyboard().pressCount(code); }  // all are spent
    // Presses made so far were meant for a game that was held.
    void forgetKeys() { taken_ = Keyboard().pressCounts(); }
    void Close() { closed_ = true; }  // ends the frames; what is on the surface stays shown

    std::function<void()> NextFrame;
    std::function<void(const SpriteRef& first, const SpriteRef& second)> Collision;

    const std::vector<SpriteRef>& sprites() const { return sprites_; }  // open ones, oldest first

  protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

  private:
    friend class Sprite;
    void repaint();

    bool closed_ = false, updating_ = false;
    std::vector<SpriteRef> sprites_;
    QHash<int, std::uint64_t> taken_;  // per key, the presses used or too old for KeyTest
};
