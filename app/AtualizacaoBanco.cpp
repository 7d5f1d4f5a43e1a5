#include "app/AtualizacaoBanco.h"

#include "common/Consultas.h"
#include "common/Texto.h"
#include "data/Esquema.h"
#include "data/dmFCONT.h"
#include "data/uFCONT.h"

namespace app {

// Columns added by later versions of the program, in the order they came. The definitions are
// sent as they stand, trailing ";" and blanks included.
const std::vector<ColunaNova>& ColunasNovas() {
    static const std::vector<ColunaNova> colunas = {
        {"AUGC80SP", "SPID VARCHAR(1); "},
        {"AUGC80SP", "SPEFDPISCOFINS VARCHAR(1) ;"},
        {"AUGC80SP", "R0000TIPO_ESCRIT VARCHAR(1) ;"},
        {"AUGC80SP", "R0000NUM_REC_ANTERIOR VARCHAR(41); "},
        {"AUGC80SP", "R0000IND_NAT_PJ VARCHAR(2); "},
        {"AUGC80SP", "R0110COD_INC_TRIB VARCHAR(1); "},
        {"AUGC80SP", "R0110IND_APRO_CRED VARCHAR(1); "},
        {"AUGC80SP", "R0110COD_TIPO_CONT VARCHAR(1); "},
        {"AUGC80SP", "R0111REC_BRU_NCUM_TRIB_MI DOVALOR; "},
        {"AUGC80SP", "R0111REC_BRU_NCUM_NT_MI DOVALOR; "},
        {"AUGC80SP", "R0111REC_BRU_NCUM_EXP DOVALOR; "},
        {"AUGC80SP", "R0111REC_BRU_CUM DOVALOR; "},
        {"AUGC80SP", "R0111REC_BRU_TOTAL DOVALOR; "},
        {"AUGC80SPPA", "SPPAIND_ESCRI VARCHAR(1); "},
        {"AUGC80SP", "RC010IND_ESCRI VARCHAR(1); "},
        {"AUGC80SP", "CFGBLOCOA VARCHAR(1); "},
        {"AUGC80SP", "R0110IND_REG_CUM VARCHAR(1); "},
        {"AUGC80SPRZ", "SPRZPIS_PERC DOVALOR; "},
        {"AUGC80SP", "R0000IND_SIT_INI_PER VARCHAR(1); "},
        {"AUGC80SP", "RM020QUALI_PJ VARCHAR(2); "},
        {"AUGC80SP", "RM020TIPO_ESCRIT VARCHAR(1); "},
        {"AUGC80SP", "RM020NRO_REC_ANTERIOR VARCHAR(41); "},
        {"AUGC80SP", "RM020ID_ESCR_PER_ANT VARCHAR(40); "},
        {"AUGC80SP", "RM020SIT_SLD_PER_ANT VARCHAR(1); "},
        {"AUGC80SP", "RM020IND_LCTO_INI_SLD VARCHAR(1); "},
        {"AUGC80SP", "RM020FORM_APUR VARCHAR(1); "},
        {"AUGC80SP", "RM020FORM_TRIBUT VARCHAR(1); "},
        {"AUGC80SP", "RM020TRIM_LUC_ARB VARCHAR(4); "},
        {"AUGC80SP", "RM020TRIM_LUC_TRI VARCHAR(4); "},
        {"AUGC80SP", "RM020FORM_TRIB_TRI VARCHAR(4); "},
        {"AUGC80SP", "RM030VL_LUC_LIQ DOVALOR; "},
        {"AUGC80SPAS", "COD_AGL VARCHAR(255); "},
        {"AUGC80SPAS", "J150IND_VL VARCHAR(1); "},
        {"AUGC80SP", "RI200LCTNUMPK INTEGER; "},
        {"AUGC80SP", "R0000CONSOLIDAR INTEGER ; "},
    };
    return colunas;
}

namespace {

ResultadoAtualizacao& ultima() {
    static ResultadoAtualizacao resultado;
    return resultado;
}

bool existeDominio(const QString& nome) {
    return common::BuscaValorInteiro(QStringLiteral("count(*)"), QStringLiteral("rdb$fields"),
                                     QStringLiteral("where rdb$field_name = ") + common::Q(nome),
                                     data::dmFCONT->quExec) > 0;
}

void classificaFalha(ResultadoAtualizacao& r, const ColunaNova& c) {
    const QString tabela = QString::fromLatin1(c.tabela);
    const QString definicao = QString::fromLatin1(c.definicao);
    const QString coluna = definicao.section(QLatin1Char(' '), 0, 0);
    if (!data::ExisteCampo(tabela, QString())) {
        ++r.semTabela;
        if (!r.tabelasAusentes.contains(tabela))
            r.tabelasAusentes << tabela;
    } else if (data::ExisteCampo(tabela, coluna)) {
        ++r.jaExistentes;
    } else if (definicao.contains(QLatin1String("DOVALOR")) && !existeDominio(QStringLiteral("DOVALOR"))) {
        ++r.semDominio;
    } else {
        ++r.outrasFalhas;
    }
}

} // namespace

void dbBancoAfterConnect() {
    ResultadoAtualizacao& resultado = ultima();
    resultado = {};
    if (data::ExisteCampo(QStringLiteral("AUGC80SP"), QStringLiteral("R0000CONSOLIDAR")) &&
        data::ExisteCampo(QStringLiteral("AUGC80SP"), QStringLiteral("RI200LCTNUMPK")))
        return;
    // Each addition stands on its own: one that exists already fails, is logged and skipped.
    QStringList& erros = data::dmFCONT->slErros;
    for (const ColunaNova& c : ColunasNovas()) {
        const qsizetype antes = erros.size();
        data::AdicionaCampo(QString::fromLatin1(c.tabela), QString::fromLatin1(c.definicao));
        if (erros.size() > antes)
            classificaFalha(resultado, c);
    }
}

const ResultadoAtualizacao& UltimaAtualizacao() {
    return ultima();
}

QStringList AvisosDaAtualizacao() {
    const ResultadoAtualizacao& r = ultima();
    const QString inicio = QStringLiteral("Aviso: atualização do banco: ");
    QStringList avisos;
    if (!r.tabelasAusentes.isEmpty())
        avisos << inicio + QStringLiteral(
                               "as tabelas do programa não existem neste banco (%1); %2 colunas não foram "
                               "criadas.")
                               .arg(r.tabelasAusentes.join(QStringLiteral(", ")))
                               .arg(r.semTabela);
    if (r.semDominio > 0)
        avisos << inicio + QStringLiteral(
                               "o domínio DOVALOR não existe neste banco; %1 colunas não foram criadas.")
                               .arg(r.semDominio);
    if (r.outrasFalhas > 0)
        avisos << inicio + QStringLiteral("%1 colunas não puderam ser criadas; detalhes com --detalhes.")
                               .arg(r.outrasFalhas);
    if (r.jaExistentes > 0)
        avisos << inicio + QStringLiteral("%1 alterações não aplicadas (colunas já existentes); detalhes com "
                                          "--detalhes.")
                               .arg(r.jaExistentes);
    return avisos;
}

} // namespace app
