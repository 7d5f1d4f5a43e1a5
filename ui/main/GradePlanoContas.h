#pragma once

#include "platform/DataSetModel.h"

class QTableView;

namespace ui {

// The association rows in the grid's columns of the description (by default the one of
// data::ColunasAssociacao) with the row colours; the start of the period is read from the open
// parameter set at each drawing.
class ModeloPlanoContas : public platform::DataSetModel {
public:
    explicit ModeloPlanoContas(platform::DataSet& dataSet, QObject* parent = nullptr);
    ModeloPlanoContas(platform::DataSet& dataSet, const std::vector<platform::ColunaGrade>& descricao,
                      QObject* parent = nullptr);
    QVariant data(const QModelIndex& index, int role = Qt::DisplayRole) const override;
};

// The grid's widths of the description, grown for the face in use.
void ArrumaColunasPlano(QTableView& grade, const ModeloPlanoContas& modelo);

} // namespace ui
