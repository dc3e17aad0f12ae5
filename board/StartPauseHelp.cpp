// SPDX-License-Identifier: MIT
// The board's Start (which fixes the difficulty), Expert, HELP, count field and pause key.
#include "board/Window1.h"
#include "info/Window2.h"

void Window1::PushButton1_Action() {
    PushButton1->setEnabled(false);
    PushButton5->setEnabled(false);
    if (RadioButton1->Value()) {
        RadioButton2->setEnabled(false);
    }
    PushButton2->Push();
}

void Window1::RadioButton2_Action() {
    RadioButton1->setEnabled(false);
    Timer1->setPeriod(ExpertPeriod);
}

void Window1::PushButton5_Action() {
    hide();
    Window2::shared().Show();
}

void Window1::EditField1_GotFocus() {
    EditField1->setText(QString::number(cnt));
}

bool Window1::pauseKeyActs() const {
    // Only a started game that has not ended pauses; a paused one always resumes.
    return paused() || (cktru && !PushButton1->Enabled());
}

void Window1::PauseKey_Action() {
    if (pauseKeyActs()) {
        const bool pause = !paused();
        setPaused(pause);
        PausedText->setVisible(pause);
    }
}
