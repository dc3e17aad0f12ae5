// SPDX-License-Identifier: MIT
#include "scores/ScoreFile.h"

#include <QCoreApplication>
#include <QDir>
#include <QHash>
#include <QLoggingCategory>
#include <QVarLengthArray>
#include <algorithm>
#include <memory>
#include <new>
#include <optional>
#include <vector>

#include "framework/Application.h"
#include "framework/Controls.h"
#include "framework/ListBox.h"
#include "framework/Progress.h"
#include "scores/ScoreModel.h"

// Why the score file could not be read or saved, on the error output for a bug report
// (QT_LOGGING_RULES="huemix.scores.warning=false" silences it).
Q_LOGGING_CATEGORY(scoresLog, "huemix.scores")

namespace {
// Reads go to the system in pieces of this size.
constexpr qint64 Chunk = 256 * 1024;

QString tooLarge() {
    return QCoreApplication::translate("ScoreFile", "it is larger than %1 MB")
        .arg(scoreFileLimits.fileBytes >> 20);
}

ScoreModel& scoresOf(const ListBox& list) {
    return dynamic_cast<ScoreModel&>(list.rows());
}

// Why the file there cannot be read whole; empty if it can be, or is not there.
QString readAll(const FolderItem& file, const ScoreSink& add, const LineSink& other) {
    QString why;
    const std::unique_ptr<QFile> in = file.OpenAsTextFile(why);
    if (!in) {
        return why;
    }
    if (in->size() > scoreFileLimits.fileBytes) {
        return tooLarge();
    }
    // Also at a save, which reads the file again: a long one takes a while.
    Progress progress(QCoreApplication::translate("ScoreFile", "Loading the scores…"), in->size());
    return readScores(*in, add, other, &progress);
}

// A record as the file holds it, its line end left out: a record written with a CR, as in a
// CR LF file, is the record it was.
struct LineRecord {
    QByteArrayView name, score, rest;
    LineRecord(QByteArrayView n, QByteArrayView s, QByteArrayView r) : name(n), score(s), rest(r) {
        QByteArrayView& last = rest.isEmpty() ? score : rest;
        if (last.endsWith('\r')) {
            last.chop(1);
        }
    }
    bool operator==(const LineRecord& o) const {
        return name == o.name && score == o.score && rest == o.rest;
    }
    quint32 hash() const { return static_cast<quint32>(qHash(name, qHash(score, qHash(rest)))); }
};

// What the file holds now besides the records it held when last read or written.
struct FileNow {
    ScoreRecords added;  // records, as a multiset: one there twice now and once then is new once
    QByteArray others;   // the lines that are no records, each ended by a LF
    bool crlf = false;   // its first line ends with CR LF
};

// Reads the file again; returns why it could not be read whole.
QString readFileNow(const FolderItem& file, const ScoreModel& scores, FileNow& now) {
    // Mostly the file is as it was read, in the same order: its records are
    // matched one by one until one differs. From there on the known records
    // left are found by hash, open addressed: a slot holds a record's number,
    // -1 when empty, -2 once matched. Sorting, or a node per record, would
    // take seconds or much memory for a million.
    struct Slot {
        quint32 hash;
        qint32 number;
    };
    const qsizetype count = scores.knownCount();
    qsizetype next = 0;  // the known records before it are matched in order
    std::vector<Slot> table;
    std::size_t mask = 0;
    bool first = true;
    const auto known = [&](qsizetype number, std::optional<LineRecord>& record) {
        QByteArrayView name, score, rest;
        if (!scores.known(number, name, score, rest)) {
            return false;
        }
        record.emplace(name, score, rest);
        return true;
    };
    const auto index = [&] {
        std::size_t size = 16;
        while (size < 2 * static_cast<std::size_t>(count - next)) {
            size *= 2;
        }
        table.assign(size, Slot{0, -1});
        mask = size - 1;
        std::optional<LineRecord> record;
        for (qsizetype number = next; number < count; ++number) {
            if (known(number, record)) {
                const quint32 hash = record->hash();
                std::size_t at = hash & mask;
                while (table[at].number != -1) {
                    at = (at + 1) & mask;
                }
                table[at] = {hash, static_cast<qint32>(number)};
            }
        }
    };
    const auto matched = [&](const LineRecord& line) {
        std::optional<LineRecord> record;
        if (table.empty()) {
            while (next < count && !known(next, record)) {
                ++next;
            }
            if (next < count && *record == line) {
                ++next;
                return true;
            }
            index();
        }
        const quint32 hash = line.hash();
        for (std::size_t at = hash & mask; table[at].number != -1; at = (at + 1) & mask) {
            Slot& slot = table[at];
            if (slot.number >= 0 && slot.hash == hash && known(slot.number, record) &&
                *record == line) {
                slot.number = -2;
                return true;
            }
        }
        return false;
    };
    return readAll(
        file,
        [&](QByteArrayView name, QByteArrayView score, QByteArrayView rest) {
            if (std::exchange(first, false)) {
                now.crlf = (rest.isEmpty() ? score : rest).endsWith('\r');
            }
            if (!matched(LineRecord(name, score, rest))) {
                now.added.append(name, score, rest);
            }
        },
        [&](QByteArrayView line) {
            if (std::exchange(first, false)) {
                now.crlf = line.endsWith('\r');
            }
            now.others.append(line).append(LineDelimiter);
        });
}
}  // namespace

