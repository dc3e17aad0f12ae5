#include "board/Rules.h"

#include "app/SharedPictures.h"

Tile ReleasedTile(int selector) {
    switch (selector) {
        case 1:
            return {Pictures::blue(), ColourCode::Blue};
        case 2:
            return {Pictures::green(), ColourCode::Green};
        case 3:
            return {Pictures::magenta(), ColourCode::Magenta};
        case 4:
            return {Pictures::cyan(), ColourCode::Cyan};
        case 5:
            return {Pictures::yellow(), ColourCode::Yellow};
        default:
            return {Pictures::red(), ColourCode::Red};
    }
}

Mix MixOf(int codeA, int codeB) {
    using namespace ColourCode;
    const auto pair = [codeA, codeB](int one, int other) {
        return (codeA == one && codeB == other) || (codeA == other && codeB == one);
    };
    if (pair(Red, Green)) {
        return {Mix::Kind::Secondary, {Pictures::yellow(), Yellow}};
    }
    if (pair(Red, Blue)) {
        return {Mix::Kind::Secondary, {Pictures::magenta(), Magenta}};
    }
    if (pair(Green, Blue)) {
        return {Mix::Kind::Secondary, {Pictures::cyan(), Cyan}};
    }
    if (pair(Red, Cyan) || pair(Magenta, Green) || pair(Blue, Yellow)) {
        return {Mix::Kind::White, {Pictures::white(), White}};
    }
    return {Mix::Kind::Gray, {Pictures::gray(), Gray}};
}

std::array<Hint, 3> HintsFor(int selector) {
    const Hint none{};
    const Hint green{QStringLiteral("Green"), QColor(0x00, 0xBB, 0x00)};
    const Hint red{QStringLiteral("Red"), QColor(0xBB, 0x00, 0x00)};
    const Hint blue{QStringLiteral("Blue"), QColor(0x00, 0x00, 0xBB)};
    switch (selector) {
        case 1:  // blue
            return {green, red, Hint{QStringLiteral("Yellow"), QColor(0xBB, 0xBB, 0x00)}};
        case 2:  // green
            return {blue, red, Hint{QStringLiteral("Magenta"), QColor(0xBB, 0x00, 0xBB)}};
        case 3:  // magenta
            return {none, green, none};
        case 4:  // cyan
            return {none, red, none};
        case 5:  // yellow
            return {none, blue, none};
        default:  // red
            return {green, blue, Hint{QStringLiteral("Cyan"), QColor(0x00, 0xBB, 0xBB)}};
    }
}

QColor ScoreColor(int score) {
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
