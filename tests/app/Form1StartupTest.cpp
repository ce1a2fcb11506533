#include "FormFixture.h"

#include "support/ScriptedRandom.h"

#include <QScreen>

namespace tarvello::test {
namespace {

using Form1Startup = FormFixture;

// The first run shows 100 and writes it; a stored count, zero included, is
// shown as stored and not written back. The window is placed before its
// first show, when the frame the platform adds later is not known yet:
// centred up to that frame.
TEST_F(Form1Startup, showsTheStoredCountOrOneHundredCentredAndFocusedOnTheHiddenButton) {
    Form1& shown = showForm();
    EXPECT_EQ(control<QLineEdit>("Text1")->text(), QStringLiteral("100"));
    EXPECT_EQ(countOnDisk(), QStringLiteral("100"));
    EXPECT_EQ(shown.windowTitle(), QStringLiteral("Tarvello"));
    const QPoint offset = shown.geometry().center() - shown.screen()->geometry().center();
    const int frame = (shown.frameGeometry().width() - shown.width()) / 2 + 1;
    EXPECT_LE(std::abs(offset.x()), frame);
    EXPECT_LE(std::abs(offset.y()), frame);
    EXPECT_EQ(QApplication::focusWidget(), control("Command1"));
    for (const QString& stored : {QStringLiteral("250"), QStringLiteral("0")}) {
        storeCount(stored);
        makeForm();
        EXPECT_EQ(control<QLineEdit>("Text1")->text(), stored);
        EXPECT_EQ(countOnDisk(), stored);
    }
}

// What each typed text leaves in the settings file at the keystroke, and in
// the field and the file once the field is left, by Tab or by a click on a
// button (a menu or another window taking the focus does not leave it). Only
// positive readings are saved; a zero reading turns into "1".
TEST_F(Form1Startup, typedCountsAreSavedWhenPositiveAndZeroBecomesOneOnLeaving) {
    const struct {
        const char *typed, *onDiskAfterTyping, *shownAfterLeaving, *onDiskAfterLeaving;
    } cases[] = {
        {"0", "100", "1", "1"},          {"", "100", "1", "1"},          {"-5", "100", "-5", "100"},
        {"12abc", "12abc", "12abc", "12abc"}, {"&H10", "&H10", "&H10", "&H10"}, {"abc", "100", "1", "1"},
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
        for (const Qt::FocusReason notLeaving : {Qt::PopupFocusReason, Qt::ActiveWindowFocusReason}) {
            QFocusEvent away(QEvent::FocusOut, notLeaving);  // a menu or another window took the focus
            QApplication::sendEvent(text1, &away);
        }
        EXPECT_EQ(text1->text(), QLatin1String(c.typed));
        if (c.typed == std::string("abc"))
            press("Check9");
        else
            QTest::keyClick(text1, Qt::Key_Tab);
        EXPECT_EQ(text1->text(), QLatin1String(c.shownAfterLeaving));
        EXPECT_EQ(countOnDisk(), QLatin1String(c.onDiskAfterLeaving));
    }
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
