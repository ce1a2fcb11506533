#include "app/ListViewModel.h"

#include <QFile>

#include <limits>

namespace tarvello {

QString DisplayText(std::string_view bytes) {
    return QFile::decodeName(QByteArray(bytes.data(), static_cast<qsizetype>(bytes.size())));
}

ListViewModel::ListViewModel(const ListRows& rows, QString header, QObject* parent)
    : QAbstractListModel(parent), rows_(rows), header_(std::move(header)) {}

void ListViewModel::change(const std::function<void()>& edit) {
    beginResetModel();
    edit();
    endResetModel();
}

void ListViewModel::rowsChanged(int first, int second) {
    for (const int row : {first, second})
        emit dataChanged(index(row), index(row), {Qt::DisplayRole});
}

int ListViewModel::rowCount(const QModelIndex& parent) const {
    if (parent.isValid())
        return 0;
    constexpr std::size_t kMostRows = std::numeric_limits<int>::max();
    return static_cast<int>(std::min(rows_.rowCount(), kMostRows));
}

QVariant ListViewModel::data(const QModelIndex& index, int role) const {
    if (role != Qt::DisplayRole || !holdsRow(index))
        return {};
    return DisplayText(rows_.rowText(static_cast<std::size_t>(index.row())));
}

void ListViewModel::setHeader(QString header) {
    header_ = std::move(header);
    emit headerDataChanged(Qt::Horizontal, 0, 0);
}

QVariant ListViewModel::headerData(int section, Qt::Orientation orientation, int role) const {
    if (section == 0 && orientation == Qt::Horizontal && role == Qt::DisplayRole)
        return header_;
    return {};
}

}  // namespace tarvello
