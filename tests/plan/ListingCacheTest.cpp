#include "plan/ListingCache.h"

#include "plan/FakeFolders.h"

#include <gtest/gtest.h>

#include <functional>

// Only the POSIX file system stamps its folders, so only there does the
// cache keep listings of a real disk.
#ifndef _WIN32
#include "platform/posix/PosixFileSystem.h"
#include "support/TempDir.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <chrono>
#include <filesystem>
#include <thread>
#endif

namespace tarvello {
namespace {

using Paths = std::vector<std::string>;

Paths PathsOf(const CandidateList& candidates) {
    Paths paths;
    for (std::size_t i = 0; i < candidates.size(); ++i)
        paths.emplace_back(candidates.path(i));
    return paths;
}

TEST(ListCandidates, listsEachEntryAsAFolderInListOrder) {
    const test::FakeFolders disk({{"C:\\Data\\", {"z.jpg", "a.jpg"}}, {"\\", {"boot.ini"}}});
    const std::pair<Paths, Paths> cases[] = {
        {{"C:\\Data", "C:\\Data\\"},  // a folder given twice counts twice
         {"C:\\Data\\z.jpg", "C:\\Data\\a.jpg", "C:\\Data\\z.jpg", "C:\\Data\\a.jpg"}},
        {{"C:\\Missing", "C:\\Data\\a.jpg", ""}, {}},  // an empty entry is no folder, not the root
    };
    for (const auto& [entries, paths] : cases)
        EXPECT_EQ(PathsOf(ListCandidates(disk, entries, '\\')), paths) << testing::PrintToString(entries);
}

#ifndef _WIN32
namespace fs = std::filesystem;

// The real disk, with every listing taken long after the folder's last
// change, so that only the stamps decide what is listed again; counts the
// listings. The folder named `unreadable` cannot be opened, for root too.
class SettledDisk final : public PosixFileSystem {
public:
    std::optional<FolderStamp> listFolder(
        const std::string& folder, const std::function<void(std::string_view, bool)>& visit) const override {
        ++listings;
        return folder == unreadable ? std::nullopt : PosixFileSystem::listFolder(folder, visit);
    }
    std::optional<std::string> forEachFile(const std::string& folder,
                                           const std::function<void(std::string_view)>& visit) const override {
        return folder == unreadable ? "Permission denied" : PosixFileSystem::forEachFile(folder, visit);
    }
    std::int64_t fileTimeNowNs() const override { return PosixFileSystem::fileTimeNowNs() + 3'600'000'000'000; }
    mutable int listings = 0;
    std::string unreadable;
};

// Each change inside the folders, then their times stepped on by a second,
// as a clock that ticked between the changes would leave them.
TEST(ListingCache, aRedrawAfterEachChangeSeesWhatAFreshListingSees) {
    const test::TempDir dir;
    const std::string a = dir.path() + "a";
    const std::string b = dir.path() + "b";
    for (const char* file : {"a/1", "a/2", "a/.hidden", "a/sub/inner", "b/x", "target", "b2/y"})
        dir.write(file);
    mkfifo((a + "/pipe").c_str(), 0600);
    symlink("../target", (a + "/link").c_str());
    symlink("sub", (a + "/to-folder").c_str());
    const Paths entries{a, b + "/", a + "/", dir.path() + "missing", a + "/1"};
    std::int64_t second = 1'000'000'000;
    SettledDisk disk;
    const struct {
        const char* change;
        std::function<void()> apply;
        bool insideTheFolders = true;
    } steps[] = {
        {"nothing", [] {}, false},
        {"a file added", [&] { dir.write("a/3"); }},
        {"a file added, the times put back as tar or rsync -t do", [&] {
             std::this_thread::sleep_for(std::chrono::milliseconds(20));  // a tick of the file clock
             dir.write("a/4");
             --second;
         }},
        {"a file removed", [&] { fs::remove(a + "/2"); }},
        {"a file renamed", [&] { fs::rename(a + "/1", a + "/9"); }},
        {"a file replaced by a folder", [&] { fs::remove(b + "/x"); fs::create_directory(b + "/x"); }},
        {"a link's target made a folder", [&] { fs::remove(dir.path() + "target"); fs::create_directory(dir.path() + "target"); }, false},
        {"a link's target made a file again", [&] { fs::remove(dir.path() + "target"); dir.write("target"); }, false},
        {"a folder made unreadable", [&] { chmod(a.c_str(), 0); disk.unreadable = a + "/"; }},
        {"the folder readable again", [&] { chmod(a.c_str(), 0755); disk.unreadable.clear(); }},
        {"a folder replaced by another", [&] { fs::remove_all(b); fs::rename(dir.path() + "b2", b); }},
        {"a folder deleted", [&] { fs::remove_all(b); }},
    };
    ListingCache cache;
    cache.candidates(disk, entries, '/');
    for (const auto& [change, apply, insideTheFolders] : steps) {
        const int listingsBefore = disk.listings;
        apply();
        if (insideTheFolders) {
            const timespec times[2] = {{++second, 0}, {second, 0}};
            for (const std::string& folder : {a, b})
                utimensat(AT_FDCWD, folder.c_str(), times, 0);
        }
        EXPECT_EQ(PathsOf(cache.candidates(disk, entries, '/')), PathsOf(ListCandidates(disk, entries, '/'))) << change;
        if (!insideTheFolders) {  // only the two paths that name no folder are tried again
            EXPECT_EQ(disk.listings - listingsBefore, 2) << change;
        }
    }
    dir.write("b/z");
    cache.candidates(disk, entries, '/');
    cache.keepOnly({a}, '/');
    EXPECT_EQ(cache.folderCount(), 1u);
}
#endif

// One folder whose stamp and clock the test sets.
class ClockedFolder final : public test::EmptyFileSystem {
public:
    std::optional<FolderStamp> listFolder(
        const std::string&, const std::function<void(std::string_view, bool)>& visit) const override {
        ++listings;
        visit("a.jpg", false);
        return stamp;
    }
    std::vector<std::optional<FolderStamp>> folderStamps(const std::vector<std::string_view>& folders) const override {
        return std::vector<std::optional<FolderStamp>>(folders.size(), stamp);
    }
    std::int64_t fileTimeNowNs() const override { return now; }

