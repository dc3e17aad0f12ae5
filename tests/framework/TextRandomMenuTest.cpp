#include <gtest/gtest.h>

#include <QAction>
#include <QKeySequence>
#include <QMenu>
#include <set>
#include <vector>

#include "framework/MenuBar.h"
#include "framework/Random.h"
#include "framework/Text.h"
#include "support/Fakes.h"

namespace {

struct FieldCase {
    const char* text;
    const char* separator;
    int n;
    const char* field;
};

TEST(NthFieldTest, cutsAtEverySeparatorCountingFromOne) {
    const FieldCase cases[] = {
        {"Ann,12", ",", 1, "Ann"},      {"Ann,12", ",", 2, "12"},     {"Ann,12", ",", 3, ""},
        {"Ann,12,extra", ",", 2, "12"}, {"Ann", ",", 1, "Ann"},       {"Ann", ",", 2, ""},
        {"Ann,", ",", 2, ""},           {",12", ",", 1, ""},          {",12", ",", 2, "12"},
        {"Ann,,12", ",", 2, ""},        {"Smith, J,5", ",", 2, " J"}, {"", ",", 1, ""},
        {"a::b::c", "::", 3, "c"},      {"Ann,12", ",", 0, ""},
    };
    for (const FieldCase& c : cases) {
        EXPECT_EQ(NthField(QString::fromUtf8(c.text), QString::fromUtf8(c.separator), c.n),
                  QString::fromUtf8(c.field))
            << '"' << c.text << "\" field " << c.n;
    }
    EXPECT_EQ(Str(-12), QStringLiteral("-12"));
}

TEST(RandomTest, seededShuffleLetsEveryElementComeFirst) {
    SeededRandom seeded(7);
    SetRandom(&seeded);
    std::set<int> firsts;
    std::vector<int> list{0, 32, 64, 96, 128, 160, 192, 224, 256};
    for (int draw = 0; draw < 500; ++draw) {
        Shuffle(list);
        firsts.insert(list[0]);
        std::vector<int> sorted = list;
        std::sort(sorted.begin(), sorted.end());
        ASSERT_EQ(sorted, (std::vector<int>{0, 32, 64, 96, 128, 160, 192, 224, 256}));
    }
    SetRandom(nullptr);
    EXPECT_EQ(firsts.size(), 9u);
}

TEST(MenuBarTest, keepsItemsInOrderWithPlatformShortcutsAndRoles) {
    MenuBar bar;
    MenuItem* file = bar.AddMenu(QStringLiteral("FileMenu"), QStringLiteral("&File"));
    bar.AddItem(file, MenuItem::Kind::Quit, QStringLiteral("FileQuit"), QStringLiteral("Quit"),
                QStringLiteral("Cmd+Q"));
    MenuItem* about = bar.AddItem(file, MenuItem::Kind::About, QStringLiteral("AppleAbout"),
                                  QStringLiteral("AboutHuemix"));
    MenuItem* edit = bar.AddMenu(QStringLiteral("EditMenu"), QStringLiteral("&Edit"));
    bar.AddItem(edit, MenuItem::Kind::Item, QStringLiteral("EditUndo"), QStringLiteral("&Undo"),
                QStringLiteral("Cmd+Z"));
    bar.AddItem(edit, MenuItem::Kind::Separator, QStringLiteral("UntitledMenu1"),
                QStringLiteral("-"));

    ASSERT_EQ(bar.Menus(), (QList<MenuItem*>{file, edit}));
    EXPECT_EQ(file->MenuObject()->actions(),
              (QList<QAction*>{bar.Item(QStringLiteral("FileQuit"))->ActionObject(),
                               about->ActionObject()}));
    EXPECT_EQ(bar.Item(QStringLiteral("EditUndo"))->KeyboardShortcut(), QStringLiteral("Cmd+Z"));
    EXPECT_EQ(bar.Item(QStringLiteral("EditUndo"))->ActionObject()->shortcut(),
              QKeySequence(Qt::CTRL | Qt::Key_Z));
    EXPECT_TRUE(bar.Item(QStringLiteral("UntitledMenu1"))->ActionObject()->isSeparator());
    EXPECT_EQ(bar.Item(QStringLiteral("FileQuit"))->ActionObject()->menuRole(), QAction::QuitRole);
    EXPECT_EQ(about->ActionObject()->menuRole(), QAction::AboutRole);

    // The quit item quits by itself; another item runs the handler it is given.
    recorded().Clear();
    bar.Item(QStringLiteral("FileQuit"))->ActionObject()->trigger();
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
