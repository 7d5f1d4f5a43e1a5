// fcont-cli under faults: links at the output's name, a full disk, signals while a file is written,
// and a connection dropped by the server while a command runs.

#include "db/Statement.h"
#include "tests/support/ModuloDados.h"

#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QThread>

#include <csignal>
#include <sys/stat.h>

using namespace testsupport;

namespace {

class CliFalhas : public ModuloDadosTest {
protected:
    struct Saida {
        int codigo = -1;
        QString saida, erros;
    };

    QProcessEnvironment ambiente() const {
        QProcessEnvironment a = QProcessEnvironment::systemEnvironment();
        a.insert(QStringLiteral("ISC_USER"), testUser());
        a.insert(QStringLiteral("ISC_PASSWORD"), testPassword());
        return a;
    }

    QStringList comando(const QString& nome, const QStringList& extras) const {
        return QStringList{nome,
                           QStringLiteral("--banco"),
                           banco->params().database,
                           QStringLiteral("--configuracao"),
                           QStringLiteral("1"),
                           QStringLiteral("--pasta"),
                           pastaAtual()}
               << extras;
    }

    // `limite` > 0 runs the program as on a disk that takes only that many 512-byte blocks per
    // file: every write beyond fails as it would on a full disk.
    Saida executa(const QStringList& argumentos, int limite = 0) {
        QProcess processo;
        processo.setProcessEnvironment(ambiente());
        if (limite > 0)
            processo.start(
                QStringLiteral("/bin/sh"),
                QStringList{QStringLiteral("-c"),
                            QStringLiteral("trap '' XFSZ; ulimit -f %1; exec \"$0\" \"$@\"").arg(limite),
                            QStringLiteral(FCONT_CLI)}
                    << argumentos);
        else
            processo.start(QStringLiteral(FCONT_CLI), argumentos);
        EXPECT_TRUE(processo.waitForFinished(120000));
        return {processo.exitCode(), QString::fromLocal8Bit(processo.readAllStandardOutput()).trimmed(),
                QString::fromLocal8Bit(processo.readAllStandardError())};
    }

    // Company 1 gets `contas` more accounts; with `associadas` set 1 takes them all.
    void aumentaPlano(int contas, bool associadas) {
        banco->runScript(
            QStringLiteral(
                "set term ^;\n"
                "execute block as\n"
                "declare i integer = 0;\n"
                "begin\n"
                "  while (i < %1) do begin\n"
                "    insert into ACBC15PC (PACODIGO, PCCODIGO, PCORDENACAO, PCDESCRICAO, PCNIVEL,\n"
                "      PCTIPO, PCCODIGONATUREZA) values (1, 100000 + :i, '9' || (100000 + :i),\n"
                "      'CONTA ' || :i, '1', 'S', '01');\n"
                "    %2\n"
                "    i = i + 1;\n"
                "  end\n"
                "end^\n"
                "set term ;^\n")
                .arg(contas)
                .arg(associadas ? QStringLiteral("insert into AUGC80SPAS (SPASCODIGO, SPCODIGO, "
                                                 "PACODIGO, PCCODIGO) values (100000 + :i, 1, 1, "
                                                 "100000 + :i);")
                                : QString()));
    }

    QString arquivo(const QString& nome) const { return QDir(pastaAtual()).filePath(nome); }

    static QByteArray le(const QString& caminho) {
        QFile f(caminho);
        return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
    }

    // Every file of the folder, hidden ones included: a temporary file left behind shows here.
    QStringList arquivosDaPasta(const QString& relativa = QString()) const {
        return QDir(arquivo(relativa)).entryList(QDir::Files | QDir::Hidden | QDir::System, QDir::Name);
    }
};

} // namespace

