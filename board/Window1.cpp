// SPDX-License-Identifier: MIT
#include "board/Window1.h"

#include "board/Pictures.h"
#include "framework/Application.h"

Window1::Window1() : Window(ClassName), mysprite(1), cTest(10) {
    Layout();
    CreateControls();
}

void Window1::Layout() {
    WindowAttributes attributes;
    attributes.title = QStringLiteral("Huemix");
    attributes.width = 500;
    attributes.height = 573;
    attributes.closeButton = false;
    attributes.minimizeButton = true;
    attributes.maximizeButton = false;
    attributes.resizeable = false;
    ApplyAttributes(attributes);
    if (Application* app = Application::Instance()) {
        SetMenuBar(app->Menus());
    }
}

// No control takes the keyboard focus, so the arrow keys only ever steer;
// each button has a letter key instead (Return is Start).
void Window1::CreateControls() {
    SpriteSurface1 = AddControl<SpriteSurface>("SpriteSurface1", {6, 0, FieldWidth, FieldHeight},
                                               FieldWidth, FieldHeight);
    SpriteSurface1->NextFrame = [this] { SpriteSurface1_NextFrame(); };
    SpriteSurface1->Collision = [this](const SpriteRef& s1, const SpriteRef& s2) {
        SpriteSurface1_Collision(s1, s2);
    };

    Timer1 = AddInvisible<Timer>("Timer1");
    Timer1->SetMode(Timer::Off);
    Timer1->SetPeriod(BeginnerPeriod);
    Timer1->Action = [this] { Timer1_Action(); };

    PushButton1 = AddControl<PushButton>("PushButton1", {98, 500, 80, 20});
    PushButton1->SetCaption(QStringLiteral("Start"));
    PushButton1->SetDefault(true);
    PushButton1->AddShortcut(QStringLiteral("S"));
    PushButton1->Action = [this] { PushButton1_Action(); };

    EditField1 = AddControl<EditField>("EditField1", {146, 526, 32, 27});
    EditField1->SetVisible(false);
    EditField1->GotFocus = [this] { EditField1_GotFocus(); };

    PushButton2 = AddControl<PushButton>("PushButton2", {208, 545, 80, 20});
    PushButton2->SetCaption(QStringLiteral("Push"));
    PushButton2->SetVisible(false);
    PushButton2->SetDefault(true);
    PushButton2->Action = [this] { PushButton2_Action(); };

    ImageWell1 = AddControl<ImageWell>("ImageWell1", {316, 43, 64, 64});
    ImageWell1->SetImage(Pictures::Get(Pictures::huemixsmall));

    Timer4 = AddInvisible<Timer>("Timer4");
    Timer4->SetPeriod(PollPeriod);
    Timer4->SetMode(Timer::Multiple);
    Timer4->Action = [this] { Timer4_Action(); };

    StaticText12 = AddControl<StaticText>("StaticText12", {304, 133, 39, 27});
    StaticText12->SetText(QStringLiteral("Score:"));

    PushButton3 = AddControl<PushButton>("PushButton3", {6, 500, 80, 20});
    PushButton3->SetCaption(QStringLiteral("Quit"));
    PushButton3->AddShortcut(QStringLiteral("Q"));
    PushButton3->Action = [this] { PushButton3_Action(); };

    PushButton4 = AddControl<PushButton>("PushButton4", {190, 500, 89, 20});
    PushButton4->SetCaption(QStringLiteral("New Game"));
    PushButton4->AddShortcut(QStringLiteral("N"));
    PushButton4->Action = [this] { PushButton4_Action(); };

    StaticText1 = AddControl<StaticText>("StaticText1", {347, 136, 45, 20});
    StaticText1->SetStyle({.size = 14, .bold = true, .underline = true});

    StaticText13 = AddControl<StaticText>("StaticText13", {300, 168, 164, 124});
    StaticText13->SetMultiline(true);
    StaticText13->SetText(QStringLiteral(
        "Use the right and left arrow keys to move left and right one step at a time.\r"
        "Use the Help button below for more instructions.\r\r"));

    PushButton5 = AddControl<PushButton>("PushButton5", {300, 500, 80, 20});
    PushButton5->SetCaption(QStringLiteral("HELP"));
    PushButton5->AddShortcut(QStringLiteral("H"));
    PushButton5->AddShortcut(QStringLiteral("F1"));
    PushButton5->Action = [this] { PushButton5_Action(); };

    StaticText14 = AddControl<StaticText>("StaticText14", {304, 392, 171, 21});
    StaticText14->SetStyle({.size = 9});
    StaticText14->SetMultiline(true);
    StaticText14->SetText(QStringLiteral("The falling color is compatable with:"));

    const TextStyle hintStyle{.size = 12, .bold = true, .underline = true};
    StaticText16 = AddControl<StaticText>("StaticText16", {310, 419, 70, 15});
    StaticText16->SetStyle(hintStyle);
    StaticText17 = AddControl<StaticText>("StaticText17", {310, 442, 70, 15});
    StaticText17->SetStyle(hintStyle);
    StaticText18 = AddControl<StaticText>("StaticText18", {310, 465, 70, 15});
    StaticText18->SetStyle(hintStyle);

    GroupBox1 = AddControl<GroupBox>("GroupBox1", {300, 291, 171, 89});

    RadioButton1 = AddControlIn<RadioButton>(GroupBox1, "RadioButton1", {320, 304, 100, 20});
    RadioButton1->SetCaption(QStringLiteral("Beginner"));
    RadioButton1->SetValue(true);
    RadioButton1->AddShortcut(QStringLiteral("B"));

    RadioButton2 = AddControlIn<RadioButton>(GroupBox1, "RadioButton2", {320, 343, 100, 20});
    RadioButton2->SetCaption(QStringLiteral("Expert"));
    RadioButton2->AddShortcut(QStringLiteral("E"));
    RadioButton2->Action = [this] { RadioButton2_Action(); };
}

void Window1::Event_Open() {
    kap = 0;
    aTest.clear();
    for (int x = 0; x <= LastColumnX; x += Cell) {
        aTest.push_back(x);
    }
    nTest = {1, 2, 3, 4, 5, 6};
    cTest.assign(Columns, Pictures::Get(Pictures::whiteo));
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
