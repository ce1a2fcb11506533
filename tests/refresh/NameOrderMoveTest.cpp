#include "refresh/NameOrderMove.h"

#include "platform/ForwardingFileSystem.h"
#include "platform/NativePlatform.h"
#include "support/TempDir.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

namespace tarvello {
namespace {

// The real disk, keeping entries in order as FAT does, each move logged by
// its target; right after `takenAt` is moved away, the user writes a file
// of their own under its name.
class OrderedDisk final : public ForwardingFileSystem {
public:
    OrderedDisk(FileSystem& inner, std::string takenAt) : ForwardingFileSystem(inner), takenAt_(std::move(takenAt)) {}
    bool keepsEntryOrder(const std::string&) const override { return true; }
    std::optional<std::string> moveFile(const std::string& from, const std::string& to) override {
        targets.push_back(to);
        auto failure = inner().moveFile(from, to);
        if (from == takenAt_)
            std::ofstream(test::FsPath(from), std::ios::binary) << "mine";
        return failure;
    }
    std::vector<std::string> targets;

private:
    std::string takenAt_;
};

// Only the copies the record names that stand as recorded leave the
// folder, and they come back in name order; a name the user took
// meanwhile keeps their file, and its copy waits in the hidden folder for
// a later run, which puts it back once the name is free.
TEST(NameOrderMove, movesUnchangedCopiesBackInNameOrderAndNeverOverAFileOfTheUsers) {
    const test::TempDir dst;
    NativeFileSystem native;
    CopyRecord record;
    for (const std::string name : {"Track 10.mp3", "b.mp3", "Track 2.mp3", "A.mp3", "changed.mp3"}) {
        const FileStat stat = *native.fileStat(dst.write(name, name));
        record.add(RecordEntry::Kind::Copy, 1, name, "/src/" + name, stat.size, stat.modifiedNs);
    }
    dst.write("changed.mp3", "changed by hand");
    dst.write("user.txt", "mine");
    const std::string holder = dst.path() + std::string(kOrderFolderName) + kNativeSeparator;
    OrderedDisk disk(native, dst.path() + "b.mp3");
    std::vector<std::string> said;
    PutInNameOrder(disk, dst.path(), record, [&](const std::string& line) { said.push_back(line); });

    const std::vector<std::string> out{"Track 10.mp3", "b.mp3", "Track 2.mp3", "A.mp3"};
    const std::vector<std::string> back{"A.mp3", "b.mp3", "Track 2.mp3", "Track 10.mp3"};
    std::vector<std::string> expected;
    for (const std::string& name : out)
        expected.push_back(holder + name);
    for (const std::string& name : back)
        expected.push_back(dst.path() + name);
    EXPECT_EQ(disk.targets, expected);
    EXPECT_EQ(test::ReadBytes(dst.path() + "b.mp3"), "mine");
    EXPECT_EQ(test::ReadBytes(holder + "b.mp3"), "b.mp3");
    ASSERT_EQ(said.size(), 1u);
    EXPECT_EQ(said[0].rfind(holder + "b.mp3: cannot be put back as " + dst.path() + "b.mp3: ", 0), 0u) << said[0];

    std::filesystem::remove(test::FsPath(dst.path() + "b.mp3"));
    EXPECT_EQ(PutBackOrderedCopies(native, dst.path(), [](const std::string&) {}), 1u);
    EXPECT_EQ(test::NamesIn(dst.path()),
              (std::set<std::string>{"A.mp3", "b.mp3", "Track 2.mp3", "Track 10.mp3", "changed.mp3", "user.txt"}));
    EXPECT_EQ(test::ReadBytes(dst.path() + "b.mp3"), "b.mp3");
}

}  // namespace
}  // namespace tarvello
