// SPDX-License-Identifier: MIT
#include "board/Rules.h"

#include <QCoreApplication>

Tile releasedTile(int selector) {
    using namespace Pictures;
    static constexpr Name bySelector[] = {blue, green, magenta, cyan, yellow, red};
    return tileOf(selector >= 1 && selector <= 6 ? bySelector[selector - 1] : red);
}

Mix mixOf(Colour::Code a, Colour::Code b) {
    using namespace Colour;
    const auto pair = [a, b](Code one, Code other) {
        return (a == one && b == other) || (a == other && b == one);
    };
    if (pair(Red, Green)) {
        return {Mix::Kind::Secondary, Pictures::tileOf(Pictures::yellow)};
    }
    if (pair(Red, Blue)) {
        return {Mix::Kind::Secondary, Pictures::tileOf(Pictures::magenta)};
    }
    if (pair(Green, Blue)) {
        return {Mix::Kind::Secondary, Pictures::tileOf(Pictures::cyan)};
    }
    if (pair(Red, Cyan) || pair(Magenta, Green) || pair(Blue, Yellow)) {
        return {Mix::Kind::White, Pictures::tileOf(Pictures::white)};
    }
    return {Mix::Kind::Gray, Pictures::tileOf(Pictures::gray)};
}

std::array<Hint, 3> hintsFor(int selector) {
    const Hint none{};
    const Hint green{QCoreApplication::translate("Rules", "Green"), QColor(0x00, 0xBB, 0x00)};
    const Hint red{QCoreApplication::translate("Rules", "Red"), QColor(0xBB, 0x00, 0x00)};
    const Hint blue{QCoreApplication::translate("Rules", "Blue"), QColor(0x00, 0x00, 0xBB)};
    switch (selector) {
        case 1:  // blue
            return {green, red,
                    Hint{QCoreApplication::translate("Rules", "Yellow"), QColor(0xBB, 0xBB, 0x00)}};
        case 2:  // green
            return {
                blue, red,
                Hint{QCoreApplication::translate("Rules", "Magenta"), QColor(0xBB, 0x00, 0xBB)}};
        case 3:  // magenta
            return {none, green, none};
        case 4:  // cyan
            return {none, red, none};
        case 5:  // yellow
            return {none, blue, none};
        default:  // red
            return {green, blue,
                    Hint{QCoreApplication::translate("Rules", "Cyan"), QColor(0x00, 0xBB, 0xBB)}};
    }
}

QColor scoreColor(int score) {
    if (score > 100) {
        return QColor(0xBB, 0x00, 0xBB);
    }
    if (score > 75) {
        return QColor(0x00, 0x00, 0xBB);
    }
    if (score > 65) {
        return QColor(0x00, 0xBB, 0xBB);
    }
    if (score > 45) {
        return QColor(0x00, 0xBB, 0x00);
    }
    if (score > 25) {
        return QColor(0xBB, 0xBB, 0x00);
    }
    if (score > 10) {
        return QColor(0xBB, 0x00, 0x00);
    }
    return QColor(0x00, 0x00, 0x00);
}
