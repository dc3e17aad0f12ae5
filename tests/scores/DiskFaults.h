// SPDX-License-Identifier: MIT
#pragma once

#include <QString>

// The system failing as a bad disk or a full one would: stand-ins for the
// system calls Qt and the files make, linked into the score tests.
enum class DiskFault { None, Read, Write };
// Until the next call, reads (or writes) of files inside `folder` fail with
// `error` once a file's offset reaches `after`.
void failFiles(DiskFault fault, const QString& folder = {}, long after = 0, int error = 0);
