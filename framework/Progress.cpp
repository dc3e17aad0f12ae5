#include "framework/Progress.h"

#include <QApplication>
#include <QProgressDialog>
#include <algorithm>

namespace {
constexpr int Steps = 1000;
// How long work may run before the dialog shows, in the toolkit's usual way.
constexpr int ShowAfterMs = 500;

std::function<void(const QString&, qint64, qint64)> progressObserver;
}  // namespace

Progress::Progress(const QString& label, qint64 total)
    : label_(label), total_(std::max<qint64>(total, 0)) {
    if (progressObserver) {
        progressObserver(label_, 0, total_);
        next_ = (total_ + Steps - 1) / Steps;
        return;
    }
    dialog_ =
        std::make_unique<QProgressDialog>(label, QString(), 0, Steps, QApplication::activeWindow());
    dialog_->setWindowTitle(QApplication::applicationDisplayName());
    dialog_->setCancelButton(nullptr);  // the work cannot be stopped halfway
    // Modal, so the dialog is painted while the work runs and takes no input.
    dialog_->setWindowModality(Qt::ApplicationModal);
    dialog_->setMinimumDuration(ShowAfterMs);
    dialog_->setAutoReset(false);
    dialog_->setAutoClose(false);
    dialog_->setValue(0);  // starts the dialog's clock
    next_ = (total_ + Steps - 1) / Steps;
}

Progress::~Progress() = default;

void Progress::Advance(qint64 done) {
    done = std::min(done, total_);
    const int step = total_ > 0 ? static_cast<int>(done * Steps / total_) : Steps;
    // The first value that reaches the next step.
    next_ = step >= Steps ? total_ + 1 : ((step + 1) * total_ + Steps - 1) / Steps;
    if (progressObserver) {
        progressObserver(label_, done, total_);
    } else if (dialog_) {
        dialog_->setValue(step);
    }
}

void SetProgressObserver(std::function<void(const QString&, qint64, qint64)> observer) {
    progressObserver = std::move(observer);
}
