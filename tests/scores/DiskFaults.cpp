// SPDX-License-Identifier: MIT
#include "DiskFaults.h"

#include <dlfcn.h>
#include <unistd.h>

#include <QDir>
#include <algorithm>
#include <cerrno>
#include <climits>
#include <cstdio>

namespace {
struct {
    DiskFault fault = DiskFault::None;
    QByteArray folder;  // with a trailing slash
    long after = 0;
    int error = 0;
} armed;

// Passes the call on, cut to the bytes the armed fault lets through. Only
// files under the armed folder fail, never gtest's own output; the path is
// looked up only while this kind of call is armed.
template <DiskFault fault, class Data>
ssize_t pass(const char* name, int descriptor, Data data, std::size_t count) {
    static const auto call =
        reinterpret_cast<ssize_t (*)(int, Data, std::size_t)>(dlsym(RTLD_NEXT, name));
    char path[PATH_MAX] = {};
    char link[40];  // no allocation: this runs for every read and write of the process
    std::snprintf(link, sizeof link, "/proc/self/fd/%d", descriptor);
    if (fault != armed.fault || ::readlink(link, path, sizeof path - 1) < 0 ||
        !QByteArrayView(path).startsWith(armed.folder)) {
        return call(descriptor, data, count);
    }
    const long room = armed.after - ::lseek(descriptor, 0, SEEK_CUR);
    if (room <= 0) {
        errno = armed.error;
        return -1;
    }
    return call(descriptor, data, std::min(count, static_cast<std::size_t>(room)));
}
}  // namespace

void failFiles(DiskFault fault, const QString& folder, long after, int error) {
    armed = {fault, QFile::encodeName(QDir(folder).canonicalPath()) + '/', after, error};
}

extern "C" ssize_t read(int descriptor, void* data, std::size_t count) {
    return pass<DiskFault::Read>("read", descriptor, data, count);
}

extern "C" ssize_t write(int descriptor, const void* data, std::size_t count) {
    return pass<DiskFault::Write>("write", descriptor, data, count);
}
