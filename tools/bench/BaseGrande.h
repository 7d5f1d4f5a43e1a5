#pragma once

#include "db/Attachment.h"

#include <QString>
#include <vector>

namespace data {
class TdmFCONT;
}

namespace bench {

// One account of the fictional chart, in chart order.
struct ContaGerada {
    int pcCodigo = 0;
    QString ordenacao; // the code without the mask's dots, e.g. "1201" or "12010007"
    int nivel = 0;     // 1..4 for the mask 9.9.99.9999
    bool sintetica = false;
    int grupo = 0; // first digit: 1 assets, 2 liabilities, 3 revenue, 4 costs and expenses
};

// A chart of exactly `contas` accounts on four levels (mask 9.9.99.9999), about one synthetic
// account for every eight analytic ones, spread evenly over the four groups.
std::vector<ContaGerada> MontaPlano(int contas, int primeiraChave);

struct BaseGerada {
    int empresa = 50;
    int configuracao = 50;
    std::vector<ContaGerada> plano;
    int sinteticas = 0;
    int analiticas = 0;
    int saldos = 0;
    int lancamentos = 0; // rows of ACBM19LC (a debit row and a credit row per entry)
    int associacoes = 0;
};

// The demo database without its generation: schema and seed scripts, the program's own upkeep
// on connection, then parameter set 1. `dm` ends connected to it.
db::ConnectionParams CriaBaseDemo(data::TdmFCONT& dm, const QString& arquivo);

// Adds company 50 with its chart, a year of monthly balances (2025, and December 2024 as the
// opening), `linhasRazao` ledger rows spread over 2025 that the balances agree with, and
// parameter set 50 copied from set 1 with an association row for every account (its superior
// account in PCCODIGOSUP). With `superiorDaAssociacao` the set takes the superior accounts
// from the association (RI200LCTPGCR = -1). One transaction, committed at the end.
BaseGerada AcrescentaEmpresaGrande(data::TdmFCONT& dm, int contas, int linhasRazao,
                                   bool superiorDaAssociacao);

// Connects `dm` to a database built before by CriaBaseDemo and AcrescentaEmpresaGrande and
// describes its company 50; throws when its sizes are not the ones asked for.
BaseGerada ReabreBase(data::TdmFCONT& dm, const QString& arquivo, int contas, int linhasRazao,
                      bool superiorDaAssociacao);

} // namespace bench
