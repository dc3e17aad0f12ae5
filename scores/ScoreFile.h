// SPDX-License-Identifier: MIT
#pragma once

#include <QString>
#include <functional>

#include "framework/Files.h"

class ListBox;
class Progress;
class ScoreModel;

// The recorded scores: "Huemix.prefs" in the preferences folder, one record
// per line, name "," score. Name and score are kept as the bytes they are, so
// what was read is written back unchanged.
FolderItem scoreFile();

// The most the game reads: a larger file (about ten million records), or a
// record with a longer name or score, is not read whole, and a save asks
// before replacing it. Reading a record needs only its own two fields in
// memory, however long the line's other fields are. Tests make them small.
struct ScoreFileLimits {
    qint64 fileBytes = qint64{128} << 20;
    qsizetype fieldBytes = qsizetype{1} << 20;
};
inline ScoreFileLimits scoreFileLimits;

// A record: its name, its score, and the line's bytes after the score from its second comma
// on (empty when it has none).
using ScoreSink =
    std::function<void(QByteArrayView name, QByteArrayView score, QByteArrayView rest)>;
// A line that is no record, whole.
using LineSink = std::function<void(QByteArrayView line)>;

// Calls `add` for every line of `in` whose second field is not empty and `other`, if given,
// for every other line, in file order; returns why it stopped before the end, empty if it
// did not. A CR before a line end belongs to the line, so a CR LF file is written back as
// it was.
QString readScores(QIODevice& in, const ScoreSink& add, const LineSink& other = {},
                   Progress* progress = nullptr);
// A field as a record holds it: a line break becomes a blank, commas go.
QByteArray recordField(QByteArrayView cell);
// One record line, its name and score as recordField makes them, then `rest` as it is; with
// `crlf`, it ends with a CR.
void writeScore(TextOutputStream& out, QByteArrayView name, QByteArrayView score,
                QByteArrayView rest = {}, bool crlf = false);

// Appends every record of the score file to the list. Returns what the score
// board should tell the player: why the list is empty or short (a file that
// cannot be opened or read whole, no home), or nothing.
QString loadScores(ScoreModel& scores);

// The typed name as the file records it, or none when nothing of it would
// reach the file: a record's name holds no comma, so commas alone are no name.
QString nameToRecord(const QString& typed);

struct SaveResult {
    bool saved = false;
    QString message;  // what the player should be told; empty when nothing
};

// Replaces the score file by the rows of the list in their current order, the
// records others put into the file since it was read (another game's save, a
// hand edit), the line name "," score if a name is given, and last the lines of
// the file that are no records, as they are. A file whose first line ends with
// CR LF gets CR LF on every line. When the file
// cannot be read whole now, the player is asked first and may keep it. Unless
// saved, the old file is as it was. The list is the score board's; records
// others added join it once saved.
SaveResult saveScores(ListBox& list, const QString& name, int score);
SaveResult saveScores(ScoreModel& scores, const QString& name, int score);
// The list holds rows that are not in the file (New Game's).
bool unsavedScores(const ListBox& list);
