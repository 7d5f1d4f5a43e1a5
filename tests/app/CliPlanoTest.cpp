// fcont-cli carregar-plano and importar-plano run against the seed database.

#include "app/Cli.h"
#include "common/Consultas.h"
#include "data/CargaEmLotes.h"
#include "data/Esquema.h"
#include "db/Statement.h"
#include "tests/support/ModuloDados.h"
#include "tests/support/PlanoGrande.h"

#include <QElapsedTimer>
#include <QProcess>
#include <QRegularExpression>
#include <memory>

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

    std::unique_ptr<QProcess> inicia(const QString& comando, const QStringList& extras = {}) {
        auto processo = std::make_unique<QProcess>();
        QProcessEnvironment ambiente = QProcessEnvironment::systemEnvironment();
        ambiente.insert(QStringLiteral("ISC_USER"), testUser());
        ambiente.insert(QStringLiteral("ISC_PASSWORD"), testPassword());
        processo->setProcessEnvironment(ambiente);
        processo->start(QStringLiteral(FCONT_CLI),
                        QStringList{comando, QStringLiteral("--banco"), banco->params().database,
                                    QStringLiteral("--configuracao"), QStringLiteral("1"),
                                    QStringLiteral("--pasta"), pastaAtual()}
                            << extras);
        return processo;
    }

    static Saida termina(QProcess& processo) {
        EXPECT_TRUE(processo.waitForFinished(120000));
        return {processo.exitCode(), QString::fromLocal8Bit(processo.readAllStandardOutput()),
                QString::fromLocal8Bit(processo.readAllStandardError())};
    }

    Saida executa(const QString& comando, const QStringList& extras = {}) {
        return termina(*inicia(comando, extras));
    }

    // Every association row of company 3, keys included, as another program sees them.
    QStringList linhasDaEmpresa() {
        db::Attachment outra = banco->connect();
        db::Transaction leitura(outra);
        db::Statement consulta(leitura,
                               QStringLiteral("select SPASCODIGO, SPCODIGO, PACODIGO, PCCODIGO, "
                                              "PCCODIGOSUP, COD_AGL, J150IND_VL, COD_CTA_REF, SPRFCODIGO "
                                              "from AUGC80SPAS where PACODIGO = 3 order by SPASCODIGO"));
        QStringList linhas;
        auto cursor = consulta.openCursor();
        while (cursor->fetch()) {
            QStringList valores;
            for (int i = 0; i < cursor->columnCount(); ++i)
                valores << (cursor->isNull(i) ? QStringLiteral("<null>") : cursor->value(i).toString());
            linhas << valores.join(QLatin1Char(' '));
        }
        cursor.reset();
        leitura.commit();
        return linhas;
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

// Company 3 with a chart of 2500 accounts, 200 of them associated in set 1, and inserts slowed
// down so that a loading lasts a few seconds.
const int contasGrandes = 2500;

QString planoGrande() {
    return QStringLiteral("update AUGC80SP set EMPRESA = 3 where SPCODIGO = 1;") +
           testsupport::scriptPlanoGrande(3, contasGrandes, 10000) +
           QStringLiteral("insert into AUGC80SPAS (SPASCODIGO, SPCODIGO, PACODIGO, PCCODIGO) select "
                          "PCCODIGO - 9000, 1, 3, PCCODIGO from ACBC15PC where PACODIGO = 3 and "
                          "mod(PCCODIGO, 10) = 3 and PCCODIGO < 12000;") +
           testsupport::scriptGatilhoLento(2500);
}

int ultimaContagem(const QString& saida) {
    static const QRegularExpression carregando(QStringLiteral("SPED>Carregando Conta (\\d+) de \\d+\n"));
    int n = -1;
    for (auto it = carregando.globalMatch(saida); it.hasNext();)
        n = it.next().captured(1).toInt();
    return n;
}

// Killed in the middle, a loading leaves whole rows only, every row the lines printed so far
// counted among them; run again it completes the set exactly as one loading would have.
TEST_F(CliPlano, KilledLoadingLeavesItsCountedRowsAndARerunCompletesTheSetExactly) {
    copiaTabelasExternas();
    ASSERT_TRUE(data::ExecutaScript(planoGrande()));
    const QStringList antes = linhasDaEmpresa();
    ASSERT_EQ(antes.size(), 200);

    std::unique_ptr<QProcess> processo = inicia(QStringLiteral("carregar-plano"));
    QString impresso;
    QElapsedTimer relogio;
    relogio.start();
    while (ultimaContagem(impresso) < 300 && relogio.elapsed() < 60000 &&
           processo->state() != QProcess::NotRunning) {
        processo->waitForReadyRead(100);
        impresso += QString::fromLocal8Bit(processo->readAllStandardOutput());
    }
    processo->kill();
    processo->waitForFinished(10000);
    impresso += QString::fromLocal8Bit(processo->readAllStandardOutput());
    const int contadas = ultimaContagem(impresso);
    ASSERT_GE(contadas, 300) << impresso.toStdString();
    ASSERT_FALSE(impresso.contains(QStringLiteral("novas contas criadas!"))) << "killed before its end";

    const QStringList depoisDoKill = linhasDaEmpresa();
    EXPECT_GE(depoisDoKill.size() - 200, contadas);
    EXPECT_LT(depoisDoKill.size(), contasGrandes);
    for (const QString& linha : depoisDoKill)
        EXPECT_TRUE(linha.contains(QStringLiteral(" 1 3 1")))
            << "set, company, account: " << linha.toStdString();

    Saida s = executa(QStringLiteral("carregar-plano"));
    EXPECT_EQ(s.codigo, 0) << s.erros.toStdString();
    EXPECT_TRUE(s.saida.endsWith(QStringLiteral("SPED>%1/%2 novas contas criadas!\n")
                                     .arg(contasGrandes - depoisDoKill.size())
                                     .arg(contasGrandes)))
        << s.saida.right(200).toStdString();
    const QStringList completo = linhasDaEmpresa();
    EXPECT_EQ(completo.size(), contasGrandes);

    // The same set loaded in one go.
    ASSERT_TRUE(data::ExecutaScript(
        QStringLiteral("delete from AUGC80SPAS where PACODIGO = 3 and SPASCODIGO > 2993;")));
    ASSERT_EQ(linhasDaEmpresa(), antes);
    s = executa(QStringLiteral("carregar-plano"));
    EXPECT_EQ(s.codigo, 0) << s.erros.toStdString();
    EXPECT_EQ(linhasDaEmpresa(), completo);
}

// Two programs loading the same set at once: one stores the rows, the other stops at once with
// its warning, and no account gets two rows.
TEST_F(CliPlano, TwoLoadingsOfOneSetAtOnceLeaveNoDuplicateRow) {
    copiaTabelasExternas();
    ASSERT_TRUE(data::ExecutaScript(planoGrande()));
    std::unique_ptr<QProcess> primeiro = inicia(QStringLiteral("carregar-plano"));
    QString impresso;
    while (!impresso.contains(QStringLiteral("SPED>Carregando Conta 1 de")) &&
           primeiro->state() != QProcess::NotRunning) {
        primeiro->waitForReadyRead(100);
        impresso += QString::fromLocal8Bit(primeiro->readAllStandardOutput());
    }
    QElapsedTimer relogio;
    relogio.start();
    const Saida segundo = executa(QStringLiteral("carregar-plano"));
    const qint64 duracao = relogio.elapsed();
    const Saida s = termina(*primeiro);
    EXPECT_EQ(s.codigo, 0) << s.erros.toStdString();
    EXPECT_TRUE(s.saida.endsWith(QStringLiteral("SPED>2300/2500 novas contas criadas!\n")));
    EXPECT_EQ(segundo.codigo, 1);
    EXPECT_TRUE(segundo.erros.contains(
        QString(data::avisoCargaEmAndamento).replace(QLatin1Char('\r'), QLatin1Char('\n'))))
        << segundo.erros.toStdString();
    EXPECT_FALSE(segundo.saida.contains(QStringLiteral("Carregando Conta")));
    EXPECT_LT(duracao, 20000) << "the second one does not wait for the first";
    EXPECT_EQ(linhasDaEmpresa().size(), contasGrandes);
    EXPECT_EQ(common::BuscaValorInteiro(QStringLiteral("count(distinct PCCODIGO)"),
                                        QStringLiteral("AUGC80SPAS"), QStringLiteral(" where PACODIGO = 3"),
                                        dm->quExec),
              contasGrandes);
}

} // namespace
