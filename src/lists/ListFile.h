#pragma once

#include "platform/FileSystem.h"

#include <string>
#include <string_view>
#include <vector>

namespace tarvello {

// Cuts the bytes of a list file into entries. A line ends at CR LF or at a
// lone CR, and a LF ends an entry within a line, so files written on
// Windows, old Macs and Linux all give one entry per line. Entries are the
// bytes as they stand: nothing is trimmed, decoded or checked. A UTF-8
// byte-order mark at the very start is not part of the first entry.
class ListFileSplitter {
public:
    explicit ListFileSplitter(std::vector<std::string>& entries) : entries_(entries) {}

    // The next piece of the file; a line end may fall across two pieces.
    void feed(std::string_view bytes);
    // The end of the file ends a line that has begun since the last CR.
    void finish();

private:
    void split(std::string_view bytes);
    void endEntry();

    std::vector<std::string>& entries_;
    std::string entry_;
    std::string start_;  // the first bytes, until they show whether a mark is there
    bool atStart_ = true;
    bool afterCr_ = false;
    bool lineOpen_ = false;
};

struct ListFileRead {
    enum class Status {
        Read,           // `entries` holds the file's entries
        BadCharacters,  // the file system cannot report on the path
        NotFound,
        Unreadable,     // it is there but cannot be read; `reason` says why
    };
    Status status = Status::Read;
    std::vector<std::string> entries;
    std::string reason;
};

// Reads one list file the way "Load" does. A file that fails part way
// gives no entries.
ListFileRead ReadListFile(const FileSystem& fs, const std::string& path);

}  // namespace tarvello
