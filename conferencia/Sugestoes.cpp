#include "conferencia/Sugestoes.h"

#include "common/Texto.h"
#include "conferencia/Palavras.h"
#include "data/dmFCONT.h"
#include "db/Statement.h"

#include <QHash>
#include <QMap>
#include <algorithm>
#include <cmath>
#include <optional>

namespace conferencia {

namespace {

// A set of the same company keeps its accounts' keys from year to year, so last year's mapping
// is nearly always this year's; an older set or one of another kind a little less often.
constexpr double confiancaAnoAnterior = 0.95;
constexpr double confiancaOutroConjunto = 0.85;
// Siblings share a synthetic account, not always a referential one: the share of siblings that
// agree scales this.
constexpr double confiancaIrmas = 0.8;
// A name match is the weakest reason; the word score scales this.
constexpr double confiancaDescricao = 0.7;
// Below this word score a name match is noise.
constexpr double semelhancaMinima = 0.3;

QString texto(const db::Cursor& c, int i) {
    return common::Trim(c.asText(i).value_or(QString()));
}

// The referential account, when it may be proposed for an account of this nature.
const ContaReferencial* aceitavel(const PlanoReferencial& plano, const Conjunto& cj, const QString& codigo,
                                  const QString& natureza) {
    const ContaReferencial* r = plano.conta(codigo);
    if (!r || r->sintetica || !r->valeNoPeriodo(cj.inicio, cj.fim))
        return nullptr;
    const QChar grupo = GrupoDaNatureza(natureza);
    return grupo.isNull() || r->grupo() == grupo ? r : nullptr;
}

void propoe(QHash<int, Sugestao>& melhores, const ContaSemReferencia& conta, const ContaReferencial& r,
            TipoSugestao tipo, const QString& motivo, double confianca) {
    const auto i = melhores.constFind(conta.spascodigo);
    if (i != melhores.constEnd() && i->confianca >= confianca)
        return;
    melhores.insert(conta.spascodigo, Sugestao{conta, r.codigo, r.descricao, tipo, motivo, confianca});
}

// (a) The same account in the company's other sets of this system (a set of another kind maps
// for another purpose), last year's set first.
void porOutrosConjuntos(db::Transaction& transacao, const Conjunto& cj, const PlanoReferencial& plano,
                        const QHash<int, const ContaSemReferencia*>& porConta,
                        QHash<int, Sugestao>& melhores) {
    db::Statement s(
        transacao,
        QStringLiteral("select ass.PCCODIGO, trim(ass.COD_CTA_REF), sp.SPCODIGO, sp.SPNOME, "
                       "sp.R0000DT_FIN from AUGC80SPAS ass join AUGC80SP sp on sp.SPCODIGO = "
                       "ass.SPCODIGO where sp.SPID = 'T' and sp.EMPRESA = %1 and ass.PACODIGO = %1 and "
                       "sp.SPCODIGO <> %2 and coalesce(trim(ass.COD_CTA_REF), '') <> ''")
            .arg(cj.empresa)
            .arg(cj.spcodigo));
    struct Candidata {
        int ordem = 0; // lower first: last year's set, then the latest end of period
        const ContaReferencial* referencia = nullptr;
        QString motivo;
        double confianca = 0;
    };
    QHash<int, Candidata> escolhidas;
    auto c = s.openCursor();
    while (c->fetch()) {
        const int pccodigo = static_cast<int>(c->asInteger(0).value_or(0));
        const auto conta = porConta.constFind(pccodigo);
        if (conta == porConta.constEnd())
            continue;
        const ContaReferencial* r = aceitavel(plano, cj, texto(*c, 1), (*conta)->natureza);
        if (!r)
            continue;
        const QDate fim = c->asDateTime(4).value_or(QDateTime()).date();
        const bool anoAnterior = fim.isValid() && fim.year() == cj.ano - 1;
        const int ordem = anoAnterior ? -1000000 : (fim.isValid() ? -fim.year() * 400 - fim.dayOfYear() : 0);
        const auto antes = escolhidas.constFind(pccodigo);
        if (antes != escolhidas.constEnd() && antes->ordem <= ordem)
            continue;
        const QString conjunto = QStringLiteral("%1 (%2)").arg(c->asInteger(2).value_or(0)).arg(texto(*c, 3));
        escolhidas.insert(
            pccodigo,
            Candidata{ordem, r,
                      (anoAnterior ? QStringLiteral("A mesma conta na configuração do ano anterior ")
                                   : QStringLiteral("A mesma conta na configuração ")) +
                          conjunto,
                      anoAnterior ? confiancaAnoAnterior : confiancaOutroConjunto});
    }
    for (auto i = escolhidas.cbegin(); i != escolhidas.cend(); ++i)
        propoe(melhores, *porConta.value(i.key()), *i->referencia, TipoSugestao::OutroConjunto, i->motivo,
               i->confianca);
}

// (b) The referential account most of the analytic accounts under the same synthetic account
// have. The superior is the nearest synthetic account before it in the chart's order, as the
// file's I050 takes it.
void porIrmas(db::Transaction& transacao, const Conjunto& cj, const PlanoReferencial& plano,
              const QHash<int, const ContaSemReferencia*>& porConta, QHash<int, Sugestao>& melhores) {
    // The set's rows and the chart are read apart: the association table has no index on the
    // account, so joining the chart to it would scan the whole table once per account.
    QHash<int, QString> referenciaDa;
    {
        db::Statement s(
            transacao,
            QStringLiteral("select ass.PCCODIGO, trim(ass.COD_CTA_REF) from AUGC80SPAS ass where "
                           "ass.SPCODIGO = %1 and ass.PACODIGO = %2 and coalesce(trim(ass.COD_CTA_REF), "
                           "'') <> ''")
                .arg(cj.spcodigo)
                .arg(cj.empresa));
        auto c = s.openCursor();
        while (c->fetch())
            referenciaDa.insert(static_cast<int>(c->asInteger(0).value_or(0)), texto(*c, 1));
    }
    db::Statement s(
        transacao,
        QStringLiteral("select pc.PCCODIGO, pc.PCTIPO, pc.PCORDENACAO, pc.PCDESCRICAO from ACBC15PC pc "
                       "where pc.PACODIGO = %1 and pc.PCORDENACAO is not null "
                       "order by pc.PCORDENACAO, pc.PCNIVEL")
            .arg(cj.empresa));
    struct Familia {
        QString superior, nome;
        QList<int> filhas;              // analytic accounts, by key
        QMap<QString, int> referencias; // referential account -> siblings that have it
    };
    QList<Familia> familias;
    QHash<int, int> familiaDa; // account key -> index in familias
    auto c = s.openCursor();
    while (c->fetch()) {
        const int pccodigo = static_cast<int>(c->asInteger(0).value_or(0));
        if (texto(*c, 1) == QLatin1String("S")) {
            familias << Familia{texto(*c, 2), texto(*c, 3), {}, {}};
            continue;
        }
        if (familias.isEmpty() || familiaDa.contains(pccodigo))
            continue;
        Familia& f = familias.last();
        familiaDa.insert(pccodigo, static_cast<int>(familias.size()) - 1);
        f.filhas << pccodigo;
        const QString referencia = referenciaDa.value(pccodigo);
        if (!referencia.isEmpty())
            ++f.referencias[referencia];
    }
    for (const ContaSemReferencia* conta : porConta) {
        const auto i = familiaDa.constFind(conta->pccodigo);
        if (i == familiaDa.constEnd())
            continue;
        const Familia& f = familias[*i];
        const int irmas = static_cast<int>(f.filhas.size()) - 1;
        int referenciadas = 0, votos = 0;
        QString escolhida;
        for (auto r = f.referencias.cbegin(); r != f.referencias.cend(); ++r) {
            referenciadas += r.value();
            if (r.value() > votos) {
                votos = r.value();
                escolhida = r.key();
            }
        }
        // "Most of them": at least two siblings, and more than half of those that have one, agree;
        // one sibling alone is a neighbour (Caixa beside Bancos), not a pattern.
        if (irmas <= 0 || votos < 2 || votos * 2 <= referenciadas)
            continue;
        const ContaReferencial* r = aceitavel(plano, cj, escolhida, conta->natureza);
        if (!r)
            continue;
        propoe(melhores, *conta, *r, TipoSugestao::Irmas,
               QStringLiteral("%1 de %2 contas irmãs sob %3 - %4 usam esta conta referencial")
                   .arg(votos)
                   .arg(irmas)
                   .arg(f.superior, f.nome),
               confiancaIrmas * votos / irmas);
    }
}

// (c) The analytic referential account of the account's group whose description shares most
// words with the account's name (Semelhanca). An index from word to referential accounts keeps
// the work at the words the names share instead of every pair of accounts.
void porDescricao(const Conjunto& cj, const PlanoReferencial& plano,
                  const QHash<int, const ContaSemReferencia*>& porConta, QHash<int, Sugestao>& melhores) {
    QList<QSet<QString>> palavras(plano.contas.size());
    QHash<QString, QList<int>> indice;
    for (int i = 0; i < plano.contas.size(); ++i) {
        const ContaReferencial& r = plano.contas[i];
        if (r.sintetica || !r.valeNoPeriodo(cj.inicio, cj.fim))
            continue;
        palavras[i] = Palavras(r.descricao);
        for (const QString& p : palavras[i])
            indice[p] << i;
    }
    for (const ContaSemReferencia* conta : porConta) {
        const QChar grupo = GrupoDaNatureza(conta->natureza);
        const QSet<QString> daConta = Palavras(conta->nome);
        QHash<int, int> comuns;
        for (const QString& p : daConta)
            for (const int i : indice.value(p))
                if (plano.contas[i].grupo() == grupo)
                    ++comuns[i];
        int melhor = -1;
        double nota = 0;
        for (auto i = comuns.cbegin(); i != comuns.cend(); ++i) {
            const double n = 2.0 * i.value() / static_cast<double>(daConta.size() + palavras[i.key()].size());
            // Ties go to the first account in the chart's order, so a run is repeatable.
            if (n > nota || (n == nota && i.key() < melhor)) {
                nota = n;
                melhor = i.key();
            }
        }
        if (melhor < 0 || nota < semelhancaMinima)
            continue;
        propoe(melhores, *conta, plano.contas[melhor], TipoSugestao::Descricao,
               QStringLiteral("Descrição parecida com o nome da conta (%1 das palavras em comum)")
                   .arg(TextoConfianca(nota)),
               confiancaDescricao * nota);
    }
}

} // namespace

QString TextoConfianca(double confianca) {
    return QStringLiteral("%1%").arg(std::lround(confianca * 100));
}

const std::vector<platform::ColunaGrade>& ColunasSugestoes() {
    static const std::vector<platform::ColunaGrade> colunas = {
        {.campo = QStringLiteral("ACEITAR"), .titulo = QStringLiteral("Aceitar"), .largura = 50},
        {.campo = QStringLiteral("CONTA"),
         .titulo = QStringLiteral("Conta"),
         .largura = 80,
         .somenteLeitura = true},
        {.campo = QStringLiteral("NOME"),
         .titulo = QStringLiteral("Nome da Conta"),
         .largura = 170,
         .somenteLeitura = true},
        {.campo = QStringLiteral("COD_CTA_REF"),
         .titulo = QStringLiteral("Conta Referencial"),
         .largura = 125,
         .somenteLeitura = true},
        {.campo = QStringLiteral("DESCRICAO"),
         .titulo = QStringLiteral("Descrição"),
         .largura = 190,
         .somenteLeitura = true},
        {.campo = QStringLiteral("MOTIVO"),
         .titulo = QStringLiteral("Motivo"),
         .largura = 300,
         .somenteLeitura = true},
        {.campo = QStringLiteral("CONFIANCA"),
         .titulo = QStringLiteral("Confiança"),
         .largura = 65,
         .somenteLeitura = true,
         .alinhamento = Qt::AlignRight},
    };
    return colunas;
}

QString TextoDaColuna(const Sugestao& s, const QString& campo) {
    if (campo == QLatin1String("CONTA"))
        return s.conta.conta;
    if (campo == QLatin1String("NOME"))
        return s.conta.nome;
    if (campo == QLatin1String("COD_CTA_REF"))
        return s.referencia;
    if (campo == QLatin1String("DESCRICAO"))
        return s.descricao;
    if (campo == QLatin1String("MOTIVO"))
        return s.motivo;
    if (campo == QLatin1String("CONFIANCA"))
        return TextoConfianca(s.confianca);
    return {};
}

QList<Sugestao> SugereReferencias(db::Transaction& transacao, const Conjunto& conjunto,
                                  const PlanoReferencial& plano, const QList<ContaSemReferencia>& contas) {
    if (!plano.carregado || contas.isEmpty())
        return {};
    QHash<int, const ContaSemReferencia*> porConta;
    for (const ContaSemReferencia& c : contas)
        porConta.insert(c.pccodigo, &c);
    QHash<int, Sugestao> melhores;
    porOutrosConjuntos(transacao, conjunto, plano, porConta, melhores);
    porIrmas(transacao, conjunto, plano, porConta, melhores);
    porDescricao(conjunto, plano, porConta, melhores);
    QList<Sugestao> sugestoes;
    for (const ContaSemReferencia& c : contas)
        if (const auto i = melhores.constFind(c.spascodigo); i != melhores.constEnd())
            sugestoes << *i;
    return sugestoes;
}

QList<Sugestao> SugereReferenciasDoConjuntoAberto(const QList<ContaSemReferencia>& contas) {
    return SugereReferencias(data::dmFCONT->trBanco, ConjuntoAberto(), PlanoReferencialAberto(), contas);
}

QList<Sugestao> AcimaDe(const QList<Sugestao>& sugestoes, double confianca) {
    QList<Sugestao> acima;
    // Compared as the user reads them ("80%"), so 0.8 takes a suggestion shown as 80%.
    for (const Sugestao& s : sugestoes)
        if (std::lround(s.confianca * 100) >= std::lround(confianca * 100))
            acima << s;
    return acima;
}

int AceitaSugestoes(const QList<Sugestao>& sugestoes) {
    platform::Query& q = data::dmFCONT->quRegI050I051;
    if (!q.active())
        throw std::runtime_error("As contas da configuração não estão abertas.");
    const int chave = q.fieldByName(QStringLiteral("SPASCODIGO")).index();
    const int referencia = q.fieldByName(QStringLiteral("COD_CTA_REF")).index();
    QHash<int, int> linhaDa;
    for (int i = 0; i < q.recordCount(); ++i)
        linhaDa.insert(q.valueAt(i, chave).toInt(), i);
    const int atual = q.recNo();
    int gravadas = 0;
    for (const Sugestao& s : sugestoes) {
        const auto linha = linhaDa.constFind(s.conta.spascodigo);
        if (linha == linhaDa.constEnd() || q.valueAt(*linha, chave).toInt() != s.conta.spascodigo ||
            !common::Trim(q.valueAt(*linha, referencia).toString()).isEmpty())
            continue;
        q.moveTo(*linha);
        q.edit();
        try {
            q.fieldByName(QStringLiteral("COD_CTA_REF")).setValue(s.referencia);
            q.post();
        } catch (...) {
            if (q.editing())
                q.cancel();
            throw;
        }
        ++gravadas;
    }
    if (atual >= 0 && atual < q.recordCount())
        q.moveTo(atual);
    return gravadas;
}

} // namespace conferencia
