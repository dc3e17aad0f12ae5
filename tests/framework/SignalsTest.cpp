// SPDX-License-Identifier: MIT
// Ending signals raised in this process: the handler only writes to a pipe, so the event loop
// meets them as it meets a kill from outside.
#include <gtest/gtest.h>

#include <QTimer>
#include <csignal>
#include <cstring>
#include <utility>

#include "framework/Application.h"
#include "headless/Headless.h"

namespace {
// While the score file loads there is no loop yet, only a progress dialog's processEvents: the
// quit waits for exec(), which then ends at once.
TEST(SignalsTest, aSignalBeforeTheMainLoopEndsItAsSoonAsItStarts) {
    for (const int signal : {SIGTERM, SIGHUP, SIGINT}) {
        SCOPED_TRACE(strsignal(signal));
        const Override quitting(services().quit, nullptr);
        std::signal(signal, SIG_DFL);  // as a terminal starts the game, not a background job
        Application app;
        ASSERT_EQ(std::raise(signal), 0);
        QCoreApplication::processEvents();
        // A quit that was lost ends the loop here, with another status, instead of hanging.
        QTimer::singleShot(2000, &app, [] { QCoreApplication::exit(7); });
        EXPECT_EQ(app.exec(), 0);
    }
}
}  // namespace
