// SPDX-License-Identifier: MIT
#pragma once

#include <functional>

#include "framework/Controls.h"
#include "framework/ListBox.h"
#include "framework/Window.h"
#include "scores/ScoreFile.h"
#include "scores/ScoreModel.h"

// The score board: the first window of a run. It shows the recorded scores,
// takes the player's name and leads on to the game board, hiding itself.
//
// The list's rows and the name belong to the run, not to the window: the
// window system may close the hidden score board, and the board's New Game
// and Quit still record and save them through the methods below.
class Window4 : public SharedWindow<Window4> {
    Q_OBJECT
  public:
    Window4();
    // Deleted without being closed (shutdown, or a test starting anew), it ends the run.
    ~Window4() override;
    // Where "Run" leads: the game board, which the application wires in.
    static inline std::function<void()> showBoard = [] {};

    // The name typed, as the score file records it; empty: nothing is recorded.
    static QString playerName();
    // A row at the end of the list. With no score board yet, the file is read first.
    static void recordScore(const QString& name, int score);
    // The list holds rows the file does not (games recorded since it was read).
    static bool hasUnsavedScores();
    // Writes the list, then `name`'s record of `score` unless the name is empty.
    static SaveResult saveScores(const QString& name, int score);
    // Forgets the rows and the name: the next score board reads the file afresh.
    static void endRun();

    ScoreModel* Scores;       // the rows of ListBox1, the run's
    ListBox* ListBox1;        // the scores: column 0 name, column 1 score
    StaticText* StaticText1;  // how to get a score recorded
    StaticText* StaticText3;  // "Run", the link to the game board
    StaticText* StaticText4;
    EditField* EditField1;    // the player's name
    StaticText* StaticText5;  // why the list is empty or short, if it is

    bool StaticText3_MouseDown(int x, int y);

  protected:
    void Event_Open() override;
};
