#include "FormFixture.h"

#include "support/PlanEntries.h"

#include <QCheckBox>
#include <QLineEdit>

#include <algorithm>

namespace tarvello::test {
namespace {

// Source folder "in" with three files, destination "out". With the count
// above the number of files and repeats off, a plan is every file in listing
// order, so a file created on disk shows whether the plan was drawn again.
class Form1Plan : public FormFixture {
protected:
    void SetUp() override {
        dir.write("in/a.jpg");
        dir.write("in/b.jpg");
        dir.write("in/c.jpg");
        showForm();
        setCount("10");
        pickAndPress("Check8", dir.path() + "in");
        pickAndPress("Check3", dir.path() + "out");
        ASSERT_EQ(form->summary().size(), 3u);
    }

    void setCount(const char* text) { control<QLineEdit>("Text1")->setText(QLatin1String(text)); }
    void addFileOnDisk() { dir.write("in/new" + std::to_string(++added) + ".jpg"); }
    std::size_t planSize() const { return form->summary().size(); }

    TempDir dir;
    int added = 0;
};

TEST_F(Form1Plan, addFolderRedrawsEvenWhenCancelled) {
    addFileOnDisk();
    pickAndPress("Check8", "");
    EXPECT_EQ(planSize(), 4u);
    addFileOnDisk();
    pickAndPress("Check3", "");
    EXPECT_EQ(planSize(), 5u);
}

TEST_F(Form1Plan, countEditsRedrawOnlyWhenTheyReadPositive) {
    setCount("2");
    EXPECT_EQ(planSize(), 2u);
    setCount("0");
    EXPECT_EQ(planSize(), 2u);
    setCount("abc");
    EXPECT_EQ(planSize(), 2u);
    setCount("12abc");
    EXPECT_EQ(planSize(), 3u);
}

TEST_F(Form1Plan, optionAndGenerateAgainRedrawWithAPositiveCount) {
    addFileOnDisk();
    control<QCheckBox>("Check11")->click();
    EXPECT_EQ(planSize(), 10u);  // with repeats the count alone sets the draws
    control<QCheckBox>("Check11")->click();
    EXPECT_EQ(planSize(), 4u);
    addFileOnDisk();
    press("Check12");
    EXPECT_EQ(planSize(), 5u);
}

TEST_F(Form1Plan, aCountOfZeroLeavesTheSummaryToOptionAndGenerateAgain) {
    control<QLineEdit>("Text1")->setText(QStringLiteral("0"));
    addFileOnDisk();
    control<QCheckBox>("Check11")->click();
    press("Check12");
    EXPECT_EQ(planSize(), 3u);
}

TEST_F(Form1Plan, removingAndClearingNeverRedraw) {
    addFileOnDisk();
    pickAndPress("Check3", dir.path() + "out2");  // redraws: 4 picks x 2 folders
    ASSERT_EQ(planSize(), 8u);
    addFileOnDisk();
    press("Check4");
    EXPECT_EQ(planSize(), 8u);
    press("Check12");  // the source list is empty now: nothing to draw
    EXPECT_EQ(planSize(), 8u);
}

TEST_F(Form1Plan, generateAgainWithEveryFileAskedForGivesTheSamePlan) {
    const auto before = EntriesOf(form->summary());
    press("Check12");
    EXPECT_EQ(EntriesOf(form->summary()), before);
}

TEST_F(Form1Plan, repeatsGetNumberedNamesAndGoWhenTheOptionIsOff) {
    setCount("7");
    control<QCheckBox>("Check11")->click();
    const auto repeated = EntriesOf(form->summary());
    ASSERT_EQ(repeated.size(), 7u);
    const bool numbered = std::any_of(repeated.begin(), repeated.end(), [](const PlanEntry& entry) {
        return entry.target.find("1.jpg") != std::string::npos;
    });
    EXPECT_TRUE(numbered);
    control<QCheckBox>("Check11")->click();
    for (const PlanEntry& entry : EntriesOf(form->summary()))
        EXPECT_EQ(entry.target.substr(entry.target.rfind('/')), entry.source.substr(entry.source.rfind('/')));
}

TEST_F(Form1Plan, aPlanPastTheBoundIsRefusedWithOneMessage) {
    setCount("20000000");
    control<QCheckBox>("Check11")->click();
    EXPECT_EQ(planSize(), 3u);
    ASSERT_EQ(dialogs.messages.size(), 1u);
    EXPECT_NE(dialogs.messages[0].find("10,000,000"), std::string::npos) << dialogs.messages[0];
}

}  // namespace
}  // namespace tarvello::test
