#pragma once

#include "platform/FileSystem.h"

namespace tarvello::test {

// A disk with nothing on it: no folder holds anything, no path can be
// queried or read, and copies and flushes do nothing. Doubles override only
// what their test is about.
class EmptyFileSystem : public FileSystem {
public:
    std::optional<std::string> forEachFile(const std::string&,
                                           const std::function<void(std::string_view)>&) const override {
        return "no such folder";
    }
    void forEachEntry(const std::string&, const std::function<void(std::string_view, bool)>&) const override {}
    std::optional<ReadFailure> readFile(const std::string&, const ReadPiece&) const override {
        return ReadFailure{false, "No such file or directory"};
    }
    std::optional<std::int64_t> modificationTime(const std::string&) const override { return {}; }
    std::optional<std::uint32_t> attributes(const std::string&) const override { return {}; }
    CopyOutcome replaceFile(const std::string&, const std::string&, const CopyProgress&) override { return {}; }
    std::vector<FlushFailure> flush(const std::vector<std::string>&, const std::function<void()>&) override {
        return {};
    }
    std::string programFolder() const override { return {}; }
};

}  // namespace tarvello::test
