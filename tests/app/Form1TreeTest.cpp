#include "FormFixture.h"

#include <gmock/gmock.h>

#include <filesystem>

#include <unistd.h>

namespace tarvello::test {
namespace {

using Entries = std::vector<std::string>;

using Form1Tree = ShownFormFixture;

// Hidden folders and links are passed over, a doubled separator is kept;
// the source list collapses it in the folder's own entry, and a folder
// that goes before it is walked is passed over.
TEST_F(Form1Tree, addsTheFolderThenEveryFolderBelowByLevels) {
    for (const char* folder : {"R/A/A1/X", "R/A/A2", "R/B/B1", "R/.hidden/inner", "R/gone/inner"})
        dir.makeFolder(folder);
    dir.write("R/A/file.txt");
    ASSERT_EQ(symlink((dir.path() + "R").c_str(), (dir.path() + "R/B/loop").c_str()), 0);
    const std::string root = dir.path() + "/R/";
    pickAndPress("Check5", dir.path() + "/R");
    const Entries& walked = form->destinationList().entries();
    EXPECT_THAT(walked, testing::UnorderedElementsAre(root, root + "A/", root + "B/", root + "gone/",
                                                      root + "gone/inner/", root + "A/A1/", root + "A/A2/",
                                                      root + "B/B1/", root + "A/A1/X/"));
    const auto depth = [](const std::string& path) { return std::count(path.begin(), path.end(), '/'); };
    EXPECT_TRUE(std::is_sorted(walked.begin(), walked.end(), [&](auto& a, auto& b) { return depth(a) < depth(b); }));

    fileSystem.beforeListing = [](const std::string& folder) {
        if (folder.ends_with("/gone/"))
            std::filesystem::remove_all(folder);
    };
    pickAndPress("Check6", dir.path() + "/R");
    Entries expected = walked;
    expected.front() = dir.path() + "R/";
    std::erase(expected, root + "gone/inner/");
    EXPECT_EQ(form->sourceList().entries(), expected);
}

// What the user does while the walk yields acts on the list as it stands,
// and the walk goes on with its own listings and its hourglass.
TEST_F(Form1Tree, handlersRunDuringTheWalkLeaveItWhole) {
    dir.write("R/top.jpg");
    dir.write("R/A/a.jpg");
    dir.makeFolder("out");
    const std::string R = dir.path() + "R/", A = R + "A/";
    const struct {
        const char* name;
        std::function<void()> during;
        Entries entries;
    } cases[] = {
        {"redraw", [&] { press("Check12"); EXPECT_EQ(form->summary().size(), 1u); }, {R, A}},
        {"clear", [&] { press("Check4"); }, {A}},
        {"second walk", [&] { pickAndPress("Check6", dir.path() + "R"); }, {R, R, A, A}},
        {"start", [&] { press("Check2"); }, {R, A}},
        {"close", [&] { form->close(); EXPECT_EQ(programEnd.requests, 1); }, {R, A}},
    };
    pickAndPress("Check3", dir.path() + "out");
    // A slow listing makes the walk yield once more after the handler.
    fileSystem.beforeListing = [&](const std::string& folder) {
        if (folder.ends_with("/A/"))
            clock.steady += Pacer::kInterval * 2;
    };
    for (const auto& c : cases) {
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
