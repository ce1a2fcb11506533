#include "FormFixture.h"

#include "app/SummaryDelegate.h"

#include <QHelpEvent>
#include <QToolTip>
#include <QTreeView>

#include <functional>

namespace tarvello::test {
namespace {

using Form1Plan = ShownFormFixture;

// With the count above the number of files and repeats off, a plan is every
// file of "in", so a file created on disk before each step shows as one more
// line when the step draws the plan again (with repeats, the count alone
// sets the lines).
TEST_F(Form1Plan, redrawsOnPicksPositiveCountsTheOptionAndGenerateAgainOnly) {
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
    drawPlan({"a.jpg", "b.jpg", "c.jpg"}, "20000000");
    control<QCheckBox>("Check11")->click();
    EXPECT_EQ(form->summary().size(), 3u);
    ASSERT_EQ(dialogs.messages.size(), 1u);
    EXPECT_NE(dialogs.messages[0].find("10,000,000"), std::string::npos) << dialogs.messages[0];
}

// A line wider than the Summary keeps the file name and the destination's
// last folder, each path cut from the left. The name holds the words between
// the two paths, which a split of the line would take for the boundary.
TEST_F(Form1Plan, aLongSummaryLineShowsBothEndsAndTipsTheWholeLine) {
    const std::string name = "a will be copied to b";
    control<QLineEdit>("Text1")->setText(QStringLiteral("1"));
    dir.write(std::string(80, 's') + "/" + name);
    pickAndPress("Check8", dir.path() + std::string(80, 's'));
    pickAndPress("Check3", dir.makeFolder(std::string(80, 'd') + "/Box"));
    auto* view = control<QTreeView>("ListView3");
    const QModelIndex row = view->model()->index(0, 0);
    QStyleOptionViewItem cell;
    cell.initFrom(view);
    cell.widget = view;
    cell.rect = view->visualRect(row);
    const auto* delegate = qobject_cast<SummaryDelegate*>(view->itemDelegate());
    ASSERT_NE(delegate, nullptr);
    const QString shown = delegate->shownText(cell, row);
    EXPECT_TRUE(shown.startsWith(u'…')) << shown.toStdString();
    EXPECT_TRUE(shown.contains(QString::fromStdString(name + " will be copied to …"))) << shown.toStdString();
    EXPECT_TRUE(shown.endsWith(QString::fromStdString("/Box/" + name))) << shown.toStdString();

    const QPoint inside = cell.rect.center();
    QHelpEvent help(QEvent::ToolTip, inside, view->viewport()->mapToGlobal(inside));
    QApplication::sendEvent(view->viewport(), &help);
    EXPECT_EQ(QToolTip::text().toStdString(), SummaryLine(form->summary().entry(0)));
    QToolTip::hideText();
}

}  // namespace
}  // namespace tarvello::test
