// SPDX-License-Identifier: MIT
#include <gtest/gtest.h>

#include <QDir>
#include <QTemporaryDir>
#include <optional>

#include "framework/Services.h"
#include "headless/Headless.h"

namespace {
// Each test runs in a fresh folder, its working directory and config home, removed after
// it: nothing lands in the build tree, and no test sees what an earlier one left. The
// services, and whether another program was active, are put back as they were before it.
class FreshFolder : public ::testing::EmptyTestEventListener {
    void OnTestStart(const ::testing::TestInfo&) override {
        services_.emplace();
        folder_.emplace();
        qputenv("XDG_CONFIG_HOME", QFile::encodeName(folder_->filePath(QStringLiteral("config"))));
        QDir::setCurrent(folder_->path());
    }
    void OnTestEnd(const ::testing::TestInfo&) override {
        QDir::setCurrent(started_);
        folder_.reset();
        services_.reset();
    }

    const QString started_ = QDir::currentPath();
    std::optional<QTemporaryDir> folder_;
    std::optional<ScopedServices> services_;
};
}  // namespace

int main(int argc, char** argv) {
    // Time is given to the game by the tests, never taken from a clock.
    const auto app = startHeadless(argc, argv, false);
    ::testing::InitGoogleTest(&argc, argv);
    ::testing::UnitTest::GetInstance()->listeners().Append(new FreshFolder);
    const int status = RUN_ALL_TESTS();
    closeAllWindows();
    return status;
}
