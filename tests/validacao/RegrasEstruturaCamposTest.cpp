#include "tests/validacao/ArquivoPlantado.h"

using namespace validacao;
using testsupport::UmAchado;

namespace {

using Estrutura = testsupport::ArquivoPlantado;
using Campos = testsupport::ArquivoPlantado;

constexpr Gravidade Erro = Gravidade::Erro;
constexpr Gravidade Aviso = Gravidade::Aviso;

TEST_F(Estrutura, ALineWithoutItsClosingPipeOrAnEmptyLineIsAnError) {
    EXPECT_TRUE(roda(VerificaDelimitadores).isEmpty());
    linhas[59] = QStringLiteral("|I075|1|Recebimento de clientes");
    EXPECT_TRUE(UmAchado(roda(VerificaDelimitadores), Erro, 60));
    linhas[59] = QString();
    EXPECT_TRUE(UmAchado(roda(VerificaDelimitadores), Erro, 60));
}

TEST_F(Estrutura, AnUnknownRecordOrAWrongFieldCountIsAnError) {
    EXPECT_TRUE(roda(VerificaRegistrosDoLeiaute).isEmpty());
    troca(61, 0, QStringLiteral("I076"));
    EXPECT_TRUE(UmAchado(roda(VerificaRegistrosDoLeiaute), Erro, 61));
    linhas[60] = QStringLiteral("|I075|2|Pagamento|fornecedores|");
    const Achados achados = roda(VerificaRegistrosDoLeiaute);
    EXPECT_TRUE(UmAchado(achados, Erro, 61));
    EXPECT_TRUE(achados.first().mensagem.contains(QStringLiteral("tem 4 campos; o leiaute pede 3")));
}

TEST_F(Estrutura, TheFileOpensWith0000AndEndsWith9999) {
    EXPECT_TRUE(roda(VerificaAberturaEFim).isEmpty());
    remove(140);
    EXPECT_TRUE(UmAchado(roda(VerificaAberturaEFim), Erro, 139)) << "a cut file";
    linhas = linhasDoArquivoCerto();
    remove(1);
    EXPECT_TRUE(UmAchado(roda(VerificaAberturaEFim), Erro, 1));
    linhas.clear();
    EXPECT_TRUE(UmAchado(roda(VerificaAberturaEFim), Erro, 0)) << "an empty file";
}

TEST_F(Estrutura, RecordsKeepTheLayoutsOrderAndChildrenFollowTheirParent) {
    EXPECT_TRUE(roda(VerificaOrdemDosRegistros).isEmpty());
    const QString centro = linhas.takeAt(69);
    insere(60, centro); // an I100 before the I075 lines
    EXPECT_TRUE(UmAchado(roda(VerificaOrdemDosRegistros), Erro, 61));

    linhas = linhasDoArquivoCerto();
    linhas[61] = QStringLiteral("|I051|10||1.01.01.01.00|");
    EXPECT_TRUE(UmAchado(roda(VerificaOrdemDosRegistros), Erro, 62)) << "back to the chart";

    linhas = linhasDoArquivoCerto();
    remove(82); // the I355 lines without their I350
    EXPECT_TRUE(UmAchado(roda(VerificaOrdemDosRegistros), Erro, 82));
}

TEST_F(Estrutura, EachOpeningAndClosingStandsOnceInTheFile) {
    EXPECT_TRUE(roda(VerificaAberturasEEncerramentos).isEmpty());
    remove(90);
    const Achados achados = roda(VerificaAberturasEEncerramentos);
    EXPECT_TRUE(UmAchado(achados, Erro, 0));
    EXPECT_EQ(achados.first().registro, QStringLiteral("I990"));

    linhas = linhasDoArquivoCerto();
    insere(92, QStringLiteral("|J001|0|"));
    EXPECT_TRUE(UmAchado(roda(VerificaAberturasEEncerramentos), Erro, 92));
}

TEST_F(Campos, DatesAreRealCalendarDatesWithFourDigitYears) {
    EXPECT_TRUE(roda(VerificaDatas).isEmpty());
    troca(71, 2, QStringLiteral("31132025"));
    EXPECT_TRUE(UmAchado(roda(VerificaDatas), Erro, 71));
    troca(71, 2, QStringLiteral("311225"));
    EXPECT_TRUE(UmAchado(roda(VerificaDatas), Erro, 71));
    troca(71, 2, QStringLiteral("31122025"));
    troca(70, 1, QString());
    const Achados achados = roda(VerificaDatas);
    EXPECT_TRUE(UmAchado(achados, Erro, 70));
    EXPECT_EQ(achados.first().campo, QStringLiteral("DT_ALT"));
}

TEST_F(Campos, ThePeriodRunsForwardWithinOneYear) {
    EXPECT_TRUE(roda(VerificaPeriodo).isEmpty());
    troca(1, 3, QStringLiteral("31012026"));
    EXPECT_TRUE(UmAchado(roda(VerificaPeriodo), Erro, 1));
    troca(1, 3, QStringLiteral("31122024"));
    const Achados achados = roda(VerificaPeriodo);
    EXPECT_TRUE(UmAchado(achados, Erro, 1));
    EXPECT_TRUE(
        achados.first().mensagem.contains(QStringLiteral("Página Registro 0000, campo \"Data final\"")));
}

TEST_F(Campos, AmountsAreUnsignedWithAtMostTwoDecimalsAndNoGrouping) {
    EXPECT_TRUE(roda(VerificaValores).isEmpty());
    troca(73, 5, QStringLiteral("11.000,00"));
    EXPECT_TRUE(UmAchado(roda(VerificaValores), Erro, 73));
    linhas = linhasDoArquivoCerto();
    troca(107, 2, QStringLiteral("-4249,25"));
    const Achados negativo = roda(VerificaValores);
    EXPECT_TRUE(UmAchado(negativo, Erro, 107));
    EXPECT_TRUE(negativo.first().mensagem.contains(QStringLiteral("Página Registro M030")));
    linhas = linhasDoArquivoCerto();
    troca(97, 4, QStringLiteral("5230,456"));
    EXPECT_TRUE(UmAchado(roda(VerificaValores), Erro, 97));
    troca(97, 4, QString());
    EXPECT_TRUE(UmAchado(roda(VerificaValores), Erro, 97)) << "an amount is never empty";
}

TEST_F(Campos, DebitCreditIndicatorsAreDOrC) {
    EXPECT_TRUE(roda(VerificaIndicadoresDC).isEmpty());
    troca(85, 4, QStringLiteral("X"));
    EXPECT_TRUE(UmAchado(roda(VerificaIndicadoresDC), Erro, 85));
    linhas = linhasDoArquivoCerto();
    troca(107, 3, QString());
    EXPECT_TRUE(UmAchado(roda(VerificaIndicadoresDC), Erro, 107)) << "the profit's indicator too";
}

TEST_F(Campos, TheCompanysCnpjHasFourteenDigitsAndRightCheckDigits) {
    EXPECT_TRUE(roda(VerificaCnpj).isEmpty());
    troca(1, 5, QStringLiteral("11222333000182"));
    EXPECT_TRUE(UmAchado(roda(VerificaCnpj), Erro, 1));
    troca(1, 5, QStringLiteral("1122233300018"));
    EXPECT_TRUE(UmAchado(roda(VerificaCnpj), Erro, 1));
    troca(1, 5, QStringLiteral("00000000000000"));
    EXPECT_TRUE(UmAchado(roda(VerificaCnpj), Erro, 1));
}

TEST_F(Campos, EachSignatorysCpfHasElevenDigitsAndRightCheckDigits) {
    EXPECT_TRUE(roda(VerificaCpf).isEmpty());
    troca(93, 2, QStringLiteral("98765432101"));
    EXPECT_TRUE(UmAchado(roda(VerificaCpf), Erro, 93));
    troca(93, 2, QStringLiteral("987.654.321-00"));
    EXPECT_TRUE(UmAchado(roda(VerificaCpf), Erro, 93));
}

TEST_F(Campos, TheStateIsOneOfTheTwentySeven) {
    EXPECT_TRUE(roda(VerificaUf).isEmpty());
    troca(1, 6, QStringLiteral("XX"));
    EXPECT_TRUE(UmAchado(roda(VerificaUf), Erro, 1));
    troca(1, 6, QStringLiteral("sp"));
    EXPECT_TRUE(UmAchado(roda(VerificaUf), Erro, 1));
}

TEST_F(Campos, TheMunicipalityHasSevenDigitsAndBelongsToTheState) {
    EXPECT_TRUE(roda(VerificaMunicipio).isEmpty());
    troca(1, 8, QStringLiteral("359900"));
    EXPECT_TRUE(UmAchado(roda(VerificaMunicipio), Erro, 1));
    troca(1, 8, QStringLiteral("3304557"));
    EXPECT_TRUE(UmAchado(roda(VerificaMunicipio), Aviso, 1)) << "a municipality of RJ under SP";
}

TEST_F(Campos, CodeFieldsHoldCodesOfTheirListsWhenTheListsAreThere) {
    EXPECT_TRUE(roda(VerificaListasDeCodigos).isEmpty());
    troca(96, 2, QStringLiteral("2"));
    const Achados achados = roda(VerificaListasDeCodigos);
    EXPECT_TRUE(UmAchado(achados, Erro, 96));
    EXPECT_EQ(achados.first().campo, QStringLiteral("TIPO_ESCRIT"));
    EXPECT_TRUE(roda(VerificaListasDeCodigos, TabelasExternas()).isEmpty()) << "no lists, nothing to check";

    linhas = linhasDoArquivoCerto();
    troca(93, 4, QStringLiteral("901"));
    const Achados qualificacao = roda(VerificaListasDeCodigos);
    EXPECT_TRUE(UmAchado(qualificacao, Erro, 93)) << "the qualification's list gives COD_ASSIM's codes";
    EXPECT_EQ(qualificacao.first().campo, QStringLiteral("COD_ASSIM"));
}

TEST(LeituraDoArquivo, CrLfAndLfOnlyFilesReadAlikeAndNumbersAreCents) {
    const ArquivoFCONT crlf = LeTextoFCONT("|0000|LALU|\r\n|9999|2|\r\n");
    const ArquivoFCONT lf = LeTextoFCONT("|0000|LALU|\n|9999|2|");
    ASSERT_EQ(crlf.linhas.size(), 2);
    ASSERT_EQ(lf.linhas.size(), 2);
    EXPECT_EQ(crlf.linhas[1].campos, lf.linhas[1].campos);
    EXPECT_EQ(lf.linhas[1].numero, 2);
    EXPECT_TRUE(crlf.terminaComQuebra);
    EXPECT_FALSE(lf.terminaComQuebra);
    EXPECT_EQ(LeTextoFCONT("|I075|1|Servi\xe7os|\r\n").linhas[0].campos[2], QStringLiteral("Serviços"));

    EXPECT_EQ(CentavosDoArquivo(QStringLiteral("1234,56")), 123456);
    EXPECT_EQ(CentavosDoArquivo(QStringLiteral("5230,4")), 523040);
    EXPECT_EQ(CentavosDoArquivo(QStringLiteral("20000")), 2000000);
    EXPECT_FALSE(CentavosDoArquivo(QStringLiteral("1,")));
    EXPECT_FALSE(CentavosDoArquivo(QStringLiteral(",5")));
    EXPECT_FALSE(CentavosDoArquivo(QStringLiteral("1 000,00")));
    EXPECT_EQ(TextoDeCentavos(-5), QStringLiteral("-0,05"));
    EXPECT_FALSE(DataDoArquivo(QStringLiteral("29022025")).isValid());
    EXPECT_EQ(DataDoArquivo(QStringLiteral("29022024")), QDate(2024, 2, 29));
}

} // namespace
