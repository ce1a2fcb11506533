// The copy on exFAT, what sticks carry: no unnamed files, so the copy lives
// under a hidden name, and no ":" in names. Needs root for the loop device.

#include "platform/posix/FileCopy.h"

#include "support/TempDir.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <filesystem>

#include <gtest/gtest.h>

#include <cstdlib>
#include <set>
#include <string>

namespace tarvello {
namespace {

using test::NamesIn;
using test::ReadBytes;

bool Shell(const std::string& command) {
    return std::system(("{ " + command + "; } >/dev/null 2>&1").c_str()) == 0;
}

// A 64 MiB exFAT image mounted through a loop device for one test.
class ExfatCopy : public ::testing::Test {
protected:
    void SetUp() override {
        if (geteuid() != 0 || !Shell("command -v mkfs.exfat && command -v mount.exfat-fuse"))
            GTEST_SKIP() << "needs root, exfatprogs and exfat-fuse";
        const std::string image = dir.path() + "stick.img";
        mount_ = dir.makeFolder("stick");
        if (!Shell("truncate -s 64M " + image + " && mkfs.exfat " + image) ||
            !Shell("losetup -f --show " + image + " > " + dir.path() + "loop"))
            GTEST_SKIP() << "no loop device";
        loop_ = ReadBytes(dir.path() + "loop");
        loop_.erase(loop_.find_last_not_of('\n') + 1);
        if (!Shell("mount.exfat-fuse " + loop_ + " " + mount_))
            GTEST_SKIP() << "cannot mount " << loop_;
        mounted_ = true;
        source = dir.write("src/movie", std::string(8 * 1024 * 1024, 'm'));
        oldTarget = mount_ + "/movie";
        ASSERT_EQ(ReplaceFile(dir.write("src/old", "old"), oldTarget).status, CopyOutcome::Status::Copied);
    }
    void TearDown() override {
        if (mounted_)
            Shell("umount " + mount_);
        if (!loop_.empty())
            Shell("losetup -d " + loop_);
    }

    test::TempDir dir;
    std::string source;
    std::string oldTarget;
    std::string mount_;
    std::string loop_;
    bool mounted_ = false;
};

// A new target and a replaced one both live under a hidden name until
// complete and get the source's modification time, which the driver drops
// when it is set alone; a name the driver refuses fails cleanly, saying
// why, whatever errno the driver gave.
TEST_F(ExfatCopy, copiesThroughAHiddenNameAndRefusesAColonCleanly) {
    const struct timespec times[2] = {{0, UTIME_OMIT}, {1234567890, 0}};
    utimensat(AT_FDCWD, source.c_str(), times, 0);
    for (const std::string& target : {mount_ + "/new", oldTarget}) {
        std::set<std::set<std::string>> seen;
        EXPECT_EQ(ReplaceFile(source, target, [&](std::uint64_t) { seen.insert(NamesIn(mount_)); }).status,
                  CopyOutcome::Status::Copied);
        EXPECT_EQ(ReadBytes(target), ReadBytes(source));
        EXPECT_EQ(std::filesystem::last_write_time(target), std::filesystem::last_write_time(source));
        ASSERT_EQ(seen.size(), 1U) << target;
        EXPECT_EQ(seen.begin()->size(), target == oldTarget ? 3U : 2U) << "one hidden copy beside " << target;
        for (const std::string& name : *seen.begin())
            EXPECT_TRUE(name == "movie" || name == "new" || name[0] == '.') << name;
    }
    const CopyOutcome colon = ReplaceFile(source, mount_ + "/a:b");
    EXPECT_EQ(colon.status, CopyOutcome::Status::Failed);
    EXPECT_EQ(colon.reason, "the name holds a character that this file system does not allow");
    EXPECT_EQ(NamesIn(mount_), (std::set<std::string>{"movie", "new"}));
}

}  // namespace
}  // namespace tarvello
