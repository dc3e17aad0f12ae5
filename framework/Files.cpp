#include "framework/Files.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QStandardPaths>
#include <algorithm>
#include <cerrno>
#include <cstring>
#include <vector>

namespace {
// Reads and writes go to the system in pieces of this size.
constexpr qsizetype Chunk = 64 * 1024;
// ReadFields holds a field up to this size; a longer one is read again if kept.
constexpr qsizetype HeldField = Chunk;

FileFaults faults;

bool IsRegularFile(const QByteArray& path) {
    struct stat info {};
    return ::stat(path.constData(), &info) == 0 && S_ISREG(info.st_mode);
}

QString ErrorText(int error) {
    return QString::fromLocal8Bit(std::strerror(error));
}

// pread, or read at the current position when offset is negative; the
// simulated failing disk included.
ssize_t ReadSome(int descriptor, char* into, qint64 size, qint64 offset, qint64 fileOffset) {
    const qint64 at = offset < 0 ? fileOffset : offset;
    if (faults.readFailsAfter >= 0 && at + size > faults.readFailsAfter) {
        size = std::max<qint64>(faults.readFailsAfter - at, 0);
        if (size == 0) {
            errno = EIO;
            return -1;
        }
    }
    ssize_t got = -1;
    do {
        got = offset < 0 ? ::read(descriptor, into, static_cast<std::size_t>(size))
                         : ::pread(descriptor, into, static_cast<std::size_t>(size), offset);
    } while (got < 0 && errno == EINTR);
    return got;
}

// Writes it all; false with errno set when the system would not.
bool WriteAll(int descriptor, const char* bytes, qint64 size, qint64 written) {
    while (size > 0) {
        qint64 allowed = size;
        if (faults.writeFailsAfter >= 0) {
            allowed = std::min(size, std::max<qint64>(faults.writeFailsAfter - written, 0));
            if (allowed == 0) {
                errno = faults.writeError;
                return false;
            }
        }
        const ssize_t done = ::write(descriptor, bytes, static_cast<std::size_t>(allowed));
        if (done < 0 && errno == EINTR) {
            continue;
        }
        if (done <= 0) {
            if (done == 0) {
                errno = EIO;
            }
            return false;
        }
        bytes += done;
        size -= done;
        written += done;
    }
    return true;
}

// What a replacement killed before it was done leaves beside the file (when
// the file system has no unnamed temporary files): NAME. and six letters or digits.
void RemoveLeftovers(const QString& path) {
    const QFileInfo target(path);
    const QString prefix = target.fileName() + QLatin1Char('.');
    const QDir folder = target.absoluteDir();
    const QStringList names = folder.entryList({prefix + QStringLiteral("??????")},
                                               QDir::Files | QDir::Hidden | QDir::System);
    for (const QString& name : names) {
        const QStringView tail = QStringView(name).sliced(prefix.size());
        const bool ours = std::all_of(tail.begin(), tail.end(), [](QChar c) {
            return c.unicode() < 128 && c.isLetterOrNumber();
        });
        struct stat info {};
        const QByteArray native = QFile::encodeName(folder.filePath(name));
        if (ours && ::lstat(native.constData(), &info) == 0 && S_ISREG(info.st_mode)) {
            ::unlink(native.constData());
        }
    }
}
}  // namespace

void SetFileFaults(const FileFaults& newFaults) {
    faults = newFaults;
}

// ---- FolderItem

FolderItem FolderItem::Child(const QString& name) const {
    if (path_.isEmpty()) {
        return {};
    }
    return FolderItem(path_ + QLatin1Char('/') + name);
}

bool FolderItem::Exists() const {
    return !path_.isEmpty() && QFileInfo::exists(path_);
}

