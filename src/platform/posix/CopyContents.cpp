#include "platform/posix/CopyContents.h"

#include <linux/fs.h>
#include <sys/ioctl.h>
#include <sys/sendfile.h>
#include <unistd.h>

#include <cerrno>
#include <cstddef>
#include <cstdint>
#include <memory>

namespace tarvello {
namespace {

// Returned by a way of copying that this pair of files does not support;
// the next way carries on from the offsets it left.
constexpr int kTryNext = -1;

// Small enough that one in-kernel call takes a few tens of milliseconds
// even on a slow stick, so `progress` comes often; large enough that the
// calls cost nothing next to the bytes they move.
constexpr std::size_t kKernelChunk = std::size_t{1} << 20;
constexpr std::size_t kBufferSize = 256 * 1024;

// The bytes moved so far, whichever way of copying moved them.
class Tally {
public:
    explicit Tally(const CopyProgress& progress) : progress_(progress) {}
    void add(std::size_t bytes) {
        done_ += bytes;
        progress_(done_);
    }

private:
    const CopyProgress& progress_;
    std::uint64_t done_ = 0;
};

bool Unsupported(int error) {
    return error == EXDEV || error == ENOSYS || error == EOPNOTSUPP || error == EINVAL;
}

// Runs one in-kernel transfer call until the source is exhausted.
template <typename Transfer>
int KernelLoop(Transfer transfer, Tally& tally) {
    for (;;) {
        const ssize_t moved = transfer(kKernelChunk);
        if (moved > 0) {
            tally.add(static_cast<std::size_t>(moved));
            continue;
        }
        if (moved == 0)
            return 0;
        if (errno == EINTR)
            continue;
        return Unsupported(errno) ? kTryNext : errno;
    }
}

int CopyRange(int in, int out, Tally& tally) {
    return KernelLoop([=](std::size_t chunk) { return copy_file_range(in, nullptr, out, nullptr, chunk, 0); },
                      tally);
}

int SendFile(int in, int out, Tally& tally) {
    return KernelLoop([=](std::size_t chunk) { return sendfile(out, in, nullptr, chunk); }, tally);
}

int WriteAll(int fd, const char* data, std::size_t size) {
    while (size > 0) {
        const ssize_t written = write(fd, data, size);
        if (written < 0) {
            if (errno == EINTR)
                continue;
            return errno;
        }
        data += written;
        size -= static_cast<std::size_t>(written);
    }
    return 0;
}

int ReadWrite(int in, int out, Tally& tally) {
    const std::unique_ptr<char[]> buffer(new char[kBufferSize]);
    for (;;) {
        const ssize_t got = read(in, buffer.get(), kBufferSize);
        if (got == 0)
            return 0;
        if (got < 0) {
            if (errno == EINTR)
                continue;
            return errno;
        }
        if (const int error = WriteAll(out, buffer.get(), static_cast<std::size_t>(got)))
            return error;
        tally.add(static_cast<std::size_t>(got));
    }
}

}  // namespace

int CopyContents(int in, int out, off_t sourceSize, const CopyProgress& progress) {
    Tally tally(progress);
    // A size of 0 can hide content that exists only when read (files under
    // /proc); the kernel's own copies would stop at the reported size.
    if (sourceSize > 0) {
        // Any failure of a clone only means no clone here; the copies below
        // report the faults that matter.
        if (ioctl(out, FICLONE, in) == 0)
            return 0;
        for (const auto copy : {CopyRange, SendFile}) {
            const int result = copy(in, out, tally);
            if (result != kTryNext)
                return result;
        }
    }
    return ReadWrite(in, out, tally);
}

}  // namespace tarvello
