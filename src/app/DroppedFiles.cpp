#include "app/DroppedFiles.h"

#include <QMimeData>
#include <QUrl>

namespace tarvello {

// The path is percent-decoded from the URL's fully encoded form straight
// to bytes: QUrl::toLocalFile() would pass it through a QString and lose
// every name that is not valid UTF-8.
std::vector<std::string> DroppedFiles(const QMimeData& dropped) {
    std::vector<std::string> paths;
    if (!dropped.hasUrls())
        return paths;
    for (const QUrl& url : dropped.urls()) {
        if (!url.isLocalFile() || !(url.host().isEmpty() || url.host() == QLatin1String("localhost")))
            continue;
        QByteArray path = QByteArray::fromPercentEncoding(url.path(QUrl::FullyEncoded).toLatin1());
        while (path.size() > 1 && path.endsWith('/'))
            path.chop(1);
        if (!path.isEmpty())
            paths.emplace_back(path.constData(), static_cast<std::size_t>(path.size()));
    }
    return paths;
}

}  // namespace tarvello
