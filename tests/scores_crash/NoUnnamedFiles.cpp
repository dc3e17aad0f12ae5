// Preloaded into the saver: opening an unnamed temporary file fails as on a
// file system that has none, so each save writes a named temporary file that
// a kill leaves behind.
#include <dlfcn.h>
#include <fcntl.h>

#include <cerrno>
#include <cstdarg>

namespace {
using OpenFunction = int (*)(const char*, int, ...);

int Open(const char* symbol, const char* path, int flags, mode_t mode) {
    if ((flags & O_TMPFILE) == O_TMPFILE) {
        errno = EOPNOTSUPP;
        return -1;
    }
    static OpenFunction open64Next = reinterpret_cast<OpenFunction>(dlsym(RTLD_NEXT, "open64"));
    static OpenFunction openNext = reinterpret_cast<OpenFunction>(dlsym(RTLD_NEXT, "open"));
    return (symbol[4] == '6' ? open64Next : openNext)(path, flags, mode);
}

mode_t ModeArgument(int flags, va_list arguments) {
    return (flags & O_CREAT) || (flags & O_TMPFILE) == O_TMPFILE ? va_arg(arguments, mode_t) : 0;
}
}  // namespace

extern "C" int open64(const char* path, int flags, ...) {
    va_list arguments;
    va_start(arguments, flags);
    const mode_t mode = ModeArgument(flags, arguments);
    va_end(arguments);
    return Open("open64", path, flags, mode);
}

extern "C" int open(const char* path, int flags, ...) {
    va_list arguments;
    va_start(arguments, flags);
    const mode_t mode = ModeArgument(flags, arguments);
    va_end(arguments);
    return Open("open", path, flags, mode);
}
