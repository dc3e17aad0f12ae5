// SPDX-License-Identifier: MIT
// New Game, Quit and the end of a game.
#include <QPointer>

#include "board/Sounds.h"
#include "board/Window1.h"
#include "framework/Application.h"
#include "framework/Keyboard.h"
#include "scores/Window4.h"

namespace {
// The game whose record the last save wrote, at its score then: a session's
// end may save and then, cancelled, go on.
struct Saved {
    QPointer<Window1> board;
    int score = 0;
};
Saved& lastSaved() {
    static Saved state;
    return state;
}

// The game holds still while the player is asked or told something.
class Hold {
  public:
    explicit Hold(Window1& board)
        : board_(board), pace_(board.Timer1->Mode()), keys_(board.Timer4->Mode()) {
        board.Timer1->setMode(Timer::Off);
        board.Timer4->setMode(Timer::Off);
    }
    ~Hold() {
        board_.Timer1->setMode(pace_);
        board_.Timer4->setMode(keys_);
    }
    Hold(const Hold&) = delete;
    Hold& operator=(const Hold&) = delete;

  private:
    Window1& board_;
    int pace_, keys_;
};
}  // namespace

void Window1::PushButton4_Action() {
    // Only Expert scores with a name are recorded.
    bool record = false;
    if (RadioButton2->Value()) {
        const QString name = Window4::playerName();
        if (!name.isEmpty()) {
            record = true;
            Window4::recordScore(name, counter);
        }
    }

    cktru = false;  // closing this board must not end the application
    // A tick between the close and the deletion would play on a board nobody sees.
    Timer1->setMode(Timer::Off);
    Timer4->setMode(Timer::Off);
    Close();

    Window1& board = Window1::shared();
    board.Show();
    if (record) {
        board.RadioButton1->setEnabled(false);
        board.RadioButton2->setValue(true);
    }
}

void Window1::PushButton3_Action() {
    if (saveAsQuit()) {
        Quit();
    }  // else stay, so the scores of this run are not thrown away
}

bool Window1::saveAsQuit() {
    if (!RadioButton2->Value()) {
        return true;  // nothing is written
    }
    // The save may ask, show progress or tell why it failed.
    const Hold hold(*this);
    const SaveResult result = Window4::saveScores(Window4::playerName(), counter);
    if (!result.saved && !result.message.isEmpty()) {
        MsgBox(result.message);
    }
    if (result.saved) {
        lastSaved() = {this, counter};
    }
    return result.saved;
}

bool Window1::hasUnsavedScores() {
    if (!RadioButton2->Value()) {
        return false;
    }
    // A game counts once a tile has fallen: Quit on a board not yet started
    // would write its 0, but no play would be lost without it.
    const bool game = cnt > 0 && !Window4::playerName().isEmpty() &&
                      !(lastSaved().board == this && lastSaved().score == counter);
    return game || Window4::hasUnsavedScores();
}

bool Window1::mayClose() {
    if (!hasUnsavedScores()) {
        return true;
    }
    const Hold hold(*this);
    switch (
        msgBoxSave(tr("The Expert scores of this run are not saved yet. "
                      "Save them before you quit?"))) {
        case SaveChoice::Save:
            return saveAsQuit();
        case SaveChoice::DontSave:
            return true;
        default:
            return false;
    }
}

void Window1::ckquit() {
    Timer1->setMode(Timer::Off);
    Timer4->setMode(Timer::Off);
    PushButton2->setEnabled(false);
    SpriteSurface1->Close();
    sounds().play(Sound::GameOver);
    MsgBox(tr("Game Over. Your Score: %1").arg(QString::number(counter)));
}

// A stray key beside the arrows must not end a game (a click is deliberate).
bool Window1::keyMayEndGame(const QString& question) {
    if (PushButton1->Enabled() || !cktru) {
        return true;  // not started, or over
    }
    // The game must not play on under the question.
    const bool yes = [&] {
        const Hold hold(*this);
        return msgBoxYesNo(question);
    }();
    SpriteSurface1->dropKeys(KeyCode::LeftArrow);  // arrows pressed in the box were for it
    SpriteSurface1->dropKeys(KeyCode::RightArrow);
    return yes;
}
