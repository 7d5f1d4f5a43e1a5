#include "tests/support/ModuloDados.h"

#include "app/AtualizacaoBanco.h"

#include <QDir>
#include <QFile>

namespace testsupport {

void ModuloDadosTest::SetUp() {
    if (!serverAvailable())
        GTEST_SKIP() << "No Firebird server reachable at " << testHost().toStdString();
    const QStringList scripts = base() == Base::Antiga ? schemaScripts() : seedScripts();
    banco = std::make_unique<TestDatabase>(scripts);
    m_pasta = std::make_unique<QTemporaryDir>();
    m_pastaAnterior = QDir::currentPath();
    QDir::setCurrent(m_pasta->path());
    caixas = std::make_unique<platform::ScopedDialogs>();
    dm = std::make_unique<data::TdmFCONT>();
    dm->dbBanco.params = banco->params();
    if (atualizaNaConexao())
        dm->dbBanco.afterConnect = [] { app::dbBancoAfterConnect(); };
    dm->dbBanco.connect();
    if (base() == Base::Configurada)
        banco->runScriptFile(QStringLiteral("tools/sql/05_configuracao.sql"));
}

void ModuloDadosTest::TearDown() {
    if (dm) {
        try {
            if (dm->trBanco.inTransaction())
                dm->trBanco.rollback();
        } catch (...) {
        }
        dm.reset();
    }
    caixas.reset();
    if (!m_pastaAnterior.isEmpty())
        QDir::setCurrent(m_pastaAnterior);
    banco.reset();
}

void ModuloDadosTest::escreveArquivo(const QString& relativo, const QByteArray& conteudo) const {
    const QString caminho = QDir(m_pasta->path()).filePath(relativo);
    QDir().mkpath(QFileInfo(caminho).absolutePath());
    QFile f(caminho);
    ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    f.write(conteudo);
}

void ModuloDadosTest::copiaTabelasExternas() const {
    const QDir origem(QStringLiteral(FCONT_SOURCE_DIR "/demonstracao/Tabelas Externas"));
    QDir(m_pasta->path()).mkpath(QStringLiteral("Tabelas Externas"));
    for (const QString& nome : origem.entryList(QDir::Files))
        QFile::copy(origem.filePath(nome),
                    QDir(m_pasta->path()).filePath(QStringLiteral("Tabelas Externas/") + nome));
}

} // namespace testsupport
