#pragma once

#include <QStringList>

#include <vector>

namespace app {

struct ColunaNova {
    const char* tabela;
    const char* definicao;
};

const std::vector<ColunaNova>& ColunasNovas();

// After every successful connection: brings the program's own tables up to date.
void dbBancoAfterConnect();

// Why the additions of the last upkeep failed, told apart through the catalogue after each
// failure (only when the database was not current, so a current one still costs two queries).
struct ResultadoAtualizacao {
    int jaExistentes = 0;        // the column was there already: the normal case of an old base
    QStringList tabelasAusentes; // tables of the program that the database does not have
    int semTabela = 0;           // additions that failed for want of their table
    int semDominio = 0;          // additions that failed because the domain DOVALOR is missing
    int outrasFalhas = 0;        // anything else (see slErros)
};
const ResultadoAtualizacao& UltimaAtualizacao();

// The summary of the last upkeep for a terminal, one line per cause, most serious first; empty
// when nothing failed.
QStringList AvisosDaAtualizacao();

} // namespace app
