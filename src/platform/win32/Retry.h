#pragma once

#include <windows.h>

namespace tarvello {

// Calls `attempt` until it succeeds, or fails for a reason other than a
// sharing violation, or about 100 ms have passed: an antivirus scanner or
// an indexer holds a new or replaced file for a moment. 0 on success, else
// the last Win32 error.
template <typename Attempt>
DWORD RetryWhileShared(const Attempt& attempt) {
    constexpr int kTries = 5;
    constexpr DWORD kPauseMs = 25;
    for (int tried = 1;; ++tried) {
        if (attempt())
            return 0;
        const DWORD error = GetLastError();
        if ((error != ERROR_SHARING_VIOLATION && error != ERROR_LOCK_VIOLATION) || tried == kTries)
            return error;
        Sleep(kPauseMs);
    }
}

}  // namespace tarvello
