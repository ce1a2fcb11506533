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

// A stick whose copies fail as armed, or that is pulled out after its first
// copy; counts the writes tried on it.
struct FailingStick final : ForwardingFileSystem {
    using ForwardingFileSystem::ForwardingFileSystem;
    CopyOutcome replaceFile(const std::string& source, const std::string& target, const CopyProgress& p) override {
        ++writes, gone = pulled;
        return failure ? *failure : inner().replaceFile(source, target, p);
    }
    std::optional<std::string> replaceContents(const std::string& path, const ContentsWriter& write) override {
        return ++writes, inner().replaceContents(path, write);
    }
    std::vector<std::optional<FolderStamp>> folderStamps(const std::vector<std::string_view>& folders) const override {
        return gone ? std::vector<std::optional<FolderStamp>>(folders.size()) : inner().folderStamps(folders);
    }
    std::optional<CopyOutcome> failure;
    bool pulled = false, gone = false;
    int writes = 0;
};

struct Quiet final : SessionObserver, CopyRunObserver {
    void setProgress(double) override {}
    void setBusy(bool) override {}
    void finished(const CopyReport&) override {}
};

// Refreshes `dst` from `source`, with a playlist beside the copies.
bool Refill(FileSystem& fs, const std::string& source, const std::string& dst) {
    RunRequest request;
    request.sources = {{EntrySource::Kind::Entry, source}};
    request.destinations = {{EntrySource::Kind::Entry, dst}};
    request.refresh = true;
    request.playlist = dst + "list.m3u";
    test::HookedEventLoop events;
    test::FixedClock clock;
    Quiet quiet;
    Session session(fs, events, clock, quiet);
    MersenneRandomSource random;
    session.copy(std::make_shared<const Plan>(session.draw(request, random).plan), quiet);
    return session.allDone();
}

// Last week's copies stay, and stay recorded, whenever this week's fail;
// after a failure that speaks for the whole stick, or once it is gone,
// nothing more is tried there.
TEST(Session, writesNoMoreWhereTheStickFailsAndKeepsTheOldSelection) {
    const test::TempDir src;
    const std::string x = src.makeFolder("X"), y = src.makeFolder("Y");
    src.write("X/x1.mp3", "x1"), src.write("X/x2.mp3", "x2"), src.write("Y/y1.mp3"), src.write("Y/y2.mp3");
    using Status = CopyOutcome::Status;
    const struct {
        const char* what;
        std::optional<CopyOutcome> failure;
        bool pulled;
        int writes;  // of the record, the copies, the last record and the playlist
    } cases[] = {
        {"each copy fails", CopyOutcome{Status::Failed, "refused"}, false, 5},
        {"a read-only stick", CopyOutcome{Status::Failed, "read-only", CopyOutcome::Reach::Destination}, false, 2},
        {"the stick pulled out", std::nullopt, true, 2},
    };
    NativeFileSystem disk;
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        const test::TempDir dst;
        ASSERT_TRUE(Refill(disk, x, dst.path()));
        FailingStick stick(disk);
        stick.failure = c.failure, stick.pulled = c.pulled;
        EXPECT_FALSE(Refill(stick, y, dst.path()));
        EXPECT_EQ(stick.writes, c.writes);
        const CopyRecord record = ReadRecordFile(disk, dst.path()).record;
        std::set<std::string> copies;
        for (std::size_t i = 0; i < record.size(); ++i)
            if (record[i].kind == RecordEntry::Kind::Copy)
                copies.emplace(record.name(record[i]));
        EXPECT_EQ(copies, (std::set<std::string>{"x1.mp3", "x2.mp3"}));
        EXPECT_EQ(test::ReadBytes(dst.path() + "x1.mp3") + test::ReadBytes(dst.path() + "x2.mp3"), "x1x2");
    }
}

}  // namespace
}  // namespace tarvello
