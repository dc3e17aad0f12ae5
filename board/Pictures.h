// SPDX-License-Identifier: MIT
#pragma once

#include "board/Rules.h"
#include "framework/Controls.h"

// The game's named pictures, shared by the board and the shell. Each is loaded
// from its picture resource on first use and shared from then on, so two tiles
// show the same colour exactly when they hold the same picture object.
namespace Pictures {
// In the order of release at shutdown.
enum Name { blue, cyan, green, magenta, red, yellow, white, huemixsmall, gray, whiteo };

PictureRef get(Name name);

// The one place where colours meet pictures: Empty shows as whiteo, and any
// picture that shows no tile (whiteo, the title, none) is Empty.
PictureRef of(Colour colour);
Colour colourOf(const PictureRef& picture);

// Drops every kept picture, in the order above; a later request loads afresh.
void releaseAll();
}  // namespace Pictures
