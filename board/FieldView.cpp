// SPDX-License-Identifier: MIT
#include "board/FieldView.h"

#include <QPainter>

#include "board/Window1.h"

namespace {
const QColor Open(Qt::white);  // the rows where tiles fall
const QColor Guide(0xE6, 0xEA, 0xF0);
const QColor Corner(0xC9, 0xD0, 0xDB);
const QColor Rim(0x9A, 0xA3, 0xB2);
const QColor Ground(0xDD, 0xD6, 0xCA);
const QColor Seam(0xC9, 0xC0, 0xB1);
const QColor Veil(0x5A, 0x4E, 0x40, 0x66);  // laid over old rows: they are ground now
const QColor Line(0x2F, 0x3A, 0x4A);
const QColor Glow(0xFF, 0xC8, 0x3D);
const QColor Dust(0x50, 0x50, 0x50);
constexpr int LineHalf = 2;   // the line is this far above and below its Y
constexpr int RimWidth = 2;   // of the field's left and right sides
constexpr int CornerArm = 3;  // of the small cross at each corner of a cell

qreal easeOut(qreal done) {
    return 1 - (1 - done) * (1 - done);
}

QRectF between(const QRectF& from, const QRectF& to, qreal done) {
    return {from.topLeft() + (to.topLeft() - from.topLeft()) * done,
            from.size() + (to.size() - from.size()) * done};
}

// A tile's face colour, beside its mark.
QColor faceOf(const PictureRef& picture) {
    const QImage image = picture->toImage();
    return image.pixelColor(image.width() * 5 / 32, image.height() / 2);
}
}  // namespace

FieldView::FieldView(Window1& board) : QObject(&board), board_(board) {
    board.SpriteSurface1->PaintBelow = [this](QPainter& painter) { paintBelow(painter); };
    board.SpriteSurface1->PaintAbove = [this](QPainter& painter) { paintAbove(painter); };
}

qreal FieldView::shownLine() const {
    const qint64 elapsed = SpriteSurface::now() - riseStart_;
    if (riseStart_ < 0 || elapsed >= RiseMs) {
        return board_.kap3;
    }
    return risingFrom_ + (board_.kap3 - risingFrom_) * easeOut(qreal(elapsed) / RiseMs);
}

void FieldView::mixed(const Sprite& falling, const Sprite& resting, bool white) {
    const QRectF cell = resting.drawnRect();
    add(Kind::Fade, resting.Image(), cell, cell);
    add(Kind::Fade, falling.Image(), falling.drawnRect(), cell);
    if (white) {
        add(Kind::Flash, nullptr, cell, cell, Glow);
    } else {
        add(Kind::Ring, nullptr, cell, cell, faceOf(falling.Image()));
    }
}

void FieldView::grayed(const Sprite& falling, const Sprite& resting, bool rises) {
    const QRectF cell = resting.drawnRect();
    add(Kind::Fade, resting.Image(), cell, cell);
    add(Kind::Fade, falling.Image(), falling.drawnRect(), cell);
    add(Kind::Ring, nullptr, cell, cell, Dust);
    if (rises) {
        risingFrom_ = board_.kap3;
        riseStart_ = SpriteSurface::now();
        const int top = board_.kap3 - Window1::Cell - LineHalf;
        board_.SpriteSurface1->animate(
            QRect(0, top, Window1::FieldWidth, Window1::FieldHeight - top), RiseMs);
    }
}

void FieldView::vanished(const Sprite& tile) {
    const QRectF at = tile.drawnRect();
    const qreal inset = at.width() * 0.3;
    add(Kind::Shrink, tile.Image(), at, at.adjusted(inset, inset, -inset, -inset));
}

