// SPDX-License-Identifier: MIT
#pragma once

#include <QString>
#include <array>
#include <cstdint>

// The colour rules of the game, in colours alone: what a selector releases,
// what two colours mix into, where a falling tile ends, the Beginner hints and
// the colours of the score. No pictures, no widgets: board/Pictures shows them.

// What a cell shows. Empty is the outlined white that marks a cell with no tile.
enum class Colour { Empty, White, Gray, Blue, Green, Magenta, Cyan, Yellow, Red };

using Rgb = std::uint32_t;  // 0xRRGGBB

// The code a tile of the colour carries in its sprite Group, which is also its
// collision group: white and gray share 0, so they meet nothing.
int groupOf(Colour colour);

// The colour of selector 1 (blue) to 6 (red).
Colour releasedColour(int selector);

// What two different colours make where they meet: a secondary, White (a
// point) or Gray (incompatible). The order of the two does not matter.
Colour mixOf(Colour a, Colour b);

// Where a falling tile ends. It is Above the line with the pace running, OnLine
// exactly, Halted past the line or with the pace stopped, or Touching a resting
// tile by the surface's report. Over another colour on the line it must Wait:
// the surface mixes the two in this frame. A colour covering itself will
// Vanish (with the time penalty); over white, gray or nothing it will Rest. A
// mix makes a secondary (Mix) or a White; Gray raises the line (RaiseLine), or
// in the top row ends the game (End).
enum class Reach { Above, OnLine, Halted, Touching };
struct Meeting {
    Colour falling;
    Colour resting = Colour::Empty;  // in the cell it meets
    Reach reach = Reach::OnLine;
    bool topRow = false;  // the resting cell is in the top row
};
enum class Landing { KeepFalling, Wait, Vanish, Rest, Mix, White, RaiseLine, End };
Landing landingOf(const Meeting& meeting);

// One of the three "compatible with" lines of the Beginner mode. An empty text
// clears the line and leaves its colour as it was.
struct Hint {
    QString text;
    Rgb rgb = 0;
};
std::array<Hint, 3> hintsFor(int selector);

// The colour of the score figure for a score.
Rgb scoreColor(int score);
