// "fcont-cli validar" run as a user runs it: exit codes, the findings on standard output and the
// summary on standard error.

#include "app/Cli.h"

#include <QDir>
#include <QFile>
#include <QProcess>
#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace {

TEST(OpcoesCli, ValidarTakesItsFileAndGerarItsStrictSwitch) {
    const app::OpcoesCli v = app::LeOpcoes({"validar", "x.txt", "--tabelas", "T", "--formato", "csv"});
    EXPECT_TRUE(v.erro.isEmpty()) << v.erro.toStdString();
    EXPECT_EQ(v.arquivo, QStringLiteral("x.txt"));
    EXPECT_EQ(v.tabelas, QStringLiteral("T"));
    EXPECT_EQ(v.formato, QStringLiteral("csv"));
    EXPECT_EQ(app::LeOpcoes({"validar", "x.txt"}).formato, QStringLiteral("texto"));
    EXPECT_FALSE(app::LeOpcoes({"validar", "x.txt", "y.txt"}).erro.isEmpty()) << "one file";
    EXPECT_FALSE(app::LeOpcoes({"gerar", "--tabelas", "T"}).erro.isEmpty()) << "validar's options only";
    EXPECT_TRUE(
        app::LeOpcoes({"gerar", "--banco", "b", "--configuracao", "1", "--validar-estrito"}).validarEstrito);
}

class CliValidar : public ::testing::Test {
protected:
    struct Saida {
        int codigo = -1;
        QString saida, erros;
    };

    static Saida executa(const QStringList& argumentos) {
        QProcess processo;
        processo.start(QStringLiteral(FCONT_CLI), argumentos);
        EXPECT_TRUE(processo.waitForFinished(60000));
        return {processo.exitCode(), QString::fromLocal8Bit(processo.readAllStandardOutput()),
                QString::fromLocal8Bit(processo.readAllStandardError())};
    }

    // The seed's golden file with `de` replaced by `para`.
    QString arquivo(const QByteArray& de = {}, const QByteArray& para = {}) {
        QFile origem(QStringLiteral(FCONT_SOURCE_DIR "/tests/generation/golden/seed_sp1.txt"));
        EXPECT_TRUE(origem.open(QIODevice::ReadOnly));
        QByteArray bytes = origem.readAll();
        if (!de.isEmpty())
            bytes.replace(de, para);
        const QString caminho = pasta.filePath(QStringLiteral("FCONT.txt"));
        QFile f(caminho);
        EXPECT_TRUE(f.open(QIODevice::WriteOnly));
        f.write(bytes);
        return caminho;
    }

    const QString tabelas = QStringLiteral(FCONT_SOURCE_DIR "/demonstracao/Tabelas Externas");
    QTemporaryDir pasta;
};

TEST_F(CliValidar, ACleanFileExitsZeroWithTheSummaryOnStandardError) {
    const Saida s = executa({QStringLiteral("validar"), arquivo(), QStringLiteral("--tabelas"), tabelas});
    EXPECT_EQ(s.codigo, 0) << s.erros.toStdString();
    EXPECT_TRUE(s.saida.isEmpty()) << s.saida.toStdString();
    EXPECT_EQ(s.erros.trimmed(), QStringLiteral("0 erros, 0 avisos"));
}

TEST_F(CliValidar, WarningsAloneExitZeroAndErrorsExitOneWithOneLineEach) {
    // A synthetic account left with nothing under it: a warning.
    const QString avisos = arquivo("|I050|01012025|01|A|4|1.1.02.001|1.1.02.000|",
                                   "|I050|01012025|01|A|4|1.1.02.001|1.1.01.000|");
    Saida s = executa({QStringLiteral("validar"), avisos, QStringLiteral("--tabelas"), tabelas});
    EXPECT_EQ(s.codigo, 0) << s.erros.toStdString();
    EXPECT_EQ(s.saida.trimmed().count(QLatin1Char('\n')), 0) << s.saida.toStdString();
    EXPECT_TRUE(s.saida.startsWith(QStringLiteral("Aviso na linha 10, I050 IND_CTA, conta 1.1.02.000: ")))
        << s.saida.toStdString();
    EXPECT_TRUE(s.erros.contains(QStringLiteral("0 erros, 1 avisos")));

    const QString erros = arquivo("|9999|140|", "|9999|139|");
    s = executa({QStringLiteral("validar"), erros, QStringLiteral("--tabelas"), tabelas,
                 QStringLiteral("--formato"), QStringLiteral("csv")});
    EXPECT_EQ(s.codigo, 1);
    const QStringList linhas = s.saida.trimmed().split(QLatin1Char('\n'));
    ASSERT_EQ(linhas.size(), 2) << s.saida.toStdString();
    EXPECT_EQ(linhas[0], QStringLiteral("Gravidade;Linha;Registro;Campo;Conta;Mensagem"));
    EXPECT_TRUE(linhas[1].startsWith(QStringLiteral("Erro;140;9999;QTD_LIN;;"))) << linhas[1].toStdString();
    EXPECT_TRUE(s.erros.contains(QStringLiteral("1 erros, 0 avisos")));
}

TEST_F(CliValidar, AFileThatCannotBeReadExitsTwo) {
    Saida s = executa({QStringLiteral("validar"), pasta.filePath(QStringLiteral("nao-ha.txt"))});
    EXPECT_EQ(s.codigo, 2);
    EXPECT_TRUE(s.erros.contains(QStringLiteral("Erro: não foi possível ler"))) << s.erros.toStdString();
    s = executa({QStringLiteral("validar"), arquivo(), QStringLiteral("--tabelas"),
                 pasta.filePath(QStringLiteral("x"))});
    EXPECT_EQ(s.codigo, 2) << "a mistyped tables folder is not a pass";
    s = executa({QStringLiteral("validar")});
    EXPECT_EQ(s.codigo, 2) << "no file named";
    s = executa({QStringLiteral("validar"), arquivo(), QStringLiteral("--formato"), QStringLiteral("xml")});
    EXPECT_EQ(s.codigo, 2);
}

TEST_F(CliValidar, WithoutTablesItSaysWhatWasNotChecked) {
    const QString caminho = arquivo();
    QProcess processo;
    processo.setWorkingDirectory(pasta.path());
    processo.start(QStringLiteral(FCONT_CLI), {QStringLiteral("validar"), caminho});
    ASSERT_TRUE(processo.waitForFinished(60000));
    EXPECT_EQ(processo.exitCode(), 0);
    const QString erros = QString::fromLocal8Bit(processo.readAllStandardError());
    EXPECT_TRUE(erros.contains(QStringLiteral("contasref-SRF.txt"))) << erros.toStdString();
    EXPECT_TRUE(erros.contains(QStringLiteral("SPEDTabCodigos.xml")));
    EXPECT_TRUE(erros.contains(QStringLiteral("0 erros, 0 avisos")));
}

} // namespace
