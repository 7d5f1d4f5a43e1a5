#pragma once

#include "validacao/Achado.h"

#include <QString>

namespace app {

struct OpcoesValidar {
    QString arquivo;
    QString tabelas;                           // folder of the external tables; empty: "Tabelas Externas"
    QString formato = QStringLiteral("texto"); // "texto" or "csv"
};

// "validar": the findings on standard output, one a line, then "N erros, M avisos" on standard
// error. 0 without errors (warnings allowed), 1 with errors, 2 when the file or the tables
// cannot be read.
int ExecutaValidar(const OpcoesValidar& opcoes);

// After "gerar": validates the file just written against the "Tabelas Externas" of the current
// folder and prints the first findings and the summary on standard error. Returns the findings.
validacao::Achados ValidaArquivoGerado(const QString& arquivo);

// One finding as a line: "Erro na linha 12, I050 COD_CTA_SUP, conta 1.1.01.001: ...", or as a
// ";"-separated row (amounts carry a decimal comma) with quotes where a field needs them.
QString LinhaDoAchado(const validacao::Achado& achado);
QString LinhaCsvDoAchado(const validacao::Achado& achado);

} // namespace app
