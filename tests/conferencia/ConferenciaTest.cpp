// The conferência of set 1 of the seed, clean and with faults planted in the ERP's tables and in
// the association rows.

#include "conferencia/Conferencia.h"
#include "db/Statement.h"
#include "tests/conferencia/Semente.h"

using namespace testsupport;
using validacao::Gravidade;

namespace {

class Conferencia : public SementeAberta {};

QStringList resumo(const validacao::Achados& achados) {
    QStringList linhas;
    for (const validacao::Achado& a : achados)
        linhas << validacao::TextoGravidade(a.gravidade) + QLatin1Char('|') + a.regra + QLatin1Char('|') +
                      a.conta;
    return linhas;
}

TEST_F(Conferencia, TheSeedSetIsMappedAndItsBooksClose) {
    const auto r = confere();
    EXPECT_TRUE(r.semReferencia.isEmpty());
    EXPECT_TRUE(r.achados.isEmpty()) << resumo(r.achados).join(u'\n').toStdString();
}

TEST_F(Conferencia, AnUnbalancedEntryAndAWrongGroupMappingGiveExactlyTheirTwoFindings) {
    // A debit without its credit on 10 March, and the cash account mapped to a supplier account.
    const auto r = confere(
        QStringLiteral("insert into ACBM19LC (LCCODIGO, PACODIGO, PCCODIGO, LCDATALANCAMENTO, LCVALORDEBITO, "
                       "LCVALORCREDITO) values (900, 1, 105, '2025-03-10 14:30', 123.45, 0);") +
        referencia(104, QStringLiteral("2.01.01.01.00")));
    ASSERT_EQ(r.achados.size(), 2) << resumo(r.achados).join(u'\n').toStdString();
    const validacao::Achado& grupo = r.achados[0];
    EXPECT_EQ(grupo.gravidade, Gravidade::Aviso);
    EXPECT_EQ(grupo.conta, QStringLiteral("1101001"));
    EXPECT_EQ(grupo.registro, QStringLiteral("I051"));
    EXPECT_EQ(grupo.linha, 0);
    EXPECT_TRUE(grupo.mensagem.contains(QStringLiteral("grupo 2, mas a conta é de natureza 01")))
        << grupo.mensagem.toStdString();
    const validacao::Achado& razao = r.achados[1];
    EXPECT_EQ(razao.gravidade, Gravidade::Erro);
    EXPECT_EQ(razao.regra, QStringLiteral("Livros"));
    EXPECT_EQ(razao.registro, QStringLiteral("ACBM19LC")) << "the ERP's table that does not add up";
    EXPECT_TRUE(razao.conta.isEmpty());
    EXPECT_TRUE(razao.mensagem.startsWith(QStringLiteral("Mês 03/2025:"))) << razao.mensagem.toStdString();
    EXPECT_TRUE(razao.mensagem.contains(QStringLiteral("diferença de 123,45")))
        << razao.mensagem.toStdString();
    EXPECT_TRUE(razao.mensagem.contains(QStringLiteral("10/03/2025 (123,45)")))
        << razao.mensagem.toStdString();
}

TEST_F(Conferencia, OnlyAnalyticAccountsWithMovementAndANatureOfOneToFourAreUnmappedThatMatter) {
    const auto r = confere(
        semReferencia(104) + semReferencia(138) +
        // An analytic account without a balance or an entry, and one of nature 09.
        QStringLiteral(
            "insert into ACBC15PC (PACODIGO, PCCODIGO, PCORDENACAO, PCDESCRICAO, PCNIVEL, PCTIPO, "
            "PCCODIGONATUREZA) values (1, 150, '1101003', 'Caixa parado', '4', 'A', '01');"
            "insert into ACBC15PC (PACODIGO, PCCODIGO, PCORDENACAO, PCDESCRICAO, PCNIVEL, PCTIPO, "
            "PCCODIGONATUREZA) values (1, 151, '9101001', 'Compensação', '4', 'A', '09');"
            "insert into AUGC80SPAS (SPASCODIGO, SPCODIGO, PACODIGO, PCCODIGO) values (50, 1, 1, 150);"
            "insert into AUGC80SPAS (SPASCODIGO, SPCODIGO, PACODIGO, PCCODIGO) values (51, 1, 1, 151);"
            "insert into ACBM19LC (LCCODIGO, PACODIGO, PCCODIGO, LCDATALANCAMENTO, LCVALORDEBITO, "
            "LCVALORCREDITO) values (901, 1, 151, '2025-05-05', 10, 0);"
            "insert into ACBM19LC (LCCODIGO, PACODIGO, PCCODIGO, LCDATALANCAMENTO, LCVALORDEBITO, "
            "LCVALORCREDITO) values (902, 1, 151, '2025-05-05', 0, 10);"
            "insert into ACBC21SC (PACODIGO, PCCODIGO, SCPERIODO, SCSALDOANTERIOR, SCSALDOATUAL) "
            "values (1, 150, '2025-12-01', 0, 0);"));
    ASSERT_EQ(r.semReferencia.size(), 2);
    EXPECT_EQ(r.semReferencia[0].conta, QStringLiteral("1101001"));
    EXPECT_EQ(r.semReferencia[0].natureza, QStringLiteral("01"));
    EXPECT_DOUBLE_EQ(r.semReferencia[0].saldoFinal, 2430.40);
    EXPECT_EQ(r.semReferencia[0].spascodigo, 4);
    EXPECT_EQ(r.semReferencia[1].conta, QStringLiteral("4201002"));
    EXPECT_EQ(r.semReferencia[1].nome, QStringLiteral("Aluguéis"));
    EXPECT_EQ(resumo(r.achados), (QStringList{QStringLiteral("Aviso|Sem referência|1101001"),
                                              QStringLiteral("Aviso|Sem referência|4201002")}))
        << resumo(r.achados).join(u'\n').toStdString();
    EXPECT_TRUE(r.achados[0].mensagem.contains(QStringLiteral("saldo final 2.430,40")));
}

TEST_F(Conferencia, AnAccountWithMovementThatTheSetLacksIsFoundAndOneWithoutMovementIsNot) {
    const auto r = confere(
        QStringLiteral("insert into ACBC15PC (PACODIGO, PCCODIGO, PCORDENACAO, PCDESCRICAO, PCNIVEL, PCTIPO, "
                       "PCCODIGONATUREZA) values (1, 150, '1101003', 'Caixa novo', '4', 'A', '01');"
                       "insert into ACBC15PC (PACODIGO, PCCODIGO, PCORDENACAO, PCDESCRICAO, PCNIVEL, PCTIPO, "
                       "PCCODIGONATUREZA) values (1, 152, '1101005', 'Caixa parado', '4', 'A', '01');"
                       "insert into ACBM19LC (LCCODIGO, PACODIGO, PCCODIGO, LCDATALANCAMENTO, LCVALORDEBITO, "
                       "LCVALORCREDITO) values (903, 1, 150, '2025-06-01', 10, 0);"
                       "insert into ACBM19LC (LCCODIGO, PACODIGO, PCCODIGO, LCDATALANCAMENTO, LCVALORDEBITO, "
                       "LCVALORCREDITO) values (904, 1, 150, '2025-06-01', 0, 10);"));
    EXPECT_TRUE(r.semReferencia.isEmpty()) << "no row, nothing to suggest into";
    ASSERT_EQ(resumo(r.achados), QStringList{QStringLiteral("Aviso|Fora da configuração|1101003")})
        << resumo(r.achados).join(u'\n').toStdString();
    EXPECT_EQ(r.achados[0].registro, QStringLiteral("I050"));
    EXPECT_TRUE(r.achados[0].mensagem.contains(QStringLiteral("Caixa novo")))
        << r.achados[0].mensagem.toStdString();
}

TEST_F(Conferencia, MappingsThatTheValidatorWouldRejectAreErrors) {
    const auto r = confere(
        QStringLiteral("update AUGC80SPAS set COD_CTA_REF = '1.01' where SPCODIGO = 1 and PCCODIGO = 103;") +
        referencia(104, QStringLiteral("9.99.99")) + referencia(105, QStringLiteral("1.01.01")) +
        referencia(107, QStringLiteral("1.01.01.03.00")));
    EXPECT_EQ(
        resumo(r.achados),
        (QStringList{QStringLiteral("Erro|Referência|1101"), QStringLiteral("Erro|Referência|1101001"),
                     QStringLiteral("Erro|Referência|1101002"), QStringLiteral("Erro|Referência|1102001")}))
        << resumo(r.achados).join(u'\n').toStdString();
    ASSERT_EQ(r.achados.size(), 4);
    EXPECT_TRUE(r.achados[0].mensagem.contains(QStringLiteral("conta sintética")));
    EXPECT_TRUE(r.achados[1].mensagem.contains(QStringLiteral("não está no plano referencial")));
    EXPECT_TRUE(r.achados[2].mensagem.contains(QStringLiteral("é sintética no plano referencial")));
    EXPECT_TRUE(r.achados[3].mensagem.contains(QStringLiteral("deixou de valer em 31/12/2019")))
        << r.achados[3].mensagem.toStdString();
}

TEST_F(Conferencia, BalancesThatDoNotAddUpAreFoundByMonthAndByAccount) {
    // June's closing of the cash account 10.00 too high (that month no longer adds up to zero),
    // and January's opening of the bank different from the December before.
    const auto r = confere(
        QStringLiteral("update ACBC21SC set SCSALDOATUAL = SCSALDOATUAL + 10 where PACODIGO = 1 and "
                       "PCCODIGO = 104 and SCPERIODO = '2025-06-01';"
                       "update ACBC21SC set SCSALDOANTERIOR = 19000 where PACODIGO = 1 and PCCODIGO = 105 "
                       "and SCPERIODO = '2025-01-01';"
                       "update ACBC21SC set SCSALDOATUAL = SCSALDOATUAL - 1000 where PACODIGO = 1 and "
                       "PCCODIGO = 105 and SCPERIODO = '2025-01-01';"));
    // January then adds up to -1,000.00 as well: the opening was changed with the closing.
    EXPECT_EQ(resumo(r.achados), (QStringList{QStringLiteral("Erro|Livros|"), QStringLiteral("Erro|Livros|"),
                                              QStringLiteral("Erro|Livros|1101002")}))
        << resumo(r.achados).join(u'\n').toStdString();
    ASSERT_EQ(r.achados.size(), 3);
    EXPECT_TRUE(r.achados[0].mensagem.startsWith(QStringLiteral("Mês 01/2025: os saldos")))
        << r.achados[0].mensagem.toStdString();
    EXPECT_TRUE(r.achados[0].mensagem.contains(QStringLiteral("somam -1.000,00")));
    EXPECT_TRUE(r.achados[1].mensagem.startsWith(QStringLiteral("Mês 06/2025: os saldos")));
    EXPECT_TRUE(r.achados[1].mensagem.contains(QStringLiteral("somam 10,00")));
    EXPECT_TRUE(r.achados[2].mensagem.contains(QStringLiteral("diferença de -1.000,00")))
        << r.achados[2].mensagem.toStdString();
}

TEST_F(Conferencia, AssetsAgainstLiabilitiesTellAnOpenResultFromAWrongBalance) {
    // 500.00 of salaries left out of the closing entry: the expense keeps a debit balance, equity
    // takes the larger profit, the month still adds up; the difference is the open result and
    // only a warning.
    auto r =
        confere(QStringLiteral("update ACBC21SC set SCSALDOATUAL = 500 where PACODIGO = 1 and PCCODIGO = 137 "
                               "and SCPERIODO = '2025-12-01';"
                               "update ACBC21SC set SCSALDOATUAL = SCSALDOATUAL - 500 where PACODIGO = 1 and "
                               "PCCODIGO = 123 and SCPERIODO = '2025-12-01';"));
    ASSERT_EQ(r.achados.size(), 1) << resumo(r.achados).join(u'\n').toStdString();
    EXPECT_EQ(r.achados[0].gravidade, Gravidade::Aviso);
    EXPECT_TRUE(r.achados[0].mensagem.contains(QStringLiteral("resultado do período")))
        << r.achados[0].mensagem.toStdString();

    // An asset balance off by 7.00 in December: December no longer adds up, and the balance
    // sheet does not close.
    banco->runScript(
        QStringLiteral("update ACBC21SC set SCSALDOATUAL = SCSALDOATUAL + 7 where PACODIGO = 1 and "
                       "PCCODIGO = 109 and SCPERIODO = '2025-12-01';"));
    r.achados = conferencia::ConfereLivros(dm->trBanco, conferencia::ConjuntoAberto());
    EXPECT_EQ(resumo(r.achados),
              (QStringList{QStringLiteral("Erro|Livros|"), QStringLiteral("Erro|Livros|")}));
    ASSERT_EQ(r.achados.size(), 2);
    EXPECT_TRUE(r.achados[1].mensagem.contains(QStringLiteral("diferença de -493,00")))
        << r.achados[1].mensagem.toStdString();
}

TEST_F(Conferencia, AConsolidatingSetReadsTheBooksOfEveryCompanyOfItsList) {
    // Company 2's December result (3101001, -700.00) is not closed: with the list "1,2" the
    // balance sheet is off by exactly that result.
    const auto r = confere(QStringLiteral("update AUGC80SP set R0000CONSOLIDAR = -1 where SPCODIGO = 1;"));
    ASSERT_EQ(r.achados.size(), 1) << resumo(r.achados).join(u'\n').toStdString();
    EXPECT_EQ(r.achados[0].gravidade, Gravidade::Aviso);
    EXPECT_TRUE(r.achados[0].mensagem.contains(QStringLiteral("diferença de 700,00")))
        << r.achados[0].mensagem.toStdString();
}

TEST_F(Conferencia, WithoutTheReferentialChartOnlyItsOwnChecksAreLeftOut) {
    QFile::remove(QStringLiteral("Tabelas Externas/contasref-SRF.txt"));
    banco->runScript(
        referencia(104, QStringLiteral("9.99.99")) +
        QStringLiteral("update AUGC80SPAS set COD_CTA_REF = '1.01' where SPCODIGO = 1 and PCCODIGO = 103;"));
    try {
        data::CarregaConfiguracoes(1);
    } catch (const std::exception&) {
        // The window goes on without the association rows; the conferência reads the tables.
    }
    const auto r = conferencia::ConfereConjuntoAberto();
    EXPECT_FALSE(conferencia::PlanoReferencialAberto().carregado);
    EXPECT_EQ(resumo(r.achados), QStringList{QStringLiteral("Erro|Referência|1101")});
}

} // namespace
