// SPDX-License-Identifier: MIT
// New Game, Quit and the end of a game.
#include "board/Window1.h"
#include "framework/Application.h"
#include "framework/ListBox.h"
#include "framework/Text.h"
#include "scores/ScoreFile.h"

namespace {
// The score board, made and opened now if the player has closed it.
Window& ScoreBoard() {
    return *Window::Shared(QStringLiteral("Window4"));
}

// The name typed on the score board, as the score file would record it.
QString RecordedName(Window& scores) {
    return NameToRecord(scores.ControlNamed<EditField>(QStringLiteral("EditField1")).Text());
}
}  // namespace

void Window1::PushButton4_Action() {
    // Only Expert scores with a name are recorded.
    bool record = false;
    if (RadioButton2->Value()) {
        Window& scores = ScoreBoard();
        const QString name = RecordedName(scores);
        if (!name.isEmpty()) {
            record = true;
            auto& list = scores.ControlNamed<ListBox>(QStringLiteral("ListBox1"));
            list.AddRow(name);
            list.SetCell(list.LastIndex(), 1, Str(counter));
        }
    }

    cktru = false;  // closing this board must not end the application
    // A tick between the close and the deletion would play on a board nobody sees.
    Timer1->SetMode(Timer::Off);
    Timer4->SetMode(Timer::Off);
    Close();

    Window1& board = Window1::instance();
    board.Show();
    if (record) {
        board.RadioButton1->SetEnabled(false);
        board.RadioButton2->SetValue(true);
    }
}

void Window1::PushButton3_Action() {
    if (RadioButton2->Value()) {
        Window& scores = ScoreBoard();
        // The game holds still while the save may ask, show progress or tell
        // why it failed.
        const int pace = Timer1->Mode();
        const int keys = Timer4->Mode();
        Timer1->SetMode(Timer::Off);
        Timer4->SetMode(Timer::Off);
        const SaveResult result =
            SaveScores(scores.ControlNamed<ListBox>(QStringLiteral("ListBox1")),
                       RecordedName(scores), counter);
        if (!result.saved && !result.message.isEmpty()) {
            MsgBox(result.message);
        }
        Timer1->SetMode(pace);
        Timer4->SetMode(keys);
        if (!result.saved) {
            return;  // stay, so the scores of this run are not thrown away
        }
    }
    Quit();
}

void Window1::ckquit() {
    Timer1->SetMode(Timer::Off);
    Timer4->SetMode(Timer::Off);
    PushButton2->SetEnabled(false);
    SpriteSurface1->Close();
    MsgBox(QStringLiteral("Game Over. Your Score: ") + Str(counter));
}
