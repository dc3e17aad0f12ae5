// SPDX-License-Identifier: MIT
#include "info/Window2.h"

#include <QStringList>

Window2::Window2() {
    WindowAttributes attributes;
    attributes.title = tr("HELP");
    attributes.width = 425;
    attributes.height = 425;
    attributes.resizeable = true;
    attributes.closeButton = false;
    attributes.minimizeButton = true;
    attributes.whiteBackground = true;
    applyAttributes(attributes);

    StaticText1 = addControl<StaticText>("StaticText1", {20, 14, 385, 359});
    StaticText1->setMultiline(true);
    StaticText1->setText(helpText());

    PushButton1 = addControl<PushButton>("PushButton1", {293, 385, 80, 20});
    PushButton1->setCaption(tr("BACK"));
    PushButton1->setDefault(true);
    PushButton1->setCancel(true);
    PushButton1->Action = [this] { PushButton1_Action(); };
}

void Window2::PushButton1_Action() {
    hide();
    showBoard();
}

void Window2::Event_Close() {
    showBoard();
}

QString Window2::helpText() {
    const QStringList lines{
        tr("PRIMARY ADDITIVE COLORS (as in your TV)"),
        tr("RED + GREEN +BLUE = WHITE"),
        QStringLiteral("----"),
        tr("The object is to create as many white tiles as possible by combining "
           "falling color tiles"),
        QStringLiteral("----"),
        tr("Green and Blue make Cyan so Cyan and Red make White"),
        tr("Green and Red make Yellow so Yellow and Blue make White"),
        tr("Red and Blue make Magenta so Magenta and Green make White"),
        QStringLiteral("----"),
        tr("In the Beginners mode the action is slower and the game tells you what "
           "are active target colors."),
        QStringLiteral("----"),
        tr("For every white you create you score a point and you can cover white "
           "with other colors so you can make multiple whites on top of each other. "
           "This occurs at the bottom of the screen at the start. This is called the "
           "active bottom line."),
        tr("Incompatible colors such as Red and Magenta create Gray and move the "
           "active bottom  line up one row until you run out of space. "),
        tr("If you cover a color with the same color there is a time penalty. Each "
           "time the tiles will drop a little faster. (A lot faster in the Expert "
           "mode)"),
    };
    return lines.join(QLatin1Char('\n'));
}
