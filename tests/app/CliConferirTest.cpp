// fcont-cli conferir and sugerir-referencias run against the seed database.

#include "app/Cli.h"
#include "tests/support/ModuloDados.h"

#include <QProcess>
#include <QTemporaryDir>

using namespace testsupport;

namespace {

TEST(OpcoesCliConferir, TheConfidenceIsAFractionOrAPercentage) {
    const QStringList base{"sugerir-referencias", "--banco", "b", "--configuracao", "1", "--aplicar"};
    EXPECT_DOUBLE_EQ(app::LeOpcoes(base).confianca, 0.8);
    EXPECT_TRUE(app::LeOpcoes(base).aplicar);
    EXPECT_DOUBLE_EQ(app::LeOpcoes(base + QStringList{"--confianca", "0,9"}).confianca, 0.9);
    EXPECT_DOUBLE_EQ(app::LeOpcoes(base + QStringList{"--confianca", "0.95"}).confianca, 0.95);
    EXPECT_DOUBLE_EQ(app::LeOpcoes(base + QStringList{"--confianca", "85%"}).confianca, 0.85);
    for (const char* errada : {"2", "-0.1", "muito", "150%"})
        EXPECT_FALSE(app::LeOpcoes(base + QStringList{"--confianca", errada}).erro.isEmpty()) << errada;
    EXPECT_FALSE(app::LeOpcoes({"conferir", "--banco", "b"}).erro.isEmpty());
    EXPECT_FALSE(
        app::LeOpcoes({"conferir", "--banco", "b", "--configuracao", "1", "--aplicar"}).erro.isEmpty())
        << "only the suggestions are stored";
}

class CliConferir : public ModuloDadosTest {
protected:
    struct Saida {
        int codigo = -1;
        QString saida, erros;
    };

    void SetUp() override {
        ModuloDadosTest::SetUp();
        if (!IsSkipped())
            copiaTabelasExternas();
    }

    Saida executa(const QString& comando, const QStringList& extras = {}, int configuracao = 1) {
        QProcess processo;
        QProcessEnvironment ambiente = QProcessEnvironment::systemEnvironment();
        ambiente.insert(QStringLiteral("ISC_USER"), testUser());
        ambiente.insert(QStringLiteral("ISC_PASSWORD"), testPassword());
        processo.setProcessEnvironment(ambiente);
        processo.start(QStringLiteral(FCONT_CLI),
                       QStringList{comando, QStringLiteral("--banco"), banco->params().database,
                                   QStringLiteral("--configuracao"), QString::number(configuracao),
                                   QStringLiteral("--pasta"), pastaAtual()}
                           << extras);
        EXPECT_TRUE(processo.waitForFinished(120000));
        return {processo.exitCode(), QString::fromLocal8Bit(processo.readAllStandardOutput()),
                QString::fromLocal8Bit(processo.readAllStandardError())};
    }

    QVariant referenciaDe(int spascodigo) const {
        db::Attachment outra = banco->connect();
        db::Transaction t(outra);
        const QVariant v = testsupport::value(
            t, QStringLiteral("select COD_CTA_REF from AUGC80SPAS where SPASCODIGO = %1").arg(spascodigo));
        t.commit();
        return v;
    }
};

TEST_F(CliConferir, ConferirExitsWithOneOnlyForErrorsAndTwoWhenTheSetCannotBeRead) {
    Saida s = executa(QStringLiteral("conferir"));
    EXPECT_EQ(s.codigo, 0) << s.erros.toStdString();
    EXPECT_TRUE(s.saida.isEmpty()) << s.saida.toStdString();
    EXPECT_TRUE(s.erros.contains(QStringLiteral("Conferência: 0 erros, 0 avisos"))) << s.erros.toStdString();

    // An account without a referential account is a warning.
    banco->runScript(QStringLiteral("update AUGC80SPAS set COD_CTA_REF = null where SPASCODIGO = 4;"));
    s = executa(QStringLiteral("conferir"));
    EXPECT_EQ(s.codigo, 0) << s.erros.toStdString();
    EXPECT_TRUE(
        s.saida.startsWith(QStringLiteral("Aviso, I051 COD_CTA_REF, conta 1101001: Conta sem referência")))
        << s.saida.toStdString();

    banco->runScript(QStringLiteral("insert into ACBM19LC (LCCODIGO, PACODIGO, PCCODIGO, LCDATALANCAMENTO, "
                                    "LCVALORDEBITO) values (900, 1, 105, '2025-03-10', 50);"));
    s = executa(QStringLiteral("conferir"), {QStringLiteral("--formato"), QStringLiteral("csv")});
    EXPECT_EQ(s.codigo, 1) << s.erros.toStdString();
    const QStringList linhas = s.saida.split(QLatin1Char('\n'), Qt::SkipEmptyParts);
    ASSERT_EQ(linhas.size(), 3) << s.saida.toStdString();
    EXPECT_EQ(linhas[0], QStringLiteral("Gravidade;Linha;Registro;Campo;Conta;Mensagem"));
    EXPECT_TRUE(linhas[2].startsWith(QStringLiteral("Erro;;ACBM19LC;;;Mês 03/2025")))
        << linhas[2].toStdString();
    EXPECT_TRUE(s.erros.contains(QStringLiteral("1 erro"))) << s.erros.toStdString();

    s = executa(QStringLiteral("conferir"), {}, 99);
    EXPECT_EQ(s.codigo, 2) << s.erros.toStdString();
}

TEST_F(CliConferir, SuggestionsArePrintedAndOnlyThoseAboveTheConfidenceStoredWithAplicar) {
    banco->runScript(QStringLiteral(
        "update AUGC80SPAS set COD_CTA_REF = null where SPASCODIGO in (4, 5);"
        "insert into AUGC80SP (SPCODIGO, SPID, SPNOME, EMPRESA, FILIAL, R0000DT_INI, R0000DT_FIN, "
        "RI051COD_ENT_REF) values (9, 'T', 'SPED FCONT 2024', 1, '01', '2024-01-01', '2024-12-31', '10');"
        "insert into AUGC80SPAS (SPASCODIGO, SPCODIGO, PACODIGO, PCCODIGO, COD_CTA_REF) values (61, 9, 1, "
        "104, "
        "'1.01.01.01.00');"));
    Saida s = executa(QStringLiteral("sugerir-referencias"));
    EXPECT_EQ(s.codigo, 0) << s.erros.toStdString();
    const QStringList linhas = s.saida.split(QLatin1Char('\n'), Qt::SkipEmptyParts);
    ASSERT_EQ(linhas.size(), 2) << s.saida.toStdString();
    EXPECT_TRUE(
        linhas[0].startsWith(QStringLiteral("1101001 - Caixa Geral - Matriz: 1.01.01.01.00 - Caixa e fundos "
                                            "fixos (A mesma conta na configuração do ano anterior")))
        << linhas[0].toStdString();
    EXPECT_TRUE(linhas[0].endsWith(QStringLiteral("confiança 95%)")));
    EXPECT_TRUE(linhas[1].startsWith(QStringLiteral("1101002 - Banco Conta Movimento: 1.01.01.02.00")));
    EXPECT_TRUE(s.erros.contains(QStringLiteral("2 sugestão(ões) para 2 conta(s) sem referência.")));
    EXPECT_FALSE(referenciaDe(4).isValid());
    EXPECT_FALSE(referenciaDe(5).isValid());

    s = executa(QStringLiteral("sugerir-referencias"),
                {QStringLiteral("--aplicar"), QStringLiteral("--confianca"), QStringLiteral("90%")});
    EXPECT_EQ(s.codigo, 0) << s.erros.toStdString();
    EXPECT_TRUE(s.erros.contains(QStringLiteral("1 sugestão(ões) gravada(s) (confiança de 90% ou mais)")))
        << s.erros.toStdString();
    EXPECT_EQ(referenciaDe(4).toString(), QStringLiteral("1.01.01.01.00"));
    EXPECT_FALSE(referenciaDe(5).isValid());
}

} // namespace

