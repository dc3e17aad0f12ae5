#include "support/Board.h"

#include <gtest/gtest.h>

#include "app/SharedPictures.h"
#include "board/Rules.h"
#include "framework/Text.h"

namespace {
struct Letter {
    char letter;
    PictureRef (*picture)();
    int code;
};

const Letter letters[] = {
    {'B', Pictures::blue, ColourCode::Blue},       {'G', Pictures::green, ColourCode::Green},
    {'M', Pictures::magenta, ColourCode::Magenta}, {'C', Pictures::cyan, ColourCode::Cyan},
    {'Y', Pictures::yellow, ColourCode::Yellow},   {'R', Pictures::red, ColourCode::Red},
    {'W', Pictures::white, ColourCode::White},     {'A', Pictures::gray, ColourCode::Gray},
};

// The released colours in the order of their selectors 1 .. 6.
const std::string ReleasedColours = "BGMCYR";

const Letter& find(char letter) {
    for (const Letter& entry : letters) {
        if (entry.letter == letter) {
            return entry;
        }
    }
    ADD_FAILURE() << "no tile letter " << letter;
    return letters[0];
}
}  // namespace

char LetterOf(const PictureRef& picture) {
    for (const Letter& entry : letters) {
        if (entry.picture() == picture) {
            return entry.letter;
        }
    }
    return picture == Pictures::whiteo() ? 'o' : '?';
}

PictureRef PictureOf(char letter) {
    return find(letter).picture();
}

int CodeOf(char letter) {
    return find(letter).code;
}

int SelectorOf(char letter) {
    const auto at = ReleasedColours.find(letter);
    if (at == std::string::npos) {
        ADD_FAILURE() << letter << " is never released";
        return 1;
    }
    return static_cast<int>(at) + 1;
}

char LetterOfSelector(int selector) {
    return selector >= 1 && selector <= 6 ? ReleasedColours[selector - 1] : '?';
}

std::string Field(const Window1& board, int first, int count, const SpriteRef& marked) {
    std::vector<std::string> rows(15, std::string(9, '.'));
    for (const SpriteRef& sprite : board.SpriteSurface1->Sprites()) {
        const int column = sprite->X() / Window1::Cell;
        const int row = sprite->Y() / Window1::Cell;
        if (sprite->X() >= 0 && sprite->Y() >= 0 && column < 9 && row < 15) {
            const char letter = LetterOf(sprite->Image());
            rows[row][column] = sprite == marked ? static_cast<char>(letter - 'A' + 'a') : letter;
        }
    }
    std::string text;
    for (int row = first; row < first + count; ++row) {
        text += rows[row] + "\n";
    }
    return text;
}

std::string LineLetters(const Window1& board) {
    std::string line;
    for (const PictureRef& picture : board.cTest) {
        line += LetterOf(picture);
    }
    return line;
}

void PlaceTiles(Window1& board, const std::vector<std::string>& rows) {
    const int top = 15 - static_cast<int>(rows.size());
    for (int r = 0; r < static_cast<int>(rows.size()); ++r) {
        for (int c = 0; c < static_cast<int>(rows[r].size()); ++c) {
            if (rows[r][c] == '.') {
                continue;
            }
            const int y = Window1::Cell * (top + r);
            SpriteRef tile =
                board.SpriteSurface1->NewSprite(PictureOf(rows[r][c]), Window1::Cell * c, y);
            tile->SetGroup(CodeOf(rows[r][c]));
            if (y == board.kap3) {
                board.cTest[c] = tile->Image();
            }
            if (rows[r][c] == 'W') {
                board.StaticText1->SetText(Str(++board.counter));
            }
        }
    }
}

int RunUntilNextRelease(Window1& board, int limit) {
    const int released = board.cnt;
    for (int frame = 1; frame <= limit; ++frame) {
        board.Timer1_Action();
        if (board.cnt != released || !board.cktru) {
            return frame;
        }
    }
    return -1;
}

SpriteRef FallingTile(const Window1& board) {
    return board.Timer1->Mode() != Timer::Off && board.kap >= 0 &&
                   board.kap < static_cast<int>(board.mysprite.size())
               ? board.mysprite[board.kap]
               : nullptr;
}

namespace {
std::string brokenRule(const Window1& board, const SpriteRef& falling) {
    if (falling && (falling->Closed() || falling->X() != Window1::Cell * board.kap2 ||
                    falling->Y() > board.kap3)) {
        return "the falling tile is gone, below the line or not in column kap2";
    }
    int whites = 0;
    std::vector<SpriteRef> onLine(9);
    for (const SpriteRef& sprite : board.SpriteSurface1->Sprites()) {
        const char letter = LetterOf(sprite->Image());
        whites += letter == 'W' ? 1 : 0;
        if (sprite->Group() != CodeOf(letter)) {
            return std::string("a tile ") + letter + " has the code " +
                   std::to_string(sprite->Group());
        }
        if (sprite == falling) {
            continue;
        }
        const int x = sprite->X();
        const int y = sprite->Y();
        if (x % 32 != 0 || y % 32 != 0 || x < 0 || x > 256 || y > 448 || y < board.kap3) {
            return "a resting tile at " + std::to_string(x) + "," + std::to_string(y) +
                   " is off the grid or above the line";
        }
        if (y == board.kap3) {
            onLine[x / 32] = sprite;  // oldest first, so the newest, the top, wins
        }
    }
    if (board.cTest.size() != 9) {
        return "cTest has " + std::to_string(board.cTest.size()) + " elements";
    }
    // A gray in the top row ends the game without touching cTest, which nothing
    // reads after the end: its cell keeps the picture of the tile it replaced.
    const bool endedByGray = !board.cktru && board.mysprite2 && board.mysprite2->Y() == 0 &&
                             board.mysprite2->Image() == Pictures::gray();
    for (std::size_t column = 0; column < 9; ++column) {
        const PictureRef top = onLine[column] ? onLine[column]->Image() : Pictures::whiteo();
        if (board.cTest[column] != top && !(endedByGray && onLine[column] == board.mysprite2)) {
            return "cTest(" + std::to_string(column) + ") is " + LetterOf(board.cTest[column]) +
                   " but the line holds " + LetterOf(top);
        }
    }
    if (board.counter != whites ||
        board.StaticText1->Text() != (whites > 0 ? Str(whites) : QString())) {
        return "the score is " + std::to_string(board.counter) + ", shown \"" +
               board.StaticText1->Text().toStdString() + "\", with " + std::to_string(whites) +
               " whites made";
    }
    return {};
}
}  // namespace

std::string BrokenInvariant(const Window1& board) {
    const SpriteRef falling = FallingTile(board);
    const std::string broken = brokenRule(board, falling);
    if (broken.empty()) {
        return {};
    }
    return broken + "\n" + Field(board, 0, 15, falling) + "cTest " + LineLetters(board) +
           ", line at " + std::to_string(board.kap3) + "\n";
}
