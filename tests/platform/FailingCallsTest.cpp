// The copy and the listing where a system call fails in a way no real disk
// fails on demand. This program is linked with the calls below wrapped; each
// passes straight through unless a test arms it.

#include "platform/posix/FileCopy.h"
#include "platform/posix/PosixFileSystem.h"
#include "platform/posix/StopSignals.h"

#include "support/TempDir.h"

#include <dirent.h>
#include <fcntl.h>
#include <unistd.h>

#include <gtest/gtest.h>

#include <cerrno>
#include <csignal>
#include <cstdarg>
#include <cstring>

namespace {

struct Failures {
    bool noUnnamedFiles = false;  // as on exFAT and FAT sticks
    int writeError = 0;           // for files open for writing only: the copies
    int closeError = 0;
    int renameError = 0;
    int readdirAfter = -1;        // visible names read before the read fails
};
Failures failing;

bool WriteOnly(int fd) { return (fcntl(fd, F_GETFL) & O_ACCMODE) == O_WRONLY; }

}  // namespace

extern "C" {
int __real_close(int fd);
int __real_openat(int dirFd, const char* path, int flags, ...);
ssize_t __real_write(int fd, const void* data, size_t size);
int __real_renameat(int fromFd, const char* from, int toFd, const char* to);
dirent* __real_readdir(DIR* dir);

int __wrap_close(int fd) {
    const bool fail = failing.closeError != 0 && WriteOnly(fd);
    const int result = __real_close(fd);  // the descriptor is gone either way, as on Linux
    if (!fail)
        return result;
    errno = failing.closeError;
    return -1;
}

int __wrap_openat(int dirFd, const char* path, int flags, ...) {
    mode_t mode = 0;
    if ((flags & O_CREAT) != 0 || (flags & O_TMPFILE) == O_TMPFILE) {
        va_list args;
        va_start(args, flags);
        mode = va_arg(args, mode_t);
        va_end(args);
    }
    if (failing.noUnnamedFiles && (flags & O_TMPFILE) == O_TMPFILE) {
        errno = EOPNOTSUPP;
        return -1;
    }
    return __real_openat(dirFd, path, flags, mode);
}

ssize_t __wrap_write(int fd, const void* data, size_t size) {
    if (failing.writeError != 0 && WriteOnly(fd)) {
        errno = failing.writeError;
        return -1;
    }
    return __real_write(fd, data, size);
}

int __wrap_renameat(int fromFd, const char* from, int toFd, const char* to) {
    if (failing.renameError != 0) {
        errno = failing.renameError;
        return -1;
    }
    return __real_renameat(fromFd, from, toFd, to);
}

dirent* __wrap_readdir(DIR* dir) {
    if (failing.readdirAfter == 0) {
        errno = EIO;
        return nullptr;
    }
    dirent* entry = __real_readdir(dir);
    if (entry && entry->d_name[0] != '.' && failing.readdirAfter > 0)
        --failing.readdirAfter;
    return entry;
}
}

namespace tarvello {
namespace {

using Names = std::set<std::string>;

// Each replacement starts from src/file and dst/old; one that fails leaves
// the old target as it was and nothing new beside it. The named path is the
// one taken where the file system has no unnamed files; a source whose size
// reads 0 is copied by plain reads and writes.
TEST(FailingCalls, aReplacementThatFailsAtAnyStepLeavesTheFolderAsItWas) {
    const struct {
        const char* what;
        Failures failures;
        const char* target;
        int error;
        const char* source = nullptr;
    } cases[] = {
        {"new target, named", {.noUnnamedFiles = true}, "new", 0},
        {"a source whose size reads 0 but holds bytes", {}, "new", 0, "/proc/version"},
        {"close after the link into a new target's place", {.closeError = EIO}, "new", EIO},
        {"close after the link beside the old target", {.closeError = EIO}, "old", EIO},
        {"close before the rename into a new target's place", {.noUnnamedFiles = true, .closeError = EIO}, "new", EIO},
        {"close before the rename over the old target", {.noUnnamedFiles = true, .closeError = ENOSPC}, "old", ENOSPC},
        {"rename over the old target", {.renameError = EACCES}, "old", EACCES},
        {"rename into a new target's place, named", {.noUnnamedFiles = true, .renameError = EIO}, "new", EIO},
        {"write of a copy made by reads and writes", {.writeError = ENOSPC}, "old", ENOSPC, "/proc/version"},
    };
    for (const auto& c : cases) {
        const test::TempDir dir;
        const std::string source = c.source ? c.source : dir.write("src/file", std::string(300'000, 's'));
        dir.write("dst/old", "old");
        const std::string target = dir.path() + "dst/" + c.target;
        failing = c.failures;
        const CopyOutcome outcome = ReplaceFile(source, target);
        failing = {};
        if (c.error == 0) {
            EXPECT_EQ(outcome.status, CopyOutcome::Status::Copied) << c.what;
            EXPECT_EQ(test::ReadBytes(target), test::ReadBytes(source)) << c.what;
            EXPECT_EQ(test::NamesIn(dir.path() + "dst"), (Names{"old", "new"})) << c.what;
            continue;
        }
        EXPECT_EQ(outcome.status, CopyOutcome::Status::Failed) << c.what;
        EXPECT_EQ(outcome.reason, std::strerror(c.error)) << c.what;
        EXPECT_EQ(test::ReadBytes(dir.path() + "dst/old"), "old") << c.what;
        EXPECT_EQ(test::NamesIn(dir.path() + "dst"), Names{"old"}) << c.what;
    }
}

// Where the copy in the making has a name, a stop signal must take it away.
TEST(FailingCalls, aStopSignalInTheMiddleOfANamedCopyLeavesOnlyTheOldTarget) {
    const test::TempDir dir;
    const std::string source = dir.write("src/file", std::string(300'000, 's'));
    const std::string target = dir.write("dst/old", "old");
    failing.noUnnamedFiles = true;
    EXPECT_EXIT({
        StopSignals stop;
        ReplaceFile(source, target, [&] { raise(SIGINT); stop.yield(); });
    }, testing::ExitedWithCode(130), "");
    failing = {};
    EXPECT_EQ(test::ReadBytes(target), "old");
    EXPECT_EQ(test::NamesIn(dir.path() + "dst"), Names{"old"});
}

TEST(FailingCalls, aFolderReadThatFailsMidwayGivesWhatItReadButNoStamp) {
    const test::TempDir dir;
    for (const char* name : {"a", "b", "c"})
        dir.write(name);
    for (const int readable : {1, -1}) {
        failing.readdirAfter = readable;
        int visited = 0;
        const auto stamp = PosixFileSystem().listFolder(dir.path(), [&](std::string_view, bool) { ++visited; });
        failing = {};
        EXPECT_EQ(visited, readable < 0 ? 3 : readable);
        EXPECT_EQ(stamp.has_value(), readable < 0);
    }
}

}  // namespace
}  // namespace tarvello
