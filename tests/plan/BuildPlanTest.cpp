#include "plan/BuildPlan.h"

#include "lists/PathText.h"
#include "plan/FakeFolders.h"
#include "platform/NativePlatform.h"
#include "platform/system/MersenneRandomSource.h"
#include "support/PlanEntries.h"
#include "support/ScriptedRandom.h"
#include "support/StickLike.h"
#include "support/TempDir.h"

#include <gtest/gtest.h>

#include <limits>
#include <map>

namespace tarvello {
namespace {

using test::ScriptedRandom;
using Entries = std::vector<std::string>;
using Lines = std::vector<PlanEntry>;

TEST(BuildPlan, sendsEachPickToEveryDestinationInListOrder) {
    const test::FakeFolders fs({{"C:\\Pics\\", {"a.jpg", "b.jpg", "c.jpg"}}});
    const Entries sources{"C:\\Pics"};
    const Entries destinations{"E:\\Out", "", "F:\\"};  // an empty entry names no folder, not the root
    ScriptedRandom random{0.9, 0.0};                   // c.jpg, then a.jpg

    EXPECT_EQ(test::EntriesOf(*BuildPlan(fs, random, {sources, destinations, 2.0, false}, '\\')),
              (Lines{{"C:\\Pics\\c.jpg", "E:\\Out\\c.jpg"},
                    {"C:\\Pics\\c.jpg", "F:\\c.jpg"},
                    {"C:\\Pics\\a.jpg", "E:\\Out\\a.jpg"},
                    {"C:\\Pics\\a.jpg", "F:\\a.jpg"}}));
}

// Names a text form of the plan could misread, on a real disk: a trailing
// "%", "|", the Summary's joining words, and bytes that are not UTF-8 (on
// Windows, where names are UTF-16 and hold no "|", letters beyond ASCII).
// Each is drawn twice, so the second copy is numbered, by the plain draw and
// by the draw under a budget alike.
TEST(BuildPlan, plansAwkwardNamesExactly) {
    const std::map<std::string, std::string> numbered{
        {"100%", "100%1"}, {"x will be copied to y", "x will be copied to y1"},
#ifdef _WIN32
        {"caf\xc3\xa9.txt", "caf\xc3\xa9" "1.txt"}, {"\xe2\x82\xac 50", "\xe2\x82\xac 501"},
#else
        {"a|b.txt", "a|b1.txt"}, {"\xff\xfe.bin", "\xff\xfe" "1.bin"},
#endif
    };
    const test::TempDir in;
    const test::TempDir out;
    for (const auto& [name, _] : numbered)
        in.write(name);
    const NativeFileSystem fs;
    Entries listed;
    fs.forEachFile(in.path(), [&](std::string_view name) { listed.emplace_back(name); });

    ScriptedRandom script;
    Lines expected;
    for (int round = 0; round < 2; ++round) {
        for (std::size_t i = 0; i < listed.size(); ++i) {
            script.numbers.push_back((static_cast<double>(i) + 0.5) / static_cast<double>(listed.size()));
            expected.push_back({in.path() + listed[i], out.path() + (round == 0 ? listed[i] : numbered.at(listed[i]))});
        }
    }
    const Entries sources{in.path()};
    const Entries destinations{out.path()};
    SelectionRules budget;
    budget.budget = 1024;
    for (const SelectionRules& rules : {SelectionRules{}, budget}) {
        ScriptedRandom random = script;
        EXPECT_EQ(test::EntriesOf(*BuildPlan(fs, random, {sources, destinations, 8.0, true, nullptr, rules})),
                  expected);
    }
}

// A stick takes refused characters as "_", no trailing dots or blanks (a name
// of nothing else stays); with distinct names a copy whose name an earlier one
// takes, in any case, gets the next free number; without, nothing more.
TEST(BuildPlan, namesEachCopyAsAStickTakesIt) {
    test::FakeFolders folders({{"/a/", {"01 Intro.mp3", "a:b?.mp3", "Song. .", " .", "\xc3\x89.mp3"}},
                               {"/b/", {"01 Intro.mp3", "a_b_.mp3", "\xc3\xa9.mp3"}}});
    const test::StickLike stick(folders);
    const Entries sources{"/a/", "/b/"};
    const Entries destinations{"/fat"};
    for (const bool distinctNames : {false, true}) {
        ScriptedRandom random;
        PlanRequest request{sources, destinations, 100.0, false};
        request.distinctNames = distinctNames;
        Entries targets;
        for (const PlanEntry& entry : test::EntriesOf(*BuildPlan(stick, random, request, '/')))
            targets.emplace_back(FileNamePart(entry.target, '/'));
        EXPECT_EQ(targets, (distinctNames ? Entries{"01 Intro.mp3", "a_b_.mp3", "Song", " .", "\xc3\x89.mp3",
                                                    "01 Intro1.mp3", "a_b_1.mp3", "\xc3\xa9" "1.mp3"}
                                          : Entries{"01 Intro.mp3", "a_b_.mp3", "Song", " .", "\xc3\x89.mp3",
                                                    "01 Intro.mp3", "a_b_.mp3", "\xc3\xa9.mp3"}));
    }
}

// A file whose size cannot be read (gone since the listing) never fits a
// budget, however large.
TEST(BuildPlan, aBudgetLeavesOutFilesItCannotMeasure) {
    const test::FakeFolders fs({{"/in/", {"gone"}}});
    SelectionRules rules;
    rules.budget = std::numeric_limits<std::uint64_t>::max();
    ScriptedRandom random{0.0};
    EXPECT_TRUE(BuildPlan(fs, random, {{"/in/"}, {"/out"}, 5.0, true, nullptr, rules}, '/')->empty());
}

// Under the budget "free" each copy costs whole allocation units of the
// destination with the largest, as on a FAT stick beside a hard disk, and
// its folder entry: three 1-byte files, a budget of three units, two fit.
TEST(BuildPlan, theFreeBudgetCountsWholeUnitsOfTheLargestAndEachFolderEntry) {
    struct Clustered final : test::EmptyFileSystem {
        std::optional<std::string> forEachFile(const std::string&,
                                               const std::function<void(std::string_view)>& visit) const override {
            for (const char* name : {"a", "b", "c"})
                visit(name);
            return std::nullopt;
        }
        std::optional<std::uint64_t> fileSize(const std::string&) const override { return 1; }
        std::optional<std::uint64_t> allocationUnit(const std::string& folder) const override {
            return folder == "/fat/" ? 32768 : 512;
        }
    } fs;
    const Entries destinations{"/disk/", "/fat/"};
    SelectionRules rules;
    rules.budget = 3 * 32768;
    rules.allocationUnit = LargestAllocationUnit(fs, destinations);
    MersenneRandomSource random;
    EXPECT_EQ(BuildPlan(fs, random, {{"/in/"}, destinations, 3.0, false, nullptr, rules}, '/')->size(), 2u * 2);
}

TEST(BuildPlan, refusesAPlanPastTheBoundBeforeDrawing) {
    constexpr std::size_t kMost = std::numeric_limits<std::size_t>::max();
    const struct {
        std::size_t picks, destinations;
        bool exceeds;
    } cases[] = {
        {10'000'000, 1, false}, {10'000'001, 1, true},    {3'333'333, 3, false}, {3'333'334, 3, true},
        {1, 10'000'001, true},  {kMost / 2 + 1, 2, true}, {0, kMost, false},     {kMost, 0, false},
    };
    for (const auto& c : cases)
        EXPECT_EQ(ExceedsPlanBound(c.picks, c.destinations), c.exceeds) << c.picks << " to " << c.destinations;

    const test::FakeFolders fs({{"/in/", {"a", "b", "c"}}});
    const Entries sources{"/in/"};
    const Entries destinations{"/1", "/2", "/3"};
    ScriptedRandom random;
    EXPECT_EQ(BuildPlan(fs, random, {sources, destinations, 3'333'334.0, true}, '/'), std::nullopt);
    EXPECT_EQ(random.taken, 0);
}

// A budget or a per-folder chance cannot know the plan's size before the
// draw; the bound must hold all the same, and no destinations draw nothing.
TEST(BuildPlan, holdsTheBoundUnderEveryRule) {
    test::TempDir dir;
    dir.write("in/empty", "");  // 0 bytes: fits any budget, again and again
    const NativeFileSystem fs;
    const Entries sources{dir.path() + "in"};
    const Entries many(10'000, dir.path() + "out");  // a bound of 1,000 picks
    SelectionRules budget, perFolder;
    budget.budget = 0;
    perFolder.perFolder = true;
    const struct {
        Entries destinations;
        SelectionRules rules;
        double requested;
        std::optional<std::size_t> lines;
    } cases[] = {
        {many, budget, 1000, 10'000'000}, {many, budget, 1001, std::nullopt}, {many, perFolder, 1e12, std::nullopt},
        {{}, budget, 1e12, 0}, {{}, {}, 1e12, 0},
    };
    for (const auto& c : cases) {
        MersenneRandomSource random;
        const auto plan = BuildPlan(fs, random, {sources, c.destinations, c.requested, true, nullptr, c.rules}, '/');
        EXPECT_EQ(plan ? std::optional(plan->size()) : std::nullopt, c.lines) << c.requested;
    }
}

}  // namespace
}  // namespace tarvello