TEST_F(CliFalhas, ALinkAtTheFilesNameIsReplacedAndNothingOutsideTheFolderIsWritten) {
    copiaTabelasExternas();
    QDir(pastaAtual()).mkdir(QStringLiteral("Arquivos Gerados"));
    const QString fora = arquivo(QStringLiteral("fora.txt"));
    QFile f(fora);
    ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    f.write("de outra pessoa");
    f.close();
    // The name is the minute's: links for this minute and the next leave the run no way around.
    const QDateTime agora = QDateTime::currentDateTime();
    for (const QDateTime& minuto : {agora, agora.addSecs(60)})
        ASSERT_TRUE(
            QFile::link(QStringLiteral("../fora.txt"),
                        arquivo(QStringLiteral("Arquivos Gerados/FCONT_") +
                                minuto.toString(QStringLiteral("ddMMyyyy hhmm")) + QStringLiteral(".txt"))));

    const Saida s = executa(comando(QStringLiteral("gerar"), {QStringLiteral("--sem-visualizar")}));
    EXPECT_EQ(s.codigo, 0) << s.erros.toStdString();
    EXPECT_EQ(le(fora), QByteArray("de outra pessoa"));
    ASSERT_TRUE(QFileInfo::exists(s.saida)) << s.saida.toStdString();
    EXPECT_FALSE(QFileInfo(s.saida).isSymLink());
    EXPECT_EQ(le(s.saida).count("\r\n"), 140);

    const QString pdf = arquivo(QStringLiteral("plano.pdf"));
    ASSERT_TRUE(QFile::link(QStringLiteral("fora.txt"), pdf));
    const Saida r = executa(
        comando(QStringLiteral("relatorio"), {QStringLiteral("associacao"), QStringLiteral("--pdf"), pdf}));
    EXPECT_EQ(r.codigo, 0) << r.erros.toStdString();
    EXPECT_EQ(le(fora), QByteArray("de outra pessoa"));
    EXPECT_FALSE(QFileInfo(pdf).isSymLink());
    EXPECT_TRUE(le(pdf).startsWith("%PDF-"));
}

TEST_F(CliFalhas, AFullDiskIsAnErrorInEveryCommandAndKeepsTheEarlierFile) {
    copiaTabelasExternas();
    const QString pdf = arquivo(QStringLiteral("plano.pdf"));
    const QString xlsx = arquivo(QStringLiteral("plano.xlsx"));
    for (const QString& anterior : {pdf, xlsx}) {
        QFile f(anterior);
        ASSERT_TRUE(f.open(QIODevice::WriteOnly));
        f.write("o arquivo completo de antes");
    }
    const QStringList antes = arquivosDaPasta();

    Saida s = executa(
        comando(QStringLiteral("relatorio"), {QStringLiteral("associacao"), QStringLiteral("--pdf"), pdf}),
        1);
    EXPECT_EQ(s.codigo, 1) << s.erros.toStdString();
    EXPECT_TRUE(s.saida.isEmpty()) << "no path printed for a file that was not written";
    EXPECT_TRUE(s.erros.contains(QStringLiteral("Ao gravar o relatório em \"") + pdf))
        << s.erros.toStdString();
    EXPECT_TRUE(s.erros.contains(QStringLiteral("não foi possível gravar o arquivo")))
        << s.erros.toStdString();
    EXPECT_FALSE(s.erros.contains(QStringLiteral("página(s)")));
    EXPECT_EQ(le(pdf), QByteArray("o arquivo completo de antes"));

    s = executa(comando(QStringLiteral("exportar"), {QStringLiteral("--xlsx"), xlsx}), 1);
    EXPECT_EQ(s.codigo, 1) << s.erros.toStdString();
    EXPECT_TRUE(s.erros.contains(QStringLiteral("Erro: "))) << s.erros.toStdString();
    EXPECT_EQ(le(xlsx), QByteArray("o arquivo completo de antes"));
    EXPECT_EQ(arquivosDaPasta(), antes) << "nothing left beside them";

    s = executa(comando(QStringLiteral("gerar"), {QStringLiteral("--sem-visualizar")}), 1);
    EXPECT_EQ(s.codigo, 1) << s.erros.toStdString();
    EXPECT_TRUE(s.erros.contains(QStringLiteral("Erro: ao gravar o arquivo \""))) << s.erros.toStdString();
    EXPECT_FALSE(s.erros.contains(QStringLiteral("SUCESSO")));
    EXPECT_TRUE(arquivosDaPasta(QStringLiteral("Arquivos Gerados")).isEmpty())
        << arquivosDaPasta(QStringLiteral("Arquivos Gerados")).join(' ').toStdString();
}

