// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QByteArray>
#include <QByteArrayView>

#include <system_error>

namespace quorvel::imaging {

// How the new content waits until it is completely on disk.
enum class Staging {
    // A file without a name (O_TMPFILE), so that a process killed while writing leaves nothing
    // behind; on a file system that has no such files, the temporary name below.
    Unnamed,
    // A hidden temporary name beside the target, renamed over it at the end.
    TemporaryName,
};

// What happens to a file already at the target.
enum class Existing {
    Replace,
    // Left as it is: the write fails with std::errc::file_exists, even when the file appears
    // while the content is being written, and leaves nothing beside it.
    Keep,
};

// Puts `bytes` under `localPath` (a name in the file system's bytes) all at once: readers see the
// old file or the whole new one, never a part, and a save that fails leaves the old file as it was
// with nothing beside it. A symbolic link is followed, so the file it points to is replaced; an
// existing file keeps its permissions and is not replaced when it is read-only. The temporary name
// is short, so targets of any legal length work. Returns the error of the step that failed.
std::error_code writeFileAtomically(const QByteArray& localPath, QByteArrayView bytes,
                                    Staging staging = Staging::Unnamed,
                                    Existing existing = Existing::Replace);

}  // namespace quorvel::imaging
