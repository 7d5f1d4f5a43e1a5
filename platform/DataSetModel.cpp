#include "platform/DataSetModel.h"

namespace platform {

DataSetModel::DataSetModel(DataSet& dataSet, QObject* parent)
    : QAbstractTableModel(parent), m_dataSet(dataSet), m_columns(dataSet.visibleFields()) {}

void DataSetModel::reset() {
    beginResetModel();
    m_columns = m_dataSet.visibleFields();
    endResetModel();
}

int DataSetModel::rowCount(const QModelIndex& parent) const {
    return parent.isValid() || !m_dataSet.active() ? 0 : m_dataSet.recordCount();
}

int DataSetModel::columnCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : static_cast<int>(m_columns.size());
}

Field* DataSetModel::fieldAt(int column) const { return m_columns.value(column); }

QVariant DataSetModel::data(const QModelIndex& index, int role) const {
    const Field* field = fieldAt(index.column());
    if (!field || !index.isValid() || index.row() >= rowCount())
        return {};
    // Lookup fields work on the current row only: the grid moves there to read them.
    if (field->calculated() && m_dataSet.recNo() != index.row() && !m_dataSet.editing())
        const_cast<DataSet&>(m_dataSet).moveTo(index.row());
    const QVariant value = field->calculated() || (m_dataSet.editing() && m_dataSet.recNo() == index.row())
                               ? field->value()
                               : m_dataSet.valueAt(index.row(), field->index());
    switch (role) {
    case Qt::DisplayRole:
        return field->displayTextOf(value);
    case Qt::EditRole:
        return field->displayTextOf(value);
    default:
        return {};
    }
}

QVariant DataSetModel::headerData(int section, Qt::Orientation orientation, int role) const {
    if (role != Qt::DisplayRole)
        return {};
    if (orientation == Qt::Horizontal) {
        const Field* field = fieldAt(section);
        return field ? field->displayLabel() : QVariant();
    }
    return section + 1;
}

Qt::ItemFlags DataSetModel::flags(const QModelIndex& index) const {
    const Field* field = fieldAt(index.column());
    Qt::ItemFlags f = QAbstractTableModel::flags(index);
    if (field && !field->readOnly() && !field->calculated())
        f |= Qt::ItemIsEditable;
    return f;
}

bool DataSetModel::setData(const QModelIndex& index, const QVariant& value, int role) {
    Field* field = fieldAt(index.column());
    if (role != Qt::EditRole || !field || field->readOnly() || field->calculated())
        return false;
    if (m_dataSet.recNo() != index.row())
        m_dataSet.moveTo(index.row());
    m_dataSet.edit();
    field->setText(value.toString());
    emit dataChanged(index, index);
    return true;
}

} // namespace platform
