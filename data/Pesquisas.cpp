#include "data/Pesquisas.h"

#include "common/Texto.h"

#include <QRegularExpression>

namespace data {

namespace {

const QList<FontePesquisa>& fontes() {
    static const QList<FontePesquisa> lista = [] {
        const QStringList empresa{QStringLiteral("Razão Social: "), QStringLiteral("CNPJ: "),
                                  QStringLiteral("Código: ")};
        const QStringList ordensEmpresa{QStringLiteral("Razão Social"), QStringLiteral("CNPJ"),
                                        QStringLiteral("Código")};
        QList<FontePesquisa> l;
        l << FontePesquisa{QStringLiteral("Empresa Processada"),
                           QStringLiteral("select pa.pacodigo, pa.paemprazao, pa.paempcnpj "
                                          "from augc01pa pa                                "
                                          "where 1 = 1 "),
                           empresa,
                           ordensEmpresa,
                           {QStringLiteral(" and PAEMPRAZAO "), QStringLiteral(" and PAEMPCNPJ "),
                            QStringLiteral(" and PACODIGO ")},
                           {QStringLiteral(" ORDER BY PAEMPRAZAO "), QStringLiteral(" ORDER BY PAEMPCNPJ "),
                            QStringLiteral(" ORDER BY PACODIGO ")},
                           {}};
        // The server takes no select-list name in a where clause: the conditions name the
        // branch's own columns, the orders may keep the names the statement gives them.
        l << FontePesquisa{QStringLiteral("Empresa"),
                           QStringLiteral("select fl.codigo as CODIGO, fl.nome as EMPRESA, fl.ciccgc as CNPJ "
                                          "from ea fl "
                                          "where 1 = 1 "),
                           empresa,
                           ordensEmpresa,
                           {QStringLiteral(" and fl.nome "), QStringLiteral(" and fl.ciccgc "),
                            QStringLiteral(" and fl.codigo ")},
                           {QStringLiteral(" ORDER BY EMPRESA "), QStringLiteral(" ORDER BY CNPJ "),
                            QStringLiteral(" ORDER BY CODIGO ")},
                           {}};
        l << FontePesquisa{
            QStringLiteral("Municípios"),
            QStringLiteral("select mn.rcimid, mn.rcimnome, uf.rcienome      "
                           "from augc16rcim mn                              "
                           "left outer join augc16rcie uf                   "
                           "on(uf.rcieid = mn.rcimiduf)                     "
                           "where 1 = 1 "),
            {QStringLiteral("Município: "), QStringLiteral("Estado: "), QStringLiteral("Código: ")},
            {QStringLiteral("Município"), QStringLiteral("Estado"), QStringLiteral("Código")},
            {QStringLiteral(" and RCIMNOME "), QStringLiteral(" and RCIENOME "),
             QStringLiteral(" and RCIMID ")},
            {QStringLiteral(" ORDER BY RCIMNOME "), QStringLiteral(" ORDER BY RCIENOME "),
             QStringLiteral(" ORDER BY RCIMID ")},
            {}};
        l << FontePesquisa{
            QStringLiteral("Plano Contas Referencial"),
            QString(),
            {QStringLiteral("Código Ref.: "), QStringLiteral("Descrição: "), QStringLiteral("Tipo: ")},
            {QStringLiteral("Código Ref."), QStringLiteral("Descrição"), QStringLiteral("Tipo")},
            {QStringLiteral(" and COD_CTA_REF "), QStringLiteral(" and upper(DESCRICAO) "),
             QStringLiteral(" and TIPO ")},
            {},
            {QStringLiteral("COD_CTA_REF"), QStringLiteral("DESCRICAO"), QStringLiteral("TIPO")}};
        return l;
    }();
    return lista;
}

} // namespace

const FontePesquisa* FonteDaPesquisa(const QString& tipo) {
    const QString t = common::Trim(tipo);
    for (const FontePesquisa& f : fontes())
        if (f.tipo == t)
            return &f;
    return nullptr;
}

QString LiteralCodigo(const QString& valor) {
    // Eighteen digits still fit the server's largest integer.
    static const QRegularExpression inteiro(QStringLiteral("^-?[0-9]{1,18}$"));
    return inteiro.match(valor).hasMatch() ? valor : common::Q(valor);
}

QStringList MontaPesquisa(const FontePesquisa& fonte, ModoBusca modo, const QStringList& valores, int ordem) {
    QStringList linhas{fonte.sql};
    for (int i = 0; i < 3 && i < valores.size(); ++i) {
        const QString v = common::Trim(valores[i]);
        if (v.isEmpty())
            continue;
        const bool codigo = i == 2;
        QString forma;
        switch (modo) {
        case ModoBusca::ComecandoCom:
            forma = QStringLiteral("LIKE ") + common::Q(v + QLatin1Char('%'));
            break;
        case ModoBusca::Contendo:
            forma = QStringLiteral(" containing ") + (codigo ? LiteralCodigo(v) : common::Q(v));
            break;
        case ModoBusca::TerminandoCom:
            forma = QStringLiteral("LIKE ") + common::Q(QLatin1Char('%') + v);
            break;
        case ModoBusca::PorPalavra:
            forma = QStringLiteral(" = ") + (codigo ? LiteralCodigo(v) : common::Q(v));
            break;
        }
        linhas << fonte.condicoes.value(i) + forma;
    }
    linhas << fonte.ordensSql.value(ordem, fonte.ordensSql.value(0));
    return linhas;
}

QString MontaFiltroPlanoRef(ModoBusca modo, const QStringList& valores) {
    const FontePesquisa& fonte = *FonteDaPesquisa(QStringLiteral("Plano Contas Referencial"));
    QString filtro = QStringLiteral("1 = 1");
    for (int i = 0; i < 3 && i < valores.size(); ++i) {
        QString v = common::Trim(valores[i]);
        if (v.isEmpty())
            continue;
        // Only the description ignores case; code and type match as typed.
        if (i == 1)
            v = v.toUpper();
        QString operador = QStringLiteral("LIKE ");
        switch (modo) {
        case ModoBusca::ComecandoCom:
            v += QLatin1Char('%');
            break;
        case ModoBusca::Contendo:
            v = QLatin1Char('%') + v + QLatin1Char('%');
            break;
        case ModoBusca::TerminandoCom:
            v = QLatin1Char('%') + v;
            break;
        case ModoBusca::PorPalavra:
            operador = QStringLiteral("=");
            break;
        }
        filtro += fonte.condicoes[i] + operador + common::Q(v);
    }
    return filtro;
}

} // namespace data
