#pragma once

#include <QString>

#include "framework/Files.h"

class ListBox;

// The recorded scores: "Huemix.prefs" in the preferences folder, one record
// per line, name "," score. Name and score are kept as the bytes they are, so
// what was read is written back unchanged.
FolderItem ScoreFile();

// Appends a row to the list (column 0 name, column 1 score) for every line
// whose second field is not empty. A missing or unreadable file, or one that
// is not a regular file, adds nothing and is not reported.
void LoadScores(ListBox& list);

// Replaces the score file by the rows of the list in their current order, then
// the line name "," score if a name is given. Returns what the player should
// be told when that failed, and then the old file is as it was; empty on
// success.
QString SaveScores(const ListBox& list, const QString& name, int score);
