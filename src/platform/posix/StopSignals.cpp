#include "platform/posix/StopSignals.h"

#include "platform/posix/TempFile.h"

#include <csignal>
#include <cstdio>
#include <unistd.h>

namespace tarvello {
namespace {

constexpr int kStopSignals[] = {SIGINT, SIGTERM, SIGHUP};
volatile std::sig_atomic_t caughtSignal = 0;

void Catch(int signal) { caughtSignal = signal; }

void SetAction(int signal, void (*handler)(int)) {
    struct sigaction action {};
    action.sa_handler = handler;
    sigemptyset(&action.sa_mask);
    sigaction(signal, &action, nullptr);
}

}  // namespace

StopSignals::StopSignals() {
    for (const int signal : kStopSignals)
        SetAction(signal, Catch);
    SetAction(SIGXFSZ, SIG_IGN);
}

StopSignals::~StopSignals() {
    for (const int signal : kStopSignals)
        SetAction(signal, SIG_DFL);
}

void StopSignals::yield() {
    if (caughtSignal == 0)
        return;
    RemoveUnfinishedTempFiles();
    std::fflush(nullptr);
    _exit(128 + caughtSignal);
}

}  // namespace tarvello
