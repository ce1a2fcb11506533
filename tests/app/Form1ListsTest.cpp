#include "FormFixture.h"

#include <QAbstractItemModelTester>
#include <QTreeView>

namespace tarvello::test {
namespace {

using Entries = std::vector<std::string>;

// Every change the tests make goes past a tester that stops the test when a
// list model breaks Qt's model rules.
class Form1Lists : public ShownFormFixture {
protected:
    void SetUp() override {
        ShownFormFixture::SetUp();
        for (const char* list : {"ListView1", "ListView2", "ListView3"})
            testers.push_back(std::make_unique<QAbstractItemModelTester>(
                control<QTreeView>(list)->model(), QAbstractItemModelTester::FailureReportingMode::Fatal));
    }

    void doubleClickRow(const char* list, int row) {
        auto* view = control<QTreeView>(list);
        const QPoint cell = view->visualRect(view->model()->index(row, 0)).center();
        QTest::mouseClick(view->viewport(), Qt::LeftButton, {}, cell);
        QTest::mouseDClick(view->viewport(), Qt::LeftButton, {}, cell);
    }

    QString shownRow(const char* list, int row) const {
        const auto* model = control<QTreeView>(list)->model();
        return model->data(model->index(row, 0)).toString();
    }

    std::vector<std::unique_ptr<QAbstractItemModelTester>> testers;
};

// Each press adds once to its own list, with one final separator; the button
// springs back; a cancel adds nothing.
TEST_F(Form1Lists, addFolderAppendsOneSeparatorToItsOwnListOnly) {
    for (const char* picked : {"/srv/music", "/", "", "/srv//music/"})
        pickAndPress("Check8", picked);
    pickAndPress("Check3", "/media/stick");
    EXPECT_EQ(form->sourceList().entries(), (Entries{"/srv/music/", "/", "/srv/music/"}));
    EXPECT_EQ(form->destinationList().entries(), (Entries{"/media/stick/"}));
    EXPECT_EQ(dialogs.prompts, Entries(5, "Please select folder to add:"));
    EXPECT_EQ(shownRow("ListView1", 0), QStringLiteral("/srv/music/"));
    EXPECT_FALSE(control<QPushButton>("Check3")->isChecked());  // pressed once: an even count would hide it
}

// A double-click removes the entry under it, but not a Summary line; each
// "Clear List" empties its own list only, and the Summary outlives both.
TEST_F(Form1Lists, doubleClicksAndClearListsRemoveFromTheirOwnListOnly) {
    dir.write("in/caf\xc3\xa9 100%.jpg");
    for (const char* folder : {"/1", "/2", "/3"})
        pickAndPress("Check3", folder);
    doubleClickRow("ListView2", 1);
    EXPECT_EQ(form->destinationList().entries(), (Entries{"/1/", "/3/"}));
    press("Check7");
    pickAndPress("Check8", dir.path() + "in");
    pickAndPress("Check8", dir.path() + "in");
    doubleClickRow("ListView1", 1);
    pickAndPress("Check3", dir.path() + "out");
    EXPECT_EQ(form->sourceList().entries(), Entries{dir.path() + "in/"});
    EXPECT_EQ(shownRow("ListView3", 0), QString::fromStdString(dir.path() + "in/caf\xc3\xa9 100%.jpg will be copied to " +
                                                                dir.path() + "out/caf\xc3\xa9 100%.jpg"));
    doubleClickRow("ListView3", 0);
    press("Check4");
    EXPECT_TRUE(form->sourceList().empty());
    EXPECT_EQ(form->summary().size(), 1u);
    press("Check9");
    EXPECT_TRUE(form->summary().empty());
    EXPECT_EQ(form->destinationList().size(), 1u);
}

// "Load" reads every picked file in order and names the ones it cannot read;
// for the sources it explains nothing first, and even a cancel redraws.
TEST_F(Form1Lists, loadReadsEveryPickedFileInOrderAndACancelStillRedraws) {
    const std::string missing = dir.path() + "missing.txt", folder = dir.makeFolder("lists");
    const std::string binary = dir.write("photo.jpg", std::string("\xFF\xD8\0", 3));
    dialogs.answerFiles({dir.write("one.txt", "/a\r\n/b\r\n"), missing, folder, binary, dir.write("two.txt", "/c")});
    press("Check10");
    EXPECT_EQ(form->destinationList().entries(), (Entries{"/a", "/b", "/c"}));
    EXPECT_EQ(dialogs.messages, (Entries{"Load a list of destination folders from a text file.",
                                         missing + "\n\nwas not added because it has bad characters in the filename.",
                                         folder + "\n\nwas not added because it is not a regular file.",
                                         binary + "\n\nwas not added because it is not a text file."}));
    dir.write("in/a.jpg");
    dialogs.answerFiles({dir.write("sources.txt", dir.path() + "in\r\n")});
    press("Check1");
    EXPECT_EQ(form->summary().size(), 3u);
    press("Check9");
    dialogs.answerFiles({});
    press("Check1");
    EXPECT_EQ(form->sourceList().entries(), Entries{dir.path() + "in"});
    EXPECT_EQ(form->summary().size(), 3u);
    EXPECT_EQ(dialogs.messages.size(), 4u);
    EXPECT_EQ(dialogs.prompts, Entries(3, "Add File(s) - Hold Ctrl to select multiple files"));
}

}  // namespace
}  // namespace tarvello::test
