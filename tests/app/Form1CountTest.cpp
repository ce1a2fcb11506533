#include "FormFixture.h"

#include <QApplication>
#include <QFile>
#include <QLineEdit>

namespace tarvello::test {
namespace {

class Form1Count : public FormFixture {
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

// What each typed text leaves in the field once the field is left, and in
// the settings file at the keystroke; the stored count starts at 100. Texts
// that read as zero turn into "1" on leaving, negative ones stay as typed,
// and only positive readings are saved, at the keystroke.
TEST_F(Form1Count, typedTextsAreSavedWhenPositiveAndZeroBecomesOneOnLeaving) {
    struct Case {
        const char* typed;
        const char* onDiskAfterTyping;
        const char* shownAfterLeaving;
        const char* storedAfterLeaving;
    };
    const Case cases[] = {
        {"0", "100", "1", "1"},          {"", "100", "1", "1"},          {"-5", "100", "-5", "100"},
        {"12abc", "12abc", "12abc", "12abc"}, {"&H10", "&H10", "&H10", "&H10"},
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
        EXPECT_EQ(countOnDisk(), QLatin1String(c.onDiskAfterTyping));
        QTest::keyClick(text1, Qt::Key_Tab);
        EXPECT_EQ(text1->text(), QLatin1String(c.shownAfterLeaving));
        EXPECT_EQ(storedCount(), QLatin1String(c.storedAfterLeaving));
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
