// SPDX-License-Identifier: MIT
#include "info/Window3.h"

#include "framework/Application.h"

Window3::Window3() : Window(ClassName) {
    WindowAttributes attributes;
    attributes.title = QStringLiteral("About");
    attributes.width = 300;
    attributes.height = 300;
    attributes.documentWindow = false;
    attributes.whiteBackground = true;
    ApplyAttributes(attributes);

    StaticText1 = AddControl<StaticText>("StaticText1", {11, 14, 250, 46});
    StaticText1->SetText(QStringLiteral("Huemix"));
    StaticText1->SetTextColor(QColor(0xFF, 0x00, 0x00));
    StaticText1->SetStyle({.size = 18, .bold = true, .italic = true, .underline = true});

    StaticText3 = AddControl<StaticText>("StaticText3", {8, 59, 100, 20});
    StaticText3->SetText(QStringLiteral("Version 2.1.0"));

    StaticText4 = AddControl<StaticText>("StaticText4", {13, 128, 238, 58});
    StaticText4->SetMultiline(true);
    StaticText4->SetText(
        QStringLiteral("A Game to test your knowledge, planning, reaction time and foresight."));
    StaticText4->SetTextColor(QColor(0x00, 0x80, 0x00));
    StaticText4->SetStyle({.size = 14, .bold = true});

    StaticText5 = AddControl<StaticText>("StaticText5", {12, 202, 208, 55});
    StaticText5->SetMultiline(true);
    StaticText5->SetText(QStringLiteral("Send questions to:\n") +
                         QString::fromLatin1(ContactAddress));
    StaticText5->SetTextColor(QColor(0x00, 0x00, 0xFF));
    StaticText5->SetStyle({.bold = true, .underline = true});
    StaticText5->SetMouseDown([this](int x, int y) { return StaticText5_MouseDown(x, y); });

    PushButton1 = AddControl<PushButton>("PushButton1", {224, 225, 63, 32});
    PushButton1->SetCaption(QStringLiteral("Close"));
    PushButton1->SetStyle({.bold = true});
    PushButton1->Action = [this] { PushButton1_Action(); };
}

void Window3::PushButton1_Action() {
    Window3::instance().Hide();
    Window::Shared(QStringLiteral("Window1"))->Show();
}

bool Window3::StaticText5_MouseDown(int, int) {
    ShowURL(QStringLiteral("mailto:") + QString::fromLatin1(ContactAddress));
    return false;
}

void Window3::Event_Close() {
    Window::Shared(QStringLiteral("Window1"))->Show();
}
