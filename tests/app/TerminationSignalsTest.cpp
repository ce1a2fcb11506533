#include "platform/qt/QtTerminationSignals.h"

#include <QCoreApplication>

#include <gtest/gtest.h>

#include <csignal>

namespace tarvello {
namespace {

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
