// The record a stick holds decides what a refresh may remove: whatever it
// reads must name only files inside its folder, and read the same once
// written again.
#include "Require.h"
#include "refresh/CopyRecord.h"

#include <cstdint>

namespace tarvello::fuzz {
namespace {

std::string Encoded(const CopyRecord& record) {
    std::string bytes;
    record.encode([&](std::string_view piece) { bytes += piece; });
    return bytes;
}

bool SameRecord(const CopyRecord& a, const CopyRecord& b) {
    if (a.lastRun != b.lastRun || a.size() != b.size())
        return false;
    for (std::size_t i = 0; i < a.size(); ++i) {
        const RecordEntry &x = a[i], &y = b[i];
        if (x.kind != y.kind || x.run != y.run || x.size != y.size || x.modifiedNs != y.modifiedNs ||
            a.name(x) != b.name(y) || a.source(x) != b.source(y))
            return false;
    }
    return true;
}

}  // namespace
}  // namespace tarvello::fuzz

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    using namespace tarvello;
    using fuzz::Require;
    const RecordRead read = DecodeCopyRecord(std::string(reinterpret_cast<const char*>(data), size));
    if (read.status != RecordRead::Status::Read)
        return 0;
    for (std::size_t i = 0; i < read.record.size(); ++i) {
        const RecordEntry& entry = read.record[i];
        Require(entry.kind == RecordEntry::Kind::Past || IsRecordableName(read.record.name(entry)),
                "a copy or pending entry read names a file inside its folder");
    }
    const RecordRead again = DecodeCopyRecord(fuzz::Encoded(read.record));
    Require(again.status == RecordRead::Status::Read && fuzz::SameRecord(read.record, again.record),
            "a record read, written again and read back is the same");
    return 0;
}
