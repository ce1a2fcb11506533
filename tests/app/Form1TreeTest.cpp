#include "FormFixture.h"

#include <gmock/gmock.h>

#include <filesystem>
#include <thread>

#include <sys/stat.h>
#include <unistd.h>

namespace tarvello::test {
namespace {

using Entries = std::vector<std::string>;

class Form1Tree : public FormFixture {
protected:
    void SetUp() override { showForm(); }

    // Where each entry's parent folder stands in the list.
    static std::vector<std::size_t> ParentPositions(const Entries& entries) {
        std::vector<std::size_t> positions;
        for (std::size_t i = 1; i < entries.size(); ++i) {
            const std::string parent = entries[i].substr(0, entries[i].rfind('/', entries[i].size() - 2) + 1);
            positions.push_back(std::find(entries.begin(), entries.end(), parent) - entries.begin());
        }
        return positions;
    }

    TempDir dir;
};

TEST_F(Form1Tree, addsTheFolderThenEveryFolderBelowByLevels) {
    for (const char* folder : {"R/A/A1/X", "R/A/A2", "R/B/B1", "R/.hidden/inner", "R/gone/inner"})
        dir.makeFolder(folder);
    dir.write("R/A/file.txt");
    ASSERT_EQ(symlink((dir.path() + "R").c_str(), (dir.path() + "R/B/loop").c_str()), 0);
    const std::string picked = dir.path() + "/R";  // a doubled separator, kept by the walk
    const std::string root = picked + "/";

    pickAndPress("Check5", picked);
    const Entries& walked = form->destinationList().entries();
    EXPECT_THAT(walked, testing::UnorderedElementsAre(root, root + "A/", root + "B/", root + "gone/",
                                                      root + "gone/inner/", root + "A/A1/", root + "A/A2/",
                                                      root + "B/B1/", root + "A/A1/X/"));
    ASSERT_EQ(walked.front(), root);
    const std::vector<std::size_t> parents = ParentPositions(walked);
    EXPECT_TRUE(std::is_sorted(parents.begin(), parents.end())) << testing::PrintToString(walked);

    // The source list collapses the folder's own entry; a folder that goes
    // before it is walked is passed over.
    fileSystem.beforeListing = [](const std::string& folder) {
        if (folder.ends_with("/gone/"))
            std::filesystem::remove_all(folder);
    };
    Entries beforeWalk;
    events.onYield = [&](int) { beforeWalk = form->sourceList().entries(); };
    pickAndPress("Check6", picked);
    Entries expected = walked;
    expected.front() = dir.path() + "R/";
    std::erase(expected, root + "gone/inner/");
    EXPECT_EQ(form->sourceList().entries(), expected);
    EXPECT_EQ(beforeWalk, Entries{dir.path() + "R/"});
}

TEST_F(Form1Tree, aChainOfAThousandFoldersIsWalkedToTheEnd) {
    std::string deepest = dir.makeFolder("C/");
    for (int i = 0; i < 1000; ++i)
        ASSERT_EQ(mkdir((deepest += "d/").c_str(), 0700), 0);
    pickAndPress("Check5", dir.path() + "C");
    EXPECT_EQ(form->destinationList().size(), 1001u);
    EXPECT_EQ(form->destinationList().entries().back(), deepest);
}

// What the user does while the walk yields acts on the list as it stands,
// and the walk goes on with its own listings and its hourglass.
TEST_F(Form1Tree, handlersRunDuringTheWalkLeaveItWhole) {
    dir.write("R/top.jpg");
    dir.write("R/A/a.jpg");
    dir.makeFolder("out");
    const std::string R = dir.path() + "R/", A = R + "A/";
    struct Case {
        const char* name;
        std::function<void()> during;
        Entries entries;
    };
    const Case cases[] = {
        {"redraw", [&] { press("Check12"); EXPECT_EQ(form->summary().size(), 1u); }, {R, A}},
        {"clear", [&] { press("Check4"); }, {A}},
        {"second walk", [&] { pickAndPress("Check6", dir.path() + "R"); }, {R, R, A, A}},
        {"start", [&] { press("Check2"); }, {R, A}},
        {"close", [&] { form->close(); EXPECT_EQ(programEnd.requests, 1); }, {R, A}},
    };
    pickAndPress("Check3", dir.path() + "out");
    // A slow listing makes the walk yield once more after the handler.
    fileSystem.beforeListing = [](const std::string& folder) {
        if (folder.ends_with("/A/"))
            std::this_thread::sleep_for(PacedYield::kWindowInterval * 2);
    };
    for (const Case& c : cases) {
        press("Check4");
        programEnd.requests = 0;
        events.yields = 0;
        int pointerAtLastYield = kPointerDefault;
        events.onYield = [&](int yield) {
            if (yield == 1)
                c.during();
            else
                pointerAtLastYield = form->pointerState();
        };
        pickAndPress("Check6", dir.path() + "R");
        EXPECT_EQ(form->sourceList().entries(), c.entries) << c.name;
        EXPECT_EQ(pointerAtLastYield, kPointerBusy) << c.name;
        EXPECT_EQ(form->pointerState(), kPointerDefault) << c.name;
    }
}

}  // namespace
}  // namespace tarvello::test
