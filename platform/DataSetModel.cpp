#include "platform/DataSetModel.h"

#include "platform/DataSetNotifier.h"
#include "platform/Dialogs.h"

namespace platform {

namespace {

struct Changing {
    explicit Changing(bool& flag) : flag(flag) { flag = true; }
    ~Changing() { flag = false; }
    bool& flag;
};

} // namespace

DataSetModel::DataSetModel(DataSet& dataSet, QObject* parent)
    : QAbstractTableModel(parent), m_dataSet(dataSet), m_columns(dataSet.visibleFields()),
      m_rowCount(dataSet.active() ? dataSet.recordCount() : 0) {
    const DataSetNotifier* n = &dataSet.notifier();
    connect(n, &DataSetNotifier::opened, this, &DataSetModel::reset);
    connect(n, &DataSetNotifier::closed, this, &DataSetModel::reset);
    connect(n, &DataSetNotifier::refiltered, this, &DataSetModel::reset);
    connect(n, &DataSetNotifier::rowInserted, this, [this](int row) {
        const Changing changing(m_changing);
        beginInsertRows({}, row, row);
        ++m_rowCount;
        endInsertRows();
    });
    connect(n, &DataSetNotifier::rowsAppended, this, [this](int first, int count) {
        const Changing changing(m_changing);
        beginInsertRows({}, first, first + count - 1);
        m_rowCount += count;
        endInsertRows();
    });
    connect(n, &DataSetNotifier::rowRemoved, this, [this](int row) {
        const Changing changing(m_changing);
        beginRemoveRows({}, row, row);
        --m_rowCount;
        endRemoveRows();
    });
    connect(n, &DataSetNotifier::rowChanged, this, &DataSetModel::rowShown);
    // The edit buffer is shown over the current row, and lookup columns may read any field.
    connect(n, &DataSetNotifier::fieldChanged, this, [this] { rowShown(m_dataSet.recNo()); });
    connect(n, &DataSetNotifier::stateChanged, this, [this] { rowShown(m_dataSet.recNo()); });
}

void DataSetModel::reset() {
    const Changing changing(m_changing);
    beginResetModel();
    m_columns = m_dataSet.visibleFields();
    m_rowCount = m_dataSet.active() ? m_dataSet.recordCount() : 0;
    endResetModel();
}

void DataSetModel::rowShown(int row) {
    if (row >= 0 && row < m_rowCount && !m_columns.isEmpty())
        emit dataChanged(index(row, 0), index(row, static_cast<int>(m_columns.size()) - 1));
}

int DataSetModel::rowCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : m_rowCount;
}

int DataSetModel::columnCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : static_cast<int>(m_columns.size());
}

Field* DataSetModel::fieldAt(int column) const {
    return m_columns.value(column);
}

int DataSetModel::columnOf(const Field& field) const {
    return static_cast<int>(m_columns.indexOf(&field));
}

QVariant DataSetModel::data(const QModelIndex& index, int role) const {
    const Field* field = fieldAt(index.column());
    if (!field || !index.isValid() || index.row() >= m_rowCount ||
        (role != Qt::DisplayRole && role != Qt::EditRole))
        return {};
    // An inserted record is not in the view until posted; only an edited one lies over a row.
    const bool buffer = m_dataSet.state() == DataSetState::Edit && m_dataSet.recNo() == index.row();
    const QVariant value = buffer ? field->value() : m_dataSet.valueAt(index.row(), field->index());
    return field->displayTextOf(value);
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
    if (role != Qt::EditRole || !field || field->readOnly() || field->calculated() ||
        index.row() >= m_rowCount)
        return false;
    // Called back by the grid's editor: an exception must not unwind through the toolkit.
    return runReporting([&] {
        if (m_dataSet.recNo() != index.row())
            m_dataSet.moveTo(index.row());
        m_dataSet.edit();
        field->setText(value.toString());
    });
}

} // namespace platform
