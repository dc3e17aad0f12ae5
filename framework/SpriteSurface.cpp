// SPDX-License-Identifier: MIT
#include "framework/SpriteSurface.h"

#include <QEvent>
#include <QPainter>
#include <utility>

#include "framework/Keyboard.h"

Sprite::Sprite(SpriteSurface* surface, PictureRef image, int x, int y)
    : surface_(surface),
      image_(std::move(image)),
      x_(x),
      y_(y),
      serial_(surface->serials_++),
      moved_(surface->pass_) {
    const QSize size = image_ ? image_->pixmap().deviceIndependentSize().toSize() : QSize(0, 0);
    width_ = size.width();
    height_ = size.height();
}

void Sprite::moveTo(int x, int y) {
    if (x != x_ || y != y_) {
        x_ = x;
        y_ = y;
        if (surface_) {
            moved_ = surface_->pass_;
        }
    }
}

void Sprite::setGroup(int group) {
    if (group == group_) {
        return;
    }
    const bool joins = group_ == 0;
    group_ = group;
    if (surface_) {
        moved_ = surface_->pass_;
        if (joins) {
            surface_->colliders_.push_back(shared_from_this());
        } else if (group == 0) {
            surface_->remove(this, false);
        }
    }
}

void Sprite::Close() {
    if (SpriteSurface* surface = std::exchange(surface_, nullptr)) {
        surface->remove(this, true);  // may drop the last reference to this sprite
    }
}

SpriteSurface::SpriteSurface(const QString& name, QWidget* parent, int width, int height)
    : Control(name, new QWidget(parent), parent), taken_(Keyboard().pressCounts()) {
    widget()->resize(width, height);
    widget()->setAttribute(Qt::WA_OpaquePaintEvent);
    widget()->installEventFilter(this);
}

SpriteSurface::~SpriteSurface() {
    for (const SpriteRef& sprite : sprites_) {
        sprite->surface_ = nullptr;
    }
}

bool SpriteSurface::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() != QEvent::Paint) {
        return Control::eventFilter(watched, event);
    }
    QPainter painter(widget());
    painter.fillRect(widget()->rect(), Qt::white);
    for (const SpriteRef& s : sprites_) {
        painter.drawPixmap(QRect(s->x_, s->y_, s->width_, s->height_), s->image_->pixmap());
    }
    return true;
}

SpriteRef SpriteSurface::NewSprite(PictureRef picture, int x, int y) {
    SpriteRef sprite(new Sprite(this, std::move(picture), x, y));
    sprites_.push_back(sprite);
    taken_ = Keyboard().pressCounts();
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
        findPairs();
        // A copy, as handlers may close sprites or the surface: each pair is
        // checked again right before it is raised.
        const std::vector<Pair> pairs = pairs_;
        for (const auto& [first, second] : pairs) {
            if (!closed_ && Collision && first->collides(*second)) {
                Collision(first, second);
            }
        }
    }
    updating_ = false;
    repaint();
}

bool SpriteSurface::KeyTest(int code) const {
    return Keyboard().pressCount(code) > taken_.value(code, 0);
}

void SpriteSurface::takeKey(int code) {
    if (KeyTest(code)) {
        ++taken_[code];
    }
}

void SpriteSurface::dropKeys(int code) {
    taken_[code] = Keyboard().pressCount(code);
}

void SpriteSurface::forgetKeys() {
    taken_ = Keyboard().pressCounts();
}

void SpriteSurface::Close() {
    closed_ = true;
    pairs_.clear();
}

void SpriteSurface::remove(Sprite* sprite, bool closing) {
    const auto same = [sprite](const SpriteRef& s) { return s.get() == sprite; };
    std::erase_if(colliders_, same);
    if (closing) {
        std::erase_if(sprites_, same);
        repaint();
    }
}

void SpriteSurface::findPairs() {
    std::vector<Pair> found;
    const auto add = [&found](const SpriteRef& a, const SpriteRef& b) {
        found.push_back(a->serial_ > b->serial_ ? Pair(a, b) : Pair(b, a));
    };
    // Pairs that still overlap although neither moved.
    for (const auto& [first, second] : pairs_) {
        if (first->moved_ != pass_ && second->moved_ != pass_ && first->collides(*second)) {
            add(first, second);
        }
    }
    // Other pairs can only have come to overlap where something moved; a
    // pair of two moved sprites is found from the first of them only.
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
    pairs_ = std::move(found);
}

void SpriteSurface::repaint() {
    if (QWidget* view = widget()) {  // gone first when the window is deleted
        view->update();
    }
}
