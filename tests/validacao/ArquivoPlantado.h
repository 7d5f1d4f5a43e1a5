#pragma once

// The golden file of the seed database, into which a test plants one fault before running one
// rule over it.

#include "validacao/Regras.h"

#include <QStringList>
#include <gtest/gtest.h>

namespace testsupport {

class ArquivoPlantado : public ::testing::Test {
protected:
    using Regra = void (*)(const validacao::Contexto&, validacao::Achados&);

    void SetUp() override;

    // The lines of the golden file, numbered from 1 as the findings number them.
    QStringList linhas;

    static QStringList linhasDoArquivoCerto();
    static const validacao::TabelasExternas& tabelasDaDemonstracao();

    // Field `indice` (REG is 0) of line `numero`.
    void troca(int numero, int indice, const QString& valor);
    void remove(int numero) { linhas.removeAt(numero - 1); }
    void insere(int numero, const QString& linha) { linhas.insert(numero - 1, linha); }

    validacao::ArquivoFCONT arquivo() const;
    validacao::Achados roda(Regra regra) const { return roda(regra, tabelasDaDemonstracao()); }
    validacao::Achados roda(Regra regra, const validacao::TabelasExternas& tabelas) const;
};

// Exactly one finding, of that severity, at that line, for that account.
::testing::AssertionResult UmAchado(const validacao::Achados& achados, validacao::Gravidade gravidade,
                                    int linha, const QString& conta = {});

} // namespace testsupport
