#pragma once

#include "platform/FileSystem.h"
#include "platform/posix/Leftovers.h"

namespace tarvello {

// The file system of a POSIX system, reached through its C interface so
// that names travel as the bytes the kernel stores.
class PosixFileSystem : public FileSystem {
public:
    std::optional<std::string> forEachFile(
        const std::string& folder, const std::function<void(std::string_view name)>& visit) const override;
    std::optional<FolderStamp> listFolder(
        const std::string& folder,
        const std::function<void(std::string_view name, bool isLink)>& visit) const override;
    std::vector<std::optional<FolderStamp>> folderStamps(
        const std::vector<std::string_view>& folders) const override;
    bool leadsToFile(const std::string& path) const override;
    std::int64_t fileTimeNowNs() const override;
    void forEachEntry(const std::string& folder,
                      const std::function<void(std::string_view name, bool isFolder)>& visit) const override;
    std::optional<ReadFailure> readFile(const std::string& path, const ReadPiece& take) const override;
    std::optional<ReadFailure> readStandardInput(const ReadPiece& take,
                                                 const std::function<void()>& interrupted) const override;
    std::optional<std::int64_t> modificationTime(const std::string& path) const override;
    std::optional<std::uint32_t> attributes(const std::string& path) const override;
    std::optional<std::uint64_t> fileSize(const std::string& path) const override;
    std::optional<std::uint64_t> freeSpace(const std::string& folder) const override;
    std::optional<std::uint64_t> allocationUnit(const std::string& folder) const override;
    bool foldsCase(const std::string& folder) const override;
    bool refusesCharacters(const std::string& folder) const override;
    EntryOrder entryOrder(const std::string& folder) const override;
    CopyOutcome replaceFile(const std::string& source, const std::string& target,
                            const CopyProgress& progress) override;
    void removeLeftoversOf(const std::string& target) override;
    bool sameBytes(const std::string& a, const std::string& b) const override;
    LockAttempt lockFile(const std::string& path) override;
    std::vector<FlushFailure> flush(const std::vector<std::string>& folders,
                                    const std::function<void()>& whileWaiting) override;
    std::optional<FileStat> fileStat(const std::string& path) const override;
    std::optional<std::string> removeFile(const std::string& path) override;
    std::optional<std::string> makeFolder(const std::string& path) override;
    std::optional<std::string> removeFolder(const std::string& path) override;
    std::optional<std::string> moveFile(const std::string& from, const std::string& to) override;
    std::optional<std::string> replaceContents(const std::string& path, const ContentsWriter& contents) override;
    std::optional<std::string> resolvedFolder(const std::string& folder) const override;
    std::string programFolder() const override;

private:
    Leftovers leftovers_;
};

}  // namespace tarvello
