#include "data/PesquisaGeral.h"

#include "common/Consultas.h"
#include "common/MontaFiltro.h"
#include "common/Texto.h"
#include "data/dmFCONT.h"

namespace data {

namespace {

bool vazio(const QString& v) {
    return v.isEmpty() || v == QLatin1String("  /  /  ") || v == QLatin1String("  :  ");
}

QString semAlias(const QString& expressao) {
    const int i = expressao.indexOf(QLatin1String(" as "), 0, Qt::CaseInsensitive);
    return i < 0 ? expressao : expressao.left(i);
}

QString curingas(Onde onde, const QString& v) {
    const QString antes = onde == Onde::ComecandoCom ? QString() : QStringLiteral("%");
    const QString depois = onde == Onde::TerminandoCom ? QString() : QStringLiteral("%");
    return antes + v + depois;
}

QString inicial(Onde onde) {
    return onde == Onde::ComecandoCom ? QString() : QStringLiteral("%");
}

int codigoDoTipo(QChar tipo) {
    switch (tipo.toUpper().unicode()) {
    case 'I':
        return 3;
    case 'D':
        return 9;
    case 'H':
        return 10;
    case 'N':
        return 6;
    default:
        return 1;
    }
}

QString condicaoDoCampo(const CampoPesquisa& campo, const QString& v, Onde onde) {
    const QString e = semAlias(campo.expressao);
    const QChar tipo = campo.tipo.toUpper();
    if (tipo != QLatin1Char('S'))
        return common::MontaFiltro(e, v, QString(), QStringLiteral("I"), codigoDoTipo(tipo));
    const QString maiusculo = v.toUpper();
    if (onde == Onde::Contendo)
        return common::MontaFiltro(QLatin1Char('(') + e + QLatin1Char(')'), maiusculo, QString(),
                                   QStringLiteral("C"), 1);
    QString padrao;
    if (v.length() == campo.tamanho)
        padrao = maiusculo;
    else if (campo.tamanho == v.length() + 1)
        padrao = inicial(onde) + maiusculo;
    else
        padrao = curingas(onde, maiusculo);
    return common::MontaFiltro(QStringLiteral("upper(") + e + QLatin1Char(')'), padrao, QString(),
                               QStringLiteral("I"), 1);
}

QString condicaoAlternativa(const QString& tabela, const CampoAlternativo& alt, Onde onde) {
    const QString campo = QStringLiteral("Upper(") + tabela + QLatin1Char('.') + alt.nome + QLatin1Char(')');
    const QString v = alt.valor.toUpper();
    const bool texto = alt.tipo == platform::FieldType::String || alt.tipo == platform::FieldType::FixedChar;
    QString padrao = v;
    if (alt.tamanho != v.length() && texto)
        padrao = alt.tamanho == v.length() + 1 ? inicial(onde) + v : curingas(onde, v);
    return common::MontaFiltro(campo, padrao, QString(), QStringLiteral("I"), CodigoTipoCampo(alt.tipo));
}

} // namespace

std::optional<ConfiguracaoPesquisa> ConfiguracaoDoTipo(int tipo) {
    if (tipo != 0)
        return std::nullopt;
    ConfiguracaoPesquisa c;
    c.tipo = 0;
    c.titulo = QStringLiteral("Consulta Contas Contábeis");
    c.tabela = QStringLiteral("ACBC15PC");
    c.campos = {{QStringLiteral("ACBC15PC.PCCODIGO"), QStringLiteral("Cod. Conta"), QLatin1Char('I'), 0},
                {QStringLiteral("ACBC15PC.PCORDENACAO"), QStringLiteral("Ordenação"), QLatin1Char('S'), 20},
                {QStringLiteral("ACBC15PC.PCNIVEL"), QStringLiteral("Nível"), QLatin1Char('S'), 1},
                {QStringLiteral("ACBC15PC.PACODIGO"), QStringLiteral("Empresa"), QLatin1Char('I'), 0},
                {QStringLiteral("ACBC15PC.PCDESCRICAO"), QStringLiteral("Conta"), QLatin1Char('S'), 60}};
    c.grade = {
        {.campo = QStringLiteral("PCCODIGO"), .titulo = QStringLiteral("Cod. Conta"), .largura = 80},
        {.campo = QStringLiteral("PCORDENACAO"), .titulo = QStringLiteral("Ordenação"), .largura = 120},
        {.campo = QStringLiteral("PCNIVEL"), .titulo = QStringLiteral("Nível"), .largura = 50},
        {.campo = QStringLiteral("PCDESCRICAO"), .titulo = QStringLiteral("Descrição"), .largura = 360}};
    c.filtrosFixos = {QString()};
    return c;
}

void MostraEmpresaSeVarias(ConfiguracaoPesquisa& config) {
    if (common::BuscaValorInteiro(QStringLiteral("count(distinct PACODIGO)"), config.tabela, QString(),
                                  dmFCONT->quAux1) > 1)
        config.grade.insert(
            config.grade.begin(),
            {.campo = QStringLiteral("PACODIGO"), .titulo = QStringLiteral("Empresa"), .largura = 55});
}

bool CampoListado(const QString& nome, const QStringList& expressoes) {
    const QString procurado = common::Trim(nome).toUpper();
    for (const QString& expressao : expressoes) {
        QString e = expressao;
        const int i = e.indexOf(QLatin1String(" as "), 0, Qt::CaseInsensitive);
        if (i >= 0)
            e = e.mid(i + 4);
        if (common::Trim(e).toUpper() == procurado)
            return true;
    }
    return false;
}

int CodigoTipoCampo(platform::FieldType tipo) {
    using platform::FieldType;
    switch (tipo) {
    case FieldType::String:
    case FieldType::FixedChar:
        return 1;
    case FieldType::SmallInt:
        return 2;
    case FieldType::Integer:
        return 3;
    case FieldType::LargeInt:
        return 25;
    case FieldType::Float:
        return 6;
    case FieldType::Date:
        return 9;
    case FieldType::DateTime:
        return 11;
    case FieldType::Time:
        return 10;
    case FieldType::Boolean:
        return 5;
    }
    return 0;
}

ComandosPesquisa MontaPesquisaGeral(const ConfiguracaoPesquisa& config, const QStringList& valores, Onde onde,
                                    int ordem, const std::optional<CampoAlternativo>& alternativo) {
    QStringList expressoes;
    for (const CampoPesquisa& c : config.campos)
        expressoes << c.expressao;

    // Conditions first: a value that cannot be read stops before anything runs.
    QStringList condicoes;
    if (alternativo && !alternativo->nome.isEmpty() && !vazio(alternativo->valor))
        condicoes << condicaoAlternativa(config.tabela, *alternativo, onde);
    for (int i = 0; i < config.campos.size(); ++i) {
        const QString v = valores.value(i);
        if (!vazio(v))
            condicoes << condicaoDoCampo(config.campos[i], v, onde);
    }
    condicoes.removeAll(QString());

    const QString de = QStringLiteral("From ") + config.tabela;
    const QString onde1 = QStringLiteral("Where not( ") + expressoes.value(0) + QStringLiteral(" is null)  ");

    ComandosPesquisa r;
    r.consulta << QStringLiteral("Select ");
    for (int i = 0; i < expressoes.size(); ++i)
        r.consulta << expressoes[i] +
                          (i + 1 < expressoes.size() ? QStringLiteral(", ") : QStringLiteral(" "));
    // A qualified expression does not name the bare field, so grid fields come again here.
    for (const platform::ColunaGrade& g : config.grade)
        if (!CampoListado(g.campo, expressoes) && !common::Trim(g.campo).isEmpty() &&
            !g.campo.startsWith(QLatin1String("V_"), Qt::CaseInsensitive))
            r.consulta << QStringLiteral(", ") + g.campo;
    r.consulta << de << config.filtrosFixos << onde1 << condicoes;
    r.consulta << QStringLiteral("Order by ") + semAlias(expressoes.value(ordem, expressoes.value(0)));

    r.contagem << QStringLiteral("Select count(*) as Tot ") << de << config.filtrosFixos << onde1
               << condicoes;
    return r;
}

QString FormataMascara(const QString& mascara, const QString& valor) {
    const QString figura = mascara.section(QLatin1Char(';'), 0, 0);
    const QString resto = mascara.section(QLatin1Char(';'), 2, 2);
    const QChar branco = resto.isEmpty() ? QLatin1Char('_') : resto.at(0);
    static const QString marcas = QStringLiteral("90#LlAaCc");
    QString r;
    int j = 0;
    for (int i = 0; i < figura.size(); ++i) {
        const QChar m = figura.at(i);
        if (m == QLatin1Char('\\') && i + 1 < figura.size()) {
            r += figura.at(++i);
        } else if (m == QLatin1Char('!') || m == QLatin1Char('>') || m == QLatin1Char('<')) {
            continue;
        } else if (marcas.contains(m)) {
            r += j < valor.size() ? valor.at(j++) : branco;
        } else {
            r += m;
        }
    }
    return r;
}

} // namespace data
