// SPDX-License-Identifier: MIT
// Preloaded into the saver: unnamed temporary files fail to open as on a file
// system that has none, so each save writes a named one that a kill leaves.
#include <dlfcn.h>
#include <fcntl.h>

#include <cerrno>
#include <cstdarg>

namespace {
int Open(const char* symbol, const char* path, int flags, va_list arguments) {
    const bool unnamed = (flags & O_TMPFILE) == O_TMPFILE;
    const mode_t mode = (flags & O_CREAT) || unnamed ? va_arg(arguments, mode_t) : 0;
    if (unnamed) {
        errno = EOPNOTSUPP;
        return -1;
    }
    using Function = int (*)(const char*, int, ...);
    return reinterpret_cast<Function>(dlsym(RTLD_NEXT, symbol))(path, flags, mode);
}
}  // namespace

extern "C" int open64(const char* path, int flags, ...) {
    va_list arguments;
    va_start(arguments, flags);
    const int result = Open("open64", path, flags, arguments);
    va_end(arguments);
    return result;
}

extern "C" int open(const char* path, int flags, ...) {
    va_list arguments;
    va_start(arguments, flags);
    const int result = Open("open", path, flags, arguments);
    va_end(arguments);
    return result;
}
