// SPDX-License-Identifier: MIT
#include <gtest/gtest.h>

#include <QDir>
#include <QTemporaryDir>
#include <optional>

#include "headless/Headless.h"

namespace {
// Each test runs in a fresh folder, its working directory and config home, removed after
// it: nothing lands in the build tree, and no test sees what an earlier one left.
class FreshFolder : public ::testing::EmptyTestEventListener {
    void OnTestStart(const ::testing::TestInfo&) override {
        folder_.emplace();
        qputenv("XDG_CONFIG_HOME", QFile::encodeName(folder_->filePath(QStringLiteral("config"))));
        QDir::setCurrent(folder_->path());
    }
    void OnTestEnd(const ::testing::TestInfo&) override {
        QDir::setCurrent(started_);
        folder_.reset();
    }

    const QString started_ = QDir::currentPath();
    std::optional<QTemporaryDir> folder_;
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
