#pragma once

#include "platform/win32/UniqueHandle.h"

#include <windows.h>

#include <cstdint>
#include <string>

namespace tarvello {

// Other programs may read, write and delete a file while it is open here.
inline constexpr DWORD kShareAll = FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE;

// Opens what stands at `path` (WTF-8) for `access`, with `flags`; an invalid
// handle, with the last error set, when it cannot. An empty path opens
// nothing.
UniqueHandle OpenPath(const std::string& path, DWORD access, DWORD flags);

// A FILETIME count of 100 ns steps since 1601 as nanoseconds since 1970.
inline std::int64_t NsSinceEpoch(std::int64_t steps) {
    constexpr std::int64_t kEpochSteps = 116'444'736'000'000'000;
    return (steps - kEpochSteps) * 100;
}

}  // namespace tarvello
