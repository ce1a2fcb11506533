#pragma once

#include "platform/FileSystem.h"
#include "platform/PathSeparator.h"

#include <functional>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

namespace tarvello {

// The file beside each record whose lock a run holds for as long as it
// reads and writes that folder. It stays: removing it would race with the
// next run that takes it.
inline constexpr std::string_view kRecordLockName = ".tarvello-copies.lock";

// The locks of a run that keeps a record, one per destination folder, held
// while this lives. Two runs at once into one folder would each remove the
// other's copies as old ones and record only their own.
class RecordLocks {
public:
    // Locks the folder of each of `destinations` and returns the entries
    // whose folder it locked, in their order. Each folder it cannot lock
    // (another run holds it, or it takes no writes) is named once through
    // `say` and left out.
    std::vector<std::string> lock(FileSystem& fs, const std::vector<std::string>& destinations,
                                  const std::function<void(const std::string&)>& say,
                                  char separator = kNativeSeparator);

private:
    std::vector<std::unique_ptr<FileLock>> held_;
};

}  // namespace tarvello
