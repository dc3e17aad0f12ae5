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

// Where the falling tile is when its fate is asked.
enum class Reach {
    Above,     // above the line, the pace running: it falls on
    OnLine,    // exactly on the active bottom line
    Halted,    // neither: past the line, or the pace stopped
    Touching,  // the surface reported it overlapping a resting tile
};
struct Meeting {
    Colour falling;
    Colour resting = Colour::Empty;  // in the cell it meets; Empty when none
    Reach reach = Reach::OnLine;
    bool topRow = false;  // the resting cell is in the top row
};
enum class Landing {
    KeepFalling,
    Wait,       // on the line over another colour: the surface mixes them in this frame
    Vanish,     // a colour covering itself goes, with the time penalty
    Rest,       // stays as its column's top tile
    Mix,        // a secondary takes the resting cell
    White,      // a white takes it, and scores
    RaiseLine,  // gray below the top row: the line rises
    End,        // gray in the top row: the field is full
};
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
