#pragma once

// What the text streams share, for framework/ only.
#include <QString>

#include "framework/Files.h"

namespace fileio {
// Reads and writes go to the system in pieces of this size.
inline constexpr qsizetype Chunk = 64 * 1024;
// The failures tests asked for.
const FileFaults& Faults();
// The system's text for an errno value.
QString ErrorText(int error);
}  // namespace fileio
