// SPDX-License-Identifier: MIT
#pragma once

#include <sys/stat.h>

#include <QFile>
#include <QFileInfo>
#include <QLockFile>
#include <memory>
#include <optional>

class TextOutputStream;

// A file or folder of the file system, by path. Nothing is touched until asked.
class FolderItem {
  public:
    FolderItem() = default;
    explicit FolderItem(QString path) : path_(std::move(path)) {}

    const QString& path() const { return path_; }
    FolderItem Child(const QString& name) const {
        return path_.isEmpty() ? FolderItem() : FolderItem(path_ + QLatin1Char('/') + name);
    }
    // Something of that name is there: a file, a folder or anything else.
    bool Exists() const {
        return !path_.isEmpty() && (QFileInfo::exists(path_) || QFileInfo(path_).isSymLink());
    }

    // The regular file there, open for reading, or nullptr and why not (empty
    // when nothing is there). FIFOs and devices are never opened, so never
    // waited on.
    std::unique_ptr<QFile> OpenAsTextFile(QString& why) const;
    // A new file that replaces this one only when its stream closes well; the
    // folder is made if missing. Never nullptr: what cannot be made shows as a
    // failed Close. Anything there but a regular file we may write is left alone.
    //
    // One replacement at a time: the stream holds the lock "." NAME ".lock"
    // from its making to its end (a dead process's lock is taken over), so
    // whatever is read of the file meanwhile stays as read. The new file is
    // written as "." NAME ".saving", a name only a replacement makes; a killed
    // one's is written over by the next. Nothing else there is touched.
    std::unique_ptr<TextOutputStream> CreateTextFile() const;

  private:
    QString path_;
};

// $XDG_CONFIG_HOME if absolute, else ~/.config; it may not exist yet. None
// (an empty path) when there is no home: nothing is kept at the root.
FolderItem PreferencesFolder();

// Ends lines on writing and on reading; a CR before it belongs to the line,
// so a CR LF file is written back as it was.
inline constexpr char LineDelimiter = '\n';

// A new file written line by line. Nothing replaces the old file until Close
// succeeds; a stream dropped unclosed leaves the old file as it was. The new
// file keeps the old one's owner and mode (as root too).
class TextOutputStream {
  public:
    ~TextOutputStream() { end(); }
    void WriteLine(QByteArrayView bytes);
    // False if anything failed; the old file is then unchanged.
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

    std::unique_ptr<QLockFile> lock_;
    QByteArray target_, temporary_;  // paths as the system takes them
    int descriptor_ = -1;
    std::optional<struct stat> old_;  // the file replaced: its owner and mode are kept
    QByteArray buffer_;
    QString error_;
};
