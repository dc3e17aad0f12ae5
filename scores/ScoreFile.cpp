// SPDX-License-Identifier: MIT
#include "scores/ScoreFile.h"

#include <QDir>

#include "framework/Application.h"
#include "framework/Controls.h"
#include "framework/ListBox.h"
#include "framework/Progress.h"
#include "framework/Text.h"

namespace {
// Why the last load stopped before the end of the file; empty if it did not.
QString cutShort;

// A record is one line holding one comma. A line break in a cell would make
// two records; a comma in a name would move the cut, and the next read would
// take the rest of the name for the score, losing the score itself. Rows read
// from the file hold neither, so they are written back unchanged.
void writeField(TextOutputStream& out, QByteArrayView cell) {
    if (!cell.contains(LineDelimiter) && !cell.contains(',')) {
        out.write(cell);
        return;
    }
    QByteArray safe = cell.toByteArray();
    safe.replace(LineDelimiter, ' ').replace(",", "");
    out.write(safe);
}
}  // namespace

QString nameToRecord(const QString& typed) {
    return QString(typed).remove(QLatin1Char(',')).isEmpty() ? QString() : typed;
}

FolderItem scoreFile() {
    return PreferencesFolder().Child(QStringLiteral("Huemix.prefs"));
}

void loadScores(ListBox& list) {
    cutShort.clear();
    const std::unique_ptr<TextInputStream> in = scoreFile().OpenAsTextFile();
    if (!in) {
        return;
    }
    Progress progress(QStringLiteral("Loading the scores…"), in->size());
    list.beginAdding();
    QByteArray name, score;
    // One read even on an empty file: the end is tested after each line.
    do {
        if (in->readFields(',', name, score)) {
            list.addRowBytes(name);
            list.setCellBytes(list.LastIndex(), 1, score);
        }
        progress.setValue(in->offset());
    } while (!in->atEOF());
    list.endAdding();
    cutShort = in->errorString();
}

SaveResult saveScores(const ListBox& list, const QString& name, int score) {
    const FolderItem file = scoreFile();
    const QString where = QDir::toNativeSeparators(file.path());
    const int rows = list.ListCount();
    if (!cutShort.isEmpty() && file.Exists() &&
        !msgBoxYesNo(
            QStringLiteral("The score file %1 could not be read to its end (%2), so the "
                           "scores after that point are not in the list.\n\n"
                           "Replace the file with the %3 scores in the list and this game's? "
                           "The scores that could not be read will be lost.\n\n"
                           "Choose No to leave the file as it is: the game stays open and keeps "
                           "this game's score, so you can save a copy of the file first and then "
                           "press Quit again.")
                .arg(where, cutShort)
                .arg(rows))) {
        return {};
    }
    const std::unique_ptr<TextOutputStream> out = file.CreateTextFile();
    Progress progress(QStringLiteral("Saving the scores…"), rows);
    for (int row = 0; row < rows; ++row) {
        writeField(*out, list.Cell(row, 0));
        out->write(",");
        writeField(*out, list.Cell(row, 1));
        out->WriteLine({});
        progress.setValue(row + 1);
    }
    if (!name.isEmpty()) {
        writeField(*out, withoutLineBreaks(name).toUtf8());
        out->write(",");
        out->WriteLine(Str(score).toUtf8());
    }
    if (out->Close()) {
        cutShort.clear();  // the file is now all in the list
        return {true, {}};
    }
    return {false, QStringLiteral(
                       "Your scores could not be saved to %1: %2.\n\n"
                       "The score file was left as it was, and the scores of this game are still "
                       "kept. Press Quit again to try once more, or choose Quit from the File menu "
                       "to leave without saving.")
                       .arg(where, out->errorString())};
}
