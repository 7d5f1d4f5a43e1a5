#include "conferencia/Conferencia.h"

#include "common/Consultas.h"
#include "common/Texto.h"
#include "data/dmFCONT.h"
#include "data/uFCONT.h"
#include "db/Statement.h"
#include "platform/Regional.h"

#include <QMap>
#include <QPair>
#include <QRegularExpression>
#include <QSet>
#include <cmath>
#include <stdexcept>

namespace conferencia {

using validacao::Achado;
using validacao::Achados;
using validacao::Gravidade;

namespace {

const QString regraSemReferencia = QStringLiteral("Sem referência");
const QString regraReferencia = QStringLiteral("Referência");
const QString regraLivros = QStringLiteral("Livros");

// Amounts are compared in whole cents: the balances are doubles in dialect 1, and a sum of
// thousands of them is never exactly zero.
qint64 centavos(double valor) {
    return std::llround(valor * 100.0);
}

QString dataSql(const QDate& data) {
    return common::Q(data.toString(QStringLiteral("yyyy-MM-dd")));
}

QString mesTexto(int mes, int ano) {
    return QStringLiteral("%1/%2").arg(mes, 2, 10, QLatin1Char('0')).arg(ano);
}

QString texto(const db::Cursor& c, int i) {
    return common::Trim(c.asText(i).value_or(QString()));
}

double valor(const db::Cursor& c, int i) {
    return c.asDouble(i).value_or(0.0);
}

// `registro`: the record of the file the finding is about (I051), or for the books the ERP's table
// whose rows do not add up; the month, when there is one, opens the message.
Achado achado(Gravidade gravidade, const QString& regra, const QString& registro, const QString& conta,
              const QString& mensagem) {
    Achado a;
    a.gravidade = gravidade;
    a.registro = registro;
    a.campo = registro == QLatin1String("I051") ? QStringLiteral("COD_CTA_REF") : QString();
    a.conta = conta;
    a.mensagem = mensagem;
    a.regra = regra;
    return a;
}

const QString ondeReferenciar =
    QStringLiteral("Página Registro I050, coluna \"Código Conta Ref.\"; \"Conferir\" sugere uma.");

} // namespace

QString TextoValor(double v) {
    return platform::regional::formatFloat(QStringLiteral("#,##0.00"), v);
}

bool ContaReferencial::valeNoPeriodo(const QDate& inicioPeriodo, const QDate& fimPeriodo) const {
    if (inicio.isValid() && fimPeriodo.isValid() && inicio > fimPeriodo)
        return false;
    return !(fim.isValid() && inicioPeriodo.isValid() && fim < inicioPeriodo);
}

const ContaReferencial* PlanoReferencial::conta(const QString& codigo) const {
    const auto i = porCodigo.constFind(codigo);
    return i == porCodigo.constEnd() ? nullptr : &contas[*i];
}

QChar GrupoDaNatureza(const QString& natureza) {
    const QString n = common::Trim(natureza);
    if (n == QLatin1String("01"))
        return QLatin1Char('1');
    if (n == QLatin1String("02") || n == QLatin1String("03"))
        return QLatin1Char('2');
    if (n == QLatin1String("04"))
        return QLatin1Char('3');
    return {};
}

Conjunto ConjuntoAberto() {
    Conjunto c;
    c.spcodigo = static_cast<int>(data::CampoSPED("SPCODIGO").asInteger());
    c.empresa = static_cast<int>(data::CampoSPED("EMPRESA").asInteger());
    c.inicio = data::CampoSPED("R0000DT_INI").asDateTime().date();
    c.fim = data::CampoSPED("R0000DT_FIN").asDateTime().date();
    c.ano = c.inicio.isValid() ? c.inicio.year() : QDate::currentDate().year();
    c.entidade = common::Trim(data::CampoSPED("RI051COD_ENT_REF").asString());
    c.filtro = QStringLiteral(" = ") + QString::number(c.empresa);
    if (data::CampoSPED("R0000CONSOLIDAR").asInteger() == -1) {
        // The generation's own rule (" in (list)"), without its box: the conferência also runs
        // before "Gerar", which would show the same box a second time.
        QString lista;
        common::BuscaValor(QStringLiteral("PAEMPRESACONSOLIDADA"), QStringLiteral("AUGC01PA"),
                           QStringLiteral("where pacodigo=") + QString::number(c.empresa),
                           data::dmFCONT->quAux, lista);
        static const QRegularExpression numeros(QStringLiteral("^\\s*\\d+\\s*(,\\s*\\d+\\s*)*$"));
        if (!numeros.match(lista).hasMatch())
            throw std::runtime_error(
                QStringLiteral("Lista de empresas consolidadas inválida: \"%1\"").arg(lista).toStdString());
        c.filtro = QStringLiteral(" in (") + lista + QStringLiteral(")");
    }
    return c;
}

PlanoReferencial PlanoReferencialAberto() {
    const platform::MemTable& t = data::dmFCONT->cdsPlanoRef;
    PlanoReferencial p;
    if (!t.active())
        return p;
    const int codigo = t.fieldByName(QStringLiteral("COD_CTA_REF")).index();
    const int descricao = t.fieldByName(QStringLiteral("DESCRICAO")).index();
    const int inicio = t.fieldByName(QStringLiteral("DT_INI_VALIDADE")).index();
    const int fim = t.fieldByName(QStringLiteral("DT_FIN_VALIDADE")).index();
    const int tipo = t.fieldByName(QStringLiteral("TIPO")).index();
    auto data = [](const QVariant& v) {
        return v.toDateTime().isValid() ? v.toDateTime().date() : v.toDate();
    };
    for (int i = 0; i < t.recordCount(); ++i) {
        ContaReferencial c;
        c.codigo = common::Trim(t.valueAt(i, codigo).toString());
        if (c.codigo.isEmpty() || p.porCodigo.contains(c.codigo))
            continue;
        c.descricao = common::Trim(t.valueAt(i, descricao).toString());
        c.sintetica = common::Trim(t.valueAt(i, tipo).toString()) == QLatin1String("S");
        c.inicio = data(t.valueAt(i, inicio));
        c.fim = data(t.valueAt(i, fim));
        p.porCodigo.insert(c.codigo, static_cast<int>(p.contas.size()));
        p.contas << c;
    }
    p.carregado = !p.contas.isEmpty();
    return p;
}

namespace {

// The condition "the account has a balance or a ledger entry in the set's year", for the account
// column `conta` of the outer statement and the companies `empresa` ("PACODIGO = 1" or
// "PACODIGO in (1,2)"): index look-ups on the balances' key and on the ledger's (company, account,
// date) index, so a statement over the chart grows with the accounts.
QString movimentoNoAno(const Conjunto& cj, const QString& empresa, const QString& conta) {
    return QStringLiteral(
               "(exists(select 1 from ACBC21SC sc where sc.%1 and sc.PCCODIGO = %2 and sc.SCPERIODO >= %3 "
               "and sc.SCPERIODO <= %4 and (coalesce(sc.SCSALDOANTERIOR, 0) <> 0 or "
               "coalesce(sc.SCSALDOATUAL, 0) <> 0)) or "
               "exists(select 1 from ACBM19LC lc where lc.%1 and lc.PCCODIGO = %2 and "
               "lc.LCDATALANCAMENTO >= %3 and lc.LCDATALANCAMENTO < %5))")
        .arg(empresa, conta, dataSql(QDate(cj.ano, 1, 1)), dataSql(QDate(cj.ano, 12, 1)),
             dataSql(QDate(cj.ano + 1, 1, 1)));
}

} // namespace

QList<ContaSemReferencia> ContasSemReferencia(db::Transaction& transacao, const Conjunto& cj) {
    const QString f = cj.filtro;
    // One statement for every account (see movimentoNoAno).
    db::Statement s(
        transacao,
        QStringLiteral(
            "select ass.SPASCODIGO, ass.PCCODIGO, pc.PCORDENACAO, pc.PCDESCRICAO, pc.PCCODIGONATUREZA, "
            "(select sum(sc.SCSALDOATUAL) from ACBC21SC sc where sc.PACODIGO %1 and sc.PCCODIGO = "
            "ass.PCCODIGO and sc.SCPERIODO = %2) as FIN, "
            "(case when %4 then 1 else 0 end) as MOVIMENTO "
            "from AUGC80SPAS ass join ACBC15PC pc on pc.PCCODIGO = ass.PCCODIGO and pc.PACODIGO = "
            "ass.PACODIGO "
            "where ass.SPCODIGO = %3 and pc.PCTIPO = 'A' and pc.PCCODIGONATUREZA in ('01', '02', '03', '04') "
            "and coalesce(trim(ass.COD_CTA_REF), '') = '' "
            "order by pc.PCORDENACAO")
            .arg(f, dataSql(QDate(cj.ano, 12, 1)), QString::number(cj.spcodigo),
                 movimentoNoAno(cj, QStringLiteral("PACODIGO ") + f, QStringLiteral("ass.PCCODIGO"))));
    QList<ContaSemReferencia> contas;
    auto c = s.openCursor();
    while (c->fetch()) {
        if (c->asInteger(6).value_or(0) == 0)
            continue;
        ContaSemReferencia conta;
        conta.spascodigo = static_cast<int>(c->asInteger(0).value_or(0));
        conta.pccodigo = static_cast<int>(c->asInteger(1).value_or(0));
        conta.conta = texto(*c, 2);
        conta.nome = texto(*c, 3);
        conta.natureza = texto(*c, 4);
        conta.saldoFinal = valor(*c, 5);
        contas << conta;
    }
    return contas;
}

Achados ConfereContasSemReferencia(const QList<ContaSemReferencia>& contas) {
    Achados achados;
    for (const ContaSemReferencia& c : contas)
        achados << achado(
            Gravidade::Aviso, regraSemReferencia, QStringLiteral("I051"), c.conta,
            QStringLiteral("Conta sem referência: %1 (natureza %2), analítica, com movimento no "
                           "ano e saldo final %3, sem conta referencial. ")
                    .arg(c.nome, c.natureza, TextoValor(c.saldoFinal)) +
                ondeReferenciar);
    return achados;
}

Achados ConfereContasForaDoConjunto(db::Transaction& transacao, const Conjunto& cj) {
    // The set's accounts are read first and looked up here: the association table has no index
    // on the account, so a "not exists" over it would read the whole table once per account.
    // The generation reads every listed company's balances by the account number of the set's
    // rows, so under a consolidation one row stands for that number in every company.
    QSet<qint64> doConjunto;
    {
        db::Statement s(
            transacao,
            QStringLiteral("select PCCODIGO from AUGC80SPAS where SPCODIGO = %1").arg(cj.spcodigo));
        auto c = s.openCursor();
        while (c->fetch())
            doConjunto.insert(c->asInteger(0).value_or(0));
    }
    db::Statement s(
        transacao,
        QStringLiteral("select pc.PACODIGO, pc.PCCODIGO, pc.PCORDENACAO, pc.PCDESCRICAO, pc.PCCODIGONATUREZA "
                       "from ACBC15PC pc where pc.PACODIGO %1 and pc.PCTIPO = 'A' and "
                       "pc.PCCODIGONATUREZA in ('01', '02', '03', '04') and "
                       "%2 order by pc.PCORDENACAO, pc.PACODIGO")
            .arg(cj.filtro, movimentoNoAno(cj, QStringLiteral("PACODIGO = pc.PACODIGO"),
                                           QStringLiteral("pc.PCCODIGO"))));
    Achados achados;
    auto c = s.openCursor();
    while (c->fetch()) {
        if (doConjunto.contains(c->asInteger(1).value_or(0)))
            continue;
        achados << achado(Gravidade::Aviso, QStringLiteral("Fora da configuração"), QStringLiteral("I050"),
                          texto(*c, 2),
                          QStringLiteral("Conta fora da configuração: %1 (natureza %2), analítica, com "
                                         "movimento no ano, não está no plano de contas desta configuração, "
                                         "e o arquivo deixaria de fora os seus saldos. Página Registro I050, "
                                         "\"Importar Plano Contas\" traz as contas que faltam.")
                              .arg(texto(*c, 3), texto(*c, 4)));
    }
    return achados;
}

Achados ConfereReferencias(db::Transaction& transacao, const Conjunto& cj, const PlanoReferencial& plano) {
    db::Statement s(
        transacao,
        QStringLiteral("select pc.PCORDENACAO, pc.PCTIPO, pc.PCCODIGONATUREZA, trim(ass.COD_CTA_REF) "
                       "from AUGC80SPAS ass join ACBC15PC pc on pc.PCCODIGO = ass.PCCODIGO and "
                       "pc.PACODIGO = ass.PACODIGO "
                       "where ass.SPCODIGO = %1 and coalesce(trim(ass.COD_CTA_REF), '') <> '' "
                       "order by pc.PCORDENACAO")
            .arg(cj.spcodigo));
    Achados achados;
    const QString coluna = QStringLiteral(" Página Registro I050, coluna \"Código Conta Ref.\".");
    auto c = s.openCursor();
    while (c->fetch()) {
        const QString conta = texto(*c, 0), referencia = texto(*c, 3), natureza = texto(*c, 2);
        auto erro = [&](const QString& mensagem) {
            achados << achado(Gravidade::Erro, regraReferencia, QStringLiteral("I051"), conta,
                              mensagem + coluna);
        };
        if (texto(*c, 1) == QLatin1String("S")) {
            erro(QStringLiteral("Conta referencial %1 na conta sintética: só as analíticas levam referência; "
                                "apague-a nessa conta.")
                     .arg(referencia));
            continue;
        }
        if (!plano.carregado)
            continue;
        const ContaReferencial* r = plano.conta(referencia);
        if (!r) {
            erro(QStringLiteral("A conta referencial %1 não está no plano referencial.").arg(referencia));
            continue;
        }
        if (r->sintetica) {
            erro(QStringLiteral(
                     "A conta referencial %1 é sintética no plano referencial; escolha uma analítica "
                     "abaixo dela.")
                     .arg(referencia));
            continue;
        }
        if (!r->valeNoPeriodo(cj.inicio, cj.fim)) {
            erro(r->inicio.isValid() && cj.fim.isValid() && r->inicio > cj.fim
                     ? QStringLiteral("A conta referencial %1 só vale a partir de %2, depois do período.")
                           .arg(referencia, platform::regional::dateToText(r->inicio))
                     : QStringLiteral("A conta referencial %1 deixou de valer em %2, antes do período.")
                           .arg(referencia, platform::regional::dateToText(r->fim)));
            continue;
        }
        const QChar grupo = GrupoDaNatureza(natureza);
        if (!grupo.isNull() && r->grupo() != grupo)
            achados << achado(
                Gravidade::Aviso, regraReferencia, QStringLiteral("I051"), conta,
                QStringLiteral("A conta referencial %1 é do grupo %2, mas a conta é de natureza %3 "
                               "(grupo %4).")
                        .arg(referencia, r->grupo(), natureza, grupo) +
                    coluna);
    }
    return achados;
}

namespace {

// Per month, the ledger's debits against its credits; the days that carry a difference say
// where to look for the entry with one side missing.
void confereRazao(db::Transaction& transacao, const Conjunto& cj, Achados& achados) {
    db::Statement s(transacao,
                    QStringLiteral("select lc.LCDATALANCAMENTO, sum(coalesce(lc.LCVALORDEBITO, 0)), "
                                   "sum(coalesce(lc.LCVALORCREDITO, 0)) from ACBM19LC lc "
                                   "where lc.PACODIGO %1 and lc.LCDATALANCAMENTO >= %2 and "
                                   "lc.LCDATALANCAMENTO < %3 group by lc.LCDATALANCAMENTO")
                        .arg(cj.filtro, dataSql(QDate(cj.ano, 1, 1)), dataSql(QDate(cj.ano + 1, 1, 1))));
    struct Mes {
        qint64 debitos = 0, creditos = 0;
        QMap<QDate, qint64> dias; // debits less credits per day: entries may carry a time of day
    };
    QMap<int, Mes> meses;
    auto c = s.openCursor();
    while (c->fetch()) {
        const QDate dia = c->asDateTime(0).value_or(QDateTime()).date();
        const qint64 d = centavos(valor(*c, 1)), k = centavos(valor(*c, 2));
        Mes& m = meses[dia.month()];
        m.debitos += d;
        m.creditos += k;
        m.dias[dia] += d - k;
    }
    for (auto i = meses.cbegin(); i != meses.cend(); ++i) {
        const qint64 diferenca = i->debitos - i->creditos;
        if (diferenca == 0)
            continue;
        QStringList dias;
        for (auto d = i->dias.cbegin(); d != i->dias.cend(); ++d)
            if (d.value() != 0)
                dias << QStringLiteral("%1 (%2)").arg(platform::regional::dateToText(d.key()),
                                                      TextoValor(static_cast<double>(d.value()) / 100));
        achados << achado(
            Gravidade::Erro, regraLivros, QStringLiteral("ACBM19LC"), QString(),
            QStringLiteral("Mês %1: os lançamentos somam %2 a débito e %3 a crédito, diferença de %4. "
                           "Dias com diferença: %5. Corrija o lançamento no sistema contábil.")
                .arg(mesTexto(i.key(), cj.ano), TextoValor(static_cast<double>(i->debitos) / 100),
                     TextoValor(static_cast<double>(i->creditos) / 100),
                     TextoValor(static_cast<double>(diferenca) / 100), dias.join(QStringLiteral(", "))));
    }
}

// Per month, the signed balances after the month of every analytic account add up to zero in a
// double-entry book; then the first month's opening against the December before, and at the end
// of the year assets against liabilities and equity.
void confereSaldos(db::Transaction& transacao, const Conjunto& cj, Achados& achados) {
    const QString junta =
        QStringLiteral(" from ACBC21SC sc join ACBC15PC pc on pc.PACODIGO = sc.PACODIGO and "
                       "pc.PCCODIGO = sc.PCCODIGO and pc.PCTIPO = 'A' ");
    {
        db::Statement s(transacao,
                        QStringLiteral("select sc.SCPERIODO, sum(coalesce(sc.SCSALDOATUAL, 0))") + junta +
                            QStringLiteral("where sc.PACODIGO %1 and sc.SCPERIODO >= %2 and "
                                           "sc.SCPERIODO <= %3 group by sc.SCPERIODO")
                                .arg(cj.filtro, dataSql(QDate(cj.ano, 1, 1)), dataSql(QDate(cj.ano, 12, 1))));
        auto c = s.openCursor();
        while (c->fetch()) {
            const qint64 soma = centavos(valor(*c, 1));
            if (soma != 0)
                achados << achado(
                    Gravidade::Erro, regraLivros, QStringLiteral("ACBC21SC"), QString(),
                    QStringLiteral(
                        "Mês %1: os saldos das contas analíticas (ACBC21SC) somam %2 em vez de zero. "
                        "Recalcule os saldos no sistema contábil.")
                        .arg(mesTexto(c->asDateTime(0).value_or(QDateTime()).date().month(), cj.ano),
                             TextoValor(static_cast<double>(soma) / 100)));
        }
    }
    {
        // Per account: the opening of January and, where the database has it, the closing of the
        // December before.
        db::Statement s(
            transacao,
            (QStringLiteral(
                 "select pc.PCORDENACAO, sum(case when sc.SCPERIODO = %2 then coalesce(sc.SCSALDOANTERIOR, "
                 "0) else 0 end), sum(case when sc.SCPERIODO = %3 then coalesce(sc.SCSALDOATUAL, 0) "
                 "else 0 end), sum(case when sc.SCPERIODO = %3 then 1 else 0 end), sum(case when "
                 "sc.SCPERIODO = %2 then 1 else 0 end)") +
             junta +
             QStringLiteral("where sc.PACODIGO %1 and sc.SCPERIODO in (%2, %3) group by pc.PCORDENACAO "
                            "order by pc.PCORDENACAO"))
                .arg(cj.filtro, dataSql(QDate(cj.ano, 1, 1)), dataSql(QDate(cj.ano - 1, 12, 1))));
        auto c = s.openCursor();
        while (c->fetch()) {
            if (c->asInteger(3).value_or(0) == 0 || c->asInteger(4).value_or(0) == 0)
                continue;
            const qint64 abertura = centavos(valor(*c, 1)), anterior = centavos(valor(*c, 2));
            if (abertura != anterior)
                achados << achado(
                    Gravidade::Erro, regraLivros, QStringLiteral("ACBC21SC"), texto(*c, 0),
                    QStringLiteral("O saldo de abertura de %1 (%2) difere do saldo final de %3 "
                                   "(%4), diferença de %5. Recalcule os saldos no sistema contábil.")
                        .arg(mesTexto(1, cj.ano), TextoValor(static_cast<double>(abertura) / 100),
                             mesTexto(12, cj.ano - 1), TextoValor(static_cast<double>(anterior) / 100),
                             TextoValor(static_cast<double>(abertura - anterior) / 100)));
        }
    }
    {
        db::Statement s(
            transacao,
            QStringLiteral("select pc.PCCODIGONATUREZA, sum(coalesce(sc.SCSALDOATUAL, 0))") + junta +
                QStringLiteral("where sc.PACODIGO %1 and sc.SCPERIODO = %2 group by pc.PCCODIGONATUREZA")
                    .arg(cj.filtro, dataSql(QDate(cj.ano, 12, 1))));
        qint64 ativo = 0, passivo = 0, resultado = 0;
        bool temSaldos = false;
        auto c = s.openCursor();
        while (c->fetch()) {
            temSaldos = true;
            const QChar grupo = GrupoDaNatureza(texto(*c, 0));
            const qint64 soma = centavos(valor(*c, 1));
            if (grupo == QLatin1Char('1'))
                ativo += soma;
            else if (grupo == QLatin1Char('2'))
                passivo += soma;
            else if (grupo == QLatin1Char('3'))
                resultado += soma;
        }
        // Liabilities and equity are credit balances (negative): a closed book has them cancel.
        const qint64 diferenca = ativo + passivo;
        if (temSaldos && diferenca != 0) {
            QString mensagem =
                QStringLiteral("No fim de %1 o ativo soma %2 e o passivo mais o patrimônio líquido %3, "
                               "diferença de %4.")
                    .arg(mesTexto(12, cj.ano), TextoValor(static_cast<double>(ativo) / 100),
                         TextoValor(static_cast<double>(-passivo) / 100),
                         TextoValor(static_cast<double>(diferenca) / 100));
            // The result accounts not yet closed into equity explain the difference exactly: the
            // closing entries are missing, the books are not wrong.
            const bool resultadoAberto = diferenca + resultado == 0;
            mensagem +=
                resultadoAberto
                    ? QStringLiteral(" É o resultado do período, ainda não encerrado no patrimônio líquido.")
                    : QStringLiteral(" Recalcule os saldos no sistema contábil.");
            achados << achado(resultadoAberto ? Gravidade::Aviso : Gravidade::Erro, regraLivros,
                              QStringLiteral("ACBC21SC"), QString(), mensagem);
        }
    }
}

} // namespace

Achados ConfereLivros(db::Transaction& transacao, const Conjunto& conjunto) {
    Achados achados;
    confereRazao(transacao, conjunto, achados);
    confereSaldos(transacao, conjunto, achados);
    return achados;
}

ResultadoConferencia ConfereConjuntoAberto() {
    data::TdmFCONT& dm = *data::dmFCONT;
    const Conjunto conjunto = ConjuntoAberto();
    const PlanoReferencial plano = PlanoReferencialAberto();
    ResultadoConferencia r;
    r.semReferencia = ContasSemReferencia(dm.trBanco, conjunto);
    r.achados = ConfereContasSemReferencia(r.semReferencia);
    r.achados << ConfereContasForaDoConjunto(dm.trBanco, conjunto);
    r.achados << ConfereReferencias(dm.trBanco, conjunto, plano);
    r.achados << ConfereLivros(dm.trBanco, conjunto);
    return r;
}

} // namespace conferencia
