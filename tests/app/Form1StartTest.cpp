#include "FormFixture.h"

#include "platform/qt/QtProgramEnd.h"
#include "support/PlanEntries.h"

#include <QProgressBar>

#include <filesystem>

namespace tarvello::test {
namespace {

class Form1Start : public FormFixture {
protected:
    void SetUp() override { showForm(); }
};

// The plan keeps what it was drawn from: with the lists cleared and the
// folder changed on disk it copies the three numbered copies of the one file.
// Before each entry the bar moves on by that entry's share, to a hundredth of
// a percent, under an hourglass that outlasts moves over the buttons; "Done."
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
    EXPECT_EQ(seen, (std::vector<int>{3333, 6667, 10000}));
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
// the run as it was; a press after a run copies the plan again.
TEST_F(Form1Start, pressesDuringARunLeaveItWholeAndAnotherRunCopiesAgain) {
    drawPlan({"a", "b", "c"}, "3");
    for (const char* button : {"Check2", static_cast<const char*>(nullptr), "Check9"}) {
        fileSystem.copies = 0;
        dialogs.messages.clear();
        events.yields = 0;
        events.onYield = [&](int yield) {
            if (button && yield == 2)
                press(button);
        };
        press("Check2");
        EXPECT_EQ(fileSystem.copies, 3) << (button ? button : "none");
        EXPECT_EQ(dialogs.messages, std::vector<std::string>{"Done."});
    }
    EXPECT_TRUE(form->summary().empty());
}

// The real end of the program, in a child process that runs this test again
// from its start and finds the parent's folders through the environment:
// closing the window in the middle of a run ends it at the next yield.
TEST_F(Form1Start, closingTheWindowDuringARunEndsTheProgramAtTheNextYield) {
    GTEST_FLAG_SET(death_test_style, "threadsafe");
    constexpr char kShared[] = "TARVELLO_TEST_CLOSING_RUN";
    std::string root = qEnvironmentVariable(kShared).toStdString();
    if (root.empty()) {
        root = dir.path();
        qputenv(kShared, QByteArray::fromStdString(root));
        for (const char* file : {"in/a", "in/b", "in/c"})
            dir.write(file);
        dir.makeFolder("out");
    }
    QtProgramEnd realEnd;
    programEndService = &realEnd;
    form.reset();
    showForm();
    control<QLineEdit>("Text1")->setText(QStringLiteral("3"));
    pickAndPress("Check8", root + "in");
    pickAndPress("Check3", root + "out");
    events.onYield = [&](int yield) {
        if (yield == 3)  // before the second entry
            form->close();
    };
    EXPECT_EXIT(press("Check2"), testing::ExitedWithCode(0), "");
    qunsetenv(kShared);
    const std::string& first = form->summary().entry(0).target;
    EXPECT_EQ(NamesIn(root + "out"), std::set<std::string>{first.substr(first.rfind('/') + 1)});
}

}  // namespace
}  // namespace tarvello::test
