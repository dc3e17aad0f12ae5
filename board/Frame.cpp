// SPDX-License-Identifier: MIT
// The frame loop: the pace timers, the fall and steering of the falling tile,
// and its landing on the active bottom line.
#include "board/FieldView.h"
#include "board/Pictures.h"
#include "board/Sounds.h"
#include "board/Window1.h"
#include "framework/Keyboard.h"

void Window1::Timer1_Action() {
    if (Timer1->held()) {
        return;  // a board that is hidden, minimised, paused or away plays nothing
    }
    SpriteSurface1->Update();
    // Restyling a label costs far more than the rest of the tick, and the
    // colour changes only at a few scores.
    const QColor color = QColor::fromRgb(scoreColor(counter));
    if (StaticText1->TextColor() != color) {
        StaticText1->setTextColor(color);
    }
}

// A step spends its arrow's latch until the key is seen up, or until another
// press of it waits: taps quicker than a frame step in the frames that follow.
void Window1::Timer4_Action() {
    if (!Keyboard().AsyncKeyDown(KeyCode::LeftArrow) ||
        SpriteSurface1->KeyTest(KeyCode::LeftArrow)) {
        testit = 1;
    }
    if (!Keyboard().AsyncKeyDown(KeyCode::RightArrow) ||
        SpriteSurface1->KeyTest(KeyCode::RightArrow)) {
        testit2 = 1;
    }
}

void Window1::SpriteSurface1_NextFrame() {
    // Held by value: the release at the end replaces the slot's sprite.
    const SpriteRef tile =
        kap >= 0 && kap < static_cast<int>(mysprite.size()) ? mysprite[kap] : nullptr;
    if (!tile) {
        return;  // no tile has been released on this board yet
    }

    const bool falling = tile->Y() < kap3 && Timer1->Mode() == Timer::Multiple;
    const Meeting meeting{.falling = Pictures::colourOf(tile->Image()),
                          .resting = Pictures::colourOf(cTest[kap2]),
                          .reach = falling             ? Reach::Above
                                   : tile->Y() == kap3 ? Reach::OnLine
                                                       : Reach::Halted};
    switch (landingOf(meeting)) {
        case Landing::KeepFalling:
            fallAndSteer(*tile);
            return;
        case Landing::Wait:
            // With the line at the top, a mix releases the next tile straight
            // onto the line, and possibly onto a tile of another colour. The
            // surface tests that tile in this frame, after this handler: landing
            // it as well would end its fall twice (two releases, one tile left
            // behind unplayed).
            return;
        case Landing::Vanish:
            fieldView->vanished(*tile);
            tile->Close();  // a colour covering itself vanishes...
            timePenalty();  // ...and the pace quickens
            sounds().play(Sound::Penalty);
            break;
        default:  // it rests as its column's top tile
            cTest[kap2] = tile->Image();
            sounds().play(Sound::Land);
    }
    PushButton2->Push();
}

void Window1::fallAndSteer(Sprite& tile) {
    tile.setY(tile.Y() + Cell / 2);
    // A press toward the edge the tile is at goes nowhere: it is not kept for later.
    if (tile.X() < Cell) {
        SpriteSurface1->dropKeys(KeyCode::LeftArrow);
    }
    if (tile.X() >= LastColumnX) {
        SpriteSurface1->dropKeys(KeyCode::RightArrow);
    }
    // One column per press and per frame; a press still waiting steps in the next.
    if (SpriteSurface1->KeyTest(KeyCode::LeftArrow) && tile.X() >= Cell && testit != 2) {
        tile.setX(tile.X() - Cell);
        --kap2;
        testit = 2;
        SpriteSurface1->takeKey(KeyCode::LeftArrow);
    } else if (SpriteSurface1->KeyTest(KeyCode::RightArrow) && tile.X() < LastColumnX &&
               testit2 != 2) {
        tile.setX(tile.X() + Cell);
        ++kap2;
        testit2 = 2;
        SpriteSurface1->takeKey(KeyCode::RightArrow);
    }
}

void Window1::timePenalty() {
    if (Timer1->Period() > FastestPeriod) {
        Timer1->setPeriod(Timer1->Period() -
                          (RadioButton1->Value() ? BeginnerPenalty : ExpertPenalty));
    }
}
