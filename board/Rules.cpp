// SPDX-License-Identifier: MIT
#include "board/Rules.h"

#include <QCoreApplication>
#include <utility>

int groupOf(Colour colour) {
    // In Colour order: empty, white, gray, blue, green, magenta, cyan, yellow, red.
    static constexpr int groups[] = {0, 0, 0, 2, 3, 4, 5, 6, 7};
    return groups[static_cast<int>(colour)];
}

Colour releasedColour(int selector) {
    static constexpr Colour bySelector[] = {Colour::Blue, Colour::Green,  Colour::Magenta,
                                            Colour::Cyan, Colour::Yellow, Colour::Red};
    return selector >= 1 && selector <= 6 ? bySelector[selector - 1] : Colour::Red;
}

Colour mixOf(Colour a, Colour b) {
    const auto pair = [a, b](Colour one, Colour other) {
        return (a == one && b == other) || (a == other && b == one);
    };
    using enum Colour;
    if (pair(Red, Green)) {
        return Yellow;
    }
    if (pair(Red, Blue)) {
        return Magenta;
    }
    if (pair(Green, Blue)) {
        return Cyan;
    }
    if (pair(Red, Cyan) || pair(Magenta, Green) || pair(Blue, Yellow)) {
        return White;
    }
    return Gray;
}

Landing landingOf(const Meeting& meeting) {
    if (meeting.reach == Reach::Above) {
        return Landing::KeepFalling;
    }
    if (meeting.falling == meeting.resting) {
        return Landing::Vanish;
    }
    const Colour resting = meeting.resting;
    if (resting == Colour::Empty || resting == Colour::White || resting == Colour::Gray) {
        return Landing::Rest;  // white and gray meet nothing: they are covered
    }
    if (meeting.reach == Reach::OnLine) {
        return Landing::Wait;
    }
    if (meeting.reach != Reach::Touching) {
        return Landing::Rest;
    }
    switch (mixOf(meeting.falling, resting)) {
        case Colour::White:
            return Landing::White;
        case Colour::Gray:
            return meeting.topRow ? Landing::End : Landing::RaiseLine;
        default:
            return Landing::Mix;
    }
}

std::array<Hint, 3> hintsFor(int selector) {
    const Hint none{};
    const Hint green{QCoreApplication::translate("Rules", "Green"), 0x00BB00};
    const Hint red{QCoreApplication::translate("Rules", "Red"), 0xBB0000};
    const Hint blue{QCoreApplication::translate("Rules", "Blue"), 0x0000BB};
    switch (selector) {
        case 1:  // blue
            return {green, red, Hint{QCoreApplication::translate("Rules", "Yellow"), 0xBBBB00}};
        case 2:  // green
            return {blue, red, Hint{QCoreApplication::translate("Rules", "Magenta"), 0xBB00BB}};
        case 3:  // magenta
            return {none, green, none};
        case 4:  // cyan
            return {none, red, none};
        case 5:  // yellow
            return {none, blue, none};
        default:  // red
            return {green, blue, Hint{QCoreApplication::translate("Rules", "Cyan"), 0x00BBBB}};
    }
}

Rgb scoreColor(int score) {
    // From the top, the first band the score is above.
    static constexpr std::pair<int, Rgb> bands[] = {{100, 0xBB00BB}, {75, 0x0000BB},
                                                    {65, 0x00BBBB},  {45, 0x00BB00},
                                                    {25, 0xBBBB00},  {10, 0xBB0000}};
    for (const auto& [above, rgb] : bands) {
        if (score > above) {
            return rgb;
        }
    }
    return 0x000000;
}
