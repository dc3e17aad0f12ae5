// SPDX-License-Identifier: MIT
#include "framework/Progress.h"

#include <QApplication>
#include <QProgressDialog>
#include <algorithm>

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
    advance(0);  // starts the dialog's clock
}

Progress::~Progress() = default;

void Progress::advance(qint64 done) {
    done = std::min(done, total_);
    const int step = total_ > 0 ? static_cast<int>(done * Steps / total_) : Steps;
    // The first value that reaches the next step.
    next_ = step >= Steps ? total_ + 1 : ((step + 1) * total_ + Steps - 1) / Steps;
    if (observer) {
        observer(label_, done, total_);
    } else {
        dialog_->setValue(step);
    }
}
