#pragma once

#include "platform/ForwardingFileSystem.h"

namespace tarvello::test {

// Any file system, answering as a USB stick does: it refuses characters in
// names and folds their case.
class StickLike final : public ForwardingFileSystem {
public:
    using ForwardingFileSystem::ForwardingFileSystem;
    bool refusesCharacters(const std::string&) const override { return true; }
    bool foldsCase(const std::string&) const override { return true; }
};

}  // namespace tarvello::test
