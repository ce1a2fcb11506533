#include "run/Session.h"

#include "platform/ForwardingFileSystem.h"
#include "platform/NativePlatform.h"
#include "platform/system/MersenneRandomSource.h"
#include "refresh/RecordFile.h"
#include "support/RecordingServices.h"
#include "support/TempDir.h"

#include <gtest/gtest.h>

namespace tarvello {
namespace {

// A stick that fails as armed once the run's first copy is tried: each copy
// fails so, or the stick is pulled out after it. Counts the writes tried on
// the stick itself.
class FailingStick final : public ForwardingFileSystem {
public:
    using ForwardingFileSystem::ForwardingFileSystem;
    CopyOutcome replaceFile(const std::string& source, const std::string& target, const CopyProgress& p) override {
        ++writes;
        const CopyOutcome outcome = failure ? *failure : inner().replaceFile(source, target, p);
        gone = pulled;
        return outcome;
    }
    std::optional<std::string> replaceContents(const std::string& path, const ContentsWriter& write) override {
        ++writes;
        return inner().replaceContents(path, write);
    }
    std::vector<std::optional<FolderStamp>> folderStamps(const std::vector<std::string_view>& folders) const override {
        return gone ? std::vector<std::optional<FolderStamp>>(folders.size()) : inner().folderStamps(folders);
    }
    std::optional<CopyOutcome> failure;
    bool pulled = false, gone = false;
    int writes = 0;
};

struct Lines final : SessionObserver, CopyRunObserver {
    void problem(const std::string& line) override { problems.push_back(line); }
    void setProgress(double) override {}
    void setBusy(bool) override {}
    void finished(const CopyReport&) override {}
    std::vector<std::string> problems;
};

// Refreshes `dst` from `source` with a playlist beside the copies.
bool Refill(FileSystem& fs, const std::string& source, const std::string& dst, Lines& lines) {
    RunRequest request;
    request.sources.push_back({EntrySource::Kind::Entry, source});
    request.destinations.push_back({EntrySource::Kind::Entry, dst});
    request.refresh = true;
    request.playlist = dst + "list.m3u";
    test::HookedEventLoop events;
    test::FixedClock clock;
    Session session(fs, events, clock, lines);
    MersenneRandomSource random;
    DrawnPlan drawn = session.draw(request, random);
    session.copy(std::make_shared<const Plan>(std::move(drawn.plan)), lines);
    return session.allDone();
}

// Last week's copies stay, and stay recorded, whenever this week's fail;
// after a failure that speaks for the whole stick, or once the stick is
// gone, nothing more is tried there: the record written before the copies
// names all that may stand there.
TEST(Session, writesNoMoreWhereTheStickFailsAndKeepsTheOldSelection) {
    const test::TempDir src;
    const std::string x = src.makeFolder("X"), y = src.makeFolder("Y");
    src.write("X/x1.mp3", "x1"), src.write("X/x2.mp3", "x2"), src.write("Y/y1.mp3"), src.write("Y/y2.mp3");
    using Reach = CopyOutcome::Reach;
    const struct {
        const char* what;
        std::optional<CopyOutcome> failure;
        bool pulled;
        int writes;  // the record, the copies, the last record and the playlist
    } cases[] = {
        {"each copy fails", CopyOutcome{CopyOutcome::Status::Failed, "refused", Reach::Copy}, false, 5},
        {"a read-only stick", CopyOutcome{CopyOutcome::Status::Failed, "Read-only file system", Reach::Destination},
         false, 2},
        {"the stick pulled", std::nullopt, true, 2},
    };
    NativeFileSystem disk;
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        const test::TempDir dst;
        Lines lines;
        ASSERT_TRUE(Refill(disk, x, dst.path(), lines));
        FailingStick stick(disk);
        stick.failure = c.failure;
        stick.pulled = c.pulled;
        EXPECT_FALSE(Refill(stick, y, dst.path(), lines));
        EXPECT_EQ(stick.writes, c.writes);
        const FolderRecord found = ReadRecordFile(disk, dst.path());
        std::set<std::string> recorded;
        for (std::size_t i = 0; i < found.record.size(); ++i)
            if (found.record[i].kind == RecordEntry::Kind::Copy)
                recorded.emplace(found.record.name(found.record[i]));
        EXPECT_TRUE(recorded.contains("x1.mp3") && recorded.contains("x2.mp3"));
        EXPECT_EQ(test::ReadBytes(dst.path() + "x1.mp3") + test::ReadBytes(dst.path() + "x2.mp3"), "x1x2");
    }
}

class FullStick final : public ForwardingFileSystem {
public:
    using ForwardingFileSystem::ForwardingFileSystem;
    std::optional<std::uint64_t> freeSpace(const std::string&) const override { return 0; }
};

// "No files added." alone would read as success to cron.
TEST(Session, namesDestinationsWithNoRoomForOneFile) {
    const test::TempDir src, dst;
    src.write("a.mp3");
    NativeFileSystem disk;
    FullStick full(disk);
    RunRequest request;
    request.sources.push_back({EntrySource::Kind::Entry, src.path()});
    request.destinations.push_back({EntrySource::Kind::Entry, dst.path()});
    request.budget = BudgetOption{true, 0};
    test::HookedEventLoop events;
    test::FixedClock clock;
    Lines lines;
    Session session(full, events, clock, lines);
    MersenneRandomSource random;
    EXPECT_TRUE(session.draw(request, random).plan.empty());
    EXPECT_EQ(lines.problems, std::vector<std::string>{"the destinations have no room for even one file"});
    EXPECT_FALSE(session.allDone());
}

}  // namespace
}  // namespace tarvello
