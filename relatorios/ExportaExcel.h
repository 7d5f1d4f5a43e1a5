#pragma once

#include "data/ColunasGrades.h"

#include <QString>

#include <functional>

namespace data {
class TdmFCONT;
}

namespace platform {
class DataSet;
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

// Writes the rows of a dataset's view, in its order, to an .xlsx workbook in the spreadsheet's
// columns of the description: a bold header row of titles, the widths, integers as numbers, any
// other value as its display text, null as an empty cell. `incluir`, when given, picks the rows.
// Saved through platform::GravacaoSegura; pending events are processed after every row. Returns
// the number of rows written; throws std::runtime_error when the file cannot be written.
int ExportaTabelaExcel(const platform::DataSet& ds, const std::vector<platform::ColunaGrade>& descricao,
                       const QString& arquivo, const QString& nomeFolha,
                       const std::function<bool(int linha)>& incluir = {});

} // namespace relatorios
