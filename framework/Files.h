#pragma once

#include <QByteArray>
#include <QByteArrayView>
#include <QSaveFile>
#include <QString>
#include <memory>

class TextInputStream;
class TextOutputStream;

// A file or folder of the file system, by path. Nothing is touched until asked.
class FolderItem {
  public:
    FolderItem() = default;
    explicit FolderItem(QString path) : path_(std::move(path)) {}

    const QString& Path() const { return path_; }
    FolderItem Child(const QString& name) const;
    // Something of that name is there: a file, a folder or anything else.
    bool Exists() const;

    // Reads the file as lines of bytes. nullptr when there is no regular file
    // to read: missing, unreadable, a folder, a FIFO or a device (which are
    // never waited on).
    std::unique_ptr<TextInputStream> OpenAsTextFile() const;
    // Writes a new file that replaces any of this name only when its stream
    // closes successfully; the folder is made if it is missing. Never nullptr:
    // a file that cannot be made shows as a failed Close.
    std::unique_ptr<TextOutputStream> CreateTextFile() const;

  private:
    QString path_;
};

// The user's preferences folder ($XDG_CONFIG_HOME, else ~/.config); it may not
// exist yet.
FolderItem PreferencesFolder();

// The line delimiter of the text streams, on writing and on reading alike. A
// CR before it is part of the line, so a CR LF file is written back as it was.
inline constexpr char LineDelimiter = '\n';

// Lines of a file, as the bytes they are, without their delimiter.
class TextInputStream {
  public:
    ~TextInputStream();
    TextInputStream(const TextInputStream&) = delete;
    TextInputStream& operator=(const TextInputStream&) = delete;

    // The next line; empty at the end. Time is linear in the line's length.
    QByteArray ReadLine();
    // Nothing is left to read (EOF: the name is taken by the C library).
    bool AtEOF();

  private:
    friend class FolderItem;
    explicit TextInputStream(int descriptor);
    bool Fill();

    int descriptor_;
    QByteArray buffer_;
    qsizetype position_ = 0;  // first unread byte of buffer_
    bool ended_ = false;
};

// A new file written line by line. Nothing replaces the old file until Close
// succeeds; dropping the stream unclosed leaves the old file as it was.
class TextOutputStream {
  public:
    ~TextOutputStream();
    TextOutputStream(const TextOutputStream&) = delete;
    TextOutputStream& operator=(const TextOutputStream&) = delete;

    void Write(QByteArrayView bytes);
    // Writes the bytes and the line delimiter.
    void WriteLine(QByteArrayView bytes);
    // Puts the new file in place of the old one; false if anything failed, and
    // then the old file is unchanged.
    bool Close();
    // Why the file could not be written, once Close has failed.
    const QString& ErrorString() const { return error_; }

  private:
    friend class FolderItem;
    explicit TextOutputStream(const QString& path);
    void Flush();
    void Fail(const QString& why);

    QSaveFile file_;
    QByteArray buffer_;
    QString error_;
    bool closed_ = false;
};
