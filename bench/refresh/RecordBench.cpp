// Writes and reads a record of 100,000 copies in a temporary folder and
// prints the time of each (median of 7) and the heap the read record holds
// against the size of its file.
#include "platform/posix/PosixFileSystem.h"
#include "refresh/RecordFile.h"

#include <malloc.h>
#include <stdlib.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <filesystem>
#include <string>
#include <vector>

using namespace tarvello;

namespace {

constexpr std::size_t kCopies = 100'000;
constexpr int kRounds = 7;

double Seconds(auto&& run) {
    const auto start = std::chrono::steady_clock::now();
    run();
    return std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
}

double Median(std::vector<double> times) {
    std::sort(times.begin(), times.end());
    return times[times.size() / 2];
}

std::size_t HeapInUse() { return mallinfo2().uordblks; }

}  // namespace

int main() {
    std::string folder = (std::filesystem::temp_directory_path() / "tarvello-record-XXXXXX").string();
    if (!mkdtemp(folder.data()))
        return 1;
    folder += '/';

    // Names as a music library gives them: a track in an album of an artist.
    CopyRecord record;
    record.lastRun = 12;
    for (std::size_t i = 0; i < kCopies; ++i) {
        const std::string name = "0" + std::to_string(i % 9 + 1) + " Track number " + std::to_string(i) + ".mp3";
        const std::string source = "/home/listener/Music/Artist " + std::to_string(i / 120) + "/Album " +
                                   std::to_string(i / 12) + "/" + name;
        record.add(RecordEntry::Kind::Copy, static_cast<std::uint32_t>(i % 12), name, source, 4'000'000 + i,
                   1'733'650'000'123'456'789 + static_cast<std::int64_t>(i));
    }

    PosixFileSystem fs;
    std::vector<double> writes, reads;
    std::size_t held = 0;
    for (int round = 0; round < kRounds; ++round) {
        writes.push_back(Seconds([&] {
            if (WriteRecordFile(fs, folder, record))
                std::exit(1);
        }));
        const std::size_t before = HeapInUse();
        reads.push_back(Seconds([&] {
            const FolderRecord found = ReadRecordFile(fs, folder);
            if (found.record.size() != kCopies)
                std::exit(1);
            held = HeapInUse() - before;
        }));
    }
    const auto size = static_cast<double>(std::filesystem::file_size(folder + std::string(kCopyRecordName)));
    std::filesystem::remove_all(folder);

    std::printf("record of %zu copies, %.1f MiB on disk\n", kCopies, size / 1048576.0);
    std::printf("write: %.1f ms, read: %.1f ms (median of %d; target < 150 ms each)\n", Median(writes) * 1e3,
                Median(reads) * 1e3, kRounds);
    std::printf("heap held by the read record: %.1f MiB, %.2f x its file (target <= 1.5)\n",
                static_cast<double>(held) / 1048576.0, static_cast<double>(held) / size);
    return 0;
}
