// SPDX-License-Identifier: MIT
#include "framework/Progress.h"

#include <QApplication>
#include <QProgressDialog>
#include <algorithm>
#include <utility>

namespace {
constexpr int Steps = 1000;
}  // namespace

Progress::Progress(const QString& label, qint64 total)
    : label_(label), total_(std::max<qint64>(total, 0)) {
    if (!observer) {
        // No cancel button: the work cannot be stopped halfway.
        dialog_ = std::make_unique<QProgressDialog>(label, QString(), 0, Steps,
                                                    QApplication::activeWindow());
        dialog_->setWindowTitle(QApplication::applicationDisplayName());
        dialog_->setWindowModality(Qt::ApplicationModal);
        dialog_->setMinimumDuration(500);
    }
    setValue(0);  // starts the dialog's clock
}

Progress::~Progress() = default;

void Progress::setValue(qint64 done) {
    done = std::clamp<qint64>(done, 0, total_);
    const int step = total_ > 0 ? static_cast<int>(done * Steps / total_) : Steps;
    if (step != std::exchange(step_, step)) {
        observer ? observer(label_, done, total_) : dialog_->setValue(step);
    }
}
