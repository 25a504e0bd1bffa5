// SPDX-License-Identifier: GPL-3.0-or-later
#include "MoveIntoPlace.h"

#include "FileNames.h"

#include <fcntl.h>
#include <unistd.h>
#include <cerrno>
#include <cstdio>

namespace quorvel::batch {

std::error_code moveWithoutReplacing(const QString& from, const QString& to) {
    const std::optional<QByteArray> source = imaging::localBytesFromPath(from);
    const std::optional<QByteArray> target = imaging::localBytesFromPath(to);
    if (!source || !target) {
        return std::make_error_code(std::errc::invalid_argument);
    }
    if (::renameat2(AT_FDCWD, source->constData(), AT_FDCWD, target->constData(),
                    RENAME_NOREPLACE) == 0) {
        return {};
    }
    // File systems without the no-replace rename still refuse to link over an existing name.
    if (errno != EINVAL && errno != ENOSYS) {
        return {errno, std::generic_category()};
    }
    if (::link(source->constData(), target->constData()) != 0) {
        return {errno, std::generic_category()};
    }
    ::unlink(source->constData());
    return {};
}

}  // namespace quorvel::batch
