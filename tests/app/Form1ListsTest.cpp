#include "FormFixture.h"

#include <QAbstractItemModelTester>
#include <QTreeView>

namespace tarvello::test {
namespace {

class Form1Lists : public FormFixture {
protected:
    // Every change the tests make goes past a tester that checks the list
    // models keep Qt's model rules, and stops the test when they do not.
    void SetUp() override {
        showForm();
        for (const char* list : {"ListView1", "ListView2", "ListView3"})
            testers.push_back(std::make_unique<QAbstractItemModelTester>(
                control<QTreeView>(list)->model(), QAbstractItemModelTester::FailureReportingMode::Fatal));
    }

    void doubleClickRow(const char* list, int row) {
        auto* view = control<QTreeView>(list);
        const QRect cell = view->visualRect(view->model()->index(row, 0));
        ASSERT_TRUE(cell.isValid()) << "row " << row << " of " << list;
        QTest::mouseClick(view->viewport(), Qt::LeftButton, {}, cell.center());
        QTest::mouseDClick(view->viewport(), Qt::LeftButton, {}, cell.center());
    }

    QString shownRow(const char* list, int row) const {
        const auto* model = control<QTreeView>(list)->model();
        return model->data(model->index(row, 0)).toString();
    }

    std::vector<std::unique_ptr<QAbstractItemModelTester>> testers;
};

// Each press adds once, the button springs back, a cancel adds nothing.
TEST_F(Form1Lists, addFolderAppendsOneSeparatorToItsOwnListOnly) {
    for (const char* picked : {"/srv/music", "/", "", "/srv//music/"})
        pickAndPress("Check8", picked);
    pickAndPress("Check3", "/media/stick");
    EXPECT_EQ(form->sourceList().entries(), (std::vector<std::string>{"/srv/music/", "/", "/srv/music/"}));
    EXPECT_EQ(form->destinationList().entries(), (std::vector<std::string>{"/media/stick/"}));
    EXPECT_EQ(dialogs.prompts, std::vector<std::string>(5, "Please select folder to add:"));
    EXPECT_EQ(shownRow("ListView1", 0), QStringLiteral("/srv/music/"));
    EXPECT_FALSE(control<QPushButton>("Check8")->isChecked());
    EXPECT_EQ(form->pointerState(), kPointerDefault);
}

TEST_F(Form1Lists, doubleClickRemovesTheEntryUnderIt) {
    for (const char* folder : {"/1", "/2", "/3", "/4", "/5"})
        pickAndPress("Check3", folder);
    doubleClickRow("ListView2", 2);
    EXPECT_EQ(form->destinationList().entries(), (std::vector<std::string>{"/1/", "/2/", "/4/", "/5/"}));

    pickAndPress("Check8", "/same");
    pickAndPress("Check8", "/same");
    doubleClickRow("ListView1", 1);
    EXPECT_EQ(form->sourceList().entries(), (std::vector<std::string>{"/same/"}));
}

TEST_F(Form1Lists, clearListEmptiesOnlyItsOwnList) {
    const TempDir dir;
    dir.write("in/a.jpg");
    pickAndPress("Check8", dir.path() + "in");
    pickAndPress("Check3", dir.path() + "out");
    ASSERT_EQ(form->summary().size(), 1u);

    press("Check4");
    EXPECT_TRUE(form->sourceList().empty());
    EXPECT_EQ(form->destinationList().size(), 1u);
    EXPECT_EQ(form->summary().size(), 1u);

    press("Check7");
    EXPECT_TRUE(form->destinationList().empty());
    EXPECT_EQ(form->summary().size(), 1u);

    press("Check9");
    EXPECT_TRUE(form->summary().empty());
}

TEST_F(Form1Lists, summaryRowsShowTheLineAndIgnoreDoubleClicks) {
    const TempDir dir;
    dir.write("in/caf\xc3\xa9 100%.jpg");
    pickAndPress("Check8", dir.path() + "in");
    pickAndPress("Check3", dir.path() + "out");
    EXPECT_EQ(shownRow("ListView3", 0),
              QString::fromStdString(dir.path() + "in/caf\xc3\xa9 100%.jpg will be copied to " +
                                     dir.path() + "out/caf\xc3\xa9 100%.jpg"));
    doubleClickRow("ListView3", 0);
    EXPECT_EQ(form->summary().size(), 1u);
}

}  // namespace
}  // namespace tarvello::test