namespace {

QProcess* executaCli(QProcess& processo, const QStringList& argumentos) {
    processo.start(QStringLiteral(FCONT_CLI), argumentos);
    EXPECT_TRUE(processo.waitForFinished(120000));
    return &processo;
}

// The demo is there to be shown: its conferência finds the two accounts it leaves to map, each
// with the suggestion it was built for, and its books close.
TEST(DemoConferida, TheDemoHasTwoAccountsToMapWithTheirSuggestionsAndItsBooksClose) {
    QTemporaryDir pasta;
    QProcess demo;
    executaCli(demo, {QStringLiteral("demo"), QStringLiteral("--pasta"), pasta.path(),
                      QStringLiteral("--sem-visualizar")});
    ASSERT_EQ(demo.exitCode(), 0) << demo.readAllStandardError().toStdString();
    EXPECT_TRUE(QString::fromLocal8Bit(demo.readAllStandardError())
                    .contains(QStringLiteral("Validação do arquivo: 0 erros")));
    const QStringList base{QStringLiteral("--banco"),        pasta.filePath(QStringLiteral("fcont-demo.fdb")),
                           QStringLiteral("--configuracao"), QStringLiteral("1"),
                           QStringLiteral("--pasta"),        pasta.path()};

    QProcess conferir;
    executaCli(conferir, QStringList{QStringLiteral("conferir")} + base);
    EXPECT_EQ(conferir.exitCode(), 0);
    const QStringList achados =
        QString::fromLocal8Bit(conferir.readAllStandardOutput()).split(QLatin1Char('\n'), Qt::SkipEmptyParts);
    ASSERT_EQ(achados.size(), 2) << achados.join(u'\n').toStdString();
    EXPECT_TRUE(achados[0].startsWith(
        QStringLiteral("Aviso, I051 COD_CTA_REF, conta 1101004: Conta sem referência")));
    EXPECT_TRUE(achados[1].startsWith(
        QStringLiteral("Aviso, I051 COD_CTA_REF, conta 1103001: Conta sem referência")));

    QProcess sugerir;
    executaCli(sugerir, QStringList{QStringLiteral("sugerir-referencias")} + base);
    EXPECT_EQ(sugerir.exitCode(), 0);
    const QStringList sugestoes =
        QString::fromLocal8Bit(sugerir.readAllStandardOutput()).split(QLatin1Char('\n'), Qt::SkipEmptyParts);
    ASSERT_EQ(sugestoes.size(), 2) << sugestoes.join(u'\n').toStdString();
    EXPECT_TRUE(
        sugestoes[0].contains(QStringLiteral(": 1.01.01.01.00 - Caixa e fundos fixos (2 de 3 contas irmãs")))
        << sugestoes[0].toStdString();
    EXPECT_TRUE(
        sugestoes[1].contains(QStringLiteral(": 1.01.03.01.00 - Mercadorias para revenda (A mesma conta na "
                                             "configuração do ano anterior 2")))
        << sugestoes[1].toStdString();
}

} // namespace
