// SPDX-License-Identifier: MIT
#pragma once

#include <QFile>
#include <QFileInfo>
#include <QSaveFile>
#include <memory>

class TextInputStream;
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
    bool Exists() const { return !path_.isEmpty() && QFileInfo::exists(path_); }

    // nullptr unless a regular file is there to read: folders, FIFOs and
    // devices are never opened, so never waited on.
    std::unique_ptr<TextInputStream> OpenAsTextFile() const;
    // A new file that replaces this one only when its stream closes well; the
    // folder is made if missing. Never nullptr: what cannot be made shows as a
    // failed Close. Something there that is no regular file (a folder, a
    // device, a link to one) is left alone. Temporary files that killed
    // replacements left ("NAME." and six ASCII letters) are removed first.
    std::unique_ptr<TextOutputStream> CreateTextFile() const;

  private:
    QString path_;
};

// $XDG_CONFIG_HOME, else ~/.config; it may not exist yet.
FolderItem PreferencesFolder();

// Ends lines on writing and on reading; a CR before it belongs to the line,
// so a CR LF file is written back as it was.
inline constexpr char LineDelimiter = '\n';

// A file read line by line in bounded pieces, as the bytes it holds.
class TextInputStream {
  public:
    // The first two fields of the next line, cut at `separator`; false when
    // the second is empty. The rest of the line is passed over unheld, so a
    // huge line of no use costs no memory.
    bool readFields(char separator, QByteArray& first, QByteArray& second);
    bool atEOF() const { return !error_.isEmpty() || atEnd_ || offset() >= size_; }
    // Why a read failed partway; the line it cut was not returned. Empty if none.
    const QString& errorString() const { return error_; }
    qint64 offset() const { return bufferStart_ + position_; }
    qint64 size() const { return size_; }

  private:
    friend class FolderItem;
    explicit TextInputStream(int descriptor);
    // The next piece of the file into buffer_, once all of it is used; nothing
    // at the end or after a failed read.
    void readAhead();

    // Read in pieces of our own: QFile::readLine takes a long line a byte at
    // a time, or, over a C stream, asks the system for the offset every line.
    QFile file_;
    qint64 size_;
    QByteArray buffer_;
    qsizetype position_ = 0;
    qint64 bufferStart_ = 0;  // file offset of buffer_[0]
    bool atEnd_ = false;
    QString error_;
};

// A new file written in pieces. Nothing replaces the old file until Close
// succeeds; a stream dropped unclosed leaves the old file as it was.
class TextOutputStream {
  public:
    void write(QByteArrayView bytes);
    void WriteLine(QByteArrayView bytes);
    // False if anything failed; the old file is then unchanged.
    bool Close();
    const QString& errorString() const { return error_; }

  private:
    friend class FolderItem;
    explicit TextOutputStream(const QString& path);
    void flush();
    void fail(const QString& why);

    QSaveFile file_;
    QByteArray buffer_;
    QString error_;
};
