// SPDX-License-Identifier: MIT
#pragma once

#include <functional>

#include "framework/Controls.h"
#include "framework/ListBox.h"
#include "framework/Window.h"
#include "scores/ScoreModel.h"

// The score board: the first window of a run. It shows the recorded scores,
// takes the player's name and leads on to the game board. Hidden, not closed,
// once the player goes on: the board's New Game and Quit use its list and name.
class Window4 : public SharedWindow<Window4> {
    Q_OBJECT
  public:
    Window4();
    // Where "Run" leads: the game board, which the application wires in.
    static inline std::function<void()> showBoard = [] {};

    ScoreModel* Scores;       // the rows of ListBox1
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
