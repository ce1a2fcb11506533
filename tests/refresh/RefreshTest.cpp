#include "refresh/RecordFile.h"
#include "refresh/RecordLocks.h"
#include "refresh/Refresh.h"

#include "platform/ForwardingFileSystem.h"
#include "platform/NativePlatform.h"
#include "platform/system/MersenneRandomSource.h"
#include "run/Session.h"
#include "support/RecordingServices.h"
#include "support/StickLike.h"
#include "support/TempDir.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <map>

namespace tarvello {
namespace {

using namespace std::string_literals;

using Names = std::set<std::string>;
using Mine = std::map<std::string, std::string>;  // the user's own files in the destination, and their bytes

struct Stopped {};

// The real disk as a stick may show it: its times kept to 2 s below
// `folder`, as on FAT; no room left; every removal refused; a folder that
// cannot be listed; entries kept in order, so that a run asked to orders
// them; and, just before its k-th change, the run stopped as a kill
// would, or the user at work.
struct StickWays {
    bool fatTimes = false;
    bool keepsOrder = false;
    bool full = false;
    bool refusesRemovals = false;
    int stopBefore = 0;
    std::string unlistable{};
};

class Stick final : public ForwardingFileSystem {
public:
    Stick(FileSystem& inner, std::string folder, StickWays ways, std::function<void()> atStop = [] { throw Stopped{}; })
        : ForwardingFileSystem(inner), folder_(std::move(folder)), ways_(std::move(ways)), atStop_(std::move(atStop)) {}
    std::optional<FileStat> fileStat(const std::string& path) const override {
        auto stat = inner().fileStat(path);
        if (stat && ways_.fatTimes && path.starts_with(folder_))
            stat->modifiedNs -= stat->modifiedNs % 2'000'000'000;
        return stat;
    }
    std::optional<std::uint64_t> freeSpace(const std::string& folder) const override {
        return ways_.full ? 0 : inner().freeSpace(folder);
    }
    std::optional<std::string> forEachFile(const std::string& folder,
                                           const std::function<void(std::string_view)>& visit) const override {
        return folder == ways_.unlistable ? "Permission denied" : inner().forEachFile(folder, visit);
    }
    CopyOutcome replaceFile(const std::string& s, const std::string& t, const CopyProgress& p) override {
        return step(), inner().replaceFile(s, t, p);
    }
    std::optional<std::string> removeFile(const std::string& path) override {
        step();
        return ways_.refusesRemovals ? "Permission denied" : inner().removeFile(path);
    }
    std::optional<std::string> replaceContents(const std::string& path, const ContentsWriter& write) override {
        return step(), inner().replaceContents(path, write);
    }
    EntryOrder entryOrder(const std::string&) const override {
        return ways_.keepsOrder ? EntryOrder::MadeListedOtherwise : EntryOrder::None;
    }
    std::optional<std::string> moveFile(const std::string& from, const std::string& to) override {
        return step(), inner().moveFile(from, to);
    }

private:
    void step() {
        if (++steps_ == ways_.stopBefore)
            atStop_();
    }
    std::string folder_;
    StickWays ways_;
    std::function<void()> atStop_;
    int steps_ = 0;
};

struct Quiet final : CopyRunObserver {
    void setProgress(double) override {}
    void setBusy(bool) override {}
    void finished(const CopyReport&) override {}
};

// A refresh of `dst` with every file of `sources`.
std::string Refill(FileSystem& fs, const std::vector<std::string>& sources, const std::string& dst,
                   bool distinctNames = false, bool allowRepeats = false, bool orderByName = false) {
    RunRequest request;
    for (const std::string& source : sources)
        request.sources.push_back({EntrySource::Kind::Entry, source});
    request.destinations.push_back({EntrySource::Kind::Entry, dst});
    request.count = 1e9;
    request.refresh = true;
    request.distinctNames = distinctNames;
    request.allowRepeats = allowRepeats;
    request.orderByName = orderByName;
    test::HookedEventLoop events;
    test::FixedClock clock;
    SessionObserver unheard;
    Session session(fs, events, clock, unheard);
    MersenneRandomSource random;
    DrawnPlan drawn = session.draw(request, random);
    Quiet quiet;
    const auto copied = session.copy(std::make_shared<const Plan>(std::move(drawn.plan)), quiet);
    return CountsLine(*copied) + (session.allDone() ? "" : ", troubled");
}

// Two weekly refills: the first from K and X, the second from K and Y, the
// user at work in between or during it, on a stick that may show FAT's
// times, be full or refuse removals, with a third source that may be gone
// or unreadable; and the second, also put in name order, ended after each
// of its steps, then run again in full. Whatever happened, the user's files are as they were and
// every copy the record names is a copy of its source.
TEST(Refresh, takesTheLastSelectionOffButNeverAFileOfTheUsers) {
    const test::TempDir src;
    const std::string k = src.makeFolder("K"), x = src.makeFolder("X"), y = src.makeFolder("Y"), z = src.makeFolder("Z");
#ifdef _WIN32
    const std::string oddX = "caf\xc3\xa9 100%.mp3", oddY = "\xe5\x86\x99\xe7\x9c\x9f.mp3";  // Windows holds no others
    const Names unrecorded;
#else
    const std::string oddX = "line\nfeed.mp3", oddY = "\xff.mp3";
    const Names unrecorded{"back\\slash.mp3"};  // no record may name it: copied, it is the user's
#endif
    src.write("K/k.mp3", "k");
    for (const std::string& name : {std::string("x1.mp3"), std::string("x2.mp3"), oddX})
        src.write("X/" + name, name);
    for (const std::string& name : unrecorded)
        src.write("X/" + name, name);
    for (const std::string& name : {std::string("y.mp3"), oddY})
        src.write("Y/" + name, name);
    // Changed an hour ago, half a second past a whole one: FAT would round
    // that, and a file the user writes now has another time.
    using namespace std::chrono_literals;
    const auto anHourAgo =
        std::chrono::floor<std::chrono::seconds>(std::filesystem::file_time_type::clock::now() - 1h) + 1500ms;
    for (const auto& file : std::filesystem::recursive_directory_iterator(test::FsPath(src.path())))
        if (file.is_regular_file())
            std::filesystem::last_write_time(file.path(), anHourAgo);
    const std::string record(kCopyRecordName), lock(kRecordLockName);
    Names newSelection{record, lock, "mine.txt", "k.mp3", "y.mp3", oddY};
    Names oldLeft{record, lock, "mine.txt", "k.mp3", "y.mp3", oddY, "x1.mp3", "x2.mp3", oddX};
    newSelection.insert(unrecorded.begin(), unrecorded.end());
    oldLeft.insert(unrecorded.begin(), unrecorded.end());

    using Hand = std::function<void(const test::TempDir& dst, Mine& mine)>;
    struct Case {
        std::string what;
        Hand byHand{};
        std::string closing{};  // of the second refill, when it runs to its end
        Names standing{};
        StickWays stick{};
        Hand duringRun{};         // at stick.stopBefore, instead of a stop
        std::string alsoFrom{};  // a third source of the second refill
    };
    // The user writes a file of their own into the destination.
    const auto own = [](const std::string& name, const std::string& bytes) {
        return [=](const test::TempDir& dst, Mine& mine) { dst.write(name, mine[name] = bytes); };
    };
    // Takes a file away; once the record goes, every copy is the user's.
    const auto remove = [&](const std::string& name) {
        return [=](const test::TempDir& dst, Mine& mine) {
            std::filesystem::remove(test::FsPath(dst.path() + name));
            if (name == record) {
                for (const std::string& left : test::NamesIn(dst.path()))
                    mine[left] = test::ReadBytes(dst.path() + left);
            }
        };
    };
    // A refused record leaves its folder's copies, and itself, alone.
    const std::string refused =
        "2 copied, 0 kept, 0 removed, 0 left alone, 0 failed, 0 replaced by a later copy, troubled";
    Names withX1 = newSelection;
    withX1.insert("x1.mp3");
    const std::string noneRemoved = "2 copied, 1 kept, 0 removed, 0 left alone, 0 failed, 0 replaced by a later copy, troubled";
    std::vector<Case> cases{
        {"nothing done by hand", {}, "2 copied, 1 kept, 3 removed, 0 left alone, 0 failed, 0 replaced by a later copy", newSelection},
        {"a copy changed by hand", own("x1.mp3", "mine now"), "2 copied, 1 kept, 2 removed, 1 left alone, 0 failed, 0 replaced by a later copy",
         withX1},
        {"a copy retagged, its size kept", own("x1.mp3", "x1.MP3"),
         "2 copied, 1 kept, 2 removed, 1 left alone, 0 failed, 0 replaced by a later copy", withX1},
        {"a copy deleted by hand", remove("x2.mp3"), "2 copied, 1 kept, 2 removed, 1 left alone, 0 failed, 0 replaced by a later copy",
         newSelection},
        {"a file of the user's under a new copy's name", own("y.mp3", "mine"),
         "1 copied, 1 kept, 3 removed, 0 left alone, 0 failed, 0 replaced by a later copy", newSelection},
        {"the record missing", remove(record), "2 copied, 0 kept, 0 removed, 0 left alone, 0 failed, 0 replaced by a later copy", oldLeft},
        {"the record of a later version", own(record, "tarvello-copies 2 run 9\n"), refused, oldLeft},
        {.what = "a copy changed by hand during the run",
         .closing = "2 copied, 1 kept, 2 removed, 1 left alone, 0 failed, 0 replaced by a later copy",
         .standing = withX1, .stick = {.stopBefore = 2}, .duringRun = own("x1.mp3", "mine now")},
        {.what = "on FAT", .closing = "2 copied, 1 kept, 3 removed, 0 left alone, 0 failed, 0 replaced by a later copy",
         .standing = newSelection, .stick = {.fatTimes = true}},
        {.what = "every removal refused",
         .closing = "2 copied, 1 kept, 0 removed, 0 left alone, 3 failed, 0 replaced by a later copy, troubled",
         .standing = oldLeft, .stick = {.refusesRemovals = true}},
        {.what = "a source gone, on a full stick", .closing = noneRemoved, .standing = oldLeft,
         .stick = {.full = true}, .alsoFrom = src.pathOf("gone")},
        {.what = "a source that cannot be listed, on a full stick", .closing = noneRemoved, .standing = oldLeft,
         .stick = {.full = true, .unlistable = src.pathOf("Z/")}, .alsoFrom = z},
    };
    // A record naming a copy outside its folder is damage, or a trap.
    for (const std::string& name : {""s, "."s, ".."s, "../k.mp3"s, "sub/k.mp3"s, "sub\\k.mp3"s, "k.mp3\0.txt"s}) {
        const std::string line = "copy 1 1 0 " + std::to_string(name.size()) + ":" + name + " 1:k\n";
        const auto amend = [=](const test::TempDir& dst, Mine& mine) {
            dst.write(record, mine[record] = test::ReadBytes(dst.path() + record) + line);
        };
        cases.push_back({"the record naming '" + name + "'", amend, refused, oldLeft});
    }
    for (int step = 1; step <= 7; ++step)
        cases.push_back({.what = "ended before step " + std::to_string(step), .standing = newSelection,
                         .stick = {.stopBefore = step}});
    // Put in order: three copies moved out and back.
    cases.push_back({.what = "put in order", .closing = cases[0].closing, .standing = newSelection,
                     .stick = {.keepsOrder = true}});
    for (int step = 8; step <= 13; ++step)
        cases.push_back({.what = "put in order, ended before step " + std::to_string(step), .standing = newSelection,
                         .stick = {.keepsOrder = true, .stopBefore = step}});

    NativeFileSystem disk;
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        const test::TempDir dst;
        Mine mine{{"mine.txt", "mine"}};
        dst.write("mine.txt", "mine");
        Stick stick(disk, dst.path(), {.fatTimes = c.stick.fatTimes});
        Refill(stick, {k, x}, dst.path());
        for (const std::string& name : unrecorded)
            mine[name] = name;
        if (c.byHand)
            c.byHand(dst, mine);
        Stick second(disk, dst.path(), c.stick, [&] { c.duringRun ? c.duringRun(dst, mine) : throw Stopped{}; });
        std::vector<std::string> sources{k, y};
        if (!c.alsoFrom.empty())
            sources.push_back(c.alsoFrom);
        const bool ordered = c.stick.keepsOrder;
        if (c.stick.stopBefore == 0 || c.duringRun) {
            EXPECT_EQ(c.closing, Refill(second, sources, dst.path(), false, false, ordered));
        } else {
            EXPECT_THROW(Refill(second, sources, dst.path(), false, false, ordered), Stopped);
            Refill(stick, sources, dst.path());
        }
        EXPECT_EQ(c.standing, test::NamesIn(dst.path()));
        for (const auto& [name, bytes] : mine)
            EXPECT_EQ(bytes, test::ReadBytes(dst.path() + name)) << name;
        // Every other file is a copy the record names, as its source is.
        const FolderRecord found = ReadRecordFile(disk, dst.path());
        Names accounted{record, lock};
        for (const auto& [name, _] : mine)
            accounted.insert(name);
        for (std::size_t i = 0; i < found.record.size(); ++i) {
            const RecordEntry& entry = found.record[i];
            if (entry.kind != RecordEntry::Kind::Copy)
                continue;
            const std::string name(found.record.name(entry));
            accounted.insert(name);
            EXPECT_EQ(test::ReadBytes(std::string(found.record.source(entry))), test::ReadBytes(dst.path() + name));
        }
        if (found.status == FolderRecord::Status::Read) {
            EXPECT_EQ(c.standing, accounted);
        }
    }
}

// A copy never takes a user's name as a stick sees the copy's final name (after "_", after
// numbering, in any case); with distinct names it takes the next free number instead.
TEST(Refresh, leavesTheUsersNamesToThemAsTheStickSeesTheCopysName) {
#ifdef _WIN32
    GTEST_SKIP() << "no name on Windows holds \":\"";
#endif
    const test::TempDir src;
    for (const std::string name : {"a:b.mp3", "c.mp3", "s.mp3"})
        src.write("in/" + name, name);
    const Names mine{"a_b.mp3", "C.MP3", "s1.mp3"};
    const struct {
        bool distinctNames, allowRepeats;
        Names copies;
    } cases[] = {{false, false, {"s.mp3"}}, {false, true, {"s.mp3"}}, {true, false, {"a_b1.mp3", "c1.mp3", "s.mp3"}}};
    NativeFileSystem disk;
    test::StickLike stick(disk);
    for (const auto& c : cases) {
        const test::TempDir dst;
        for (const std::string& name : mine)
            dst.write(name, "mine");
        Refill(stick, {src.pathOf("in")}, dst.path(), c.distinctNames, c.allowRepeats);
        Names standing = c.copies;
        standing.insert(mine.begin(), mine.end());
        standing.insert({std::string(kCopyRecordName), std::string(kRecordLockName)});
        EXPECT_EQ(test::NamesIn(dst.path()), standing) << c.distinctNames << c.allowRepeats;
        for (const std::string& name : mine)
            EXPECT_EQ(test::ReadBytes(dst.path() + name), "mine") << name;
    }
}

// A run ended after its copies but before its last record leaves them
// pending. The next run owns a finished one by its bytes where its times
// could not be set, and removes the leftover of a pending copy in the
// making; a file of the user's of the same size and a hidden file the
// record does not name stay.
TEST(Refresh, ownsTheCopiesOfAnEndedRunByTheirBytesAndRemovesOnlyItsLeftovers) {
    const test::TempDir src, dst;
    const std::string x = src.makeFolder("X"), y = src.makeFolder("Y");
    src.write("X/x1.mp3", "x1");
    src.write("X/x2.mp3", "x2");
    src.write("Y/y.mp3", "y");
    NativeFileSystem disk;
    Stick stopping(disk, dst.path(), {.stopBefore = 4});  // the record, two copies, then the last record
    EXPECT_THROW(Refill(stopping, {x}, dst.path()), Stopped);
    dst.write("x2.mp3", "me");
    for (const std::string name : {"x1.mp3", "x2.mp3"})
        std::filesystem::last_write_time(test::FsPath(dst.path() + name), std::filesystem::file_time_type());
    for (const std::string name : {".x1.mp3.AbCdEf", ".mine.mp3.AbCdEf"})
        dst.write(name);
    NativeFileSystem nextRun;
    Refill(nextRun, {y}, dst.path());
    EXPECT_EQ(test::NamesIn(dst.path()), (Names{std::string(kCopyRecordName), std::string(kRecordLockName),
                                                "x2.mp3", "y.mp3", ".mine.mp3.AbCdEf"}));
}

// A record of two runs: a.mp3 copied in the last, its copy standing as
// made, and b.mp3 in the one before. Leaving out the last run leaves out
// a.mp3 alone, and only a refresh takes its copy off.
TEST(Refresh, leavesOutTheRunsAskedForAndRemovesOnlyWhenRefreshing) {
    const test::TempDir src;
    for (const char* name : {"a.mp3", "b.mp3", "c.mp3"})
        src.write(name);
    const struct {
        RefreshOptions options;
        Names drawnFrom;
        bool copyStands;
    } cases[] = {
        {{false, 1}, {"b.mp3", "c.mp3"}, true},
        {{true, 1}, {"b.mp3", "c.mp3"}, false},
    };
    NativeFileSystem disk;
    for (const auto& c : cases) {
        const test::TempDir dst;
        const std::string copy = dst.write("a.mp3");
        const FileStat stat = *disk.fileStat(copy);
        CopyRecord record;
        record.lastRun = 2;
        record.add(RecordEntry::Kind::Copy, 2, "a.mp3", src.pathOf("a.mp3"), stat.size, stat.modifiedNs);
        record.add(RecordEntry::Kind::Past, 1, {}, src.pathOf("b.mp3"));
        WriteRecordFile(disk, dst.path(), record);
        Refresh refresh(disk, {src.path()}, {dst.path()}, c.options, [](const std::string&) {});
        const std::vector<std::string> sources{src.path()}, destinations{dst.path()};
        PlanRequest request{sources, destinations, 1, false};
        refresh.prepareDraw(request);
        Names drawnFrom;
        refresh.drawView().forEachFile(src.path(), [&](std::string_view name) { drawnFrom.emplace(name); });
        refresh.disk().flush({}, [] {});
        EXPECT_EQ(drawnFrom, c.drawnFrom) << c.options.refresh;
        EXPECT_EQ(std::filesystem::exists(test::FsPath(copy)), c.copyStands) << c.options.refresh;
    }
}

}  // namespace
}  // namespace tarvello
