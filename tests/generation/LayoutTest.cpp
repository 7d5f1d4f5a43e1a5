#include "AmbienteBlocos.h"

#include "platform/Abort.h"

using platform::FieldType;

namespace {

class LayoutTest : public AmbienteBlocos {};

// Visible fields in order as "NAME" (class 0) or "NAME/class".
QString desenho(const platform::DataSet& tabela) {
    QStringList campos;
    for (const platform::Field* f : tabela.visibleFields())
        campos << (f->tag() == 0 ? f->name() : f->name() + "/" + QString::number(f->tag()));
    return campos.join(' ');
}

} // namespace

TEST_F(LayoutTest, TablesAreNamedAfterTheirRecordAndListedInFileOrder) {
    const QStringList ordem =
        QString("0000 I001 I050 I051 I075 I100 I150 I155 I200 I250 I350 I355 I990 J001 J930 J990 "
                "M001 M020 M025 M030 M355 M990 9001 9900 9990 9999")
            .split(' ');
    const QList<platform::MemTable*> tabelas = blocos.tabelas();
    ASSERT_EQ(tabelas.size(), ordem.size());
    for (int i = 0; i < ordem.size(); ++i) {
        EXPECT_EQ(tabelas[i]->name(), "cdsReg" + ordem[i]);
        EXPECT_EQ(blocos.tabela(ordem[i]), tabelas[i]);
        EXPECT_TRUE(tabelas[i]->active());
    }
    EXPECT_EQ(blocos.tabela("I300"), nullptr);
    EXPECT_EQ(generation::dmBlocos, &blocos);
}

TEST_F(LayoutTest, VisibleFieldsAreTheFieldsOfTheLine) {
    const std::pair<const char*, const char*> linhas[] = {
        {"0000", "REG ID_ARQ DT_INI/2 DT_FIN/2 NOME CNPJ/1 UF IE/1 COD_MUN IM/1 IND_SIT_ESP IND_SIT_INI_PER"},
        {"I050", "REG DT_ALT/2 COD_NAT IND_CTA NIVEL COD_CTA/4 COD_CTA_SUP/4 CTA"},
        {"I051", "REG COD_ENT_REF COD_CCUS COD_CTA_REF"},
        {"I100", "REG DT_ALT/2 COD_CCUS CCUS"},
        {"I155",
         "REG COD_CTA/4 COD_CCUS/1 VL_SLD_INI/3 IND_DC_INI VL_DEB/3 VL_CRED/3 VL_SLD_FIN/3 IND_DC_FIN"},
        {"I200", "REG NUM_LCTO DT_LCTO/2 VL_LCTO/3 IND_LCTO"},
        {"I250", "REG COD_CTA/4 COD_CCUS/1 VL_DC/3 IND_DC NUM_ARQ COD_HIST_PAD HIST/1 COD_PART/1"},
        {"I355", "REG COD_CTA/4 COD_CCUS/1 VL_CTA/3 IND_DC"},
        {"J930", "REG IDENT_NOM IDENT_CPF/1 IDENT_QUALIF COD_ASSIM/1 IND_CRC/1"},
        {"M020", "REG QUALI_PJ TIPO_ESCRIT Nro_Rec_Anterior Id_escr_Per_ant sIT_sLD_PER_ANT Ind_lcto_ini_sld "
                 "Form_apur "
                 "Form_tribut TRIM_Luc_Arb Form_trib_tri"},
        {"M025",
         "REG COD_CTA/4 COD_CCUS COD_CTA_REF VL_SLD_FIN_FC IND_DC_FIN_FC VL_SLD_FIN_SOC IND_DC_FIN_SOC"},
        {"M355",
         "REG COD_CTA COD_CCUS COD_CTA_REF VL_SLD_FIN_SOC IND_DC_FIN_SOC VL_DEB_FCONT_E VL_CRED_FCONT_E "
         "VL_DEB_FCONT_I VL_CRED_FCONT_I VL_SLD_FIN_FC_AL IND_DC_FIN_FC_AL"},
        {"M990", "REG QTD_LIN_M"},
        {"9900", "REG REG_BLC QTD_REG_BLC"},
    };
    for (const auto& [codigo, campos] : linhas)
        EXPECT_EQ(desenho(*blocos.tabela(codigo)), campos) << codigo;

    const platform::Field& cpf = blocos.cdsRegJ930.fieldByName("IDENT_CPF");
    EXPECT_EQ(cpf.size(), 11);
    EXPECT_EQ(blocos.cdsRegI050.fieldByName("CTA").size(), 255);
    EXPECT_EQ(blocos.cdsRegI155.fieldByName("VL_SLD_INI").type(), FieldType::Float);
    EXPECT_EQ(blocos.cdsRegI990.fieldByName("QTD_LIN_I").type(), FieldType::Integer);
    EXPECT_EQ(blocos.cdsRegI250.fieldByName("LCDATALANCAMENTO").type(), FieldType::DateTime);
    EXPECT_EQ(blocos.cdsRegI250.fieldByName("LCDATALANCAMENTO").visible(), false);
}

