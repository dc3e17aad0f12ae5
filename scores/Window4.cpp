// SPDX-License-Identifier: MIT
#include "scores/Window4.h"

#include "framework/Application.h"
#include "scores/ScoreFile.h"

Window4::Window4() : Window(ClassName) {
    WindowAttributes attributes;
    attributes.title = QStringLiteral("Scores");
    attributes.width = 350;
    attributes.height = 300;
    attributes.closeButton = true;
    attributes.minimizeButton = true;
    attributes.maximizeButton = false;
    attributes.resizeable = false;
    attributes.whiteBackground = true;
    ApplyAttributes(attributes);
    // The application's menu bar, so Quit and About are there from the start.
    if (Application* app = Application::Instance()) {
        SetMenuBar(app->Menus());
    }

    ListBox1 = AddControl<ListBox>("ListBox1", {36, 22, 158, 100});
    ListBox1->SetColumnCount(2);
    ListBox1->SetInitialValue(QStringLiteral("Name\tScore"));
    ListBox1->FitLastColumn(QStringLiteral("2147483647"));  // the largest score

    StaticText1 = AddControl<StaticText>("StaticText1", {30, 134, 300, 89});
    StaticText1->SetMultiline(true);

    StaticText3 = AddControl<StaticText>("StaticText3", {174, 235, 100, 20});
    StaticText3->SetText(QStringLiteral("Run"));
    StaticText3->SetCentered(true);
    StaticText3->SetTextColor(Qt::black);
    StaticText3->SetStyle({.underline = true});
    StaticText3->SetMouseDown([this](int x, int y) { return StaticText3_MouseDown(x, y); });

    StaticText4 = AddControl<StaticText>("StaticText4", {206, 22, 107, 100});
    StaticText4->SetMultiline(true);
    StaticText4->SetText(
        QStringLiteral("<- Click to order scores. Only scores obtained in the Expert Mode will be "
                       "recorded."));

    EditField1 = AddControl<EditField>("EditField1", {102, 261, 80, 22});
    EditField1->SetVisible(false);
}

void Window4::Event_Open() {
    LoadScores(*ListBox1);
    StaticText1->SetText(QStringLiteral(
        "If you want your score to be eligible for recording, please enter your "
        "name/handle/initials. ->NOTE WELL: For your score(s) to be recorded you must use the "
        "QUIT button on the Game Board to quit or end."));
    EditField1->SetVisible(true);
    EditField1->ReturnPressed = [this] { StaticText3_MouseDown(0, 0); };  // as a click on "Run"
    EditField1->SetFocus();
}

bool Window4::StaticText3_MouseDown(int, int) {
    Hide();
    Window::Shared(QStringLiteral("Window1"))->Show();
    return false;
}
