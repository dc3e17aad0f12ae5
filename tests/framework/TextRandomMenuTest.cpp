#include <gtest/gtest.h>

#include <QAction>
#include <QKeySequence>
#include <QMenu>

#include "framework/MenuBar.h"
#include "support/Fakes.h"

namespace {

TEST(MenuBarTest, itemsReachTheirMenusWithCtrlShortcutsAndQuitQuitsByItself) {
    MenuBar bar;
    MenuItem* file = bar.AddMenu(QStringLiteral("FileMenu"), QStringLiteral("&File"));
    MenuItem* quit = bar.AddItem(file, MenuItem::Kind::Quit, QStringLiteral("FileQuit"),
                                 QStringLiteral("Quit"), QStringLiteral("Cmd+Q"));
    MenuItem* about = bar.AddItem(file, MenuItem::Kind::About, QStringLiteral("AppleAbout"),
                                  QStringLiteral("AboutHuemix"));
    MenuItem* edit = bar.AddMenu(QStringLiteral("EditMenu"), QStringLiteral("&Edit"));
    MenuItem* undo = bar.AddItem(edit, MenuItem::Kind::Item, QStringLiteral("EditUndo"),
                                 QStringLiteral("&Undo"), QStringLiteral("Cmd+Z"));
    MenuItem* line = bar.AddItem(edit, MenuItem::Kind::Separator, QStringLiteral("UntitledMenu1"),
                                 QStringLiteral("-"));

    EXPECT_EQ(file->MenuObject()->actions(),
              (QList<QAction*>{quit->ActionObject(), about->ActionObject()}));
    EXPECT_EQ(bar.Item(QStringLiteral("EditUndo")), undo);
    EXPECT_EQ(undo->ActionObject()->shortcut(), QKeySequence(Qt::CTRL | Qt::Key_Z));
    // A "-" is the line alone: the menu would draw a text beside it.
    EXPECT_TRUE(line->ActionObject()->isSeparator());
    EXPECT_EQ(line->ActionObject()->text(), QString());
    EXPECT_EQ(line->Text(), "-");
    // What every window takes on, so Quit and About work from any of them.
    EXPECT_EQ(bar.ShortcutActions(),
              (QList<QAction*>{quit->ActionObject(), about->ActionObject()}));

    // The quit item quits by itself; another item runs the handler it is given.
    recorded().Clear();
    quit->ActionObject()->trigger();
    EXPECT_EQ(recorded().quits, 1);
    int abouts = 0;
    about->Action = [&] {
        ++abouts;
        return false;
    };
    about->ActionObject()->trigger();
    EXPECT_EQ(abouts, 1);
    EXPECT_EQ(recorded().quits, 1);
}

}  // namespace
