#include "platform/qt/ExactPath.h"

#include <QFile>
#include <QStringList>

#include <dirent.h>
#include <sys/stat.h>

#include <memory>
#include <optional>

namespace tarvello {
namespace {

std::string Encoded(const QString& text) {
    const QByteArray bytes = QFile::encodeName(text);
    return std::string(bytes.constData(), static_cast<std::size_t>(bytes.size()));
}

bool Exists(const std::string& path) {
    struct stat info {};
    return lstat(path.c_str(), &info) == 0;
}

// The name of the one entry of `folder` that decodes to `name`.
std::optional<std::string> OnlyEntryNamed(const std::string& folder, const QString& name) {
    struct DirCloser {
        void operator()(DIR* dir) const { closedir(dir); }
    };
    const std::unique_ptr<DIR, DirCloser> dir(opendir(folder.c_str()));
    if (!dir)
        return std::nullopt;
    std::optional<std::string> found;
    while (const dirent* entry = readdir(dir.get())) {
        if (QFile::decodeName(entry->d_name) != name)
            continue;
        if (found)
            return std::nullopt;
        found = entry->d_name;
    }
    return found;
}

}  // namespace

std::string ExactPath(const QString& path) {
    std::string resolved = Encoded(path);
    if (resolved.empty() || Exists(resolved))
        return resolved;
    const QStringList parts = path.split(QLatin1Char('/'));
    resolved = Encoded(parts.front());
    for (qsizetype i = 1; i < parts.size(); ++i) {
        std::string part = Encoded(parts[i]);
        if (!part.empty() && !Exists(resolved + '/' + part)) {
            if (auto exact = OnlyEntryNamed(resolved.empty() ? std::string("/") : resolved, parts[i]))
                part = std::move(*exact);
        }
        resolved += '/';
        resolved += part;
    }
    return resolved;
}

}  // namespace tarvello