QString readScores(QIODevice& in, const ScoreSink& add, const LineSink& other, Progress* progress) {
    // Of a record only its fields are kept while it is read, and of a line
    // that is none, nothing unless `other` wants it: a name over the limit
    // costs no memory at loading.
    QByteArray chunk(Chunk, Qt::Uninitialized);
    QByteArray fields[3];  // the name, the score, the rest from the second comma on
    int field = 0;         // being read
    bool nameTooLong = false;
    const QString tooLong =
        QCoreApplication::translate("ScoreFile", "a name or score in it is longer than %1 MB")
            .arg(scoreFileLimits.fieldBytes >> 20);
    // A line whose second field is empty is no record.
    const auto endLine = [&] {
        const bool record = !fields[1].isEmpty(), whole = !record || !nameTooLong;
        if (record && whole) {
            add(fields[0], fields[1], fields[2]);
        } else if (!record && other) {
            if (field > 0) {
                fields[0].append(',');  // the first comma, then the rest from the second
            }
            other(fields[0].append(fields[2]));
        }
        for (QByteArray& bytes : fields) {
            bytes.resize(0);
        }
        field = 0;
        nameTooLong = false;
        return whole;
    };
    try {
        bool lineOpen = false;
        for (;;) {
            const qint64 got = in.read(chunk.data(), Chunk);
            if (got < 0) {
                return in.errorString();
            }
            if (got == 0) {
                break;
            }
            for (QByteArrayView rest(chunk.constData(), got); !rest.isEmpty();) {
                const qsizetype lineEnd = rest.indexOf(LineDelimiter);
                QByteArrayView line = lineEnd < 0 ? rest : rest.first(lineEnd);
                rest = lineEnd < 0 ? QByteArrayView() : rest.sliced(lineEnd + 1);
                while (field < 2) {
                    const qsizetype comma = line.indexOf(',');
                    const QByteArrayView part = comma < 0 ? line : line.first(comma);
                    const bool fits =
                        fields[field].size() + part.size() <= scoreFileLimits.fieldBytes;
                    if (!fits && field == 1) {
                        return tooLong;
                    }
                    nameTooLong = nameTooLong || !fits;  // too long only if a score follows
                    if (field == 1 || !nameTooLong || other) {
                        fields[field].append(part);
                    }
                    if (comma < 0) {
                        line = {};
                        break;
                    }
                    line = line.sliced(comma + 1);
                    if (++field == 2) {
                        fields[2].append(',');
                    }
                }
                fields[2].append(line);
                lineOpen = lineEnd < 0;
                if (!lineOpen && !endLine()) {
                    return tooLong;
                }
            }
            if (progress) {
                progress->setValue(in.pos());
            }
        }
        // The last line needs no line end.
        if (lineOpen && !endLine()) {
            return tooLong;
        }
    } catch (const std::bad_alloc&) {
        return QCoreApplication::translate("ScoreFile", "there is not enough memory for all of it");
    }
    return {};
}

// A record is one line holding one comma. A line break in a cell would make
// two records; a comma in a name would move the cut, and the next read would
// take the rest of the name for the score, losing the score itself. Rows read
// from the file hold neither, so they are written back unchanged.
QByteArray recordField(QByteArrayView cell) {
    QByteArray safe = cell.toByteArray();
    return safe.replace(LineDelimiter, ' ').replace(",", "");
}

void writeScore(TextOutputStream& out, QByteArrayView name, QByteArrayView score,
                QByteArrayView rest, bool crlf) {
    // Made in place, one line at a time: a million lines cost only their bytes.
    QVarLengthArray<char, 256> line;
    const auto put = [&](QByteArrayView cell) {
        if (cell.contains(LineDelimiter) || cell.contains(',')) {
            const QByteArray safe = recordField(cell);
            line.append(safe.constData(), safe.size());
        } else {
            line.append(cell.data(), cell.size());
        }
    };
    put(name);
    line.append(',');
    put(score);
    line.append(rest.data(), rest.size());
    if (crlf && (line.isEmpty() || line.back() != '\r')) {
        line.append('\r');
    }
    out.WriteLine(QByteArrayView(line.constData(), line.size()));
}

QString nameToRecord(const QString& typed) {
    return QString(typed).remove(QLatin1Char(',')).isEmpty() ? QString() : typed;
}

FolderItem scoreFile() {
    return PreferencesFolder().Child(QStringLiteral("Huemix.prefs"));
}

