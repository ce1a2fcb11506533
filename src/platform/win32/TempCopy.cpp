#include "platform/win32/TempCopy.h"

#include "platform/HiddenName.h"
#include "platform/win32/Retry.h"
#include "platform/win32/WidePath.h"

namespace tarvello {
namespace {

constexpr int kAttempts = 100;
// A name holds at most 255 UTF-16 units; the dots and the random part take 8.
constexpr std::size_t kNameRoom = 255 - kHiddenDecoration;
constexpr DWORD kInTheWay = FILE_ATTRIBUTE_READONLY | FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_SYSTEM;

TempCopy* unfinished = nullptr;

// ".<name>.XXXXXX" beside the target.
std::string HiddenPath(const std::string& target) {
    const std::size_t start = NameStart(target);
    return target.substr(0, start) + RandomHiddenName(HiddenStemOf(target.substr(start)));
}

}  // namespace

std::size_t NameStart(const std::string& path) {
    const std::size_t cut = path.find_last_of("\\/:");
    return cut == std::string::npos ? 0 : cut + 1;
}

std::string HiddenStemOf(const std::string& name) {
    std::wstring wide = WideFromUtf8(name).value_or(std::wstring());
    if (wide.size() <= kNameRoom)
        return name;
    wide.resize(kNameRoom);
    if (wide.back() >= 0xD800 && wide.back() <= 0xDBFF)
        wide.pop_back();
    return Utf8FromWide(wide);
}

DWORD RenameOver(const std::wstring& from, const std::wstring& to, DWORD toAttributes) {
    const bool lifted = (toAttributes & kInTheWay) != 0;
    if (lifted && !SetFileAttributesW(to.c_str(), (toAttributes & ~kInTheWay) | FILE_ATTRIBUTE_ARCHIVE))
        return GetLastError();
    const DWORD error = RetryWhileShared([&] {
        return MoveFileExW(from.c_str(), to.c_str(), MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH) != 0;
    });
    if (error != 0 && lifted)
        SetFileAttributesW(to.c_str(), toAttributes);
    return error;
}

void RemoveUnfinishedCopy() {
    if (unfinished)
        unfinished->remove();
}

TempCopy::TempCopy(const std::string& target) {
    for (int attempt = 0; attempt < kAttempts; ++attempt) {
        const std::optional<std::wstring> path = ApiPath(HiddenPath(target));
        if (!path) {
            error_ = ERROR_INVALID_NAME;
            return;
        }
        file_ = UniqueHandle(CreateFileW(path->c_str(), GENERIC_WRITE | DELETE, 0, nullptr, CREATE_NEW,
                                         FILE_ATTRIBUTE_HIDDEN | FILE_FLAG_SEQUENTIAL_SCAN, nullptr));
        if (file_) {
            path_ = *path;
            named_ = true;
            error_ = 0;
            unfinished = this;
            return;
        }
        error_ = GetLastError();
        if (error_ != ERROR_FILE_EXISTS && error_ != ERROR_ALREADY_EXISTS)
            return;
    }
}

TempCopy::~TempCopy() {
    remove();
    if (unfinished == this)
        unfinished = nullptr;
}

void TempCopy::remove() {
    file_.reset();
    if (named_)
        DeleteFileW(path_.c_str());
    named_ = false;
}

DWORD TempCopy::commitOver(const std::wstring& target, DWORD targetAttributes) {
    file_.reset();
    const DWORD error = RenameOver(path_, target, targetAttributes);
    if (error == 0)
        named_ = false;
    else
        remove();
    return error;
}

}  // namespace tarvello
