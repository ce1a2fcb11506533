#pragma once

#include "platform/FileSystem.h"

namespace tarvello {

// Passes every call on to another file system; a view of it overrides only
// what it changes.
class ForwardingFileSystem : public FileSystem {
public:
    explicit ForwardingFileSystem(FileSystem& inner) : inner_(inner) {}

    std::optional<std::string> forEachFile(const std::string& folder,
                                           const std::function<void(std::string_view)>& visit) const override {
        return inner_.forEachFile(folder, visit);
    }
    std::optional<FolderStamp> listFolder(const std::string& folder,
                                          const std::function<void(std::string_view, bool)>& visit) const override {
        return inner_.listFolder(folder, visit);
    }
    std::vector<std::optional<FolderStamp>> folderStamps(const std::vector<std::string_view>& folders) const override {
        return inner_.folderStamps(folders);
    }
    bool leadsToFile(const std::string& path) const override { return inner_.leadsToFile(path); }
    std::int64_t fileTimeNowNs() const override { return inner_.fileTimeNowNs(); }
    void forEachEntry(const std::string& folder, const std::function<void(std::string_view, bool)>& visit) const override {
        inner_.forEachEntry(folder, visit);
    }
    std::optional<ReadFailure> readFile(const std::string& path, const ReadPiece& take) const override {
        return inner_.readFile(path, take);
    }
    std::optional<ReadFailure> readStandardInput(const ReadPiece& take,
                                                 const std::function<void()>& interrupted) const override {
        return inner_.readStandardInput(take, interrupted);
    }
    std::optional<std::int64_t> modificationTime(const std::string& path) const override {
        return inner_.modificationTime(path);
    }
    std::optional<std::uint32_t> attributes(const std::string& path) const override { return inner_.attributes(path); }
    std::optional<std::uint64_t> fileSize(const std::string& path) const override { return inner_.fileSize(path); }
    std::optional<std::uint64_t> freeSpace(const std::string& folder) const override { return inner_.freeSpace(folder); }
    std::optional<std::uint64_t> allocationUnit(const std::string& folder) const override {
        return inner_.allocationUnit(folder);
    }
    bool foldsCase(const std::string& folder) const override { return inner_.foldsCase(folder); }
    bool refusesCharacters(const std::string& folder) const override { return inner_.refusesCharacters(folder); }
    EntryOrder entryOrder(const std::string& folder) const override { return inner_.entryOrder(folder); }
    CopyOutcome replaceFile(const std::string& source, const std::string& target, const CopyProgress& progress) override {
        return inner_.replaceFile(source, target, progress);
    }
    void removeLeftoversOf(const std::string& target) override { inner_.removeLeftoversOf(target); }
    bool sameBytes(const std::string& a, const std::string& b) const override { return inner_.sameBytes(a, b); }
    LockAttempt lockFile(const std::string& path) override { return inner_.lockFile(path); }
    std::vector<FlushFailure> flush(const std::vector<std::string>& folders,
                                    const std::function<void()>& whileWaiting) override {
        return inner_.flush(folders, whileWaiting);
    }
    std::optional<FileStat> fileStat(const std::string& path) const override { return inner_.fileStat(path); }
    std::optional<std::string> removeFile(const std::string& path) override { return inner_.removeFile(path); }
    std::optional<std::string> makeFolder(const std::string& path) override { return inner_.makeFolder(path); }
    std::optional<std::string> removeFolder(const std::string& path) override { return inner_.removeFolder(path); }
    std::optional<std::string> moveFile(const std::string& from, const std::string& to) override {
        return inner_.moveFile(from, to);
    }
    std::optional<std::string> replaceContents(const std::string& path, const ContentsWriter& contents) override {
        return inner_.replaceContents(path, contents);
    }
    std::optional<std::string> resolvedFolder(const std::string& folder) const override {
        return inner_.resolvedFolder(folder);
    }
    std::string programFolder() const override { return inner_.programFolder(); }

protected:
    FileSystem& inner() const { return inner_; }

private:
    FileSystem& inner_;
};

}  // namespace tarvello
