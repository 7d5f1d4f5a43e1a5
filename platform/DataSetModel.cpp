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

DataSetModel::DataSetModel(DataSet& dataSet, QObject* parent) : DataSetModel(dataSet, {}, parent) {}

DataSetModel::DataSetModel(DataSet& dataSet, std::vector<ColunaGrade> colunas, QObject* parent)
    : QAbstractTableModel(parent), m_dataSet(dataSet), m_colunas(std::move(colunas)),
      m_columns(resolveColumns()), m_rowCount(dataSet.active() ? dataSet.recordCount() : 0) {
    const DataSetNotifier* n = &dataSet.notifier();
    connect(n, &DataSetNotifier::opened, this, &DataSetModel::reset);
    connect(n, &DataSetNotifier::closed, this, &DataSetModel::reset);
    connect(n, &DataSetNotifier::refiltered, this, &DataSetModel::reset);
    connect(n, &DataSetNotifier::rowInserted, this, [this](int row) {
        const Changing changing(m_changing);
        if (m_linhaNova) {
            // The inserted record was posted: at the end it simply stays where it was shown.
            if (row == m_rowCount) {
                m_linhaNova = false;
                ++m_rowCount;
                rowShown(row);
                return;
            }
            beginRemoveRows({}, m_rowCount, m_rowCount);
            m_linhaNova = false;
            endRemoveRows();
        }
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
    connect(n, &DataSetNotifier::fieldChanged, this, &DataSetModel::currentShown);
    connect(n, &DataSetNotifier::stateChanged, this, &DataSetModel::followState);
}

void DataSetModel::followState() {
    const bool inserindo = m_dataSet.state() == DataSetState::Insert;
    if (inserindo != m_linhaNova) {
        const Changing changing(m_changing);
        if (inserindo)
            beginInsertRows({}, m_rowCount, m_rowCount);
        else
            beginRemoveRows({}, m_rowCount, m_rowCount);
        m_linhaNova = inserindo;
        if (inserindo)
            endInsertRows();
        else
            endRemoveRows();
    }
    currentShown();
}

void DataSetModel::reset() {
    const Changing changing(m_changing);
    beginResetModel();
    m_columns = resolveColumns();
    m_rowCount = m_dataSet.active() ? m_dataSet.recordCount() : 0;
    m_linhaNova = m_dataSet.active() && m_dataSet.state() == DataSetState::Insert;
    endResetModel();
}

void DataSetModel::rowShown(int row) {
    if (row >= 0 && row < rowCount() && !m_columns.isEmpty())
        emit dataChanged(index(row, 0), index(row, static_cast<int>(m_columns.size()) - 1));
}

QList<Field*> DataSetModel::resolveColumns() const {
    if (m_colunas.empty())
        return m_dataSet.visibleFields();
    QList<Field*> fields;
    for (const ColunaGrade& c : m_colunas)
        fields << m_dataSet.findField(c.campo);
    return fields;
}

int DataSetModel::rowCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : m_rowCount + (m_linhaNova ? 1 : 0);
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

int DataSetModel::colunaDe(const QString& campo) const {
    for (int c = 0; c < m_columns.size(); ++c)
        if (campoDa(c).compare(campo, Qt::CaseInsensitive) == 0)
            return c;
    return -1;
}

QString DataSetModel::campoDa(int coluna) const {
    if (const ColunaGrade* c = this->coluna(coluna))
        return c->campo;
    const Field* field = fieldAt(coluna);
    return field ? field->name() : QString();
}

const ColunaGrade* DataSetModel::coluna(int indice) const {
    return indice >= 0 && indice < static_cast<int>(m_colunas.size())
               ? &m_colunas[static_cast<size_t>(indice)]
               : nullptr;
}

void DataSetModel::defineLista(const QString& campo, const QStringList& lista) {
    for (ColunaGrade& c : m_colunas)
        if (c.campo.compare(campo, Qt::CaseInsensitive) == 0)
            c.lista = lista;
}

QVariant DataSetModel::data(const QModelIndex& index, int role) const {
    const Field* field = fieldAt(index.column());
    if (!field || !index.isValid() || index.row() >= rowCount() ||
        (role != Qt::DisplayRole && role != Qt::EditRole))
        return {};
    // An inserted record is not in the dataset's view until posted: it has the row after the last.
    const bool buffer = index.row() == linhaNova() ||
                        (m_dataSet.state() == DataSetState::Edit && m_dataSet.recNo() == index.row());
    const QVariant value = buffer ? field->value() : m_dataSet.valueAt(index.row(), field->index());
    return field->displayTextOf(value);
}

QVariant DataSetModel::headerData(int section, Qt::Orientation orientation, int role) const {
    if (role != Qt::DisplayRole)
        return {};
    if (orientation == Qt::Horizontal) {
        if (const ColunaGrade* c = coluna(section))
            return c->titulo;
        const Field* field = fieldAt(section);
        return field ? field->displayLabel() : QVariant();
    }
    // A described grid keeps the narrow row indicator of its design, with no room for numbers.
    if (!m_colunas.empty())
        return QString();
    return section + 1;
}

Qt::ItemFlags DataSetModel::flags(const QModelIndex& index) const {
    const Field* field = fieldAt(index.column());
    Qt::ItemFlags f = QAbstractTableModel::flags(index);
    const ColunaGrade* c = coluna(index.column());
    if (field && !field->readOnly() && !field->calculated() && !(c && c->somenteLeitura))
        f |= Qt::ItemIsEditable;
    return f;
}

bool DataSetModel::setData(const QModelIndex& index, const QVariant& value, int role) {
    Field* field = fieldAt(index.column());
    if (role != Qt::EditRole || !field || !(flags(index) & Qt::ItemIsEditable) || index.row() >= rowCount())
        return false;
    if (index.row() == linhaNova()) {
        if (field->displayTextOf(field->value()) == value.toString())
            return false;
        // A refused text or post keeps the new record in insert: what was typed stays in view
        // and leaving the row drops it.
        return runReporting([&] {
            field->setText(value.toString());
            if (m_gravaCadaCelula)
                m_dataSet.post();
        });
    }
    if (m_gravaCadaCelula) {
        if (field->displayTextOf(m_dataSet.valueAt(index.row(), field->index())) == value.toString())
            return false;
        runReporting([&] {
            if (m_dataSet.recNo() != index.row())
                m_dataSet.moveTo(index.row());
            m_dataSet.edit();
            field->setText(value.toString());
            m_dataSet.post();
        });
        if (m_dataSet.editing())
            m_dataSet.cancel();
        // A stored qualification fills its code in another column of the same row.
        rowShown(index.row());
        return true;
    }
    // Called back by the grid's editor: an exception must not unwind through the toolkit.
    return runReporting([&] {
        if (m_dataSet.recNo() != index.row())
            m_dataSet.moveTo(index.row());
        m_dataSet.edit();
        field->setText(value.toString());
    });
}

} // namespace platform