TEST_F(CliFalhas, ASignalWhileAReportOrAnExportIsWrittenStopsItAndKeepsTheEarlierFile) {
    copiaTabelasExternas();
    aumentaPlano(20000, true);
    for (const auto& [nome, extras] :
         {std::pair{QStringLiteral("plano.pdf"),
                    QStringList{QStringLiteral("relatorio"), QStringLiteral("associacao"),
                                QStringLiteral("--pdf")}},
          std::pair{QStringLiteral("plano.xlsx"),
                    QStringList{QStringLiteral("exportar"), QStringLiteral("--xlsx")}}}) {
        for (const int sinal : {SIGINT, SIGTERM}) {
            const QString alvo = arquivo(nome);
            QFile f(alvo);
            ASSERT_TRUE(f.open(QIODevice::WriteOnly));
            f.write("o arquivo completo de antes");
            f.close();

            QProcess processo;
            processo.setProcessEnvironment(ambiente());
            processo.start(QStringLiteral(FCONT_CLI), comando(extras.first(), extras.mid(1) << alvo));
            ASSERT_TRUE(processo.waitForStarted());
            // The signal comes once the file is being written: its temporary file is there.
            QElapsedTimer espera;
            espera.start();
            bool escrevendo = false;
            while (!escrevendo && processo.state() == QProcess::Running && espera.elapsed() < 60000) {
                escrevendo = arquivosDaPasta().filter(QStringLiteral(".tmp")).size() == 1;
                if (!escrevendo)
                    QThread::usleep(500);
            }
            ASSERT_TRUE(escrevendo) << nome.toStdString() << " was never being written";
            ::kill(static_cast<pid_t>(processo.processId()), sinal);
            ASSERT_TRUE(processo.waitForFinished(60000));
            EXPECT_EQ(processo.exitStatus(), QProcess::NormalExit);
            EXPECT_EQ(processo.exitCode(), 130) << nome.toStdString() << " signal " << sinal;
            EXPECT_TRUE(processo.readAllStandardOutput().trimmed().isEmpty());
            EXPECT_TRUE(QString::fromLocal8Bit(processo.readAllStandardError())
                            .contains(QStringLiteral("SPED>Operação abortada pelo Usuário.")));
            EXPECT_EQ(le(alvo), QByteArray("o arquivo completo de antes")) << nome.toStdString();
            EXPECT_TRUE(arquivosDaPasta().filter(QStringLiteral(".tmp")).isEmpty());
        }
    }
}

// Signals at a spread of moments of a generation (connecting, loading the set, generating, writing):
// a run the signal stopped ends with 130 whatever the signal, prints no file as complete, and
// leaves only its file marked incomplete; one that ended before the signal keeps its 0.
TEST_F(CliFalhas, ASignalAtAnyMomentOfAGenerationEndsItAsCancelled) {
    copiaTabelasExternas();
    aumentaPlano(3000, true);
    const QString gerados = arquivo(QStringLiteral("Arquivos Gerados"));
    // The moments are spread over the length of a whole run on this machine as it is loaded now.
    QElapsedTimer inteira;
    inteira.start();
    const Saida completa = executa(comando(QStringLiteral("gerar"), {QStringLiteral("--sem-visualizar")}));
    ASSERT_EQ(completa.codigo, 0) << completa.erros.toStdString();
    const qint64 duracao = inteira.elapsed();
    int interrompidas = 0;
    for (const double fracao : {0.0, 0.03, 0.08, 0.15, 0.25, 0.4, 0.55, 0.75}) {
        const auto atraso = static_cast<unsigned long>(fracao * double(duracao));
        for (const int sinal : {SIGINT, SIGTERM}) {
            QDir(gerados).removeRecursively();
            QProcess processo;
            processo.setProcessEnvironment(ambiente());
            processo.start(QStringLiteral(FCONT_CLI),
                           comando(QStringLiteral("gerar"), {QStringLiteral("--sem-visualizar")}));
            ASSERT_TRUE(processo.waitForStarted());
            QThread::msleep(atraso);
            ::kill(static_cast<pid_t>(processo.processId()), sinal);
            ASSERT_TRUE(processo.waitForFinished(60000));
            const QString momento = QStringLiteral("%1 ms, signal %2").arg(atraso).arg(sinal);
            const QString saida = QString::fromLocal8Bit(processo.readAllStandardOutput()).trimmed();
            const QString erros = QString::fromLocal8Bit(processo.readAllStandardError());
            // A signal before main's first line ends the process the default way (the shell shows
            // 128 + the signal): nothing was started then.
            if (processo.exitStatus() == QProcess::CrashExit) {
                EXPECT_EQ(processo.exitCode(), sinal) << momento.toStdString();
                EXPECT_TRUE(arquivosDaPasta(QStringLiteral("Arquivos Gerados")).isEmpty());
                continue;
            }
            if (processo.exitCode() == 0) {
                EXPECT_TRUE(QFileInfo::exists(saida)) << momento.toStdString();
                continue;
            }
            ++interrompidas;
            EXPECT_EQ(processo.exitCode(), 130) << momento.toStdString() << "\n" << erros.toStdString();
            EXPECT_TRUE(saida.isEmpty()) << momento.toStdString();
            EXPECT_TRUE(erros.contains(QStringLiteral("SPED>Operação abortada pelo Usuário.")))
                << momento.toStdString() << "\n"
                << erros.toStdString();
            for (const QString& nome : arquivosDaPasta(QStringLiteral("Arquivos Gerados")))
                EXPECT_TRUE(nome.contains(QStringLiteral(" - INCOMPLETO")) && !nome.startsWith(u'.'))
                    << momento.toStdString() << ": " << nome.toStdString();
        }
    }
    EXPECT_GE(interrompidas, 8) << "the signals came too late to test anything";
}

