// Reading text files: lines, or the first fields of lines, in bounded pieces.
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <vector>

#include "framework/FileIO.h"
#include "framework/Files.h"

using fileio::Chunk;
using fileio::ErrorText;

namespace {
// ReadFields holds a field up to this size; a longer one is read again if kept.
constexpr qsizetype HeldField = Chunk;

// pread, or read at the current position when offset is negative; the
// simulated failing disk included.
ssize_t ReadSome(int descriptor, char* into, qint64 size, qint64 offset, qint64 fileOffset) {
    const qint64 at = offset < 0 ? fileOffset : offset;
    const qint64 limit = fileio::Faults().readFailsAfter;
    if (limit >= 0 && at + size > limit) {
        size = std::max<qint64>(limit - at, 0);
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
}  // namespace

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
        if (position_ >= buffer_.size() && (skipping || !parts.back().held)) {
            // Bytes of no interest: a hole in the file holds only NULs, which
            // end no line or field, so it need not be read at all.
            const qint64 skipped = SkipHole();
            if (!skipping) {
                parts.back().size += skipped;
            }
        }
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

// Moves past a hole (unwritten bytes, NULs) at the read position; returns its
// size. Where the system cannot tell, there is none.
qint64 TextInputStream::SkipHole() {
    if (ended_) {
        return 0;
    }
    off_t data = ::lseek(descriptor_, static_cast<off_t>(fileOffset_), SEEK_DATA);
    if (data < 0 && errno == ENXIO) {
        data = ::lseek(descriptor_, 0, SEEK_END);  // a hole up to the end
    }
    if (data <= fileOffset_) {
        ::lseek(descriptor_, static_cast<off_t>(fileOffset_), SEEK_SET);
        return 0;
    }
    const qint64 skipped = data - fileOffset_;
    fileOffset_ = data;
    buffer_.clear();
    position_ = 0;
    return skipped;
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
