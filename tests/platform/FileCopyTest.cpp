#include "platform/posix/FileCopy.h"

#include "support/TempDir.h"

#include <fcntl.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <gtest/gtest.h>

#include <csignal>
#include <cstring>
#include <fstream>
#include <set>
#include <string>

namespace tarvello {
namespace {

using Status = CopyOutcome::Status;
using Names = std::set<std::string>;
using test::NamesIn;
using test::ReadBytes;
using test::TempDir;

struct stat Stat(const std::string& path) {
    struct stat info {};
    EXPECT_EQ(stat(path.c_str(), &info), 0) << path;
    return info;
}

// Bytes that vary along the file, so a chunk copied twice or skipped shows.
std::string Pattern(std::size_t size) {
    std::string bytes(size, '\0');
    for (std::size_t i = 0; i < size; ++i)
        bytes[i] = static_cast<char>((i * 7919) >> 8);
    return bytes;
}

// Runs ReplaceFile in a child process whose files may not grow past
// `limit` bytes, as on a disk that fills up during the copy.
CopyOutcome ReplaceFileWithSizeLimit(const std::string& source, const std::string& target,
                                     rlim_t limit) {
    int pipeFds[2];
    if (pipe(pipeFds) != 0)
        return {Status::Copied, "no pipe"};
    const pid_t child = fork();
    if (child == 0) {
        close(pipeFds[0]);
        signal(SIGXFSZ, SIG_IGN);  // the write fails with EFBIG instead
        const struct rlimit cap = {limit, limit};
        setrlimit(RLIMIT_FSIZE, &cap);
        const CopyOutcome outcome = ReplaceFile(source, target);
        const std::string report = static_cast<char>('0' + static_cast<int>(outcome.status)) + outcome.reason;
        _exit(write(pipeFds[1], report.data(), report.size()) == static_cast<ssize_t>(report.size()) ? 0 : 1);
    }
    close(pipeFds[1]);
    std::string report;
    char buffer[256];
    for (ssize_t got; (got = read(pipeFds[0], buffer, sizeof buffer)) > 0;)
        report.append(buffer, static_cast<std::size_t>(got));
    close(pipeFds[0]);
    int exitStatus = 0;
    waitpid(child, &exitStatus, 0);
    EXPECT_TRUE(WIFEXITED(exitStatus) && WEXITSTATUS(exitStatus) == 0) << "the child died";
    if (report.empty())
        return {Status::Copied, "no report"};
    return {static_cast<Status>(report[0] - '0'), report.substr(1)};
}

TEST(ReplaceFile, copiesBytesModificationTimeAndPermissions) {
    const mode_t umaskNow = umask(0);
    umask(umaskNow);
    // Empty, one byte, just past the copy buffer, and several kernel calls' worth.
    for (const std::size_t size : {0UL, 1UL, 256UL * 1024 + 1, 3UL * 1024 * 1024 + 17}) {
        SCOPED_TRACE(size);
        TempDir dir;
        const std::string bytes = Pattern(size);
        const std::string source = dir.write("src/a.bin", bytes);
        chmod(source.c_str(), 0764);
        const struct timespec times[2] = {{0, UTIME_OMIT}, {1234567890, 123456789}};
        utimensat(AT_FDCWD, source.c_str(), times, 0);
        const std::string target = dir.makeFolder("dst") + "/a.bin";

        EXPECT_EQ(ReplaceFile(source, target).status, Status::Copied);

        EXPECT_EQ(ReadBytes(target), bytes);
        const struct stat copied = Stat(target);
        EXPECT_EQ(copied.st_mtim.tv_sec, 1234567890);
        EXPECT_EQ(copied.st_mtim.tv_nsec, 123456789);
        EXPECT_EQ(copied.st_mode & 07777, 0764 & ~umaskNow);
        EXPECT_EQ(NamesIn(dir.path() + "dst"), Names{"a.bin"});
    }
}

TEST(ReplaceFile, copiesContentThatExistsOnlyWhenRead) {
    TempDir dir;
    ASSERT_EQ(Stat("/proc/version").st_size, 0);

    EXPECT_EQ(ReplaceFile("/proc/version", dir.path() + "version").status, Status::Copied);
    EXPECT_EQ(ReadBytes(dir.path() + "version"), ReadBytes("/proc/version"));
}

TEST(ReplaceFile, copiesAcrossFileSystems) {
    TempDir dir;
    std::string source = "/dev/shm/tarvello-XXXXXX";
    const int fd = mkstemp(source.data());
    if (fd < 0)
        GTEST_SKIP() << "no /dev/shm";
    close(fd);
    const std::string bytes = Pattern(1024 * 1024 + 3);
    std::ofstream(source, std::ios::binary) << bytes;
    const bool otherFileSystem = Stat(source).st_dev != Stat(dir.path()).st_dev;

    const CopyOutcome outcome = ReplaceFile(source, dir.path() + "copy");
    unlink(source.c_str());
    if (!otherFileSystem)
        GTEST_SKIP() << "/dev/shm is on the temporary folder's file system";
    EXPECT_EQ(outcome.status, Status::Copied);
    EXPECT_EQ(ReadBytes(dir.path() + "copy"), bytes);
}

TEST(ReplaceFile, replacesExistingReadOnlyHiddenAndDanglingLinkTargets) {
    TempDir dir;
    const std::string source = dir.write("src/new", "new bytes");
    const std::string plain = dir.write("dst/plain", "old");
    const std::string readOnly = dir.write("dst/read-only", "old");
    const std::string hidden = dir.write("dst/.hidden", "old");
    const std::string link = dir.path() + "dst/link";
    chmod(readOnly.c_str(), 0444);
    ASSERT_EQ(symlink("nowhere", link.c_str()), 0);

    for (const std::string& target : {plain, readOnly, hidden, link}) {
        SCOPED_TRACE(target);
        EXPECT_EQ(ReplaceFile(source, target).status, Status::Copied);
        EXPECT_EQ(ReadBytes(target), "new bytes");
    }
    EXPECT_EQ(NamesIn(dir.path() + "dst"), (Names{"plain", "read-only", ".hidden", "link"}));
}

TEST(ReplaceFile, copiesAwkwardNamesByteForByte) {
    TempDir dir;
    // The longest name leaves no room for a hidden name built in full.
    const Names names = {"\xff\xfe not utf-8.bin", "a|agksdfjmySEPERATZZZ|b", "100%d %s.txt",
                         "x will be copied to y", std::string(NAME_MAX, 'n')};
    dir.makeFolder("dst");
    for (const std::string& name : names) {
        SCOPED_TRACE(name);
        const std::string target = dir.path() + "dst/" + name;
        for (const std::string& bytes : {"new " + name, "replaced " + name}) {
            EXPECT_EQ(ReplaceFile(dir.write("src/" + name, bytes), target).status, Status::Copied);
            EXPECT_EQ(ReadBytes(target), bytes);
        }
    }
    EXPECT_EQ(NamesIn(dir.path() + "dst"), names);
}

// Each fault starts from src/file and an old target dst/old, and must end
// with both as they were and no temporary file anywhere.
class ReplaceFileFault : public ::testing::Test {
protected:
    void ExpectNothingLost(const Names& destination = {"old"}) {
        EXPECT_EQ(ReadBytes(oldTarget), "old");
        EXPECT_EQ(ReadBytes(source), sourceBytes);
        EXPECT_EQ(NamesIn(dir.path() + "src"), Names{"file"});
        EXPECT_EQ(NamesIn(dir.path() + "dst"), destination);
    }

