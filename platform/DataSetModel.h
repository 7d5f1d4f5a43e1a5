#pragma once

#include "platform/DataSet.h"

#include <QAbstractTableModel>

namespace platform {

// A table model over a dataset for the grids: one column per visible field (its display label
// as header), the display text of each value through the field's onGetText, editing through
// the field's onSetText. Call reset() after the dataset was reopened or refiltered.
class DataSetModel : public QAbstractTableModel {
public:
    explicit DataSetModel(DataSet& dataSet, QObject* parent = nullptr);

    int rowCount(const QModelIndex& parent = {}) const override;
    int columnCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role = Qt::DisplayRole) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role = Qt::DisplayRole) const override;
    Qt::ItemFlags flags(const QModelIndex& index) const override;
    bool setData(const QModelIndex& index, const QVariant& value, int role = Qt::EditRole) override;

    Field* fieldAt(int column) const;
    void reset();

private:
    DataSet& m_dataSet;
    QList<Field*> m_columns;
};

} // namespace platform
