#pragma once

#include "platform/posix/UniqueFd.h"

#include <sys/types.h>

#include <functional>
#include <string>

namespace tarvello {

// The copy in the making: a new file in the target's folder that takes the
// target's place only once complete and otherwise leaves no trace. Where no
// target stands yet and the file system allows it, the file has no name at
// all until then (O_TMPFILE), which spares the rename; otherwise it lives
// under a hidden name of its own, ".<target name>.XXXXXX".
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

    // Puts the file in the target's place. Returns 0 or the errno; after a
    // failure the file is still removed.
    int commit();

private:
    // Calls `make` with fresh hidden names until it succeeds at one (it
    // returns 0, or -1 with errno set); 0, or the errno that ends the tries.
    int takeHiddenName(const std::function<int(const char* name)>& make);

    int folderFd_;
    std::string target_;
    std::string name_;  // the hidden name, while the file has one
    UniqueFd fd_;
    int error_ = 0;
    bool unnamed_ = false;
};

}  // namespace tarvello
