#include "platform/win32/TempCopy.h"

#include "platform/win32/Retry.h"
#include "platform/win32/WidePath.h"

#include <random>

namespace tarvello {
namespace {

constexpr int kAttempts = 100;
constexpr std::size_t kRandomLength = 6;
// A name holds at most 255 UTF-16 units; the dots and the random part take 8.
constexpr std::size_t kNameRoom = 255 - 2 - kRandomLength;

TempCopy* unfinished = nullptr;

// Where the last name of a path begins: after its last "\", "/" or the
// colon of a drive-relative path such as "C:name".
std::size_t NameStart(const std::string& path) {
    const std::size_t cut = path.find_last_of("\\/:");
    return cut == std::string::npos ? 0 : cut + 1;
}

// The target's name, cut short where the hidden name would be too long,
// never inside a surrogate pair.
std::string ShortenedName(const std::string& name) {
    std::wstring wide = WideFromUtf8(name).value_or(std::wstring());
    if (wide.size() <= kNameRoom)
        return name;
    wide.resize(kNameRoom);
    if (wide.back() >= 0xD800 && wide.back() <= 0xDBFF)
        wide.pop_back();
    return Utf8FromWide(wide);
}

// ".<name>.XXXXXX" beside the target.
std::string HiddenPath(const std::string& target) {
    static constexpr char kLetters[] = "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789";
    static std::mt19937 random{std::random_device{}()};
    std::uniform_int_distribution<std::size_t> pick(0, sizeof kLetters - 2);
    const std::size_t start = NameStart(target);
    std::string path = target.substr(0, start) + "." + ShortenedName(target.substr(start)) + ".";
    for (std::size_t i = 0; i < kRandomLength; ++i)
        path += kLetters[pick(random)];
    return path;
}

}  // namespace

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

DWORD TempCopy::commitOver(const std::wstring& target) {
    file_.reset();
    const DWORD error = RetryWhileShared([&] {
        return MoveFileExW(path_.c_str(), target.c_str(), MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH) != 0;
    });
    if (error == 0)
        named_ = false;
    else
        remove();
    return error;
}

}  // namespace tarvello
