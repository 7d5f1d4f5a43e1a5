#include "AmbienteBlocos.h"

#include "generation/Totais.h"
#include "platform/Abort.h"

using namespace generation;

namespace {

class TotaisTest : public AmbienteBlocos {
protected:
    // A small file: 0000, block I with two histories and a balance, J with one signatory, M
    // with one result account.
    void geraArquivo() {
        grava(blocos.cdsReg0000,
              {{"REG", "0000"}, {"DT_INI", QDate(2009, 1, 1)}, {"DT_FIN", QDate(2009, 12, 31)}});
        grava(blocos.cdsRegI001, {{"REG", "I001"}, {"IND_DAD", "0"}});
        grava(blocos.cdsRegI075, {{"REG", "I075"}, {"COD_HIST", "1"}, {"DESCR_HIST", "Juros"}});
        grava(blocos.cdsRegI075, {{"REG", "I075"}, {"COD_HIST", "2"}, {"DESCR_HIST", "Multa"}});
        grava(blocos.cdsRegI155, {{"REG", "I155"}, {"COD_CTA", "1101001"}});
        GravaI990();
        grava(blocos.cdsRegJ001, {{"REG", "J001"}, {"IND_DAD", "0"}});
        grava(blocos.cdsRegJ930, {{"REG", "J930"}, {"IDENT_NOM", "Maria"}});
        GravaJ990();
        grava(blocos.cdsRegM001, {{"REG", "M001"}, {"IND_DAD", "0"}});
        grava(blocos.cdsRegM030,
              {{"REG", "M030"}, {"IND_PER", "A00"}, {"VL_LUC_LIQ", 0.0}, {"IND_LUC_LIQ", "C"}});
        GravaM990();
        GravaBloco9();
    }
};

} // namespace

TEST_F(TotaisTest, BlockClosingsCountTheirBlockAndThemselves) {
    geraArquivo();

    EXPECT_TRUE(linhas().contains("|I990|5|"));
    EXPECT_TRUE(linhas().contains("|J990|3|"));
    EXPECT_TRUE(linhas().contains("|M990|3|"));
    // Closing rows are not query rows: they get no line number.
    EXPECT_TRUE(blocos.cdsRegI990.fieldByName("LINHA").isNull());
    EXPECT_TRUE(blocos.cdsReg9999.fieldByName("LINHA").isNull());
}

TEST_F(TotaisTest, Block9CountsTwentyTwoRecordsWithMBeforeJAndTheWholeFile) {
    geraArquivo();

    const int inicio = linhas().indexOf("|9001|0|");
    ASSERT_GE(inicio, 0);
    EXPECT_EQ(
        linhas().mid(inicio + 1, 22),
        QStringList({"|9900|0000|1|", "|9900|I001|1|", "|9900|I050|0|", "|9900|I051|0|", "|9900|I075|2|",
                     "|9900|I100|0|", "|9900|I150|0|", "|9900|I155|1|", "|9900|I200|0|", "|9900|I250|0|",
                     "|9900|I350|0|", "|9900|I355|0|", "|9900|I990|1|", "|9900|M001|1|", "|9900|M020|0|",
                     "|9900|M025|0|", "|9900|M030|1|", "|9900|M355|0|", "|9900|M990|1|", "|9900|J001|1|",
                     "|9900|J930|1|", "|9900|J990|1|"}));
    ASSERT_EQ(linhas().size(), inicio + 25);
    EXPECT_EQ(linhas()[inicio + 23], "|9990|25|");
    EXPECT_EQ(linhas().last(), QString("|9999|%1|").arg(linhas().size()));
    EXPECT_EQ(linhas().size(), 1 + 5 + 3 + 3 + 25);
}

TEST_F(TotaisTest, AFailedCountNamesItsRecordAndAborts) {
    fcont.slArquivo.reset(); // the line cannot be written
    EXPECT_THROW(TotalizaRegistro("I050", 3), platform::SilentAbort);
    EXPECT_EQ(dialogs->texts(), QStringList({"Erro: ao totalizar Registros \"I050\"."}));
    EXPECT_FALSE(blocos.cdsReg9900.editing());
    fcont.slArquivo = std::make_unique<QStringList>();

    // The user's own cancel is said by the prompt alone.
    dialogs->clear();
    fcont.Cancelado = true;
    EXPECT_THROW(TotalizaRegistro("I050", 3), platform::UserCancel);
    EXPECT_TRUE(dialogs->boxes().isEmpty());
    EXPECT_FALSE(blocos.cdsReg9900.editing());

    // A cancel inside a closing row reaches the caller without a box of its own.
    dialogs->clear();
    EXPECT_THROW(GravaJ990(), platform::SilentAbort);
    EXPECT_TRUE(dialogs->boxes().isEmpty());
    EXPECT_TRUE(linhas().isEmpty());
}
