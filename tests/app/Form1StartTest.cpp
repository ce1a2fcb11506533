#include "FormFixture.h"

#include "support/PlanEntries.h"

#include <QProgressBar>

#include <filesystem>

namespace tarvello::test {
namespace {

using Form1Start = ShownFormFixture;

// The plan keeps what it was drawn from: with the lists cleared and the
// folder changed on disk it copies the three numbered copies of the one file.
// The bar moves with each entry's bytes and stands at its share, to a
// hundredth of a percent, when the entry ends, under an hourglass that outlasts moves over the buttons; "Done."
// shows with the bar full, then the bar and pointer are reset.
TEST_F(Form1Start, copiesThePlanAsDrawnWhileTheBarStepsByEachEntrysShare) {
    drawPlan({"a.jpg"}, "3", true);
    const auto drawn = EntriesOf(form->summary());
    press("Check4");
    press("Check7");
    std::filesystem::rename(dir.path() + "in/a.jpg", dir.path() + "in/b.jpg");
    dir.write("in/a.jpg", "a.jpg");
    dir.write("in/c.jpg");
    ASSERT_EQ(EntriesOf(form->summary()), drawn);
    const auto* bar = control<QProgressBar>("ProgressBar1");
    std::vector<int> seen;
    events.onYield = [&](int yield) {
        if (yield == 1)
            return;
        moveOver("Check12");
        EXPECT_EQ(form->pointerState(), kPointerBusy);
        if (seen.empty() || seen.back() != bar->value())
            seen.push_back(bar->value());
    };
    dialogs.onMessage = [&](const std::string&) {
        EXPECT_EQ(form->pointerState(), kPointerBusy);
        EXPECT_EQ(bar->value(), bar->maximum());
    };
    press("Check2");
    EXPECT_EQ(seen, (std::vector<int>{0, 3333, 6667}));
    EXPECT_EQ(NamesIn(dir.path() + "out"), (std::set<std::string>{"a.jpg", "a1.jpg", "a2.jpg"}));
    for (const PlanEntry& entry : drawn)
        EXPECT_EQ(ReadBytes(entry.target), "a.jpg") << entry.target;
    EXPECT_EQ(dialogs.messages, std::vector<std::string>{"Done."});
    EXPECT_EQ(bar->value(), 0);
    EXPECT_EQ(form->pointerState(), kPointerDefault);
}

TEST_F(Form1Start, anEmptySummaryIsReportedAndTouchesNothing) {
    moveOver("Check2");
    press("Check2");
    EXPECT_EQ(dialogs.messages, std::vector<std::string>{"No files added."});
    EXPECT_EQ(form->pointerState(), kPointerHand);  // as the hover over "Start" left it
    EXPECT_EQ(fileSystem.copies, 0);
}

// "Start" pressed again or "Clear List" of the Summary inside a yield leave
// the run as it was; a press after a run copies the plan again. Closing the
// window inside one asks at once for the end of the program, which ends it
// there (QtProgramEnd).
TEST_F(Form1Start, pressesDuringARunLeaveItWholeAndAnotherRunCopiesAgain) {
    drawPlan({"a", "b", "c"}, "3");
    const struct {
        const char* name;
        std::function<void()> during;
    } cases[] = {
        {"start", [&] { press("Check2"); }},
        {"none", [] {}},
        {"close", [&] { form->close(); EXPECT_EQ(programEnd.requests, 1); }},
        {"clear", [&] { press("Check9"); }},
    };
    for (const auto& c : cases) {
        fileSystem.copies = 0;
        dialogs.messages.clear();
        events.yields = 0;
        events.onYield = [&](int yield) {
            if (yield == 2)
                c.during();
        };
        press("Check2");
        EXPECT_EQ(fileSystem.copies, 3) << c.name;
        EXPECT_EQ(dialogs.messages, std::vector<std::string>{"Done."});
    }
    EXPECT_TRUE(form->summary().empty());
}

}  // namespace
}  // namespace tarvello::test
