// Whole generations against the seed database: the file compared with the one written by hand
// from the seed data, and the rules that only show with a real database behind them.

#include "generation/Geracao.h"
#include "common/Mensagens.h"
#include "data/Carregamento.h"
#include "data/dmFCONT.h"
#include "db/Statement.h"
#include "generation/dmBlocos.h"
#include "platform/Abort.h"
#include "platform/EventLoop.h"
#include "tests/support/ModuloDados.h"

#include <QDir>
#include <QFile>
#include <QRegularExpression>
#include <QTemporaryDir>

using namespace testsupport;

namespace {

class Geracao : public ModuloDadosTest {
protected:
    void SetUp() override {
        ModuloDadosTest::SetUp();
        if (IsSkipped())
            return;
        blocos = std::make_unique<generation::TdmBlocos>();
        copiaTabelasExternas();
    }
    void TearDown() override {
        platform::setPendingEventsHook({});
        blocos.reset();
        ModuloDadosTest::TearDown();
    }

    // Changes the seed in a connection of its own, committed before the set is loaded.
    void altera(const QString& sql) { banco->runScript(sql); }

    // Loads set 1 as the main window does and presses "Gerar"; returns the file's lines.
    QStringList gera() {
        try {
            data::CarregaConfiguracoes(1);
        } catch (const platform::SilentAbort&) {
        }
        caixas->get().clear();
        resultado = generation::GeraArquivoFCONT(nullptr);
        return leArquivo(resultado.arquivo);
    }

    static QStringList leArquivo(const QString& caminho) {
        QFile f(caminho);
        if (!f.open(QIODevice::ReadOnly))
            return {};
        const QByteArray bytes = f.readAll();
        EXPECT_TRUE(bytes.isEmpty() || bytes.endsWith("\r\n")) << "every line ends with CR LF";
        QStringList linhas = QString::fromLatin1(bytes).split(QStringLiteral("\r\n"));
        if (!linhas.isEmpty() && linhas.last().isEmpty())
            linhas.removeLast();
        return linhas;
    }

    static QStringList comecandoCom(const QStringList& linhas, const char* registro) {
        return linhas.filter(QRegularExpression(QStringLiteral("^\\|%1\\|").arg(QLatin1String(registro))));
    }

    static int contagem(const QStringList& linhas, const char* registro) {
        const QStringList l =
            comecandoCom(linhas, "9900").filter(QStringLiteral("|9900|%1|").arg(QLatin1String(registro)));
        return l.size() == 1 ? l.first().section(QLatin1Char('|'), 3, 3).toInt() : -1;
    }

