#include "framework/Files.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QStandardPaths>
#include <cerrno>
#include <cstring>

namespace {
// Reads and writes go to the system in pieces of this size.
constexpr qsizetype Chunk = 64 * 1024;

bool IsRegularFile(const QByteArray& path) {
    struct stat info {};
    return ::stat(path.constData(), &info) == 0 && S_ISREG(info.st_mode);
}
}  // namespace

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
    return std::unique_ptr<TextInputStream>(new TextInputStream(descriptor));
}

std::unique_ptr<TextOutputStream> FolderItem::CreateTextFile() const {
    return std::unique_ptr<TextOutputStream>(new TextOutputStream(path_));
}

FolderItem PreferencesFolder() {
    return FolderItem(QStandardPaths::writableLocation(QStandardPaths::GenericConfigLocation));
}

// ---- TextInputStream

TextInputStream::TextInputStream(int descriptor) : descriptor_(descriptor) {}

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
            return line;
        }
    }
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
    ssize_t got = -1;
    do {
        got = ::read(descriptor_, buffer_.data(), static_cast<std::size_t>(Chunk));
    } while (got < 0 && errno == EINTR);
    if (got <= 0) {
        // A read error ends the file like its end does.
        ended_ = true;
        buffer_.clear();
        return false;
    }
    buffer_.resize(got);
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
    const qint64 written = file_.write(buffer_);
    if (written != buffer_.size()) {
        Fail(file_.errorString());
    }
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
