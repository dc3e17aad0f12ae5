// SPDX-License-Identifier: MIT
#include "board/Window1.h"

#include <QShortcut>

#include "board/FieldView.h"
#include "board/Pictures.h"
#include "framework/Application.h"

Window1::Window1() : mysprite(1), cTest(10) {
    Layout();
    CreateControls();
    CreateGameMenu();
}

void Window1::Layout() {
    WindowAttributes attributes;
    attributes.title = QStringLiteral("Huemix");
    attributes.width = 500;
    attributes.height = 573;
    attributes.closeButton = false;
    attributes.minimizeButton = true;
    attributes.resizeable = false;
    applyAttributes(attributes);
    if (Application* app = Application::shared()) {
        setMenuBar(app->menus());
    }
}

// No control takes the keyboard focus, so the arrow keys only ever steer;
// each button has a letter key instead (Return is Start).
void Window1::CreateControls() {
    SpriteSurface1 = addControl<SpriteSurface>("SpriteSurface1", {6, 0, FieldWidth, FieldHeight},
                                               FieldWidth, FieldHeight);
    SpriteSurface1->NextFrame = [this] { SpriteSurface1_NextFrame(); };
    SpriteSurface1->Collision = [this](const SpriteRef& s1, const SpriteRef& s2) {
        SpriteSurface1_Collision(s1, s2);
    };
    fieldView = new FieldView(*this);

    Timer1 = addInvisible<Timer>("Timer1");
    Timer1->setMode(Timer::Off);
    Timer1->setPeriod(BeginnerPeriod);
    Timer1->Action = [this] { Timer1_Action(); };
    SpriteSurface1->setPace(Timer1);  // the falling tile glides between its ticks

    PushButton1 = addControl<PushButton>("PushButton1", {98, 500, 80, 20});
    PushButton1->setCaption(tr("Start"));
    PushButton1->setDefault(true);
    PushButton1->addShortcut(QStringLiteral("S"));
    PushButton1->Action = [this] { PushButton1_Action(); };

    EditField1 = addControl<EditField>("EditField1", {146, 526, 32, 27});
    EditField1->setVisible(false);
    EditField1->GotFocus = [this] { EditField1_GotFocus(); };

    PushButton2 = addControl<PushButton>("PushButton2", {208, 545, 80, 20});
    PushButton2->setCaption(QStringLiteral("Push"));
    PushButton2->setVisible(false);
    PushButton2->setDefault(true);
    PushButton2->Action = [this] { PushButton2_Action(); };

    ImageWell1 = addControl<ImageWell>("ImageWell1", {316, 43, 64, 64});
    ImageWell1->setImage(Pictures::get(Pictures::huemixsmall));

    Timer4 = addInvisible<Timer>("Timer4");
    Timer4->setPeriod(PollPeriod);
    Timer4->setMode(Timer::Multiple);
    Timer4->Action = [this] { Timer4_Action(); };
    // The latches matter only to Timer1's frames, so the poll runs just before each frame
    // instead of waking the game forty times a second. A key released and pressed again
    // since the last frame leaves a press waiting, which re-arms too: no step is lost.
    Timer4->tickBefore(Timer1);

    StaticText12 = addControl<StaticText>("StaticText12", {304, 133, 39, 27});
    StaticText12->setText(tr("Score:"));

    PushButton3 = addControl<PushButton>("PushButton3", {6, 500, 80, 20});
    PushButton3->setCaption(tr("Quit"));
    PushButton3->addShortcut(QStringLiteral("Q"), [this] {
        return keyMayEndGame(tr("End this game and quit Huemix?"));
    });
    PushButton3->Action = [this] { PushButton3_Action(); };

    PushButton4 = addControl<PushButton>("PushButton4", {190, 500, 89, 20});
    PushButton4->setCaption(tr("New Game"));
    PushButton4->addShortcut(QStringLiteral("N"), [this] {
        return keyMayEndGame(tr("End this game and start a new one?"));
    });
    PushButton4->Action = [this] { PushButton4_Action(); };

    StaticText1 = addControl<StaticText>("StaticText1", {347, 136, 45, 20});
    StaticText1->setStyle({.size = 14, .bold = true, .underline = true});

    StaticText13 = addControl<StaticText>("StaticText13", {300, 168, 164, 124});
    StaticText13->setMultiline(true);
    StaticText13->setText(
        tr("Use the right and left arrow keys to move left and right one step at a time.\r"
           "Use the Help button below for more instructions.\r\r"));

    PushButton5 = addControl<PushButton>("PushButton5", {300, 500, 80, 20});
    PushButton5->setCaption(tr("HELP"));
    PushButton5->addShortcut(QStringLiteral("H"));
    PushButton5->addShortcut(QStringLiteral("F1"));
    PushButton5->Action = [this] { PushButton5_Action(); };

    StaticText14 = addControl<StaticText>("StaticText14", {304, 392, 171, 21});
    StaticText14->setStyle({.size = 9});
    StaticText14->setMultiline(true);
    StaticText14->setText(tr("The falling color is compatable with:"));

    const TextStyle hintStyle{.size = 12, .bold = true, .underline = true};
    StaticText16 = addControl<StaticText>("StaticText16", {310, 419, 70, 15});
    StaticText16->setStyle(hintStyle);
    StaticText17 = addControl<StaticText>("StaticText17", {310, 442, 70, 15});
    StaticText17->setStyle(hintStyle);
    StaticText18 = addControl<StaticText>("StaticText18", {310, 465, 70, 15});
    StaticText18->setStyle(hintStyle);

    GroupBox1 = addControl<GroupBox>("GroupBox1", {300, 291, 171, 89});

    RadioButton1 = addControlIn<RadioButton>(GroupBox1, "RadioButton1", {320, 304, 100, 20});
    RadioButton1->setCaption(tr("Beginner"));
    RadioButton1->setValue(true);
    RadioButton1->addShortcut(QStringLiteral("B"));

    RadioButton2 = addControlIn<RadioButton>(GroupBox1, "RadioButton2", {320, 343, 100, 20});
    RadioButton2->setCaption(tr("Expert"));
    RadioButton2->addShortcut(QStringLiteral("E"));
    RadioButton2->Action = [this] { RadioButton2_Action(); };

    // Made last, so that it lies over the field.
    PausedText = addControl<StaticText>("PausedText", {6 + 64, 208, FieldWidth - 128, 44});
    PausedText->setStyle({.size = 32, .bold = true});
    PausedText->setCentered(true);
    PausedText->setBackColor(QColor(255, 255, 255, 170));  // the tiles show through
    PausedText->setText(tr("Paused"));
    PausedText->setVisible(false);
    new QShortcut(QKeySequence(QStringLiteral("P")), this, [this] { PauseKey_Action(); });
    new QShortcut(QKeySequence(QStringLiteral("Pause")), this, [this] { PauseKey_Action(); });
}

void Window1::Event_Open() {
    kap = 0;
    aTest.clear();
    for (int x = 0; x <= LastColumnX; x += Cell) {
        aTest.push_back(x);
    }
    nTest = {1, 2, 3, 4, 5, 6};
    cTest.assign(Columns, Pictures::of(Colour::Empty));
    cnt = 0;
    cktru = true;
    kap3 = BottomLine;
    testit = 1;
    testit2 = 1;
    counter = 0;
}

void Window1::Event_Close() {
    if (cktru) {
        Quit();
    }
}
