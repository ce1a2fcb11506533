#include "lists/PathText.h"

namespace tarvello {

std::string WithFinalSeparator(std::string_view path, char separator) {
    std::string result(path);
    if (!result.empty() && result.back() != separator)
        result += separator;
    return result;
}

std::string CollapseDoubledSeparators(std::string_view path, char separator) {
    std::string result;
    result.reserve(path.size());
    std::size_t i = 0;
    if (path.size() >= 2 && path[0] == separator && path[1] == separator) {
        result.append(2, separator);
        i = 2;
    }
    while (i < path.size()) {
        result += path[i];
        const bool pair = path[i] == separator && i + 1 < path.size() && path[i + 1] == separator;
        i += pair ? 2 : 1;
    }
    return result;
}

std::string FolderEntryFromPicked(std::string_view picked, char separator) {
    std::string entry = CollapseDoubledSeparators(picked, separator);
    if (picked.empty() || picked.back() != separator)
        entry += separator;
    return entry;
}

std::string_view FileNamePart(std::string_view path, char separator) {
    const auto last = path.rfind(separator);
    return last == std::string_view::npos ? path : path.substr(last + 1);
}

}  // namespace tarvello