    std::optional<FolderStamp> stamp;  // none: the read failed after a.jpg
    std::int64_t now = 0;
    mutable int listings = 0;
};

// Three redraws of a folder untouched after the first: the listing is kept
// unless it was taken within two seconds of the folder's last change, its
// read failed midway (what was read still counts), or another folder with
// the same times took its place.
TEST(ListingCache, aListingTakenTooSoonAfterAChangeOrCutShortIsTakenAgain) {
    constexpr std::int64_t kSecond = 1'000'000'000;
    constexpr std::int64_t kNow = 1'700'000'000 * kSecond;
    constexpr std::int64_t kLongAgo = kNow - 60 * kSecond;
    constexpr FolderStamp settled{1, 2, kLongAgo, kLongAgo};
    const struct {
        const char* when;
        std::optional<FolderStamp> stamp;
        int listings;
        std::optional<FolderStamp> fromTheSecondOn = std::nullopt;
    } cases[] = {
        {"modified just under 2 s before", FolderStamp{1, 2, kNow - 2 * kSecond + 1, kNow - 60 * kSecond}, 2},
        {"changed just under 2 s before", FolderStamp{1, 2, kNow - 60 * kSecond, kNow - 2 * kSecond + 1}, 2},
        {"times ahead of the clock", FolderStamp{1, 2, kNow + 30 * kSecond, kNow + 30 * kSecond}, 2},
        {"both 2 s before", FolderStamp{1, 2, kNow - 2 * kSecond, kNow - 2 * kSecond}, 1},
        {"the read failed midway", std::nullopt, 3},
        {"replaced by a folder with the same times", settled, 2, FolderStamp{1, 3, kLongAgo, kLongAgo}},
        {"replaced by one on another device", settled, 2, FolderStamp{4, 2, kLongAgo, kLongAgo}},
    };
    for (const auto& c : cases) {
        ClockedFolder folder;
        folder.stamp = c.stamp;
        folder.now = kNow;
        ListingCache cache;
        for (int redraw = 0; redraw < 3; ++redraw) {
            EXPECT_EQ(PathsOf(cache.candidates(folder, {"/in/"}, '/')), Paths{"/in/a.jpg"}) << c.when;
            folder.now = kNow + 60 * kSecond;
            if (c.fromTheSecondOn)
                folder.stamp = c.fromTheSecondOn;
        }
        EXPECT_EQ(folder.listings, c.listings) << c.when;
    }
}

}  // namespace
}  // namespace tarvello
