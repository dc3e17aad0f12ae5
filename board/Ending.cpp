// New Game and Quit.
#include "board/Window1.h"
#include "framework/Application.h"

// Recording scores arrives with the score board; until then both only end the game.
void Window1::PushButton4_Action() {
    cktru = false;
    Close();
    Window1::instance().Show();
}

void Window1::PushButton3_Action() {
    Quit();
}