    std::unique_ptr<generation::TdmBlocos> blocos;
    generation::ResultadoGeracao resultado;
};

TEST_F(Geracao, SeedSetGivesTheFileWrittenByHand) {
    const QStringList linhas = gera();
    EXPECT_TRUE(resultado.sucesso) << caixas->get().texts().join('|').toStdString();
    const QStringList esperadas =
        leArquivo(QStringLiteral(FCONT_SOURCE_DIR "/tests/generation/golden/seed_sp1.txt"));
    ASSERT_EQ(esperadas.size(), 140);
    EXPECT_EQ(linhas.size(), esperadas.size());
    for (int i = 0; i < std::min(linhas.size(), esperadas.size()); ++i)
        EXPECT_EQ(linhas[i].toStdString(), esperadas[i].toStdString()) << "line " << i + 1;

    // Named after the minute it was made, in "Arquivos Gerados" of the current folder, shown.
    EXPECT_TRUE(QFileInfo(resultado.arquivo)
                    .fileName()
                    .contains(QRegularExpression(QStringLiteral("^FCONT_\\d{8} \\d{4}\\.txt$"))));
    EXPECT_EQ(QFileInfo(resultado.arquivo).absolutePath(),
              QDir(pastaAtual()).filePath(QStringLiteral("Arquivos Gerados")));
    ASSERT_EQ(caixas->get().boxes().size(), 1);
    EXPECT_EQ(caixas->get().boxes().first().kind, platform::ScriptedDialogs::Kind::ShowFile);
    EXPECT_FALSE(dm->slArquivo) << "the line list lives only while the command runs";
}

TEST_F(Geracao, TwoGenerationsInOneMinuteLeaveOneFile) {
    gera();
    const QString primeiro = resultado.arquivo;
    gera();
    if (QFileInfo(primeiro).fileName() != QFileInfo(resultado.arquivo).fileName())
        GTEST_SKIP() << "the minute changed between the two runs";
    EXPECT_EQ(QDir(pastaAtual() + QStringLiteral("/Arquivos Gerados")).entryList(QDir::Files).size(), 1);
    EXPECT_EQ(leArquivo(resultado.arquivo).size(), 140);
}

TEST_F(Geracao, GenerationCreatesNothingInTheCustomersDatabase) {
    // With the superior accounts from the association every per-account read goes through the
    // association table, which has no index on the account: none may be added for it.
    altera(QStringLiteral("update AUGC80SP set RI200LCTPGCR = -1 where SPCODIGO = 1;"));
    auto objetos = [&] {
        db::Statement consulta(
            dm->trBanco,
            QStringLiteral("select (select count(*) from rdb$indices) || '/' || (select count(*) "
                           "from rdb$relations) || '/' || (select count(*) from rdb$triggers) || "
                           "'/' || (select count(*) from rdb$procedures) from rdb$database"));
        auto cursor = consulta.openCursor();
        return cursor->fetch() ? cursor->asText(0).value_or(QString()) : QString();
    };
    const QString antes = objetos();
    const QStringList linhas = gera();
    EXPECT_TRUE(resultado.sucesso);
    EXPECT_GT(comecandoCom(linhas, "I051").size(), 10);
    EXPECT_EQ(objetos(), antes);
}

TEST_F(Geracao, EmptyAssociationTableStillGivesEveryFixedRecord) {
    altera(QStringLiteral("delete from AUGC80SPAS where SPCODIGO = 1;"));
    const QStringList linhas = gera();
    EXPECT_TRUE(resultado.sucesso);
    for (const char* r : {"I050", "I051", "I155", "I355", "M025", "M355"}) {
        EXPECT_TRUE(comecandoCom(linhas, r).isEmpty()) << r;
        EXPECT_EQ(contagem(linhas, r), 0) << r;
    }
    for (const char* r :
         {"0000", "I001", "I150", "I350", "I990", "J001", "J990", "M001", "M020", "M030", "M990", "9999"})
        EXPECT_EQ(comecandoCom(linhas, r).size(), 1) << r;
    // I001 + 8 histories + 3 cost centres + I150 + I350 + I990.
    EXPECT_EQ(comecandoCom(linhas, "I990").value(0), QStringLiteral("|I990|15|"));
    EXPECT_EQ(comecandoCom(linhas, "9999").value(0), QStringLiteral("|9999|%1|").arg(linhas.size()));
}

TEST_F(Geracao, PeriodAcrossTwoYearsNeedsASpecialSituation) {
    altera(QStringLiteral("update AUGC80SP set R0000DT_FIN = '2026-12-31' where SPCODIGO = 1;"));
    QStringList linhas = gera();
    EXPECT_FALSE(resultado.sucesso);
    EXPECT_TRUE(linhas.isEmpty()) << "the opening record is checked before its line";
    EXPECT_EQ(
        caixas->get().texts().value(0),
        QStringLiteral("Operação Abortada: \rData de início e fim devem estar contidas em um mesmo ano e \r"
                       "correspondem ao período das informações contidas no Bloco I."));
    EXPECT_EQ(caixas->get().texts().value(1),
              QStringLiteral("Erro: ao popular Bloco.\rquReg0000\r\rOperation aborted"));

    altera(QStringLiteral("update AUGC80SP set R0000IND_SIT_ESP = '1' where SPCODIGO = 1;"));
    linhas = gera();
    EXPECT_TRUE(resultado.sucesso) << caixas->get().texts().join('|').toStdString();
    EXPECT_EQ(comecandoCom(linhas, "I150").value(0), QStringLiteral("|I150|01012025|31122025|"));
    EXPECT_EQ(comecandoCom(linhas, "I350").value(0), QStringLiteral("|I350|31122025|"));
    EXPECT_EQ(comecandoCom(linhas, "I355").size(), 7) << "December 2025";
    EXPECT_TRUE(comecandoCom(linhas, "M355").isEmpty()) << "the seed has no December 2026";
}

TEST_F(Geracao, LevelOneAccountWithASuperiorStopsAfterItsOwnLine) {
    // The superior comes from the association rows; the account 1 (level 1) gets one.
    altera(QStringLiteral(
        "update AUGC80SP set RI200LCTPGCR = -1 where SPCODIGO = 1;"
        "update AUGC80SPAS set PCCODIGOSUP = (select PCCODIGO from ACBC15PC where PACODIGO = 1 and "
        "PCORDENACAO = '2') where SPCODIGO = 1 and PCCODIGO = (select PCCODIGO from ACBC15PC where "
        "PACODIGO = 1 and PCORDENACAO = '1');"));
    const QStringList linhas = gera();
    EXPECT_FALSE(resultado.sucesso);
    ASSERT_GE(linhas.size(), 3);
    EXPECT_TRUE(linhas.last().startsWith(QStringLiteral("|I050|01012025|"))) << linhas.last().toStdString();
    const QStringList caixasMostradas = caixas->get().texts();
    ASSERT_GE(caixasMostradas.size(), 2);
    EXPECT_TRUE(caixasMostradas[0].startsWith(QStringLiteral("Operação Abortada: \rConta: \"")));
    EXPECT_TRUE(
        caixasMostradas[0].contains(QStringLiteral("\" de Nível 1.\rCod. Conta \"1\"\rCod. Conta Sup. \"2\"\r"
                                                   "Código da Conta Superior não deve ser informado!")));
    EXPECT_EQ(caixasMostradas[1], QStringLiteral("Erro: ao popular Bloco.\rquRegI050\r\rOperation aborted"));
}

TEST_F(Geracao, AccountsMustBeChangedBeforeThePeriodsLastDay) {
    // Every account carries the period's first day as its change date, so a one-day period puts
    // the change on the last day itself: that is already too late.
    altera(QStringLiteral(
        "update AUGC80SP set R0000DT_INI = '2025-12-31', R0000DT_FIN = '2025-12-31' where SPCODIGO = 1;"));
    QStringList linhas = gera();
    EXPECT_FALSE(resultado.sucesso);
    EXPECT_EQ(comecandoCom(linhas, "I050").size(), 1);
    EXPECT_TRUE(linhas.value(linhas.size() - 1).startsWith(QStringLiteral("|I050|31122025|")))
        << linhas.value(linhas.size() - 1).toStdString();
    const QStringList textos = caixas->get().texts();
    ASSERT_GE(textos.size(), 2);
    EXPECT_EQ(textos[0], QStringLiteral("Operação Abortada: \rData de Alteração Conta MAIOR ou IGUAL a \r"
                                        "Data Final do Período de Geração do Arquivo!"));
    EXPECT_EQ(textos[1], QStringLiteral("Erro: ao popular Bloco.\rquRegI050\r\rOperation aborted"));

    // One day more and the whole chart goes out.
    altera(QStringLiteral("update AUGC80SP set R0000DT_INI = '2025-12-30' where SPCODIGO = 1;"));
    linhas = gera();
    EXPECT_TRUE(resultado.sucesso) << caixas->get().texts().join('|').toStdString();
    const QStringList semente =
        leArquivo(QStringLiteral(FCONT_SOURCE_DIR "/tests/generation/golden/seed_sp1.txt"));
    EXPECT_EQ(comecandoCom(linhas, "I050").size(), comecandoCom(semente, "I050").size());
}

TEST_F(Geracao, ZeroBalancesAreCredits) {
    // A balance account and a result account without a single entry or balance.
    const QString contas =
        QStringLiteral("(select PCCODIGO from ACBC15PC where PACODIGO = 1 and PCORDENACAO in "
                       "('1101001', '4201002'))");
    altera(QStringLiteral("delete from ACBM19LC where PACODIGO = 1 and PCCODIGO in %1;"
                          "update ACBC21SC set SCSALDOANTERIOR = 0, SCSALDOATUAL = 0 where PACODIGO = 1 and "
                          "PCCODIGO in %1;")
               .arg(contas));
    const QStringList linhas = gera();
    EXPECT_TRUE(resultado.sucesso) << caixas->get().texts().join('|').toStdString();
    auto linhasDa = [&](const char* registro, const char* conta) {
        return comecandoCom(linhas, registro)
            .filter(QLatin1String(conta))
            .join(QLatin1Char('\n'))
            .toStdString();
    };
    EXPECT_EQ(linhasDa("I155", "|1.1.01.001|"), "|I155|1.1.01.001||0,00|C|0,00|0,00|0,00|C|");
    EXPECT_EQ(linhasDa("I355", "|4.2.01.002|"), "|I355|4.2.01.002||0,00|C|");
    EXPECT_EQ(linhasDa("M025", "|1.1.01.001|"), "|M025|1.1.01.001||1.01.01.01.00|0|C|0|C|");
    EXPECT_EQ(linhasDa("M355", "|4201002|"), "|M355|4201002||3.02.02.02.00|0|C|0|0|0|0|0|C|");
}

TEST_F(Geracao, SuperiorFromTheAssociationIsTakenFromTheOpenSetOnly) {
    // Set 7 (another owner) lends account 1101 the superior 2 and is read first in the table's
    // natural order; set 1's own row, written after it, says 11.
    const QString conta =
        QStringLiteral("(select PCCODIGO from ACBC15PC where PACODIGO = 1 and PCORDENACAO = '%1')");
    altera(
        QStringLiteral("update AUGC80SP set RI200LCTPGCR = -1 where SPCODIGO = 1;"
                       "insert into AUGC80SPAS (SPASCODIGO, SPCODIGO, PACODIGO, PCCODIGO, PCCODIGOSUP) "
                       "values (100, 7, 1, %1, %2);"
                       "insert into AUGC80SPAS (SPASCODIGO, SPCODIGO, PACODIGO, PCCODIGO, PCCODIGOSUP) "
                       "values (200, 1, 1, %1, %3);"
                       "delete from AUGC80SPAS where SPCODIGO = 1 and PCCODIGO = %1 and SPASCODIGO <> 200;")
            .arg(conta.arg(QStringLiteral("1101")), conta.arg(QStringLiteral("2")),
                 conta.arg(QStringLiteral("11"))));
    const QStringList linhas = gera();
    const QStringList i050 = comecandoCom(linhas, "I050").filter(QStringLiteral("|1.1.01.000|"));
    ASSERT_EQ(i050.size(), 1);
    EXPECT_EQ(i050.first().section(QLatin1Char('|'), 7, 7), QStringLiteral("1.1..00000"))
        << i050.first().toStdString();
}

TEST_F(Geracao, InvalidLevelStopsWithTheAccountsName) {
    altera(QStringLiteral("update ACBC15PC set PCNIVEL = 'X' where PACODIGO = 1 and PCORDENACAO = '11';"));
    gera();
    EXPECT_FALSE(resultado.sucesso);
    EXPECT_TRUE(caixas->get().texts().value(0).startsWith(
        QStringLiteral("Operação Abortada: \rNível Inválido da Conta: \"")));
}

TEST_F(Geracao, OnlyAnalyticAccountsGetReferentialRows) {
    altera(QStringLiteral(
        "update AUGC80SPAS set COD_CTA_REF = '1.01' where SPCODIGO = 1 and PCCODIGO = (select PCCODIGO "
        "from ACBC15PC where PACODIGO = 1 and PCORDENACAO = '1');"));
    const QStringList linhas = gera();
    EXPECT_TRUE(resultado.sucesso);
    EXPECT_EQ(comecandoCom(linhas, "I051").size(), 17)
        << "the synthetic account's referential row is not written";
    EXPECT_TRUE(linhas.value(2).startsWith(QStringLiteral("|I050|")))
        << "no I051 after the synthetic first account";
}

TEST_F(Geracao, ConsolidationReadsTheListedCompanies) {
    altera(QStringLiteral("update AUGC80SP set R0000CONSOLIDAR = -1 where SPCODIGO = 1;"));
    const QStringList consolidado = gera();
    EXPECT_TRUE(resultado.sucesso);
    const QStringList sozinho =
        leArquivo(QStringLiteral(FCONT_SOURCE_DIR "/tests/generation/golden/seed_sp1.txt"));
    EXPECT_NE(comecandoCom(consolidado, "I155"), comecandoCom(sozinho, "I155"))
        << "company 2's balances count too";
    EXPECT_EQ(comecandoCom(consolidado, "I050"), comecandoCom(sozinho, "I050"));
}

TEST_F(Geracao, EmptyConsolidationListFailsAtTheFirstBalanceStatementAndKeepsThePartialFile) {
    altera(QStringLiteral("update AUGC80SP set R0000CONSOLIDAR = -1 where SPCODIGO = 1;"
                          "update AUGC01PA set PAEMPRESACONSOLIDADA = null where PACODIGO = 1;"));
    const QStringList linhas = gera();
    EXPECT_FALSE(resultado.sucesso);
    ASSERT_FALSE(linhas.isEmpty());
    EXPECT_TRUE(linhas.last().startsWith(QStringLiteral("|I150|")));
    const QStringList textos = caixas->get().texts();
    ASSERT_GE(textos.size(), 2);
    EXPECT_TRUE(textos[0].startsWith(QStringLiteral("Erro: ao popular Bloco.\rquRegI155\r\r")));
    EXPECT_EQ(textos[1], QStringLiteral("Erro: ao popular Bloco.\rquRegI150\r\rOperation aborted"));
    EXPECT_EQ(caixas->get().boxes().last().kind, platform::ScriptedDialogs::Kind::ShowFile)
        << "shown all the same";
}

TEST_F(Geracao, ConsolidationListThatIsNotCompanyNumbersNeverReachesTheDatabase) {
    altera(QStringLiteral("update AUGC80SP set R0000CONSOLIDAR = -1 where SPCODIGO = 1;"
                          "update AUGC01PA set PAEMPRESACONSOLIDADA = '1) or (1=1' where PACODIGO = 1;"));
    data::CarregaConfiguracoes(1);
    caixas->get().clear();
    EXPECT_THROW(generation::GeraArquivoFCONT(nullptr), platform::SilentAbort);
    EXPECT_EQ(caixas->get().texts(),
              QStringList{QStringLiteral(
                  "Operação Abortada: \rLista de empresas consolidadas inválida: \"1) or (1=1\"!")});
    EXPECT_FALSE(QDir(pastaAtual()).exists(QStringLiteral("Arquivos Gerados")));

    altera(QStringLiteral("update AUGC01PA set PAEMPRESACONSOLIDADA = ' 1 , 2 ' where PACODIGO = 1;"));
    gera();
    EXPECT_TRUE(resultado.sucesso) << "blanks around the numbers are fine";
}

// The user's own "Cancelar" is told by the prompt's lines alone: no "Erro:" box from the
// handlers the abort passes on its way out, however deep the cancelled row was stored.
TEST_F(Geracao, CancelDuringTheChartEndsTheFileAtTheLastChartLine) {
    common::MemoPrompt prompt;
    dm->prompt = &prompt;
    auto somenteOArquivo = [&] {
        QList<platform::ScriptedDialogs::Kind> tipos;
        for (const platform::ScriptedDialogs::Box& caixa : caixas->get().boxes())
            tipos << caixa.kind;
        EXPECT_EQ(tipos, QList{platform::ScriptedDialogs::Kind::ShowFile})
            << caixas->get().texts().join(QLatin1Char('|')).toStdString();
        EXPECT_EQ(prompt.lines().value(0), QStringLiteral("SPED>Operação abortada pelo Usuário."));
    };
    int eventos = 0;
    platform::setPendingEventsHook([&] {
        if (dm->slArquivo && comecandoCom(*dm->slArquivo, "I050").size() == 5 && ++eventos == 1)
            dm->Cancelado = true;
    });
    QStringList linhas = gera();
    EXPECT_FALSE(resultado.sucesso);
    ASSERT_FALSE(linhas.isEmpty());
    EXPECT_TRUE(linhas.last().startsWith(QStringLiteral("|I050|")) ||
                linhas.last().startsWith(QStringLiteral("|I051|")));
    EXPECT_EQ(comecandoCom(linhas, "I050").size(), 5);
    EXPECT_TRUE(dm->Cancelado) << "the flag stays set until the next run";
    somenteOArquivo();

    // A balance row stored inside its account's row (I155 within I150).
    platform::setPendingEventsHook([&] {
        if (dm->slArquivo && !comecandoCom(*dm->slArquivo, "I155").isEmpty())
            dm->Cancelado = true;
    });
    linhas = gera();
    EXPECT_FALSE(resultado.sucesso);
    ASSERT_FALSE(linhas.isEmpty());
    EXPECT_TRUE(linhas.last().startsWith(QStringLiteral("|I155|"))) << linhas.last().toStdString();
    somenteOArquivo();
    dm->prompt = nullptr;
}

TEST_F(Geracao, CancelPressedOnTheSuccessLineStillSavesTheCompleteFile) {
    platform::setPendingEventsHook([&] {
        if (dm->slArquivo && dm->slArquivo->size() == 140)
            dm->Cancelado = true;
    });
    const QStringList linhas = gera();
    EXPECT_EQ(linhas.size(), 140);
    EXPECT_EQ(caixas->get().boxes().size(), 1) << "and it is shown";
}

} // namespace

