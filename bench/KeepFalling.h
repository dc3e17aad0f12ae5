// SPDX-License-Identifier: MIT
#pragma once

#include "board/Window1.h"

// Puts the falling tile back at the top once it has come down to Y = lowest,
// so that ticks stay plain falls: no landing, no collision.
inline void keepFalling(Window1& board, int lowest) {
    const SpriteRef& tile = board.mysprite[board.kap];
    if (tile && tile->Y() >= lowest) {
        tile->setY(0);
    }
}
