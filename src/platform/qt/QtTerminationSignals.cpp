#include "platform/qt/QtTerminationSignals.h"

#include <QSocketNotifier>

#include <sys/socket.h>
#include <unistd.h>

#include <cerrno>
#include <csignal>

namespace tarvello {
namespace {

constexpr int kSignals[] = {SIGTERM, SIGINT, SIGHUP};

// The handler's end of the pair; writing to it is all a handler may safely do.
int gWriteEnd = -1;

void NoteSignal(int) {
    const int saved = errno;
    const char byte = 1;
    [[maybe_unused]] const ssize_t ignored = write(gWriteEnd, &byte, 1);
    errno = saved;
}

}  // namespace

QtTerminationSignals::QtTerminationSignals(std::function<void()> onSignal)
    : onSignal_(std::move(onSignal)) {
    std::signal(SIGXFSZ, SIG_IGN);
    int ends[2];
    if (socketpair(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC | SOCK_NONBLOCK, 0, ends) != 0)
        return;  // the signals keep their default action: the program still ends
    gWriteEnd = ends[1];
    notifier_ = new QSocketNotifier(ends[0], QSocketNotifier::Read, this);
    connect(notifier_, &QSocketNotifier::activated, this, [this] {
        char bytes[16];
        while (read(static_cast<int>(notifier_->socket()), bytes, sizeof bytes) > 0) {
        }
        onSignal_();
    });
    struct sigaction action {};
    action.sa_handler = NoteSignal;
    sigemptyset(&action.sa_mask);
    action.sa_flags = SA_RESTART;
    for (const int signal : kSignals)
        sigaction(signal, &action, nullptr);
}

QtTerminationSignals::~QtTerminationSignals() {
    for (const int signal : kSignals)
        std::signal(signal, SIG_DFL);
    if (notifier_) {
        close(static_cast<int>(notifier_->socket()));
        close(gWriteEnd);
        gWriteEnd = -1;
    }
}

}  // namespace tarvello
