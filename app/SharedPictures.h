#pragma once

#include "framework/Picture.h"

// The game's named pictures. Each is loaded from its picture resource on first
// use and shared from then on, so two tiles show the same colour exactly when
// they hold the same picture object.
namespace Pictures {
PictureRef blue();         // 168
PictureRef cyan();         // 169
PictureRef green();        // 170
PictureRef magenta();      // 171
PictureRef red();          // 172
PictureRef yellow();       // 173
PictureRef white();        // 174: a scoring mix
PictureRef huemixsmall();  // 175: the board's title image
PictureRef gray();         // 178: an incompatible mix
PictureRef whiteo();       // 180: outlined white, marks an empty cell; never shown as a tile

// Drops every kept picture, in the order above; a
// later request loads afresh.
void ReleaseAll();
// The names of the pictures currently kept, in release order (for checks).
QStringList Kept();
}  // namespace Pictures
