#include "ui/main/GradeColunas.h"

#include "platform/Abort.h"
#include "platform/DataSet.h"
#include "platform/Dialogs.h"

#include <QBrush>
#include <QColor>
#include <QComboBox>

namespace ui {

ModeloColunas::ModeloColunas(platform::DataSet& dataSet, std::vector<ColunaGrade> colunas, QObject* parent)
    : QAbstractTableModel(parent), m_dataSet(dataSet), m_colunas(std::move(colunas)) {}

platform::Field* ModeloColunas::campoDa(int coluna) const {
    if (coluna < 0 || coluna >= columnCount())
        return nullptr;
    return m_dataSet.findField(m_colunas[static_cast<size_t>(coluna)].campo);
}

int ModeloColunas::rowCount(const QModelIndex& parent) const {
    return parent.isValid() || !m_dataSet.active() ? 0 : m_dataSet.recordCount();
}

int ModeloColunas::columnCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : static_cast<int>(m_colunas.size());
}

QVariant ModeloColunas::data(const QModelIndex& index, int role) const {
    const platform::Field* f = campoDa(index.column());
    if (!f || index.row() >= rowCount())
        return {};
    if (role == Qt::BackgroundRole)
        return m_colunas[static_cast<size_t>(index.column())].cinza ? QBrush(QColor(0xd4, 0xd0, 0xc8))
                                                                    : QVariant();
    if (role != Qt::DisplayRole && role != Qt::EditRole)
        return {};
    const QVariant valor = m_dataSet.editing() && m_dataSet.recNo() == index.row()
                               ? f->value()
                               : m_dataSet.valueAt(index.row(), f->index());
    return f->displayTextOf(valor);
}

QVariant ModeloColunas::headerData(int section, Qt::Orientation orientation, int role) const {
    if (role != Qt::DisplayRole)
        return {};
    if (orientation == Qt::Horizontal)
        return section < columnCount() ? m_colunas[static_cast<size_t>(section)].titulo : QVariant();
    return {};
}

Qt::ItemFlags ModeloColunas::flags(const QModelIndex& index) const {
    Qt::ItemFlags f = QAbstractTableModel::flags(index);
    const platform::Field* campo = campoDa(index.column());
    if (campo && !campo->readOnly() && !campo->calculated())
        f |= Qt::ItemIsEditable;
    return f;
}

bool ModeloColunas::setData(const QModelIndex& index, const QVariant& value, int role) {
    platform::Field* f = campoDa(index.column());
    if (role != Qt::EditRole || !f || index.row() >= rowCount())
        return false;
    if (f->displayTextOf(m_dataSet.valueAt(index.row(), f->index())) == value.toString())
        return false;
    try {
        if (m_dataSet.recNo() != index.row())
            m_dataSet.moveTo(index.row());
        m_dataSet.edit();
        f->setText(value.toString());
        m_dataSet.post();
    } catch (const platform::SilentAbort&) {
    } catch (const std::exception& e) {
        platform::dialogs().error(QString::fromUtf8(e.what()));
    }
    if (m_dataSet.editing())
        m_dataSet.cancel();
    // A stored qualification fills its code in another column of the same row.
    emit dataChanged(this->index(index.row(), 0), this->index(index.row(), columnCount() - 1));
    return true;
}

void ModeloColunas::defineLista(const QString& campo, const QStringList& lista) {
    for (ColunaGrade& c : m_colunas)
        if (c.campo.compare(campo, Qt::CaseInsensitive) == 0)
            c.lista = lista;
}

void ModeloColunas::recarrega() {
    beginResetModel();
    endResetModel();
}

QWidget* DelegadoLista::createEditor(QWidget* parent, const QStyleOptionViewItem& option,
                                     const QModelIndex& index) const {
    const auto* modelo = dynamic_cast<const ModeloColunas*>(index.model());
    if (!modelo || modelo->coluna(index.column()).lista.isEmpty())
        return QStyledItemDelegate::createEditor(parent, option, index);
    auto* combo = new QComboBox(parent);
    combo->setEditable(true);
    combo->addItems(modelo->coluna(index.column()).lista);
    return combo;
}

void DelegadoLista::setEditorData(QWidget* editor, const QModelIndex& index) const {
    if (auto* combo = qobject_cast<QComboBox*>(editor)) {
        combo->setCurrentText(index.data(Qt::EditRole).toString());
        return;
    }
    QStyledItemDelegate::setEditorData(editor, index);
}

void DelegadoLista::setModelData(QWidget* editor, QAbstractItemModel* model, const QModelIndex& index) const {
    if (auto* combo = qobject_cast<QComboBox*>(editor)) {
        model->setData(index, combo->currentText(), Qt::EditRole);
        return;
    }
    QStyledItemDelegate::setModelData(editor, model, index);
}

} // namespace ui
