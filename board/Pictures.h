// SPDX-License-Identifier: MIT
#pragma once

#include "framework/Picture.h"

// The colour code a tile carries in its sprite Group, which is also its
// collision group. White and gray share 0: they take part in no collision.
namespace Colour {
enum Code : int {
    White = 0,
    Gray = 0,
    Blue = 2,
    Green = 3,
    Magenta = 4,
    Cyan = 5,
    Yellow = 6,
    Red = 7
};
}

// A tile as the field shows it: its shared picture and its colour code.
struct Tile {
    PictureRef picture;
    Colour::Code code;
};

// The game's named pictures, shared by the board and the shell. Each is loaded
// from its picture resource on first use and shared from then on, so two tiles
// show the same colour exactly when they hold the same picture object.
namespace Pictures {
// In the order of release at shutdown.
enum Name { blue, cyan, green, magenta, red, yellow, white, huemixsmall, gray, whiteo };

PictureRef get(Name name);
// The picture with the colour code of its tiles (0 for the two that are no tile).
Tile tileOf(Name name);

// Drops every kept picture, in the order above; a later request loads afresh.
void releaseAll();
}  // namespace Pictures
