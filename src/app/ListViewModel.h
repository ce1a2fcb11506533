#pragma once

#include "lists/ListRows.h"

#include <QAbstractListModel>
#include <QString>

#include <functional>
#include <string_view>

namespace tarvello {

// The text that shows a path's bytes. Names that are not valid in the
// locale's encoding still show, with replacement characters where bytes do
// not decode.
QString DisplayText(std::string_view bytes);

// Shows a ListRows in a one-column view. The rows live in the plain C++
// list; the model only turns bytes into display text for visible rows.
class ListViewModel : public QAbstractListModel {
    Q_OBJECT
public:
    ListViewModel(const ListRows& rows, QString header, QObject* parent = nullptr);

    // Runs a change of the underlying rows and tells the views about it.
    void change(const std::function<void()>& edit);
    void setHeader(QString header);
    // Tells the views that the texts of two rows have changed in place.
    void rowsChanged(int first, int second);

    int rowCount(const QModelIndex& parent = QModelIndex()) const override;
    QVariant data(const QModelIndex& index, int role = Qt::DisplayRole) const override;
    QVariant headerData(int section, Qt::Orientation orientation,
                        int role = Qt::DisplayRole) const override;

protected:
    // Whether the index names one of the rows.
    bool holdsRow(const QModelIndex& index) const { return index.isValid() && index.row() < rowCount(); }

private:
    const ListRows& rows_;
    QString header_;
};

}  // namespace tarvello
