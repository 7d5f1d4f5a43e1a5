#pragma once

// The seed database with set 1 loaded as the main window loads it, and the demo's external
// tables in the current folder; changes are planted before the set is opened.

#include "conferencia/Conferencia.h"
#include "data/Carregamento.h"
#include "tests/support/ModuloDados.h"

namespace testsupport {

class SementeAberta : public ModuloDadosTest {
protected:
    void SetUp() override {
        ModuloDadosTest::SetUp();
        if (!IsSkipped())
            copiaTabelasExternas();
    }
    // Runs the statements in a connection of their own, then opens set 1.
    void abre(const QString& planta = {}) {
        if (!planta.isEmpty())
            banco->runScript(planta);
        ASSERT_TRUE(data::CarregaConfiguracoes(1));
    }
    conferencia::ResultadoConferencia confere(const QString& planta = {}) {
        abre(planta);
        return conferencia::ConfereConjuntoAberto();
    }
    // The association row of an account of set 1 loses its referential account.
    static QString semReferencia(int pccodigo) {
        return QStringLiteral(
                   "update AUGC80SPAS set COD_CTA_REF = null where SPCODIGO = 1 and PCCODIGO = %1;")
            .arg(pccodigo);
    }
    static QString referencia(int pccodigo, const QString& codigo) {
        return QStringLiteral(
                   "update AUGC80SPAS set COD_CTA_REF = '%2' where SPCODIGO = 1 and PCCODIGO = %1;")
            .arg(pccodigo)
            .arg(codigo);
    }
};

} // namespace testsupport
