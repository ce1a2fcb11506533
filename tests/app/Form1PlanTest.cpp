#include "FormFixture.h"

#include <functional>

namespace tarvello::test {
namespace {

using Form1Plan = FormFixture;

// With the count above the number of files and repeats off, a plan is every
// file of "in", so a file created on disk before each step shows as one more
// line when the step draws the plan again (with repeats, the count alone
// sets the lines).
TEST_F(Form1Plan, redrawsOnPicksPositiveCountsTheOptionAndGenerateAgainOnly) {
    showForm();
    drawPlan({"a.jpg", "b.jpg", "c.jpg"}, "10");
    auto count = [&](const char* text) { return [=, this] { control<QLineEdit>("Text1")->setText(QLatin1String(text)); }; };
    auto option = [&] { control<QCheckBox>("Check11")->click(); };
    auto again = [&] { press("Check12"); };
    const std::pair<std::size_t, std::function<void()>> steps[] = {
        {4, [&] { pickAndPress("Check8", ""); }},  // a cancelled pick still redraws
        {5, [&] { pickAndPress("Check3", ""); }},
        {2, count("2")}, {2, count("0")}, {2, count("abc")}, {9, count("12abc")},
        {12, option}, {11, option}, {12, again},
        {12, count("0")}, {12, option},  // with repeats and a count of zero a redraw would empty it
        {12, again}, {50, count("50")},
        {50, [&] { press("Check4"); }},  // the Summary outlives its source list,
        {50, count("7")},                  // and a count typed with no sources keeps it;
        {7, [&] { pickAndPress("Check8", dir.path() + "in"); }},
        {7, [&] { press("Check7"); }}, {7, count("6")},  // so with no destinations
    };
    int added = 0;
    for (const auto& [lines, step] : steps) {
        dir.write("in/new" + std::to_string(++added) + ".jpg");
        step();
        EXPECT_EQ(form->summary().size(), lines) << "at step " << added;
    }
}

TEST_F(Form1Plan, aPlanPastTheBoundIsRefusedWithOneMessage) {
    showForm();
    drawPlan({"a.jpg", "b.jpg", "c.jpg"}, "20000000");
    control<QCheckBox>("Check11")->click();
    EXPECT_EQ(form->summary().size(), 3u);
    ASSERT_EQ(dialogs.messages.size(), 1u);
    EXPECT_NE(dialogs.messages[0].find("10,000,000"), std::string::npos) << dialogs.messages[0];
}

}  // namespace
}  // namespace tarvello::test
