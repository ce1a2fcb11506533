#pragma once

#include "lists/ListRows.h"

#include <QAbstractListModel>
#include <QString>

#include <functional>

namespace tarvello {

// Shows a ListRows in a one-column view. The rows live in the plain C++
// list; the model only turns bytes into display text for visible rows.
class ListViewModel final : public QAbstractListModel {
    Q_OBJECT
public:
    ListViewModel(const ListRows& rows, QString header, QObject* parent = nullptr);

    // Runs a change of the underlying rows and tells the views about it.
    void change(const std::function<void()>& edit);
    // Tells the views that the texts of two rows have changed in place.
    void rowsChanged(int first, int second);

    int rowCount(const QModelIndex& parent = QModelIndex()) const override;
    QVariant data(const QModelIndex& index, int role = Qt::DisplayRole) const override;
    QVariant headerData(int section, Qt::Orientation orientation,
                        int role = Qt::DisplayRole) const override;

private:
    const ListRows& rows_;
    QString header_;
};

}  // namespace tarvello
