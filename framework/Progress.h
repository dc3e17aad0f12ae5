// SPDX-License-Identifier: MIT
#pragma once

#include <QApplication>
#include <QProgressDialog>
#include <algorithm>
#include <functional>
#include <memory>

#include "framework/Services.h"

// How far work on the event thread has come: a dialog after about half a second, with no
// cancel button, as the work cannot stop halfway.
class Progress {
  public:
    static constexpr int Steps = 1000;

    // total: where the work is done (rows, bytes); may be 0.
    Progress(const QString& label, qint64 total)
        : label_(label), total_(std::max<qint64>(total, 0)) {
        if (!services().progress) {
            dialog_ = std::make_unique<QProgressDialog>(label, QString(), 0, Steps,
                                                        QApplication::activeWindow());
            dialog_->setWindowTitle(QApplication::applicationDisplayName());
            dialog_->setWindowModality(Qt::ApplicationModal);
            dialog_->setMinimumDuration(500);
        }
        setValue(0);  // starts the dialog's clock
    }

    // Cheap for every step: only each thousandth shows.
    void setValue(qint64 done) {
        done = std::clamp<qint64>(done, 0, total_);
        const int step = total_ > 0 ? static_cast<int>(done * Steps / total_) : Steps;
        if (step != std::exchange(step_, step)) {
            if (services().progress) {
                services().progress(label_, done, total_);
            } else {
                dialog_->setValue(step);
            }
        }
    }

  private:
    QString label_;
    qint64 total_;
    int step_ = -1;  // shown last
    std::unique_ptr<QProgressDialog> dialog_;
};
