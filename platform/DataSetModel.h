#pragma once

#include "platform/ColunaGrade.h"
#include "platform/DataSet.h"

#include <QAbstractTableModel>

#include <vector>

namespace platform {

// A table model over a dataset for the grids: one column per visible field (its display label
// as header), or the columns a description names, in its order and with its titles; the display
// text of each value through the field's onGetText, editing through the field's onSetText. It
// follows the dataset's notifications and reads rows without moving the current record; the row
// being edited shows its edit buffer, and a record being inserted shows as one more row at the
// end until it is posted or cancelled.
class DataSetModel : public QAbstractTableModel {
public:
    explicit DataSetModel(DataSet& dataSet, QObject* parent = nullptr);
    // A column whose field the dataset lacks (closed, or not in its statement) shows nothing.
    DataSetModel(DataSet& dataSet, std::vector<ColunaGrade> colunas, QObject* parent = nullptr);

    int rowCount(const QModelIndex& parent = {}) const override;
    int columnCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role = Qt::DisplayRole) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role = Qt::DisplayRole) const override;
    Qt::ItemFlags flags(const QModelIndex& index) const override;
    // Moves to the row, puts the dataset into edit and stores the text through the field's
    // storing handler. A refused text is reported through Dialogs and leaves the value alone.
    bool setData(const QModelIndex& index, const QVariant& value, int role = Qt::EditRole) override;

    DataSet& dataSet() const { return m_dataSet; }
    Field* fieldAt(int column) const;
    int columnOf(const Field& field) const;
    // By name, for described and visible-field columns alike; -1 / empty when not shown.
    int colunaDe(const QString& campo) const;
    QString campoDa(int coluna) const;

    // The description, empty for a model of the visible fields.
    const std::vector<ColunaGrade>& colunas() const { return m_colunas; }
    const ColunaGrade* coluna(int indice) const;
    void defineLista(const QString& campo, const QStringList& lista);
    // Each edited cell is posted at once, and a refused one cancelled, so nothing typed waits
    // in the row (the signatory grid); otherwise the row is stored when the user leaves it.
    void setGravaCadaCelula(bool grava) { m_gravaCadaCelula = grava; }
    bool gravaCadaCelula() const { return m_gravaCadaCelula; }
    // The row of the record being inserted, -1 when none is.
    int linhaNova() const { return m_linhaNova ? m_rowCount : -1; }
    // Re-reads columns and rows; needed only after fields were shown or hidden.
    void reset();
    // True while rows come, go or are re-read: a view's current row then moves by itself and
    // must not be taken for the user's choice.
    bool changing() const { return m_changing; }

private:
    void rowShown(int row);
    void currentShown() { rowShown(m_linhaNova ? m_rowCount : m_dataSet.recNo()); }
    void followState();
    QList<Field*> resolveColumns() const;

    DataSet& m_dataSet;
    std::vector<ColunaGrade> m_colunas;
    QList<Field*> m_columns;
    bool m_gravaCadaCelula = false;
    // The rows the views were told of: a notification arrives after the dataset changed, and
    // the views must see the old count until the model has announced the change.
    int m_rowCount = 0;
    bool m_linhaNova = false; // the views were told of the inserted record's row after m_rowCount
    bool m_changing = false;
};

} // namespace platform
