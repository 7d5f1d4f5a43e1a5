#include "validacao/Regras.h"

#include <QSet>

namespace validacao {

namespace {

const QString plano = QStringLiteral("Plano de contas");
const QString referencial = QStringLiteral("Referencial");
const QString I050 = QStringLiteral("I050");
const QString I051 = QStringLiteral("I051");

QString noErp() {
    return QStringLiteral("Corrija em: ") + OndeCorrigir(I050, QStringLiteral("COD_CTA"));
}

QString naColuna(const QString& registro, const QString& campo) {
    return QStringLiteral("Corrija em: ") + OndeCorrigir(registro, campo);
}

bool naturezaDoLeiaute(const QString& natureza) {
    static const QStringList naturezas = {QStringLiteral("01"), QStringLiteral("02"), QStringLiteral("03"),
                                          QStringLiteral("04"), QStringLiteral("05"), QStringLiteral("09")};
    return naturezas.contains(natureza);
}

// The first level of the referential chart that matches a nature: assets, liabilities and
// equity, results.
QChar grupoDaNatureza(const QString& natureza) {
    if (natureza == QLatin1String("01"))
        return QLatin1Char('1');
    if (natureza == QLatin1String("02") || natureza == QLatin1String("03"))
        return QLatin1Char('2');
    if (natureza == QLatin1String("04"))
        return QLatin1Char('3');
    return {};
}

} // namespace

PlanoDoArquivo::PlanoDoArquivo(const Contexto& c) {
    const int codigo = c.posicao(I050, QLatin1StringView("COD_CTA"));
    const int superior = c.posicao(I050, QLatin1StringView("COD_CTA_SUP"));
    const int natureza = c.posicao(I050, QLatin1StringView("COD_NAT"));
    const int tipo = c.posicao(I050, QLatin1StringView("IND_CTA"));
    const int nivel = c.posicao(I050, QLatin1StringView("NIVEL"));
    const QList<const LinhaFCONT*>& linhas = c.linhas(I050);
    contas.reserve(linhas.size());
    for (const LinhaFCONT* linha : linhas) {
        ContaDoPlano conta;
        conta.linha = linha;
        conta.codigo = linha->campos[codigo];
        conta.superior = linha->campos[superior];
        conta.natureza = linha->campos[natureza];
        conta.tipo = linha->campos[tipo];
        bool ok = false;
        const int n = linha->campos[nivel].toInt(&ok);
        conta.nivel = ok && n >= 1 ? n : -1;
        m_porCodigo.insert(conta.codigo, contas.size()); // replaced below for a repeated code
        contas.append(conta);
    }
    for (qsizetype i = contas.size() - 1; i >= 0; --i)
        m_porCodigo[contas[i].codigo] = i;

    // An I051 belongs to the I050 it follows.
    const ContaDoPlano* atual = nullptr;
    qsizetype proxima = 0;
    for (const LinhaFCONT& linha : c.arquivo.linhas) {
        if (proxima < contas.size() && contas[proxima].linha == &linha)
            atual = &contas[proxima++];
        else if (c.bemFormada(linha) && linha.registro() == I051)
            referencias.append(qMakePair(&linha, atual));
        else if (linha.registro() != I051)
            atual = nullptr;
    }
}

const ContaDoPlano* PlanoDoArquivo::conta(const QString& codigo) const {
    const auto i = m_porCodigo.constFind(codigo);
    return i == m_porCodigo.constEnd() ? nullptr : &contas[i.value()];
}

void VerificaContasUnicas(const Contexto& c, Achados& achados) {
    const PlanoDoArquivo& p = c.plano();
    for (const ContaDoPlano& conta : p.contas) {
        const ContaDoPlano* primeira = p.conta(conta.codigo);
        if (primeira != &conta)
            Acha(achados, plano, Gravidade::Erro, conta.linha, I050, QStringLiteral("COD_CTA"), conta.codigo,
                 QStringLiteral("A conta %1 já está na linha %2. Página Registro I050: a conta está em duas "
                                "linhas da grade; exclua uma delas.")
                     .arg(conta.codigo)
                     .arg(primeira->linha->numero));
    }
}

void VerificaNiveis(const Contexto& c, Achados& achados) {
    for (const ContaDoPlano& conta : c.plano().contas) {
        if (conta.tipo != QLatin1String("A") && conta.tipo != QLatin1String("S"))
            Acha(achados, plano, Gravidade::Erro, conta.linha, I050, QStringLiteral("IND_CTA"), conta.codigo,
                 QStringLiteral("Tipo de conta \"%1\": deve ser \"A\" (analítica) ou \"S\" (sintética). ")
                         .arg(conta.tipo) +
                     noErp());
        if (conta.nivel < 0)
            Acha(achados, plano, Gravidade::Erro, conta.linha, I050, QStringLiteral("NIVEL"), conta.codigo,
                 QStringLiteral("Nível \"%1\" inválido: deve ser um número a partir de 1. ")
                         .arg(c.valor(*conta.linha, QLatin1StringView("NIVEL"))) +
                     noErp());
        else if (conta.nivel == 1 && !conta.superior.isEmpty())
            Acha(achados, plano, Gravidade::Erro, conta.linha, I050, QStringLiteral("COD_CTA_SUP"),
                 conta.codigo,
                 QStringLiteral("Conta de nível 1 com conta superior %1: o nível 1 não tem superior. ")
                         .arg(conta.superior) +
                     naColuna(I050, QStringLiteral("COD_CTA_SUP")));
        else if (conta.nivel > 1 && conta.superior.isEmpty())
            Acha(achados, plano, Gravidade::Erro, conta.linha, I050, QStringLiteral("COD_CTA_SUP"),
                 conta.codigo,
                 QStringLiteral("Conta de nível %1 sem conta superior: só o nível 1 não tem superior. ")
                         .arg(conta.nivel) +
                     naColuna(I050, QStringLiteral("COD_CTA_SUP")));
    }
}

void VerificaSuperiores(const Contexto& c, Achados& achados) {
    const PlanoDoArquivo& p = c.plano();
    for (const ContaDoPlano& conta : p.contas) {
        if (conta.superior.isEmpty() || conta.nivel <= 1)
            continue;
        const ContaDoPlano* superior = p.conta(conta.superior);
        QString problema;
        if (!superior)
            problema = QStringLiteral("A conta superior %1 não está no arquivo.").arg(conta.superior);
        else if (superior->linha->numero > conta.linha->numero)
            problema = QStringLiteral("A conta superior %1 vem depois (linha %2); ela deve vir antes.")
                           .arg(conta.superior)
                           .arg(superior->linha->numero);
        else if (superior->tipo != QLatin1String("S"))
            problema =
                QStringLiteral("A conta superior %1 é analítica; a superior deve ser sintética (\"S\").")
                    .arg(conta.superior);
        else if (superior->nivel >= conta.nivel)
            problema = QStringLiteral("A conta superior %1 é de nível %2, não menor que o %3 desta conta.")
                           .arg(conta.superior)
                           .arg(superior->nivel)
                           .arg(conta.nivel);
        if (!problema.isEmpty())
            Acha(achados, plano, Gravidade::Erro, conta.linha, I050, QStringLiteral("COD_CTA_SUP"),
                 conta.codigo, problema + QLatin1Char(' ') + naColuna(I050, QStringLiteral("COD_CTA_SUP")));
    }
}

void VerificaNaturezas(const Contexto& c, Achados& achados) {
    const PlanoDoArquivo& p = c.plano();
    for (const ContaDoPlano& conta : p.contas) {
        if (!naturezaDoLeiaute(conta.natureza)) {
            Acha(achados, plano, Gravidade::Erro, conta.linha, I050, QStringLiteral("COD_NAT"), conta.codigo,
                 QStringLiteral("Natureza \"%1\" não é do leiaute (01 ativo, 02 passivo, 03 patrimônio "
                                "líquido, 04 resultado, 05 compensação, 09 outras). ")
                         .arg(conta.natureza) +
                     noErp());
            continue;
        }
        // Below level 2 an account keeps its group's nature; the second level may split a group
        // (equity under liabilities).
        const ContaDoPlano* superior = conta.superior.isEmpty() ? nullptr : p.conta(conta.superior);
        if (conta.nivel > 2 && superior && naturezaDoLeiaute(superior->natureza) &&
            superior->natureza != conta.natureza)
            Acha(achados, plano, Gravidade::Aviso, conta.linha, I050, QStringLiteral("COD_NAT"), conta.codigo,
                 QStringLiteral("Natureza %1 diferente da %2 da conta superior %3. ")
                         .arg(conta.natureza, superior->natureza, superior->codigo) +
                     noErp());
    }
}

void VerificaSinteticasVazias(const Contexto& c, Achados& achados) {
    const PlanoDoArquivo& p = c.plano();
    QSet<QString> comFilhas;
    for (const ContaDoPlano& conta : p.contas)
        if (!conta.superior.isEmpty())
            comFilhas.insert(conta.superior);
    for (const ContaDoPlano& conta : p.contas)
        if (conta.tipo == QLatin1String("S") && !comFilhas.contains(conta.codigo))
            Acha(achados, plano, Gravidade::Aviso, conta.linha, I050, QStringLiteral("IND_CTA"), conta.codigo,
                 QStringLiteral(
                     "Conta sintética sem nenhuma conta abaixo dela. Página Registro I050: associe as "
                     "contas que ela agrupa, ou marque-a como analítica no plano de contas do ERP."));
}

void VerificaDataAlteracao(const Contexto& c, Achados& achados) {
    if (!c.fim)
        return;
    for (const ContaDoPlano& conta : c.plano().contas) {
        const QDate alteracao = DataDoArquivo(c.valor(*conta.linha, QLatin1StringView("DT_ALT")));
        if (alteracao.isValid() && alteracao > *c.fim)
            Acha(achados, plano, Gravidade::Erro, conta.linha, I050, QStringLiteral("DT_ALT"), conta.codigo,
                 QStringLiteral("Data de alteração %1 depois do fim do período (%2). ")
                         .arg(alteracao.toString(QStringLiteral("dd/MM/yyyy")),
                              c.fim->toString(QStringLiteral("dd/MM/yyyy"))) +
                     naColuna(I050, QStringLiteral("DT_ALT")));
    }
}

void VerificaI051SobAnalitica(const Contexto& c, Achados& achados) {
    for (const auto& [linha, conta] : c.plano().referencias) {
        if (!conta)
            Acha(achados, referencial, Gravidade::Erro, linha, I051, QStringLiteral("COD_CTA_REF"), {},
                 QStringLiteral("Conta referencial sem a conta (I050) a que pertence. ") + RefazerArquivo());
        else if (!conta->analitica())
            Acha(achados, referencial, Gravidade::Erro, linha, I051, QStringLiteral("COD_CTA_REF"),
                 conta->codigo,
                 QStringLiteral("Conta referencial na conta sintética %1: só as analíticas levam referência. "
                                "Página Registro I050, coluna \"Código Conta Ref.\": apague-a nessa conta.")
                     .arg(conta->codigo));
    }
}

void VerificaEntidadeReferencial(const Contexto& c, Achados& achados) {
    for (const auto& [linha, conta] : c.plano().referencias) {
        const QString entidade = c.valor(*linha, QLatin1StringView("COD_ENT_REF"));
        if (entidade != QLatin1String("10") && entidade != QLatin1String("20"))
            Acha(achados, referencial, Gravidade::Erro, linha, I051, QStringLiteral("COD_ENT_REF"),
                 conta ? conta->codigo : QString(),
                 QStringLiteral("Entidade referencial \"%1\": deve ser 10 (Receita Federal) ou 20 (Banco "
                                "Central). ")
                         .arg(entidade) +
                     naColuna(I051, QStringLiteral("COD_ENT_REF")));
    }
}

void VerificaContaReferencial(const Contexto& c, Achados& achados) {
    for (const auto& [linha, conta] : c.plano().referencias) {
        const QString referencia = c.valor(*linha, QLatin1StringView("COD_CTA_REF"));
        const QString codigo = conta ? conta->codigo : QString();
        QString problema;
        if (referencia.isEmpty()) {
            problema = QStringLiteral("Conta referencial vazia.");
        } else if (c.tabelas.temPlano) {
            const auto r = c.tabelas.plano.constFind(referencia);
            if (r == c.tabelas.plano.constEnd())
                problema = QStringLiteral("A conta referencial %1 não está no plano referencial "
                                          "(Tabelas Externas/contasref-SRF.txt).")
                               .arg(referencia);
            else if (r->sintetica)
                problema =
                    QStringLiteral("A conta referencial %1 é sintética no plano referencial; escolha uma "
                                   "analítica abaixo dela.")
                        .arg(referencia);
            else if (c.fim && r->inicio.isValid() && r->inicio > *c.fim)
                problema = QStringLiteral("A conta referencial %1 só vale a partir de %2, depois do período.")
                               .arg(referencia, r->inicio.toString(QStringLiteral("dd/MM/yyyy")));
            else if (c.inicio && r->fim.isValid() && r->fim < *c.inicio)
                problema = QStringLiteral("A conta referencial %1 deixou de valer em %2, antes do período.")
                               .arg(referencia, r->fim.toString(QStringLiteral("dd/MM/yyyy")));
        }
        if (!problema.isEmpty())
            Acha(achados, referencial, Gravidade::Erro, linha, I051, QStringLiteral("COD_CTA_REF"), codigo,
                 problema + QLatin1Char(' ') + naColuna(I051, QStringLiteral("COD_CTA_REF")));
    }
}

void VerificaGrupoReferencial(const Contexto& c, Achados& achados) {
    for (const auto& [linha, conta] : c.plano().referencias) {
        if (!conta)
            continue;
        const QChar grupo = grupoDaNatureza(conta->natureza);
        const QString referencia = c.valor(*linha, QLatin1StringView("COD_CTA_REF"));
        if (grupo.isNull() || referencia.isEmpty() || referencia.front() == grupo)
            continue;
        Acha(achados, referencial, Gravidade::Aviso, linha, I051, QStringLiteral("COD_CTA_REF"),
             conta->codigo,
             QStringLiteral("A conta referencial %1 é do grupo %2, mas a conta é de natureza %3 (grupo %4). ")
                     .arg(referencia, referencia.front(), conta->natureza, grupo) +
                 naColuna(I051, QStringLiteral("COD_CTA_REF")));
    }
}

void VerificaContasSemReferencia(const Contexto& c, Achados& achados) {
    const PlanoDoArquivo& p = c.plano();
    QSet<const ContaDoPlano*> referenciadas;
    for (const auto& par : p.referencias)
        if (par.second)
            referenciadas.insert(par.second);
    QSet<QString> comSaldo;
    for (const QString& registro : {QStringLiteral("I155"), QStringLiteral("I355")})
        for (const LinhaFCONT* linha : c.linhas(registro))
            comSaldo.insert(c.valor(*linha, QLatin1StringView("COD_CTA")));
    for (const ContaDoPlano& conta : p.contas) {
        if (!conta.analitica() || grupoDaNatureza(conta.natureza).isNull() ||
            referenciadas.contains(&conta) || !comSaldo.contains(conta.codigo) ||
            p.conta(conta.codigo) != &conta)
            continue;
        Acha(
            achados, referencial, Gravidade::Aviso, conta.linha, I050, QStringLiteral("COD_CTA"),
            conta.codigo,
            QStringLiteral("Esta é uma conta sem referência: analítica, com saldo no arquivo e nenhuma conta "
                           "referencial (I051). Página Registro I050, coluna \"Código Conta Ref.\"; o filtro "
                           "\"Contas não Referenciadas\" mostra as que faltam."));
    }
}

} // namespace validacao
