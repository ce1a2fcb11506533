#pragma once

#include <QStyledItemDelegate>

namespace tarvello {

// Paints a Summary line that is wider than its cell with each path
// shortened from the left, so that the file names and the destination
// folder show: "…/Holiday 2026/a.jpg will be copied to …/Frame/a.jpg".
// A line that fits is painted whole. The paths come from the model's
// kSummaryPathsRole.
class SummaryDelegate final : public QStyledItemDelegate {
    Q_OBJECT
public:
    using QStyledItemDelegate::QStyledItemDelegate;

    void paint(QPainter* painter, const QStyleOptionViewItem& option, const QModelIndex& index) const override;
    // The text paint() draws in the cell that the view's option describes.
    QString shownText(QStyleOptionViewItem option, const QModelIndex& index) const;

private:
    // Puts the shortened line in place of the option's text where that
    // does not fit.
    void fitText(QStyleOptionViewItem& option, const QModelIndex& index) const;
};

}  // namespace tarvello
