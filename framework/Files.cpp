#include "framework/Files.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <QFile>
#include <QFileInfo>
#include <QStandardPaths>
#include <cerrno>
#include <cstring>

#include "framework/FileIO.h"

namespace {
FileFaults faults;

bool IsRegularFile(const QByteArray& path) {
    struct stat info {};
    return ::stat(path.constData(), &info) == 0 && S_ISREG(info.st_mode);
}
}  // namespace

const FileFaults& fileio::Faults() {
    return faults;
}

QString fileio::ErrorText(int error) {
    return QString::fromLocal8Bit(std::strerror(error));
}

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
