#pragma once

#include "support/EmptyFileSystem.h"

#include <initializer_list>
#include <map>
#include <string>
#include <vector>

namespace tarvello::test {

// Serves folder listings from a map keyed by the exact folder text, so a
// folder asked for without its final separator lists nothing.
class FakeFolders final : public EmptyFileSystem {
public:
    using Listing = std::pair<const std::string, std::vector<std::string>>;
    FakeFolders(std::initializer_list<Listing> folders) : folders_(folders) {}

    std::optional<std::string> forEachFile(const std::string& folder,
                                           const std::function<void(std::string_view name)>& visit) const override {
        const auto found = folders_.find(folder);
        if (found == folders_.end())
            return "no such folder";
        for (const std::string& name : found->second)
            visit(name);
        return std::nullopt;
    }

private:
    std::map<std::string, std::vector<std::string>> folders_;
};

}  // namespace tarvello::test