namespace {

class ArquivoSeguro : public Geracao {
protected:
    QStringList esperadas() const {
        return leArquivo(QStringLiteral(FCONT_SOURCE_DIR "/tests/generation/golden/seed_sp1.txt"));
    }
};

} // namespace

TEST_F(ArquivoSeguro, PipesInTextsNeitherAddFieldsNorMoveThem) {
    altera(QStringLiteral(
        "update AUGC80SP set R0000NOME = 'VALE|SERRANO', R0000UF = 'S|', "
        "R0000CNPJ = '11.222.333/0001-81', SPMASCARA = '9|.9.99.999 ' where SPCODIGO = 1;"
        "update ACBC15PC set PCDESCRICAO = 'Caixa|Geral - Matriz' where PCDESCRICAO = 'Caixa Geral - Matriz';"
        "update AUGC80SPSG set SPSGIDENT_NOM = 'Ana|Lima' where SPCODIGO = 1;"));
    const QStringList linhas = gera();
    ASSERT_TRUE(resultado.sucesso) << caixas->get().texts().join('|').toStdString();
    const QStringList golden = esperadas();
    ASSERT_EQ(linhas.size(), golden.size());
    for (int i = 0; i < linhas.size(); ++i)
        EXPECT_EQ(linhas[i].count(QLatin1Char('|')), golden[i].count(QLatin1Char('|')))
            << linhas[i].toStdString();
    // The CNPJ loses its punctuation before the cut to 14 characters; the padded mask is trimmed.
    EXPECT_TRUE(linhas[0].contains(QStringLiteral("|VALESERRANO|11222333000181|S|")))
        << linhas[0].toStdString();
    EXPECT_EQ(comecandoCom(linhas, "I050").filter(QStringLiteral("|CaixaGeral - Matriz|")).size(), 1);
    EXPECT_EQ(comecandoCom(linhas, "I050").join('\n').toStdString(),
              comecandoCom(golden, "I050")
                  .replaceInStrings(QStringLiteral("Caixa Geral"), QStringLiteral("CaixaGeral"))
                  .join('\n')
                  .toStdString());
}

