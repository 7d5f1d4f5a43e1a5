#pragma once

#include "platform/GravacaoSegura.h"

#include <QDir>
#include <QFileDevice>
#include <QString>

namespace common {
class PromptView;
}

namespace generation {

// Outcome of one press of "Gerar".
struct ResultadoGeracao {
    bool sucesso = false; // every record was built, nobody cancelled and the file is on disk
    QString arquivo;      // full path of the file saved: the complete one, or the partial one
};

// Stops with an "Operação Abortada" box when the open set cannot give a sound file: no company,
// a company that does not exist, no account mask in the set nor in the company, or a signatory
// without name or CPF (VerificaSignatarios).
void VerificaConjunto();
void VerificaSignatarios();

// " = 5", or " in (1,2)" for a consolidating set: the companies whose balances are read.
// A consolidation list that is not a comma-separated list of company numbers stops here.
QString MontaFiltroEmpresas();

// The generate command behind "Gerar" (the main window's btGerarClick and fcont-cli call it): the
// company filter, the run, the dated file in "Arquivos Gerados" under the current folder, shown
// to the user. The partial file of a failed or cancelled run is saved too. `botoes` is the window
// whose Gerar/Cancelar buttons follow the run (may be null).
ResultadoGeracao GeraArquivoFCONT(common::PromptView* botoes);

using platform::ErroGravacao;

// Writes every byte and flushes, throwing ErroGravacao on the first failure.
void GravaBytes(QFileDevice& destino, const QByteArray& bytes);

// Writes the lines as single-byte ISO8859_1 text, each line ended by CR LF, through
// platform::GravacaoSegura: on any failure the file is left as it was and ErroGravacao is thrown.
void SalvaArquivo(const QStringList& linhas, const QString& caminho);

// The name of the partial file of a failed or cancelled run: the complete name with
// " - INCOMPLETO" added, numbered so that no existing file of `pasta` is replaced.
QString NomeArquivoIncompleto(const QDir& pasta, const QString& nomeCompleto);

} // namespace generation
