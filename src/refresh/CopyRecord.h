#pragma once

#include <cstddef>
#include <cstdint>
#include <functional>
#include <string>
#include <string_view>
#include <vector>

namespace tarvello {

// The hidden file in each destination folder that remembers the copies
// made there.
inline constexpr std::string_view kCopyRecordName = ".tarvello-copies";
// The format this build reads and writes; a record of a later one is
// refused, never rewritten.
inline constexpr std::uint32_t kCopyRecordVersion = 1;

// One line of a record. Its name and source lie in the record's bytes.
struct RecordEntry {
    enum class Kind : std::uint8_t {
        Copy,     // a finished copy that this program still owns, as it was copied
        Pending,  // a copy a run meant to make; owned only if found finished
        Past,     // a source copied in an earlier run, for leaving it out lately
    };
    Kind kind = Kind::Copy;
    std::uint32_t run = 0;
    std::uint64_t size = 0;       // Copy only
    std::int64_t modifiedNs = 0;  // Copy only
    std::uint32_t nameAt = 0, nameLength = 0;  // Copy and Pending: the name inside its folder
    std::uint32_t sourceAt = 0, sourceLength = 0;
};

struct RecordRead;

// Whether a record may name `name` as a copy: a name inside its folder on
// every system, so neither "/", "\" nor NUL in it, nor "." or "..", nor empty.
// A record naming any other is refused as damaged, since a stick passes
// between systems and a name that leads out of the folder could lead a
// refresh to a file of the user's.
bool IsRecordableName(std::string_view name);

// The copies one destination folder holds, and the runs that made them.
// Names and sources are kept as any bytes (line feeds, invalid UTF-8), all
// in one buffer, so a record costs little more in memory than on disk.
class CopyRecord {
public:
    // The number of the last run recorded; the next run is one more.
    std::uint32_t lastRun = 0;

    std::size_t size() const { return entries_.size(); }
    const RecordEntry& operator[](std::size_t i) const { return entries_[i]; }
    std::string_view name(const RecordEntry& entry) const { return view(entry.nameAt, entry.nameLength); }
    std::string_view source(const RecordEntry& entry) const { return view(entry.sourceAt, entry.sourceLength); }

    void add(RecordEntry::Kind kind, std::uint32_t run, std::string_view name, std::string_view source,
             std::uint64_t size = 0, std::int64_t modifiedNs = 0);
    // Adds a line of another record as it stands there.
    void add(const CopyRecord& from, const RecordEntry& entry, std::uint32_t run);

    // Hands the record's bytes to `write` in pieces of about 64 KiB.
    void encode(const std::function<void(std::string_view bytes)>& write) const;

private:
    friend RecordRead DecodeCopyRecord(std::string bytes);
    std::string_view view(std::uint32_t at, std::uint32_t length) const {
        return std::string_view(bytes_).substr(at, length);
    }

    std::string bytes_;
    std::vector<RecordEntry> entries_;
};

// What reading a record's bytes gave.
struct RecordRead {
    enum class Status { Read, Newer, Damaged };
    Status status = Status::Read;
    CopyRecord record;        // when Read
    std::uint32_t version = 0;  // the version the header names
    std::size_t line = 0;       // when Damaged: the first line that could not be read, from 1
};

// Reads a record from its bytes, keeping them as its buffer.
RecordRead DecodeCopyRecord(std::string bytes);

}  // namespace tarvello
