#include "scores/ScoreFile.h"

#include <QDir>

#include "framework/Controls.h"
#include "framework/ListBox.h"
#include "framework/Text.h"

namespace {
// A record is one line holding one comma. A line break in a cell would make
// two records; a comma in a name would move the cut, and the next read would
// take the rest of the name for the score, losing the score itself. Rows read
// from the file hold neither, so they are written back unchanged.
void WriteField(TextOutputStream& out, QByteArrayView cell) {
    if (!cell.contains(LineDelimiter) && !cell.contains(',')) {
        out.Write(cell);
        return;
    }
    QByteArray safe = cell.toByteArray();
    safe.replace(LineDelimiter, ' ').replace(",", "");
    out.Write(safe);
}
}  // namespace

FolderItem ScoreFile() {
    return PreferencesFolder().Child(QStringLiteral("Huemix.prefs"));
}

void LoadScores(ListBox& list) {
    const FolderItem file = ScoreFile();
    if (!file.Exists()) {
        return;
    }
    const std::unique_ptr<TextInputStream> in = file.OpenAsTextFile();
    if (!in) {
        return;
    }
    list.BeginAdding();
    // One read even on an empty file: the end is tested after each line.
    do {
        const QByteArray line = in->ReadLine();
        const QByteArray score = NthField(line, ",", 2);
        if (!score.isEmpty()) {
            list.AddRowBytes(NthField(line, ",", 1));
            list.SetCellBytes(list.LastIndex(), 1, score);
        }
    } while (!in->AtEOF());
    list.EndAdding();
}

QString SaveScores(const ListBox& list, const QString& name, int score) {
    const FolderItem file = ScoreFile();
    const std::unique_ptr<TextOutputStream> out = file.CreateTextFile();
    const int rows = list.ListCount();
    for (int row = 0; row < rows; ++row) {
        WriteField(*out, list.CellView(row, 0));
        out->Write(",");
        WriteField(*out, list.CellView(row, 1));
        out->WriteLine({});
    }
    if (!name.isEmpty()) {
        WriteField(*out, WithoutLineBreaks(name).toUtf8());
        out->Write(",");
        out->WriteLine(Str(score).toUtf8());
    }
    if (out->Close()) {
        return {};
    }
    return QStringLiteral(
               "Your scores could not be saved to %1: %2.\n\n"
               "The score file was left as it was, and the scores of this game are still "
               "kept. Press Quit again to try once more, or choose Quit from the File menu "
               "to leave without saving.")
        .arg(QDir::toNativeSeparators(file.Path()), out->ErrorString());
}
