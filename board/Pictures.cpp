// SPDX-License-Identifier: MIT
#include "board/Pictures.h"

#include <array>

namespace Pictures {
namespace {
struct Slot {
    Name name;
    int resource;
    Colour colour;
};

// Indexed by Name. whiteo is the outlined white that marks an empty cell and
// is never shown as a tile; huemixsmall is the board's title image.
constexpr std::array<Slot, 10> rows{{{blue, 168, Colour::Blue},
                                     {cyan, 169, Colour::Cyan},
                                     {green, 170, Colour::Green},
                                     {magenta, 171, Colour::Magenta},
                                     {red, 172, Colour::Red},
                                     {yellow, 173, Colour::Yellow},
                                     {white, 174, Colour::White},
                                     {huemixsmall, 175, Colour::Empty},
                                     {gray, 178, Colour::Gray},
                                     {whiteo, 180, Colour::Empty}}};
// A row out of Name order would hand out another colour's picture.
static_assert([] {
    for (std::size_t i = 0; i < rows.size(); ++i) {
        if (rows[i].name != Name(i)) {
            return false;
        }
    }
    return true;
}());

std::array<PictureRef, rows.size()>& kept() {
    static std::array<PictureRef, rows.size()> all;
    return all;
}
}  // namespace

PictureRef get(Name name) {
    PictureRef& picture = kept()[name];
    if (!picture) {
        picture = loadPictureResource(rows[name].resource);
    }
    return picture;
}

PictureRef of(Colour colour) {
    for (const Slot& row : rows) {
        if (row.colour == colour && row.name != huemixsmall) {  // Empty: whiteo
            return get(row.name);
        }
    }
    return nullptr;
}

Colour colourOf(const PictureRef& picture) {
    for (const Slot& row : rows) {
        if (picture && kept()[row.name] == picture) {
            return row.colour;
        }
    }
    return Colour::Empty;
}

void releaseAll() {
    for (PictureRef& picture : kept()) {
        picture.reset();
    }
}

}  // namespace Pictures
