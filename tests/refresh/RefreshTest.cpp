#include "refresh/RecordFile.h"

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

using Names = std::set<std::string>;
using Mine = std::map<std::string, std::string>;  // the user's own files in the destination, and their bytes

struct Stopped {};

// A disk that stops the run just before its k-th change, as a kill would.
class StoppingDisk final : public ForwardingFileSystem {
public:
    StoppingDisk(FileSystem& inner, int stopBefore) : ForwardingFileSystem(inner), stopBefore_(stopBefore) {}
    CopyOutcome replaceFile(const std::string& s, const std::string& t, const CopyProgress& p) override {
        return step(), inner().replaceFile(s, t, p);
    }
    std::optional<std::string> removeFile(const std::string& path) override { return step(), inner().removeFile(path); }
    std::optional<std::string> replaceContents(const std::string& path, const ContentsWriter& write) override {
        return step(), inner().replaceContents(path, write);
    }

private:
    void step() {
        if (++steps_ == stopBefore_)
            throw Stopped{};
    }
    int stopBefore_;
    int steps_ = 0;
};

struct Quiet final : CopyRunObserver {
    void setProgress(double) override {}
    void setBusy(bool) override {}
    void finished(const CopyReport&) override {}
};

// A refresh of `dst` with every file of `sources`.
std::string Refill(FileSystem& fs, const std::vector<std::string>& sources, const std::string& dst,
                   bool distinctNames = false, bool allowRepeats = false) {
    RunRequest request;
    for (const std::string& source : sources)
        request.sources.push_back({EntrySource::Kind::Entry, source});
    request.destinations.push_back({EntrySource::Kind::Entry, dst});
    request.count = 1e9;
    request.refresh = true;
    request.distinctNames = distinctNames;
    request.allowRepeats = allowRepeats;
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
// user at work in between; and the second ended after each of its steps,
// then run again in full. Whatever happened, the user's files are as they
// were and every copy the record names is a copy of its source.
TEST(Refresh, takesTheLastSelectionOffButNeverAFileOfTheUsers) {
    const test::TempDir src;
    const std::string k = src.makeFolder("K"), x = src.makeFolder("X"), y = src.makeFolder("Y");
#ifdef _WIN32
    const std::string oddX = "caf\xc3\xa9 100%.mp3", oddY = "\xe5\x86\x99\xe7\x9c\x9f.mp3";  // Windows holds no others
#else
    const std::string oddX = "line\nfeed.mp3", oddY = "\xff.mp3";
#endif
    src.write("K/k.mp3", "k");
    for (const std::string& name : {std::string("x1.mp3"), std::string("x2.mp3"), oddX})
        src.write("X/" + name, name);
    for (const std::string& name : {std::string("y.mp3"), oddY})
        src.write("Y/" + name, name);
    const std::string record(kCopyRecordName);
    const Names newSelection{record, "mine.txt", "k.mp3", "y.mp3", oddY};
    const Names oldLeft{record, "mine.txt", "k.mp3", "y.mp3", oddY, "x1.mp3", "x2.mp3", oddX};

    struct Case {
        std::string what;
        std::function<void(const test::TempDir& dst, Mine& mine)> byHand;
        std::string closing;  // of the second refill, when it runs to its end
        Names standing;
        int stopBefore = 0;
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
    Names withX1 = newSelection;
    withX1.insert("x1.mp3");
    std::vector<Case> cases{
        {"nothing done by hand", {}, "2 copied, 1 kept, 3 removed, 0 left alone, 0 failed, 0 replaced by a later copy", newSelection},
        {"a copy changed by hand", own("x1.mp3", "mine now"), "2 copied, 1 kept, 2 removed, 1 left alone, 0 failed, 0 replaced by a later copy",
         withX1},
        {"a copy deleted by hand", remove("x2.mp3"), "2 copied, 1 kept, 2 removed, 1 left alone, 0 failed, 0 replaced by a later copy",
         newSelection},
        {"a file of the user's under a new copy's name", own("y.mp3", "mine"),
         "1 copied, 1 kept, 3 removed, 0 left alone, 0 failed, 0 replaced by a later copy", newSelection},
        {"the record missing", remove(record), "2 copied, 0 kept, 0 removed, 0 left alone, 0 failed, 0 replaced by a later copy", oldLeft},
        {"the record of a later version", own(record, "tarvello-copies 2 run 9\n"),
         "2 copied, 0 kept, 0 removed, 0 left alone, 0 failed, 0 replaced by a later copy, troubled", oldLeft},
    };
    for (int step = 1; step <= 7; ++step)
        cases.push_back({"ended before step " + std::to_string(step), {}, "", newSelection, step});

    NativeFileSystem disk;
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        const test::TempDir dst;
        Mine mine{{"mine.txt", "mine"}};
        dst.write("mine.txt", "mine");
        Refill(disk, {k, x}, dst.path());
        if (c.byHand)
            c.byHand(dst, mine);
        if (c.stopBefore == 0) {
            EXPECT_EQ(c.closing, Refill(disk, {k, y}, dst.path()));
        } else {
            StoppingDisk stopping(disk, c.stopBefore);
            EXPECT_THROW(Refill(stopping, {k, y}, dst.path()), Stopped);
            Refill(disk, {k, y}, dst.path());
        }
        EXPECT_EQ(c.standing, test::NamesIn(dst.path()));
        for (const auto& [name, bytes] : mine)
            EXPECT_EQ(bytes, test::ReadBytes(dst.path() + name)) << name;
        // Every other file is a copy the record names, as its source is.
        const FolderRecord found = ReadRecordFile(disk, dst.path());
        Names accounted{record};
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
        standing.insert(std::string(kCopyRecordName));
        EXPECT_EQ(test::NamesIn(dst.path()), standing) << c.distinctNames << c.allowRepeats;
        for (const std::string& name : mine)
            EXPECT_EQ(test::ReadBytes(dst.path() + name), "mine") << name;
    }
}

}  // namespace
}  // namespace tarvello
