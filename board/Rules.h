// SPDX-License-Identifier: MIT
#pragma once

#include <QColor>
#include <QString>
#include <array>

#include "board/Pictures.h"

// The colour rules of the game as data: which tile a colour selector
// releases, what two colours mix into, the Beginner hints and the colours of
// the score.

// The tile of colour selector 1 (blue) to 6 (red).
Tile releasedTile(int selector);

// What a falling tile and a resting tile of two different, non-zero codes make.
struct Mix {
    enum class Kind { Secondary, White, Gray };
    Kind kind;
    Tile result;
};
Mix mixOf(Colour::Code a, Colour::Code b);

// One of the three "compatible with" lines of the Beginner mode. An empty text
// clears the line and leaves its colour as it was.
struct Hint {
    QString text;
    QColor color;
};
std::array<Hint, 3> hintsFor(int selector);

// The colour of the score figure for a score.
QColor scoreColor(int score);
