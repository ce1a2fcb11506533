#include "run/Playlist.h"

#include "lists/PathText.h"

#include <algorithm>
#include <map>
#include <unordered_set>

namespace tarvello {
namespace {

bool EndsWithNoCase(std::string_view text, std::string_view end) {
    return text.size() >= end.size() &&
           std::equal(end.begin(), end.end(), text.end() - static_cast<std::ptrdiff_t>(end.size()),
                      [](char a, char b) { return a == (b >= 'A' && b <= 'Z' ? b - 'A' + 'a' : b); });
}

// Well-formed UTF-8: no stray or missing continuation bytes, no overlong
// forms, no surrogates, nothing past U+10FFFF.
bool IsUtf8(std::string_view text) {
    for (std::size_t i = 0; i < text.size();) {
        const auto lead = static_cast<unsigned char>(text[i]);
        const std::size_t length = lead < 0x80 ? 1 : lead >= 0xC2 && lead <= 0xDF ? 2
                                                : lead >= 0xE0 && lead <= 0xEF ? 3
                                                : lead >= 0xF0 && lead <= 0xF4 ? 4 : 0;
        if (length == 0 || i + length > text.size())
            return false;
        char32_t code = length == 1 ? lead : lead & (0x7F >> length);
        for (std::size_t k = 1; k < length; ++k) {
            const auto next = static_cast<unsigned char>(text[i + k]);
            if ((next & 0xC0) != 0x80)
                return false;
            code = (code << 6) | (next & 0x3F);
        }
        constexpr char32_t kLeast[] = {0, 0, 0x80, 0x800, 0x10000};
        if (code < kLeast[length] || code > 0x10FFFF || (code >= 0xD800 && code <= 0xDFFF))
            return false;
        i += length;
    }
    return true;
}

// Paths with their folder's links and relative parts resolved, so that
// the playlist and the copies compare alike however they were given. A
// folder that cannot be resolved leaves its paths as they stand.
class ResolvedPaths {
public:
    explicit ResolvedPaths(const FileSystem& fs) : fs_(fs) {}

    std::string operator()(const std::string& path) {
        const std::size_t nameStart = path.rfind(kNativeSeparator) + 1;  // 0 for a bare name
        const std::string folder = path.substr(0, nameStart);
        auto known = folders_.find(folder);
        if (known == folders_.end()) {
            const std::optional<std::string> real = fs_.resolvedFolder(folder.empty() ? "." : folder);
            known = folders_.emplace(folder, real ? WithFinalSeparator(*real, kNativeSeparator) : folder).first;
        }
        return known->second + path.substr(nameStart);
    }

private:
    const FileSystem& fs_;
    std::map<std::string, std::string> folders_;
};

}  // namespace

Playlist MakePlaylist(std::string_view playlistPath, const std::vector<std::string>& targets, char separator) {
    const std::string_view folder = playlistPath.substr(0, playlistPath.rfind(separator) + 1);
    const bool utf8 = EndsWithNoCase(playlistPath, ".m3u8");
    Playlist playlist{"#EXTM3U\n", {}};
    std::unordered_set<std::string_view> listed;
    for (const std::string& target : targets) {
        if (!target.starts_with(folder) || target.size() == folder.size() || !listed.insert(target).second)
            continue;
        const std::string_view relative = std::string_view(target).substr(folder.size());
        if (relative.find_first_of("\r\n") != std::string_view::npos) {
            playlist.leftOut.push_back({target, "the name holds a line break"});
        } else if (utf8 && !IsUtf8(relative)) {
            playlist.leftOut.push_back({target, "the name is not valid UTF-8"});
        } else {
            // A line that begins with "#" would be read as a comment.
            playlist.text += relative.starts_with('#') ? "./" : "";
            const std::size_t start = playlist.text.size();
            playlist.text.append(relative);
            std::replace(playlist.text.begin() + static_cast<std::ptrdiff_t>(start), playlist.text.end(), separator, '/');
            playlist.text += '\n';
        }
    }
    return playlist;
}

Playlist MakeResolvedPlaylist(const FileSystem& fs, const std::string& playlistPath,
                              const std::vector<std::string>& targets) {
    ResolvedPaths resolved(fs);
    std::vector<std::string> copies;
    copies.reserve(targets.size());
    for (const std::string& target : targets)
        copies.push_back(resolved(target));
    return MakePlaylist(resolved(playlistPath), copies);
}

}  // namespace tarvello
