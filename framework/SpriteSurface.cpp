// SPDX-License-Identifier: MIT
#include "framework/SpriteSurface.h"

#include <QEvent>
#include <QPainter>
#include <utility>

void Sprite::Close() {
    if (SpriteSurface* surface = std::exchange(surface_, nullptr)) {
        // May drop the last reference to this sprite.
        std::erase_if(surface->sprites_, [this](const SpriteRef& s) { return s.get() == this; });
        surface->repaint();
    }
}

SpriteSurface::SpriteSurface(const QString& name, QWidget* parent, int width, int height)
    : Control(name, new QWidget(parent), parent), taken_(Keyboard().pressCounts()) {
    widget()->resize(width, height);
    widget()->setAttribute(Qt::WA_OpaquePaintEvent);
    widget()->installEventFilter(this);
}

SpriteSurface::~SpriteSurface() {
    std::ranges::for_each(sprites_, [](const SpriteRef& sprite) { sprite->surface_ = nullptr; });
}

bool SpriteSurface::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() != QEvent::Paint) {
        return Control::eventFilter(watched, event);
    }
    QPainter painter(widget());
    painter.fillRect(widget()->rect(), Qt::white);
    for (const SpriteRef& sprite : sprites_) {
        painter.drawPixmap(sprite->rect(), *sprite->image_);
    }
    return true;
}

SpriteRef SpriteSurface::NewSprite(PictureRef picture, int x, int y) {
    sprites_.push_back(SpriteRef(new Sprite(this, std::move(picture), x, y)));
    forgetKeys();
    repaint();
    return sprites_.back();
}

void SpriteSurface::Update() {
    if (closed_ || std::exchange(updating_, true)) {
        return;
    }
    NextFrame ? NextFrame() : void();
    // Sprites of group 0 collide with nothing, and a long game piles up
    // hundreds of them: leaving them out first keeps the pair test to the few
    // that can meet, in the same oldest-first order.
    std::vector<const SpriteRef*> candidates;
    for (const SpriteRef& sprite : sprites_) {
        if (sprite->Group() != 0) {
            candidates.push_back(&sprite);
        }
    }
    std::vector<std::pair<SpriteRef, SpriteRef>> pairs;
    for (std::size_t older = 0; older < candidates.size(); ++older) {
        for (std::size_t newer = older + 1; newer < candidates.size(); ++newer) {
            const SpriteRef& first = *candidates[newer];
            const SpriteRef& second = *candidates[older];
            if (first->collides(*second)) {
                pairs.emplace_back(first, second);
            }
        }
    }
    // Checked again: a handler may have closed a sprite or the surface.
    for (const auto& [first, second] : pairs) {
        if (!closed_ && Collision && first->collides(*second)) {
            Collision(first, second);
        }
    }
    updating_ = false;
    repaint();
}
