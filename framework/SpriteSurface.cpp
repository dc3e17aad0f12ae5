// SPDX-License-Identifier: MIT
#include "framework/SpriteSurface.h"

#include <QElapsedTimer>
#include <QPaintEvent>
#include <QPainter>
#include <QScreen>
#include <QTimer>
#include <utility>

#include "framework/Services.h"
#include "framework/Timer.h"

namespace {
constexpr int DefaultRefresh = 60;  // Hz, when the screen does not say
// A glide drawn fifty times a second looks as smooth as at the screen's sixty, and
// every display frame wakes the game and the X server: no more often than this.
constexpr int ShortestFrameMs = 20;
constexpr int LongestFrameMs = 40;

// Where a sprite may show while it glides from fromY to its place: never past it.
QRect glideExtent(const Sprite& sprite, qreal fromY) {
    const QRectF at(sprite.X(), sprite.Y(), sprite.drawnRect().width(),
                    sprite.drawnRect().height());
    return at.united(at.translated(0, fromY - sprite.Y())).toAlignedRect();
}
}  // namespace

void Sprite::Close() {
    if (SpriteSurface* surface = std::exchange(surface_, nullptr)) {
        surface->changed(glideExtent(*this, fromY_));
        std::erase(surface->gliding_, this);
        // May drop the last reference to this sprite.
        std::erase_if(surface->sprites_, [this](const SpriteRef& s) { return s.get() == this; });
    }
}

QRectF Sprite::drawnRect() const {
    return {QPointF(x_, surface_ ? surface_->drawnY(*this) : y_), size_};
}

void Sprite::moveTo(int x, int y) {
    if (!surface_) {
        x_ = x;
        y_ = y;
        return;
    }
    SpriteSurface& surface = *surface_;
    // Every place it showed since its glide began: a paint may have come late.
    const QRect before = glideExtent(*this, fromY_);
    if (y != y_) {
        // Only a frame's fall glides: a sprite put elsewhere shows there at once.
        const bool glides = surface.updating_ && surface.pace_ && surface.pace_->ticking();
        fromY_ = glides ? surface.drawnY(*this) : y;
        glideStart_ = glides ? SpriteSurface::now() : -1;
        if (glides && std::ranges::find(surface.gliding_, this) == surface.gliding_.end()) {
            surface.gliding_.push_back(this);
        }
    }
    x_ = x;
    y_ = y;
    surface.changed(before.united(glideExtent(*this, fromY_)));
    if (!surface.gliding_.empty()) {
        surface.wake();
    }
}

SpriteSurface::SpriteSurface(const QString& name, QWidget* parent, int width, int height)
    : Control(name, new QWidget(parent), parent),
      taken_(Keyboard().pressCounts()),
      display_(new QTimer(this)) {
    widget()->resize(width, height);
    widget()->setAttribute(Qt::WA_OpaquePaintEvent);
    widget()->installEventFilter(this);
    display_->setTimerType(Qt::PreciseTimer);
    connect(display_, &QTimer::timeout, this, &SpriteSurface::displayFrame);
}

SpriteSurface::~SpriteSurface() {
    std::ranges::for_each(sprites_, [](const SpriteRef& sprite) { sprite->surface_ = nullptr; });
}

qint64 SpriteSurface::now() {
    if (services().clock) {
        return services().clock();
    }
    static QElapsedTimer steady;
    if (!steady.isValid()) {
        steady.start();
    }
    return steady.elapsed();
}

void SpriteSurface::setPace(Timer* pace) {
    pace_ = pace;
    connect(pace, &Timer::tickingChanged, this, [this](bool ticking) {
        if (!ticking) {
            settle();
        }
    });
}

qreal SpriteSurface::drawnY(const Sprite& sprite) const {
    const qint64 elapsed = now() - sprite.glideStart_;
    const int period = pace_ ? pace_->Period() : 0;
    if (sprite.glideStart_ < 0 || elapsed >= period) {
        return sprite.y_;
    }
    return sprite.fromY_ + (sprite.y_ - sprite.fromY_) * qreal(elapsed) / period;
}