TEST_F(LayoutTest, EveryTableButM990HasAHiddenLineNumber) {
    for (platform::MemTable* t : blocos.tabelas()) {
        const platform::Field* linha = t->findField("LINHA");
        if (t == &blocos.cdsRegM990) {
            EXPECT_EQ(linha, nullptr);
            continue;
        }
        ASSERT_NE(linha, nullptr) << t->name().toStdString();
        EXPECT_FALSE(linha->visible());
        EXPECT_EQ(linha->type(), FieldType::Integer);
    }
}

TEST_F(LayoutTest, LimpaBlocosEmptiesEveryTable) {
    grava(blocos.cdsRegI075, {{"REG", "I075"}});
    grava(blocos.cdsReg9999, {{"REG", "9999"}, {"QTD_LIN", 1}});
    blocos.cdsRegJ001.append();

    blocos.LimpaBlocos();
    for (platform::MemTable* t : blocos.tabelas()) {
        EXPECT_EQ(t->recordCount(), 0) << t->name().toStdString();
        EXPECT_FALSE(t->editing());
    }
}

TEST_F(LayoutTest, TheOpeningRecordChecksItsPeriodBeforeItsLine) {
    EXPECT_THROW(grava(blocos.cdsReg0000,
                       {{"REG", "0000"}, {"DT_INI", QDate(2009, 6, 1)}, {"DT_FIN", QDate(2009, 5, 31)}}),
                 platform::SilentAbort);
    EXPECT_THROW(grava(blocos.cdsReg0000,
                       {{"REG", "0000"}, {"DT_INI", QDate(2009, 6, 1)}, {"DT_FIN", QDate(2010, 5, 31)}}),
                 platform::SilentAbort);
    EXPECT_THROW(grava(blocos.cdsReg0000, {{"REG", "0000"}, {"DT_INI", QDate(2009, 1, 1)}}),
                 platform::SilentAbort);
    EXPECT_TRUE(linhas().isEmpty());
    EXPECT_EQ(
        dialogs->texts(),
        QStringList({"Operação Abortada: \rPeríodo de Geração do arquivo inválido!",
                     "Operação Abortada: \rData de início e fim devem estar contidas em um mesmo ano e \r"
                     "correspondem ao período das informações contidas no Bloco I.",
                     "Operação Abortada: \rData Final do Período de Geração do arquivo não informada!\r"
                     "Informe a Data Final na configuração."}));

    // A special situation lets the period span two years.
    dialogs->clear();
    grava(blocos.cdsReg0000, {{"REG", "0000"},
                              {"ID_ARQ", "LALU"},
                              {"DT_INI", QDate(2009, 6, 1)},
                              {"DT_FIN", QDate(2010, 5, 31)},
                              {"NOME", "Empresa"},
                              {"CNPJ", "12345678000190"},
                              {"UF", "SP"},
                              {"IND_SIT_ESP", "1"}});
    EXPECT_TRUE(dialogs->boxes().isEmpty());
    EXPECT_EQ(linhas(), QStringList({"|0000|LALU|01062009|31052010|Empresa|12345678000190|SP||||1||"}));
}

TEST_F(LayoutTest, M355StoresItsBalancesWithoutSign) {
    grava(blocos.cdsRegM355, {{"REG", "M355"},
                              {"COD_CTA", "3101001"},
                              {"VL_SLD_FIN_SOC", -250.5},
                              {"IND_DC_FIN_SOC", "C"},
                              {"VL_DEB_FCONT_E", 0.0},
                              {"VL_CRED_FCONT_E", 0.0},
                              {"VL_DEB_FCONT_I", 0.0},
                              {"VL_CRED_FCONT_I", 0.0},
                              {"VL_SLD_FIN_FC_AL", -0.004},
                              {"IND_DC_FIN_FC_AL", "C"}});
    EXPECT_EQ(linhas().last(), "|M355|3101001|||250,5|C|0|0|0|0|-0,004|C|");

    blocos.cdsRegM355.edit();
    blocos.cdsRegM355.fieldByName("VL_SLD_FIN_FC_AL").setValue(-10.0);
    blocos.cdsRegM355.post();
    EXPECT_EQ(blocos.cdsRegM355.fieldByName("VL_SLD_FIN_FC_AL").asFloat(), 10.0);
    EXPECT_EQ(blocos.cdsRegM355.fieldByName("VL_SLD_FIN_SOC").asFloat(), 250.5);
}
