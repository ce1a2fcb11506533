#include "app/HandCursor.h"

#include "fsprobe/FileProbes.h"

#include <QFile>
#include <QPixmap>
#include <QtEndian>

#include <optional>

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

// The bytes of a data file beside the executable; nothing when it is
// missing or cannot be read.
std::optional<QByteArray> ReadBesideProgram(const FileSystem& fs, const char* name) {
    const std::string path = fs.programFolder() + "/" + name;
    if (!FileExists(fs, path))
        return std::nullopt;
    QFile file(QFile::decodeName(path.c_str()));
    if (!file.open(QIODevice::ReadOnly))
        return std::nullopt;
    return file.readAll();
}

}  // namespace

QCursor LoadHandCursor(const FileSystem& fs) {
    const auto bytes = ReadBesideProgram(fs, "HAND-M.CUR");
    QPixmap image;
    if (!bytes || (!image.loadFromData(*bytes, "CUR") && !image.loadFromData(*bytes)))
        return QCursor(Qt::PointingHandCursor);
    const QPoint hotSpot = HotSpot(*bytes);
    return QCursor(image, hotSpot.x(), hotSpot.y());
}

QCursor LoadDragCursor(const FileSystem& fs) {
    const auto bytes = ReadBesideProgram(fs, "drag.ico");
    QPixmap image;
    if (!bytes || !image.loadFromData(*bytes))
        return QCursor(Qt::ClosedHandCursor);
    return QCursor(image);
}

}  // namespace tarvello
