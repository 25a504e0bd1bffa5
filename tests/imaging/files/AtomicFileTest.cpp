// SPDX-License-Identifier: GPL-3.0-or-later
#include "AtomicFile.h"

#include "CaseNames.h"
#include "ExternalFiles.h"
#include "FileSizeLimit.h"
#include "FolderEntries.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <csignal>

#include <fcntl.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

namespace quorvel::imaging {
namespace {

using quorvel::testing::PrintTo;

QByteArray contentOf(const QByteArray& path) {
    return testing::fileBytes(QFile::decodeName(path));
}

void createFile(const QByteArray& path, const QByteArray& content, mode_t mode = 0644) {
    const int fd = ::open(path.constData(), O_CREAT | O_TRUNC | O_WRONLY, mode);
    ASSERT_GE(fd, 0) << path.constData();
    ASSERT_EQ(::write(fd, content.constData(), std::size_t(content.size())), content.size());
    ::close(fd);
}

class AtomicWrite : public ::testing::Test {
protected:
    QByteArray path(const QByteArray& name) const { return folderBytes + '/' + name; }

    QList<QByteArray> entries() const { return testing::folderEntries(folderBytes); }

    QTemporaryDir folder;
    const QByteArray folderBytes = QFile::encodeName(folder.path());
    const QByteArray oldContent = QByteArray("the old picture, ") + QByteArray(5000, 'o');
    const QByteArray newContent = QByteArray("the new picture, ") + QByteArray(20000, 'n');
};

struct TargetCase {
    const char* name;
    Staging staging;
    int nameLength;
    bool existing;
};

class EveryTarget : public AtomicWrite, public ::testing::WithParamInterface<TargetCase> {
protected:
    QByteArray targetName() const { return QByteArray(GetParam().nameLength - 4, 'x') + ".png"; }
};

TEST_P(EveryTarget, HoldsTheNewContentAndNothingLiesBesideIt) {
    const QByteArray target = path(targetName());
    if (GetParam().existing) {
        createFile(target, oldContent);
    }
    EXPECT_EQ(writeFileAtomically(target, newContent, GetParam().staging), std::error_code());
    EXPECT_EQ(contentOf(target), newContent);
    EXPECT_EQ(entries(), QList<QByteArray>{targetName()});
}

// A write that fails midway, as on a full disk.
TEST_P(EveryTarget, AFailedWriteLeavesTheFolderAsItWas) {
    const QByteArray target = path(targetName());
    if (GetParam().existing) {
        createFile(target, oldContent);
    }
    const QList<QByteArray> before = entries();
    {
        const testing::FileSizeLimit limit(rlim_t(newContent.size() / 2));
        EXPECT_EQ(writeFileAtomically(target, newContent, GetParam().staging),
                  std::make_error_code(std::errc::file_too_large));
    }
    EXPECT_EQ(entries(), before);
    if (GetParam().existing) {
        EXPECT_EQ(contentOf(target), oldContent);
    }
}

// Names of 251 bytes and more leave no room for a temporary name beside them.
INSTANTIATE_TEST_SUITE_P(
    Cases, EveryTarget,
    ::testing::Values(TargetCase{"NewFile", Staging::Unnamed, 10, false},
                      TargetCase{"ExistingName251Bytes", Staging::Unnamed, 251, true},
                      TargetCase{"ExistingName255Bytes", Staging::Unnamed, 255, true},
                      TargetCase{"NamedStagingNewFile", Staging::TemporaryName, 10, false},
                      TargetCase{"NamedStagingName255Bytes", Staging::TemporaryName, 255, true}),
    ::testing::PrintToStringParamName());

// The case the unnamed file exists for: the process dies while it writes (here for going past
// its file size limit), and no half-written file is left under any name.
TEST_F(AtomicWrite, AProcessKilledWhileWritingLeavesOnlyTheOldFile) {
    const QByteArray target = path("beach.png");
    createFile(target, oldContent);
    const pid_t child = ::fork();
    ASSERT_GE(child, 0);
    if (child == 0) {
        rlimit limit{};
        getrlimit(RLIMIT_FSIZE, &limit);
        limit.rlim_cur = rlim_t(newContent.size() / 2);
        setrlimit(RLIMIT_FSIZE, &limit);
        std::signal(SIGXFSZ, SIG_DFL);
        writeFileAtomically(target, newContent);
        ::_exit(0);
    }
    int status = 0;
    ASSERT_EQ(::waitpid(child, &status, 0), child);
    ASSERT_TRUE(WIFSIGNALED(status) && WTERMSIG(status) == SIGXFSZ) << status;
    EXPECT_EQ(contentOf(target), oldContent);
    EXPECT_EQ(entries(), QList<QByteArray>{"beach.png"});
}

// A link stays a link, and the file it points to keeps its permissions with the new content.
TEST_F(AtomicWrite, ReplacesTheFileALinkPointsToKeepingItsPermissions) {
    ASSERT_TRUE(QDir(folder.path()).mkdir("pictures"));
    createFile(path("pictures/beach.png"), oldContent, 0600);
    ::chmod(path("pictures/beach.png").constData(), 0640);
    ASSERT_EQ(::symlink("pictures/beach.png", path("link.png").constData()), 0);
    ASSERT_EQ(writeFileAtomically(path("link.png"), newContent), std::error_code());
    EXPECT_EQ(contentOf(path("pictures/beach.png")), newContent);
    struct stat status {};
    ASSERT_EQ(::stat(path("pictures/beach.png").constData(), &status), 0);
    EXPECT_EQ(status.st_mode & 0777, 0640u);
    ASSERT_EQ(::lstat(path("link.png").constData(), &status), 0);
    EXPECT_TRUE(S_ISLNK(status.st_mode));
}

TEST_F(AtomicWrite, RefusesAFolderAndAMissingFolder) {
    EXPECT_TRUE(writeFileAtomically(folderBytes, newContent));
    EXPECT_TRUE(writeFileAtomically(path("missing/beach.png"), newContent));
    EXPECT_EQ(entries(), QList<QByteArray>{});
}

class KeepingWrite : public AtomicWrite, public ::testing::WithParamInterface<Staging> {};

TEST_P(KeepingWrite, RefusesATakenNameAndLeavesItAsItWas) {
    createFile(path("beach.png"), oldContent);
    ASSERT_EQ(::symlink("beach.png", path("link.png").constData()), 0);
    for (const QByteArray& name : {QByteArray("beach.png"), QByteArray("link.png")}) {
        EXPECT_EQ(writeFileAtomically(path(name), newContent, GetParam(), Existing::Keep),
                  std::errc::file_exists)
            << name.constData();
    }
    EXPECT_EQ(contentOf(path("beach.png")), oldContent);
    EXPECT_EQ(entries(), QList<QByteArray>({"beach.png", "link.png"}));
}

INSTANTIATE_TEST_SUITE_P(Stagings, KeepingWrite,
                         ::testing::Values(Staging::Unnamed, Staging::TemporaryName),
                         [](const auto& info) {
                             return info.param == Staging::Unnamed ? "Unnamed" : "TemporaryName";
                         });

}  // namespace
}  // namespace quorvel::imaging
