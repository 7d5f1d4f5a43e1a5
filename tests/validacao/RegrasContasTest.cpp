#include "tests/validacao/ArquivoPlantado.h"

using namespace validacao;
using testsupport::UmAchado;

namespace {

using Contagens = testsupport::ArquivoPlantado;
using Plano = testsupport::ArquivoPlantado;
using Referencial = testsupport::ArquivoPlantado;
using Saldos = testsupport::ArquivoPlantado;

constexpr Gravidade Erro = Gravidade::Erro;
constexpr Gravidade Aviso = Gravidade::Aviso;

TEST_F(Contagens, BlockClosingsCountTheLinesOfTheirBlocks) {
    EXPECT_TRUE(roda(VerificaTotaisDosBlocos).isEmpty());
    troca(90, 1, QStringLiteral("88"));
    EXPECT_TRUE(UmAchado(roda(VerificaTotaisDosBlocos), Erro, 90));
    linhas = linhasDoArquivoCerto();
    remove(92); // a signatory less, J990 unchanged
    EXPECT_TRUE(UmAchado(roda(VerificaTotaisDosBlocos), Erro, 93));
}

TEST_F(Contagens, Each9900CountsTheLinesOfItsRecordAndEveryRecordHasOne) {
    EXPECT_TRUE(roda(VerificaContagens9900).isEmpty()) << "zero counts of I200 and I250 included";
    troca(136, 2, QStringLiteral("2"));
    EXPECT_TRUE(UmAchado(roda(VerificaContagens9900), Erro, 136));
    linhas = linhasDoArquivoCerto();
    remove(137); // no 9900 for J930
    const Achados achados = roda(VerificaContagens9900);
    EXPECT_TRUE(UmAchado(achados, Erro, 92));
    EXPECT_EQ(achados.first().registro, QStringLiteral("J930"));
    linhas = linhasDoArquivoCerto();
    insere(139, QStringLiteral("|9900|J930|2|"));
    EXPECT_TRUE(UmAchado(roda(VerificaContagens9900), Erro, 139)) << "counted twice";
}

TEST_F(Contagens, TheLastTwoRecordsTotalBlock9AndTheFile) {
    EXPECT_TRUE(roda(VerificaTotal9990).isEmpty());
    EXPECT_TRUE(roda(VerificaTotal9999).isEmpty());
    troca(139, 1, QStringLiteral("24"));
    EXPECT_TRUE(UmAchado(roda(VerificaTotal9990), Erro, 139));
    troca(140, 1, QStringLiteral("141"));
    EXPECT_TRUE(UmAchado(roda(VerificaTotal9999), Erro, 140));
    troca(140, 1, QStringLiteral("cento e quarenta"));
    EXPECT_TRUE(UmAchado(roda(VerificaTotal9999), Erro, 140));
}

TEST_F(Plano, AnAccountCodeStandsOnceInTheChart) {
    EXPECT_TRUE(roda(VerificaContasUnicas).isEmpty());
    troca(8, 5, QStringLiteral("1.1.01.001"));
    EXPECT_TRUE(UmAchado(roda(VerificaContasUnicas), Erro, 8, QStringLiteral("1.1.01.001")));
}

TEST_F(Plano, OnlyLevelOneHasNoSuperiorAndLevelsAndKindsAreReadable) {
    EXPECT_TRUE(roda(VerificaNiveis).isEmpty());
    troca(22, 6, QStringLiteral("1...000000"));
    EXPECT_TRUE(UmAchado(roda(VerificaNiveis), Erro, 22, QStringLiteral("2...000000")));
    linhas = linhasDoArquivoCerto();
    troca(4, 6, QString());
    EXPECT_TRUE(UmAchado(roda(VerificaNiveis), Erro, 4, QStringLiteral("1.1..00000")));
    linhas = linhasDoArquivoCerto();
    troca(6, 4, QStringLiteral("4a"));
    EXPECT_TRUE(UmAchado(roda(VerificaNiveis), Erro, 6, QStringLiteral("1.1.01.001")));
    linhas = linhasDoArquivoCerto();
    troca(6, 3, QStringLiteral("X"));
    EXPECT_TRUE(UmAchado(roda(VerificaNiveis), Erro, 6, QStringLiteral("1.1.01.001")));
}

TEST_F(Plano, TheSuperiorComesEarlierIsSyntheticAndOfALowerLevel) {
    EXPECT_TRUE(roda(VerificaSuperiores).isEmpty());
    troca(6, 6, QStringLiteral("1.1.09.000"));
    EXPECT_TRUE(UmAchado(roda(VerificaSuperiores), Erro, 6, QStringLiteral("1.1.01.001"))) << "missing";
    linhas = linhasDoArquivoCerto();
    troca(8, 6, QStringLiteral("1.1.01.001"));
    EXPECT_TRUE(UmAchado(roda(VerificaSuperiores), Erro, 8, QStringLiteral("1.1.01.002"))) << "analytic";
    linhas = linhasDoArquivoCerto();
    troca(4, 6, QStringLiteral("2...000000"));
    EXPECT_TRUE(UmAchado(roda(VerificaSuperiores), Erro, 4, QStringLiteral("1.1..00000"))) << "later";
    linhas = linhasDoArquivoCerto();
    troca(10, 6, QStringLiteral("1.1.01.000"));
    EXPECT_TRUE(UmAchado(roda(VerificaSuperiores), Erro, 10, QStringLiteral("1.1.02.000"))) << "same level";
}

TEST_F(Plano, NaturesAreTheLayoutsAndFollowTheSuperiorBelowLevelTwo) {
    EXPECT_TRUE(roda(VerificaNaturezas).isEmpty()) << "equity's level 2 under liabilities is fine";
    troca(6, 2, QStringLiteral("07"));
    EXPECT_TRUE(UmAchado(roda(VerificaNaturezas), Erro, 6, QStringLiteral("1.1.01.001")));
    troca(6, 2, QStringLiteral("02"));
    EXPECT_TRUE(UmAchado(roda(VerificaNaturezas), Aviso, 6, QStringLiteral("1.1.01.001")));
}

TEST_F(Plano, ASyntheticAccountWithNothingUnderItIsAWarning) {
    EXPECT_TRUE(roda(VerificaSinteticasVazias).isEmpty());
    troca(11, 6, QStringLiteral("1.1.01.000"));
    EXPECT_TRUE(UmAchado(roda(VerificaSinteticasVazias), Aviso, 10, QStringLiteral("1.1.02.000")));
}

TEST_F(Plano, AnAccountIsNotChangedAfterThePeriod) {
    EXPECT_TRUE(roda(VerificaDataAlteracao).isEmpty());
    troca(6, 1, QStringLiteral("31122025"));
    EXPECT_TRUE(roda(VerificaDataAlteracao).isEmpty()) << "on the last day is still within";
    troca(6, 1, QStringLiteral("01012026"));
    EXPECT_TRUE(UmAchado(roda(VerificaDataAlteracao), Erro, 6, QStringLiteral("1.1.01.001")));
}

TEST_F(Referencial, AReferentialAccountStandsOnlyUnderAnAnalyticAccount) {
    EXPECT_TRUE(roda(VerificaI051SobAnalitica).isEmpty());
    insere(6, QStringLiteral("|I051|10||1.01.01.01.00|"));
    EXPECT_TRUE(UmAchado(roda(VerificaI051SobAnalitica), Erro, 6, QStringLiteral("1.1.01.000")));
    linhas = linhasDoArquivoCerto();
    insere(3, QStringLiteral("|I051|10||1.01.01.01.00|"));
    EXPECT_TRUE(UmAchado(roda(VerificaI051SobAnalitica), Erro, 3)) << "no account before it";
}

TEST_F(Referencial, TheEntityIsTenOrTwenty) {
    EXPECT_TRUE(roda(VerificaEntidadeReferencial).isEmpty());
    troca(7, 1, QStringLiteral("30"));
    EXPECT_TRUE(UmAchado(roda(VerificaEntidadeReferencial), Erro, 7, QStringLiteral("1.1.01.001")));
}

TEST_F(Referencial, TheReferentialAccountIsAnAnalyticOneOfTheChartValidInThePeriod) {
    EXPECT_TRUE(roda(VerificaContaReferencial).isEmpty());
    const QString conta = QStringLiteral("1.1.01.001");
    troca(7, 3, QStringLiteral("1.01.01.99.00"));
    EXPECT_TRUE(UmAchado(roda(VerificaContaReferencial), Erro, 7, conta)) << "not in the chart";
    EXPECT_TRUE(roda(VerificaContaReferencial, TabelasExternas()).isEmpty()) << "no chart to look in";
    troca(7, 3, QStringLiteral("1.01.01"));
    EXPECT_TRUE(UmAchado(roda(VerificaContaReferencial), Erro, 7, conta)) << "synthetic";
    troca(7, 3, QStringLiteral("1.01.01.03.00"));
    EXPECT_TRUE(UmAchado(roda(VerificaContaReferencial), Erro, 7, conta)) << "valid until 2019";
    troca(7, 3, QString());
    EXPECT_TRUE(UmAchado(roda(VerificaContaReferencial, TabelasExternas()), Erro, 7, conta)) << "empty";

    TabelasExternas futura;
    futura.lePlano("COD_CTA_REF;DESCRICAO;DT_INI_VALIDADE;DT_FIN_VALIDADE;TIPO\r\n"
                   "1.01.01.01.00;Caixa;01012026;;A\r\n");
    linhas = linhasDoArquivoCerto();
    const Achados achados = roda(VerificaContaReferencial, futura);
    ASSERT_FALSE(achados.isEmpty());
    EXPECT_EQ(achados.first().linha, 7) << "valid only from 2026";
    EXPECT_TRUE(achados.first().mensagem.contains(QStringLiteral("01/01/2026")));
}

TEST_F(Referencial, TheReferentialGroupAgreesWithTheNature) {
    EXPECT_TRUE(roda(VerificaGrupoReferencial).isEmpty());
    troca(7, 3, QStringLiteral("2.01.01.01.00"));
    EXPECT_TRUE(UmAchado(roda(VerificaGrupoReferencial), Aviso, 7, QStringLiteral("1.1.01.001")));
}

TEST_F(Referencial, AnAnalyticAccountWithABalanceAndNoReferenceIsAWarning) {
    EXPECT_TRUE(roda(VerificaContasSemReferencia).isEmpty());
    remove(7);
    const Achados achados = roda(VerificaContasSemReferencia);
    EXPECT_TRUE(UmAchado(achados, Aviso, 6, QStringLiteral("1.1.01.001")));
    EXPECT_TRUE(achados.first().mensagem.contains(QStringLiteral("conta sem referência")));
    linhas = linhasDoArquivoCerto();
    remove(41); // a result account: its balance is in I355
    EXPECT_TRUE(UmAchado(roda(VerificaContasSemReferencia), Aviso, 40, QStringLiteral("3.1.01.001")));
}

TEST_F(Saldos, BalancesBelongToAnalyticAccountsOfTheRightNature) {
    EXPECT_TRUE(roda(VerificaContasDosSaldos).isEmpty());
    troca(72, 1, QStringLiteral("1.1.01.009"));
    EXPECT_TRUE(UmAchado(roda(VerificaContasDosSaldos), Erro, 72, QStringLiteral("1.1.01.009"))) << "unknown";
    troca(72, 1, QStringLiteral("1.1.01.000"));
    EXPECT_TRUE(UmAchado(roda(VerificaContasDosSaldos), Erro, 72, QStringLiteral("1.1.01.000")))
        << "synthetic";
    troca(72, 1, QStringLiteral("3.1.01.001"));
    EXPECT_TRUE(UmAchado(roda(VerificaContasDosSaldos), Erro, 72, QStringLiteral("3.1.01.001"))) << "result";
    linhas = linhasDoArquivoCerto();
    troca(83, 1, QStringLiteral("1.1.01.001"));
    EXPECT_TRUE(UmAchado(roda(VerificaContasDosSaldos), Erro, 83, QStringLiteral("1.1.01.001"))) << "asset";
}

TEST_F(Saldos, AnAccountAndCostCentreHaveOneBalanceInAPeriod) {
    EXPECT_TRUE(roda(VerificaSaldosUnicos).isEmpty());
    troca(73, 1, QStringLiteral("1.1.01.001"));
    EXPECT_TRUE(UmAchado(roda(VerificaSaldosUnicos), Erro, 73, QStringLiteral("1.1.01.001")));
    troca(73, 2, QStringLiteral("2"));
    EXPECT_TRUE(roda(VerificaSaldosUnicos).isEmpty()) << "another cost centre";
    linhas = linhasDoArquivoCerto();
    troca(84, 1, QStringLiteral("3.1.01.001"));
    troca(84, 2, QStringLiteral("1"));
    EXPECT_TRUE(UmAchado(roda(VerificaSaldosUnicos), Erro, 84, QStringLiteral("3.1.01.001")));
}

TEST_F(Saldos, TheFinalBalanceIsTheInitialPlusDebitsMinusCreditsToTheCent) {
    EXPECT_TRUE(roda(VerificaAritmeticaI155).isEmpty()) << "credit balances and zero movements included";
    troca(72, 5, QStringLiteral("0,01"));
    const Achados achados = roda(VerificaAritmeticaI155);
    EXPECT_TRUE(UmAchado(achados, Erro, 72, QStringLiteral("1.1.01.001")));
    EXPECT_TRUE(achados.first().mensagem.contains(QStringLiteral("= 2430,41 D")))
        << achados.first().mensagem.toStdString();
    linhas = linhasDoArquivoCerto();
    troca(77, 8, QStringLiteral("D")); // 7500,00 C written as a debit
    EXPECT_TRUE(UmAchado(roda(VerificaAritmeticaI155), Erro, 77, QStringLiteral("1.2.01.002")));
}

TEST_F(Saldos, TheClosingBalancesAddUpToZero) {
    EXPECT_TRUE(roda(VerificaSomaDosSaldos).isEmpty());
    troca(75, 3, QStringLiteral("12000,01"));
    troca(75, 7, QStringLiteral("15000,01"));
    const Achados achados = roda(VerificaSomaDosSaldos);
    EXPECT_TRUE(UmAchado(achados, Aviso, 71));
    EXPECT_TRUE(achados.first().mensagem.contains(QStringLiteral("somam 0,01 D")));
}

} // namespace