TEST_F(ArquivoSeguro, ImpossibleSetsStopBeforeAnyFileIsWritten) {
    const QString pasta = QDir(pastaAtual()).filePath(QStringLiteral("Arquivos Gerados"));
    const std::pair<const char*, const char*> casos[] = {
        {"update AUGC80SP set EMPRESA = null where SPCODIGO = 1;", "Configuração sem Empresa!"},
        {"update AUGC80SP set EMPRESA = 999 where SPCODIGO = 1;", "Empresa \"999\" não cadastrada!"},
        {"update AUGC01PA set PACONTAMASCARA = '  ' where PACODIGO = 1;",
         "Máscara das Contas não informada!"},
    };
    for (const auto& [sql, mensagem] : casos) {
        altera(QString::fromUtf8(sql));
        try {
            data::CarregaConfiguracoes(1);
        } catch (const platform::SilentAbort&) {
        }
        caixas->get().clear();
        EXPECT_THROW(generation::GeraArquivoFCONT(nullptr), platform::SilentAbort) << mensagem;
        EXPECT_TRUE(caixas->get().texts().value(0).startsWith(QStringLiteral("Operação Abortada: \r")));
        EXPECT_TRUE(caixas->get().texts().value(0).contains(QString::fromUtf8(mensagem)))
            << caixas->get().texts().join('|').toStdString();
        EXPECT_TRUE(QDir(pasta).entryList(QDir::Files).isEmpty());
        altera(QStringLiteral("update AUGC80SP set EMPRESA = 1 where SPCODIGO = 1;"));
    }
}

