#include "data/ColunasGrades.h"

namespace data {

using platform::ColunaGrade;

const std::vector<ColunaGrade>& ColunasAssociacao() {
    using platform::NaGrade, platform::NaPlanilha, platform::NoRelatorio;
    static const std::vector<ColunaGrade> colunas = {
        {.campo = QStringLiteral("PCCODIGO"),
         .titulo = QStringLiteral("Código Conta"),
         .largura = 75,
         .botao = true,
         .vistas = NaGrade | NaPlanilha},
        {.campo = QStringLiteral("PCCODIGOSUP"),
         .titulo = QStringLiteral("Código Conta Sup."),
         .largura = 98,
         .botao = true,
         .vistas = NaGrade | NaPlanilha},
        {.campo = QStringLiteral("COD_AGL"),
         .titulo = QStringLiteral("Cod. Aglutinação"),
         .largura = 95,
         .vistas = NaGrade | NaPlanilha},
        {.campo = QStringLiteral("J150IND_VL"),
         .titulo = QStringLiteral("Ind. Vlr."),
         .largura = 45,
         .lista = {QStringLiteral("D"), QStringLiteral("R"), QStringLiteral("P")},
         .vistas = NaGrade | NaPlanilha},
        {.campo = QStringLiteral("PCDESCRICAO"), .titulo = QStringLiteral("Conta"), .largura = 240},
        {.campo = QStringLiteral("PCORDENACAO"), .titulo = QStringLiteral("Ordenação"), .largura = 95},
        // The account's type is printed beside its name, since the report has no colours for it.
        {.campo = QStringLiteral("PCTIPO"),
         .titulo = QStringLiteral("Tipo"),
         .largura = 30,
         .somenteLeitura = true,
         .vistas = NoRelatorio,
         .alinhamento = Qt::AlignHCenter},
        {.campo = QStringLiteral("COD_CTA_REF"),
         .titulo = QStringLiteral("Código Conta Ref."),
         .largura = 95,
         .botao = true},
        {.campo = QStringLiteral("DESCRICAO"),
         .titulo = QStringLiteral("Conta Referente"),
         .somenteLeitura = true},
    };
    return colunas;
}

const std::vector<ColunaGrade>& ColunasSignatarios() {
    static const std::vector<ColunaGrade> colunas = {
        {.campo = QStringLiteral("SPSGIDENT_NOM"),
         .titulo = QStringLiteral("Nome do Signatário"),
         .largura = 240},
        {.campo = QStringLiteral("SPSGIDENT_CPF"),
         .titulo = QStringLiteral("CPF"),
         .largura = 95,
         .mascara = QStringLiteral("999.999.999-99;_")},
        {.campo = QStringLiteral("SPSGIDENT_QUALIF"),
         .titulo = QStringLiteral("Qualificação do Assinante"),
         .largura = 240},
        {.campo = QStringLiteral("SPSGCOD_ASSIM"),
         .titulo = QStringLiteral("Código Qualificação Assinante"),
         .largura = 155,
         .cinza = true},
        {.campo = QStringLiteral("SPSGIND_CRC"), .titulo = QStringLiteral("Número CRC"), .largura = 95},
        {.campo = QStringLiteral("DT_CRC"), .titulo = QStringLiteral("Data CRC")},
        {.campo = QStringLiteral("EMAIL"), .titulo = QStringLiteral("E-mail"), .largura = 64},
        {.campo = QStringLiteral("FONE"), .titulo = QStringLiteral("Telefone"), .largura = 64},
        {.campo = QStringLiteral("NUM_SEQ_CRC"), .titulo = QStringLiteral("Nº Seq. CRC"), .largura = 64},
        {.campo = QStringLiteral("UF_CRC"), .titulo = QStringLiteral("UF CRC"), .largura = 64},
    };
    return colunas;
}

} // namespace data
