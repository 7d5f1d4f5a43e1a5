#pragma once

#include <QAbstractTableModel>
#include <QStringList>
#include <QStyledItemDelegate>

#include <vector>

namespace platform {
class DataSet;
class Field;
} // namespace platform

namespace ui {

// A grid column as the design lays it out: the field, its title, its width (0: the grid's
// default), a pick list and a grey background.
struct ColunaGrade {
    QString campo;
    QString titulo;
    int largura = 0;
    bool cinza = false;
    QStringList lista;
};

// The rows of a dataset in the columns chosen for one grid. An edited cell is stored at once
// (edit, storing text, post), so nothing typed is lost when the grid is left.
class ModeloColunas : public QAbstractTableModel {
public:
    ModeloColunas(platform::DataSet& dataSet, std::vector<ColunaGrade> colunas, QObject* parent = nullptr);

    int rowCount(const QModelIndex& parent = {}) const override;
    int columnCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role = Qt::DisplayRole) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role = Qt::DisplayRole) const override;
    Qt::ItemFlags flags(const QModelIndex& index) const override;
    bool setData(const QModelIndex& index, const QVariant& value, int role = Qt::EditRole) override;

    const ColunaGrade& coluna(int indice) const { return m_colunas.at(indice); }
    void defineLista(const QString& campo, const QStringList& lista);
    void recarrega();

private:
    platform::Field* campoDa(int coluna) const;

    platform::DataSet& m_dataSet;
    std::vector<ColunaGrade> m_colunas;
};

// Offers the column's pick list as a drop-down while a cell is edited; free text elsewhere.
class DelegadoLista : public QStyledItemDelegate {
public:
    using QStyledItemDelegate::QStyledItemDelegate;
    QWidget* createEditor(QWidget* parent, const QStyleOptionViewItem& option,
                          const QModelIndex& index) const override;
    void setEditorData(QWidget* editor, const QModelIndex& index) const override;
    void setModelData(QWidget* editor, QAbstractItemModel* model, const QModelIndex& index) const override;
};

} // namespace ui