// Ctrl-C twice while a file is written: the program ends at once, with the temporary file gone
// and the earlier file as it was.
TEST_F(CliFalhas, ASecondInterruptEndsAtOnceAndLeavesNoTemporaryFile) {
    copiaTabelasExternas();
    aumentaPlano(20000, true);
    for (const auto& [nome, extras] :
         {std::pair{QStringLiteral("plano.pdf"),
                    QStringList{QStringLiteral("relatorio"), QStringLiteral("associacao"),
                                QStringLiteral("--pdf")}},
          std::pair{QStringLiteral("plano.xlsx"),
                    QStringList{QStringLiteral("exportar"), QStringLiteral("--xlsx")}}}) {
        const QString alvo = arquivo(nome);
        QFile f(alvo);
        ASSERT_TRUE(f.open(QIODevice::WriteOnly));
        f.write("o arquivo completo de antes");
        f.close();

        QProcess processo;
        processo.setProcessEnvironment(ambiente());
        processo.start(QStringLiteral(FCONT_CLI), comando(extras.first(), extras.mid(1) << alvo));
        ASSERT_TRUE(processo.waitForStarted());
        QElapsedTimer espera;
        espera.start();
        while (arquivosDaPasta().filter(QStringLiteral(".tmp")).isEmpty() &&
               processo.state() == QProcess::Running && espera.elapsed() < 60000)
            QThread::usleep(500);
        ASSERT_EQ(arquivosDaPasta().filter(QStringLiteral(".tmp")).size(), 1) << nome.toStdString();
        const pid_t pid = static_cast<pid_t>(processo.processId());
        ::kill(pid, SIGINT);
        ::kill(pid, SIGINT);
        QElapsedTimer fim;
        fim.start();
        ASSERT_TRUE(processo.waitForFinished(60000));
        EXPECT_LT(fim.elapsed(), 2000) << nome.toStdString();
        EXPECT_EQ(processo.exitStatus(), QProcess::NormalExit);
        EXPECT_EQ(processo.exitCode(), 130) << nome.toStdString();
        EXPECT_TRUE(processo.readAllStandardOutput().trimmed().isEmpty());
        EXPECT_EQ(le(alvo), QByteArray("o arquivo completo de antes")) << nome.toStdString();
        EXPECT_TRUE(arquivosDaPasta().filter(QStringLiteral(".tmp")).isEmpty())
            << arquivosDaPasta().join(' ').toStdString();
    }
}

