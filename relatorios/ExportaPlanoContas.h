#pragma once

#include <QString>

namespace data {
class TdmFCONT;
}

namespace relatorios {

// The chart menu's export once the workbook is named, for the window and fcont-cli alike: the
// rows go out through ExportaPlanoContasExcel; a workbook that cannot be written shows its
// "Erro:" box and raises the silent abort. Returns the number of rows written.
int ExportaPlanoContas(data::TdmFCONT& dm, const QString& arquivo, bool somenteNaoReferenciadas);

} // namespace relatorios
