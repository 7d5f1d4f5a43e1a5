#include "ui/search/ModeloPesquisa.h"

namespace ui {

QVariant ModeloPesquisa::data(const QModelIndex& index, int role) const {
    if ((role == Qt::BackgroundRole || role == Qt::ForegroundRole) && m_pintura && index.isValid()) {
        const std::optional<Cores> cores = m_pintura(index.row());
        if (!cores)
            return {};
        return role == Qt::BackgroundRole ? cores->fundo : cores->texto;
    }
    return platform::DataSetModel::data(index, role);
}

Qt::ItemFlags ModeloPesquisa::flags(const QModelIndex& index) const {
    // Search grids only show rows.
    return platform::DataSetModel::flags(index) & ~Qt::ItemIsEditable;
}

} // namespace ui
