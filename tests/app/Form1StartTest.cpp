#include "FormFixture.h"

#include "platform/qt/QtProgramEnd.h"
#include "support/PlanEntries.h"

#include <QLineEdit>

#include <filesystem>

namespace tarvello::test {
namespace {

class Form1Start : public FormFixture {
protected:
    void SetUp() override { showForm(); }

    // A plan of `files` entries, one destination folder.
    void planFiles(int files) {
        for (int i = 0; i < files; ++i)
            dir.write("in/f" + std::to_string(i) + ".txt", "content " + std::to_string(i));
        dir.makeFolder("out");
        control<QLineEdit>("Text1")->setText(QString::number(files));
        pickAndPress("Check8", dir.path() + "in");
        pickAndPress("Check3", dir.path() + "out");
        ASSERT_EQ(form->summary().size(), static_cast<std::size_t>(files));
    }

    TempDir dir;
};

// Before each entry the bar moves on by that entry's share, unrounded, and
// the hourglass outlasts moves over the buttons; "Done." shows with the bar
// full, then the bar and pointer are reset. Every file lands.
TEST_F(Form1Start, theBarStepsByEachEntrysShareUnderTheHourglassUntilDone) {
    planFiles(3);
    std::vector<double> seen;
    events.onYield = [&](int yield) {
        if (yield == 1)
            return;
        moveOver("Check12");
        EXPECT_EQ(form->pointerState(), kPointerBusy);
        if (seen.empty() || seen.back() != form->progressPercent())
            seen.push_back(form->progressPercent());
    };
    dialogs.onMessage = [&](const std::string&) { EXPECT_EQ(form->pointerState(), kPointerBusy); };
    press("Check2");
    ASSERT_EQ(seen.size(), 3u);
    for (int i = 0; i < 3; ++i) {
        EXPECT_DOUBLE_EQ(seen[i], 100.0 * (i + 1) / 3);
        EXPECT_EQ(ReadBytes(dir.path() + "out/f" + std::to_string(i) + ".txt"), "content " + std::to_string(i));
    }
    EXPECT_EQ(dialogs.messages, std::vector<std::string>{"Done."});
    EXPECT_DOUBLE_EQ(form->progressPercent(), 0.0);
    EXPECT_EQ(form->pointerState(), kPointerDefault);
}

TEST_F(Form1Start, anEmptySummaryIsReportedAndTouchesNothing) {
    moveOver("Check2");
    ASSERT_EQ(form->pointerState(), kPointerHand);
    press("Check2");
    EXPECT_EQ(dialogs.messages, std::vector<std::string>{"No files added."});
    EXPECT_DOUBLE_EQ(form->progressPercent(), 0.0);
    EXPECT_EQ(form->pointerState(), kPointerHand);  // as the hover over "Start" left it
    EXPECT_EQ(fileSystem.copies, 0);
}

// "Start" pressed again or "Clear List" of the Summary inside a yield leave
// the run as it was; a press after a run copies the plan again.
TEST_F(Form1Start, pressesDuringARunLeaveItWholeAndAnotherRunCopiesAgain) {
    planFiles(3);
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

// The plan keeps what it was drawn from: lists cleared and the source
// folder changed on disk, it still shows and copies the three numbered
// copies of the one file.
TEST_F(Form1Start, thePlanOutlivesClearedListsAndAChangedFolder) {
    dir.write("in/a.jpg", "a");
    dir.makeFolder("out");
    control<QLineEdit>("Text1")->setText(QStringLiteral("3"));
    QTest::mouseClick(control("Check11"), Qt::LeftButton);
    pickAndPress("Check8", dir.path() + "in");
    pickAndPress("Check3", dir.path() + "out");
    const auto drawn = EntriesOf(form->summary());

    press("Check4");
    press("Check7");
    std::filesystem::rename(dir.path() + "in/a.jpg", dir.path() + "in/b.jpg");
    dir.write("in/a.jpg", "a");
    dir.write("in/c.jpg");
    EXPECT_EQ(EntriesOf(form->summary()), drawn);
    press("Check2");
    EXPECT_EQ(NamesIn(dir.path() + "out"), (std::set<std::string>{"a.jpg", "a1.jpg", "a2.jpg"}));
    for (const PlanEntry& entry : drawn)
        EXPECT_EQ(ReadBytes(entry.target), "a") << entry.target;
}

// The real end of the program, in a child process: closing the window in
// the middle of a run ends it at the next yield, so no later entry is
// copied.
// The child runs this test again from its start, so both draw the same
// plan; it finds the parent's folders through the environment.
TEST_F(Form1Start, closingTheWindowDuringARunEndsTheProgramAtTheNextYield) {
    GTEST_FLAG_SET(death_test_style, "threadsafe");
    constexpr char kShared[] = "TARVELLO_TEST_CLOSING_RUN";
    std::string root = qEnvironmentVariable(kShared).toStdString();
    if (root.empty()) {
        root = dir.path();
        qputenv(kShared, QByteArray::fromStdString(root));
        for (int i = 0; i < 3; ++i)
            dir.write("in/f" + std::to_string(i) + ".txt");
        dir.makeFolder("out");
    }
    QtProgramEnd realEnd;
    programEndService = &realEnd;
    form.reset();
    showForm();
    pickAndPress("Check8", root + "in");
    pickAndPress("Check3", root + "out");
    control<QLineEdit>("Text1")->setText(QStringLiteral("3"));
    ASSERT_EQ(form->summary().size(), 3u);
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
