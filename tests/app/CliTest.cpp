#include "app/Cli.h"
#include "tests/support/ModuloDados.h"

#include <QDir>
#include <QFile>
#include <QProcess>

#include <csignal>

using namespace testsupport;

namespace {

TEST(OpcoesCli, ReadsTheCommandsAndRefusesWhatItCannotUse) {
    app::OpcoesCli o =
        app::LeOpcoes({"gerar", "--banco", "localhost:/x.fdb", "--configuracao", "3", "--sem-visualizar"});
    EXPECT_TRUE(o.erro.isEmpty());
    EXPECT_EQ(o.banco, QStringLiteral("localhost:/x.fdb"));
    EXPECT_EQ(o.configuracao, 3);
    EXPECT_TRUE(o.semVisualizar);
    EXPECT_EQ(app::LeOpcoes({"demo"}).pasta, QStringLiteral("demo"));
    EXPECT_FALSE(app::LeOpcoes({"gerar", "--banco", "x"}).erro.isEmpty()) << "no parameter set";
    EXPECT_FALSE(app::LeOpcoes({"gerar", "--configuracao", "um"}).erro.isEmpty());
    EXPECT_FALSE(app::LeOpcoes({"gerar", "--senha", "x"}).erro.isEmpty())
        << "passwords never on the command line";
    EXPECT_FALSE(app::LeOpcoes({}).erro.isEmpty());
}

TEST(OpcoesCli, ReportsNeedTheirKindAndFileAndExportsTheirWorkbook) {
    const app::OpcoesCli r =
        app::LeOpcoes({"relatorio", "--banco", "b", "--configuracao", "2", "referencial", "--pdf", "x.pdf"});
    EXPECT_TRUE(r.erro.isEmpty()) << r.erro.toStdString();
    EXPECT_EQ(r.relatorio, QStringLiteral("referencial"));
    EXPECT_EQ(r.pdf, QStringLiteral("x.pdf"));
    EXPECT_FALSE(
        app::LeOpcoes({"relatorio", "--banco", "b", "--configuracao", "2", "--pdf", "x.pdf"}).erro.isEmpty());
    EXPECT_FALSE(
        app::LeOpcoes({"relatorio", "--banco", "b", "--configuracao", "2", "balanco", "--pdf", "x.pdf"})
            .erro.isEmpty());
    EXPECT_FALSE(
        app::LeOpcoes({"relatorio", "--banco", "b", "--configuracao", "2", "associacao"}).erro.isEmpty());
    EXPECT_FALSE(app::LeOpcoes({"gerar", "associacao"}).erro.isEmpty()) << "a report kind only for relatorio";

    const app::OpcoesCli e = app::LeOpcoes(
        {"exportar", "--banco", "b", "--configuracao", "2", "--xlsx", "x.xlsx", "--nao-referenciadas"});
    EXPECT_TRUE(e.erro.isEmpty()) << e.erro.toStdString();
    EXPECT_TRUE(e.naoReferenciadas);
    EXPECT_FALSE(app::LeOpcoes({"exportar", "--banco", "b", "--configuracao", "2"}).erro.isEmpty());
}

TEST(OpcoesCli, EachCommandTakesOnlyItsOwnOptionsInEitherSpelling) {
    EXPECT_FALSE(
        app::LeOpcoes({"gerar", "--banco", "b", "--configuracao", "1", "--pdf", "x.pdf"}).erro.isEmpty())
        << "--pdf belongs to relatorio";
    EXPECT_FALSE(app::LeOpcoes({"demo", "--banco", "b"}).erro.isEmpty());
    const app::OpcoesCli o = app::LeOpcoes({"gerar", "--banco=b", "--configuracao=4"});
    EXPECT_TRUE(o.erro.isEmpty()) << o.erro.toStdString();
    EXPECT_EQ(o.configuracao, 4);
    EXPECT_FALSE(app::LeOpcoes({"gerar", "--banco", "b", "--configuracao", "0"}).erro.isEmpty());
    EXPECT_EQ(app::LeOpcoes({"gerar", "--banco"}).erro, QStringLiteral("Falta o valor de --banco"));
    EXPECT_TRUE(app::LeOpcoes({"exportar", "--help"}).ajuda) << "help needs none of the required options";
    for (const app::ComandoCli& comando : app::ComandosCli()) {
        EXPECT_NE(comando.executa, nullptr) << comando.nome.toStdString();
        EXPECT_TRUE(app::UsoCli(comando.nome).startsWith(QStringLiteral("Uso: fcont-cli ") + comando.nome));
    }
}

struct Execucao {
    int codigo = -1;
    QString saida, erros;
};

Execucao executaSemBanco(const QStringList& argumentos) {
    QProcess processo;
    processo.start(QStringLiteral(FCONT_CLI), argumentos);
    EXPECT_TRUE(processo.waitForFinished(60000));
    return {processo.exitCode(), QString::fromLocal8Bit(processo.readAllStandardOutput()),
            QString::fromLocal8Bit(processo.readAllStandardError())};
}

TEST(LinhaDeComando, HelpShowsEveryCommandAndEachCommandItsOwnOptions) {
    Execucao e = executaSemBanco({QStringLiteral("--help")});
    EXPECT_EQ(e.codigo, 0);
    EXPECT_TRUE(e.saida.startsWith(QStringLiteral("Uso: fcont-cli COMANDO [opções]")))
        << e.saida.toStdString();
    for (const char* comando : {"gerar", "demo", "validar", "conferir", "sugerir-referencias",
                                "carregar-plano", "importar-plano", "relatorio", "exportar"})
        EXPECT_TRUE(
            e.saida.contains(QStringLiteral("\n  ") + QString::fromLatin1(comando) + QLatin1Char(' ')))
            << comando;
    EXPECT_TRUE(e.erros.isEmpty()) << e.erros.toStdString();

    e = executaSemBanco({QStringLiteral("gerar"), QStringLiteral("--help")});
    EXPECT_EQ(e.codigo, 0);
    EXPECT_TRUE(e.saida.startsWith(
        QStringLiteral("Uso: fcont-cli gerar --banco BANCO --configuracao N [--pasta DIR] [--usuario U] "
                       "[--sem-visualizar] [--detalhes] [--validar-estrito]\n")))
        << e.saida.toStdString();
    EXPECT_TRUE(e.saida.contains(QStringLiteral("Mostra esta ajuda.")));
    EXPECT_FALSE(e.saida.contains(QStringLiteral("--pdf")));

    e = executaSemBanco({QStringLiteral("relatorio"), QStringLiteral("-h")});
    EXPECT_EQ(e.codigo, 0);
    EXPECT_TRUE(e.saida.contains(QStringLiteral("{associacao|referencial}"))) << e.saida.toStdString();
    EXPECT_TRUE(e.saida.contains(QStringLiteral("  --pdf ARQUIVO ")));

    e = executaSemBanco({QStringLiteral("validar"), QStringLiteral("--help")});
    EXPECT_EQ(e.codigo, 0);
    EXPECT_TRUE(e.saida.startsWith(
        QStringLiteral("Uso: fcont-cli validar ARQUIVO [--tabelas DIR] [--formato texto|csv]\n")))
        << e.saida.toStdString();
}

TEST(LinhaDeComando, VersionPrintsTheProgramsTitle) {
    const Execucao e = executaSemBanco({QStringLiteral("--version")});
    EXPECT_EQ(e.codigo, 0);
    EXPECT_EQ(e.saida, QStringLiteral("fcont-cli - FCONT Versão 1.0 (Compilação 30-06-2015 09:00)\n"));
}

TEST(LinhaDeComando, UnknownCommandsAndOptionsExitTwoWithTheUsageOnStandardError) {
    Execucao e = executaSemBanco({QStringLiteral("balanco")});
    EXPECT_EQ(e.codigo, 2);
    EXPECT_TRUE(e.saida.isEmpty());
    EXPECT_TRUE(e.erros.startsWith(QStringLiteral("Comando desconhecido: balanco\n")))
        << e.erros.toStdString();
    EXPECT_TRUE(e.erros.contains(QStringLiteral("Uso: fcont-cli COMANDO [opções]")));

    e = executaSemBanco({QStringLiteral("--ajuda")});
    EXPECT_EQ(e.codigo, 2);
    EXPECT_TRUE(e.erros.startsWith(QStringLiteral("Opção desconhecida: --ajuda\n"))) << e.erros.toStdString();

    e = executaSemBanco({QStringLiteral("exportar"), QStringLiteral("--banco"), QStringLiteral("b"),
                         QStringLiteral("--configuracao"), QStringLiteral("1"), QStringLiteral("--senha=x")});
    EXPECT_EQ(e.codigo, 2);
    EXPECT_TRUE(e.saida.isEmpty());
    EXPECT_TRUE(e.erros.startsWith(QStringLiteral("Opção desconhecida: --senha=x\n")))
        << e.erros.toStdString();
    EXPECT_TRUE(e.erros.contains(QStringLiteral("Uso: fcont-cli exportar --banco BANCO")));

    e = executaSemBanco({});
    EXPECT_EQ(e.codigo, 2);
    EXPECT_TRUE(e.erros.contains(QStringLiteral("Uso: fcont-cli COMANDO")));
}

class Cli : public ModuloDadosTest {
protected:
    struct Saida {
        int codigo = -1;
        QString saida, erros;
    };