std::unique_ptr<TextInputStream> FolderItem::OpenAsTextFile() const {
    if (path_.isEmpty()) {
        return nullptr;
    }
    const QByteArray native = QFile::encodeName(path_);
    // Looked at before opening, as opening a device can already do something.
    if (!IsRegularFile(native)) {
        return nullptr;
    }
    // Non-blocking, so a FIFO put there since the look is not waited on.
    int descriptor = -1;
    do {
        descriptor = ::open(native.constData(), O_RDONLY | O_NONBLOCK | O_NOCTTY | O_CLOEXEC);
    } while (descriptor < 0 && errno == EINTR);
    if (descriptor < 0) {
        return nullptr;
    }
    struct stat info {};
    if (::fstat(descriptor, &info) != 0 || !S_ISREG(info.st_mode)) {
        ::close(descriptor);
        return nullptr;
    }
    ::fcntl(descriptor, F_SETFL, ::fcntl(descriptor, F_GETFL) & ~O_NONBLOCK);
    return std::unique_ptr<TextInputStream>(new TextInputStream(descriptor, info.st_size));
}

std::unique_ptr<TextOutputStream> FolderItem::CreateTextFile() const {
    return std::unique_ptr<TextOutputStream>(new TextOutputStream(path_));
}

FolderItem PreferencesFolder() {
    return FolderItem(QStandardPaths::writableLocation(QStandardPaths::GenericConfigLocation));
}

// ---- TextInputStream

TextInputStream::TextInputStream(int descriptor, qint64 size)
    : descriptor_(descriptor), size_(size) {}

TextInputStream::~TextInputStream() {
    ::close(descriptor_);
}

QByteArray TextInputStream::ReadLine() {
    QByteArray line;
    for (;;) {
        const qsizetype left = buffer_.size() - position_;
        if (left > 0) {
            const char* start = buffer_.constData() + position_;
            const auto* end = static_cast<const char*>(
                std::memchr(start, LineDelimiter, static_cast<std::size_t>(left)));
            if (end) {
                line.append(start, end - start);
                position_ += end - start + 1;
                return line;
            }
            // A long line grows by whole pieces: linear, however long it is.
            line.append(start, left);
            position_ = buffer_.size();
        }
        if (!Fill()) {
            return Failed() ? QByteArray() : line;
        }
    }
}

bool TextInputStream::ReadFields(char separator, int count, QByteArrayList& fields) {
    // A field too long to hold is remembered by where it starts in the file.
    struct Field {
        QByteArray bytes;
        qint64 start = 0;
        qint64 size = 0;
        bool held = true;
    };
    std::vector<Field> parts(1, Field{{}, Offset()});
    bool skipping = count < 1;
    for (;;) {
        if (position_ >= buffer_.size() && !Fill()) {
            if (Failed()) {
                fields.clear();
                return false;
            }
            break;  // the last line needs no line end
        }
        const char* start = buffer_.constData() + position_;
        const qsizetype left = buffer_.size() - position_;
        const auto* lineEnd = static_cast<const char*>(
            std::memchr(start, LineDelimiter, static_cast<std::size_t>(left)));
        const qsizetype span = lineEnd ? lineEnd - start : left;
        qsizetype at = 0;
        while (at < span && !skipping) {
            const auto* cut = static_cast<const char*>(
                std::memchr(start + at, separator, static_cast<std::size_t>(span - at)));
            const qsizetype piece = (cut ? cut - start : span) - at;
            Field& field = parts.back();
            field.size += piece;
            if (field.held && field.size > HeldField) {
                field.held = false;
                field.bytes = QByteArray();
            }
            if (field.held) {
                field.bytes.append(start + at, piece);
            }
            at += piece;
            if (cut) {
                ++at;
                if (static_cast<int>(parts.size()) == count) {
                    skipping = true;
                } else {
                    parts.push_back(Field{{}, Offset() + at});
                }
            }
        }
        position_ += lineEnd ? span + 1 : span;
        if (lineEnd) {
            break;
        }
    }
    fields.clear();
    if (static_cast<int>(parts.size()) < count || parts.back().size == 0) {
        return false;
    }
    for (Field& field : parts) {
        if (!field.held) {
            field.bytes.resize(field.size);
            if (!ReadBack(field.start, field.bytes)) {
                return false;
            }
        }
        fields.append(std::move(field.bytes));
    }
    return true;
}