TEST_F(ArquivoSeguro, AnEmptyStartDateIsNamedEvenWithASpecialSituation) {
    altera(
        QStringLiteral("update AUGC80SP set R0000DT_INI = null, R0000IND_SIT_ESP = '1' where SPCODIGO = 1;"));
    const QStringList linhas = gera();
    EXPECT_FALSE(resultado.sucesso);
    EXPECT_TRUE(linhas.isEmpty());
    EXPECT_EQ(
        caixas->get().texts().value(0),
        QStringLiteral("Operação Abortada: \rData Inicial do Período de Geração do arquivo não informada!\r"
                       "Informe a Data Inicial na configuração."));
}

TEST_F(ArquivoSeguro, PartialFilesGoBesideAndNeverReplaceAnything) {
    altera(QStringLiteral("update ACBC15PC set PCNIVEL = 'X' where PACODIGO = 1 and PCORDENACAO = '11';"));
    gera();
    const QString primeiro = resultado.arquivo;
    EXPECT_FALSE(resultado.sucesso);
    EXPECT_TRUE(primeiro.endsWith(QStringLiteral(" - INCOMPLETO.txt"))) << primeiro.toStdString();
    EXPECT_GT(leArquivo(primeiro).size(), 2);
    gera();
    if (QFileInfo(primeiro).fileName().left(19) != QFileInfo(resultado.arquivo).fileName().left(19))
        GTEST_SKIP() << "the minute changed between the two runs";
    EXPECT_TRUE(resultado.arquivo.endsWith(QStringLiteral(" - INCOMPLETO (2).txt")))
        << resultado.arquivo.toStdString();
    EXPECT_TRUE(QFile::exists(primeiro));
}

