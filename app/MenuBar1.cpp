#include "app/MenuBar1.h"

#include <memory>

namespace {
std::unique_ptr<MenuBar1>& shared() {
    static std::unique_ptr<MenuBar1> bar;
    return bar;
}
}  // namespace

MenuBar1::MenuBar1() {
    Untitled0();
    Untitled1();
}

MenuBar1& MenuBar1::instance() {
    if (!shared()) {
        shared() = std::make_unique<MenuBar1>();
    }
    return *shared();
}

void MenuBar1::release() {
    shared().reset();
}

void MenuBar1::Untitled0() {
    using Kind = MenuItem::Kind;
    MenuItem* file = AddMenu(QStringLiteral("FileMenu"), QStringLiteral("&File"));
    AddItem(file, Kind::Quit, QStringLiteral("FileQuit"), QStringLiteral("Quit"),
            QStringLiteral("Cmd+Q"));
    AddItem(file, Kind::About, QStringLiteral("AppleAbout"), QStringLiteral("AboutHuemix"));
}

void MenuBar1::Untitled1() {
    using Kind = MenuItem::Kind;
    using Command = MenuItem::EditCommand;
    MenuItem* edit = AddMenu(QStringLiteral("EditMenu"), QStringLiteral("&Edit"));
    const auto item = [&](const char* name, const char* text, const char* shortcut,
                          Command command) {
        AddItem(edit, Kind::Item, QString::fromLatin1(name), QString::fromLatin1(text),
                QString::fromLatin1(shortcut))
            ->SetEditCommand(command);
    };
    item("EditUndo", "&Undo", "Cmd+Z", Command::Undo);
    AddItem(edit, Kind::Separator, QStringLiteral("UntitledMenu1"), QStringLiteral("-"));
    item("EditCut", "Cu&t", "Cmd+X", Command::Cut);
    item("EditCopy", "&Copy", "Cmd+C", Command::Copy);
    item("EditPaste", "&Paste", "Cmd+V", Command::Paste);
    item("EditClear", "&Delete", "", Command::Clear);
    AddItem(edit, Kind::Separator, QStringLiteral("UntitledMenu0"), QStringLiteral("-"));
    item("EditSelectAll", "Select &All", "Cmd+A", Command::SelectAll);
}