    // `brasileiro`: under the settings every user of the program has, whatever the suite runs under.
    Saida executa(const QStringList& argumentos, const QString& senha = testPassword(),
                  bool brasileiro = false) {
        QProcess processo;
        QProcessEnvironment ambiente = QProcessEnvironment::systemEnvironment();
        if (brasileiro) {
            for (const char* v : {"LC_ALL", "LC_NUMERIC", "LC_CTYPE", "LANGUAGE"})
                ambiente.remove(QString::fromLatin1(v));
            ambiente.insert(QStringLiteral("LANG"), QStringLiteral("pt_BR.UTF-8"));
        }
        ambiente.insert(QStringLiteral("ISC_USER"), testUser());
        ambiente.insert(QStringLiteral("ISC_PASSWORD"), senha);
        processo.setProcessEnvironment(ambiente);
        processo.start(QStringLiteral(FCONT_CLI), argumentos);
        EXPECT_TRUE(processo.waitForFinished(120000));
        return {processo.exitCode(), QString::fromLocal8Bit(processo.readAllStandardOutput()).trimmed(),
                QString::fromLocal8Bit(processo.readAllStandardError())};
    }

    QStringList gerar(int configuracao = 1) {
        return {QStringLiteral("gerar"),
                QStringLiteral("--banco"),
                banco->params().database,
                QStringLiteral("--configuracao"),
                QString::number(configuracao),
                QStringLiteral("--pasta"),
                pastaAtual(),
                QStringLiteral("--sem-visualizar")};
    }
};

TEST_F(Cli, GeneratesTheFileAndPrintsItsPath) {
    copiaTabelasExternas();
    const Saida s = executa(gerar());
    EXPECT_EQ(s.codigo, 0) << s.erros.toStdString();
    ASSERT_TRUE(QFile::exists(s.saida)) << s.saida.toStdString();
    EXPECT_TRUE(s.saida.startsWith(QDir(pastaAtual()).filePath(QStringLiteral("Arquivos Gerados/FCONT_"))));
    QFile f(s.saida);
    ASSERT_TRUE(f.open(QIODevice::ReadOnly));
    EXPECT_EQ(f.readAll().count("\r\n"), 140);
    EXPECT_TRUE(s.erros.contains(QStringLiteral("PROCESSO GERAÇÃO ARQUIVO CONCLUÍDO COM SUCESSO!")));
    EXPECT_TRUE(s.erros.contains(QStringLiteral("Validação do arquivo: 0 erros, 0 avisos")))
        << s.erros.toStdString();
}

TEST_F(Cli, TheWrittenFileIsValidatedAndOnlyAStrictRunFailsOnItsErrors) {
    copiaTabelasExternas();
    // Nobody signs as the accountant: the file is written, and the tax authority would refuse it.
    banco->runScript(
        QStringLiteral("update AUGC80SPSG set SPSGCOD_ASSIM = '309' where SPSGCOD_ASSIM = '900';"));
    Saida s = executa(gerar());
    EXPECT_EQ(s.codigo, 0) << "the generation's own exit code";
    EXPECT_TRUE(QFile::exists(s.saida));
    EXPECT_TRUE(s.erros.contains(QStringLiteral("Nenhum signatário é o contador"))) << s.erros.toStdString();
    EXPECT_TRUE(s.erros.contains(QStringLiteral("Validação do arquivo: 1 erros, ")));
    s = executa(gerar() << QStringLiteral("--validar-estrito"));
    EXPECT_EQ(s.codigo, 1);
    EXPECT_TRUE(QFile::exists(s.saida)) << "the file stays, named on standard output";
}

TEST_F(Cli, WithoutTheReferentialChartTheMessagesArePrintedAndTheGenerationRuns) {
    const Saida s = executa(gerar());
    EXPECT_EQ(s.codigo, 0);
    EXPECT_EQ(s.erros.count(QStringLiteral("contasref-SRF.txt")), 1) << s.erros.toStdString();
    EXPECT_TRUE(s.erros.contains(
        QStringLiteral("Aviso: arquivo \"Tabelas Externas/contasref-SRF.txt\" não encontrado")));
    EXPECT_FALSE(s.erros.contains(QStringLiteral("Erro: "))) << s.erros.toStdString();
    EXPECT_TRUE(QFile::exists(s.saida));
}

TEST_F(Cli, ReportAndExportWriteTheirFilesAndPrintTheirPaths) {
    copiaTabelasExternas();
    const QStringList base = {QStringLiteral("--banco"),        banco->params().database,
                              QStringLiteral("--configuracao"), QStringLiteral("1"),
                              QStringLiteral("--pasta"),        pastaAtual()};
    const QString pdf = QDir(pastaAtual()).filePath(QStringLiteral("associacao.pdf"));
    Saida s = executa(QStringList{QStringLiteral("relatorio")} + base +
                      QStringList{QStringLiteral("associacao"), QStringLiteral("--pdf"), pdf});
    EXPECT_EQ(s.codigo, 0) << s.erros.toStdString();
    EXPECT_EQ(s.saida, pdf);
    QFile arquivo(pdf);
    ASSERT_TRUE(arquivo.open(QIODevice::ReadOnly));
    EXPECT_TRUE(arquivo.read(5) == "%PDF-");

    const QString xlsx = QDir(pastaAtual()).filePath(QStringLiteral("plano.xlsx"));
    s = executa(QStringList{QStringLiteral("exportar")} + base +
                QStringList{QStringLiteral("--xlsx"), xlsx, QStringLiteral("--nao-referenciadas")});
    EXPECT_EQ(s.codigo, 0) << s.erros.toStdString();
    EXPECT_EQ(s.saida, xlsx);
    EXPECT_TRUE(QFile::exists(xlsx));
    EXPECT_TRUE(s.erros.contains(QStringLiteral("contas exportadas"))) << s.erros.toStdString();

    s = executa(
        QStringList{QStringLiteral("exportar")} + base +
        QStringList{QStringLiteral("--xlsx"), QDir(pastaAtual()).filePath(QStringLiteral("nao/ha/x.xlsx"))});
    EXPECT_EQ(s.codigo, 1) << "a workbook that was not written is no success";
    EXPECT_TRUE(s.erros.contains(QStringLiteral("Erro: \nAo exportar o Plano de Contas para \"")))
        << "the menu's own box, which ends in the silent abort: " << s.erros.toStdString();
    EXPECT_TRUE(s.saida.isEmpty());

    const QString semPasta = QDir(pastaAtual()).filePath(QStringLiteral("nao/ha/x.pdf"));
    s = executa(QStringList{QStringLiteral("relatorio")} + base +
                QStringList{QStringLiteral("referencial"), QStringLiteral("--pdf"), semPasta});
    EXPECT_EQ(s.codigo, 1) << "a report that was not written is no success";
    EXPECT_TRUE(s.erros.contains(QStringLiteral("Erro: \nAo gravar o relatório em \"") + semPasta))
        << s.erros.toStdString();
    EXPECT_TRUE(s.saida.isEmpty());
    EXPECT_FALSE(QFileInfo::exists(semPasta));

    s = executa(QStringList{QStringLiteral("relatorio"), QStringLiteral("--banco"), banco->params().database,
                            QStringLiteral("--configuracao"), QStringLiteral("77"),
                            QStringLiteral("referencial"), QStringLiteral("--pdf"), pdf});
    EXPECT_EQ(s.codigo, 2);
    EXPECT_TRUE(s.erros.contains(QStringLiteral("Erro: configuração 77 não encontrada.")))
        << s.erros.toStdString();
}

// A spreadsheet program must open the workbook: read back by a real reader, not by our own.
TEST_F(Cli, ExportedWorkbookOpensInASpreadsheetReaderUnderBrazilianSettings) {
    copiaTabelasExternas();
    const QString xlsx = QDir(pastaAtual()).filePath(QStringLiteral("plano.xlsx"));
    const Saida s = executa({QStringLiteral("exportar"), QStringLiteral("--banco"), banco->params().database,
                             QStringLiteral("--configuracao"), QStringLiteral("1"), QStringLiteral("--pasta"),
                             pastaAtual(), QStringLiteral("--xlsx"), xlsx},
                            testPassword(), true);
    ASSERT_EQ(s.codigo, 0) << s.erros.toStdString();
    const int contas =
        s.erros.section(QStringLiteral(" contas exportadas"), 0, 0).section(QLatin1Char(' '), -1).toInt();
    ASSERT_GT(contas, 0) << s.erros.toStdString();

    QProcess leitor;
    leitor.start(
        QStringLiteral("/usr/bin/python3"),
        {QStringLiteral("-c"),
         QStringLiteral("import sys, openpyxl\n"
                        "ws = openpyxl.load_workbook(sys.argv[1]).active\n"
                        "print(ws.title, ws.max_row, ws['A1'].value, ws['E1'].value, sep='|')\n"
                        "print(ws.column_dimensions['E'].width > ws.column_dimensions['D'].width)\n"),
         xlsx});
    ASSERT_TRUE(leitor.waitForFinished(60000));
    const QString lido = QString::fromUtf8(leitor.readAllStandardOutput()).trimmed();
    ASSERT_EQ(leitor.exitCode(), 0) << "python3-openpyxl reads it: "
                                    << QString::fromUtf8(leitor.readAllStandardError()).toStdString();
    EXPECT_EQ(lido, QStringLiteral("Plano de Contas|%1|Código Conta|Conta\nTrue").arg(contas + 1));
}

TEST_F(Cli, UpkeepErrorsAreOneSummaryLineUnlessDetailsAreAsked) {
    copiaTabelasExternas();
    // One missing column makes the upkeep try every column, and fail on those that exist.
    banco->runScript(QStringLiteral("alter table AUGC80SP drop R0000CONSOLIDAR;"));
    Saida s = executa(gerar());
    EXPECT_EQ(s.codigo, 0);
    EXPECT_EQ(s.erros.count(QStringLiteral("Aviso: atualização do banco: ")), 1) << s.erros.toStdString();
    EXPECT_FALSE(s.erros.contains(QStringLiteral("Erro: "))) << s.erros.toStdString();
    banco->runScript(QStringLiteral("alter table AUGC80SP drop R0000CONSOLIDAR;"));
    s = executa(gerar() << QStringLiteral("--detalhes"));
    EXPECT_EQ(s.codigo, 0);
    EXPECT_GT(s.erros.count(QStringLiteral("Erro: ")), 1) << s.erros.toStdString();
}

TEST_F(Cli, AMissingFolderIsAnErrorAndIsNotCreated) {
    const QString pasta = QDir(pastaAtual()).filePath(QStringLiteral("nao-existe"));
    QStringList argumentos = gerar();
    argumentos[argumentos.indexOf(QStringLiteral("--pasta")) + 1] = pasta;
    const Saida s = executa(argumentos);
    EXPECT_EQ(s.codigo, 2);
    EXPECT_TRUE(s.saida.isEmpty());
    EXPECT_FALSE(QFileInfo::exists(pasta));
}

TEST_F(Cli, TerminationEndsTheRunAsACancelledOne) {
    copiaTabelasExternas();
    QProcess processo;
    QProcessEnvironment ambiente = QProcessEnvironment::systemEnvironment();
    ambiente.insert(QStringLiteral("ISC_USER"), testUser());
    ambiente.insert(QStringLiteral("ISC_PASSWORD"), testPassword());
    processo.setProcessEnvironment(ambiente);
    processo.setReadChannel(QProcess::StandardError);
    processo.start(QStringLiteral(FCONT_CLI), gerar());
    ASSERT_TRUE(processo.waitForReadyRead(60000));
    processo.terminate();
    ASSERT_TRUE(processo.waitForFinished(60000));
    EXPECT_EQ(processo.exitStatus(), QProcess::NormalExit) << "the signal is caught, not fatal";
    EXPECT_EQ(processo.exitCode(), 130);
    EXPECT_TRUE(processo.readAllStandardOutput().trimmed().isEmpty()) << "no complete file";
}

// Ctrl-C at a terminal: the first press stops the run as "Cancelar" does, with its partial file
// named incomplete; only a second press ends the program at once.
TEST_F(Cli, FirstInterruptStopsTheGenerationCleanlyAndKeepsItsFileMarkedIncomplete) {
    copiaTabelasExternas();
    QProcess processo;
    QProcessEnvironment ambiente = QProcessEnvironment::systemEnvironment();
    ambiente.insert(QStringLiteral("ISC_USER"), testUser());
    ambiente.insert(QStringLiteral("ISC_PASSWORD"), testPassword());
    processo.setProcessEnvironment(ambiente);
    processo.setReadChannel(QProcess::StandardError);
    processo.start(QStringLiteral(FCONT_CLI), gerar());
    QByteArray erros;
    while (!erros.contains("SPED>") && processo.waitForReadyRead(60000))
        erros += processo.readAllStandardError();
    ASSERT_TRUE(erros.contains("SPED>")) << "the generation has started";
    ASSERT_EQ(::kill(static_cast<pid_t>(processo.processId()), SIGINT), 0);
    ASSERT_TRUE(processo.waitForFinished(60000));
    erros += processo.readAllStandardError();
    const QString texto = QString::fromLocal8Bit(erros);
    EXPECT_EQ(processo.exitStatus(), QProcess::NormalExit);
    EXPECT_EQ(processo.exitCode(), 130) << texto.toStdString();
    EXPECT_TRUE(processo.readAllStandardOutput().trimmed().isEmpty()) << "no complete file";
    EXPECT_TRUE(texto.contains(QStringLiteral("SPED>Operação abortada pelo Usuário.")))
        << texto.toStdString();
    const QString parcial =
        texto.section(QStringLiteral("Arquivo incompleto: "), 1).section(QLatin1Char('\n'), 0, 0);
    EXPECT_TRUE(parcial.endsWith(QStringLiteral(" - INCOMPLETO.txt"))) << texto.toStdString();
    EXPECT_TRUE(QFile::exists(parcial));
}

TEST_F(Cli, FailedGenerationExitsNonZeroAndKeepsItsPartialFile) {
    copiaTabelasExternas();
    banco->runScript(
        QStringLiteral("update ACBC15PC set PCNIVEL = 'X' where PACODIGO = 1 and PCORDENACAO = '11';"));
    const Saida s = executa(gerar());
    EXPECT_EQ(s.codigo, 1);
    EXPECT_TRUE(s.erros.contains(QStringLiteral("Nível Inválido da Conta")));
    EXPECT_TRUE(s.saida.isEmpty()) << "standard output names complete files only";
    const QString parcial =
        s.erros.section(QStringLiteral("Arquivo incompleto: "), 1).section(QLatin1Char('\n'), 0, 0);
    EXPECT_TRUE(parcial.endsWith(QStringLiteral(" - INCOMPLETO.txt"))) << s.erros.toStdString();
    ASSERT_TRUE(QFile::exists(parcial));
    QFile f(parcial);
    ASSERT_TRUE(f.open(QIODevice::ReadOnly));
    EXPECT_GT(f.readAll().count("\r\n"), 2);
}

TEST_F(Cli, WrongPasswordOrUnknownSetStopBeforeGenerating) {
    Saida s = executa(gerar(), QStringLiteral("senha-errada"));
    EXPECT_EQ(s.codigo, 2);
    EXPECT_TRUE(s.erros.contains(QStringLiteral("335544472"))) << s.erros.toStdString();
    s = executa(gerar(7));
    EXPECT_EQ(s.codigo, 2) << "set 7 belongs to another owner";
    EXPECT_TRUE(s.saida.isEmpty());
    EXPECT_FALSE(QDir(pastaAtual()).exists(QStringLiteral("Arquivos Gerados")));
}

} // namespace
