#include "platform/win32/OpenPath.h"

#include "platform/win32/WidePath.h"

#include <optional>

namespace tarvello {

UniqueHandle OpenPath(const std::string& path, DWORD access, DWORD flags) {
    const std::optional<std::wstring> wide = ApiPath(path);
    if (path.empty() || !wide) {
        SetLastError(path.empty() ? ERROR_PATH_NOT_FOUND : ERROR_INVALID_NAME);
        return {};
    }
    return UniqueHandle(CreateFileW(wide->c_str(), access, kShareAll, nullptr, OPEN_EXISTING, flags, nullptr));
}

}  // namespace tarvello
