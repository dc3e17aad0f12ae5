// SPDX-License-Identifier: MIT
// The board's Start, difficulty and help controls.
#include "board/Window1.h"
#include "framework/Text.h"

void Window1::PushButton1_Action() {
    PushButton1->SetEnabled(false);
    PushButton5->SetEnabled(false);
    if (RadioButton1->Value()) {
        RadioButton2->SetEnabled(false);
    }
    PushButton2->Push();
}

void Window1::RadioButton2_Action() {
    RadioButton1->SetEnabled(false);
    Timer1->SetPeriod(ExpertPeriod);
}

void Window1::PushButton5_Action() {
    Hide();
    Window::Shared(QStringLiteral("Window2"))->Show();
}

void Window1::EditField1_GotFocus() {
    EditField1->SetText(Str(cnt));
}
