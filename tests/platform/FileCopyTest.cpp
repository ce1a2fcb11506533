#include "platform/posix/FileCopy.h"
#include "platform/posix/StopSignals.h"
#include "platform/qt/QtProgramEnd.h"

#include "FailingCalls.h"

#include "support/TempDir.h"

#include <fcntl.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <gtest/gtest.h>

#include <csignal>
#include <cstring>
#include <set>
#include <string>

namespace tarvello {
namespace {

using Status = CopyOutcome::Status;
using Names = std::set<std::string>;
using test::NamesIn;
using test::ReadBytes;

struct stat Stat(const std::string& path) {
    struct stat info {};
    EXPECT_EQ(stat(path.c_str(), &info), 0) << path;
    return info;
}

// Bytes that vary along the file, so a piece copied twice or skipped shows.
std::string Pattern(std::size_t size) {
    std::string bytes(size, '\0');
    for (std::size_t i = 0; i < size; ++i)
        bytes[i] = static_cast<char>((i * 7919) >> 8);
    return bytes;
}

// New targets, then the same replaced; awkward names (the longest leaves no
// room for a full hidden name beside it), and read-only, hidden and
// dangling-link targets. Each ends with the source's bytes, modification
// time and permission bits, and nothing else stays in the folder.
TEST(ReplaceFile, copiesBytesTimeAndPermissionsOverAnyTarget) {
    const mode_t umaskNow = umask(0);
    umask(umaskNow);
    test::TempDir dir;
    const std::string empty = dir.write("src/empty", "");
    const std::string source = dir.write("src/a", Pattern(3 * 1024 * 1024 + 17));
    chmod(source.c_str(), 0764);
    const struct timespec times[2] = {{0, UTIME_OMIT}, {1234567890, 123456789}};
    utimensat(AT_FDCWD, source.c_str(), times, 0);
    chmod(dir.write("dst/read-only", "old").c_str(), 0444);
    ASSERT_EQ(symlink("nowhere", (dir.path() + "dst/link").c_str()), 0);
    const Names names = {"\xff\xfe not utf-8", "a|b 100%d will be copied to y", std::string(NAME_MAX, 'n'),
                         ".hidden", "read-only", "link"};

    for (const std::string& name : names) {
        const std::string target = dir.path() + "dst/" + name;
        for (const std::string& from : {empty, source}) {
            ASSERT_EQ(ReplaceFile(from, target).status, Status::Copied) << name;
            EXPECT_EQ(ReadBytes(target), ReadBytes(from)) << name;
        }
        const struct stat copied = Stat(target);
        EXPECT_EQ(copied.st_mtim.tv_sec, 1234567890);
        EXPECT_EQ(copied.st_mtim.tv_nsec, 123456789);
        EXPECT_EQ(copied.st_mode & 07777, 0764 & ~umaskNow);
    }
    EXPECT_EQ(NamesIn(dir.path() + "dst"), names);
}

// Where copies need hidden names, a copy first removes what a killed run
// left of its own, in the whole or the shortened form, and no file that only
// resembles one.
TEST(ReplaceFile, removesTheLeftoversOfAKilledCopyToItsOwnTarget) {
    test::failing.noUnnamedFiles = true;
    test::TempDir dir;
    const std::string source = dir.write("src/a", "new");
    const std::string longName(NAME_MAX, 'n');
    Names names = {".a.jpg.notes", ".a.jpg.ABC", ".a.jpg.ABCDEFG", ".a.jpg.AB-DEF", ".a.jpg_backup", ".b.jpg.ABCDEF",
                   "a.jpg.ABCDEF"};
    for (const std::string& name : names)
        dir.write("dst/" + name);
    dir.write("dst/.a.jpg.x1Y2z3");
    dir.write("dst/." + longName.substr(0, NAME_MAX - 8) + ".QwErTy");
    Leftovers leftovers;
    for (const std::string& name : {std::string("a.jpg"), longName}) {
        EXPECT_EQ(ReplaceFile(source, dir.path() + "dst/" + name, [](std::uint64_t) {}, &leftovers).status, Status::Copied);
        names.insert(name);
    }
    test::failing = {};
    EXPECT_EQ(NamesIn(dir.path() + "dst"), names);
}

// A hidden copy under way is held: another run's copy to the same target,
// clearing leftovers first, passes over it, and both copies land.
TEST(ReplaceFile, passesOverTheHiddenCopyAnotherRunIsMaking) {
    test::failing.noUnnamedFiles = true;
    test::TempDir dir;
    const std::string source = dir.write("src/a", Pattern(3 * 1024 * 1024)), target = dir.makeFolder("dst") + "/a";
    Leftovers ours, theirs;
    std::optional<CopyOutcome> second;
    const CopyOutcome first = ReplaceFile(source, target, [&](std::uint64_t) {
        if (!second)
            second = ReplaceFile(dir.write("src/b", "b"), target, [](std::uint64_t) {}, &theirs);
    }, &ours);
    test::failing = {};
    EXPECT_EQ(second->status, Status::Copied);
    EXPECT_EQ(first.status, Status::Copied);
    EXPECT_EQ(NamesIn(dir.path() + "dst"), Names{"a"});
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

    // Runs ReplaceFile(source, target) in a child process whose `progress`
    // may end it; returns the child's wait status.
    int ReplaceInChild(const std::string& target, const std::function<void()>& setUp,
                       const CopyProgress& progress) {
        const pid_t child = fork();
        if (child == 0) {
            setUp();
            const CopyOutcome outcome = ReplaceFile(source, target, progress);
            _exit(outcome.status == Status::Failed && outcome.reason == std::strerror(EFBIG) ? 0 : 1);
        }
        int status = 0;
        waitpid(child, &status, 0);
        return status;
    }

    test::TempDir dir;
    const std::string sourceBytes = Pattern(1024 * 1024);
    const std::string source = dir.write("src/file", sourceBytes);
    const std::string oldTarget = dir.write("dst/old", "old");
};

// A copy that cannot start fails with the system's reason; a target that
// names the source itself, by any spelling or a hard link, is not touched.
// A FIFO where a source was listed fails at once instead of waiting for a
// writer.
TEST_F(ReplaceFileFault, aCopyThatCannotStartOrWouldCopyOntoItselfTouchesNothing) {
    dir.write("dst/folder/inner", "kept");
    dir.makeFolder("dst/sub");
    const std::string link = dir.path() + "dst/link";
    ASSERT_EQ(::link(source.c_str(), link.c_str()), 0);
    const std::string fifo = dir.path() + "dst/fifo";
    ASSERT_EQ(mkfifo(fifo.c_str(), 0600), 0);
    const ino_t before = Stat(source).st_ino;  // a replacement would bring a new inode
    const struct {
        std::string from, to;
        Status status;
        int error;
    } cases[] = {
        {dir.path() + "src/gone", oldTarget, Status::Failed, ENOENT},
        {fifo, oldTarget, Status::Failed, 0},
        {source, dir.path() + "dst/nowhere/file", Status::Failed, ENOENT},
        {source, dir.path() + "dst/folder", Status::Failed, EISDIR},
        {source, dir.path() + "src/./file", Status::SameFile, 0},
        {source, dir.path() + "dst/sub/../../src//file", Status::SameFile, 0},
        {source, link, Status::SameFile, 0},
        {link, source, Status::SameFile, 0},
    };
    for (const auto& c : cases) {
        const CopyOutcome outcome = ReplaceFile(c.from, c.to);
        EXPECT_EQ(outcome.status, c.status) << c.from << " to " << c.to;
        if (c.error != 0) {
            EXPECT_EQ(outcome.reason, std::strerror(c.error)) << c.to;
        }
    }
    EXPECT_EQ(Stat(source).st_ino, before);
    EXPECT_EQ(Stat(source).st_nlink, 2U);
    EXPECT_EQ(NamesIn(dir.path() + "dst/folder"), Names{"inner"});
    ExpectNothingLost({"old", "folder", "sub", "link", "fifo"});
}

// The disk fills up during the copy (a file-size limit stands in for it).
TEST_F(ReplaceFileFault, aCopyThatFailsMidwayKeepsTheOldTargetAndMakesNoNewOne) {
    const auto limitSize = [] {
        signal(SIGXFSZ, SIG_IGN);  // the write fails with EFBIG instead
        const struct rlimit cap = {64 * 1024, 64 * 1024};
        setrlimit(RLIMIT_FSIZE, &cap);
    };
    for (const std::string& target : {oldTarget, dir.path() + "dst/new"}) {
        EXPECT_EQ(ReplaceInChild(target, limitSize, [](std::uint64_t) {}), 0) << "no EFBIG failure for " << target;
        ExpectNothingLost();
    }
}

// Each step in turn fails. The named path is the one taken where the file
// system has no unnamed files; a source whose size reads 0 is copied by
// plain reads and writes.
TEST_F(ReplaceFileFault, aCopyThatFailsAtAnyStepKeepsTheOldTargetAndMakesNoNewOne) {
    using test::Failures;
    using Reach = CopyOutcome::Reach;
    const struct {
        const char* what;
        Failures failures;
        const char* target;
        int error;
        Reach reach = Reach::Copy;
        const char* from = nullptr;
    } cases[] = {
        {"new target, named", {.noUnnamedFiles = true}, "new", 0},
        {"new target, named, where names hold 10 bytes", {.noUnnamedFiles = true, .nameMax = 10}, "new", 0},
        {"a source whose size reads 0 but holds bytes", {}, "new", 0, Reach::Copy, "/proc/version"},
        {"close after the link into a new target's place", {.closeError = EIO}, "new", EIO, Reach::Destination},
        {"close after the link beside the old target", {.closeError = EROFS}, "old", EROFS, Reach::Destination},
        {"close before the rename, new", {.noUnnamedFiles = true, .closeError = EIO}, "new", EIO, Reach::Destination},
        {"close before the rename, old", {.noUnnamedFiles = true, .closeError = ENOSPC}, "old", ENOSPC, Reach::Room},
        {"link of the unnamed copy", {.linkError = ENOSPC}, "new", ENOSPC, Reach::Room},
        {"rename over the old target", {.renameError = EACCES}, "old", EACCES},
        {"rename, named", {.noUnnamedFiles = true, .renameError = ENODEV}, "new", ENODEV, Reach::Destination},
        {"write of a copy made by reads and writes", {.writeError = ENOSPC}, "old", ENOSPC, Reach::Room, "/proc/version"},
        {"write of a copy, failing in its bytes", {.writeError = EIO}, "old", EIO, Reach::Copy, "/proc/version"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        const std::string from = c.from ? c.from : source;
        const std::string target = dir.path() + "dst/" + c.target;
        test::failing = c.failures;
        int reports = 0;
        std::uint64_t bytesDone = 0;
        const CopyOutcome outcome = ReplaceFile(from, target, [&](std::uint64_t done) {
            ++reports;
            bytesDone = done;
        });
        test::failing = {};
        if (c.error == 0) {
            EXPECT_EQ(outcome.status, Status::Copied);
            EXPECT_GT(reports, 0);
            EXPECT_EQ(bytesDone, ReadBytes(from).size());
            EXPECT_EQ(ReadBytes(target), ReadBytes(from));
            ExpectNothingLost({"old", "new"});
            unlink(target.c_str());
            continue;
        }
        EXPECT_EQ(outcome.status, Status::Failed);
        EXPECT_EQ(outcome.reason, std::strerror(c.error));
        EXPECT_EQ(outcome.reach, c.reach);
        ExpectNothingLost();
    }
}

// Ended in the middle of a named copy, by Ctrl-C in the command line or by
// the window closing, the process leaves only the old target.
TEST_F(ReplaceFileFault, aProgramEndedInTheMiddleOfANamedCopyLeavesOnlyTheOldTarget) {
    test::failing.noUnnamedFiles = true;
    EXPECT_EXIT({
        StopSignals stop;
        ReplaceFile(source, oldTarget, [&](std::uint64_t) { raise(SIGINT); stop.yield(); });
    }, testing::ExitedWithCode(130), "");
    EXPECT_EXIT(ReplaceFile(source, oldTarget, [](std::uint64_t) { QtProgramEnd().endProgram(); }),
                testing::ExitedWithCode(0), "");
    test::failing = {};
    ExpectNothingLost();
}

// Killed at the first report of progress, which must come before the copy
// is in place.
TEST_F(ReplaceFileFault, aProcessKilledInTheMiddleLeavesTheOldTargetAndNoPartialFile) {
    const int status = ReplaceInChild(oldTarget, [] {}, [](std::uint64_t) { raise(SIGKILL); });
    EXPECT_TRUE(WIFSIGNALED(status));
    ExpectNothingLost();
}

}  // namespace
}  // namespace tarvello
