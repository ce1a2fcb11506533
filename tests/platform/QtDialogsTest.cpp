#include "platform/qt/QtDialogs.h"

#include <QApplication>
#include <QMessageBox>
#include <QTimer>

#include <gtest/gtest.h>

namespace tarvello {
namespace {

// The box is read and closed from inside its own event loop.
TEST(QtDialogs, aMessageShowsItsTextUnderTheProgramsName) {
    QString title, text;
    QTimer::singleShot(0, [&] {
        auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
        ASSERT_NE(box, nullptr);
        title = box->windowTitle();
        text = box->text();
        box->accept();
    });
    QtDialogs().showMessage("Done.\n\ncaf\xc3\xa9 -> /out: gone");
    EXPECT_EQ(title, QStringLiteral("Tarvello"));
    EXPECT_EQ(text, QStringLiteral("Done.\n\ncaf\u00e9 -> /out: gone"));
}

}  // namespace
}  // namespace tarvello
