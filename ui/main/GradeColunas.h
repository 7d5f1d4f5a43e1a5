#pragma once

#include "platform/DataSetModel.h"

#include <QStyledItemDelegate>

#include <functional>

namespace ui {

// A grid's rows in the columns of a description, grey where the description says so.
class ModeloGrade : public platform::DataSetModel {
public:
    using platform::DataSetModel::DataSetModel;
    QVariant data(const QModelIndex& index, int role = Qt::DisplayRole) const override;
};

// The cell editors of a grid over a described model (platform::DataSetModel with columns): the
// column's pick list as a drop-down, an editor with a "..." button where the column has one
// (the button calls back once the editor has closed), a masked entry where the column has a mask
// (its digits alone are stored), free text elsewhere. An unchanged cell is
// no edit of the row.
class DelegadoColunas : public QStyledItemDelegate {
public:
    using BotaoEdicao = std::function<void()>;
    explicit DelegadoColunas(QObject* parent, BotaoEdicao botao = {});

    // The association grid draws every cell in its row's colours, the selected one included.
    void setSemSelecao(bool semSelecao) { m_semSelecao = semSelecao; }

    void paint(QPainter* painter, const QStyleOptionViewItem& option,
               const QModelIndex& index) const override;
    QWidget* createEditor(QWidget* parent, const QStyleOptionViewItem& option,
                          const QModelIndex& index) const override;
    void setEditorData(QWidget* editor, const QModelIndex& index) const override;
    void setModelData(QWidget* editor, QAbstractItemModel* model, const QModelIndex& index) const override;

private:
    BotaoEdicao m_botao;
    bool m_semSelecao = false;
};

} // namespace ui
