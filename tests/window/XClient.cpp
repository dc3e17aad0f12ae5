// Talks to a window of another X client the way a window manager would, for
// real-window checks that run with no window manager at all.
//
//   huemix_xclient ping WINDOW [TIMEOUT_MS]
//       Sends _NET_WM_PING. Exit 0 when the client answered, 1 when it did not
//       within the time (default 5000 ms): its event loop is stuck. Exit 2 when
//       there is no such window (it went away), 3 on a usage or display error.
//   huemix_xclient close WINDOW
//       Sends WM_DELETE_WINDOW, what a click on the window's close box sends.
//
// WINDOW is a window id in decimal or 0x hexadecimal, as xdotool prints it.
#include <X11/Xlib.h>
#include <poll.h>

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>

namespace {
bool badWindow = false;

int NoteError(Display*, XErrorEvent* error) {
    if (error->error_code == BadWindow) {
        badWindow = true;
    }
    return 0;
}

int Usage() {
    std::fprintf(stderr,
                 "usage: huemix_xclient ping WINDOW [TIMEOUT_MS]\n"
                 "       huemix_xclient close WINDOW\n");
    return 3;
}

XEvent Protocol(Display* display, Window window, const char* protocol) {
    XEvent event{};
    event.xclient.type = ClientMessage;
    event.xclient.window = window;
    event.xclient.message_type = XInternAtom(display, "WM_PROTOCOLS", False);
    event.xclient.format = 32;
    event.xclient.data.l[0] = static_cast<long>(XInternAtom(display, protocol, False));
    event.xclient.data.l[1] = CurrentTime;
    return event;
}

int Close(Display* display, Window window) {
    XEvent event = Protocol(display, window, "WM_DELETE_WINDOW");
    XSendEvent(display, window, False, NoEventMask, &event);
    XSync(display, False);
    return badWindow ? 2 : 0;
}

int Ping(Display* display, Window window, long timeoutMs) {
    const Window root = DefaultRootWindow(display);
    // The answer is sent to the root window; which of these two masks it uses
    // differs between toolkits.
    XSelectInput(display, root, StructureNotifyMask | SubstructureNotifyMask);
    XEvent ping = Protocol(display, window, "_NET_WM_PING");
    ping.xclient.data.l[2] = static_cast<long>(window);
    // Comes back unchanged in the answer, so an old answer is not taken for this one.
    const long nonce =
        static_cast<long>(std::chrono::steady_clock::now().time_since_epoch().count() & 0x7fffffff);
    ping.xclient.data.l[3] = nonce;
    XSendEvent(display, window, False, NoEventMask, &ping);
    XSync(display, False);
    if (badWindow) {
        return 2;
    }

    const Atom protocols = XInternAtom(display, "WM_PROTOCOLS", False);
    const long pingAtom = ping.xclient.data.l[0];
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::milliseconds(timeoutMs);
    for (;;) {
        while (XPending(display) > 0) {
            XEvent event;
            XNextEvent(display, &event);
            if (event.type == ClientMessage && event.xclient.message_type == protocols &&
                event.xclient.data.l[0] == pingAtom &&
                event.xclient.data.l[2] == static_cast<long>(window) &&
                event.xclient.data.l[3] == nonce) {
                return 0;
            }
        }
        if (badWindow) {
            return 2;
        }
        const auto left = std::chrono::duration_cast<std::chrono::milliseconds>(
                              deadline - std::chrono::steady_clock::now())
                              .count();
        if (left <= 0) {
            return 1;
        }
        pollfd connection{ConnectionNumber(display), POLLIN, 0};
        poll(&connection, 1, static_cast<int>(left));
    }
}
}  // namespace

int main(int argc, char** argv) {
    if (argc < 3) {
        return Usage();
    }
    const std::string command = argv[1];
    char* end = nullptr;
    const unsigned long window = std::strtoul(argv[2], &end, 0);
    if (window == 0 || *end != '\0') {
        return Usage();
    }
    long timeoutMs = 5000;
    if (argc > 3) {
        timeoutMs = std::strtol(argv[3], &end, 10);
        if (timeoutMs <= 0 || *end != '\0') {
            return Usage();
        }
    }

    Display* display = XOpenDisplay(nullptr);
    if (!display) {
        std::fprintf(stderr, "huemix_xclient: cannot open the display\n");
        return 3;
    }
    XSetErrorHandler(NoteError);
    int status = 3;
    if (command == "ping") {
        status = Ping(display, window, timeoutMs);
    } else if (command == "close") {
        status = Close(display, window);
    } else {
        status = Usage();
    }
    XCloseDisplay(display);
    return status;
}
