#pragma once

// The game board without a screen, for the tests and the benchmarks.

#include <string>
#include <vector>

#include "board/Window1.h"

// Tile letters: B G M C Y R W A are blue, green, magenta, cyan, yellow, red,
// white and gray; '.' is an empty cell, 'o' the empty-cell marker whiteo.
char LetterOf(const PictureRef& picture);
PictureRef PictureOf(char letter);
int CodeOf(char letter);      // the colour code a tile of that letter carries
int SelectorOf(char letter);  // 1 (blue) .. 6 (red), the draw that releases it
char LetterOfSelector(int selector);

// `count` rows of the field from row `first` (0 is the top), a line of 9
// letters each, as the player sees them: the newest tile of each cell, the
// tile `marked` in lower case; a tile between rows shows in the row of its top.
std::string Field(const Window1& board, int first = 0, int count = 15,
                  const SpriteRef& marked = nullptr);
// The bottom `count` rows.
inline std::string Bottom(const Window1& board, int count) {
    return Field(board, 15 - count, count);
}
// cTest as 9 letters.
std::string LineLetters(const Window1& board);

// Puts resting tiles where the rows have letters, the last row at the bottom
// of the field. Tiles on the active bottom line (kap3: set it first) become
// the cTest entries of their columns; whites count as scored.
void PlaceTiles(Window1& board, const std::vector<std::string>& rows);

// Runs frames until the next tile has been released or the game has ended;
// returns how many it took, or -1 if nothing happened in `limit` frames.
int RunUntilNextRelease(Window1& board, int limit = 40);

// The tile in play while Timer1 runs, else nullptr.
SpriteRef FallingTile(const Window1& board);

// What holds between any two frames: the falling tile in column kap2 and not
// below the line; every other tile resting in a cell on or below the line;
// each tile's code that of its colour; cTest naming the newest tile on the
// line in each column; the score counting the whites and shown. Returns the
// first thing broken, with the field, or an empty text.
std::string BrokenInvariant(const Window1& board);
