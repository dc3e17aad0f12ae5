// SPDX-License-Identifier: MIT
#include "framework/Files.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <QDir>
#include <QRegularExpression>
#include <QStandardPaths>
#include <algorithm>
#include <cerrno>
#include <cstring>

namespace {
// Reads and writes go to the system in pieces of at most this size.
constexpr qsizetype Chunk = 256 * 1024;

QString errorText(int error) {
    return QString::fromLocal8Bit(std::strerror(error));
}

// Temporary files ("NAME." and six letters) left beside the file by
// replacements killed halfway, where there are no unnamed temporary files.
void removeLeftovers(const QFileInfo& file) {
    const QRegularExpression ours(QRegularExpression::anchoredPattern(
        QRegularExpression::escape(file.fileName()) + QStringLiteral("\\.[A-Za-z]{6}")));
    for (const QFileInfo& other : file.absoluteDir().entryInfoList(QDir::Files | QDir::Hidden)) {
        if (ours.match(other.fileName()).hasMatch() && !other.isSymLink()) {
            QFile::remove(other.filePath());
        }
    }
}
}  // namespace

std::unique_ptr<TextInputStream> FolderItem::OpenAsTextFile() const {
    // Looked at before opening, as opening a device can already do something;
    // opened without blocking, as a FIFO may have been put there since.
    if (path_.isEmpty() || !QFileInfo(path_).isFile()) {
        return nullptr;
    }
    const QByteArray native = QFile::encodeName(path_);
    const int descriptor = ::open(native.constData(), O_RDONLY | O_NONBLOCK | O_NOCTTY | O_CLOEXEC);
    struct stat info {};
    if (descriptor >= 0 && ::fstat(descriptor, &info) == 0 && S_ISREG(info.st_mode)) {
        return std::unique_ptr<TextInputStream>(new TextInputStream(descriptor));
    }
    ::close(descriptor);
    return nullptr;
}

std::unique_ptr<TextOutputStream> FolderItem::CreateTextFile() const {
    return std::unique_ptr<TextOutputStream>(new TextOutputStream(path_));
}

FolderItem PreferencesFolder() {
    return FolderItem(QStandardPaths::writableLocation(QStandardPaths::GenericConfigLocation));
}

TextInputStream::TextInputStream(int descriptor) {
    file_.open(descriptor, QIODevice::ReadOnly | QIODevice::Unbuffered,
               QFileDevice::AutoCloseHandle);
    size_ = file_.size();
}

bool TextInputStream::readFields(char separator, QByteArray& first, QByteArray& second) {
    // Only where the first two separators are is kept while the line is read.
    const qint64 start = offset();
    qint64 cuts[2] = {-1, -1};
    int found = 0;
    qint64 end = -1;
    while (end < 0) {
        // The piece is the line up to its line end, or as much of it as is
        // read ahead; empty at the end or after a failed read.
        if (position_ == buffer_.size()) {
            readAhead();
        }
        const qint64 pieceStart = offset();
        const QByteArrayView rest = QByteArrayView(buffer_).sliced(position_);
        const qsizetype lineEnd = rest.indexOf(LineDelimiter);
        const QByteArrayView piece = rest.first(lineEnd < 0 ? rest.size() : lineEnd + 1);
        position_ += piece.size();
        if (!error_.isEmpty()) {
            return false;
        }
        for (qsizetype at = -1; found < 2 && (at = piece.indexOf(separator, at + 1)) >= 0;) {
            cuts[found++] = pieceStart + at;
        }
        if (piece.isEmpty() || piece.endsWith(LineDelimiter)) {
            // the last line needs no line end
            end = pieceStart + std::max<qsizetype>(piece.size() - 1, 0);
        }
    }
    const qint64 secondEnd = found == 2 ? cuts[1] : end;
    if (found == 0 || secondEnd == cuts[0] + 1) {
        return false;
    }
    QByteArray reread;
    if (start < bufferStart_) {  // a line longer than a piece: its fields are read again
        const qint64 resume = bufferStart_ + buffer_.size();
        if (!file_.seek(start) ||
            (reread = file_.read(secondEnd - start)).size() != secondEnd - start ||
            !file_.seek(resume)) {
            error_ = file_.errorString();
            return false;
        }
    }
    const QByteArrayView line =
        reread.isNull() ? QByteArrayView(buffer_).sliced(start - bufferStart_) : reread;
    first = line.first(cuts[0] - start).toByteArray();
    second = line.sliced(cuts[0] + 1 - start, secondEnd - cuts[0] - 1).toByteArray();
    return true;
}

void TextInputStream::readAhead() {
    if (atEnd_ || !error_.isEmpty()) {
        return;
    }
    bufferStart_ += buffer_.size();
    position_ = 0;
    buffer_.resize(Chunk);
    const qint64 got = file_.read(buffer_.data(), Chunk);
    buffer_.resize(std::max<qint64>(got, 0));
    if (got < 0) {
        error_ = file_.errorString();
    }
    atEnd_ = got == 0;
}

TextOutputStream::TextOutputStream(const QString& path) : file_(path) {
    const QFileInfo there(path);
    const QString folder = there.absolutePath();
    if (path.isEmpty()) {
        fail(QStringLiteral("there is no preferences folder"));
    } else if (!QDir().mkpath(folder)) {
        fail(QStringLiteral("the folder %1 could not be made")
                 .arg(QDir::toNativeSeparators(folder)));
    } else if (there.exists() && !there.isFile()) {
        // Replacing a device node, or a folder, is never what saving a file means.
        fail(QStringLiteral("it is not a regular file, and was left as it is"));
    } else {
        removeLeftovers(there);
        // Writing in place would leave a cut-off file behind a failure.
        file_.setDirectWriteFallback(false);
        if (!file_.open(QIODevice::WriteOnly | QIODevice::Unbuffered)) {
            fail(file_.errorString());
        }
    }
}

void TextOutputStream::write(QByteArrayView bytes) {
    if (error_.isEmpty()) {
        buffer_.append(bytes);
        if (buffer_.size() >= Chunk) {
            flush();
        }
    }
}

void TextOutputStream::WriteLine(QByteArrayView bytes) {
    write(bytes);
    write(QByteArrayView(&LineDelimiter, 1));
}

bool TextOutputStream::Close() {
    flush();
    if (error_.isEmpty() && !file_.commit()) {
        fail(file_.errorString());
    }
    return error_.isEmpty();
}

// Written past QSaveFile, whose text for a full disk may be "Unknown error":
// the failing write's own errno names the cause.
void TextOutputStream::flush() {
    for (QByteArrayView rest = buffer_; error_.isEmpty() && !rest.isEmpty();) {
        const ssize_t done =
            ::write(file_.handle(), rest.data(), static_cast<std::size_t>(rest.size()));
        if (done > 0) {
            rest = rest.sliced(done);
        } else if (done == 0 || errno != EINTR) {
            fail(errorText(done == 0 ? EIO : errno));
        }
    }
    buffer_.resize(0);
}

void TextOutputStream::fail(const QString& why) {
    if (error_.isEmpty()) {
        error_ = why.isEmpty() ? QStringLiteral("the file could not be written") : why;
    }
    if (file_.isOpen()) {
        file_.cancelWriting();
        file_.commit();  // after cancelWriting this only drops the new file
    }
}
