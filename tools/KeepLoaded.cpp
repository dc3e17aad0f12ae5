// SPDX-License-Identifier: MIT
// Linked into the programs of the sanitized build only. LeakSanitizer reports as a program
// exits; by then a plugin or driver that was unloaded (Qt's platform plugins, the graphics
// drivers they load) has left its leaks without a library name, which no suppression can match,
// so that the report depends on what else the machine has installed. Nothing is unloaded here.
#include <dlfcn.h>

extern "C" int dlclose(void*) noexcept {
    return 0;  // the library stays mapped until the process ends
}
