#pragma once

#include "platform/DataSet.h"

#include <QString>
#include <functional>

namespace generation {

// The rendering classes kept in a record field's tag.
enum ClasseCampo { ClasseTexto = 0, ClasseDigitos = 1, ClasseData = 2, ClasseValor = 3, ClasseConta = 4 };

// Renders the current row of a record table as one FCONT line ("|" + each visible field's text
// + "|"), then does the per-line chores of a generation: the cancel check, pending events and
// the progress prompt. Returns the line trimmed. A cancel raises platform::SilentAbort.
QString MontaLinhaRegistro(platform::DataSet& tabela);

// The after-store hook of the record tables: the stored row's line is appended to
// dmFCONT->slArquivo. The list must exist (the generate command creates it); std::logic_error
// otherwise.
void EscreveLinha(platform::DataSet& tabela);

// Progress title of a record code ("I050" -> "Gerando Dados: PLANO DE CONTAS x REFERENCIAL...").
QString DescricaoRegistro(const QString& codigo);

// The account mask of class 4 fields: the parameter set's SPMASCARA when not blank, else the
// processed company's PACONTAMASCARA; blank when neither dataset is open or has a value.
QString MascaraConta();
// Replaces where MascaraConta reads the mask (tests and tools without a database); an empty
// function restores the datasets of dmFCONT.
void DefineMascaraConta(std::function<QString()> fonte);

} // namespace generation
