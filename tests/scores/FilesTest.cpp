// Text files as lines of bytes, and the safe replacement of a file. Files that
// are not regular files, and files that cannot be made, are covered with the score file.
#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include "framework/Files.h"

namespace {
QByteArray Contents(const QString& path) {
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray("<no file>");
}

void Put(const QString& path, const QByteArray& bytes) {
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
    ASSERT_EQ(file.write(bytes), bytes.size());
}

// Every line read as a loader reads them: one read, then the end test.
QList<QByteArray> Lines(const FolderItem& file) {
    QList<QByteArray> lines;
    const auto in = file.OpenAsTextFile();
    if (!in) {
        return {"<no stream>"};
    }
    do {
        lines << in->ReadLine();
    } while (!in->AtEOF());
    return lines;
}

struct LineCase {
    const char* title;
    QByteArray contents;
    QList<QByteArray> lines;
};

class FilesTest : public ::testing::Test {
  protected:
    QString At(const QString& name) const { return dir_.filePath(name); }
    QTemporaryDir dir_;
};

TEST_F(FilesTest, linesAreCutAtLineFeedsOnlyAndReadAtLeastOnce) {
    constexpr int Piece = 64 * 1024;  // the reader's piece size: lines across its edges
    const QByteArray longLine(Piece - 1, 'x');
    const LineCase cases[] = {
        {"empty file", "", {""}},
        {"blank line at the end", "Ann,12\n\n", {"Ann,12", ""}},
        {"CR stays with its line", "Ann,12\r\nBob,3\r\n", {"Ann,12\r", "Bob,3\r"}},
        {"lone CR is no line end", "a\rb\n", {"a\rb"}},
        {"line ends at a piece's edge", longLine + "\nz", {longLine, "z"}},
        {"line across pieces", longLine + "yy\nz\n", {longLine + "yy", "z"}},
        {"delimiter first in a piece", longLine + "y\n", {longLine + "y"}},
    };
    for (const LineCase& c : cases) {
        Put(At("f"), c.contents);
        EXPECT_EQ(Lines(FolderItem(At("f"))), c.lines) << c.title;
    }
}

TEST_F(FilesTest, aNewFileReplacesTheOldOnlyWhenClosed) {
    const FolderItem file = FolderItem(dir_.path()).Child("made/on/demand/f");
    {
        auto out = file.CreateTextFile();
        out->WriteLine("first");
        ASSERT_TRUE(out->Close()) << out->ErrorString().toStdString();
    }
    EXPECT_EQ(Contents(file.Path()), "first\n");

    {
        auto out = file.CreateTextFile();
        out->Write("dropped");
        out->WriteLine(QByteArray(200 * 1024, 'd'));  // more than one piece reaches the disk
    }
    EXPECT_EQ(Contents(file.Path()), "first\n") << "an unclosed stream changes nothing";

    {
        auto out = file.CreateTextFile();
        out->Write("a");
        out->Write(QByteArray("\0,", 2));
        out->WriteLine("\xff\r");
        ASSERT_TRUE(out->Close());
        EXPECT_TRUE(out->Close()) << "closing again is harmless";
    }
    EXPECT_EQ(Contents(file.Path()), QByteArray("a\0,\xff\r\n", 6));
    const QDir folder = QFileInfo(file.Path()).dir();
    EXPECT_EQ(folder.entryList(QDir::Files | QDir::Hidden), QStringList{"f"})
        << "no temporary file is left behind";

    // What replacements killed halfway left behind goes with the next one;
    // anything else of a like name stays.
    for (const char* name :
         {"f.AbcdEf", "f.zzzzzz", "f.Ab12Cd", "f.AbcdE", "f.AbcdE_", "g.AbcdEf", "f.AbcdEfg"}) {
        Put(folder.filePath(name), "left");
    }
    ASSERT_TRUE(folder.mkdir("f.DirAbc"));
    ASSERT_TRUE(QFile::link(folder.filePath("g.AbcdEf"), folder.filePath("f.LinkAb")));
    auto out = file.CreateTextFile();
    ASSERT_TRUE(out->Close());
    EXPECT_EQ(
        folder.entryList(QDir::AllEntries | QDir::NoDotAndDotDot | QDir::Hidden | QDir::System),
        QStringList({"f", "f.Ab12Cd", "f.AbcdE", "f.AbcdE_", "f.AbcdEfg", "f.DirAbc", "f.LinkAb",
                     "g.AbcdEf"}));
}

}  // namespace
