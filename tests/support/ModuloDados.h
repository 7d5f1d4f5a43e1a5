#pragma once

// A data module connected to a fresh test database, with the schema upkeep run as at login and,
// for the seed database, the parameter sets of tools/sql/05 added afterwards. The current
// folder is a temporary one, so "Tabelas Externas" and "Arquivos Gerados" stay out of the tree.

#include "data/dmFCONT.h"
#include "platform/ScriptedDialogs.h"
#include "tests/support/TestDatabase.h"

#include <QTemporaryDir>
#include <memory>

namespace testsupport {

class ModuloDadosTest : public ::testing::Test {
protected:
    enum class Base { Antiga, Semente, Configurada };
    virtual Base base() const { return Base::Configurada; }
    // Runs the schema upkeep at connection (as the login does).
    virtual bool atualizaNaConexao() const { return true; }

    void SetUp() override;
    void TearDown() override;

    // Writes a file under the temporary current folder ("Tabelas Externas/contasref-SRF.txt").
    void escreveArquivo(const QString& relativo, const QByteArray& conteudo) const;
    // Copies the demo's external tables into the current folder.
    void copiaTabelasExternas() const;
    QString pastaAtual() const { return m_pasta->path(); }

    std::unique_ptr<TestDatabase> banco;
    std::unique_ptr<QTemporaryDir> m_pasta;
    QString m_pastaAnterior;
    std::unique_ptr<platform::ScopedDialogs> caixas;
    std::unique_ptr<data::TdmFCONT> dm;
};

} // namespace testsupport
