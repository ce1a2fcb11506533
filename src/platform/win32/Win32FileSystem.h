#pragma once

#include "platform/FileSystem.h"

namespace tarvello {

// The file system of Windows, reached through the wide Win32 calls: paths
// are UTF-8 (WTF-8) bytes here and UTF-16 at the call. Hidden means the
// hidden or the system attribute; junctions and links to folders are never
// walked into. Folders are not stamped, so no listing of them is kept.
class Win32FileSystem : public FileSystem {
public:
    void forEachFile(const std::string& folder,
                     const std::function<void(std::string_view name)>& visit) const override;
    void forEachEntry(const std::string& folder,
                      const std::function<void(std::string_view name, bool isFolder)>& visit) const override;
    std::optional<std::string> readFile(const std::string& path,
                                        const std::function<void(std::string_view bytes)>& take) const override;
    std::optional<std::int64_t> modificationTime(const std::string& path) const override;
    std::optional<std::uint32_t> attributes(const std::string& path) const override;
    std::optional<std::uint64_t> fileSize(const std::string& path) const override;
    std::optional<std::uint64_t> freeSpace(const std::string& folder) const override;
    CopyOutcome replaceFile(const std::string& source, const std::string& target,
                            const CopyProgress& progress) override;
    std::vector<FlushFailure> flush(const std::vector<std::string>& folders,
                                    const std::function<void()>& whileWaiting) override;
    std::string programFolder() const override;
};

}  // namespace tarvello