QString loadScores(ScoreModel& scores) {
    const FolderItem file = scoreFile();
    if (file.path().isEmpty()) {
        return QCoreApplication::translate("ScoreFile",
                                           "Scores cannot be kept: no home folder was found.");
    }
    // The list's view needs memory of its own for every row: a load that
    // would leave none for it ends as one that runs out.
    constexpr qsizetype ViewBytesPerRow = 128;
    std::unique_ptr<char[]> room;
    qsizetype rows = 0, roomRows = 0;
    const QString unread =
        readAll(file,
                [&](QByteArrayView name, QByteArrayView score, QByteArrayView rest) {
                    if (rows == roomRows) {
                        room.reset();
                        roomRows = std::max<qsizetype>(2 * roomRows, 4096);
                        room.reset(new char[static_cast<std::size_t>(roomRows * ViewBytesPerRow)]);
                    }
                    scores.appendRecord(name, score, rest);
                    ++rows;
                },
                {});
    room.reset();
    scores.publish();
    scores.markSaved();
    if (unread.isEmpty()) {
        return {};
    }
    qCWarning(scoresLog).noquote() << "not all of" << file.path() << "could be read:" << unread;
    return QCoreApplication::translate("ScoreFile", "Not all scores could be read: %1.")
        .arg(unread);
}

bool unsavedScores(const ListBox& list) {
    return scoresOf(list).unsaved();
}

SaveResult saveScores(ListBox& list, const QString& name, int score) {
    return saveScores(scoresOf(list), name, score);
}

SaveResult saveScores(ScoreModel& scores, const QString& name, int score) {
    const FolderItem file = scoreFile();
    const QString where = QDir::toNativeSeparators(file.path());
    const int rows = scores.rowCount();
    const QByteArray ownName = recordField(withoutLineBreaks(name).toUtf8());
    const QByteArray ownScore = name.isEmpty() ? QByteArray() : QString::number(score).toUtf8();
    std::unique_ptr<TextOutputStream> out;
    try {
        // From here to the end the file is ours alone: what others added to it
        // since it was read goes into the new one.
        out = file.CreateTextFile();
        FileNow now;
        // Nothing is lost when the file can be read whole now, however the
        // load went: what it missed is among the records added.
        const QString unread = out->failed() ? QString() : readFileNow(file, scores, now);
        if (!unread.isEmpty() && file.Exists()) {
            out.reset();  // not held while the player decides
            if (!msgBoxYesNo(
                    QCoreApplication::translate(
                        "ScoreFile",
                        "The score file %1 could not be read to its end (%2), so the "
                        "scores after that point are not in the list.\n\n"
                        "Replace the file with the %3 scores in the list and this game's? "
                        "The scores that could not be read will be lost.\n\n"
                        "Choose No to leave the file as it is: the game stays open and keeps "
                        "this game's score, so you can save a copy of the file first and then "
                        "press Quit again.")
                        .arg(where, unread)
                        .arg(rows))) {
                return {};
            }
            qCWarning(scoresLog).noquote()
                << "replacing" << where << "read only in part:" << unread;
            out = file.CreateTextFile();
            now = {};
            if (!out->failed()) {
                readFileNow(file, scores, now);  // what can be read is kept
            }
        }
        Progress progress(QCoreApplication::translate("ScoreFile", "Saving the scores…"), rows);
        for (int row = 0; row < rows && !out->failed(); ++row) {
            writeScore(*out, scores.cell(row, 0), scores.cell(row, 1), scores.rest(row), now.crlf);
            progress.setValue(row + 1);
        }
        for (qsizetype i = 0; i < now.added.count(); ++i) {
            writeScore(*out, now.added.field(i, 0), now.added.field(i, 1), now.added.rest(i),
                       now.crlf);
        }
        if (!name.isEmpty()) {
            writeScore(*out, ownName, ownScore, {}, now.crlf);
        }
        // What is no record stays, as it was, last.
        for (QByteArrayView others = now.others; !others.isEmpty();) {
            const qsizetype end = others.indexOf(LineDelimiter);
            out->WriteLine(others.first(end));
            others = others.sliced(end + 1);
        }
        if (out->Close()) {
            scores.markSaved(now.added, ownName, ownScore);
            return {true, {}};
        }
    } catch (const std::bad_alloc&) {
        out.reset();
    }
    const QString why =
        out ? out->error() : QCoreApplication::translate("ScoreFile", "there is not enough memory");
    qCWarning(scoresLog).noquote() << "could not save" << where << ":" << why;
    return {false,
            QCoreApplication::translate(
                "ScoreFile",
                "Your scores could not be saved to %1: %2.\n\n"
                "The score file was left as it was, and the scores of this game are still "
                "kept. Press Quit again to try once more, or choose Quit from the File menu "
                "to leave without saving.")
                .arg(where.isEmpty() ? QCoreApplication::translate("ScoreFile", "a file") : where,
                     why)};
}
