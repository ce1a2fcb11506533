#pragma once

#include "platform/HiddenName.h"
#include "platform/posix/UniqueFd.h"

#include <sys/types.h>

#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace tarvello {

// Removes the named temporary files of this process, for a program that is
// about to end in the middle of a copy. Unnamed ones vanish by themselves.
void RemoveUnfinishedTempFiles();

// The stems that the hidden names of a copy to `targetName` in the folder
// can have: the whole name, or the name cut short to fit the folder's
// longest name.
std::vector<std::string> HiddenNameStems(int folderFd, const std::string& targetName);

// The copy in the making: a new file in the target's folder that takes the
// target's place only once complete and otherwise leaves no trace. Where the
// file system allows it, the file has no name at all until then (O_TMPFILE):
// it is linked straight in where no target stands, or under a hidden name
// just before the rename over the old target. Elsewhere (FAT, exFAT) it
// lives under a hidden name of its own, ".<target name>.XXXXXX", throughout.
class TempFile {
public:
    // Creates the file with the permission bits `mode`, which the umask
    // trims as for any new file.
    TempFile(int folderFd, std::string targetName, bool targetExists, mode_t mode);
    ~TempFile();
    TempFile(const TempFile&) = delete;
    TempFile& operator=(const TempFile&) = delete;

    // 0 once the file exists, else the errno why it could not be made.
    int error() const { return error_; }
    int fd() const { return fd_.get(); }
    // Whether the file has had no name of its own from the start, so that a
    // process killed in the middle of the copy leaves nothing behind.
    bool unnamed() const { return unnamed_; }

    // Puts the file in the target's place. Returns 0 or the errno; after a
    // failure the file is still removed.
    int commit();

    // Unlinks the hidden name, if the file has one.
    void removeName() const;

private:
    // Gives the unnamed file its name: the target's, or a hidden one.
    int linkUnnamed();

    // Calls `make` with fresh hidden names until it succeeds at one (it
    // returns 0, or -1 with errno set); 0, or the errno that ends the tries.
    int takeHiddenName(const std::function<int(const char* name)>& make);

    int folderFd_;
    std::string target_;
    std::string name_;  // the hidden name, while the file has one
    UniqueFd fd_;
    int error_ = 0;
    bool targetExists_;
    bool unnamed_ = false;
};

}  // namespace tarvello
