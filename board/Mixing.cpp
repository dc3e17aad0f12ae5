// SPDX-License-Identifier: MIT
// Colour mixing where the falling tile meets a resting tile.
#include "board/FieldView.h"
#include "board/Pictures.h"
#include "board/Sounds.h"
#include "board/Window1.h"

void Window1::SpriteSurface1_Collision(const SpriteRef& s1, const SpriteRef& s2) {
    Timer1->setMode(Timer::Off);

    // The result goes into the resting tile's cell; the falling one has colorit.
    const bool s1Rests = s2->Group() == colorit;
    const Sprite& resting = s1Rests ? *s1 : *s2;
    const Sprite& fallingTile = s1Rests ? *s2 : *s1;
    const int x = resting.X();
    const int y = resting.Y();
    const Colour falling = Pictures::colourOf(fallingTile.Image());
    const Colour rests = Pictures::colourOf(resting.Image());
    const Landing landing = landingOf(
        {.falling = falling, .resting = rests, .reach = Reach::Touching, .topRow = y < Cell});

    if (landing == Landing::Mix || landing == Landing::White) {
        const Colour result = mixOf(falling, rests);
        fieldView->mixed(fallingTile, resting, landing == Landing::White);
        s1->Close();
        s2->Close();
        mysprite2 = SpriteSurface1->NewSprite(Pictures::of(result), x, y);
        if (y == kap3) {
            cTest[x / Cell] = mysprite2->Image();
        }
        mysprite2->setGroup(groupOf(result));
        if (landing == Landing::White) {
            ++counter;
            StaticText1->setText(QString::number(counter));
        }
        sounds().play(landing == Landing::White ? Sound::White : Sound::Mix);
        if (y == 0) {
            ckArray(x);
        }
        PushButton2->Push();
        return;
    }

    // Incompatible: the cell turns gray and the tile named first is raised a row.
    const PictureRef raisedPicture = s1->Image();
    const int raisedCode = s1->Group();
    fieldView->grayed(fallingTile, resting, landing == Landing::RaiseLine);
    s1->Close();
    s2->Close();
    sounds().play(Sound::Gray);
    if (landing == Landing::RaiseLine) {
        SpriteSurface1->NewSprite(raisedPicture, x, y - Cell)->setGroup(raisedCode);
        cTest.assign(Columns, Pictures::of(Colour::Empty));
        cTest[kap2] = raisedPicture;
        kap3 -= Cell;
        mysprite2 = SpriteSurface1->NewSprite(Pictures::of(Colour::Gray), x, y);
        mysprite2->setGroup(groupOf(Colour::Gray));
    } else {
        // A gray in the top row: the field is full.
        mysprite2 = SpriteSurface1->NewSprite(Pictures::of(Colour::Gray), x, y);
        mysprite2->setGroup(groupOf(Colour::Gray));
        cktru = false;
    }
    if (cktru && y - Cell == 0) {
        ckArray(x);
    }
    PushButton2->Push();
}
