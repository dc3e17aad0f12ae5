// SPDX-License-Identifier: MIT
#include "DiskFaults.h"

#include <dlfcn.h>
#include <fcntl.h>
#include <unistd.h>

#include <QDir>
#include <algorithm>
#include <cerrno>
#include <climits>
#include <cstdarg>

bool noUnnamedFiles = false;

namespace {
struct {
    DiskFault fault = DiskFault::None;
    QByteArray folder;  // with a trailing slash
    long after = 0;
    int error = 0;
} armed;

template <class Call>
Call next(const char* name) {
    return reinterpret_cast<Call>(dlsym(RTLD_NEXT, name));
}

// How many of `count` bytes may pass; -1 (errno set) for none. Only files
// under the armed folder fail, never gtest's own output; the path is looked
// up only while this kind of call is armed.
ssize_t allowed(DiskFault fault, int descriptor, std::size_t count) {
    if (fault != armed.fault) {
        return static_cast<ssize_t>(count);
    }
    char path[PATH_MAX] = {};
    const QByteArray link = "/proc/self/fd/" + QByteArray::number(descriptor);
    if (::readlink(link.constData(), path, sizeof path - 1) < 0 ||
        !QByteArrayView(path).startsWith(armed.folder)) {
        return static_cast<ssize_t>(count);
    }
    const long room = armed.after - ::lseek(descriptor, 0, SEEK_CUR);
    if (room <= 0) {
        errno = armed.error;
        return -1;
    }
    return std::min(static_cast<ssize_t>(count), room);
}
}  // namespace

void failFiles(DiskFault fault, const QString& folder, long after, int error) {
    armed = {fault, QFile::encodeName(QDir(folder).canonicalPath()) + '/', after, error};
}

extern "C" ssize_t read(int descriptor, void* data, std::size_t count) {
    const ssize_t size = allowed(DiskFault::Read, descriptor, count);
    static const auto read = next<ssize_t (*)(int, void*, std::size_t)>("read");
    return size < 0 ? -1 : read(descriptor, data, static_cast<std::size_t>(size));
}

extern "C" ssize_t write(int descriptor, const void* data, std::size_t count) {
    const ssize_t size = allowed(DiskFault::Write, descriptor, count);
    static const auto write = next<ssize_t (*)(int, const void*, std::size_t)>("write");
    return size < 0 ? -1 : write(descriptor, data, static_cast<std::size_t>(size));
}

extern "C" int open64(const char* path, int flags, ...) {
    va_list arguments;
    va_start(arguments, flags);
    const bool unnamed = (flags & O_TMPFILE) == O_TMPFILE;
    const mode_t mode = (flags & O_CREAT) || unnamed ? va_arg(arguments, mode_t) : 0;
    va_end(arguments);
    if (unnamed && noUnnamedFiles) {
        errno = EOPNOTSUPP;
        return -1;
    }
    static const auto open = next<int (*)(const char*, int, ...)>("open64");
    return open(path, flags, mode);
}
