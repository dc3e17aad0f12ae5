// SPDX-License-Identifier: MIT
// What a window manager would send, for the monkey, which runs without one:
//   huemix_xclient ping WINDOW TIMEOUT_MS  exit 0 when the client answered in
//       time, 1 when not (its event loop is stuck), 2 when the window is gone
//   huemix_xclient close WINDOW            a click on the window's close box
#include <X11/Xlib.h>
#include <poll.h>

#include <chrono>
#include <cstdlib>
#include <cstring>

namespace {
bool gone = false;

int noteError(Display*, XErrorEvent* error) {
    gone = gone || error->error_code == BadWindow;
    return 0;
}

XEvent Send(Display* display, Window window, const char* protocol) {
    XEvent event{};
    event.xclient.type = ClientMessage;
    event.xclient.window = window;
    event.xclient.message_type = XInternAtom(display, "WM_PROTOCOLS", False);
    event.xclient.format = 32;
    event.xclient.data.l[0] = static_cast<long>(XInternAtom(display, protocol, False));
    event.xclient.data.l[2] = static_cast<long>(window);
    // Comes back in the answer, so an older answer is not taken for this one.
    event.xclient.data.l[3] =
        static_cast<long>(std::chrono::steady_clock::now().time_since_epoch().count() & 0x7fffffff);
    XSendEvent(display, window, False, NoEventMask, &event);
    XSync(display, False);
    return event;
}

int ping(Display* display, Window window, long timeoutMs) {
    // The answer goes to the root window.
    XSelectInput(display, DefaultRootWindow(display), StructureNotifyMask | SubstructureNotifyMask);
    const XEvent ping = Send(display, window, "_NET_WM_PING");
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::milliseconds(timeoutMs);
    while (!gone) {
        while (XPending(display) > 0) {
            XEvent event;
            XNextEvent(display, &event);
            if (event.type == ClientMessage && event.xclient.data.l[0] == ping.xclient.data.l[0] &&
                event.xclient.data.l[3] == ping.xclient.data.l[3]) {
                return 0;
            }
        }
        const auto left = std::chrono::duration_cast<std::chrono::milliseconds>(
            deadline - std::chrono::steady_clock::now());
        if (left.count() <= 0) {
            return 1;
        }
        pollfd connection{ConnectionNumber(display), POLLIN, 0};
        poll(&connection, 1, static_cast<int>(left.count()));
    }
    return 2;
}
}  // namespace

int main(int argc, char** argv) {
    Display* display = argc > 2 ? XOpenDisplay(nullptr) : nullptr;
    if (!display) {
        return 3;
    }
    XSetErrorHandler(noteError);
    const Window window = std::strtoul(argv[2], nullptr, 0);
    int status = 2;
    if (std::strcmp(argv[1], "ping") == 0 && argc > 3) {
        status = ping(display, window, std::strtol(argv[3], nullptr, 10));
    } else if (std::strcmp(argv[1], "close") == 0) {
        Send(display, window, "WM_DELETE_WINDOW");
        status = gone ? 2 : 0;
    } else {
        status = 3;
    }
    XCloseDisplay(display);
    return status;
}