TEST_F(ArquivoSeguro, AFailedSaveIsAnErrorWithoutTheSuccessLine) {
    // A plain file where the folder should be: the save cannot even start.
    QFile bloqueio(QDir(pastaAtual()).filePath(QStringLiteral("Arquivos Gerados")));
    ASSERT_TRUE(bloqueio.open(QIODevice::WriteOnly));
    bloqueio.close();
    common::MemoPrompt prompt;
    dm->prompt = &prompt;
    EXPECT_THROW(gera(), platform::SilentAbort);
    dm->prompt = nullptr;
    EXPECT_TRUE(caixas->get().texts().value(0).startsWith(QStringLiteral("Erro: ao gravar o arquivo \"")))
        << caixas->get().texts().join('|').toStdString();
    EXPECT_FALSE(prompt.lines().join(' ').contains(QStringLiteral("SUCESSO")));
}

TEST(SalvaArquivo, ManyLinesGoOutWholeInSingleByteTextAcrossTheWriteBlocks) {
    QTemporaryDir pasta;
    ASSERT_TRUE(pasta.isValid());
    QStringList linhas;
    QByteArray esperado;
    for (int i = 0; i < 30000; ++i) {
        // About 1.2 MB: several blocks, and lines that straddle their borders.
        const QString linha = QStringLiteral("|I050|%1|Conta de operação nº %2|").arg(i).arg(i * 7);
        linhas << linha;
        esperado += linha.toLatin1() + "\r\n";
    }
    const QString caminho = pasta.filePath(QStringLiteral("FCONT.txt"));
    generation::SalvaArquivo(linhas, caminho);
    QFile arquivo(caminho);
    ASSERT_TRUE(arquivo.open(QIODevice::ReadOnly));
    const QByteArray gravado = arquivo.readAll();
    EXPECT_EQ(gravado.size(), esperado.size());
    EXPECT_TRUE(gravado == esperado);
}

