#include "app/HandCursor.h"

#include "fsprobe/FileProbes.h"

#include <QFile>
#include <QPixmap>
#include <QtEndian>

namespace tarvello {
namespace {

// A cursor file is an icon file whose first entry keeps the hot spot where
// an icon keeps its planes and bit count.
QPoint HotSpot(const QByteArray& file) {
    constexpr int kHotSpotOffset = 10;
    if (file.size() < kHotSpotOffset + 4)
        return {0, 0};
    const auto* bytes = reinterpret_cast<const uchar*>(file.constData()) + kHotSpotOffset;
    return {qFromLittleEndian<quint16>(bytes), qFromLittleEndian<quint16>(bytes + 2)};
}

}  // namespace

QCursor LoadHandCursor(const FileSystem& fs) {
    const std::string path = fs.programFolder() + "/HAND-M.CUR";
    if (!FileExists(fs, path))
        return QCursor(Qt::PointingHandCursor);
    QFile file(QFile::decodeName(path.c_str()));
    if (!file.open(QIODevice::ReadOnly))
        return QCursor(Qt::PointingHandCursor);
    const QByteArray bytes = file.readAll();
    QPixmap image;
    if (!image.loadFromData(bytes, "CUR") && !image.loadFromData(bytes))
        return QCursor(Qt::PointingHandCursor);
    const QPoint hotSpot = HotSpot(bytes);
    return QCursor(image, hotSpot.x(), hotSpot.y());
}

}  // namespace tarvello
