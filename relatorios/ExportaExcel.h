#pragma once

#include "data/ColunasGrades.h"

#include <QString>

namespace data {
class TdmFCONT;
}

namespace relatorios {

// Writes the association rows of the open parameter set, as the chart grid shows them (the
// spreadsheet's columns of the description, titles and order), to an .xlsx workbook with a header
// row and column widths. With
// somenteNaoReferenciadas only the rows without a referential account go out, whatever statement
// quRegI050I051 was opened with. The current row ends where it was. Returns the number of rows
// written; throws std::runtime_error (with the library's reason) when the file cannot be written.
// The file is saved through platform::GravacaoSegura, so a failure leaves an earlier file as it
// was; pending events are processed after every row, where a hook may stop the export by throwing.
int ExportaPlanoContasExcel(data::TdmFCONT& dm, const QString& arquivo, bool somenteNaoReferenciadas,
                            const std::vector<platform::ColunaGrade>& descricao = data::ColunasAssociacao());

} // namespace relatorios
