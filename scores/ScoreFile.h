// SPDX-License-Identifier: MIT
#pragma once

#include <QString>

#include "framework/Files.h"

class ListBox;

// The recorded scores: "Huemix.prefs" in the preferences folder, one record
// per line, name "," score. Name and score are kept as the bytes they are, so
// what was read is written back unchanged.
FolderItem scoreFile();

// Appends a row to the list (column 0 name, column 1 score) for every line
// whose second field is not empty. A missing or unreadable file, or one that
// is not a regular file, adds nothing and is not reported. A read that fails
// partway keeps the whole records before it and is remembered, so that the
// next save asks before replacing the file.
void loadScores(ListBox& list);

// The typed name as the file records it, or none when nothing of it would
// reach the file: a record's name holds no comma, so commas alone are no name.
QString nameToRecord(const QString& typed);

struct SaveResult {
    bool saved = false;
    QString message;  // what the player should be told; empty when nothing
};

// Replaces the score file by the rows of the list in their current order, then
// the line name "," score if a name is given. When the last load could not
// read the file to its end, the player is asked first and may keep it. Unless
// saved, the old file is as it was.
SaveResult saveScores(const ListBox& list, const QString& name, int score);
