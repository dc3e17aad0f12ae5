// SPDX-License-Identifier: MIT
// Releasing the next falling tile.
#include <algorithm>

#include "board/Pictures.h"
#include "board/Window1.h"
#include "framework/Random.h"

void Window1::PushButton2_Action() {
    // Start releases the first tile, and a frame each next one once the falling tile has
    // landed or mixed; between frames a tile is always falling. A push from anywhere else
    // (a screen reader can press a hidden button) would leave that tile stuck mid-air.
    const bool started = !PushButton1->Enabled();
    if (!started || (cnt > 0 && !SpriteSurface1->updating())) {
        return;
    }
    if (!cktru) {
        ckquit();
        return;
    }
    if (aTest.empty() || kap3 < 0) {
        cktru = false;
        ckquit();
        return;
    }

    if (aTest.size() != 1) {
        shuffle(aTest);
    }
    const int x = aTest[0];
    kap2 = x / Cell;

    mysprite.resize(Slots);
    shuffle(nTest);
    kap = nTest[0];

    const Colour colour = releasedColour(kap);
    mysprite[kap] = SpriteSurface1->NewSprite(Pictures::of(colour), x, 0);
    mysprite[kap]->setGroup(groupOf(colour));
    colorit = groupOf(colour);
    if (RadioButton1->Value()) {
        showHints(kap);
    }

    ++cnt;
    Timer1->setMode(Timer::Multiple);
}

void Window1::showHints(int selector) {
    const std::array<Hint, 3> hints = hintsFor(selector);
    StaticText* lines[] = {StaticText16, StaticText17, StaticText18};
    for (std::size_t i = 0; i < hints.size(); ++i) {
        lines[i]->setText(hints[i].text);
        // Unchanged colours are not set again: restyling a label is costly.
        const QColor color = QColor::fromRgb(hints[i].rgb);
        if (!hints[i].text.isEmpty() && lines[i]->TextColor() != color) {
            lines[i]->setTextColor(color);
        }
    }
}

void Window1::ckArray(int x) {
    const auto found = std::find(aTest.begin(), aTest.end(), x);
    if (found != aTest.end()) {
        aTest.erase(found);
    }
}
