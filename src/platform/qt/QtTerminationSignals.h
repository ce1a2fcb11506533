#pragma once

#include <QObject>

#include <functional>

class QSocketNotifier;

namespace tarvello {

// Turns SIGTERM, SIGINT and SIGHUP (logout, shutdown, Ctrl+C) into a call
// of `onSignal` from the event loop, also from inside a copy run's yield,
// so the program ends as when its window is closed. Also ignores SIGXFSZ,
// so that a write past the file-size limit fails like any other instead of
// killing the process. One instance per process.
class QtTerminationSignals final : public QObject {
public:
    explicit QtTerminationSignals(std::function<void()> onSignal);
    ~QtTerminationSignals() override;

private:
    std::function<void()> onSignal_;
    QSocketNotifier* notifier_ = nullptr;
};

}  // namespace tarvello
