#pragma once

#include <QString>

namespace common {
class PromptView;
}

namespace generation {

// Outcome of one press of "Gerar".
struct ResultadoGeracao {
    bool sucesso = false; // every record was built and nobody cancelled
    QString arquivo;      // full path of the file written, empty when none was written
};

// " = 5", or " in (1,2)" for a consolidating set: the companies whose balances are read.
// A consolidation list that is not a comma-separated list of company numbers stops here.
QString MontaFiltroEmpresas();

// The generate command behind "Gerar" (the main window's btGerarClick and fcont-cli call it): the
// company filter, the run, the dated file in "Arquivos Gerados" under the current folder, shown
// to the user. The partial file of a failed or cancelled run is saved too. `botoes` is the window
// whose Gerar/Cancelar buttons follow the run (may be null).
ResultadoGeracao GeraArquivoFCONT(common::PromptView* botoes);

// Writes the lines as single-byte ISO8859_1 text, each line ended by CR LF.
void SalvaArquivo(const QStringList& linhas, const QString& caminho);

} // namespace generation
