#pragma once

#include "platform/win32/UniqueHandle.h"

#include <windows.h>

#include <string>

namespace tarvello {

// Where the last name of a path begins: after its last "\", "/" or the
// colon of a drive-relative path such as "C:name".
std::size_t NameStart(const std::string& path);

// The stem of the hidden names of copies to a target named `name`: the
// name, cut short where the hidden name would be too long, never inside a
// surrogate pair.
std::string HiddenStemOf(const std::string& name);

// Renames `from` over `to` in one step, written through, trying again for
// a moment while another program holds either. `toAttributes` are those of
// the file at `to` (0 for none): a rename does not replace a read-only file,
// nor on every file system a hidden or system one, so those bits are lifted
// for the rename and put back should it fail. 0 or the Win32 error.
DWORD RenameOver(const std::wstring& from, const std::wstring& to, DWORD toAttributes);

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

    // Closes the file and renames it over `target`, whose attributes are
    // `targetAttributes` (0 where none stands). Returns 0 or the Win32
    // error; after a failure the file is removed.
    DWORD commitOver(const std::wstring& target, DWORD targetAttributes);

    // Closes and deletes the file, if it is still there.
    void remove();

private:
    std::wstring path_;
    UniqueHandle file_;
    DWORD error_ = 0;
    bool named_ = false;  // the file stands under path_
};

}  // namespace tarvello
