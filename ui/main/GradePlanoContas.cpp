#include "ui/main/GradePlanoContas.h"

#include "data/ColunasGrades.h"
#include "data/dmFCONT.h"
#include "ui/search/CoresPlano.h"
#include "ui/search/LarguraColuna.h"

#include <QBrush>
#include <QHeaderView>
#include <QTableView>

namespace ui {

ModeloPlanoContas::ModeloPlanoContas(platform::DataSet& dataSet, QObject* parent)
    : ModeloPlanoContas(dataSet, data::ColunasAssociacao(), parent) {}

ModeloPlanoContas::ModeloPlanoContas(platform::DataSet& dataSet,
                                     const std::vector<platform::ColunaGrade>& descricao, QObject* parent)
    : platform::DataSetModel(dataSet, platform::ColunasDa(descricao, platform::NaGrade), parent) {}

QVariant ModeloPlanoContas::data(const QModelIndex& index, int role) const {
    if (role != Qt::BackgroundRole && role != Qt::ForegroundRole)
        return platform::DataSetModel::data(index, role);
    if (!index.isValid() || index.row() >= rowCount())
        return {};
    const platform::DataSet& ds = dataSet();
    const platform::Field* tipo = ds.findField(QStringLiteral("PCTIPO"));
    const platform::Field* validade = ds.findField(QStringLiteral("DT_VALIDADE"));
    const CoresPlano cores = CoresLinhaPlano(
        tipo ? ds.valueAt(index.row(), tipo->index()).toString() : QString(),
        validade ? ds.valueAt(index.row(), validade->index()) : QVariant(), InicioDoPeriodo());
    return QBrush(role == Qt::BackgroundRole ? cores.fundo : cores.texto);
}

void ArrumaColunasPlano(QTableView& grade, const ModeloPlanoContas& modelo) {
    for (int i = 0; i < modelo.columnCount(); ++i) {
        const platform::ColunaGrade& c = *modelo.coluna(i);
        grade.setColumnWidth(
            i, LarguraNaTela(grade,
                             c.largura > 0 ? c.largura : grade.horizontalHeader()->defaultSectionSize() * 2,
                             c.titulo));
    }
}

} // namespace ui
