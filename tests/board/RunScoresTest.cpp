// SPDX-License-Identifier: MIT
// The run's scores outlive the score board's window; every way out but SIGTERM asks about them.
#include <gtest/gtest.h>

#include <QAction>
#include <QTemporaryDir>
#include <csignal>
#include <optional>

#include "app/App.h"
#include "app/MenuBar1.h"
#include "board/Window1.h"
#include "headless/Headless.h"
#include "scores/Window4.h"

namespace {
// From the score board ("Zed" typed, then Run) a game scoring 3 and New Game, the score board
// closed by the window system while hidden; then a way out, answered if asked.
TEST(RunScoresTest, aClosedScoreBoardLosesNoRowAndEveryWayOutAsksAboutThem) {
    enum Way { CtrlQ, Interrupt };
    const struct {
        const char* name;
        bool expert;
        Way way;
        SaveChoice answer;
        int asked, quits;
        QByteArray file;
    } rows[] = {
        {"ctrlQSaves", true, CtrlQ, SaveChoice::Save, 1, 1, "Ann,12\nZed,3\nZed,0\n"},
        {"ctrlQDoesNotSave", true, CtrlQ, SaveChoice::DontSave, 1, 1, "Ann,12\n"},
        {"ctrlCCancelledGoesOn", true, Interrupt, SaveChoice::Cancel, 1, 0, "Ann,12\n"},
        {"ctrlCWithNothingUnsavedEnds", false, Interrupt, SaveChoice::Cancel, 0, 1, "Ann,12\n"},
    };
    const QByteArray configWas = qgetenv("XDG_CONFIG_HOME");
    for (const auto& row : rows) {
        SCOPED_TRACE(row.name);
        QTemporaryDir home;
        qputenv("XDG_CONFIG_HOME", QFile::encodeName(home.path()));
        QFile prefs(home.filePath("Huemix.prefs"));
        ASSERT_TRUE(prefs.open(QIODevice::WriteOnly)) << "the score file could not be made";
        ASSERT_EQ(prefs.write("Ann,12\n"), 7) << "the score file was not written";
        prefs.close();
        recorded().clear();
        std::signal(SIGINT, SIG_DFL);  // as a terminal starts the game, not a background job
        const App app;
        App::wireWindows();
        Window4& scores = Window4::shared();
        scores.EditField1->setText("Zed");
        scores.StaticText3_MouseDown(0, 0);  // "Run"
        Window1& first = Window1::shared();
        first.RadioButton2->setValue(row.expert);
        first.PushButton1->Push();
        first.counter = 3;
        first.PushButton4->Push();  // New Game
        scores.close();
        settleEvents();
        ASSERT_EQ(Window4::existing(), nullptr);

        {
            const Override asking(services().saveQuestion, [&](const QString& question) {
                recorded().questions << question;
                return row.answer;
            });
            if (row.way == CtrlQ) {
                MenuBar1::shared().findChild<QAction*>("FileQuit")->trigger();
            } else {
                ASSERT_EQ(std::raise(SIGINT), 0);
                QCoreApplication::processEvents();
            }
        }
        EXPECT_EQ(recorded().questions.size(), row.asked);
        EXPECT_EQ(recorded().quits, row.quits);
        prefs.open(QIODevice::ReadOnly);
        EXPECT_EQ(prefs.readAll(), row.file);
        closeAllWindows();
        Window4::endRun();
    }
    qputenv("XDG_CONFIG_HOME", configWas);
}
}  // namespace
