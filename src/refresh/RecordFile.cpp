#include "refresh/RecordFile.h"

namespace tarvello {

FolderRecord ReadRecordFile(const FileSystem& fs, const std::string& folder) {
    const std::string path = folder + std::string(kCopyRecordName);
    FolderRecord found;
    const auto stat = fs.fileStat(path);
    if (!stat) {
        // Nothing there is a new folder; anything else (a folder, a link)
        // is not a record to trust or to write over.
        if (fs.attributes(path)) {
            found.status = FolderRecord::Status::Refused;
            found.problem = "is not a plain file";
        }
        return found;
    }
    std::string bytes;
    bytes.reserve(static_cast<std::size_t>(stat->size));
    const auto failure = fs.readFile(path, [&](std::string_view piece) {
        bytes += piece;
        return true;
    });
    if (failure) {
        found.status = FolderRecord::Status::Refused;
        found.problem = "cannot be read: " + failure->reason;
        return found;
    }
    RecordRead read = DecodeCopyRecord(std::move(bytes));
    switch (read.status) {
    case RecordRead::Status::Read:
        found.status = FolderRecord::Status::Read;
        found.record = std::move(read.record);
        break;
    case RecordRead::Status::Newer:
        found.status = FolderRecord::Status::Refused;
        found.problem = "was written by a later version of Tarvello (record version " +
                        std::to_string(read.version) + ")";
        break;
    case RecordRead::Status::Damaged:
        found.status = FolderRecord::Status::Refused;
        found.problem = "is damaged at line " + std::to_string(read.line);
        break;
    }
    return found;
}

std::optional<std::string> WriteRecordFile(FileSystem& fs, const std::string& folder, const CopyRecord& record) {
    return fs.replaceContents(folder + std::string(kCopyRecordName),
                              [&](const auto& write) { record.encode(write); });
}

}  // namespace tarvello