void FieldView::add(Kind kind, const PictureRef& picture, const QRectF& from, const QRectF& to,
                    const QColor& color) {
    const qint64 now = SpriteSurface::now();
    std::erase_if(effects_, [now](const Effect& e) { return now - e.start >= EventMs; });
    effects_.push_back({kind, picture, from, to, color, now});
    const int reach = Window1::Cell / 3;  // a flash or ring spreads this far
    board_.SpriteSurface1->animate(
        from.united(to).adjusted(-reach, -reach, reach, reach).toAlignedRect(), EventMs);
}

// Drawn anew only when the line moves: a frame of the falling tile copies a piece.
void FieldView::paintBelow(QPainter& painter) {
    const int ground = qRound(shownLine()) + Window1::Cell;
    const qreal ratio = painter.device()->devicePixelRatioF();
    if (background_.isNull() || backgroundGround_ != ground ||
        background_.devicePixelRatio() != ratio) {
        background_ = QPixmap(QSize(Window1::FieldWidth, Window1::FieldHeight) * ratio);
        background_.setDevicePixelRatio(ratio);
        backgroundGround_ = ground;
        QPainter canvas(&background_);
        paintField(canvas, ground);
    }
    painter.drawPixmap(0, 0, background_);
}

// The open rows white, with faint column guides and a small cross at each cell's
// corner; the rows below the line filled ground, seamed by row.
void FieldView::paintField(QPainter& painter, int ground) {
    const int width = Window1::FieldWidth, height = Window1::FieldHeight;
    painter.fillRect(0, 0, width, ground, Open);
    painter.fillRect(0, ground, width, height - ground, Ground);
    for (int x = Window1::Cell; x < width; x += Window1::Cell) {
        painter.fillRect(x, 0, 1, ground, Guide);
    }
    for (int y = Window1::Cell; y < ground; y += Window1::Cell) {
        for (int x = 0; x <= width; x += Window1::Cell) {
            painter.fillRect(x - CornerArm, y, 2 * CornerArm + 1, 1, Corner);
        }
    }
    for (int y = ground + Window1::Cell - ground % Window1::Cell; y < height; y += Window1::Cell) {
        painter.fillRect(0, y, width, 1, Seam);
    }
}

// Old rows veiled as ground, the line the tiles rest on, the field's sides (over the tiles
// of the edge columns, so the frame stays whole), and what landings did.
void FieldView::paintAbove(QPainter& painter) const {
    const int width = Window1::FieldWidth, height = Window1::FieldHeight;
    const int ground = qRound(shownLine()) + Window1::Cell;
    painter.fillRect(0, ground, width, height - ground, Veil);
    painter.fillRect(0, ground - LineHalf, width, 2 * LineHalf, Line);
    painter.fillRect(0, 0, RimWidth, height, Rim);
    painter.fillRect(width - RimWidth, 0, RimWidth, height, Rim);
    const qint64 now = SpriteSurface::now();
    for (const Effect& effect : effects_) {
        const qint64 elapsed = now - effect.start;
        if (elapsed >= 0 && elapsed < EventMs) {
            paintEffect(painter, effect, easeOut(qreal(elapsed) / EventMs));
        }
    }
}

void FieldView::paintEffect(QPainter& painter, const Effect& effect, qreal done) const {
    painter.save();
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setRenderHint(QPainter::SmoothPixmapTransform);
    painter.setOpacity(1 - done);
    const QRectF at = between(effect.from, effect.to, done);
    switch (effect.kind) {
        case Kind::Fade:
        case Kind::Shrink:
            painter.drawPixmap(at, *effect.picture, effect.picture->rect());
            break;
        case Kind::Flash:
            painter.fillRect(at, QColor(255, 255, 255, 200));
            painter.setPen(QPen(effect.color, 3));
            painter.drawRoundedRect(at.adjusted(-8 * done, -8 * done, 8 * done, 8 * done), 5, 5);
            break;
        case Kind::Ring:
            painter.setPen(QPen(effect.color, 2));
            painter.drawRoundedRect(at.adjusted(-6 * done, -6 * done, 6 * done, 6 * done), 5, 5);
            break;
    }
    painter.restore();
}
