#include "app/SummaryDelegate.h"

#include "app/SummaryViewModel.h"
#include "platform/PathSeparator.h"

#include <QApplication>
#include <QStyle>

#include <algorithm>

namespace tarvello {
namespace {

const QStyle* StyleOf(const QStyleOptionViewItem& option) {
    return option.widget ? option.widget->style() : QApplication::style();
}

// The width the style draws a cell's text in. A Summary row has no check
// box and no icon, so that is the whole cell less the margin the style
// keeps on either side; asking the style for the text's rectangle would lay
// out the whole line once more for every row painted.
int TextWidth(const QStyleOptionViewItem& option) {
    const int margin = StyleOf(option)->pixelMetric(QStyle::PM_FocusFrameHMargin, nullptr, option.widget) + 1;
    return option.rect.width() - 2 * margin;
}

// A path cut from the left to the room given, unless it fits; the cut moves
// on to the next separator, so that no folder shows part of its name.
QString Shortened(const QFontMetricsF& metrics, const QString& path, qreal width, qreal room) {
    if (width <= room)
        return path;
    QString shown = metrics.elidedText(path, Qt::ElideLeft, room);
    const qsizetype separator = shown.indexOf(QLatin1Char(kNativeSeparator), 1);
    if (shown.startsWith(QChar(0x2026)) && separator > 1)  // not a font's "..."
        shown.remove(1, separator - 1);
    return shown;
}

}  // namespace

void SummaryDelegate::paint(QPainter* painter, const QStyleOptionViewItem& option, const QModelIndex& index) const {
    QStyleOptionViewItem cell = option;
    initStyleOption(&cell, index);
    fitText(cell, index);
    StyleOf(cell)->drawControl(QStyle::CE_ItemViewItem, &cell, painter, cell.widget);
}

QString SummaryDelegate::shownText(QStyleOptionViewItem option, const QModelIndex& index) const {
    initStyleOption(&option, index);
    fitText(option, index);
    return option.text;
}

// Measures the two paths rather than the whole line, for their widths also
// decide the shares: the target keeps the room it needs up to half, or more
// when the source needs less than the other half; the source takes the rest.
void SummaryDelegate::fitText(QStyleOptionViewItem& option, const QModelIndex& index) const {
    const QStringList paths = index.data(kSummaryPathsRole).toStringList();
    if (paths.size() != 2)
        return;
    static const QString between = DisplayText(SummaryLine({}));  // the words SummaryLine puts between
    const QFontMetricsF metrics(option.font);
    const qreal room = std::max(0.0, TextWidth(option) - metrics.horizontalAdvance(between));
    const qreal sourceWidth = metrics.horizontalAdvance(paths[0]);
    const qreal targetWidth = metrics.horizontalAdvance(paths[1]);
    if (sourceWidth + targetWidth <= room)
        return;  // the whole line, as the model gives it
    const qreal targetRoom = std::min(targetWidth, std::max(room / 2, room - sourceWidth));
    option.text = Shortened(metrics, paths[0], sourceWidth, room - targetRoom) + between +
                  Shortened(metrics, paths[1], targetWidth, targetRoom);
}

}  // namespace tarvello
