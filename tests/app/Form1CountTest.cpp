#include "FormFixture.h"

#include <QApplication>
#include <QLineEdit>

namespace tarvello::test {
namespace {

class Form1Count : public FormFixture {
protected:
    void SetUp() override {
        showForm();
        text1 = control<QLineEdit>("Text1");
        text1->setFocus();
        text1->selectAll();
        QTest::keyClick(text1, Qt::Key_Delete);
    }

    void type(const char* keys) { QTest::keyClicks(text1, QLatin1String(keys)); }
    void leaveField() { QTest::keyClick(text1, Qt::Key_Tab); }

    QLineEdit* text1 = nullptr;
};

TEST_F(Form1Count, typingZeroSavesNothingAndLeavingTurnsItIntoOne) {
    type("0");
    EXPECT_EQ(storedCount(), QStringLiteral("100"));
    leaveField();
    EXPECT_EQ(text1->text(), QStringLiteral("1"));
    EXPECT_EQ(storedCount(), QStringLiteral("1"));
    EXPECT_NE(QApplication::focusWidget(), text1);
}

TEST_F(Form1Count, anEmptyFieldBecomesOneWhenLeft) {
    leaveField();
    EXPECT_EQ(text1->text(), QStringLiteral("1"));
}

TEST_F(Form1Count, aNegativeCountIsNeitherSavedNorReplaced) {
    type("-5");
    leaveField();
    EXPECT_EQ(text1->text(), QStringLiteral("-5"));
    EXPECT_EQ(storedCount(), QStringLiteral("100"));
}

TEST_F(Form1Count, positiveTextsAreSavedAsTypedAtEveryKeystroke) {
    type("1");
    EXPECT_EQ(storedCount(), QStringLiteral("1"));
    type("2abc");
    EXPECT_EQ(storedCount(), QStringLiteral("12abc"));

    text1->clear();
    type("&H10");
    EXPECT_EQ(storedCount(), QStringLiteral("&H10"));
}

TEST_F(Form1Count, aClickOnAButtonValidatesTheFieldFirst) {
    type("abc");
    press("Check9");
    EXPECT_EQ(text1->text(), QStringLiteral("1"));
}

}  // namespace
}  // namespace tarvello::test
