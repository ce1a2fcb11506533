#pragma once

#include "platform/ForwardingFileSystem.h"
#include "refresh/RefreshState.h"

namespace tarvello {

// The disk as a refresh's draw sees it: sources copied lately are not
// listed, and the room that the recorded copies take counts as free.
class DrawView final : public ForwardingFileSystem {
public:
    DrawView(FileSystem& inner, RefreshState& state) : ForwardingFileSystem(inner), state_(state) {}

    std::optional<std::string> forEachFile(const std::string& folder,
                                           const std::function<void(std::string_view)>& visit) const override;
    // Listed through forEachFile(), never kept between redraws.
    std::optional<FolderStamp> listFolder(const std::string& folder,
                                          const std::function<void(std::string_view, bool)>& visit) const override {
        return FileSystem::listFolder(folder, visit);
    }
    std::optional<std::uint64_t> freeSpace(const std::string& folder) const override;

private:
    RefreshState& state_;
};

}  // namespace tarvello
