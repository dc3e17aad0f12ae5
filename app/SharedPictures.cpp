#include "app/SharedPictures.h"

#include <QStringList>
#include <array>

namespace Pictures {
namespace {
struct Slot {
    const char* name;
    int resource;
    PictureRef kept;
};

// In the order of release at shutdown.
std::array<Slot, 10>& pictureTable() {
    static std::array<Slot, 10> table{{{"blue", 168, nullptr},
                                       {"cyan", 169, nullptr},
                                       {"green", 170, nullptr},
                                       {"magenta", 171, nullptr},
                                       {"red", 172, nullptr},
                                       {"yellow", 173, nullptr},
                                       {"white", 174, nullptr},
                                       {"huemixsmall", 175, nullptr},
                                       {"gray", 178, nullptr},
                                       {"whiteo", 180, nullptr}}};
    return table;
}

PictureRef picture(std::size_t index) {
    Slot& slot = pictureTable()[index];
    if (!slot.kept) {
        slot.kept = LoadPictureResource(slot.resource);
    }
    return slot.kept;
}
}  // namespace

PictureRef blue() {
    return picture(0);
}
PictureRef cyan() {
    return picture(1);
}
PictureRef green() {
    return picture(2);
}
PictureRef magenta() {
    return picture(3);
}
PictureRef red() {
    return picture(4);
}
PictureRef yellow() {
    return picture(5);
}
PictureRef white() {
    return picture(6);
}
PictureRef huemixsmall() {
    return picture(7);
}
PictureRef gray() {
    return picture(8);
}
PictureRef whiteo() {
    return picture(9);
}

void ReleaseAll() {
    for (Slot& slot : pictureTable()) {
        slot.kept.reset();
    }
}

QStringList Kept() {
    QStringList names;
    for (const Slot& slot : pictureTable()) {
        if (slot.kept) {
            names << QString::fromLatin1(slot.name);
        }
    }
    return names;
}
}  // namespace Pictures
