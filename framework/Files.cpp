// SPDX-License-Identifier: MIT
#include "framework/Files.h"

#include <fcntl.h>
#include <pwd.h>
#include <signal.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

#include <QCoreApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QSysInfo>
#include <QThread>
#include <cerrno>
#include <cstdlib>
#include <cstring>
#include <ctime>
#include <optional>
#include <vector>

#include "framework/Progress.h"

namespace {
constexpr qsizetype Chunk = 256 * 1024;  // the most written to the system at once
constexpr int LockWaitMs = 3000;         // how long a save waits for another one
// A lock this young may be one its maker has not locked yet.
constexpr std::time_t FreshLockSeconds = 1;

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

// Where a chain of links ends (a name not made yet, if it is dangling), in a folder named
// without links: every name of one file gives the same path.
QString realPath(const QString& path) {
    QFileInfo at(path);
    for (int hops = 0; at.isSymLink() && hops < 40; ++hops) {
        at = QFileInfo(at.symLinkTarget());
    }
    const QString folder = QFileInfo(at.absolutePath()).canonicalFilePath();
    return (folder.isEmpty() ? at.absolutePath() : folder) + QLatin1Char('/') + at.fileName();
}

// What a lock holds: process, program and host, as Qt's own lock files do, so that an older
// game waiting on it can tell whether its maker still runs.
QByteArray lockText() {
    return QByteArray::number(::getpid()) + '\n' + QCoreApplication::applicationName().toUtf8() +
           '\n' + QSysInfo::machineHostName().toUtf8() + '\n';
}

bool sameFile(const struct stat& a, const struct stat& b) {
    return a.st_dev == b.st_dev && a.st_ino == b.st_ino;
}
}  // namespace

// The lock is a kernel lock (flock) on a regular file of ours: it ends with its process, so
// whatever a dead game left there (nothing, garbage, another host's name) is free and taken
// over. Only regular files are ever opened, without following a link or waiting.
FileLock::State FileLock::tryTake() {
    const int create = O_RDWR | O_CREAT | O_EXCL | O_NOFOLLOW | O_NONBLOCK | O_CLOEXEC;
    descriptor_ = ::open(path_.constData(), create, 0644);
    if (descriptor_ >= 0) {
        // Only a file left alone past FreshLockSeconds is ever locked by another game.
        if (::flock(descriptor_, LOCK_EX | LOCK_NB) != 0 && errno == EWOULDBLOCK) {
            return drop(Busy);
        }
        return own();
    }
    if (errno != EEXIST) {
        return fail(errno);
    }
    struct stat there {};
    if (::lstat(path_.constData(), &there) != 0) {
        return errno == ENOENT ? Busy : fail(errno);
    }
    const bool ours = there.st_uid == ::geteuid();
    if (S_ISLNK(there.st_mode) && ours) {
        // A link is no lock of ours: it goes, and what it leads to stays as it is.
        return ::unlink(path_.constData()) == 0 || errno == ENOENT ? Busy : fail(errno);
    }
    if (!S_ISREG(there.st_mode)) {
        return InTheWay;
    }
    const int open = O_NOFOLLOW | O_NONBLOCK | O_CLOEXEC;
    descriptor_ = ::open(path_.constData(), O_RDWR | open);
    if (descriptor_ < 0 && errno == EACCES) {
        descriptor_ = ::open(path_.constData(), O_RDONLY | open);  // enough to lock it
    }
    struct stat opened {};
    if (descriptor_ < 0 || ::fstat(descriptor_, &opened) != 0 || !sameFile(opened, there)) {
        return drop(Busy);  // gone or replaced meanwhile: looked at again
    }
    if (::flock(descriptor_, LOCK_EX | LOCK_NB) != 0) {
        return drop(errno == EWOULDBLOCK ? Busy : InTheWay);
    }
    // Free: its game is gone, unless it made the file a moment ago and is about to lock it.
    struct stat still {};
    if (::lstat(path_.constData(), &still) != 0 || !sameFile(still, there)) {
        return drop(Busy);  // its holder removed it as it let go
    }
    if (std::labs(std::time(nullptr) - there.st_mtime) <= FreshLockSeconds && !makerGone()) {
        return drop(Busy);
    }
    // Ours is taken over; another user's is theirs to remove.
    return ours ? own() : drop(InTheWay);
}

