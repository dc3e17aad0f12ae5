// SPDX-License-Identifier: MIT
#pragma once

#include <vector>

#include "framework/Controls.h"
#include "framework/Keyboard.h"

class SpriteSurface;

// A closed sprite may still be held and read; it is not shown and collides with nothing.
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
    // QRect's overlap is a shared pixel: touching edges do not collide.
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

// Update raises NextFrame, then Collision once per colliding pair, newer first; a sprite or
// surface a handler closed raises nothing more.
class SpriteSurface : public Control {
    Q_OBJECT
  public:
    SpriteSurface(const QString& name, QWidget* parent, int width, int height);
    ~SpriteSurface() override;

    SpriteRef NewSprite(PictureRef picture, int x, int y);
    void Update();
    // A press waits to be taken, however short; a new sprite drops those aimed at the last one.
    bool KeyTest(int code) const { return Keyboard().pressCount(code) > taken_.value(code, 0); }
    void takeKey(int code) { taken_[code] += KeyTest(code); }
    void dropKeys(int code) { taken_[code] = Keyboard().pressCount(code); }
    void forgetKeys() { taken_ = Keyboard().pressCounts(); }
    void Close() { closed_ = true; }  // ends the frames; what is on the surface stays shown
    bool updating() const { return updating_; }  // within Update, raising its events

    std::function<void()> NextFrame;
    std::function<void(const SpriteRef& first, const SpriteRef& second)> Collision;

    const std::vector<SpriteRef>& sprites() const { return sprites_; }  // open ones, oldest first

  protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

  private:
    friend class Sprite;
    void repaint() { widget() ? widget()->update() : void(); }  // gone first with the window

    bool closed_ = false, updating_ = false;
    std::vector<SpriteRef> sprites_;
    QHash<int, std::uint64_t> taken_;  // per key, the presses used or dropped
};