    TempDir dir;
    const std::string sourceBytes = Pattern(1024 * 1024);
    const std::string source = dir.write("src/file", sourceBytes);
    const std::string oldTarget = dir.write("dst/old", "old");
};

// A copy that cannot start fails with the system's reason; a target that
// names the source itself, by any spelling or a hard link, is not touched.
TEST_F(ReplaceFileFault, aCopyThatCannotStartOrWouldCopyOntoItselfTouchesNothing) {
    dir.write("dst/folder/inner", "kept");
    dir.makeFolder("dst/sub");
    const std::string link = dir.path() + "dst/link";
    ASSERT_EQ(::link(source.c_str(), link.c_str()), 0);
    const ino_t before = Stat(source).st_ino;  // a replacement would bring a new inode
    struct Case {
        std::string from, to;
        Status status;
        int error;
    };
    const Case cases[] = {
        {dir.path() + "src/gone", oldTarget, Status::Failed, ENOENT},
        {source, dir.path() + "dst/nowhere/file", Status::Failed, ENOENT},
        {source, dir.path() + "dst/folder", Status::Failed, EISDIR},
        {source, dir.path() + "src/./file", Status::SameFile, 0},
        {source, dir.path() + "src//file", Status::SameFile, 0},
        {source, dir.path() + "dst/sub/../../src/file", Status::SameFile, 0},
        {source, link, Status::SameFile, 0},
        {link, source, Status::SameFile, 0},
    };
    for (const Case& c : cases) {
        const CopyOutcome outcome = ReplaceFile(c.from, c.to);
        EXPECT_EQ(outcome.status, c.status) << c.from << " to " << c.to;
        if (c.error != 0) {
            EXPECT_EQ(outcome.reason, std::strerror(c.error)) << c.to;
        }
    }
    EXPECT_EQ(Stat(source).st_ino, before);
    EXPECT_EQ(Stat(source).st_nlink, 2U);
    EXPECT_EQ(NamesIn(dir.path() + "dst/folder"), Names{"inner"});
    ExpectNothingLost({"old", "folder", "sub", "link"});
}

TEST_F(ReplaceFileFault, copyFailsMidway_keepsOldTargetAndMakesNoNewOne) {
    for (const std::string& target : {oldTarget, dir.path() + "dst/new"}) {
        SCOPED_TRACE(target);
        const CopyOutcome outcome = ReplaceFileWithSizeLimit(source, target, 64 * 1024);
        EXPECT_EQ(outcome.status, Status::Failed);
        EXPECT_EQ(outcome.reason, std::strerror(EFBIG));
        ExpectNothingLost();
    }
}

TEST_F(ReplaceFileFault, duringALargeCopy_progressComesEachMiBAndNothingShowsBesideTheOldTarget) {
    const std::string bytes = Pattern(64 * 1024 * 1024);
    dir.write("src/large", bytes);
    int calls = 0;
    const CopyOutcome outcome = ReplaceFile(dir.path() + "src/large", oldTarget, [&] {
        if (calls++ % 16 == 0) {
            EXPECT_EQ(ReadBytes(oldTarget), "old");
            EXPECT_EQ(NamesIn(dir.path() + "dst"), Names{"old"});
        }
    });
    EXPECT_EQ(outcome.status, Status::Copied);
    EXPECT_EQ(ReadBytes(oldTarget), bytes);
    if (calls == 0)
        GTEST_SKIP() << "the file system cloned the file in one step";
    EXPECT_GE(calls, 64);
}

TEST_F(ReplaceFileFault, processKilledInTheMiddle_leavesOldTargetAndNoPartialFile) {
    for (const int signal : {SIGTERM, SIGKILL}) {
        SCOPED_TRACE(signal);
        int ready[2];
        ASSERT_EQ(pipe(ready), 0);
        const pid_t child = fork();
        if (child == 0) {
            ReplaceFile(source, oldTarget, [&] {
                [[maybe_unused]] const ssize_t ignored = write(ready[1], "x", 1);
                pause();
            });
            _exit(0);
        }
        char byte;
        ASSERT_EQ(read(ready[0], &byte, 1), 1);
        kill(child, signal);
        int exitStatus = 0;
        waitpid(child, &exitStatus, 0);
        close(ready[0]);
        close(ready[1]);
        EXPECT_TRUE(WIFSIGNALED(exitStatus));
        ExpectNothingLost();
    }
}

}  // namespace
}  // namespace tarvello
