#include "generation/dmBlocos.h"

#include "db/Value.h"

#include "common/Texto.h"
#include "generation/AssociacaoLida.h"
#include "generation/LinhaRegistro.h"

#include <initializer_list>

namespace generation {

TdmBlocos* dmBlocos = nullptr;

using platform::FieldDef;
using platform::FieldType;

namespace {

// Record codes in file order; tabelas() lists the tables in the same order.
const char* const codigos[] = {"0000", "I001", "I050", "I051", "I075", "I100", "I150", "I155", "I200",
                               "I250", "I350", "I355", "I990", "J001", "J930", "J990", "M001", "M020",
                               "M025", "M030", "M355", "M990", "9001", "9900", "9990", "9999"};

constexpr int oculto = -1;

struct Campo {
    const char* nome;
    FieldType tipo;
    int tamanho;
    int classe; // rendering class, or oculto for a working field that is never written
};

constexpr FieldType T = FieldType::String;
constexpr FieldType D = FieldType::Date;
constexpr FieldType F = FieldType::Float;
constexpr FieldType N = FieldType::Integer;
constexpr FieldType DH = FieldType::DateTime;

void define(platform::MemTable& tabela, std::initializer_list<Campo> campos, bool comLinha = true) {
    for (const Campo& c : campos) {
        FieldDef d;
        d.name = QString::fromLatin1(c.nome);
        d.type = c.tipo;
        d.size = c.tamanho;
        d.visible = c.classe != oculto;
        d.tag = c.classe == oculto ? 0 : c.classe;
        tabela.addField(d);
    }
    if (comLinha)
        define(tabela, {{"LINHA", N, 0, oculto}}, false);
    tabela.createDataSet();
}

// Only the digits of a CPF or CNPJ fit its 11 or 14 characters; the punctuation has to go
// before the cut.
QVariant semPontuacao(const QVariant& valor) {
    if (db::isNull(valor))
        return valor;
    return common::LimpaPontuacao(common::Trim(valor.toString()));
}

} // namespace

TdmBlocos::TdmBlocos() {
    dmBlocos = this;
    criaTabelas();
    ligaEventos();
}

TdmBlocos::~TdmBlocos() {
    if (dmBlocos == this)
        dmBlocos = nullptr;
}

void TdmBlocos::DescartaAssociacaoLida() {
    associacaoI051.reset();
    superiorDaAssociacao.reset();
}

QList<platform::MemTable*> TdmBlocos::tabelas() {
    return {&cdsReg0000, &cdsRegI001, &cdsRegI050, &cdsRegI051, &cdsRegI075, &cdsRegI100, &cdsRegI150,
            &cdsRegI155, &cdsRegI200, &cdsRegI250, &cdsRegI350, &cdsRegI355, &cdsRegI990, &cdsRegJ001,
            &cdsRegJ930, &cdsRegJ990, &cdsRegM001, &cdsRegM020, &cdsRegM025, &cdsRegM030, &cdsRegM355,
            &cdsRegM990, &cdsReg9001, &cdsReg9900, &cdsReg9990, &cdsReg9999};
}

platform::MemTable* TdmBlocos::tabela(const QString& registro) {
    const QString nome = QStringLiteral("cdsReg") + registro;
    for (platform::MemTable* t : tabelas())
        if (t->name() == nome)
            return t;
    return nullptr;
}

void TdmBlocos::LimpaBlocos() {
    for (platform::MemTable* t : tabelas())
        t->emptyDataSet();
}

void TdmBlocos::criaTabelas() {
    const QList<platform::MemTable*> todas = tabelas();
    for (int i = 0; i < todas.size(); ++i)
        todas[i]->setName(QStringLiteral("cdsReg") + QLatin1String(codigos[i]));

    define(cdsReg0000, {{"REG", T, 4, 0},
                        {"ID_ARQ", T, 4, 0},
                        {"DT_INI", D, 0, 2},
                        {"DT_FIN", D, 0, 2},
                        {"NOME", T, 255, 0},
                        {"CNPJ", T, 14, 1},
                        {"UF", T, 2, 0},
                        {"IE", T, 30, 1},
                        {"COD_MUN", T, 7, 0},
                        {"IM", T, 30, 1},
                        {"IND_SIT_ESP", T, 1, 0},
                        {"IND_SIT_INI_PER", T, 1, 0}});
    cdsReg0000.fieldByName(QStringLiteral("CNPJ")).beforeStore = semPontuacao;
    define(cdsRegI001, {{"REG", T, 4, 0}, {"IND_DAD", T, 1, 0}});
    define(cdsRegI050, {{"REG", T, 4, 0},
                        {"DT_ALT", D, 0, 2},
                        {"COD_NAT", T, 2, 0},
                        {"IND_CTA", T, 1, 0},
                        {"NIVEL", T, 255, 0},
                        {"COD_CTA", T, 255, 4},
                        {"COD_CTA_SUP", T, 255, 4},
                        {"CTA", T, 255, 0},
                        {"PCCODIGO", N, 0, oculto},
                        {"COD_AGL", T, 255, oculto}});
    define(cdsRegI051,
           {{"REG", T, 4, 0}, {"COD_ENT_REF", T, 2, 0}, {"COD_CCUS", T, 255, 0}, {"COD_CTA_REF", T, 255, 0}});
    define(cdsRegI075, {{"REG", T, 4, 0}, {"COD_HIST", T, 255, 0}, {"DESCR_HIST", T, 255, 0}});
    define(cdsRegI100, {{"REG", T, 4, 0}, {"DT_ALT", D, 0, 2}, {"COD_CCUS", T, 255, 0}, {"CCUS", T, 255, 0}});
    define(cdsRegI150, {{"REG", T, 4, 0}, {"DT_INI", D, 0, 2}, {"DT_FIN", D, 0, 2}});
    define(cdsRegI155, {{"REG", T, 4, 0},
                        {"COD_CTA", T, 255, 4},
                        {"COD_CCUS", T, 255, 1},
                        {"VL_SLD_INI", F, 0, 3},
                        {"IND_DC_INI", T, 1, 0},
                        {"VL_DEB", F, 0, 3},
                        {"VL_CRED", F, 0, 3},
                        {"VL_SLD_FIN", F, 0, 3},
                        {"IND_DC_FIN", T, 1, 0},
                        {"PCCODIGO", N, 0, oculto}});
    define(cdsRegI200,
           {{"REG", T, 4, 0},
            {"NUM_LCTO", T, 255, 0},
            {"DT_LCTO", D, 0, 2},
            {"VL_LCTO", F, 0, 3},
            {"IND_LCTO", T, 1, 0},
            {"LINHA", N, 0, oculto},
            {"LOTE", N, 0, oculto},
            {"RecNoI200", N, 0, oculto}},
           false);
    define(cdsRegI250,
           {{"REG", T, 4, 0},
            {"COD_CTA", T, 255, 4},
            {"COD_CCUS", T, 255, 1},
            {"VL_DC", F, 0, 3},
            {"IND_DC", T, 1, 0},
            {"NUM_ARQ", T, 255, 0},
            {"COD_HIST_PAD", T, 255, 0},
            {"HIST", T, 255, 1},
            {"COD_PART", T, 255, 1},
            {"PCCODIGO", N, 0, oculto},
            {"LCLOTE", N, 0, oculto},
            {"LCCONTRAPARTIDASEQ", N, 0, oculto},
            {"LCDATALANCAMENTO", DH, 0, oculto},
            {"LINHA", N, 0, oculto},
            {"RecNoI200", N, 0, oculto}},
           false);
    define(cdsRegI350, {{"REG", T, 4, 0}, {"DT_RES", D, 0, 2}});
    define(cdsRegI355, {{"REG", T, 4, 0},
                        {"COD_CTA", T, 255, 4},
                        {"COD_CCUS", T, 255, 1},
                        {"VL_CTA", F, 0, 3},
                        {"IND_DC", T, 1, 0}});
    define(cdsRegI990, {{"REG", T, 4, 0}, {"QTD_LIN_I", N, 0, 0}});
    define(cdsRegJ001, {{"REG", T, 4, 0}, {"IND_DAD", T, 1, 0}});
    define(cdsRegJ930, {{"REG", T, 4, 0},
                        {"IDENT_NOM", T, 255, 0},
                        {"IDENT_CPF", T, 11, 1},
                        {"IDENT_QUALIF", T, 255, 0},
                        {"COD_ASSIM", T, 3, 1},
                        {"IND_CRC", T, 11, 1}});
    cdsRegJ930.fieldByName(QStringLiteral("IDENT_CPF")).beforeStore = semPontuacao;
    define(cdsRegJ990, {{"REG", T, 4, 0}, {"QTD_LIN_J", N, 0, 0}});
    define(cdsRegM001, {{"REG", T, 4, 0}, {"IND_DAD", T, 1, 0}});
    // The odd case of these names is part of the layout the statements and the file agree on.
    define(cdsRegM020, {{"REG", T, 4, 0},
                        {"QUALI_PJ", T, 2, 0},
                        {"TIPO_ESCRIT", T, 1, 0},
                        {"Nro_Rec_Anterior", T, 41, 0},
                        {"Id_escr_Per_ant", T, 40, 0},
                        {"sIT_sLD_PER_ANT", T, 1, 0},
                        {"Ind_lcto_ini_sld", T, 1, 0},
                        {"Form_apur", T, 1, 0},
                        {"Form_tribut", T, 1, 0},
                        {"TRIM_Luc_Arb", T, 4, 0},
                        {"Form_trib_tri", T, 4, 0}});
    define(cdsRegM025, {{"REG", T, 4, 0},
                        {"COD_CTA", T, 255, 4},
                        {"COD_CCUS", T, 255, 0},
                        {"COD_CTA_REF", T, 255, 0},
                        {"VL_SLD_FIN_FC", F, 0, 0},
                        {"IND_DC_FIN_FC", T, 1, 0},
                        {"VL_SLD_FIN_SOC", F, 0, 0},
                        {"IND_DC_FIN_SOC", T, 1, 0}});
    define(cdsRegM030,
           {{"REG", T, 4, 0}, {"IND_PER", T, 3, 0}, {"VL_LUC_LIQ", F, 0, 0}, {"IND_LUC_LIQ", T, 1, 0}});
    define(cdsRegM355, {{"REG", T, 4, 0},
                        {"COD_CTA", T, 255, 0},
                        {"COD_CCUS", T, 255, 0},
                        {"COD_CTA_REF", T, 255, 0},
                        {"VL_SLD_FIN_SOC", F, 0, 0},
                        {"IND_DC_FIN_SOC", T, 1, 0},
                        {"VL_DEB_FCONT_E", F, 0, 0},
                        {"VL_CRED_FCONT_E", F, 0, 0},
                        {"VL_DEB_FCONT_I", F, 0, 0},
                        {"VL_CRED_FCONT_I", F, 0, 0},
                        {"VL_SLD_FIN_FC_AL", F, 0, 0},
                        {"IND_DC_FIN_FC_AL", T, 1, 0}});
    define(cdsRegM990, {{"REG", T, 4, 0}, {"QTD_LIN_M", N, 0, 0}}, false);
    define(cdsReg9001, {{"REG", T, 4, 0}, {"IND_DAD", T, 1, 0}});
    define(cdsReg9900, {{"REG", T, 4, 0}, {"REG_BLC", T, 4, 0}, {"QTD_REG_BLC", N, 0, 0}});
    define(cdsReg9990, {{"REG", T, 4, 0}, {"QTD_LIN_9", N, 0, 0}});
    define(cdsReg9999, {{"REG", T, 4, 0}, {"QTD_LIN", N, 0, 0}});
}

void TdmBlocos::ligaEventos() {
    for (platform::MemTable* t : tabelas())
        t->afterPost = [](platform::DataSet& tabela) { EscreveLinha(tabela); };

    cdsReg0000.afterPost = [this](platform::DataSet&) { cdsReg0000AfterPost(); };
    cdsRegM355.beforePost = [this](platform::DataSet&) { cdsRegM355BeforePost(); };
    // The hooks that read the database; their after-store hooks write the row's line themselves
    // before the checks and the child records.
    cdsRegI050.beforePost = [this](platform::DataSet&) { cdsRegI050BeforePost(); };
    cdsRegI050.afterPost = [this](platform::DataSet&) { cdsRegI050AfterPost(); };
    cdsRegI150.afterPost = [this](platform::DataSet&) { cdsRegI150AfterPost(); };
    cdsRegI350.afterPost = [this](platform::DataSet&) { cdsRegI350AfterPost(); };
}

} // namespace generation
