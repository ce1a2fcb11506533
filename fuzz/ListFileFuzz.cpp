// A list file from someone else, or a list piped in: whatever the bytes and
// however the system cuts them into pieces, the entries are the same and
// each is one line within the reader's bound.
#include "Require.h"
#include "lists/ListFile.h"
#include "support/EmptyFileSystem.h"

#include <cstdint>

namespace tarvello::fuzz {
namespace {

// A disk holding one list file, which it hands over, and as standard input,
// in pieces of the length given.
class OneListDisk final : public test::EmptyFileSystem {
public:
    OneListDisk(std::string_view bytes, std::size_t piece) : bytes_(bytes), piece_(piece) {}

    std::optional<std::int64_t> modificationTime(const std::string&) const override { return 0; }
    std::optional<std::uint32_t> attributes(const std::string&) const override { return 0644; }
    std::optional<ReadFailure> readFile(const std::string&, const ReadPiece& take) const override {
        return hand(take);
    }
    std::optional<ReadFailure> readStandardInput(const ReadPiece& take, const std::function<void()>&) const override {
        return hand(take);
    }

private:
    std::optional<ReadFailure> hand(const ReadPiece& take) const {
        for (std::size_t at = 0; at < bytes_.size(); at += piece_)
            if (!take(bytes_.substr(at, piece_)))
                break;
        return std::nullopt;
    }

    std::string_view bytes_;
    std::size_t piece_;
};

}  // namespace
}  // namespace tarvello::fuzz

// The first byte sets the length of the pieces, the rest is the file.
extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    using namespace tarvello;
    using fuzz::Require;
    if (size == 0)
        return 0;
    const std::string_view bytes(reinterpret_cast<const char*>(data) + 1, size - 1);
    const ListFileRead read = ReadListFile(fuzz::OneListDisk(bytes, 1 + data[0]), "list.txt");
    const ListFileRead whole = ReadListInput(fuzz::OneListDisk(bytes, bytes.size() + 1), [] {});
    Require(read.status == whole.status && read.entries == whole.entries,
            "the entries do not depend on where the pieces end");
    Require(read.status == ListFileRead::Status::Read || read.entries.empty(), "a file refused gives no entries");
    for (const std::string& entry : read.entries)
        Require(!entry.empty() && entry.size() <= ListFileSplitter::kLongestEntry &&
                    entry.find_first_of(std::string_view("\r\n\0", 3)) == std::string::npos,
                "an entry is one line of text, not empty, within the longest a path can be");
    return 0;
}
