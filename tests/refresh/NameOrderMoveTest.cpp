#include "refresh/NameOrderMove.h"

#include "platform/ForwardingFileSystem.h"
#include "platform/NativePlatform.h"
#include "support/TempDir.h"

#include <gtest/gtest.h>

namespace tarvello {
namespace {

struct Stopped {};

// A folder of the real disk as FAT places its entries: a name takes a slot
// per 13 characters and one more, in the first free run that holds them,
// and files are listed by slot. Ends the run before its k-th move or folder.
class FatFolder final : public ForwardingFileSystem {
public:
    FatFolder(FileSystem& inner, std::string folder, const std::vector<std::string>& names, int stopBefore)
        : ForwardingFileSystem(inner), folder_(std::move(folder)), stopBefore_(stopBefore) {
        for (const std::string& name : names)
            take(folder_ + name);
    }
    EntryOrder entryOrder(const std::string&) const override { return EntryOrder::Made; }
    std::optional<std::string> forEachFile(const std::string& folder,
                                           const std::function<void(std::string_view)>& visit) const override {
        if (folder != folder_)
            return inner().forEachFile(folder, visit);
        for (std::size_t i = 0; i < slots_.size(); ++i)
            if ((i == 0 || slots_[i - 1] != slots_[i]) && inner().fileStat(folder_ + slots_[i]))
                visit(slots_[i]);
        return std::nullopt;
    }
    std::optional<std::string> moveFile(const std::string& from, const std::string& to) override {
        step();
        auto failure = inner().moveFile(from, to);
        if (!failure) {
            std::replace(slots_.begin(), slots_.end(), nameIn(from), std::string());
            take(to);
        }
        return failure;
    }
    std::optional<std::string> makeFolder(const std::string& path) override {
        step();
        auto failure = inner().makeFolder(path);
        if (!failure)
            take(path);
        return failure;
    }

private:
    std::string nameIn(const std::string& path) const {
        const bool inFolder = path.starts_with(folder_) && path.find(kNativeSeparator, folder_.size()) == path.npos;
        return inFolder ? path.substr(folder_.size()) : "";
    }
    void take(const std::string& path) {
        const std::string name = nameIn(path);
        const std::size_t need = name.empty() ? 0 : 1 + (name.size() + 12) / 13;
        std::size_t start = 0;
        while (start < slots_.size() && !std::all_of(slots_.begin() + start,
                                                     slots_.begin() + std::min(start + need, slots_.size()),
                                                     [](const std::string& slot) { return slot.empty(); }))
            ++start;
        slots_.resize(std::max(slots_.size(), start + need));
        std::fill_n(slots_.begin() + start, need, name);
    }
    void step() {
        if (++steps_ == stopBefore_)
            throw Stopped{};
    }
    std::string folder_;
    std::vector<std::string> slots_;
    int stopBefore_;
    int steps_ = 0;
};

// Recorded copies around a file of the user's, which a gap too small for
// the first copy by name, but not for the next, comes before once the
// copies are out; and a copy the user changed since.
class NameOrderMove : public ::testing::Test {
protected:
    NameOrderMove() {
        for (const std::string& name : entries) {
            const FileStat stat = *native.fileStat(dst.write(name, name));
            if (name != "mine.txt")
                record.add(RecordEntry::Kind::Copy, 1, name, "/src/" + name, stat.size, stat.modifiedNs);
        }
        dst.write("changed.mp3", "changed by hand");
    }
    const std::vector<std::string> entries{"Track 10.mp3", "mine.txt", "b.mp3", "Track 2.mp3",
                                           "A long name of a track.mp3", "changed.mp3"};
    test::TempDir dst;
    NativeFileSystem native;
    CopyRecord record;
    std::vector<std::string> said;
    std::function<void(const std::string&)> say = [this](const std::string& line) { said.push_back(line); };
};

// The copies come back in name order, the gap plugged meanwhile; the
// user's files stay where they stood, also a folder named as the plug
// would be, and no plug is left.
TEST_F(NameOrderMove, putsTheCopiesInNameOrderAroundTheUsersFilesAndGaps) {
    dst.makeFolder(".1~~~");
    FatFolder fat(native, dst.path(), entries, 0);
    PutInNameOrder(fat, dst.path(), record, say);
    std::vector<std::string> listed;
    fat.forEachFile(dst.path(), [&](std::string_view name) { listed.emplace_back(name); });
    EXPECT_EQ(listed, (std::vector<std::string>{"mine.txt", "A long name of a track.mp3", "b.mp3", "Track 2.mp3",
                                                "changed.mp3", "Track 10.mp3"}));
    std::set<std::string> standing(entries.begin(), entries.end());
    standing.insert(".1~~~");
    EXPECT_EQ(test::NamesIn(dst.path()), standing);
    EXPECT_EQ(test::ReadBytes(dst.path() + "changed.mp3"), "changed by hand");
    EXPECT_TRUE(said.empty());
}

// A run ended with the gap plugged and three copies out: the next puts
// them back and removes the plug, but never over a file the user wrote
// under a copy's name meanwhile (that copy waits in the hidden folder), nor
// a folder of the user's that a damaged list of plugs names.
TEST_F(NameOrderMove, aLaterRunPutsBackWhatAnEndedOneLeftButNeverOverTheUsersFile) {
    FatFolder fat(native, dst.path(), entries, 14);
    EXPECT_THROW(PutInNameOrder(fat, dst.path(), record, say), Stopped);
    dst.write("Track 10.mp3", "mine");
    const std::string holder = dst.path() + std::string(kOrderFolderName);
    dst.makeFolder(".mine");
    dst.write(std::string(kOrderFolderName) + "/.plugs", test::ReadBytes(holder + kNativeSeparator + ".plugs") + ".mine\n");
    EXPECT_EQ(PutBackOrderedCopies(native, dst.path(), say), 2u);
    std::set<std::string> standing(entries.begin(), entries.end());
    standing.insert({std::string(kOrderFolderName), ".mine"});
    EXPECT_EQ(test::NamesIn(dst.path()), standing);
    EXPECT_EQ(test::NamesIn(holder), (std::set<std::string>{"Track 10.mp3"}));
    EXPECT_EQ(test::ReadBytes(dst.path() + "Track 10.mp3"), "mine");
    ASSERT_EQ(said.size(), 1u);
    EXPECT_TRUE(said[0].starts_with(holder + kNativeSeparator + "Track 10.mp3: cannot be put back as ")) << said[0];
}

}  // namespace
}  // namespace tarvello
