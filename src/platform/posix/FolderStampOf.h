#pragma once

#include "platform/FileSystem.h"

#include <sys/stat.h>

#include <cstdint>
#include <ctime>

namespace tarvello {

inline std::int64_t Nanoseconds(const timespec& time) {
    return static_cast<std::int64_t>(time.tv_sec) * 1'000'000'000 + time.tv_nsec;
}

inline FolderStamp StampOf(const struct stat& info) {
    return {static_cast<std::uint64_t>(info.st_dev), static_cast<std::uint64_t>(info.st_ino),
            Nanoseconds(info.st_mtim), Nanoseconds(info.st_ctim)};
}

}  // namespace tarvello
