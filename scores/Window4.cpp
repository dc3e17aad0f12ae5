// SPDX-License-Identifier: MIT
#include "scores/Window4.h"

#include <QCoreApplication>
#include <QPointer>

#include "framework/Application.h"
#include "scores/ScoreFile.h"

namespace {
// What the run keeps of the score board, open or not.
struct Run {
    QPointer<ScoreModel> rows;  // the application's: no static may own a QObject
    QString unread;             // why the list is empty or short, if it is
    QString name;               // as typed
};
Run& run() {
    static Run state;
    return state;
}

// The run's rows, read from the file when the run has none yet.
ScoreModel& runRows() {
    if (!run().rows) {
        run().rows = new ScoreModel(QCoreApplication::instance());
        run().unread = loadScores(*run().rows);
    }
    return *run().rows;
}
}  // namespace

Window4::Window4() {
    WindowAttributes attributes;
    attributes.title = tr("Scores");
    attributes.width = 350;
    attributes.height = 300;
    attributes.closeButton = true;
    attributes.minimizeButton = true;
    attributes.resizeable = false;
    attributes.whiteBackground = true;
    applyAttributes(attributes);
    // The application's menu bar, so Quit and About are there from the start.
    if (Application* app = Application::shared()) {
        setMenuBar(app->menus());
    }

    // Shown here, but the run's: the list would take them as its own. It
    // takes a long list a part at a time, with progress between.
    Scores = &runRows();
    Scores->withdraw();
    ListBox1 = addControl<ListBox>("ListBox1", {36, 22, 158, 100}, Scores);
    Scores->setParent(QCoreApplication::instance());
    Scores->publish();
    ListBox1->setInitialValue(tr("Name\tScore"));
    ListBox1->fitLastColumn(QStringLiteral("2147483647"));  // the largest score

    StaticText1 = addControl<StaticText>("StaticText1", {30, 134, 300, 89});
    StaticText1->setMultiline(true);

    StaticText3 = addControl<StaticText>("StaticText3", {174, 235, 100, 20});
    StaticText3->setText(tr("Run"));
    StaticText3->setCentered(true);
    StaticText3->setTextColor(Qt::black);
    StaticText3->setStyle({.underline = true});
    StaticText3->setMouseDown([this](int x, int y) { return StaticText3_MouseDown(x, y); });

    StaticText4 = addControl<StaticText>("StaticText4", {206, 22, 107, 100});
    StaticText4->setMultiline(true);
    StaticText4->setText(
        tr("<- Click to order scores. Only scores obtained in the Expert Mode will be "
           "recorded."));

    EditField1 = addControl<EditField>("EditField1", {102, 261, 80, 22});
    EditField1->setVisible(false);
    EditField1->setSpokenName(tr("Your name"));
    setTabOrder(EditField1->widget(), StaticText3->widget());
    setTabOrder(StaticText3->widget(), ListBox1->widget());

    // Small, in the free corner beside the name field.
    StaticText5 = addControl<StaticText>("StaticText5", {190, 258, 156, 40});
    StaticText5->setMultiline(true);
    StaticText5->setStyle({.size = 10});
    StaticText5->setTextColor(QColor(160, 0, 0));
}

Window4::~Window4() {
    if (!closing()) {
        endRun();
    }
}

void Window4::Event_Open() {
    StaticText5->setText(run().unread);
    StaticText1->setText(
        tr("If you want your score to be eligible for recording, please enter your "
           "name/handle/initials. ->NOTE WELL: For your score(s) to be recorded you must use the "
           "QUIT button on the Game Board to quit or end."));
    EditField1->setText(run().name);
    EditField1->TextChanged = [](const QString& typed) { run().name = typed; };
    EditField1->setVisible(true);
    connect(EditField1->view(), &QLineEdit::returnPressed, this,
            [this] { StaticText3_MouseDown(0, 0); });  // as a click on "Run"
    EditField1->SetFocus();
}

bool Window4::StaticText3_MouseDown(int, int) {
    hide();
    showBoard();
    return false;
}

QString Window4::playerName() {
    return nameToRecord(run().name);
}

void Window4::recordScore(const QString& name, int score) {
    ScoreModel& rows = runRows();
    rows.addRow(name.toUtf8());
    rows.setCell(rows.lastIndex(), 1, QString::number(score).toUtf8());
}

bool Window4::hasUnsavedScores() {
    return run().rows && run().rows->unsaved();
}

SaveResult Window4::saveScores(const QString& name, int score) {
    return ::saveScores(runRows(), name, score);
}

void Window4::endRun() {
    delete run().rows;
    run() = {};
}
