// SPDX-License-Identifier: MIT
#include "info/Window3.h"

#include "framework/Application.h"

Window3::Window3() {
    WindowAttributes attributes;
    attributes.title = tr("About");
    attributes.width = 300;
    attributes.height = 300;
    attributes.documentWindow = false;
    attributes.whiteBackground = true;
    applyAttributes(attributes);

    StaticText1 = addControl<StaticText>("StaticText1", {11, 14, 250, 46});
    StaticText1->setText(QStringLiteral("Huemix"));
    StaticText1->setTextColor(QColor(0xFF, 0x00, 0x00));
    StaticText1->setStyle({.size = 18, .bold = true, .italic = true, .underline = true});

    StaticText3 = addControl<StaticText>("StaticText3", {8, 59, 100, 20});
    // The version is the build's, so the About box cannot fall behind a release.
    StaticText3->setText(tr("Version %1").arg(QStringLiteral(HUEMIX_VERSION)));

    StaticText4 = addControl<StaticText>("StaticText4", {13, 128, 238, 58});
    StaticText4->setMultiline(true);
    StaticText4->setText(
        tr("A Game to test your knowledge, planning, reaction time and foresight."));
    StaticText4->setTextColor(QColor(0x00, 0x80, 0x00));
    StaticText4->setStyle({.size = 14, .bold = true});

    StaticText5 = addControl<StaticText>("StaticText5", {12, 202, 208, 55});
    StaticText5->setMultiline(true);
    StaticText5->setText(tr("Send questions to:\n") + QString::fromLatin1(ContactAddress));
    StaticText5->setTextColor(QColor(0x00, 0x00, 0xFF));
    StaticText5->setStyle({.bold = true, .underline = true});
    StaticText5->setMouseDown([this](int x, int y) { return StaticText5_MouseDown(x, y); });

    PushButton1 = addControl<PushButton>("PushButton1", {224, 225, 63, 32});
    PushButton1->setCaption(tr("Close"));
    PushButton1->setStyle({.bold = true});
    // The keyboard's way out: Return or Space on Close, Escape anywhere; Tab
    // goes on to the link.
    PushButton1->setTakesFocus(true);
    PushButton1->setDefault(true);
    PushButton1->setCancel(true);
    PushButton1->Action = [this] { PushButton1_Action(); };
    setFirstFocus(PushButton1);
}

void Window3::PushButton1_Action() {
    Window3::shared().hide();
    showBoard();
}

bool Window3::StaticText5_MouseDown(int, int) {
    // With no mail program to open, the player still gets the address.
    if (!ShowURL(QStringLiteral("mailto:") + QString::fromLatin1(ContactAddress))) {
        MsgBox(tr("No mail program is set up here. Send your questions to ") +
               QString::fromLatin1(ContactAddress));
    }
    return false;
}

void Window3::Event_Close() {
    showBoard();
}
