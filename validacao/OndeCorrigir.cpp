#include "validacao/Regras.h"

namespace validacao {

namespace {

struct Lugar {
    const char* registro;
    const char* campo; // null: any field of the record
    const char* onde;
};

// The pages, fields and columns of the main window; what none of them holds comes from the
// company's chart and balances in the ERP.
const Lugar lugares[] = {
    {"0000", "DT_INI", "Página Registro 0000, campo \"Data inicial\"."},
    {"0000", "DT_FIN", "Página Registro 0000, campo \"Data final\"."},
    {"0000", "NOME", "Página Registro 0000, campo \"Razão Social\"."},
    {"0000", "CNPJ", "Página Registro 0000, campo \"CNPJ\"."},
    {"0000", "UF", "Página Registro 0000, campo \"UF\"."},
    {"0000", "IE", "Página Registro 0000, campo \"I.E.\"."},
    {"0000", "COD_MUN", "Página Registro 0000, campo \"Município\" (botão de pesquisa ao lado)."},
    {"0000", "IM", "Página Registro 0000, campo \"I.M.\"."},
    {"0000", "IND_SIT_ESP", "Página Registro 0000, campo \"Situação Especial\"."},
    {"0000", "IND_SIT_INI_PER", "Página Registro 0000, campo \"Situação no Início do Período\"."},
    {"0000", nullptr, "Página Registro 0000."},
    {"I050", "COD_CTA_SUP",
     "Página Registro I050, coluna \"Código Conta Sup.\"; sem ela, o plano de contas "
     "da empresa no ERP (níveis e tipos das contas) define a conta superior."},
    {"I050", "DT_ALT",
     "Página Registro 0000, campo \"Data inicial\" (a data de alteração das contas é o "
     "início do período)."},
    {"I050", nullptr,
     "Plano de contas da empresa no ERP (código, nível, tipo, natureza e nome da conta); "
     "depois, \"Importar Plano Contas\" no menu da grade da página Registro I050."},
    {"I051", "COD_ENT_REF", "Página Registro I050, \"Código da Entidade Referente\"."},
    {"I051", nullptr, "Página Registro I050, coluna \"Código Conta Ref.\"."},
    {"I100", nullptr, "Página Registro 0000, campo \"Data inicial\"."},
    {"I150", nullptr, "Página Registro 0000, campos \"Data inicial\" e \"Data final\"."},
    {"I350", nullptr, "Página Registro 0000, campo \"Data final\"."},
    {"I155", nullptr,
     "Saldos mensais da conta no ERP (lançamentos e saldos do período); depois, gere de "
     "novo."},
    {"I355", nullptr, "Lançamentos da conta no ERP no último mês do período; depois, gere de novo."},
    {"J930", "IDENT_NOM", "Página Registro J930, coluna \"Nome do Signatário\"."},
    {"J930", "IDENT_CPF", "Página Registro J930, coluna \"CPF\"."},
    {"J930", "IDENT_QUALIF", "Página Registro J930, coluna \"Qualificação do Assinante\"."},
    {"J930", "COD_ASSIM", "Página Registro J930, coluna \"Qualificação do Assinante\" (o código vem dela)."},
    {"J930", "IND_CRC", "Página Registro J930, coluna \"Número CRC\"."},
    {"J930", nullptr, "Página Registro J930."},
    {"M020", "QUALI_PJ", "Página Registro M020, campo \"Qualificação da Pessoa Jurídica\"."},
    {"M020", "TIPO_ESCRIT", "Página Registro M020, campo \"Tipo de Escrituração\"."},
    {"M020", "Nro_Rec_Anterior", "Página Registro M020, campo \"Número do Recibo Anterior:\"."},
    {"M020", "Id_escr_Per_ant",
     "Página Registro M020, campo \"Identificação da escrituração do período "
     "anterior\"."},
    {"M020", "sIT_sLD_PER_ANT",
     "Página Registro M020, campo \"Situação do saldo da escrituração do período "
     "anterior\"."},
    {"M020", "Form_tribut", "Página Registro M020, campo \"Forma de Tributação\"."},
    {"M020", "Form_trib_tri", "Página Registro M020, campo \"Apuração do Trimestre\"."},
    {"M020", nullptr, "Página Registro M020 (o valor vem da configuração; salve-a de novo com \"Salvar\")."},
    {"M025", nullptr,
     "Saldos de dezembro do ano anterior da conta no ERP e sua conta na página Registro I050."},
    {"M030", nullptr,
     "Página Registro M030, \"Valor do lucro líquido (ou do prejuízo) societário do "
     "período\"."},
    {"M355", nullptr, "Lançamentos da conta no ERP e sua conta na página Registro I050."},
};

} // namespace

QString OndeCorrigir(const QString& registro, const QString& campo) {
    for (const Lugar& l : lugares)
        if (registro == QLatin1String(l.registro) && (!l.campo || campo == QLatin1String(l.campo)))
            return QString::fromUtf8(l.onde);
    return {};
}

} // namespace validacao
