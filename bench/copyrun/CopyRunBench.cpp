// Copies one large file (512 MiB, or TARVELLO_BENCH_MIB) with the real copy
// run and prints the longest gap between two event-loop iterations, the
// time of the closing flush, and then, for a run closed in the middle by
// SIGTERM, the time until the process has ended and whether a temporary
// file was left. The data lives under ${TMPDIR:-/tmp}.

#include "copyrun/CopyRun.h"
#include "platform/posix/PosixFileSystem.h"
#include "platform/qt/QtProgramEnd.h"
#include "platform/system/SystemClock.h"

#include <dirent.h>
#include <fcntl.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <string>
#include <vector>

namespace {

using namespace tarvello;

volatile std::sig_atomic_t gClosed = 0;

// Measures the gaps between yields; ends the program as the window's close
// does once a termination signal has come.
class MeasuringLoop final : public EventLoop {
public:
    explicit MeasuringLoop(const Clock& clock) : clock_(clock), last_(clock.steadySeconds()) {}
    void yield() override {
        const double now = clock_.steadySeconds();
        longest = std::max(longest, now - last_);
        last_ = now;
        if (gClosed)
            QtProgramEnd().endProgram();
    }
    double longest = 0.0;

private:
    const Clock& clock_;
    double last_;
};

// Notes when the closing message would show.
class QuietDialogs final {
public:
    explicit QuietDialogs(const Clock& clock) : clock_(clock) {}
    void showMessage(const std::string& text) {
        shownAt = clock_.steadySeconds();
        message = text;
    }
    double shownAt = 0.0;
    std::string message;

private:
    const Clock& clock_;
};

class Display final : public CopyRunObserver {
public:
    explicit Display(QuietDialogs& dialogs) : dialogs_(dialogs) {}
    void setProgress(double) override {}
    void setBusy(bool) override {}
    void finished(const CopyReport& report) override { dialogs_.showMessage(report.message()); }

private:
    QuietDialogs& dialogs_;
};

// The real file system, noting when the flush begins.
class TimedFileSystem final : public PosixFileSystem {
public:
    explicit TimedFileSystem(const Clock& clock) : clock_(clock) {}
    std::vector<FlushFailure> flush(const std::vector<std::string>& folders,
                                    const std::function<void()>& whileWaiting) override {
        flushStart = clock_.steadySeconds();
        return PosixFileSystem::flush(folders, whileWaiting);
    }
    double flushStart = 0.0;

private:
    const Clock& clock_;
};

// Copies `name` from one folder to the other (both ending with "/").
void RunCopy(const std::string& sourceFolder, const std::string& name, const std::string& targetFolder,
             bool print) {
    auto candidates = std::make_shared<CandidateList>();
    candidates->add(sourceFolder, name);
    const auto plan = std::make_shared<const Plan>(std::move(candidates), std::vector<DestinationFolder>{{targetFolder}},
                                                   std::vector<Pick>{{0, 0}});
    SystemClock clock;
    TimedFileSystem fs(clock);
    MeasuringLoop events(clock);
    QuietDialogs dialogs(clock);
    Display display(dialogs);
    const double start = clock.steadySeconds();
    CopyRun(events, clock).start(fs, plan, display);
    if (print)
        std::printf("copy %.3f s, longest gap between yields %.1f ms, flush %.1f ms\n%s\n",
                    fs.flushStart - start, events.longest * 1e3, (dialogs.shownAt - fs.flushStart) * 1e3,
                    dialogs.message.c_str());
}

std::size_t NamesIn(const std::string& folder) {
    std::size_t count = 0;
    for ([[maybe_unused]] const auto& entry : std::filesystem::directory_iterator(folder))
        ++count;
    return count;
}

}  // namespace

int main() {
    const char* sizeText = std::getenv("TARVELLO_BENCH_MIB");
    const long mib = sizeText ? std::atol(sizeText) : 512;
    const char* tmp = std::getenv("TMPDIR");
    std::string work = std::string(tmp ? tmp : "/tmp") + "/tarvello-copyrun-bench-XXXXXX";
    if (!mkdtemp(work.data()))
        return 2;
    const std::string source = work + "/large.bin";
    const std::string destination = work + "/out";
    std::filesystem::create_directory(destination);
    {
        std::vector<char> chunk(1 << 20);
        for (std::size_t i = 0; i < chunk.size(); ++i)
            chunk[i] = static_cast<char>(i * 7919 >> 8);
        FILE* out = std::fopen(source.c_str(), "wb");
        for (long i = 0; i < mib; ++i)
            std::fwrite(chunk.data(), 1, chunk.size(), out);
        std::fclose(out);
        sync();
    }
    std::printf("one file of %ld MiB\n", mib);
    RunCopy(work + "/", "large.bin", destination + "/", true);
    {
        const SystemClock clock;
        const double start = clock.steadySeconds();
        PosixFileSystem().flush({destination}, [] {});
        std::printf("flush with nothing left to write %.1f ms\n", (clock.steadySeconds() - start) * 1e3);
    }

    std::fflush(stdout);  // the child would print it again

    // Over the copy just made, closed after 300 ms.
    const pid_t child = fork();
    if (child == 0) {
        std::signal(SIGTERM, [](int) { gClosed = 1; });
        RunCopy(work + "/", "large.bin", destination + "/", false);
        _exit(0);
    }
    usleep(300 * 1000);
    const SystemClock clock;
    const double sent = clock.steadySeconds();
    kill(child, SIGTERM);
    waitpid(child, nullptr, 0);
    std::printf("closed mid-copy: ended %.1f ms after SIGTERM, %zu name(s) in the destination (1 expected)\n",
                (clock.steadySeconds() - sent) * 1e3, NamesIn(destination));
    std::filesystem::remove_all(work);
    return 0;
}
