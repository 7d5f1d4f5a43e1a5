// fcont-cli carregar-plano and importar-plano run against the seed database.

#include "app/Cli.h"
#include "common/Consultas.h"
#include "data/Esquema.h"
#include "tests/support/ModuloDados.h"

#include <QProcess>

using namespace testsupport;

namespace {

TEST(OpcoesCliPlano, ChartCommandsNeedTheirSetAndSource) {
    const app::OpcoesCli o =
        app::LeOpcoes({"importar-plano", "--banco", "b", "--configuracao", "1", "--de", "7"});
    EXPECT_TRUE(o.erro.isEmpty()) << o.erro.toStdString();
    EXPECT_EQ(o.de, QStringLiteral("7"));
    EXPECT_TRUE(app::LeOpcoes({"carregar-plano", "--banco", "b", "--configuracao", "1"}).erro.isEmpty());
    EXPECT_FALSE(app::LeOpcoes({"carregar-plano", "--banco", "b"}).erro.isEmpty());
    EXPECT_FALSE(app::LeOpcoes({"importar-plano", "--banco", "b", "--configuracao", "1"}).erro.isEmpty());
    EXPECT_FALSE(
        app::LeOpcoes({"carregar-plano", "--banco", "b", "--configuracao", "1", "--de", "7"}).erro.isEmpty());
}

class CliPlano : public ModuloDadosTest {
protected:
    struct Saida {
        int codigo = -1;
        QString saida, erros;
    };

    Saida executa(const QString& comando, const QStringList& extras = {}) {
        QProcess processo;
        QProcessEnvironment ambiente = QProcessEnvironment::systemEnvironment();
        ambiente.insert(QStringLiteral("ISC_USER"), testUser());
        ambiente.insert(QStringLiteral("ISC_PASSWORD"), testPassword());
        processo.setProcessEnvironment(ambiente);
        processo.start(QStringLiteral(FCONT_CLI),
                       QStringList{comando, QStringLiteral("--banco"), banco->params().database,
                                   QStringLiteral("--configuracao"), QStringLiteral("1"),
                                   QStringLiteral("--pasta"), pastaAtual()}
                           << extras);
        EXPECT_TRUE(processo.waitForFinished(120000));
        return {processo.exitCode(), QString::fromLocal8Bit(processo.readAllStandardOutput()),
                QString::fromLocal8Bit(processo.readAllStandardError())};
    }

    int linhasDoConjunto() {
        return common::BuscaValorInteiro(QStringLiteral("count(*)"), QStringLiteral("AUGC80SPAS"),
                                         QStringLiteral(" where SPCODIGO = 1"), dm->quExec);
    }
};

TEST_F(CliPlano, LoadingPrintsItsProgressAndCreatesNothingOverACompleteChart) {
    copiaTabelasExternas();
    ASSERT_TRUE(data::ExecutaScript(QStringLiteral("delete from AUGC80SPAS where SPASCODIGO in (39, 40);")));
    const Saida s = executa(QStringLiteral("carregar-plano"));
    EXPECT_EQ(s.codigo, 0) << s.erros.toStdString();
    EXPECT_TRUE(s.saida.contains(QStringLiteral("SPED>Iniciando Importação do Plano de Contas...\n")));
    EXPECT_TRUE(
        s.saida.endsWith(QStringLiteral("SPED>Carregando Conta 2 de 40\nSPED>2/40 novas contas criadas!\n")))
        << s.saida.toStdString();
    EXPECT_EQ(linhasDoConjunto(), 40);
}

TEST_F(CliPlano, CopyReportsSuccessOrItsFailureThroughTheExitCode) {
    copiaTabelasExternas();
    Saida s = executa(QStringLiteral("importar-plano"), {QStringLiteral("--de"), QStringLiteral("7")});
    EXPECT_EQ(s.codigo, 0) << s.erros.toStdString();
    EXPECT_TRUE(
        s.erros.contains(QStringLiteral("Importação do Plano Referenciado ECD executada com sucesso!")));
    EXPECT_TRUE(s.saida.contains(QStringLiteral("SPED>Carregando Conta 3 de 3")));
    EXPECT_EQ(linhasDoConjunto(), 43);

    s = executa(QStringLiteral("importar-plano"), {QStringLiteral("--de"), QStringLiteral("sete")});
    EXPECT_EQ(s.codigo, 1);
    EXPECT_TRUE(s.erros.contains(QStringLiteral("Aviso: Código da Configuração ECD é inválido!")));
    EXPECT_EQ(linhasDoConjunto(), 43);
}

} // namespace
