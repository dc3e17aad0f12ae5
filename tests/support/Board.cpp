// SPDX-License-Identifier: MIT
#include "support/Board.h"

#include <algorithm>

#include "app/App.h"
#include "framework/Text.h"

namespace {
const std::string Letters = "BCGMRYW?Ao";  // indexed by Pictures::Name
}

char letterOf(const PictureRef& picture) {
    for (std::size_t i = 0; i < Letters.size(); ++i) {
        if (Pictures::get(Pictures::Name(i)) == picture) {
            return Letters[i];
        }
    }
    return '?';
}

Tile tileOf(char letter) {
    const auto at = std::min(Letters.find(letter), Letters.size() - 1);
    EXPECT_TRUE(at < 7 || letter == 'A') << "no tile " << letter;
    return Pictures::tileOf(Pictures::Name(at));
}

std::string Field(const Window1& board, int first, int count, const SpriteRef& marked) {
    std::string rows;
    for (int row = 0; row < Window1::Rows; ++row) {
        rows += ".........\n";
    }
    for (const SpriteRef& sprite : board.SpriteSurface1->sprites()) {
        const char letter = letterOf(sprite->Image());
        const int x = sprite->X() / Window1::Cell;
        const int y = sprite->Y() / Window1::Cell;
        if (sprite->X() >= 0 && sprite->Y() >= 0 && x < Window1::Columns && y < Window1::Rows) {
            rows[y * 10 + x] = sprite == marked ? char(std::tolower(letter)) : letter;
        }
    }
    return rows.substr(first * 10, count * 10);
}

std::string lineLetters(const Window1& board) {
    std::string line;
    for (const PictureRef& picture : board.cTest) {
        line += letterOf(picture);
    }
    return line;
}

void placeTiles(Window1& board, const std::vector<std::string>& rows) {
    const int top = Window1::Rows - static_cast<int>(rows.size());
    for (std::size_t r = 0; r < rows.size(); ++r) {
        for (std::size_t c = 0; c < rows[r].size(); ++c) {
            if (rows[r][c] != '.') {
                const Tile tile = tileOf(rows[r][c]);
                const int y = Window1::Cell * (top + int(r));
                board.SpriteSurface1->NewSprite(tile.picture, Window1::Cell * int(c), y)
                    ->setGroup(tile.code);
                if (y == board.kap3) {
                    board.cTest[c] = tile.picture;
                }
                if (rows[r][c] == 'W') {
                    board.StaticText1->setText(Str(++board.counter));
                }
            }
        }
    }
}

int runUntilNextRelease(Window1& board, int limit) {
    const int released = board.cnt;
    for (int frame = 1; frame <= limit; ++frame) {
        board.Timer1_Action();
        if (board.cnt != released || !board.cktru) {
            return frame;
        }
    }
    return -1;
}

SpriteRef fallingTile(const Window1& board) {
    return board.Timer1->Mode() != Timer::Off && board.kap >= 0 &&
                   board.kap < static_cast<int>(board.mysprite.size())
               ? board.mysprite[board.kap]
               : nullptr;
}

std::string brokenInvariant(const Window1& board) {
    const SpriteRef falling = fallingTile(board);
    std::string broken;
    if (falling && (falling->closed() || falling->X() != Window1::Cell * board.kap2 ||
                    falling->Y() > board.kap3)) {
        broken = "the falling tile is gone, below the line or not in column kap2";
    }
    int whites = 0;
    std::string line = "ooooooooo";  // the newest tile on the line, column by column
    for (const SpriteRef& sprite : board.SpriteSurface1->sprites()) {
        const char letter = letterOf(sprite->Image());
        whites += letter == 'W';
        const int x = sprite->X();
        const int y = sprite->Y();
        if (sprite->Group() != tileOf(letter).code) {
            broken = std::string("a tile ") + letter + " has the code " +
                     Str(sprite->Group()).toStdString();
        } else if (sprite != falling &&
                   (x % 32 || y % 32 || x < 0 || x > 256 || y > 448 || y < board.kap3)) {
            broken = "a resting tile is off the grid or above the line";
        } else if (sprite != falling && y == board.kap3) {
            line[x / 32] = letter;
        }
    }
    // A gray in the top row ends the game and leaves cTest as it was.
    const SpriteRef& last = board.mysprite2;
    if (!board.cktru && last && last->Y() == 0 && letterOf(last->Image()) == 'A') {
        line[last->X() / 32] = letterOf(board.cTest.at(last->X() / 32));
    }
    if (lineLetters(board) != line) {
        broken = "cTest is " + lineLetters(board) + ", the line " + line;
    }
    if (board.counter != whites || board.StaticText1->Text() != (whites ? Str(whites) : "")) {
        broken = "the score is " + Str(board.counter).toStdString() + ", shown \"" +
                 board.StaticText1->Text().toStdString() +
                 "\", after whites: " + Str(whites).toStdString();
    }
    return broken.empty() ? broken
                          : broken + "\n" + Field(board, 0, 15, falling) + "line at " +
                                Str(board.kap3).toStdString();
}

ReleasePlan& ReleasePlan::Then(int column, char colour) {
    plan_.emplace_back(column, 1 + static_cast<int>(std::string("BGMCYR").find(colour)));
    return *this;
}

int ReleasePlan::below(int n) {
    Window1& board = *Window1::existing();
    if (board.cnt != planned_ && !plan_.empty()) {
        planned_ = board.cnt;
        const auto first = [](std::vector<int>& list, int value) {
            const auto at = std::find(list.begin(), list.end(), value);
            ASSERT_NE(at, list.end()) << value << " is not in the list";
            std::iter_swap(list.begin(), at);
        };
        first(board.aTest, Window1::Cell * plan_.front().first);
        first(board.nTest, plan_.front().second);
        plan_.pop_front();
    }
    return n - 1;  // shuffle() then swaps each element with itself
}

void BoardTest::SetUp() {
    App::registerWindows();
    closeAllWindows();
    recorded().clear();
    setRandom(&plan);
}

void BoardTest::TearDown() {
    setRandom(nullptr);
    closeAllWindows();
}

Window1& BoardTest::freshBoard() {
    closeAllWindows();
    plan.newBoard();
    return Window1::shared();
}
