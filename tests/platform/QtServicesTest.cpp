#include "platform/qt/ExactPath.h"
#include "platform/qt/QtDialogs.h"
#include "platform/qt/QtEventLoop.h"
#include "platform/qt/QtTerminationSignals.h"
#include "support/TempDir.h"

#include <QApplication>
#include <QCoreApplication>
#include <QFile>
#include <QMessageBox>
#include <QTimer>

#include <gtest/gtest.h>

#include <csignal>

namespace tarvello {
namespace {

// What the window keeps alive by during a copy: a press, a repaint, a close.
TEST(QtEventLoop, aYieldHandlesTheEventsWaiting) {
    bool handled = false;
    QTimer::singleShot(0, [&] { handled = true; });
    QtEventLoop().yield();
    EXPECT_TRUE(handled);
}

QString AsQtShowsIt(const std::string& path) { return QFile::decodeName(path.c_str()); }

TEST(ExactPath, findsTheBytesOfNamesQtCannotDecode) {
    const test::TempDir dir;
    const std::string exact = dir.makeFolder("caf\xff/inner\xfe/plain");
    EXPECT_EQ(ExactPath(AsQtShowsIt(exact)), exact);
    EXPECT_EQ(ExactPath(AsQtShowsIt(exact + "/missing\xff")), exact + "/missing\xef\xbf\xbd");

    // Two names that decode alike: neither is taken.
    dir.makeFolder("a\xfe");
    dir.makeFolder("a\xff");
    EXPECT_EQ(ExactPath(AsQtShowsIt(dir.path() + "a\xff")), dir.path() + "a\xef\xbf\xbd");
    EXPECT_EQ(ExactPath(QString()), "");
}

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

// Logout, shutdown and Ctrl+C reach the program as a call from its event
// loop instead of killing it; a file-size limit no longer kills it at all.
TEST(QtTerminationSignals, eachSignalComesThroughTheEventLoop_andSigxfszIsIgnored) {
    int calls = 0;
    const QtTerminationSignals signals_([&] { ++calls; });
    for (const int signal : {SIGTERM, SIGINT, SIGHUP}) {
        SCOPED_TRACE(signal);
        const int before = calls;
        raise(signal);
        EXPECT_EQ(calls, before) << "called from the signal handler";
        QCoreApplication::processEvents();
        EXPECT_EQ(calls, before + 1);
    }
    struct sigaction current {};
    sigaction(SIGXFSZ, nullptr, &current);
    EXPECT_EQ(current.sa_handler, SIG_IGN);
}

}  // namespace
}  // namespace tarvello
