#pragma once

#include "platform/win32/UniqueHandle.h"

#include <windows.h>

#include <string>

namespace tarvello {

// Removes the temporary file of the copy under way, if there is one, for a
// program that is about to end in the middle of it.
void RemoveUnfinishedCopy();

// The copy in the making: a new hidden file ".<target name>.XXXXXX" beside
// the target, which takes the target's place only once complete and
// otherwise leaves no trace. One at a time per process.
class TempCopy {
public:
    explicit TempCopy(const std::string& target);
    ~TempCopy();
    TempCopy(const TempCopy&) = delete;
    TempCopy& operator=(const TempCopy&) = delete;

    // 0 once the file exists, else the Win32 error why it could not be made.
    DWORD error() const { return error_; }
    HANDLE handle() const { return file_.get(); }

    // Closes the file and renames it over `target`, write-through. Returns
    // 0 or the Win32 error; after a failure the file is removed.
    DWORD commitOver(const std::wstring& target);

    // Closes and deletes the file, if it is still there.
    void remove();

private:
    std::wstring path_;
    UniqueHandle file_;
    DWORD error_ = 0;
    bool named_ = false;  // the file stands under path_
};

}  // namespace tarvello
