#include "AmbienteBlocos.h"

#include "platform/Abort.h"

using generation::DescricaoRegistro;
using generation::MontaLinhaRegistro;

namespace {

class LinhaRegistroTest : public AmbienteBlocos {};

} // namespace

TEST_F(LinhaRegistroTest, WritesTheLinesOfTheLayoutExamples) {
    mascara = "9.9.99.999";
    grava(blocos.cdsReg9001, {{"REG", "9001"}, {"IND_DAD", "0"}});
    grava(blocos.cdsReg9900, {{"REG", "9900"}, {"REG_BLC", "0000"}, {"QTD_REG_BLC", 1}});
    grava(blocos.cdsRegI155, {{"REG", "I155"},
                              {"COD_CTA", "1101001"},
                              {"VL_SLD_INI", 1500.0},
                              {"IND_DC_INI", "D"},
                              {"VL_DEB", 200.0},
                              {"VL_CRED", 50.0},
                              {"VL_SLD_FIN", 1650.0},
                              {"IND_DC_FIN", "D"},
                              {"PCCODIGO", 77},
                              {"LINHA", 12}});

    EXPECT_EQ(linhas(), QStringList({"|9001|0|", "|9900|0000|1|",
                                     "|I155|1.1.01.001||1500,00|D|200,00|50,00|1650,00|D|"}));
}

TEST_F(LinhaRegistroTest, DatesAreWrittenAsDigitsAndANullDateLeavesAnEmptyField) {
    grava(blocos.cdsRegI100, {{"REG", "I100"}, {"COD_CCUS", "1"}, {"CCUS", "Adm"}});
    grava(blocos.cdsRegI100, {{"REG", "I100"}, {"DT_ALT", "05/01/2009"}, {"COD_CCUS", "2"}, {"CCUS", "Fab"}});
    EXPECT_EQ(linhas(), QStringList({"|I100||1|Adm|", "|I100|05012009|2|Fab|"}));

    // I150 starts the balances from the database when stored, so its row is rendered unstored.
    blocos.cdsRegI150.append();
    blocos.cdsRegI150.fieldByName("REG").setValue("I150");
    blocos.cdsRegI150.fieldByName("DT_FIN").setValue(QDate(2009, 12, 31));
    EXPECT_EQ(MontaLinhaRegistro(blocos.cdsRegI150), "|I150||31122009|");
    blocos.cdsRegI150.cancel();
}

TEST_F(LinhaRegistroTest, AmountsLoseTheirSignWhileBlockMKeepsIt) {
    grava(blocos.cdsRegI355, {{"REG", "I355"}, {"COD_CCUS", "01.02-3"}, {"VL_CTA", -15.0}, {"IND_DC", "C"}});
    grava(blocos.cdsRegI355, {{"REG", "I355"}, {"VL_CTA", 1234567.891}, {"IND_DC", "D"}});
    grava(blocos.cdsRegI355, {{"REG", "I355"}, {"IND_DC", "C"}});
    grava(blocos.cdsRegM030,
          {{"REG", "M030"}, {"IND_PER", "A00"}, {"VL_LUC_LIQ", -1234.5}, {"IND_LUC_LIQ", "C"}});
    grava(blocos.cdsRegM030,
          {{"REG", "M030"}, {"IND_PER", "A00"}, {"VL_LUC_LIQ", 1000.0}, {"IND_LUC_LIQ", "D"}});
    grava(blocos.cdsRegM030, {{"REG", "M030"}, {"IND_PER", "A00"}, {"IND_LUC_LIQ", "C"}});

    EXPECT_EQ(linhas(), QStringList({"|I355||01023|15,00|C|", "|I355|||1234567,89|D|", "|I355|||0,00|C|",
                                     "|M030|A00|-1234,5|C|", "|M030|A00|1000|D|", "|M030|A00||C|"}));
}

TEST_F(LinhaRegistroTest, TextsLoseLineBreaksAndAreCutToTheirSize) {
    mascara = "9.9.99.999";
    grava(blocos.cdsRegI075, {{"REG", "I075"}, {"COD_HIST", " 12 "}, {"DESCR_HIST", "Frete\r\npago\r "}});
    EXPECT_EQ(linhas(), QStringList({"|I075|12|Fretepago|"}));

    // The I050 hooks need the database, so the row is rendered unstored.
    platform::MemTable& i050 = blocos.cdsRegI050;
    i050.append();
    i050.fieldByName("REG").setValue("I050");
    i050.fieldByName("DT_ALT").setValue(QDate(2009, 1, 1));
    i050.fieldByName("COD_NAT").setValue("01");
    i050.fieldByName("IND_CTA").setValue("A");
    i050.fieldByName("NIVEL").setValue("5");
    i050.fieldByName("COD_CTA").setValue(" 1101001 ");
    i050.fieldByName("COD_CTA_SUP").setValue("1101");
    i050.fieldByName("CTA").setValue(QString(300, QLatin1Char('x')));
    i050.fieldByName("PCCODIGO").setValue(5);
    i050.fieldByName("COD_AGL").setValue("AGL");
    EXPECT_EQ(MontaLinhaRegistro(i050),
              "|I050|01012009|01|A|5|1.1.01.001|1.1.01.000|" + QString(255, QLatin1Char('x')) + "|");
    i050.cancel();
}