TEST(SalvaArquivo, AFullDeviceFailsAtTheWriteOrTheFlush) {
    QFile cheio(QStringLiteral("/dev/full"));
    if (!cheio.open(QIODevice::WriteOnly))
        GTEST_SKIP() << "no /dev/full here";
    try {
        generation::GravaBytes(cheio, QByteArray(100, 'x'));
        ADD_FAILURE() << "a write to a full device was taken as saved";
    } catch (const generation::ErroGravacao& e) {
        EXPECT_STRNE(e.what(), "");
    }
}

TEST_F(ArquivoSeguro, SignatoriesAreAlwaysJ930AndOneWithoutNameOrCpfStopsTheRun) {
    // Whatever an old version stored as the record code, the line is a J930 line.
    altera(QStringLiteral("update AUGC80SPSG set SPSGREG = 'XXXX' where SPSGCODIGO = 1;"
                          "update AUGC80SPSG set SPSGREG = null where SPSGCODIGO = 2;"));
    QStringList linhas = gera();
    ASSERT_TRUE(resultado.sucesso) << caixas->get().texts().join('|').toStdString();
    EXPECT_EQ(linhas, esperadas());

    const QString pasta = QDir(pastaAtual()).filePath(QStringLiteral("Arquivos Gerados"));
    QDir(pasta).removeRecursively();
    const std::pair<const char*, const char*> casos[] = {
        {"update AUGC80SPSG set SPSGIDENT_CPF = null where SPSGCODIGO = 2;",
         "Signatário 2 (\"Joaquim Pereira Dutra\") sem CPF!"},
        {"update AUGC80SPSG set SPSGIDENT_NOM = '  ' where SPSGCODIGO = 1;", "Signatário 1 sem Nome!"},
        {"insert into AUGC80SPSG (SPSGCODIGO, SPCODIGO) values (9, 1);", "Signatário 9 sem Nome e sem CPF!"},
    };
    for (const auto& [sql, mensagem] : casos) {
        altera(QString::fromUtf8(sql));
        try {
            data::CarregaConfiguracoes(1);
        } catch (const platform::SilentAbort&) {
        }
        caixas->get().clear();
        EXPECT_THROW(generation::GeraArquivoFCONT(nullptr), platform::SilentAbort) << mensagem;
        EXPECT_TRUE(caixas->get().texts().value(0).startsWith(QStringLiteral("Operação Abortada: \r")));
        EXPECT_TRUE(caixas->get().texts().value(0).contains(QString::fromUtf8(mensagem)))
            << caixas->get().texts().join('|').toStdString();
        EXPECT_TRUE(QDir(pasta).entryList(QDir::Files).isEmpty()) << "no |J930||||| line, no file";
        altera(QStringLiteral(
            "delete from AUGC80SPSG where SPSGCODIGO = 9;"
            "update AUGC80SPSG set SPSGIDENT_NOM = 'Marina Albuquerque Teles' where SPSGCODIGO = 1;"
            "update AUGC80SPSG set SPSGIDENT_CPF = '98765432100' where SPSGCODIGO = 2;"));
    }
}

