// SPDX-License-Identifier: MIT
#include "framework/SpriteSurface.h"

#include <QPainter>
#include <algorithm>

#include "framework/Keyboard.h"

// ---- the widget that shows the sprites

class SurfaceView : public QWidget {
  public:
    SurfaceView(SpriteSurface* surface, QWidget* parent) : QWidget(parent), surface_(surface) {
        setAttribute(Qt::WA_OpaquePaintEvent);
        setFocusPolicy(Qt::NoFocus);
    }

    void detach() { surface_ = nullptr; }

  protected:
    void paintEvent(QPaintEvent*) override {
        QPainter painter(this);
        painter.fillRect(rect(), Qt::white);
        if (!surface_) {
            return;
        }
        for (const SpriteRef& sprite : surface_->sprites_) {
            painter.drawPixmap(QRect(sprite->x_, sprite->y_, sprite->width_, sprite->height_),
                               sprite->image_->pixmap());
        }
    }

  private:
    SpriteSurface* surface_;
};

// ---- Sprite

Sprite::Sprite(SpriteSurface* surface, PictureRef image, int x, int y, std::uint64_t serial)
    : surface_(surface),
      image_(std::move(image)),
      x_(x),
      y_(y),
      serial_(serial),
      moved_(surface->pass_) {
    const QSize size = image_ ? image_->pixmap().deviceIndependentSize().toSize() : QSize(0, 0);
    width_ = size.width();
    height_ = size.height();
}

void Sprite::setX(int x) {
    if (x != x_) {
        x_ = x;
        moved();
    }
}

void Sprite::setY(int y) {
    if (y != y_) {
        y_ = y;
        moved();
    }
}

void Sprite::moved() {
    if (surface_) {
        moved_ = surface_->pass_;
    }
}

void Sprite::setGroup(int group) {
    if (group != group_) {
        const int old = group_;
        group_ = group;
        moved();
        if (surface_ && (old == 0) != (group == 0)) {
            surface_->regrouped(this);
        }
    }
}

void Sprite::Close() {
    if (SpriteSurface* surface = surface_) {
        surface_ = nullptr;
        surface->closing(this);  // may drop the last reference to this sprite
    }
}

bool Sprite::collide(const Sprite& a, const Sprite& b) {
    return !a.closed() && !b.closed() && a.group_ != 0 && b.group_ != 0 && a.group_ != b.group_ &&
           a.overlaps(b);
}

// ---- SpriteSurface

SpriteSurface::SpriteSurface(const QString& name, QWidget* parent, int width, int height)
    : Control(name, new SurfaceView(this, parent), parent), keyMark_(Keyboard().presses()) {
    widget()->resize(width, height);
}

SpriteSurface::~SpriteSurface() {
    for (const SpriteRef& sprite : sprites_) {
        sprite->surface_ = nullptr;
    }
    // The view may already be gone: Qt deletes a window's children in creation order.
    if (QWidget* view = widget()) {
        static_cast<SurfaceView*>(view)->detach();
    }
}

SpriteRef SpriteSurface::NewSprite(PictureRef picture, int x, int y) {
    SpriteRef sprite(new Sprite(this, std::move(picture), x, y, nextSerial_++));
    sprites_.push_back(sprite);
    if (!updating_) {
        keyMark_ = Keyboard().presses();  // presses before it was placed were not aimed at it
    }
    repaint();
    return sprite;
}

void SpriteSurface::Update() {
    if (closed_ || updating_) {
        return;
    }
    updating_ = true;
    if (NextFrame) {
        NextFrame();
    }
    if (!closed_) {
        lastPairs_ = overlappingPairs();
        // Copied: a handler may close sprites or the surface; each pair is
        // checked again right before it is raised.
        const std::vector<Pair> pairs = lastPairs_;
        for (const auto& [first, second] : pairs) {
            if (closed_) {
                break;
            }
            if (Sprite::collide(*first, *second) && Collision) {
                Collision(first, second);
            }
        }
    }
    updating_ = false;
    keyMark_ = Keyboard().presses();
    repaint();
}

bool SpriteSurface::KeyTest(int code) const {
    const KeyState& keys = Keyboard();
    return keys.AsyncKeyDown(code) || keys.lastPress(code) > keyMark_;
}

void SpriteSurface::Close() {
    closed_ = true;
    lastPairs_.clear();
}

void SpriteSurface::regrouped(Sprite* sprite) {
    if (sprite->group_ == 0) {
        std::erase_if(colliders_, [sprite](const SpriteRef& s) { return s.get() == sprite; });
    } else {
        // Most often the sprite just made, at the end.
        const auto it = std::find_if(sprites_.rbegin(), sprites_.rend(),
                                     [sprite](const SpriteRef& s) { return s.get() == sprite; });
        colliders_.push_back(*it);
    }
}

void SpriteSurface::closing(Sprite* sprite) {
    const auto same = [sprite](const SpriteRef& s) { return s.get() == sprite; };
    std::erase_if(colliders_, same);
    std::erase_if(sprites_, same);
    repaint();
}

std::vector<SpriteSurface::Pair> SpriteSurface::overlappingPairs() {
    std::vector<Pair> pairs;
    const auto add = [&pairs](const SpriteRef& a, const SpriteRef& b) {
        pairs.push_back(a->serial_ > b->serial_ ? Pair(a, b) : Pair(b, a));
    };
    // Pairs that overlapped before and still do, although neither moved.
    for (const auto& [first, second] : lastPairs_) {
        if (first->moved_ != pass_ && second->moved_ != pass_ && Sprite::collide(*first, *second)) {
            add(first, second);
        }
    }
    // Sprites can only have come to overlap where something moved; a pair of
    // two moved sprites is found from the first of them only.
    for (std::size_t i = 0; i < colliders_.size(); ++i) {
        const Sprite& moved = *colliders_[i];
        if (moved.moved_ != pass_) {
            continue;
        }
        for (std::size_t j = 0; j < colliders_.size(); ++j) {
            const Sprite& other = *colliders_[j];
            if (other.group_ != moved.group_ && (j > i || other.moved_ != pass_) &&
                moved.overlaps(other)) {
                add(colliders_[i], colliders_[j]);
            }
        }
    }
    ++pass_;
    return pairs;
}

void SpriteSurface::repaint() {
    if (QWidget* view = widget()) {
        view->update();
    }
}
