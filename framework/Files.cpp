// SPDX-License-Identifier: MIT
#include "framework/Files.h"

#include <fcntl.h>
#include <pwd.h>
#include <sys/stat.h>
#include <unistd.h>

#include <QCoreApplication>
#include <QDir>
#include <cerrno>
#include <cstring>
#include <vector>

namespace {
constexpr qsizetype Chunk = 256 * 1024;  // the most written to the system at once
constexpr int LockWaitMs = 10000;        // how long a save waits for another one

QString errorText(int error) {
    return QString::fromLocal8Bit(std::strerror(error));
}

// $HOME, else the account's own, if it is a folder. The root is nobody's home.
QString homeFolder() {
    QString home = qEnvironmentVariable("HOME");
    if (!QDir::isAbsolutePath(home)) {
        std::vector<char> text(16384);
        passwd entry{}, *found = nullptr;
        const bool known =
            ::getpwuid_r(::getuid(), &entry, text.data(), text.size(), &found) == 0 && found;
        home = known ? QFile::decodeName(found->pw_dir) : QString();
        home = QFileInfo(home).isDir() ? home : QString();
    }
    home = QDir::cleanPath(home);
    return QDir::isAbsolutePath(home) && home != QStringLiteral("/") ? home : QString();
}
}  // namespace

std::unique_ptr<QFile> FolderItem::OpenAsTextFile(QString& why) const {
    why.clear();
    if (!Exists()) {
        return nullptr;
    }
    // Looked at first, as opening a device acts; without blocking, as a FIFO may come since.
    const bool regular = QFileInfo(path_).isFile();
    const int descriptor = regular ? ::open(QFile::encodeName(path_).constData(),
                                            O_RDONLY | O_NONBLOCK | O_NOCTTY | O_CLOEXEC)
                                   : -1;
    struct stat info {};
    if (descriptor < 0 || ::fstat(descriptor, &info) != 0 || !S_ISREG(info.st_mode)) {
        why = regular && descriptor < 0
                  ? errorText(errno)
                  : QCoreApplication::translate("Files", "it is not a regular file");
        descriptor >= 0 ? void(::close(descriptor)) : void();
        return nullptr;
    }
    auto file = std::make_unique<QFile>();
    file->open(descriptor, QIODevice::ReadOnly | QIODevice::Unbuffered,
               QFileDevice::AutoCloseHandle);
    return file;
}

std::unique_ptr<TextOutputStream> FolderItem::CreateTextFile() const {
    return std::unique_ptr<TextOutputStream>(new TextOutputStream(path_));
}

FolderItem PreferencesFolder() {
    const QString config = qEnvironmentVariable("XDG_CONFIG_HOME"), home = homeFolder();
    return QDir::isAbsolutePath(config) ? FolderItem(QDir::cleanPath(config))
           : home.isEmpty()             ? FolderItem()
                                        : FolderItem(home + QStringLiteral("/.config"));
}

void TextOutputStream::start(const QString& path) {
    const QFileInfo there(path);
    const QString folder = there.absolutePath();
    if (path.isEmpty()) {
        return fail(QCoreApplication::translate(
            "Files", "no home folder was found, so nothing can be kept"));
    }
    if (!QDir().mkpath(folder)) {
        return fail(QCoreApplication::translate("Files", "the folder %1 could not be made")
                        .arg(QDir::toNativeSeparators(folder)));
    }
    lock_ = std::make_unique<QLockFile>(folder + "/." + there.fileName() + ".lock");
    lock_->setStaleLockTime(0);  // only a lock whose process is gone is stale
    if (!lock_->tryLock(LockWaitMs)) {
        const bool held = lock_->error() == QLockFile::LockFailedError;
        lock_.reset();
        return fail(
            held ? QCoreApplication::translate("Files",
                                               "another program is writing it; try again later")
                 : QCoreApplication::translate("Files", "its lock file could not be made in %1")
                       .arg(QDir::toNativeSeparators(folder)));
    }
    // Replacing a device node, or a folder, is never what saving a file means.
    if (there.exists() && !there.isFile()) {
        return fail(QCoreApplication::translate("Files",
                                                "it is not a regular file, and was left as it is"));
    }
    // A link's target is replaced (made when it points to nothing yet).
    const QFileInfo target(!there.isSymLink() ? there.absoluteFilePath()
                           : there.exists()   ? there.canonicalFilePath()
                                              : there.symLinkTarget());
    target_ = QFile::encodeName(target.absoluteFilePath());
    const QByteArray temporary =
        QFile::encodeName(target.absolutePath() + "/." + target.fileName() + ".saving");
    struct stat old {};
    if (::stat(target_.constData(), &old) == 0) {
        if (::access(target_.constData(), W_OK) != 0) {
            return fail(
                QCoreApplication::translate("Files", "it is read-only, and was left as it is"));
        }
        old_ = old;
    }
    // Under the lock, a file of this name can only be a killed save's.
    if (::unlink(temporary.constData()) != 0 && errno != ENOENT) {
        return fail(errorText(errno));
    }
    descriptor_ =
        ::open(temporary.constData(), O_WRONLY | O_CREAT | O_EXCL | O_NOFOLLOW | O_CLOEXEC, 0666);
    if (descriptor_ < 0) {
        return fail(errorText(errno));
    }
    temporary_ = temporary;
}

void TextOutputStream::WriteLine(QByteArrayView bytes) {
    if (!failed()) {
        buffer_.append(bytes).append(LineDelimiter);
        if (buffer_.size() >= Chunk) {
            flush();
        }
    }
}

bool TextOutputStream::Close() {
    flush();
    if (!failed() && old_ &&
        ((::geteuid() == 0 && ::fchown(descriptor_, old_->st_uid, old_->st_gid) != 0) ||
         ::fchmod(descriptor_, old_->st_mode & 0777) != 0)) {
        fail(errorText(errno));
    }
    if (!failed() &&
        (::fsync(descriptor_) != 0 || ::rename(temporary_.constData(), target_.constData()) != 0)) {
        fail(errorText(errno));
    }
    failed() ? void() : temporary_.clear();  // it is the file now
    end();
    return !failed();
}

// Past Qt, whose text for a full disk may be "Unknown error": errno names the cause.
void TextOutputStream::flush() {
    for (QByteArrayView rest = buffer_; !failed() && !rest.isEmpty();) {
        const ssize_t done =
            ::write(descriptor_, rest.data(), static_cast<std::size_t>(rest.size()));
        if (done > 0) {
            rest = rest.sliced(done);
        } else if (done == 0 || errno != EINTR) {
            fail(errorText(done == 0 ? EIO : errno));
        }
    }
    buffer_.resize(0);
}

void TextOutputStream::fail(const QString& why) {
    if (!failed()) {
        error_ = why.isEmpty()
                     ? QCoreApplication::translate("Files", "the file could not be written")
                     : why;
    }
    end();
}

void TextOutputStream::end() {
    if (descriptor_ >= 0) {
        ::close(descriptor_);
        descriptor_ = -1;
    }
    if (!temporary_.isEmpty()) {
        ::unlink(temporary_.constData());
        temporary_.clear();
    }
    lock_.reset();  // unlocks
}
