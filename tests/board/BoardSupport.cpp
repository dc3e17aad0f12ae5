#include "BoardSupport.h"

#include <algorithm>

#include "app/App.h"
#include "app/SharedPictures.h"
#include "board/Rules.h"

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

std::vector<std::string> FieldRows(const Window1& board) {
    std::vector<std::string> rows(15, std::string(9, '.'));
    for (const SpriteRef& sprite : board.SpriteSurface1->Sprites()) {
        const int column = sprite->X() / Window1::Cell;
        const int row = sprite->Y() / Window1::Cell;
        if (sprite->X() >= 0 && sprite->Y() >= 0 && column < 9 && row < 15) {
            rows[row][column] = LetterOf(sprite->Image());
        }
    }
    return rows;
}

std::string Lines(const std::vector<std::string>& rows) {
    std::string text;
    for (const std::string& row : rows) {
        text += row + "\n";
    }
    return text;
}

std::string Bottom(const Window1& board, int count) {
    const std::vector<std::string> rows = FieldRows(board);
    return Lines({rows.end() - count, rows.end()});
}

std::string LineLetters(const Window1& board) {
    std::string letters;
    for (const PictureRef& picture : board.cTest) {
        letters += LetterOf(picture);
    }
    return letters;
}

void PlaceTiles(Window1& board, const std::vector<std::string>& rows) {
    const int top = 15 - static_cast<int>(rows.size());
    for (int r = 0; r < static_cast<int>(rows.size()); ++r) {
        for (int c = 0; c < static_cast<int>(rows[r].size()); ++c) {
            const char letter = rows[r][c];
            if (letter == '.') {
                continue;
            }
            const int y = Window1::Cell * (top + r);
            SpriteRef tile =
                board.SpriteSurface1->NewSprite(PictureOf(letter), Window1::Cell * c, y);
            tile->SetGroup(CodeOf(letter));
            if (y == board.kap3) {
                board.cTest[c] = tile->Image();
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

int ReleasePlan::Below(int n) {
    // The first draw of a release comes before its shuffles have changed
    // anything, so the board's lists still show where each value stands.
    if (draws_.empty() && !plan_.empty()) {
        const Window1& board = *Window1::existing();
        const auto [column, selector] = plan_.front();
        plan_.pop_front();
        PutFirst(board.aTest, Window1::Cell * column);
        PutFirst(board.nTest, selector);
    }
    if (draws_.empty()) {
        return n - 1;
    }
    const int draw = draws_.front();
    draws_.pop_front();
    EXPECT_LT(draw, n) << "the release shuffled otherwise than planned";
    return std::min(draw, n - 1);
}

void ReleasePlan::PutFirst(const std::vector<int>& list, int value) {
    const int at = static_cast<int>(std::find(list.begin(), list.end(), value) - list.begin());
    if (at == static_cast<int>(list.size())) {
        ADD_FAILURE() << value << " is not in the list";
        return;
    }
    for (int i = static_cast<int>(list.size()) - 1; i > 0; --i) {
        draws_.push_back(i == at ? 0 : i);
    }
}

void BoardTest::SetUp() {
    App::RegisterWindows();
    CloseAllWindows();
    recorded().Clear();
    SetRandom(&plan);
}

void BoardTest::TearDown() {
    SetRandom(nullptr);
    CloseAllWindows();
}

Window1& BoardTest::freshBoard() {
    CloseAllWindows();
    return Window1::instance();
}
