#include "refresh/NameOrderMove.h"

#include "platform/ForwardingFileSystem.h"
#include "platform/NativePlatform.h"
#include "support/TempDir.h"

#include <gtest/gtest.h>

#include <fstream>

namespace tarvello {
namespace {

struct Stopped {};

// One folder of the real disk as FAT places its entries: a name takes a
// slot per 13 characters and one more, in the first free run that holds
// them, and the folder is listed by slot. Ends the run before its k-th move
// or folder made.
class FatFolder final : public ForwardingFileSystem {
public:
    FatFolder(FileSystem& inner, std::string folder, const std::vector<std::string>& names, int stopBefore = 0)
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
            if (!slots_[i].empty() && (i == 0 || slots_[i - 1] != slots_[i]) && inner().fileStat(folder_ + slots_[i]))
                visit(slots_[i]);
        return std::nullopt;
    }
    std::optional<std::string> moveFile(const std::string& from, const std::string& to) override {
        step();
        auto failure = inner().moveFile(from, to);
        if (!failure)
            leave(from), take(to);
        return failure;
    }
    std::optional<std::string> makeFolder(const std::string& path) override {
        step();
        auto failure = inner().makeFolder(path);
        if (!failure)
            take(path);
        return failure;
    }
    std::optional<std::string> removeFolder(const std::string& path) override {
        auto failure = inner().removeFolder(path);
        if (!failure)
            leave(path);
        return failure;
    }
    // Frees the slots of a file removed behind the disk's back.
    void leave(const std::string& path) { std::replace(slots_.begin(), slots_.end(), nameIn(path), std::string()); }

private:
    std::string nameIn(const std::string& path) const {
        return path.rfind(folder_, 0) == 0 && path.find(kNativeSeparator, folder_.size()) == std::string::npos
                   ? path.substr(folder_.size()) : std::string();
    }
    void take(const std::string& path) {
        const std::string name = nameIn(path);
        if (name.empty())
            return;
        const std::size_t need = 1 + (name.size() + 12) / 13;
        const auto free = [&](std::size_t start) {
            const auto end = slots_.begin() + std::min(start + need, slots_.size());
            return std::all_of(slots_.begin() + start, end, [](const std::string& slot) { return slot.empty(); });
        };
        std::size_t start = 0;
        while (start < slots_.size() && !free(start))
            ++start;
        slots_.resize(std::max(slots_.size(), start + need));
        std::fill(slots_.begin() + start, slots_.begin() + start + need, name);
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

// The copies a record names, standing as recorded, around a file of the
// user's after a gap of their own too small for the first copy by name but
// not for the next, and one copy the user changed since.
struct Stick {
    Stick() {
        for (const std::string& name : {"Track 10.mp3", "mine.txt", "b.mp3", "Track 2.mp3", "A long name of a track.mp3",
                                        "changed.mp3"}) {
            const FileStat stat = *native.fileStat(dst.write(name, name));
            if (name != "mine.txt")
                record.add(RecordEntry::Kind::Copy, 1, name, "/src/" + name, stat.size, stat.modifiedNs);
        }
        dst.write("changed.mp3", "changed by hand");
    }
    std::vector<std::string> names() const {
        return {"Track 10.mp3", "mine.txt", "b.mp3", "Track 2.mp3", "A long name of a track.mp3", "changed.mp3"};
    }
    test::TempDir dst;
    NativeFileSystem native;
    CopyRecord record;
    std::vector<std::string> said;
    std::function<void(const std::string&)> say = [this](const std::string& line) { said.push_back(line); };
};

// The copies come back in name order, the gap plugged meanwhile, and the
// user's files stay where they stood.
TEST(NameOrderMove, putsTheCopiesInNameOrderAroundTheUsersFilesAndGaps) {
    Stick stick;
    FatFolder fat(stick.native, stick.dst.path(), stick.names());
    PutInNameOrder(fat, stick.dst.path(), stick.record, stick.say);
    std::vector<std::string> listed;
    fat.forEachFile(stick.dst.path(), [&](std::string_view name) { listed.emplace_back(name); });
    EXPECT_EQ(listed, (std::vector<std::string>{"mine.txt", "A long name of a track.mp3", "b.mp3", "Track 2.mp3",
                                                "changed.mp3", "Track 10.mp3"}));
    EXPECT_EQ(test::NamesIn(stick.dst.path()).size(), 6u) << "no plug and no hidden folder left";
    EXPECT_EQ(test::ReadBytes(stick.dst.path() + "changed.mp3"), "changed by hand");
    EXPECT_TRUE(stick.said.empty());
}

// A run ended with the gap plugged and three copies out: the next puts
// them back and removes the plug, but never over a file the user wrote
// under a copy's name meanwhile, whose copy waits in the hidden folder.
TEST(NameOrderMove, aLaterRunPutsBackWhatAnEndedOneLeftButNeverOverTheUsersFile) {
    Stick stick;
    FatFolder fat(stick.native, stick.dst.path(), stick.names(), 14);
    EXPECT_THROW(PutInNameOrder(fat, stick.dst.path(), stick.record, stick.say), Stopped);
    stick.dst.write("Track 10.mp3", "mine");
    EXPECT_EQ(PutBackOrderedCopies(stick.native, stick.dst.path(), stick.say), 2u);
    const std::string holder = stick.dst.path() + std::string(kOrderFolderName);
    EXPECT_EQ(test::NamesIn(stick.dst.path()),
              (std::set<std::string>{"A long name of a track.mp3", "b.mp3", "changed.mp3", "mine.txt", "Track 10.mp3",
                                     "Track 2.mp3", std::string(kOrderFolderName)}));
    EXPECT_EQ(test::NamesIn(holder), (std::set<std::string>{"Track 10.mp3"}));
    EXPECT_EQ(test::ReadBytes(stick.dst.path() + "Track 10.mp3"), "mine");
    ASSERT_EQ(stick.said.size(), 1u);
    EXPECT_EQ(stick.said[0].rfind(holder + kNativeSeparator + "Track 10.mp3: cannot be put back as ", 0), 0u);
}

}  // namespace
}  // namespace tarvello