TEST_F(LinhaRegistroTest, AccountCodesAreEmptyWithoutAnyMask) {
    generation::DefineMascaraConta({});
    ASSERT_FALSE(fcont.quSPED.active());
    EXPECT_EQ(generation::MascaraConta(), QString());

    grava(blocos.cdsRegI355, {{"REG", "I355"}, {"COD_CTA", "3101001"}, {"VL_CTA", 10.0}, {"IND_DC", "D"}});
    grava(blocos.cdsRegM355, {{"REG", "M355"}, {"COD_CTA", "3101001"}});
    EXPECT_EQ(linhas()[0], "|I355|||10,00|D|");
    // COD_CTA of M355 is plain text, so it never depended on a mask.
    EXPECT_TRUE(linhas()[1].startsWith("|M355|3101001|"));
}

TEST_F(LinhaRegistroTest, ACpfWithPunctuationKeepsItsElevenDigits) {
    grava(blocos.cdsRegJ930, {{"REG", "J930"},
                              {"IDENT_NOM", "Maria Souza"},
                              {"IDENT_CPF", " 123.456.789-09 "},
                              {"IDENT_QUALIF", "Contador"},
                              {"COD_ASSIM", "900"},
                              {"IND_CRC", "1SP-123.456"}});
    grava(blocos.cdsRegJ930, {{"REG", "J930"}, {"IDENT_NOM", "Sem CPF"}});

    EXPECT_EQ(blocos.cdsRegJ930.valueAt(0, blocos.cdsRegJ930.fieldByName("IDENT_CPF").index()).toString(),
              "12345678909");
    EXPECT_EQ(linhas(),
              QStringList({"|J930|Maria Souza|12345678909|Contador|900|1SP123456|", "|J930|Sem CPF|||||"}));
    EXPECT_TRUE(blocos.cdsRegJ930.fieldByName("IDENT_CPF").isNull());
    // Other fields are still cut as stored: the punctuation counts against their size.
    grava(blocos.cdsRegJ930, {{"REG", "J930"}, {"IND_CRC", "1SP-123.456/O-7"}});
    EXPECT_EQ(linhas().last(), "|J930|||||1SP123456|");
}

TEST_F(LinhaRegistroTest, ProgressShowsTheRecordTitleAndTheLine) {
    grava(blocos.cdsRegI075, {{"REG", "I075"}, {"COD_HIST", "1"}, {"DESCR_HIST", "Juros"}});

    EXPECT_EQ(prompt.lines(),
              QStringList({"SPED>Gerando Dados: HISTÓRICO PADRONIZADO...", "SPED>|I075|1|Juros|"}));
}

TEST_F(LinhaRegistroTest, ACancelStoresTheRowButAppendsNoLine) {
    fcont.Cancelado = true;
    EXPECT_THROW(grava(blocos.cdsReg9001, {{"REG", "9001"}, {"IND_DAD", "0"}}), platform::SilentAbort);

    EXPECT_EQ(blocos.cdsReg9001.recordCount(), 1);
    EXPECT_TRUE(linhas().isEmpty());
    ASSERT_EQ(prompt.lines().size(), 2);
    EXPECT_EQ(prompt.lines()[1], QStringLiteral("SPED>### OPERAÇÃO ABORTADA PELO USUÁRIO ###"));
    EXPECT_TRUE(dialogs->boxes().isEmpty());
}

TEST_F(LinhaRegistroTest, ACancelPressedWhileTheLineIsWrittenStopsIt) {
    grava(blocos.cdsRegJ001, {{"REG", "J001"}, {"IND_DAD", "0"}});
    platform::setPendingEventsHook([this] { fcont.Cancelado = true; });

    EXPECT_THROW(grava(blocos.cdsRegJ001, {{"REG", "J001"}, {"IND_DAD", "0"}}), platform::SilentAbort);
    EXPECT_EQ(linhas(), QStringList({"|J001|0|"}));
}

TEST_F(LinhaRegistroTest, AStoredRowWithoutALineListIsAProgrammingError) {
    fcont.slArquivo.reset();
    EXPECT_THROW(grava(blocos.cdsRegJ001, {{"REG", "J001"}, {"IND_DAD", "0"}}), std::logic_error);
}

TEST_F(LinhaRegistroTest, TitlesGoByExactRecordCode) {
    EXPECT_EQ(DescricaoRegistro("0000"),
              QStringLiteral("Gerando Dados: ABERTURA, IDENTIFICAÇÃO E REFERÊNCIAS..."));
    EXPECT_EQ(DescricaoRegistro("I051"), QStringLiteral("Gerando Dados: PLANO DE CONTAS x REFERENCIAL..."));
    EXPECT_EQ(
        DescricaoRegistro("I355"),
        QStringLiteral("Gerando Dados: DETALHES DOS SALDOS DAS CONTAS RESULTADO ANTES ENCERRAMENTO..."));
    EXPECT_EQ(DescricaoRegistro("J930"),
              QStringLiteral("Gerando Dados: IDENTIFICAÇÃO DOS SIGNATÁRIOS DA ESCRITURAÇÃO..."));
    EXPECT_EQ(DescricaoRegistro("9999"),
              QStringLiteral("Gerando Dados: CONTROLE E ENCERRAMENTO DO ARQUIVO DIGITAL..."));
    for (const char* outro : {"I990", "J990", "M355", "i050", "I05", "0000 ", ""})
        EXPECT_EQ(DescricaoRegistro(outro), "Gerando Dados: LAYOUT SPED...") << outro;
}
