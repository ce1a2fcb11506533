#include "FormFixture.h"

#include "support/ScriptedRandom.h"

#include <QFile>
#include <QLineEdit>
#include <QScreen>

namespace tarvello::test {
namespace {

using Form1Startup = FormFixture;

TEST_F(Form1Startup, firstRunShowsOneHundredAndStoresIt) {
    makeForm();
    EXPECT_EQ(control<QLineEdit>("Text1")->text(), QStringLiteral("100"));
    EXPECT_EQ(storedCount(), QStringLiteral("100"));
    // Straight from the disk, not from the settings cache of this process:
    // a count typed just before the program is killed must be there.
    QFile file(settingsFile());
    ASSERT_TRUE(file.open(QIODevice::ReadOnly)) << settingsFile().toStdString();
    const QByteArray text = file.readAll();
    EXPECT_TRUE(text.contains("[Tarvello]\nText1=100")) << text.toStdString();
}

// A stored count is shown as stored, one that reads zero included, and
// is not written back.
TEST_F(Form1Startup, restoresTheStoredCountWithEmptyLists) {
    for (const QString& stored : {QStringLiteral("250"), QStringLiteral("0")}) {
        storeCount(stored);
        Form1& shown = makeForm();
        EXPECT_EQ(control<QLineEdit>("Text1")->text(), stored);
        EXPECT_EQ(storedCount(), stored);
        EXPECT_TRUE(shown.sourceList().empty() && shown.destinationList().empty() && shown.summary().empty());
    }
}

TEST_F(Form1Startup, titledCentredWithTheFocusOnTheHiddenButton) {
    Form1& shown = showForm();
    EXPECT_EQ(shown.windowTitle(), QStringLiteral("Tarvello"));
    const QRect screen = shown.screen()->geometry();
    // Placed before the first show, when the frame the platform adds later
    // is not known yet: centred up to that frame.
    const QPoint offset = shown.geometry().center() - screen.center();
    const int frame = (shown.frameGeometry().width() - shown.width()) / 2 + 1;
    EXPECT_LE(std::abs(offset.x()), frame);
    EXPECT_LE(std::abs(offset.y()), frame);
    EXPECT_EQ(QApplication::focusWidget(), control("Command1"));
}

TEST_F(Form1Startup, seedsOnceAndOpensTheSiteOnTheSeventhOfAHundred) {
    ScriptedRandom scripted{0.065};
    randomSource = &scripted;
    makeForm("https://tarvello.invalid/");
    EXPECT_EQ(scripted.seedCount, 1);
    EXPECT_DOUBLE_EQ(scripted.lastSeed, 1234.5);
    EXPECT_EQ(scripted.taken, 1);
    EXPECT_EQ(launcher.opened, std::vector<std::string>{"https://tarvello.invalid/"});
}

TEST_F(Form1Startup, closingTheWindowEndsTheProgram) {
    Form1& shown = showForm();
    EXPECT_EQ(programEnd.requests, 0);
    shown.close();
    EXPECT_EQ(programEnd.requests, 1);
}

}  // namespace
}  // namespace tarvello::test
