#include "plan/ListingCache.h"

#include "platform/posix/PosixFileSystem.h"
#include "support/EmptyFileSystem.h"
#include "support/TempDir.h"

#include <gtest/gtest.h>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <filesystem>
#include <functional>
#include <map>

namespace tarvello {
namespace {

namespace fs = std::filesystem;
using Paths = std::vector<std::string>;

Paths PathsOf(const CandidateList& candidates) {
    Paths paths;
    for (std::size_t i = 0; i < candidates.size(); ++i)
        paths.emplace_back(candidates.path(i));
    return paths;
}

// The real disk, with every listing taken long after the folder's last
// change, so that only the stamps decide what is listed again; counts the
// listings.
class SettledDisk final : public PosixFileSystem {
public:
    std::optional<FolderStamp> listFolder(
        const std::string& folder, const std::function<void(std::string_view, bool)>& visit) const override {
        ++listings;
        return PosixFileSystem::listFolder(folder, visit);
    }
    std::int64_t fileTimeNowNs() const override { return PosixFileSystem::fileTimeNowNs() + 3'600'000'000'000; }
    mutable int listings = 0;
};

// Each change, then the folders' times stepped on by a second, as a clock
// that ticked between the changes would leave them.
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

    struct Step {
        const char* change;
        std::function<void()> apply;
    };
    const Step steps[] = {
        {"nothing", nullptr},
        {"a file added", [&] { dir.write("a/3"); }},
        {"a file removed", [&] { fs::remove(a + "/2"); }},
        {"a file renamed", [&] { fs::rename(a + "/1", a + "/9"); }},
        {"a file replaced by a folder", [&] { fs::remove(b + "/x"); fs::create_directory(b + "/x"); }},
        {"a link's target made a folder", [&] { fs::remove(dir.path() + "target"); fs::create_directory(dir.path() + "target"); }},
        {"a link's target made a file again", [&] { fs::remove(dir.path() + "target"); dir.write("target"); }},
        {"a folder made unreadable", [&] { chmod(a.c_str(), 0); }},
        {"a folder replaced by another", [&] { fs::remove_all(b); fs::rename(dir.path() + "b2", b); }},
        {"a folder deleted", [&] { fs::remove_all(b); }},
    };
    SettledDisk disk;
    ListingCache cache;
    cache.candidates(disk, entries, '/');
    std::int64_t second = 1'000'000'000;
    for (const Step& step : steps) {
        const int listingsBefore = disk.listings;
        if (step.apply) {
            step.apply();
            ++second;
            for (const std::string& folder : {a, b}) {
                const timespec times[2] = {{second, 0}, {second, 0}};
                utimensat(AT_FDCWD, folder.c_str(), times, 0);
            }
        }
        EXPECT_EQ(PathsOf(cache.candidates(disk, entries, '/')), PathsOf(ListCandidates(disk, entries, '/')))
            << step.change;
        if (!step.apply) {  // only the two paths that name no folder are tried again
            EXPECT_EQ(disk.listings - listingsBefore, 2);
        }
    }
    cache.keepOnly({a}, '/');
    EXPECT_EQ(cache.folderCount(), 1u);
}

// One folder whose stamp and clock the test sets.
class ClockedFolder final : public test::EmptyFileSystem {
public:
    std::optional<FolderStamp> listFolder(
        const std::string&, const std::function<void(std::string_view, bool)>& visit) const override {
        ++listings;
        visit("a.jpg", false);
        return stamp;
    }
    std::vector<std::optional<FolderStamp>> folderStamps(
        const std::vector<std::string_view>& folders) const override {
        return std::vector<std::optional<FolderStamp>>(folders.size(), stamp);
    }
    std::int64_t fileTimeNowNs() const override { return now; }

    std::optional<FolderStamp> stamp;  // none: the read failed after a.jpg
    std::int64_t now = 0;
    mutable int listings = 0;
};

TEST(ListingCache, aListingTakenWithinTwoSecondsOfTheFoldersChangeIsTakenAgain) {
    constexpr std::int64_t kSecond = 1'000'000'000;
    constexpr std::int64_t kNow = 1'700'000'000 * kSecond;
    struct Case {
        const char* when;
        std::int64_t modified, changed;
        bool listedAgain;
    };
    const Case cases[] = {
        {"modified just under 2 s before", kNow - 2 * kSecond + 1, kNow - 60 * kSecond, true},
        {"changed just under 2 s before", kNow - 60 * kSecond, kNow - 2 * kSecond + 1, true},
        {"times ahead of the clock", kNow + 30 * kSecond, kNow + 30 * kSecond, true},
        {"both 2 s before", kNow - 2 * kSecond, kNow - 2 * kSecond, false},
    };
    for (const Case& c : cases) {
        ClockedFolder folder;
        folder.stamp = {1, 2, c.modified, c.changed};
        folder.now = kNow;
        ListingCache cache;
        const std::vector<std::string> entries{"/in/"};
        cache.candidates(folder, entries, '/');
        folder.now += 60 * kSecond;  // later redraws, the folder untouched
        cache.candidates(folder, entries, '/');
        cache.candidates(folder, entries, '/');
        EXPECT_EQ(folder.listings, c.listedAgain ? 2 : 1) << c.when;
    }
}

// What was read still counts, but the listing is never kept: each redraw
// reads the folder again until a whole listing comes through.
TEST(ListingCache, aListingThatFailsMidwayGivesWhatWasReadAndIsNotKept) {
    ClockedFolder folder;
    ListingCache cache;
    const std::vector<std::string> entries{"/in/"};
    EXPECT_EQ(PathsOf(cache.candidates(folder, entries, '/')), Paths{"/in/a.jpg"});
    EXPECT_EQ(PathsOf(cache.candidates(folder, entries, '/')), Paths{"/in/a.jpg"});
    EXPECT_EQ(folder.listings, 2);
}

}  // namespace
}  // namespace tarvello
