#include "platform/posix/WindowsKindMount.h"

#include <algorithm>
#include <cctype>
#include <string>
#include <vector>

namespace tarvello {
namespace {

std::vector<std::string_view> Fields(std::string_view line) {
    std::vector<std::string_view> fields;
    while (!line.empty()) {
        const std::size_t blank = std::min(line.find(' '), line.size());
        if (blank > 0)
            fields.push_back(line.substr(0, blank));
        line.remove_prefix(std::min(blank + 1, line.size()));
    }
    return fields;
}

bool NamesFat(std::string_view driver) {
    std::string lower(driver);
    std::transform(lower.begin(), lower.end(), lower.begin(), [](unsigned char c) { return std::tolower(c); });
    return lower.find("fat") != std::string::npos;
}

}  // namespace

// A line reads "ID PARENT MAJOR:MINOR ROOT MOUNT-POINT OPTIONS [TAGS...] -
// TYPE SOURCE SUPER-OPTIONS".
FuseMountKind KindOfFuseMount(std::string_view mountinfo, unsigned major, unsigned minor) {
    const std::string device = std::to_string(major) + ":" + std::to_string(minor);
    while (!mountinfo.empty()) {
        const std::size_t end = std::min(mountinfo.find('\n'), mountinfo.size());
        const std::vector<std::string_view> fields = Fields(mountinfo.substr(0, end));
        mountinfo.remove_prefix(std::min(end + 1, mountinfo.size()));
        const auto dash = std::find(fields.begin() + std::min<std::size_t>(6, fields.size()), fields.end(), "-");
        if (fields.size() < 3 || fields[2] != device || fields.end() - dash < 3)
            continue;
        const std::string_view type = dash[1];
        const std::size_t dot = type.find('.');
        if (type.substr(0, dot) == "fuseblk")
            return FuseMountKind::BlockDevice;
        return NamesFat(dot == std::string_view::npos ? dash[2] : type.substr(dot + 1)) ? FuseMountKind::FatDriver
                                                                                        : FuseMountKind::Other;
    }
    return FuseMountKind::Other;
}

}  // namespace tarvello
