// SPDX-License-Identifier: GPL-3.0-or-later
#include "AtomicFile.h"

#include <QRandomGenerator>

#include <cerrno>
#include <climits>
#include <optional>
#include <utility>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace quorvel::imaging {
namespace {

std::error_code lastError() {
    return {errno, std::generic_category()};
}

class FileDescriptor {
public:
    explicit FileDescriptor(int fd = -1) : fd_(fd) {}
    FileDescriptor(const FileDescriptor&) = delete;
    FileDescriptor& operator=(const FileDescriptor&) = delete;
    FileDescriptor(FileDescriptor&& other) noexcept : fd_(std::exchange(other.fd_, -1)) {}
    FileDescriptor& operator=(FileDescriptor&& other) noexcept {
        std::swap(fd_, other.fd_);
        return *this;
    }
    ~FileDescriptor() {
        if (fd_ >= 0) {
            ::close(fd_);
        }
    }
    int get() const { return fd_; }
    bool isOpen() const { return fd_ >= 0; }

private:
    int fd_;
};

// The file a chain of symbolic links ends at; the path itself when it is no link.
std::optional<QByteArray> followedLinks(QByteArray path) {
    for (int hop = 0; hop < 40; ++hop) {
        char target[PATH_MAX];
        const ssize_t length = ::readlink(path.constData(), target, sizeof target);
        if (length < 0) {
            return errno == EINVAL || errno == ENOENT ? std::optional(path) : std::nullopt;
        }
        const QByteArray link(target, length);
        const qsizetype slash = path.lastIndexOf('/');
        path = link.startsWith('/') || slash < 0 ? link : path.left(slash + 1) + link;
    }
    errno = ELOOP;
    return std::nullopt;
}

struct Place {
    FileDescriptor folder;
    QByteArray name;
};

std::optional<Place> placeOf(const QByteArray& path) {
    const qsizetype slash = path.lastIndexOf('/');
    const QByteArray folder = slash < 0 ? QByteArray(".") : slash == 0 ? "/" : path.left(slash);
    Place place{FileDescriptor(), path.mid(slash + 1)};
    place.folder = FileDescriptor(::open(folder.constData(), O_RDONLY | O_DIRECTORY | O_CLOEXEC));
    if (!place.folder.isOpen() && errno == EACCES) {
        // A folder one may write to but not list still takes the new file; it only cannot be
        // synced.
        place.folder = FileDescriptor(::open(folder.constData(), O_PATH | O_DIRECTORY | O_CLOEXEC));
    }
    if (!place.folder.isOpen()) {
        return std::nullopt;
    }
    return place;
}

// Hidden and short: it must fit beside a target whose own name is as long as names get.
QByteArray temporaryName() {
    static constexpr char kLetters[] = "abcdefghijklmnopqrstuvwxyz0123456789";
    QByteArray name(".quorvel-");
    for (int i = 0; i < 10; ++i) {
        name += kLetters[QRandomGenerator::system()->bounded(int(sizeof kLetters) - 1)];
    }
    return name;
}

std::error_code writeAndSync(int fd, QByteArrayView bytes, int keptMode) {
    const char* data = bytes.data();
    qsizetype left = bytes.size();
    while (left > 0) {
        const ssize_t written = ::write(fd, data, std::size_t(left));
        if (written < 0) {
            if (errno == EINTR) {
                continue;
            }
            return lastError();
        }
        data += written;
        left -= written;
    }
    if (keptMode >= 0 && ::fchmod(fd, mode_t(keptMode)) != 0) {
        return lastError();
    }
    if (::fsync(fd) != 0) {
        return lastError();
    }
    return {};
}

// Gives the unnamed file `fd` the name `name`. Through /proc any user may do that; AT_EMPTY_PATH,
// for a system without /proc, needs a privilege.
int linkUnnamed(int fd, int folder, const char* name) {
    const QByteArray procLink = "/proc/self/fd/" + QByteArray::number(fd);
    if (::linkat(AT_FDCWD, procLink.constData(), folder, name, AT_SYMLINK_FOLLOW) == 0) {
        return 0;
    }
    if (errno != ENOENT) {
        return -1;
    }
    return ::linkat(fd, "", folder, name, AT_EMPTY_PATH);
}

// Linux has no call that puts an unnamed file in the place of a named one, so an existing target
// is replaced by linking the complete file under a temporary name and renaming that over it; the
// two calls back to back keep the moment in which a kill would leave the temporary name behind as
// short as it can be.
std::error_code nameUnnamed(const FileDescriptor& file, const Place& place, bool replacing,
                            Existing existing) {
    const int folder = place.folder.get();
    if (!replacing) {
        if (linkUnnamed(file.get(), folder, place.name.constData()) == 0) {
            return {};
        }
        if (errno != EEXIST || existing == Existing::Keep) {
            return lastError();
        }
    }
    for (int attempt = 0; attempt < 100; ++attempt) {
        const QByteArray temporary = temporaryName();
        if (linkUnnamed(file.get(), folder, temporary.constData()) != 0) {
            if (errno == EEXIST) {
                continue;
            }
            return lastError();
        }
        if (::renameat(folder, temporary.constData(), folder, place.name.constData()) != 0) {
            const std::error_code error = lastError();
            ::unlinkat(folder, temporary.constData(), 0);
            return error;
        }
        return {};
    }
    return std::make_error_code(std::errc::file_exists);
}

// Linking refuses a name that is taken, where renaming would replace it.
int moveIntoPlace(int folder, const char* temporary, const char* name, Existing existing) {
    if (existing == Existing::Replace) {
        return ::renameat(folder, temporary, folder, name);
    }
    if (::linkat(folder, temporary, folder, name, 0) != 0) {
        return -1;
    }
    ::unlinkat(folder, temporary, 0);
    return 0;
}

std::error_code writeUnderTemporaryName(const Place& place, QByteArrayView bytes, int keptMode,
                                        Existing existing) {
    const int folder = place.folder.get();
    for (int attempt = 0; attempt < 100; ++attempt) {
        const QByteArray temporary = temporaryName();
        const FileDescriptor file(
            ::openat(folder, temporary.constData(), O_CREAT | O_EXCL | O_WRONLY | O_CLOEXEC, 0666));
        if (!file.isOpen()) {
            if (errno == EEXIST) {
                continue;
            }
            return lastError();
        }
        std::error_code error = writeAndSync(file.get(), bytes, keptMode);
        if (!error && moveIntoPlace(folder, temporary.constData(), place.name.constData(),
                                    existing) != 0) {
            error = lastError();
        }
        if (error) {
            ::unlinkat(folder, temporary.constData(), 0);
        }
        return error;
    }
    return std::make_error_code(std::errc::file_exists);
}

bool lacksUnnamedFiles(int error) {
    return error == EOPNOTSUPP || error == EISDIR || error == EINVAL;
}

// Without /proc and the privilege for AT_EMPTY_PATH an unnamed file cannot get a name.
bool cannotNameUnnamed(std::error_code error) {
    return error == std::errc::no_such_file_or_directory ||
           error == std::errc::operation_not_permitted;
}

std::error_code written(const Place& place, QByteArrayView bytes, Staging staging,
                        Existing kept) {
    struct stat existing {};
    const bool replacing = ::fstatat(place.folder.get(), place.name.constData(), &existing,
                                     kept == Existing::Keep ? AT_SYMLINK_NOFOLLOW : 0) == 0;
    if (!replacing && errno != ENOENT) {
        return lastError();
    }
    if (replacing && kept == Existing::Keep) {
        return std::make_error_code(std::errc::file_exists);
    }
    if (replacing && !S_ISREG(existing.st_mode)) {
        return std::make_error_code(std::errc::invalid_argument);
    }
    if (replacing &&
        ::faccessat(place.folder.get(), place.name.constData(), W_OK, AT_EACCESS) != 0) {
        return lastError();
    }
    // A new file takes the umask's permissions; -1 leaves them.
    const int keptMode = replacing ? int(existing.st_mode & 0777) : -1;
    if (staging == Staging::Unnamed) {
        const FileDescriptor file(
            ::openat(place.folder.get(), ".", O_TMPFILE | O_WRONLY | O_CLOEXEC, 0666));
        if (file.isOpen()) {
            if (const std::error_code error = writeAndSync(file.get(), bytes, keptMode)) {
                return error;
            }
            const std::error_code error = nameUnnamed(file, place, replacing, kept);
            if (!cannotNameUnnamed(error)) {
                return error;
            }
        } else if (!lacksUnnamedFiles(errno)) {
            return lastError();
        }
    }
    return writeUnderTemporaryName(place, bytes, keptMode, kept);
}

}  // namespace

std::error_code writeFileAtomically(const QByteArray& localPath, QByteArrayView bytes,
                                    Staging staging, Existing existing) {
    if (localPath.isEmpty() || localPath.endsWith('/')) {
        return std::make_error_code(std::errc::invalid_argument);
    }
    // A link is a file already there when nothing may be replaced.
    const std::optional<QByteArray> target =
        existing == Existing::Keep ? std::optional(localPath) : followedLinks(localPath);
    if (!target) {
        return lastError();
    }
    const std::optional<Place> place = placeOf(*target);
    if (!place) {
        return lastError();
    }
    const std::error_code error = written(*place, bytes, staging, existing);
    if (!error) {
        // The content is on disk already; syncing the folder makes its new entry last through a
        // power cut too, where the file system allows it.
        ::fsync(place->folder.get());
    }
    return error;
}

}  // namespace quorvel::imaging
