#include "data/TabelasCodigos.h"

#include <stdexcept>

namespace data {

QString TabelaCodigos::textoDe(const QString& codigo) const {
    for (const ItemCodigo& i : itens)
        if (i.codigo == codigo)
            return i.exibicao;
    return {};
}

QStringList TabelaCodigos::itensDaLista() const {
    QStringList lista;
    for (const ItemCodigo& i : itens)
        lista << i.item;
    return lista;
}

namespace {

ItemCodigo igual(const char* codigo, const char* texto) {
    return {QString::fromUtf8(codigo), QString::fromUtf8(texto), QString::fromUtf8(texto)};
}

ItemCodigo diferente(const char* codigo, const char* exibicao, const char* item) {
    return {QString::fromUtf8(codigo), QString::fromUtf8(exibicao), QString::fromUtf8(item)};
}

} // namespace

const std::vector<TabelaCodigos>& TabelasCodigosSPED() {
    static const std::vector<TabelaCodigos> tabelas = {
        {QStringLiteral("R0000IND_SIT_ESP"),
         1,
         {igual("1", "1 - Cisão"), igual("2", "2 - Fusão"), igual("3", "3 - Incorporação"),
          igual("4", "4 - Encerramento")}},
        {QStringLiteral("R0000IND_SIT_INI_PER"),
         1,
         {igual("0", "0 - Início no primeiro dia do ano"), igual("1", "1 - Abertura"),
          igual("2", "2 - Resultante de cisão/fusão ou remanescente de cisão ou realizou Incorporação"),
          igual("3", "3 - Início da obrigatoriedade da entrega da FCONT no curso do ano-calendário")}},
        {QStringLiteral("RM020QUALI_PJ"),
         2,
         {igual("00", "00 - Sociedade Seguradora, de Capitalização ou Entidade aberta de previdência "
                      "complementar - (SUSEP)"),
          igual("10", "10 - PJ em geral - (RFB) e Corretora Autônoma de Seguros - (RFB)"),
          diferente("20", "20 - PJ Componente do Sistema Financeiro – (COSIF)",
                    "20 - PJ Componente do Sistema Financeiro (COSIF)")}},
        {QStringLiteral("RM020TIPO_ESCRIT"),
         1,
         {diferente("0", "0 -Original", "0 - Original"),
          diferente("1", "1 -Retificadora", "1 - Retificadora")}},
        {QStringLiteral("RM020SIT_SLD_PER_ANT"),
         1,
         {igual("R", "R - Recuperado"), igual("N", "N - Não recuperado"), igual("E", "E - Editado"),
          igual("I", "I - Importado")}},
        {QStringLiteral("RM020FORM_TRIB_TRI"),
         4,
         {igual("0", "0 - Fora do Período da escrituração"), igual("1", "1 - Real"),
          igual("2", "2 - Arbitrado"), igual("3", "3 - Presumido (Somente Trimestral)"),
          igual("4", "4 - Inativo (Somente Trimestral)")}},
        {QStringLiteral("RM020FORM_TRIBUT"),
         1,
         {igual("1", "1 - Real"), igual("2", "2 - Real Arbitrado"),
          igual("3", "3 - Real Presumido (Trimestral)"),
          igual("4", "4 - Real Presumido Arbitrado (Trimestral)")}},
        {QStringLiteral("RI051COD_ENT_REF"),
         2,
         {igual("10", "10 - Secretaria da Receita Federal"),
          igual("20", "20 - Banco Central do Brasil (Cosif)")}},
    };
    return tabelas;
}

const TabelaCodigos& TabelaCodigosDe(const QString& campo) {
    for (const TabelaCodigos& t : TabelasCodigosSPED())
        if (t.campo == campo)
            return t;
    throw std::invalid_argument(("No code table for " + campo).toStdString());
}

} // namespace data
