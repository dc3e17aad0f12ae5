// SPDX-License-Identifier: MIT
#pragma once

#include <QObject>
#include <QRectF>
#include <vector>

#include "framework/SpriteSurface.h"

class QPainter;
class Window1;

// The field as the player sees it, painted under and over the tiles of the board's
// sprite surface: a framed, faintly gridded field whose rows below the active
// bottom line are filled ground, the line itself, and the brief pictures of what
// a landing did. It only draws: the rules never wait for it.
class FieldView : public QObject {
    Q_OBJECT
  public:
    static constexpr int EventMs = 160;  // how long a landing's picture lasts
    static constexpr int RiseMs = 200;   // how long the line takes to rise a row

    explicit FieldView(Window1& board);

    // Called as the rules close the tiles, while they still show where they were.
    // Two tiles mixed: they fade into the cell's new tile, a white flashing as it comes.
    void mixed(const Sprite& falling, const Sprite& resting, bool white);
    // An incompatible pair: the two fade into the gray, which settles; `rises`: the
    // line is about to rise a row, and is drawn rising.
    void grayed(const Sprite& falling, const Sprite& resting, bool rises);
    // A tile covered its own colour and goes.
    void vanished(const Sprite& tile);

    // The Y at which the line is drawn now, between its old and new rows while it rises.
    qreal shownLine() const;

  private:
    enum class Kind { Fade, Shrink, Flash, Ring };
    struct Effect {
        Kind kind;
        PictureRef picture;
        QRectF from, to;
        QColor color;
        qint64 start;
    };
    void add(Kind kind, const PictureRef& picture, const QRectF& from, const QRectF& to,
             const QColor& color = {});
    void paintBelow(QPainter& painter);
    static void paintField(QPainter& painter, int ground);
    void paintAbove(QPainter& painter) const;
    void paintEffect(QPainter& painter, const Effect& effect, qreal done) const;

    Window1& board_;
    std::vector<Effect> effects_;
    QPixmap background_;  // the field with its ground from backgroundGround_ down
    int backgroundGround_ = 0;
    int risingFrom_ = 0;
    qint64 riseStart_ = -1;
};
