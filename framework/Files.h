#pragma once

#include <QByteArray>
#include <QByteArrayList>
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
    // a file that cannot be made shows as a failed Close. Something there that
    // is not a regular file (a folder, a device, a link to one) is refused and
    // left alone; a link to a regular file is written through. Temporary files
    // that earlier replacements of this file left behind when killed
    // ("NAME." and six ASCII letters, regular files only) are removed first.
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
    // The first `count` fields of the next line, cut at `separator` (field n
    // as NthField gives it), into `fields`; false, with `fields` empty, when
    // field `count` is empty. Only those fields are held: the rest of the line
    // is skipped, and a long field is read again from the file only when the
    // line is kept, so a huge line of no use costs no memory.
    bool ReadFields(char separator, int count, QByteArrayList& fields);
    // Nothing is left to read (EOF: the name is taken by the C library).
    bool AtEOF();
    // A read failed, so the file was not read to its end. The line it cut
    // short was not returned (ReadLine gave an empty one, ReadFields false).
    bool Failed() const { return !error_.isEmpty(); }
    const QString& ErrorString() const { return error_; }
    // Bytes of the file consumed so far, and the file's size when opened.
    qint64 Offset() const { return fileOffset_ - (buffer_.size() - position_); }
    qint64 Size() const { return size_; }

  private:
    friend class FolderItem;
    TextInputStream(int descriptor, qint64 size);
    bool Fill();
    qint64 SkipHole();
    bool ReadBack(qint64 offset, QByteArray& bytes);

    int descriptor_;
    qint64 size_;
    QByteArray buffer_;
    qsizetype position_ = 0;  // first unread byte of buffer_
    qint64 fileOffset_ = 0;   // of the byte after buffer_
    bool ended_ = false;
    QString error_;
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
    qint64 written_ = 0;
    bool closed_ = false;
};

// Tests make reads and writes of text files fail as a failing disk or a full
// one does: reads with EIO once `readFailsAfter` bytes of a file were read,
// writes with `writeError` once `writeFailsAfter` bytes were written (the write
// that crosses the limit is short). Negative limits mean no failure.
struct FileFaults {
    qint64 readFailsAfter = -1;
    qint64 writeFailsAfter = -1;
    int writeError = 0;
};
void SetFileFaults(const FileFaults& faults);
