#pragma once

#include <QColor>
#include <QString>
#include <array>

#include "framework/Picture.h"

// The colour rules of the game as data: which tile a colour selector
// releases, what two colours mix into, the Beginner hints and the colours of
// the score.

// The colour code a tile carries in its sprite Group, which is also its
// collision group. White and gray share 0: they take part in no collision.
namespace ColourCode {
constexpr int White = 0;
constexpr int Gray = 0;
constexpr int Blue = 2;
constexpr int Green = 3;
constexpr int Magenta = 4;
constexpr int Cyan = 5;
constexpr int Yellow = 6;
constexpr int Red = 7;
}  // namespace ColourCode

struct Tile {
    PictureRef picture;
    int code;
};

// The tile of colour selector 1 (blue) to 6 (red).
Tile ReleasedTile(int selector);

// What a falling tile and a resting tile of two different, non-zero codes make.
struct Mix {
    enum class Kind { Secondary, White, Gray };
    Kind kind;
    Tile result;
};
Mix MixOf(int codeA, int codeB);

// One of the three "compatible with" lines of the Beginner mode. An empty text
// clears the line and leaves its colour as it was.
struct Hint {
    QString text;
    QColor color;
};
std::array<Hint, 3> HintsFor(int selector);

// The colour of the score figure for a score.
QColor ScoreColor(int score);