void SpriteSurface::settle() {
    for (Sprite* sprite : std::exchange(gliding_, {})) {
        repaintRect(glideExtent(*sprite, sprite->fromY_));
        sprite->glideStart_ = -1;
        sprite->fromY_ = sprite->y_;
    }
}

void SpriteSurface::repaintRect(const QRect& rect) {
    if (widget()) {  // gone first with the window
        widget()->update(rect);
    }
}

// A frame moves a sprite more than once (down, then sideways; closed, then a new one):
// telling the widget once, at the frame's end, costs less than each time.
void SpriteSurface::changed(const QRect& rect) {
    if (!updating_) {
        repaintRect(rect);
        return;
    }
    // A few plain rectangles: a region would allocate on every change.
    for (QRect& area : changed_) {
        if (area.intersects(rect)) {
            area |= rect;
            return;
        }
    }
    changed_.push_back(rect);
}

void SpriteSurface::repaintChanged() {
    for (const QRect& area : changed_) {
        repaintRect(area);
    }
    changed_.clear();
}

// The frame's changes show under whatever the game says next, a message box's own
// event loop running within the frame.
void SpriteSurface::Close() {
    closed_ = true;
    repaintChanged();
}

void SpriteSurface::animate(const QRect& rect, int ms) {
    animations_.push_back({rect, now() + ms});
    repaintRect(rect);
    wake();
}

bool SpriteSurface::animating() const {
    return display_->isActive();
}

int SpriteSurface::displayInterval() const {
    return display_->interval();
}

void SpriteSurface::wake() {
    if (display_->isActive()) {
        return;
    }
    const QScreen* screen = widget() ? widget()->screen() : nullptr;
    const qreal hertz =
        screen && screen->refreshRate() > 1 ? screen->refreshRate() : DefaultRefresh;
    display_->start(qBound(ShortestFrameMs, qRound(1000 / hertz), LongestFrameMs));
}

// One display frame: what glides or animates is repainted, and what has ended
// once more, at its end; with nothing left, the clock stops.
void SpriteSurface::displayFrame() {
    const qint64 time = now();
    const int period = pace_ ? pace_->Period() : 0;
    std::erase_if(gliding_, [&](Sprite* sprite) {
        repaintRect(glideExtent(*sprite, sprite->fromY_));
        return time - sprite->glideStart_ >= period;
    });
    std::erase_if(animations_, [&](const Animation& animation) {
        repaintRect(animation.rect);
        return time >= animation.until;
    });
    if (gliding_.empty() && animations_.empty()) {
        display_->stop();
    }
}

bool SpriteSurface::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() != QEvent::Paint) {
        return Control::eventFilter(watched, event);
    }
    QPainter painter(widget());
    paint(painter, static_cast<QPaintEvent*>(event)->rect());
    return true;
}

void SpriteSurface::paint(QPainter& painter, const QRect& area) {
    if (PaintBelow) {
        PaintBelow(painter);
    } else {
        painter.fillRect(area, Qt::white);
    }
    for (const SpriteRef& sprite : sprites_) {
        const QRectF at = sprite->drawnRect();
        if (at.intersects(area)) {
            painter.drawPixmap(at, *sprite->image_, sprite->image_->rect());
        }
    }
    if (PaintAbove) {
        PaintAbove(painter);
    }
}

SpriteRef SpriteSurface::NewSprite(PictureRef picture, int x, int y) {
    sprites_.push_back(SpriteRef(new Sprite(this, std::move(picture), x, y)));
    forgetKeys();
    changed(sprites_.back()->rect());
    return sprites_.back();
}

void SpriteSurface::Update() {
    if (closed_ || std::exchange(updating_, true)) {
        return;
    }
    if (NextFrame) {
        NextFrame();
    }
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
    repaintChanged();
}
