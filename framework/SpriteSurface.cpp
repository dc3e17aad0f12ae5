#include "framework/SpriteSurface.h"

#include <QPainter>
#include <algorithm>

#include "framework/Keyboard.h"

namespace {
constexpr int CellSize = 32;

int cellOf(int coordinate) {
    // Floor division, so sprites partly off the surface still land in a cell.
    return coordinate >= 0 ? coordinate / CellSize : -((-coordinate + CellSize - 1) / CellSize);
}

std::int64_t cellKey(int column, int row) {
    return (static_cast<std::int64_t>(column) << 32) ^ static_cast<std::uint32_t>(row);
}
}  // namespace

// ---- the widget that shows the sprites

class SurfaceView : public QWidget {
  public:
    SurfaceView(SpriteSurface* surface, QWidget* parent) : QWidget(parent), surface_(surface) {
        setAttribute(Qt::WA_OpaquePaintEvent);
        setFocusPolicy(Qt::NoFocus);
    }

    void Detach() { surface_ = nullptr; }

  protected:
    void paintEvent(QPaintEvent*) override {
        QPainter painter(this);
        painter.fillRect(rect(), Qt::white);
        if (!surface_) {
            return;
        }
        for (const SpriteRef& sprite : surface_->sprites_) {
            if (!sprite->Closed()) {
                painter.drawPixmap(
                    QRect(sprite->X(), sprite->Y(), sprite->Width(), sprite->Height()),
                    sprite->Image()->Pixmap());
            }
        }
    }

  private:
    SpriteSurface* surface_;
};

// ---- Sprite

Sprite::Sprite(SpriteSurface* surface, PictureRef image, int x, int y, std::uint64_t serial)
    : surface_(surface), image_(std::move(image)), x_(x), y_(y), serial_(serial) {
    const QSize size = image_ ? image_->Pixmap().deviceIndependentSize().toSize() : QSize(0, 0);
    width_ = size.width();
    height_ = size.height();
}

void Sprite::SetX(int x) {
    if (x != x_) {
        x_ = x;
        if (surface_) {
            surface_->Moved(this);
        }
    }
}

void Sprite::SetY(int y) {
    if (y != y_) {
        y_ = y;
        if (surface_) {
            surface_->Moved(this);
        }
    }
}

void Sprite::SetGroup(int group) {
    if (group != group_) {
        group_ = group;
        if (surface_) {
            surface_->Regrouped(this);
        }
    }
}

void Sprite::Close() {
    if (surface_) {
        surface_->Closing(this);
        surface_ = nullptr;
    }
}

// ---- SpriteSurface

SpriteSurface::SpriteSurface(const QString& name, QWidget* parent, int width, int height)
    : Control(name, new SurfaceView(this, parent), parent), keyMark_(Keyboard().Presses()) {
    Widget()->resize(width, height);
}

SpriteSurface::~SpriteSurface() {
    for (const SpriteRef& sprite : sprites_) {
        sprite->surface_ = nullptr;
    }
    // The view may already be gone: Qt deletes a window's children in creation order.
    if (QWidget* view = Widget()) {
        static_cast<SurfaceView*>(view)->Detach();
    }
}

SpriteRef SpriteSurface::NewSprite(PictureRef picture, int x, int y) {
    SpriteRef sprite(new Sprite(this, std::move(picture), x, y, nextSerial_++));
    largestSide_ = std::max({largestSide_, sprite->Width(), sprite->Height()});
    sprites_.push_back(sprite);
    MarkDirty(sprite.get());
    if (!updating_) {
        keyMark_ = Keyboard().Presses();  // presses before it was placed were not aimed at it
    }
    Repaint();
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
        lastPairs_ = OverlappingPairs();
        // Copied: a handler may close sprites or the surface; each pair is
        // checked again right before it is raised.
        const std::vector<Pair> pairs = lastPairs_;
        for (const auto& [first, second] : pairs) {
            if (closed_) {
                break;
            }
            if (Collide(*first, *second) && Collision) {
                Collision(first, second);
            }
        }
    }
    updating_ = false;
    keyMark_ = Keyboard().Presses();
    Compact();
    Repaint();
}

bool SpriteSurface::KeyTest(int code) const {
    const KeyState& keys = Keyboard();
    return keys.AsyncKeyDown(code) || keys.LastPress(code) > keyMark_;
}

void SpriteSurface::Close() {
    closed_ = true;
    lastPairs_.clear();
}