// Fills bytes, sized already, from that place in the file.
bool TextInputStream::ReadBack(qint64 offset, QByteArray& bytes) {
    qint64 done = 0;
    while (done < bytes.size()) {
        const ssize_t got = ReadSome(descriptor_, bytes.data() + done, bytes.size() - done,
                                     offset + done, fileOffset_);
        if (got <= 0) {
            error_ = got < 0 ? ErrorText(errno) : QStringLiteral("the file became shorter");
            ended_ = true;
            bytes.clear();
            return false;
        }
        done += got;
    }
    return true;
}

bool TextInputStream::AtEOF() {
    return position_ >= buffer_.size() && !Fill();
}

// Replaces the buffer, all read, by the next piece of the file.
bool TextInputStream::Fill() {
    if (ended_) {
        return false;
    }
    buffer_.resize(Chunk);
    position_ = 0;
    const ssize_t got = ReadSome(descriptor_, buffer_.data(), Chunk, -1, fileOffset_);
    if (got <= 0) {
        // A read error ends the file too, and is kept to be told.
        if (got < 0) {
            error_ = ErrorText(errno);
        }
        ended_ = true;
        buffer_.clear();
        return false;
    }
    buffer_.resize(got);
    fileOffset_ += got;
    return true;
}

// ---- TextOutputStream

TextOutputStream::TextOutputStream(const QString& path) : file_(path) {
    if (path.isEmpty()) {
        Fail(QStringLiteral("there is no preferences folder"));
        return;
    }
    const QString folder = QFileInfo(path).absolutePath();
    if (!QDir().mkpath(folder)) {
        Fail(QStringLiteral("the folder %1 could not be made")
                 .arg(QDir::toNativeSeparators(folder)));
        return;
    }
    const QByteArray native = QFile::encodeName(path);
    struct stat info {};
    // Replacing a device node, or a folder, is never what saving a file means.
    if (::stat(native.constData(), &info) == 0 && !S_ISREG(info.st_mode)) {
        Fail(QStringLiteral("it is not a regular file, and was left as it is"));
        return;
    }
    RemoveLeftovers(path);
    // Writing in place would leave a cut-off file behind a failure.
    file_.setDirectWriteFallback(false);
    // Unbuffered: our buffer hands every piece to QSaveFile, which sees each
    // write fail and then keeps the old file.
    if (!file_.open(QIODevice::WriteOnly | QIODevice::Unbuffered)) {
        Fail(file_.errorString());
    }
    buffer_.reserve(Chunk);
}

TextOutputStream::~TextOutputStream() = default;  // unclosed: QSaveFile drops the new file

void TextOutputStream::Write(QByteArrayView bytes) {
    if (closed_ || !error_.isEmpty()) {
        return;
    }
    buffer_.append(bytes);
    if (buffer_.size() >= Chunk) {
        Flush();
    }
}

void TextOutputStream::WriteLine(QByteArrayView bytes) {
    Write(bytes);
    Write(QByteArrayView(&LineDelimiter, 1));
}

bool TextOutputStream::Close() {
    if (closed_) {
        return error_.isEmpty();
    }
    Flush();
    closed_ = true;
    if (!error_.isEmpty()) {
        return false;
    }
    if (!file_.commit()) {
        Fail(file_.errorString());
        return false;
    }
    return true;
}

void TextOutputStream::Flush() {
    if (buffer_.isEmpty() || !error_.isEmpty()) {
        return;
    }
    // Written past QSaveFile, whose message for a full disk may be "Unknown
    // error": the failing write's own errno names the cause.
    if (!WriteAll(file_.handle(), buffer_.constData(), buffer_.size(), written_)) {
        Fail(ErrorText(errno));
    }
    written_ += buffer_.size();
    buffer_.resize(0);  // keeps the room for the next piece
}

void TextOutputStream::Fail(const QString& why) {
    if (error_.isEmpty()) {
        error_ = why.isEmpty() ? QStringLiteral("the file could not be written") : why;
    }
    if (file_.isOpen()) {
        file_.cancelWriting();
        file_.commit();  // after cancelWriting this only removes the new file
    }
}
