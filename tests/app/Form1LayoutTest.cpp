#include "FormFixture.h"

#include <QApplication>
#include <QCheckBox>
#include <QHeaderView>
#include <QLabel>
#include <QProgressBar>
#include <QTreeView>

namespace tarvello::test {
namespace {

struct Placement {
    const char* name;
    int left, top, width, height;  // twips
    const char* caption;
    double points;  // 0: not a text control
};

int Px(int twips) { return static_cast<int>(std::lround(twips / 15.0)); }

const Placement kPlacements[] = {
    {"ListView1", 120, 120, 7455, 1455, nullptr, 9},
    {"Check8", 120, 1680, 1695, 400, "Add Folder(s)", 11.25},
    {"Check6", 1920, 1680, 3135, 400, "Add All Subfolders In Folder", 11.25},
    {"Check1", 5160, 1680, 855, 400, "Load", 11.25},
    {"Check4", 6120, 1680, 1455, 400, "Clear List", 11.25},
    {"ListView2", 120, 2160, 7455, 1455, nullptr, 9},
    {"Check3", 120, 3720, 1695, 400, "Add Folder(s)", 11.25},
    {"Check5", 1920, 3720, 3135, 400, "Add All Subfolders In Folder", 11.25},
    {"Check10", 5160, 3720, 855, 400, "Load", 11.25},
    {"Check7", 6120, 3720, 1455, 400, "Clear List", 11.25},
    {"Label1", 240, 4320, 4455, 255, "Number of files to copy from Source to Destination:", 9},
    {"Text1", 4680, 4270, 975, 330, nullptr, 9},
    {"Check11", 240, 4680, 4095, 255, "Allow same file to be copied more than once", 9},
    {"ListView3", 120, 5040, 7455, 2655, nullptr, 9},
    {"Check12", 120, 7800, 3495, 400, "Randomly Generate Again", 11.25},
    {"Check2", 3720, 7800, 2295, 400, "Start", 11.25},
    {"Check9", 6120, 7800, 1455, 400, "Clear List", 11.25},
    {"ProgressBar1", 120, 8330, 7455, 375, nullptr, 0},
    {"Command1", -720, 2640, 615, 495, "Command1", 0},
};

QString Caption(const QWidget* widget) {
    if (const auto* button = qobject_cast<const QAbstractButton*>(widget))
        return button->text();
    if (const auto* label = qobject_cast<const QLabel*>(widget))
        return label->text();
    return {};
}

using Form1Layout = FormFixture;

TEST_F(Form1Layout, everyControlAtItsPlaceWithItsCaptionAndFont) {
    makeForm();
    for (const Placement& p : kPlacements) {
        SCOPED_TRACE(p.name);
        const QWidget* widget = control(p.name);
        ASSERT_NE(widget, nullptr);
        EXPECT_EQ(widget->geometry(), QRect(Px(p.left), Px(p.top), Px(p.width), Px(p.height)));
        if (p.caption) {
            EXPECT_EQ(Caption(widget), QLatin1String(p.caption));
        }
        if (p.points > 0) {
            EXPECT_EQ(widget->font().family(), QStringLiteral("Arial"));
            EXPECT_DOUBLE_EQ(widget->font().pointSizeF(), p.points);
            EXPECT_EQ(widget->font().weight(), QFont::Bold);
        }
    }
}

TEST_F(Form1Layout, fixedClientAreaWithoutMaximise) {
    Form1& shown = makeForm();
    EXPECT_EQ(shown.size(), QSize(513, 587));
    EXPECT_EQ(shown.minimumSize(), shown.maximumSize());
    EXPECT_FALSE(shown.windowFlags() & Qt::WindowMaximizeButtonHint);
    EXPECT_TRUE(shown.windowFlags() & Qt::WindowMinimizeButtonHint);
}

TEST_F(Form1Layout, buttonsAreUpAndTheOptionStartsUnchecked) {
    makeForm();
    for (const char* name : {"Check1", "Check2", "Check3", "Check4", "Check5", "Check6", "Check7",
                             "Check8", "Check9", "Check10", "Check12"}) {
        EXPECT_TRUE(control<QPushButton>(name)->isCheckable()) << name;
        EXPECT_FALSE(control<QPushButton>(name)->isChecked()) << name;
    }
    EXPECT_FALSE(control<QCheckBox>("Check11")->isChecked());
    EXPECT_EQ(control<QProgressBar>("ProgressBar1")->value(), 0);
}

TEST_F(Form1Layout, eachListHasOneTitledColumnThatScrollsSideways) {
    makeForm();
    const std::pair<const char*, const char*> titles[] = {
        {"ListView1", " Source Folder(s)"},
        {"ListView2", " Destination Folder(s):"},
        {"ListView3", " Summary:"},
    };
    for (const auto& [name, title] : titles) {
        SCOPED_TRACE(name);
        const auto* view = control<QTreeView>(name);
        EXPECT_EQ(view->model()->columnCount(), 1);
        EXPECT_EQ(view->model()->headerData(0, Qt::Horizontal).toString(), QLatin1String(title));
        EXPECT_EQ(view->header()->sectionSize(0), Px(6800));
        EXPECT_FALSE(view->header()->stretchLastSection());
        EXPECT_FALSE(view->rootIsDecorated());
        EXPECT_TRUE(view->uniformRowHeights());
        EXPECT_EQ(view->toolTip(), QStringLiteral("Double-click item to remove it. Move bar to right "
                                                  "and out of window to reveal full names."));
    }
}

TEST_F(Form1Layout, tabFollowsTheTabIndices) {
    showForm();
    const char* order[] = {"Check2",  "Check3", "Check5",    "ListView2", "ListView3", "Check7",
                           "Check9",  "Check10", "Check1",   "Check4",    "Check6",    "Check8",
                           "ListView1", "Text1", "Check11",  "Check12",   "Command1"};
    for (const char* name : order) {
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
        ASSERT_EQ(QApplication::focusWidget(), control(name)) << "after Tab, expected " << name;
    }
}

}  // namespace
}  // namespace tarvello::test
