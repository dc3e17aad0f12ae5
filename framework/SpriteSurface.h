// SPDX-License-Identifier: MIT
#pragma once

#include <QRectF>
#include <vector>

#include "framework/Controls.h"
#include "framework/Keyboard.h"

class QPainter;
class QTimer;
class SpriteSurface;
class Timer;

// A closed sprite may still be held and read; it is not shown and collides with nothing.
class Sprite {
  public:
    int X() const { return x_; }
    int Y() const { return y_; }
    void setX(int x) { moveTo(x, y_); }
    void setY(int y) { moveTo(x_, y); }
    int Group() const { return group_; }  // sprites of non-zero, different groups collide
    void setGroup(int group) { group_ = group; }
    const PictureRef& Image() const { return image_; }  // the very picture it was made with
    void Close();
    bool closed() const { return surface_ == nullptr; }
    // Where it shows now: at X, and on its way to Y while it glides (see SpriteSurface).
    QRectF drawnRect() const;

  private:
    friend class SpriteSurface;
    Sprite(SpriteSurface* surface, PictureRef image, int x, int y)
        : surface_(surface),
          image_(std::move(image)),
          size_(image_->deviceIndependentSize().toSize()),
          x_(x),
          y_(y),
          fromY_(y) {}
    void moveTo(int x, int y);
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
    qreal fromY_;             // where its glide began
    qint64 glideStart_ = -1;  // when, on the surface's clock
};

using SpriteRef = std::shared_ptr<Sprite>;

// Update raises NextFrame, then Collision once per colliding pair, newer first; a sprite or
// surface a handler closed raises nothing more.
//
// Paced by a timer that calls Update, the surface draws each frame's vertical moves
// gliding, from where a sprite was drawn to where it is, over one period of the
// timer: never ahead of the sprite. Sideways moves, and every move while the timer
// does not tick, show at once. A display clock repaints what moves at the screen's
// rate, at most fifty times a second, only while something moves.
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
    void Close();  // ends the frames; what is on the surface stays shown
    bool updating() const { return updating_; }  // within Update, raising its events

    std::function<void()> NextFrame;
    std::function<void(const SpriteRef& first, const SpriteRef& second)> Collision;
    // Painted under the sprites and over them, in surface pixels, clipped to what changed.
    std::function<void(QPainter&)> PaintBelow, PaintAbove;

    const std::vector<SpriteRef>& sprites() const { return sprites_; }  // open ones, oldest first

    void setPace(Timer* pace);
    // Repaints `rect` at the display's rate for `ms` from now, for what the paint
    // hooks animate; repaints it once more at the end.
    void animate(const QRect& rect, int ms);
    void repaintRect(const QRect& rect);
    bool animating() const;       // the display clock runs
    int displayInterval() const;  // ms between its frames, while it runs
    void displayFrame();          // what the display clock calls, at the screen's rate
    // Milliseconds on the services' steady clock.
    static qint64 now();

  protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

  private:
    friend class Sprite;
    void paint(QPainter& painter, const QRect& area);
    void wake();
    // What a sprite's change shows on: repainted at once, or at the end of the frame.
    void changed(const QRect& rect);
    void repaintChanged();
    void settle();  // every glide at its end
    qreal drawnY(const Sprite& sprite) const;

    bool closed_ = false, updating_ = false;
    std::vector<SpriteRef> sprites_;
    std::vector<Sprite*> gliding_;
    std::vector<QRect> changed_;       // what this frame's changes show on, not repainted yet
    QHash<int, std::uint64_t> taken_;  // per key, the presses used or dropped
    QPointer<Timer> pace_;
    QTimer* display_;
    struct Animation {
        QRect rect;
        qint64 until;
    };
    std::vector<Animation> animations_;
};