// It names a process of this host that has ended.
bool FileLock::makerGone() const {
    char text[256] = {};
    const ssize_t got = ::pread(descriptor_, text, sizeof text - 1, 0);
    const QList<QByteArray> lines = QByteArray(text, std::max<ssize_t>(got, 0)).split('\n');
    bool number = false;
    const qint64 pid = lines.value(0).toLongLong(&number);
    return number && pid > 0 && lines.value(2) == QSysInfo::machineHostName().toUtf8() &&
           ::kill(static_cast<pid_t>(pid), 0) != 0 && errno == ESRCH;
}

FileLock::State FileLock::own() {
    // What it says helps only an older game waiting on it; the kernel lock is what counts.
    const QByteArray text = lockText();
    if (::ftruncate(descriptor_, 0) == 0) {
        const ssize_t written =
            ::write(descriptor_, text.constData(), static_cast<std::size_t>(text.size()));
        static_cast<void>(written);
    }
    return Taken;
}

FileLock::State FileLock::drop(State state) {
    if (descriptor_ >= 0) {
        ::close(descriptor_);
        descriptor_ = -1;
    }
    return state;
}

FileLock::State FileLock::fail(int error) {
    error_ = error;
    return drop(Failed);
}

FileLock::State FileLock::take(int waitMs) {
    QElapsedTimer waited;
    waited.start();
    std::optional<Progress> progress;
    for (;;) {
        const State state = tryTake();
        if (state != Busy || waited.elapsed() >= waitMs) {
            return state;
        }
        if (!progress) {
            progress.emplace(
                QCoreApplication::translate(
                    "Files", "Waiting for another program to finish writing the file…"),
                waitMs);
        }
        progress->setValue(waited.elapsed());
        QThread::msleep(20);
    }
}

FileLock::~FileLock() {
    if (descriptor_ >= 0) {
        // Removed while still held, so the next game makes a new one.
        struct stat held {
        }, there{};
        if (::fstat(descriptor_, &held) == 0 && ::lstat(path_.constData(), &there) == 0 &&
            sameFile(held, there)) {
            ::unlink(path_.constData());
        }
        ::close(descriptor_);
    }
}

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
        if (descriptor >= 0) {
            ::close(descriptor);
        }
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
    if (path.isEmpty()) {
        return fail(QCoreApplication::translate(
            "Files", "no home folder was found, so nothing can be kept"));
    }
    const QFileInfo there(path);
    if (!QDir().mkpath(there.absolutePath())) {
        return fail(QCoreApplication::translate("Files", "the folder %1 could not be made")
                        .arg(QDir::toNativeSeparators(there.absolutePath())));
    }
    // A link's target is replaced (made when it points to nothing yet), and locked: games
    // that reach one file by different names take turns.
    const QFileInfo target(realPath(path));
    const QString folder = target.absolutePath();
    const QString lockPath = folder + "/." + target.fileName() + ".lock";
    lock_ = std::make_unique<FileLock>(QFile::encodeName(lockPath));
    switch (lock_->take(LockWaitMs)) {
        case FileLock::Taken:
            break;
        case FileLock::Busy:
            return fail(QCoreApplication::translate(
                "Files", "another program is writing it; try again later"));
        case FileLock::InTheWay:
            return fail(QCoreApplication::translate(
                            "Files",
                            "%1 stands where its lock must be made and is no lock of this program "
                            "that could be taken over; remove it (a folder with everything in it), "
                            "then try again")
                            .arg(QDir::toNativeSeparators(lockPath)));
        case FileLock::Failed:
            return fail(
                QCoreApplication::translate("Files", "its lock file could not be made in %1: %2")
                    .arg(QDir::toNativeSeparators(folder), errorText(lock_->error())));
    }
    // Replacing a device node, or a folder, is never what saving a file means.
    if (there.exists() && !there.isFile()) {
        return fail(QCoreApplication::translate("Files",
                                                "it is not a regular file, and was left as it is"));
    }
    target_ = QFile::encodeName(target.absoluteFilePath());
    const QByteArray temporary = QFile::encodeName(folder + "/." + target.fileName() + ".saving");
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
         ::fchmod(descriptor_, (old_->st_mode & 0777) | S_IRUSR | S_IWUSR) != 0)) {
        fail(errorText(errno));
    }
    if (!failed() &&
        (::fsync(descriptor_) != 0 || ::rename(temporary_.constData(), target_.constData()) != 0)) {
        fail(errorText(errno));
    }
    if (!failed()) {
        temporary_.clear();  // it is the file now
    }
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
