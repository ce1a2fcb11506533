#include "FormFixture.h"

#include "support/ScriptedRandom.h"

#include <QFile>
#include <QLineEdit>
#include <QScreen>

namespace tarvello::test {
namespace {

class Form1Startup : public FormFixture {
protected:
    // The count as it stands in the file on disk this moment, read without
    // QSettings, whose cache would hide a count that was never written.
    QString countOnDisk() const {
        QFile file(settingsFile());
        if (!file.open(QIODevice::ReadOnly))
            return {};
        for (const QByteArray& line : file.readAll().split('\n'))
            if (line.startsWith("Text1="))
                return QString::fromUtf8(line.mid(6));
        return {};
    }
};

// The first run shows 100 and writes it; a stored count, one that reads
// zero included, is shown as stored and not written back.
TEST_F(Form1Startup, showsTheStoredCountOrOneHundredWithEmptyLists) {
    makeForm();
    EXPECT_EQ(control<QLineEdit>("Text1")->text(), QStringLiteral("100"));
    EXPECT_EQ(countOnDisk(), QStringLiteral("100"));
    for (const QString& stored : {QStringLiteral("250"), QStringLiteral("0")}) {
        storeCount(stored);
        Form1& shown = makeForm();
        EXPECT_EQ(control<QLineEdit>("Text1")->text(), stored);
        EXPECT_EQ(storedCount(), stored);
        EXPECT_TRUE(shown.sourceList().empty() && shown.destinationList().empty() && shown.summary().empty());
    }
}

// What each typed text leaves in the settings file at the keystroke, and in
// the field once it is left; the stored count starts at 100. Only positive
// readings are saved; texts that read as zero turn into "1" on leaving.
TEST_F(Form1Startup, typedCountsAreSavedWhenPositiveAndZeroBecomesOneOnLeaving) {
    const struct {
        const char *typed, *onDiskAfterTyping, *shownAfterLeaving, *storedAfterLeaving;
    } cases[] = {
        {"0", "100", "1", "1"},          {"", "100", "1", "1"},          {"-5", "100", "-5", "100"},
        {"12abc", "12abc", "12abc", "12abc"}, {"&H10", "&H10", "&H10", "&H10"},
    };
    showForm();
    auto* text1 = control<QLineEdit>("Text1");
    for (const auto& c : cases) {
        SCOPED_TRACE(c.typed);
        storeCount(QStringLiteral("100"));
        text1->setFocus();
        text1->selectAll();
        QTest::keyClick(text1, Qt::Key_Delete);
        QTest::keyClicks(text1, QLatin1String(c.typed));
        EXPECT_EQ(countOnDisk(), QLatin1String(c.onDiskAfterTyping));
        QTest::keyClick(text1, Qt::Key_Tab);
        EXPECT_EQ(text1->text(), QLatin1String(c.shownAfterLeaving));
        EXPECT_EQ(storedCount(), QLatin1String(c.storedAfterLeaving));
    }
    // A click on a button leaves the field too.
    text1->setFocus();
    text1->selectAll();
    QTest::keyClicks(text1, QStringLiteral("abc"));
    press("Check9");
    EXPECT_EQ(text1->text(), QStringLiteral("1"));
}

// Placed before the first show, when the frame the platform adds later is
// not known yet: centred up to that frame.
TEST_F(Form1Startup, titledCentredWithTheFocusOnTheHiddenButton) {
    Form1& shown = showForm();
    EXPECT_EQ(shown.windowTitle(), QStringLiteral("Tarvello"));
    const QPoint offset = shown.geometry().center() - shown.screen()->geometry().center();
    const int frame = (shown.frameGeometry().width() - shown.width()) / 2 + 1;
    EXPECT_LE(std::abs(offset.x()), frame);
    EXPECT_LE(std::abs(offset.y()), frame);
    EXPECT_EQ(QApplication::focusWidget(), control("Command1"));
    shown.close();
    EXPECT_EQ(programEnd.requests, 1);
}

TEST_F(Form1Startup, seedsOnceFromTheClockAndMayOpenTheSite) {
    ScriptedRandom scripted{0.065};
    randomSource = &scripted;
    makeForm("https://tarvello.invalid/");
    EXPECT_EQ(scripted.seedCount, 1);
    EXPECT_DOUBLE_EQ(scripted.lastSeed, 1234.5);
    EXPECT_EQ(launcher.opened, std::vector<std::string>{"https://tarvello.invalid/"});
}

}  // namespace
}  // namespace tarvello::test
