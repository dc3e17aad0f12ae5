// SPDX-License-Identifier: MIT
// Colour mixing where the falling tile meets a resting tile.
#include "board/Rules.h"
#include "board/Window1.h"
#include "framework/Text.h"

void Window1::SpriteSurface1_Collision(const SpriteRef& s1, const SpriteRef& s2) {
    Timer1->setMode(Timer::Off);
    const Mix mix = mixOf(Colour::Code(s1->Group()), Colour::Code(s2->Group()));

    // The result goes into the resting tile's cell; the falling one has colorit.
    const Sprite& resting = s2->Group() == colorit ? *s1 : *s2;
    const int x = resting.X();
    const int y = resting.Y();

    if (mix.kind != Mix::Kind::Gray) {
        s1->Close();
        s2->Close();
        mysprite2 = SpriteSurface1->NewSprite(mix.result.picture, x, y);
        if (y == kap3) {
            cTest[x / Cell] = mysprite2->Image();
        }
        mysprite2->setGroup(mix.result.code);
        if (mix.kind == Mix::Kind::White) {
            ++counter;
            StaticText1->setText(Str(counter));
        }
        if (y == 0) {
            ckArray(x);
        }
        PushButton2->Push();
        return;
    }

    // Incompatible: the cell turns gray and the tile named first is raised a row.
    const PictureRef raisedPicture = s1->Image();
    const int raisedCode = s1->Group();
    s1->Close();
    s2->Close();
    if (y - Cell >= 0) {
        SpriteSurface1->NewSprite(raisedPicture, x, y - Cell)->setGroup(raisedCode);
        cTest.assign(Columns, Pictures::get(Pictures::whiteo));
        cTest[kap2] = raisedPicture;
        kap3 -= Cell;
        mysprite2 = SpriteSurface1->NewSprite(Pictures::get(Pictures::gray), x, y);
        mysprite2->setGroup(Colour::Gray);
    } else {
        // A gray in the top row: the field is full.
        mysprite2 = SpriteSurface1->NewSprite(Pictures::get(Pictures::gray), x, y);
        mysprite2->setGroup(Colour::Gray);
        cktru = false;
    }
    if (cktru && y - Cell == 0) {
        ckArray(x);
    }
    PushButton2->Push();
}
