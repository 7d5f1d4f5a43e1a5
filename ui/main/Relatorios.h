#pragma once

#include <QString>

#include <functional>

class QWidget;

namespace platform {
class RelatorioBandas;
}

namespace ui {

// Seams for the tests, as the search windows have: the print preview of a report (modal, over
// `pai`), and the name of the workbook to write (empty when the user gave none).
using PreVisualizacao = std::function<void(QWidget* pai, platform::RelatorioBandas& relatorio)>;
PreVisualizacao& preVisualizaRelatorio();
using NomeArquivo = std::function<QString(QWidget* pai)>;
NomeArquivo& escolheArquivoExcel();

// "Visualizar": asks which chart to print and previews that report, from which the user prints
// or saves a PDF.
void VisualizaRelatorios(QWidget* pai);

// "Exportar Excel": the chart grid's rows as shown, only the rows without a referential account
// when that filter is ticked, to the workbook the user names.
void ExportaExcel(QWidget* pai, bool somenteNaoReferenciadas);

} // namespace ui
