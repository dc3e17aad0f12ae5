// SPDX-License-Identifier: MIT
#pragma once

#include <sys/stat.h>

#include <QFile>
#include <QFileInfo>
#include <memory>
#include <optional>

class TextOutputStream;

class FolderItem {
  public:
    FolderItem() = default;
    explicit FolderItem(QString path) : path_(std::move(path)) {}

    const QString& path() const { return path_; }
    FolderItem Child(const QString& name) const {
        return path_.isEmpty() ? FolderItem() : FolderItem(path_ + QLatin1Char('/') + name);
    }
    // Anything at all is there.
    bool Exists() const {
        return !path_.isEmpty() && (QFileInfo::exists(path_) || QFileInfo(path_).isSymLink());
    }

    // The regular file there, open for reading, or nullptr and why not (empty when nothing
    // is there). FIFOs and devices are never opened, so never waited on.
    std::unique_ptr<QFile> OpenAsTextFile(QString& why) const;
    // Never nullptr: what cannot be made shows as a failed Close. A link is followed to the
    // file it leads to, and beside that file the stream holds the lock "." NAME ".lock" till
    // its end (a dead process's is taken over), so what is read meanwhile stays as read, and
    // writes "." NAME ".saving" (a killed save's is written over).
    std::unique_ptr<TextOutputStream> CreateTextFile() const;

  private:
    QString path_;
};

// $XDG_CONFIG_HOME if absolute, else ~/.config; none (empty) without a home, never the root.
FolderItem PreferencesFolder();

// A CR before it belongs to the line, so a CR LF file is written back as it was.
inline constexpr char LineDelimiter = '\n';

// Lets one process at a time past, across processes: held by the kernel till released or
// its process ends, so no lock outlives its game.
class FileLock {
  public:
    enum State {
        Taken,
        Busy,      // a running program holds it
        InTheWay,  // something there is no lock that could be taken over
        Failed,    // error() says why
    };
    explicit FileLock(QByteArray path) : path_(std::move(path)) {}
    ~FileLock();  // releases it, if taken
    FileLock(const FileLock&) = delete;
    FileLock& operator=(const FileLock&) = delete;

    // Tries until taken or waitMs have passed; shows progress while it waits.
    State take(int waitMs);
    int error() const { return error_; }

  private:
    State tryTake();
    bool makerGone() const;
    State own();
    State drop(State state);
    State fail(int error);

    QByteArray path_;
    int descriptor_ = -1;
    int error_ = 0;
};

// A new file, written line by line, replaces the old one when Close succeeds, with its owner
// (as root) and mode; until then, or if it fails, the old file stays as it was.
class TextOutputStream {
  public:
    ~TextOutputStream() { end(); }
    void WriteLine(QByteArrayView bytes);
    bool Close();
    bool failed() const { return !error_.isEmpty(); }
    const QString& error() const { return error_; }

  private:
    friend class FolderItem;
    explicit TextOutputStream(const QString& path) { start(path); }
    void start(const QString& path);
    void flush();
    void fail(const QString& why);
    void end();  // drops the new file, unless committed, and the lock

    std::unique_ptr<FileLock> lock_;
    QByteArray target_, temporary_;  // paths as the system takes them
    int descriptor_ = -1;
    std::optional<struct stat> old_;  // the file replaced
    QByteArray buffer_;
    QString error_;
};