TEST_F(ArquivoSeguro, APeriodBefore1976KeepsItsOwnYearAndItsBalances) {
    // The whole seed 55 years back: the same file with 1970 and 1969 in its dates.
    altera(QStringLiteral("update AUGC80SP set R0000DT_INI = dateadd(-55 year to R0000DT_INI), "
                          "R0000DT_FIN = dateadd(-55 year to R0000DT_FIN) where SPCODIGO = 1;"
                          "update ACBC21SC set SCPERIODO = dateadd(-55 year to SCPERIODO);"
                          "update ACBM19LC set LCDATALANCAMENTO = dateadd(-55 year to LCDATALANCAMENTO);"
                          "update ACBC15PC set PCDATACRIACAO = dateadd(-55 year to PCDATACRIACAO), "
                          "PCDATAALTERACAO = dateadd(-55 year to PCDATAALTERACAO);"));
    const QStringList linhas = gera();
    ASSERT_TRUE(resultado.sucesso) << caixas->get().texts().join('|').toStdString();
    QStringList esperado = esperadas();
    static const QRegularExpression data(QStringLiteral("\\|(\\d{4})(2024|2025)(?=\\|)"));
    for (QString& linha : esperado) {
        QRegularExpressionMatch m;
        while ((m = data.match(linha)).hasMatch())
            linha.replace(m.capturedStart(), m.capturedLength(),
                          QLatin1Char('|') + m.captured(1) + QString::number(m.captured(2).toInt() - 55));
    }
    ASSERT_TRUE(esperado.contains(QStringLiteral("|I150|01011970|31121970|")));
    EXPECT_EQ(linhas, esperado);
}