std::vector<SpriteRef> SpriteSurface::Sprites() const {
    std::vector<SpriteRef> open;
    open.reserve(sprites_.size());
    for (const SpriteRef& sprite : sprites_) {
        if (!sprite->Closed()) {
            open.push_back(sprite);
        }
    }
    return open;
}

void SpriteSurface::Moved(Sprite* sprite) {
    if (sprite->indexed_) {
        const std::int64_t cell = cellKey(cellOf(sprite->x_), cellOf(sprite->y_));
        if (cell != sprite->cell_) {
            Unindex(sprite);
            Index(sprite);
        }
    }
    MarkDirty(sprite);
}

void SpriteSurface::Regrouped(Sprite* sprite) {
    Unindex(sprite);
    Index(sprite);
    MarkDirty(sprite);
}

void SpriteSurface::Closing(Sprite* sprite) {
    Unindex(sprite);
    ++closedCount_;
    Repaint();
}

void SpriteSurface::Index(Sprite* sprite) {
    if (sprite->indexed_ || sprite->group_ == 0) {
        return;
    }
    sprite->cell_ = cellKey(cellOf(sprite->x_), cellOf(sprite->y_));
    grid_[sprite->cell_].push_back(sprite);
    sprite->indexed_ = true;
}

void SpriteSurface::Unindex(Sprite* sprite) {
    if (!sprite->indexed_) {
        return;
    }
    auto bucket = grid_.find(sprite->cell_);
    if (bucket != grid_.end()) {
        auto& members = bucket->second;
        members.erase(std::remove(members.begin(), members.end(), sprite), members.end());
    }
    sprite->indexed_ = false;
}

void SpriteSurface::MarkDirty(Sprite* sprite) {
    if (!sprite->dirty_) {
        sprite->dirty_ = true;
        dirty_.push_back(sprite->shared_from_this());
    }
}

bool SpriteSurface::Collide(const Sprite& a, const Sprite& b) {
    return !a.Closed() && !b.Closed() && a.group_ != 0 && b.group_ != 0 && a.group_ != b.group_ &&
           a.x_ < b.x_ + b.width_ && b.x_ < a.x_ + a.width_ && a.y_ < b.y_ + b.height_ &&
           b.y_ < a.y_ + a.height_;
}

std::vector<SpriteSurface::Pair> SpriteSurface::OverlappingPairs() {
    std::vector<Pair> pairs;
    auto add = [&pairs](SpriteRef a, SpriteRef b) {
        if (a->serial_ < b->serial_) {
            std::swap(a, b);
        }
        const bool known = std::any_of(pairs.begin(), pairs.end(), [&](const Pair& pair) {
            return pair.first == a && pair.second == b;
        });
        if (!known) {
            pairs.emplace_back(std::move(a), std::move(b));
        }
    };

    // Pairs that overlapped before and still do, although neither moved.
    for (const auto& [first, second] : lastPairs_) {
        if (Collide(*first, *second)) {
            add(first, second);
        }
    }

    // Sprites can only have come to overlap where something moved.
    const int reach = (largestSide_ + CellSize - 1) / CellSize;
    std::vector<SpriteRef> moved;
    moved.swap(dirty_);
    for (const SpriteRef& sprite : moved) {
        sprite->dirty_ = false;
        if (!sprite->indexed_) {
            continue;
        }
        const int column = cellOf(sprite->x_);
        const int row = cellOf(sprite->y_);
        for (int dc = -reach; dc <= reach; ++dc) {
            for (int dr = -reach; dr <= reach; ++dr) {
                auto bucket = grid_.find(cellKey(column + dc, row + dr));
                if (bucket == grid_.end()) {
                    continue;
                }
                for (Sprite* other : bucket->second) {
                    ++pairTests_;
                    if (other != sprite.get() && Collide(*sprite, *other)) {
                        add(sprite, other->shared_from_this());
                    }
                }
            }
        }
    }
    return pairs;
}

void SpriteSurface::Compact() {
    if (closedCount_ == 0 ||
        (closedCount_ < 64 && closedCount_ * 2 <= static_cast<int>(sprites_.size()))) {
        return;
    }
    sprites_.erase(std::remove_if(sprites_.begin(), sprites_.end(),
                                  [](const SpriteRef& sprite) { return sprite->Closed(); }),
                   sprites_.end());
    closedCount_ = 0;
}

void SpriteSurface::Repaint() {
    if (QWidget* view = Widget()) {
        view->update();
    }
}
