// SPDX-License-Identifier: GPL-3.0-or-later
#include "FileNames.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace quorvel::imaging {
namespace {

constexpr char16_t kEscapeBase = 0xDC00;

bool isContinuation(unsigned char byte, unsigned char low = 0x80, unsigned char high = 0xBF) {
    return byte >= low && byte <= high;
}

// The length of the well-formed UTF-8 sequence at `at`, or 0. Overlong forms, encoded surrogates
// and code points above U+10FFFF are not well-formed, so none of them decodes to a surrogate
// that would read back as an escape.
qsizetype sequenceLength(QByteArrayView bytes, qsizetype at) {
    const auto byte = [&](qsizetype i) {
        return at + i < bytes.size() ? static_cast<unsigned char>(bytes[at + i]) : 0;
    };
    const unsigned char lead = byte(0);
    if (lead >= 0xC2 && lead <= 0xDF) {
        return isContinuation(byte(1)) ? 2 : 0;
    }
    if (lead >= 0xE0 && lead <= 0xEF) {
        const unsigned char low = lead == 0xE0 ? 0xA0 : 0x80;
        const unsigned char high = lead == 0xED ? 0x9F : 0xBF;
        return isContinuation(byte(1), low, high) && isContinuation(byte(2)) ? 3 : 0;
    }
    if (lead >= 0xF0 && lead <= 0xF4) {
        const unsigned char low = lead == 0xF0 ? 0x90 : 0x80;
        const unsigned char high = lead == 0xF4 ? 0x8F : 0xBF;
        return isContinuation(byte(1), low, high) && isContinuation(byte(2)) &&
                       isContinuation(byte(3))
                   ? 4
                   : 0;
    }
    return 0;
}

}  // namespace

QString pathFromLocalBytes(QByteArrayView bytes) {
    QString path;
    path.reserve(bytes.size());
    qsizetype at = 0;
    while (at < bytes.size()) {
        const auto lead = static_cast<unsigned char>(bytes[at]);
        if (lead < 0x80) {
            path += QChar(lead);
            ++at;
        } else if (const qsizetype length = sequenceLength(bytes, at); length > 0) {
            path += QString::fromUtf8(bytes.sliced(at, length));
            at += length;
        } else {
            path += QChar(char16_t(kEscapeBase + lead));
            ++at;
        }
    }
    return path;
}

std::optional<QByteArray> localBytesFromPath(QStringView path) {
    QByteArray bytes;
    bytes.reserve(path.size());
    qsizetype from = 0;
    const auto flush = [&](qsizetype to) { bytes += path.sliced(from, to - from).toUtf8(); };
    for (qsizetype i = 0; i < path.size(); ++i) {
        const char16_t unit = path[i].unicode();
        if (unit == 0) {
            return std::nullopt;
        }
        if (QChar::isHighSurrogate(unit)) {
            if (i + 1 == path.size() || !QChar::isLowSurrogate(path[i + 1].unicode())) {
                return std::nullopt;
            }
            ++i;
        } else if (QChar::isLowSurrogate(unit)) {
            if (unit < kEscapeBase + 0x80 || unit > kEscapeBase + 0xFF) {
                return std::nullopt;
            }
            flush(i);
            bytes += char(unit - kEscapeBase);
            from = i + 1;
        }
    }
    flush(path.size());
    return bytes;
}

FileKind kindOfFile(const QString& path) {
    const std::optional<QByteArray> local = localBytesFromPath(path);
    struct stat status {};
    if (!local || local->isEmpty() || ::stat(local->constData(), &status) != 0) {
        return FileKind::Missing;
    }
    return S_ISREG(status.st_mode) ? FileKind::RegularFile : FileKind::Other;
}

bool openForReading(QFile& file, const QString& path) {
    const std::optional<QByteArray> local = localBytesFromPath(path);
    if (!local || local->isEmpty()) {
        return false;
    }
    const int fd = ::open(local->constData(), O_RDONLY | O_CLOEXEC);
    if (fd < 0) {
        return false;
    }
    if (!file.open(fd, QIODevice::ReadOnly, QFileDevice::AutoCloseHandle)) {
        ::close(fd);
        return false;
    }
    return true;
}

}  // namespace quorvel::imaging
