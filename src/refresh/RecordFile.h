#pragma once

#include "platform/FileSystem.h"
#include "refresh/CopyRecord.h"

#include <optional>
#include <string>

namespace tarvello {

// A destination folder's record as found on its disk.
struct FolderRecord {
    enum class Status {
        Missing,  // none yet: the folder holds no copies of this program's
        Read,
        Refused,  // unreadable, damaged or of a later version: left as it is
    };
    Status status = Status::Missing;
    CopyRecord record;
    std::string problem;  // for Refused, in words
};

// `folder` ends with the separator.
FolderRecord ReadRecordFile(const FileSystem& fs, const std::string& folder);

// Replaces the folder's record in one step; the system's reason on failure.
std::optional<std::string> WriteRecordFile(FileSystem& fs, const std::string& folder, const CopyRecord& record);

}  // namespace tarvello
