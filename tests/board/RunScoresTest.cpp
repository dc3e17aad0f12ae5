// SPDX-License-Identifier: MIT
// The run's scores outlive the score board's window.
#include <gtest/gtest.h>

#include <QAction>
#include <QTemporaryDir>
#include <csignal>

#include "app/App.h"
#include "app/MenuBar1.h"
#include "board/Window1.h"
#include "headless/Headless.h"
#include "scores/Window4.h"

namespace {
// From the score board ("Zed" typed, then Run) a game scoring 3 and New Game; the score board
// is closed by the window system while hidden. Ctrl+C, cancelled, goes on; Ctrl+Q, answered
// Save, saves both games.
TEST(RunScoresTest, aClosedScoreBoardLosesNoRowAndCtrlCAndCtrlQAskAboutThem) {
    const QByteArray configWas = qgetenv("XDG_CONFIG_HOME");
    QTemporaryDir home;
    qputenv("XDG_CONFIG_HOME", QFile::encodeName(home.path()));
    recorded().clear();
    std::signal(SIGINT, SIG_DFL);  // as a terminal starts the game, not a background job
    const App app;
    App::wireWindows();
    Window4& scores = Window4::shared();
    scores.EditField1->setText("Zed");
    scores.StaticText3_MouseDown(0, 0);  // "Run"
    Window1& first = Window1::shared();
    first.RadioButton2->setValue(true);
    first.PushButton1->Push();
    first.counter = 3;
    first.PushButton4->Push();  // New Game
    scores.close();
    settleEvents();
    ASSERT_EQ(Window4::existing(), nullptr);
    SaveChoice answer = SaveChoice::Cancel;
    const Override asking(services().saveQuestion, [&](const QString& question) {
        recorded().questions << question;
        return answer;
    });
    ASSERT_EQ(std::raise(SIGINT), 0);
    QCoreApplication::processEvents();
    EXPECT_EQ(recorded().questions.size(), 1) << "Ctrl+C asked nothing";
    EXPECT_EQ(recorded().quits, 0) << "Ctrl+C, cancelled, ended the game";
    answer = SaveChoice::Save;
    MenuBar1::shared().findChild<QAction*>("FileQuit")->trigger();
    EXPECT_EQ(recorded().questions.size(), 2) << "Ctrl+Q asked nothing";
    EXPECT_EQ(recorded().quits, 1) << "Ctrl+Q, answered Save, did not end the game";
    QFile prefs(home.filePath("Huemix.prefs"));
    ASSERT_TRUE(prefs.open(QIODevice::ReadOnly)) << "nothing was saved";
    EXPECT_EQ(prefs.readAll(), "Zed,3\nZed,0\n");
    closeAllWindows();
    Window4::endRun();
    qputenv("XDG_CONFIG_HOME", configWas);
}
}  // namespace
