#pragma once

#include "platform/FileSystem.h"

#include <cstddef>
#include <functional>
#include <string>
#include <string_view>
#include <vector>

namespace tarvello {

// Cuts the bytes of a list file into entries. A line ends at CR LF or at a
// lone CR, and a LF ends an entry within a line, so files written on
// Windows, old Macs and Linux all give one entry per line. Entries are the
// bytes as they stand: nothing is trimmed, decoded or checked. Empty lines
// add nothing, so the line end that closes every text file does not give an
// entry that would name no folder. A UTF-8 byte-order mark at the very start
// is not part of the first entry.
class ListFileSplitter {
public:
    // No path is longer; a longer line means the file holds no list.
    static constexpr std::size_t kLongestEntry = 1 << 16;

    explicit ListFileSplitter(std::vector<std::string>& entries) : entries_(entries) {}

    // The next piece of the file; a line end may fall across two pieces.
    // False, and nothing more is taken, once the bytes cannot be a list of
    // paths: a NUL byte (which no path holds) or a line beyond kLongestEntry.
    bool feed(std::string_view bytes);
    // The end of the file ends the last line.
    void finish();

private:
    void split(std::string_view bytes);
    void endEntry();

    std::vector<std::string>& entries_;
    std::string entry_;
    std::string start_;  // the first bytes, until they show whether a mark is there
    bool atStart_ = true;
    bool afterCr_ = false;
    bool notText_ = false;
};

struct ListFileRead {
    enum class Status {
        Read,            // `entries` holds the file's entries
        BadCharacters,   // the file system cannot report on the path
        NotFound,
        NotRegularFile,  // a folder, FIFO, device or socket
        NotText,         // binary bytes, or a line no path could fill
        Unreadable,      // it is there but cannot be read; `reason` says why
    };
    Status status = Status::Read;
    std::vector<std::string> entries;
    std::string reason;
};

// Why a list file was not read, in a few words for a message that frames
// them ("not a text file", "File not found", the system's words); empty
// when it was read.
std::string ListFileProblem(const ListFileRead& read);

// Reads one list file the way "Load" does. A file that fails part way
// gives no entries.
ListFileRead ReadListFile(const FileSystem& fs, const std::string& path);

// Reads a list from the program's standard input; `interrupted` runs when
// a signal breaks the wait for input.
ListFileRead ReadListInput(const FileSystem& fs, const std::function<void()>& interrupted);

}  // namespace tarvello
