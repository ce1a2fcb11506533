// Types a count into the real window over a music library of 20,101 source
// folders holding 200,000 files, side by side in two windows: one that
// keeps the folders' listings between redraws, and one whose file system
// offers no folder stamps, so that every redraw lists every folder again.
// Prints the CPU time and wall time per keystroke, and the first redraw of
// each window (nothing kept yet) against the other.
#include "BenchServices.h"
#include "app/Form1.h"
#include "platform/posix/PosixFileSystem.h"

#include <QAbstractScrollArea>
#include <QApplication>
#include <QDir>
#include <QKeyEvent>
#include <QLineEdit>
#include <QPushButton>
#include <QSettings>
#include <QTemporaryDir>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <ctime>
#include <string>
#include <thread>
#include <vector>

namespace {

constexpr int kArtists = 100;
constexpr int kAlbumsPerArtist = 200;
constexpr int kTracksPerAlbum = 10;
constexpr int kRounds = 9;

// The same disk, with listings that can never be kept.
class UnstampedFileSystem final : public tarvello::PosixFileSystem {
public:
    std::optional<tarvello::FolderStamp> listFolder(
        const std::string& folder, const std::function<void(std::string_view, bool)>& visit) const override {
        return FileSystem::listFolder(folder, visit);
    }
};

class AnsweringDialogs final : public tarvello::bench::PrintingDialogs {
public:
    std::string pickFolder(const std::string&) override { return answers.at(next++ % answers.size()); }
    std::vector<std::string> pickFiles(const std::string&) override { return {}; }

    std::vector<std::string> answers;
    std::size_t next = 0;
};

struct Cost {
    double cpuMs = 0;
    double wallMs = 0;
};

double CpuMs() {
    timespec now{};
    clock_gettime(CLOCK_PROCESS_CPUTIME_ID, &now);
    return now.tv_sec * 1e3 + now.tv_nsec / 1e6;
}

double WallMs() {
    return std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now().time_since_epoch()).count();
}

// Runs `action` and waits until the Summary is painted.
template <typename Action>
Cost Measure(tarvello::Form1& form, Action action) {
    const double cpu = CpuMs();
    const double wall = WallMs();
    action();
    form.findChild<QAbstractScrollArea*>(QStringLiteral("ListView3"))->viewport()->repaint();
    QApplication::processEvents();
    return {CpuMs() - cpu, WallMs() - wall};
}

void Press(tarvello::Form1& form, const char* button) {
    form.findChild<QPushButton*>(QLatin1String(button))->click();
}

void Type(tarvello::Form1& form, int key, const QString& text) {
    auto* count = form.findChild<QLineEdit*>(QStringLiteral("Text1"));
    QKeyEvent press(QEvent::KeyPress, key, Qt::NoModifier, text);
    QKeyEvent release(QEvent::KeyRelease, key, Qt::NoModifier, text);
    QApplication::sendEvent(count, &press);
    QApplication::sendEvent(count, &release);
}

std::string MakeLibrary(const QString& root) {
    const std::string base = root.toStdString() + "/Music";
    mkdir(base.c_str(), 0755);
    for (int artist = 0; artist < kArtists; ++artist) {
        const std::string artistFolder = base + "/Artist " + std::to_string(artist);
        mkdir(artistFolder.c_str(), 0755);
        for (int album = 0; album < kAlbumsPerArtist; ++album) {
            const std::string albumFolder = artistFolder + "/Album " + std::to_string(album);
            mkdir(albumFolder.c_str(), 0755);
            for (int track = 0; track < kTracksPerAlbum; ++track)
                close(open((albumFolder + "/Track " + std::to_string(track) + ".mp3").c_str(),
                           O_CREAT | O_WRONLY | O_CLOEXEC, 0644));
        }
    }
    return base;
}

double Median(std::vector<double> values) {
    std::sort(values.begin(), values.end());
    return values[values.size() / 2];
}

struct Window {
    tarvello::FileSystem& fileSystem;
    std::vector<double> firstCpu, firstWall, keyCpu, keyWall;
};

}  // namespace

int main(int argc, char* argv[]) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication application(argc, argv);

    const QTemporaryDir scratch;
    QSettings::setPath(QSettings::NativeFormat, QSettings::UserScope, scratch.path());
    AnsweringDialogs dialogs;
    dialogs.answers = {MakeLibrary(scratch.path()), scratch.path().toStdString() + "/Player"};
    QDir(scratch.path()).mkdir(QStringLiteral("Player"));
    // Listings read within two seconds of a folder's change are not kept.
    std::this_thread::sleep_for(std::chrono::milliseconds(2100));

    tarvello::PosixFileSystem stamped;
    UnstampedFileSystem unstamped;
    tarvello::bench::BenchServices services;

    Window windows[] = {{stamped, {}, {}, {}, {}}, {unstamped, {}, {}, {}, {}}};
    std::size_t sourceFolders = 0;
    for (int round = 0; round < kRounds; ++round) {
        for (Window& window : windows) {
            tarvello::Form1 form(services.with(window.fileSystem, dialogs));
            form.show();
            QApplication::processEvents();
            form.findChild<QLineEdit*>(QStringLiteral("Text1"))->clear();
            dialogs.next = 0;
            Press(form, "Check6");  // the library, with no destination yet: no redraw
            sourceFolders = form.sourceList().size();
            const Cost first = Measure(form, [&] { Press(form, "Check3"); });
            window.firstCpu.push_back(first.cpuMs);
            window.firstWall.push_back(first.wallMs);

            const std::pair<int, QString> keys[] = {{Qt::Key_2, QStringLiteral("2")},
                                                    {Qt::Key_5, QStringLiteral("5")},
                                                    {Qt::Key_0, QStringLiteral("0")},
                                                    {Qt::Key_Backspace, QString()},
                                                    {Qt::Key_Backspace, QString()}};
            for (const auto& [key, text] : keys) {
                const Cost typed = Measure(form, [&] { Type(form, key, text); });
                window.keyCpu.push_back(typed.cpuMs);
                window.keyWall.push_back(typed.wallMs);
            }
        }
    }

    const Window& kept = windows[0];
    const Window& listed = windows[1];
    std::printf("source folders: %zu, files: %d, median of %d rounds\n", sourceFolders,
                kArtists * kAlbumsPerArtist * kTracksPerAlbum, kRounds);
    std::printf("per keystroke, listings kept:      %6.1f ms CPU %6.1f ms wall (target <= 50 ms CPU)\n",
                Median(kept.keyCpu), Median(kept.keyWall));
    std::printf("per keystroke, every folder listed: %6.1f ms CPU %6.1f ms wall\n", Median(listed.keyCpu),
                Median(listed.keyWall));
    std::printf("speed-up per keystroke: %.1f x (target >= 5)\n", Median(listed.keyCpu) / Median(kept.keyCpu));
    std::printf("first redraw, keeping listings:     %6.1f ms CPU %6.1f ms wall\n", Median(kept.firstCpu),
                Median(kept.firstWall));
    std::printf("first redraw, keeping nothing:      %6.1f ms CPU %6.1f ms wall\n", Median(listed.firstCpu),
                Median(listed.firstWall));
    std::printf("first redraw ratio: %.2f (target <= 1.1)\n", Median(kept.firstWall) / Median(listed.firstWall));
    return 0;
}