// A run stuck in a call that never returns (here the open of a pipe nobody writes to, where the
// chart file should be) still ends on one signal, after a short grace, as a cancelled run.
TEST_F(CliFalhas, OneSignalEndsARunStuckInACallThatNeverReturns) {
    copiaTabelasExternas();
    const QString plano = arquivo(QStringLiteral("Tabelas Externas/contasref-SRF.txt"));
    ASSERT_TRUE(QFile::remove(plano));
    ASSERT_EQ(::mkfifo(QFile::encodeName(plano).constData(), 0600), 0);
    for (const int sinal : {SIGTERM, SIGINT}) {
        QProcess processo;
        processo.setProcessEnvironment(ambiente());
        processo.start(QStringLiteral(FCONT_CLI), comando(QStringLiteral("carregar-plano"), {}));
        ASSERT_TRUE(processo.waitForStarted());
        // Connected and loading: the run waits in the open of the pipe from here on.
        EXPECT_FALSE(processo.waitForFinished(3000)) << processo.readAllStandardError().toStdString();
        ::kill(static_cast<pid_t>(processo.processId()), sinal);
        QElapsedTimer fim;
        fim.start();
        const bool terminou = processo.waitForFinished(10000);
        if (!terminou)
            processo.kill();
        ASSERT_TRUE(terminou) << "signal " << sinal << " did not end the stuck run";
        EXPECT_LT(fim.elapsed(), 6000);
        EXPECT_EQ(processo.exitStatus(), QProcess::NormalExit);
        EXPECT_EQ(processo.exitCode(), 130) << "signal " << sinal;
        EXPECT_TRUE(QString::fromLocal8Bit(processo.readAllStandardError())
                        .contains(QStringLiteral("SPED>Operação abortada pelo Usuário.")));
    }
}

TEST_F(CliFalhas, AConnectionDroppedByTheServerEndsTheCommandAtOnce) {
    copiaTabelasExternas();
    aumentaPlano(5000, false);
    QProcess processo;
    processo.setProcessEnvironment(ambiente());
    processo.start(QStringLiteral(FCONT_CLI), comando(QStringLiteral("carregar-plano"), {}));
    ASSERT_TRUE(processo.waitForStarted());
    QByteArray saida;
    QElapsedTimer espera;
    espera.start();
    while (!saida.contains("SPED>Carregando Conta 20 de") && espera.elapsed() < 60000 &&
           processo.state() == QProcess::Running) {
        processo.waitForReadyRead(100);
        saida += processo.readAllStandardOutput();
    }
    ASSERT_TRUE(saida.contains("SPED>Carregando Conta 20 de")) << saida.toStdString();

    db::Attachment administrador = banco->connect();
    db::Transaction transacao(administrador);
    db::executeImmediate(transacao,
                         QStringLiteral("delete from MON$ATTACHMENTS where MON$REMOTE_PID = %1 and "
                                        "MON$ATTACHMENT_ID <> current_connection")
                             .arg(processo.processId()));
    transacao.commit();

    QElapsedTimer fim;
    fim.start();
    const bool terminou = processo.waitForFinished(10000);
    if (!terminou)
        processo.kill();
    ASSERT_TRUE(terminou) << "the command waited on the dead connection";
    EXPECT_LT(fim.elapsed(), 3000);
    const QString erros = QString::fromLocal8Bit(processo.readAllStandardError());
    EXPECT_EQ(processo.exitStatus(), QProcess::NormalExit) << erros.toStdString();
    EXPECT_EQ(processo.exitCode(), 1) << erros.toStdString();
    EXPECT_TRUE(erros.contains(QStringLiteral("Erro: a conexão com o banco de dados foi perdida.\n"
                                              "As contas gravadas antes da queda ficam no banco")))
        << erros.toStdString();
    EXPECT_FALSE(erros.contains(QStringLiteral("novas contas criadas")));

    // What was committed before the drop stays.
    db::Transaction leitura(administrador);
    EXPECT_GE(
        value(leitura, QStringLiteral("select count(*) from AUGC80SPAS where PCCODIGO >= 100000")).toInt(),
        20);
}

