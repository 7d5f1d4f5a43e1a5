#pragma once

#include "platform/DataSetModel.h"

#include <QColor>
#include <QStyledItemDelegate>

#include <functional>

class QTableView;

namespace ui {

// A column of the association grid: its field, title and width (0: the grid's default).
struct ColunaPlano {
    const char* campo;
    const char* titulo;
    int largura;
    bool botao; // an edit button opens a search window
};
const std::vector<ColunaPlano>& ColunasPlanoContas();

// The colours of a row of the association grid: synthetic accounts stand out in blue, and a
// referential account whose validity ended before the period starts turns the row red, whatever
// its type.
struct CoresPlano {
    QColor fundo;
    QColor texto;
};
CoresPlano CoresLinhaPlano(const QString& tipoConta, const QVariant& fimValidade,
                           const QVariant& inicioPeriodo);

// The association rows with the grid's titles and row colours; the start of the period is read
// from the open parameter set at each drawing.
class ModeloPlanoContas : public platform::DataSetModel {
public:
    using platform::DataSetModel::DataSetModel;
    QVariant data(const QModelIndex& index, int role = Qt::DisplayRole) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role = Qt::DisplayRole) const override;
    // The grid's column of a field (logical index), -1 when it is not shown.
    int colunaDe(const QString& campo) const;
    QString campoDa(int coluna) const;
};

// Shows the grid's eight columns in order with their widths; again after every reopening,
// since a reopened query may bring its columns anew.
void ArrumaColunasPlano(QTableView& grade, const ModeloPlanoContas& modelo);

// Draws with the row's own colours (no selection highlight), offers "D", "R" and "P" for the
// value indicator, and gives the search columns an editor with a "..." button that calls back.
class DelegadoPlanoContas : public QStyledItemDelegate {
public:
    using BotaoEdicao = std::function<void()>;
    DelegadoPlanoContas(BotaoEdicao botao, QObject* parent);

    void paint(QPainter* painter, const QStyleOptionViewItem& option,
               const QModelIndex& index) const override;
    QWidget* createEditor(QWidget* parent, const QStyleOptionViewItem& option,
                          const QModelIndex& index) const override;
    void setEditorData(QWidget* editor, const QModelIndex& index) const override;
    void setModelData(QWidget* editor, QAbstractItemModel* model, const QModelIndex& index) const override;

private:
    BotaoEdicao m_botao;
};

} // namespace ui
