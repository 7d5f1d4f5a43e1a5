#pragma once

#include "platform/DataSetModel.h"
#include "ui/search/CoresPlano.h"

#include <QColor>
#include <functional>
#include <optional>

namespace ui {

// The grid model of the search windows: the dataset's rows, with colours chosen per row.
class ModeloPesquisa : public platform::DataSetModel {
public:
    using Cores = CoresPlano;
    using Pintura = std::function<std::optional<Cores>(int linha)>;

    using platform::DataSetModel::DataSetModel;

    void setPintura(Pintura pintura) { m_pintura = std::move(pintura); }
    QVariant data(const QModelIndex& index, int role = Qt::DisplayRole) const override;
    Qt::ItemFlags flags(const QModelIndex& index) const override;

private:
    Pintura m_pintura;
};

} // namespace ui