// The same drop while the generation reads the chart: it ends saying so, names no file complete
// and leaves no file under the complete file's name.
TEST_F(CliFalhas, AConnectionDroppedDuringAGenerationEndsItWithoutAFileClaimedComplete) {
    copiaTabelasExternas();
    aumentaPlano(20000, true);
    QProcess processo;
    processo.setProcessEnvironment(ambiente());
    processo.start(QStringLiteral(FCONT_CLI),
                   comando(QStringLiteral("gerar"), {QStringLiteral("--sem-visualizar")}));
    ASSERT_TRUE(processo.waitForStarted());
    QByteArray erros;
    QElapsedTimer espera;
    espera.start();
    while (!erros.contains("PLANO DE CONTAS x REFERENCIAL") && espera.elapsed() < 60000 &&
           processo.state() == QProcess::Running) {
        processo.waitForReadyRead(50);
        erros += processo.readAllStandardError();
    }
    ASSERT_TRUE(erros.contains("PLANO DE CONTAS x REFERENCIAL")) << erros.toStdString();

    db::Attachment administrador = banco->connect();
    db::Transaction transacao(administrador);
    db::executeImmediate(transacao,
                         QStringLiteral("delete from MON$ATTACHMENTS where MON$REMOTE_PID = %1 and "
                                        "MON$ATTACHMENT_ID <> current_connection")
                             .arg(processo.processId()));
    transacao.commit();

    const bool terminou = processo.waitForFinished(10000);
    if (!terminou)
        processo.kill();
    ASSERT_TRUE(terminou) << "the generation waited on the dead connection";
    erros += processo.readAllStandardError();
    const QString texto = QString::fromLocal8Bit(erros);
    EXPECT_EQ(processo.exitStatus(), QProcess::NormalExit) << texto.toStdString();
    EXPECT_EQ(processo.exitCode(), 1) << texto.toStdString();
    EXPECT_TRUE(texto.contains(QStringLiteral("Erro: a conexão com o banco de dados foi perdida.")))
        << texto.toStdString();
    EXPECT_FALSE(texto.contains(QStringLiteral("CONCLUÍDO COM SUCESSO"))) << texto.toStdString();
    EXPECT_TRUE(processo.readAllStandardOutput().trimmed().isEmpty()) << "no file named complete";
    for (const QString& nome : arquivosDaPasta(QStringLiteral("Arquivos Gerados")))
        EXPECT_TRUE(nome.contains(QStringLiteral(" - INCOMPLETO")) && !nome.startsWith(u'.'))
            << nome.toStdString();
}

TEST_F(CliFalhas, MessagesNameTheRealCauseAndPutOurSentenceBeforeTheEngines) {
    copiaTabelasExternas();
    // A set that exists but whose statement fails (a column the upkeep does not bring back).
    banco->runScript(QStringLiteral("alter table AUGC80SP drop R0111REC_BRU_CUM;"));
    Saida s = executa(comando(QStringLiteral("gerar"), {QStringLiteral("--sem-visualizar")}));
    EXPECT_EQ(s.codigo, 2);
    EXPECT_TRUE(s.erros.contains(QStringLiteral("Erro: não foi possível abrir a configuração 1.")))
        << s.erros.toStdString();
    EXPECT_FALSE(s.erros.contains(QStringLiteral("não encontrada"))) << s.erros.toStdString();
    banco->runScript(QStringLiteral("alter table AUGC80SP add R0111REC_BRU_CUM DOVALOR;"));

    // A chart loading the server refuses: our sentence, then the server's text.
    ASSERT_NO_THROW(banco->runScript(
        QStringLiteral("delete from AUGC80SPAS where SPASCODIGO in (39, 40);"
                       "alter table AUGC80SPAS add constraint SO_ANTIGAS check (SPASCODIGO < 39);")));
    s = executa(comando(QStringLiteral("carregar-plano"), {}));
    EXPECT_EQ(s.codigo, 1);
    EXPECT_TRUE(s.erros.contains(QStringLiteral("Erro: "))) << s.erros.toStdString();
    const int nossa = int(s.erros.indexOf(QStringLiteral("Erro: ")));
    const int doServidor = int(s.erros.indexOf(QStringLiteral("CHECK")));
    EXPECT_GE(doServidor, 0) << s.erros.toStdString();
    EXPECT_LT(nossa, doServidor) << s.erros.toStdString();
}
