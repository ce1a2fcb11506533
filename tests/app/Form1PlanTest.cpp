#include "FormFixture.h"

#include <QCheckBox>
#include <QLineEdit>

#include <functional>

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

// Which actions draw the plan again: before each step a file is added on
// disk, so a redraw shows as one more line (or as the count with repeats).
TEST_F(Form1Plan, redrawsOnPicksPositiveCountsTheOptionAndGenerateAgainOnly) {
    auto option = [&] { control<QCheckBox>("Check11")->click(); };
    const std::pair<const char*, std::function<void()>> steps[] = {
        {"4", [&] { pickAndPress("Check8", ""); }},  // a cancelled pick still redraws
        {"5", [&] { pickAndPress("Check3", ""); }},
        {"2", [&] { setCount("2"); }},
        {"2", [&] { setCount("0"); }},
        {"2", [&] { setCount("abc"); }},
        {"9", [&] { setCount("12abc"); }},
        {"12", option},  // with repeats the count alone sets the draws
        {"11", option},
        {"12", [&] { press("Check12"); }},
        {"12", [&] { control<QLineEdit>("Text1")->setText(QStringLiteral("0")); }},
        {"12", option},  // with repeats and a count of zero a redraw would empty it
        {"12", [&] { press("Check12"); }},
        {"50", [&] { setCount("50"); }},
        {"50", [&] { press("Check4"); }},  // the Summary outlives its source list
    };
    for (const auto& [lines, step] : steps) {
        addFileOnDisk();
        step();
        EXPECT_EQ(planSize(), std::stoul(lines)) << "after the step to " << lines << " lines";
    }
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
