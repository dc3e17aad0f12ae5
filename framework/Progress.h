#pragma once

#include <QString>
#include <functional>
#include <memory>

class QProgressDialog;

// How far a long piece of work on the event thread has come. The toolkit's
// progress dialog appears once the work has run for about half a second and
// looks set to go on; shorter work shows nothing. While the dialog is up, it
// keeps the application responsive to painting but not to input.
class Progress {
  public:
    // total: the value at which the work is done (rows, bytes); may be 0.
    Progress(const QString& label, qint64 total);
    ~Progress();
    Progress(const Progress&) = delete;
    Progress& operator=(const Progress&) = delete;

    // Cheap enough for every step: only each thousandth of the way goes on.
    void SetValue(qint64 done) {
        if (done >= next_) {
            Advance(done);
        }
    }

  private:
    void Advance(qint64 done);

    QString label_;
    qint64 total_;
    qint64 next_ = 0;
    std::unique_ptr<QProgressDialog> dialog_;
};

// Tests see the progress instead of a dialog: the label, how far, and of what total.
void SetProgressObserver(std::function<void(const QString&, qint64, qint64)> observer);
