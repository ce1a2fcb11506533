#pragma once

#include "app/ListViewModel.h"
#include "app/SummaryRows.h"

namespace tarvello {

// The role that gives a Summary row's two paths, source and target, as a
// QStringList: the row's own pair, for a name may hold the words between.
inline constexpr int kSummaryPathsRole = Qt::UserRole;

// The Summary list's model: each row's line, the line again as its tool
// tip, and its two paths for a view that shortens each on its own.
class SummaryViewModel final : public ListViewModel {
    Q_OBJECT
public:
    SummaryViewModel(const SummaryRows& rows, QString header, QObject* parent = nullptr);

    QVariant data(const QModelIndex& index, int role = Qt::DisplayRole) const override;

private:
    const SummaryRows& rows_;
};

}  // namespace tarvello
