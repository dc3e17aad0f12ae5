// Writing text files: a new file that replaces the old one only when whole.
#include <sys/stat.h>
#include <unistd.h>

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <algorithm>
#include <cerrno>

#include "framework/FileIO.h"
#include "framework/Files.h"

using fileio::Chunk;
using fileio::ErrorText;

namespace {
// Writes it all; false with errno set when the system would not.
bool WriteAll(int descriptor, const char* bytes, qint64 size, qint64 written) {
    const FileFaults& faults = fileio::Faults();
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
// the file system has no unnamed temporary files): NAME. and six ASCII letters.
void RemoveLeftovers(const QString& path) {
    const QFileInfo target(path);
    const QString prefix = target.fileName() + QLatin1Char('.');
    const QDir folder = target.absoluteDir();
    const QStringList names = folder.entryList({prefix + QStringLiteral("??????")},
                                               QDir::Files | QDir::Hidden | QDir::System);
    for (const QString& name : names) {
        const QStringView tail = QStringView(name).sliced(prefix.size());
        const bool ours = std::all_of(tail.begin(), tail.end(), [](QChar c) {
            return (c >= u'a' && c <= u'z') || (c >= u'A' && c <= u'Z');
        });
        struct stat info {};
        const QByteArray native = QFile::encodeName(folder.filePath(name));
        if (ours && ::lstat(native.constData(), &info) == 0 && S_ISREG(info.st_mode)) {
            ::unlink(native.constData());
        }
    }
}
}  // namespace

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
    // Unbuffered: Flush writes our buffer straight to the new file's
    // descriptor, and a failure drops the new file and keeps the old.
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
