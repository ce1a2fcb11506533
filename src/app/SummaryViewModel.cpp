#include "app/SummaryViewModel.h"

#include <QStringList>

namespace tarvello {

SummaryViewModel::SummaryViewModel(const SummaryRows& rows, QString header, QObject* parent)
    : ListViewModel(rows, std::move(header), parent), rows_(rows) {}

QVariant SummaryViewModel::data(const QModelIndex& index, int role) const {
    switch (role) {
    case Qt::ToolTipRole:
        return ListViewModel::data(index, Qt::DisplayRole);
    case kSummaryPathsRole: {
        if (!holdsRow(index) || static_cast<std::size_t>(index.row()) >= rows_.plan()->size())
            return {};
        const PlanEntry entry = rows_.plan()->entry(static_cast<std::size_t>(index.row()));
        return QStringList{DisplayText(entry.source), DisplayText(entry.target)};
    }
    default:
        return ListViewModel::data(index, role);
    }
}

}  // namespace tarvello
