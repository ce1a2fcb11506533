#pragma once

#include "platform/PathSeparator.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <random>
#include <set>
#include <string>

namespace tarvello::test {

// The file-system path of a path's bytes, which are UTF-8 on Windows, and back.
#ifdef _WIN32
inline std::filesystem::path FsPath(const std::string& bytes) { return std::u8string(bytes.begin(), bytes.end()); }
inline std::string BytesOf(const std::filesystem::path& path) {
    const std::u8string utf8 = path.u8string();
    return {utf8.begin(), utf8.end()};
}
#else
inline std::filesystem::path FsPath(const std::string& bytes) { return bytes; }
inline std::string BytesOf(const std::filesystem::path& path) { return path.string(); }
#endif

// A fresh folder under the system's temporary folder, removed with the
// object. path() ends with the platform's separator, and so do the paths
// made in it: "a/b" in a relative path stands for the separator.
class TempDir {
public:
    TempDir() {
        std::random_device random;
        const std::filesystem::path base = std::filesystem::temp_directory_path();
        for (int attempt = 0; attempt < 100 && path_.empty(); ++attempt) {
            const std::filesystem::path folder = base / ("tarvello-" + std::to_string(random()));
            if (std::filesystem::create_directory(folder))
                path_ = BytesOf(folder) + kNativeSeparator;
        }
        if (path_.empty())
            ADD_FAILURE() << "cannot create a temporary folder";
    }
    ~TempDir() {
        std::error_code ignored;
        std::filesystem::permissions(FsPath(path_), std::filesystem::perms::owner_all,
                                     std::filesystem::perm_options::add, ignored);
        std::filesystem::remove_all(FsPath(path_), ignored);
    }
    TempDir(const TempDir&) = delete;
    TempDir& operator=(const TempDir&) = delete;

    const std::string& path() const { return path_; }

    // Creates the file (and its folders) with the given bytes; returns its path.
    std::string write(const std::string& relative, const std::string& bytes = "x") const {
        const std::string full = pathOf(relative);
        std::filesystem::create_directories(FsPath(full).parent_path());
        std::ofstream(FsPath(full), std::ios::binary) << bytes;
        return full;
    }

    std::string makeFolder(const std::string& relative) const {
        std::filesystem::create_directories(FsPath(pathOf(relative)));
        return pathOf(relative);
    }

    std::string pathOf(std::string relative) const {
        std::replace(relative.begin(), relative.end(), '/', kNativeSeparator);
        return path_ + relative;
    }

private:
    std::string path_;
};

// Every name in a folder, as the bytes the kernel stores; a temporary file
// left behind shows up here.
inline std::set<std::string> NamesIn(const std::string& folder) {
    std::set<std::string> names;
    for (const auto& entry : std::filesystem::directory_iterator(FsPath(folder)))
        names.insert(BytesOf(entry.path().filename()));
    return names;
}

inline std::string ReadBytes(const std::string& path) {
    std::ifstream in(FsPath(path), std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), {});
}

}  // namespace tarvello::test
