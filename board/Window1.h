// SPDX-License-Identifier: MIT
#pragma once

#include <QMenu>
#include <vector>

#include "framework/Controls.h"
#include "framework/SpriteSurface.h"
#include "framework/Timer.h"
#include "framework/Window.h"

class FieldView;

// The game board: the window in which the game is played. It holds all game
// state, as the properties below, and every control of the board.
//
// Field geometry in surface pixels: 9 columns of 32 (X = 0 .. 256, column =
// X / 32) and 15 rows of 32 (Y = 0 .. 448). Tiles are released at Y 0 and come
// to rest on the active bottom line, which starts at Y 448 and rises one row
// for every gray.
class Window1 : public SharedWindow<Window1> {
    Q_OBJECT
  public:
    static constexpr int Columns = 9;
    static constexpr int Rows = 15;
    static constexpr int Cell = 32;  // a cell's side in pixels
    static constexpr int FieldWidth = Columns * Cell;
    static constexpr int FieldHeight = Rows * Cell;
    static constexpr int LastColumnX = (Columns - 1) * Cell;
    static constexpr int BottomLine = (Rows - 1) * Cell;  // where kap3 starts
    static constexpr int BeginnerPeriod = 125;            // Timer1's, in ms
    static constexpr int ExpertPeriod = 80;
    static constexpr int FastestPeriod = 50;   // the time penalty stops here...
    static constexpr int BeginnerPenalty = 5;  // ...taking this much off the period
    static constexpr int ExpertPenalty = 10;
    static constexpr int PollPeriod = 25;  // Timer4's, in ms
    static constexpr int Slots = 8;        // of mysprite, indexed by the colour selector

    Window1();

    // ---- game state
    std::vector<SpriteRef> mysprite;  // falling-tile slots; element kap is the falling tile
    int kap = 0;                      // colour selector (1..6) of the falling tile, its slot index
    int kap2 = 0;                     // column (0..8) of the falling tile, kept equal to X / 32
    SpriteRef mysprite2;              // the tile the collision handler made last
    int colorit = 0;                  // colour code of the falling tile
    int cnt = 0;                      // tiles released in this game
    int kap3 = 0;                     // Y of the active bottom line
    int testit = 0;                   // left-step latch: 1 armed, 2 spent until the key is seen up
    int testit2 = 0;                  // right-step latch, the same for the right arrow
    int counter = 0;                  // the score: whites made in this game
    std::vector<int> aTest;           // X of every column that still receives new tiles
    std::vector<PictureRef>
        cTest;               // per column, the picture of the tile on the line; whiteo = empty
    std::vector<int> nTest;  // the colour selectors 1..6, drawn from in random order
    bool cktru = false;      // the board is live: closing it quits the application

    // ---- controls, in creation order
    SpriteSurface* SpriteSurface1;
    Timer* Timer1;            // pace: one frame per tick
    PushButton* PushButton1;  // "Start"
    EditField* EditField1;    // hidden; shows cnt when it gets the focus
    PushButton* PushButton2;  // hidden; pushing it releases the next tile
    ImageWell* ImageWell1;
    Timer* Timer4;  // re-arms the step latches of released arrow keys
    StaticText* StaticText12;
    PushButton* PushButton3;  // "Quit"
    PushButton* PushButton4;  // "New Game"
    StaticText* StaticText1;  // the score figure
    StaticText* StaticText13;
    PushButton* PushButton5;  // "HELP"
    StaticText* StaticText14;
    StaticText* StaticText16;  // the three Beginner hints
    StaticText* StaticText17;
    StaticText* StaticText18;
    GroupBox* GroupBox1;
    RadioButton* RadioButton1;  // "Beginner"
    RadioButton* RadioButton2;  // "Expert"
    StaticText* PausedText;     // over the field while the player has paused the game
    FieldView* fieldView;       // draws the field around the tiles
    QMenu* GameMenu = nullptr;  // the board's letter keys, shown as menu items

    // ---- handlers
    void SpriteSurface1_Open() {}
    void SpriteSurface1_NextFrame();
    void SpriteSurface1_Collision(const SpriteRef& s1, const SpriteRef& s2);
    void Timer1_Action();
    void PushButton1_Action();
    void EditField1_GotFocus();
    void PushButton2_Action();
    void Timer4_Action();
    void PushButton3_Action();
    void PushButton4_Action();
    void PushButton5_Action();
    void RadioButton2_Action();
    void PauseKey_Action();       // P or Pause: pauses a running game, or resumes it
    void GameMenu_AboutToShow();  // each item enabled as its key would act

    // Takes the column at X = x off the open-column list; an x not in the list changes nothing.
    void ckArray(int x);  // Release.cpp
    // Game over: stops play and tells the player the score.
    void ckquit();  // Ending.cpp

  protected:
    void Event_Open() override;
    void Event_Close() override;
    // Closing the board ends the run: with unsaved Expert scores the player
    // chooses Save (as Quit saves), Don't Save or Cancel.
    bool mayClose() override;  // Ending.cpp

  private:
    // What Quit writes, in Expert; false (the player told why) when not saved.
    bool saveAsQuit();
    // Whether Quit would write records the score file does not hold yet.
    bool hasUnsavedScores();
    void Layout();
    void CreateControls();
    void CreateGameMenu();              // GameMenu.cpp
    void pressKey(const QString& key);  // what the board's letter key does
    bool pauseKeyActs() const;          // StartPauseHelp.cpp
    void showHints(int selector);
    // The falling tile's half-row drop and at most one sideways step.
    void fallAndSteer(Sprite& tile);  // Frame.cpp
    void timePenalty();
    // Whether a letter key may end the game: at once with no game running,
    // else the player's answer to `question`, asked with the game held.
    bool keyMayEndGame(const QString& question);  // Ending.cpp
};
