#include "lists/ListFile.h"

#include "fsprobe/FileProbes.h"

#include <algorithm>

namespace tarvello {
namespace {

constexpr std::string_view kByteOrderMark = "\xEF\xBB\xBF";

}  // namespace

void ListFileSplitter::feed(std::string_view bytes) {
    if (atStart_) {
        const std::size_t take = std::min(bytes.size(), kByteOrderMark.size() - start_.size());
        start_.append(bytes.substr(0, take));
        bytes.remove_prefix(take);
        if (start_.size() < kByteOrderMark.size())
            return;
        atStart_ = false;
        if (start_ != kByteOrderMark)
            split(start_);
    }
    split(bytes);
}

void ListFileSplitter::finish() {
    if (atStart_) {  // a file shorter than the mark
        atStart_ = false;
        split(start_);
    }
    if (lineOpen_)
        endEntry();
    lineOpen_ = false;
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
        lineOpen_ = byte == '\n';  // what follows a LF is still the same line
    }
    if (begin < bytes.size()) {
        entry_.append(bytes.substr(begin));
        afterCr_ = false;
        lineOpen_ = true;
    }
}

void ListFileSplitter::endEntry() {
    entries_.push_back(std::move(entry_));
    entry_.clear();
}

ListFileRead ReadListFile(const FileSystem& fs, const std::string& path) {
    ListFileRead read;
    if (HasBadCharacters(fs, path)) {
        read.status = ListFileRead::Status::BadCharacters;
        return read;
    }
    if (!FileExists(fs, path)) {
        read.status = ListFileRead::Status::NotFound;
        return read;
    }
    ListFileSplitter splitter(read.entries);
    if (auto failure = fs.readFile(path, [&](std::string_view bytes) { splitter.feed(bytes); })) {
        read.status = ListFileRead::Status::Unreadable;
        read.reason = std::move(*failure);
        read.entries.clear();
        return read;
    }
    splitter.finish();
    return read;
}

}  // namespace tarvello
