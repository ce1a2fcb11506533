#include "lists/ListFile.h"

#include "fsprobe/FileProbes.h"

#include <algorithm>

namespace tarvello {
namespace {

constexpr std::string_view kByteOrderMark = "\xEF\xBB\xBF";

// Splits what `read` hands over and words how it ended.
template <typename Read>
ListFileRead SplitRead(Read read) {
    ListFileRead result;
    ListFileSplitter splitter(result.entries);
    bool text = true;
    const auto failure = read([&](std::string_view bytes) { return text = splitter.feed(bytes); });
    if (failure || !text) {
        result.status = !text                    ? ListFileRead::Status::NotText
                        : failure->notRegularFile ? ListFileRead::Status::NotRegularFile
                                                  : ListFileRead::Status::Unreadable;
        result.reason = failure ? failure->reason : std::string();
        result.entries.clear();
        return result;
    }
    splitter.finish();
    return result;
}

}  // namespace

bool ListFileSplitter::feed(std::string_view bytes) {
    if (bytes.find('\0') != std::string_view::npos)
        notText_ = true;
    if (notText_)
        return false;
    if (atStart_) {
        const std::size_t take = std::min(bytes.size(), kByteOrderMark.size() - start_.size());
        start_.append(bytes.substr(0, take));
        bytes.remove_prefix(take);
        if (start_.size() < kByteOrderMark.size())
            return true;
        atStart_ = false;
        if (start_ != kByteOrderMark)
            split(start_);
    }
    split(bytes);
    return !notText_;
}

void ListFileSplitter::finish() {
    if (atStart_) {  // a file shorter than the mark
        atStart_ = false;
        split(start_);
    }
    endEntry();
}

void ListFileSplitter::split(std::string_view bytes) {
    std::size_t begin = 0;
    for (std::size_t i = 0; i < bytes.size(); ++i) {
        const char byte = bytes[i];
        if (byte != '\r' && byte != '\n')
            continue;
        if (i > begin) {
            entry_.append(bytes.substr(begin, i - begin));
            afterCr_ = false;
        }
        begin = i + 1;
        if (byte == '\n' && afterCr_) {  // the LF of a CR LF: that line has ended already
            afterCr_ = false;
            continue;
        }
        endEntry();
        afterCr_ = byte == '\r';
    }
    if (begin < bytes.size()) {
        entry_.append(bytes.substr(begin));
        afterCr_ = false;
    }
    if (entry_.size() > kLongestEntry)
        notText_ = true;
}

void ListFileSplitter::endEntry() {
    if (!entry_.empty())
        entries_.push_back(std::move(entry_));
    entry_.clear();
}

ListFileRead ReadListFile(const FileSystem& fs, const std::string& path) {
    if (HasBadCharacters(fs, path))
        return {ListFileRead::Status::BadCharacters, {}, {}};
    if (!FileExists(fs, path))
        return {ListFileRead::Status::NotFound, {}, {}};
    return SplitRead([&](const ReadPiece& take) { return fs.readFile(path, take); });
}

ListFileRead ReadListInput(const FileSystem& fs, const std::function<void()>& interrupted) {
    return SplitRead([&](const ReadPiece& take) { return fs.readStandardInput(take, interrupted); });
}

std::string ListFileProblem(const ListFileRead& read) {
    switch (read.status) {
    case ListFileRead::Status::Read: return {};
    case ListFileRead::Status::BadCharacters:
    case ListFileRead::Status::NotFound: return "File not found";
    case ListFileRead::Status::NotRegularFile: return "not a regular file";
    case ListFileRead::Status::NotText: return "not a text file";
    case ListFileRead::Status::Unreadable: return read.reason;
    }
    return {};
}

}  // namespace tarvello
