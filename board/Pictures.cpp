// SPDX-License-Identifier: MIT
#include "board/Pictures.h"

#include <array>

namespace Pictures {
namespace {
struct Slot {
    Name name;  // rows are in Name order
    int resource;
    Colour::Code code;
    PictureRef kept;
};

// Indexed by Name. whiteo is the outlined white that marks an empty cell and
// is never shown as a tile; huemixsmall is the board's title image.
std::array<Slot, 10>& table() {
    static std::array<Slot, 10> all{{{blue, 168, Colour::Blue, nullptr},
                                     {cyan, 169, Colour::Cyan, nullptr},
                                     {green, 170, Colour::Green, nullptr},
                                     {magenta, 171, Colour::Magenta, nullptr},
                                     {red, 172, Colour::Red, nullptr},
                                     {yellow, 173, Colour::Yellow, nullptr},
                                     {white, 174, Colour::White, nullptr},
                                     {huemixsmall, 175, Colour::White, nullptr},
                                     {gray, 178, Colour::Gray, nullptr},
                                     {whiteo, 180, Colour::White, nullptr}}};
    return all;
}
}  // namespace

PictureRef get(Name name) {
    Slot& slot = table()[name];
    if (!slot.kept) {
        slot.kept = loadPictureResource(slot.resource);
    }
    return slot.kept;
}

Tile tileOf(Name name) {
    return {get(name), table()[name].code};
}

void releaseAll() {
    for (Slot& slot : table()) {
        slot.kept.reset();
    }
}

}  // namespace Pictures
