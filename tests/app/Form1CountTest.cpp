#include "FormFixture.h"

#include <QApplication>
#include <QLineEdit>

namespace tarvello::test {
namespace {

using Form1Count = FormFixture;

// What each typed text leaves in the field once the field is left, and in
// the settings file; the stored count starts at its default of 100. Texts
// that read as zero turn into "1" on leaving, negative ones stay as typed,
// and only positive readings are saved, at the keystroke.
TEST_F(Form1Count, typedTextsAreSavedWhenPositiveAndZeroBecomesOneOnLeaving) {
    struct Case {
        const char* typed;
        const char* shownAfterLeaving;
        const char* stored;
    };
    const Case cases[] = {
        {"0", "1", "1"},     {"", "1", "1"},           {"-5", "-5", "100"},
        {"12abc", "12abc", "12abc"}, {"&H10", "&H10", "&H10"},
    };
    showForm();
    auto* text1 = control<QLineEdit>("Text1");
    for (const Case& c : cases) {
        SCOPED_TRACE(c.typed);
        storeCount(QStringLiteral("100"));
        text1->setFocus();
        text1->selectAll();
        QTest::keyClick(text1, Qt::Key_Delete);
        QTest::keyClicks(text1, QLatin1String(c.typed));
        QTest::keyClick(text1, Qt::Key_Tab);
        EXPECT_EQ(text1->text(), QLatin1String(c.shownAfterLeaving));
        EXPECT_EQ(storedCount(), QLatin1String(c.stored));
        EXPECT_NE(QApplication::focusWidget(), text1);
    }
}

TEST_F(Form1Count, aClickOnAButtonValidatesTheFieldFirst) {
    showForm();
    auto* text1 = control<QLineEdit>("Text1");
    text1->setFocus();
    text1->selectAll();
    QTest::keyClicks(text1, QStringLiteral("abc"));
    press("Check9");
    EXPECT_EQ(text1->text(), QStringLiteral("1"));
}

}  // namespace
}  // namespace tarvello::test
