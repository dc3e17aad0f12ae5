// SPDX-License-Identifier: MIT
#pragma once

#include <QString>
#include <functional>
#include <memory>

class QProgressDialog;

// How far a long piece of work on the event thread has come. The toolkit's
// progress dialog shows once the work has run for about half a second and
// looks set to go on; it paints while the work runs and takes no input.
class Progress {
  public:
    // total: the value at which the work is done (rows, bytes); may be 0.
    Progress(const QString& label, qint64 total);
    ~Progress();

    // Cheap enough for every step: only each thousandth of the way shows.
    void setValue(qint64 done);

    // Tests see the progress instead of a dialog: the label, how far, of what total.
    static inline std::function<void(const QString&, qint64, qint64)> observer;

  private:
    QString label_;
    qint64 total_;
    int step_ = -1;  // of 1000, shown last
    std::unique_ptr<QProgressDialog> dialog_;
};
