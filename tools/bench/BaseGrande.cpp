#include "tools/bench/BaseGrande.h"

#include "demonstracao/BaseDemonstracao.h"

#include "app/AtualizacaoBanco.h"
#include "data/dmFCONT.h"
#include "db/Script.h"
#include "db/Statement.h"
#include "db/Transaction.h"

#include <QDate>
#include <QDir>
#include <QFile>
#include <QMap>

#include <algorithm>
#include <array>
#include <cmath>
#include <cstdio>
#include <random>
#include <stdexcept>

namespace bench {

namespace {

constexpr int grupos = 4;

qint64 maximo(db::Transaction& transacao, const QString& sql) {
    db::Statement consulta(transacao, sql);
    auto cursor = consulta.openCursor();
    return cursor->fetch() ? cursor->asInteger(0).value_or(0) : 0;
}

QStringList colunasDe(db::Transaction& transacao, const QString& tabela) {
    db::Statement consulta(transacao,
                           QStringLiteral("select rdb$field_name from rdb$relation_fields "
                                          "where rdb$relation_name = '%1' order by rdb$field_position")
                               .arg(tabela));
    auto cursor = consulta.openCursor();
    QStringList colunas;
    while (cursor->fetch())
        colunas << cursor->asText(0).value_or(QString()).trimmed();
    return colunas;
}

// insert ... select of every column of the rows of `onde`, with some columns replaced by
// expressions: a copy that keeps up with whatever columns the upkeep has added.
void copiaLinhas(db::Transaction& transacao, const QString& tabela, const QString& onde,
                 const QMap<QString, QString>& trocas) {
    const QStringList colunas = colunasDe(transacao, tabela);
    QStringList valores;
    for (const QString& coluna : colunas)
        valores << trocas.value(coluna, coluna);
    db::executeImmediate(transacao, QStringLiteral("insert into %1 (%2) select %3 from %1 where %4")
                                        .arg(tabela, colunas.join(QStringLiteral(", ")),
                                             valores.join(QStringLiteral(", ")), onde));
}

QString comMascara(const QString& ordenacao) {
    // 9.9.99.9999
    static const int partes[] = {1, 1, 2, 4};
    QStringList pedacos;
    int i = 0;
    for (int tamanho : partes) {
        if (i >= ordenacao.size())
            break;
        pedacos << ordenacao.mid(i, tamanho);
        i += tamanho;
    }
    return pedacos.join(QLatin1Char('.'));
}

QString descricao(const ContaGerada& c) {
    static const char* topo[] = {"ATIVO", "PASSIVO", "RECEITAS", "CUSTOS E DESPESAS"};
    switch (c.nivel) {
    case 1:
        return QString::fromLatin1(topo[c.grupo - 1]);
    case 2:
        return QStringLiteral("GRUPO ") + comMascara(c.ordenacao);
    case 3:
        return QStringLiteral("Subgrupo ") + comMascara(c.ordenacao);
    default:
        return QStringLiteral("Conta ") + comMascara(c.ordenacao);
    }
}

// The referential account every analytic account of a group is associated with.
QString contaReferencial(int grupo) {
    switch (grupo) {
    case 1:
        return QStringLiteral("1.01.01.01.00");
    case 2:
        return QStringLiteral("2.01.01.01.00");
    case 3:
        return QStringLiteral("3.01.01.01.01");
    default:
        return QStringLiteral("3.02.02.01.00");
    }
}

QVariant valor(qint64 centavos) {
    return static_cast<double>(centavos) / 100.0;
}

} // namespace

std::vector<ContaGerada> MontaPlano(int contas, int primeiraChave) {
    // One synthetic for every eight analytic accounts; level 2 grows with the square root of the
    // chart so that level 3 stays within its two digits.
    const int alvoSinteticas = std::max(2 * grupos + 1, (contas + 4) / 9);
    const int porGrupo =
        std::clamp(static_cast<int>(std::ceil(std::sqrt(alvoSinteticas / double(grupos)))), 1, 9);
    const int segundoNivel = grupos * porGrupo;
    const int terceiroNivel = std::clamp(alvoSinteticas - grupos - segundoNivel, 1, segundoNivel * 99);
    const int analiticas = contas - grupos - segundoNivel - terceiroNivel;
    if (analiticas < terceiroNivel)
        throw std::invalid_argument("too few accounts for a four-level chart");
    if ((analiticas + terceiroNivel - 1) / terceiroNivel > 9999)
        throw std::invalid_argument("too many accounts for the mask 9.9.99.9999");

    std::vector<ContaGerada> plano;
    plano.reserve(static_cast<size_t>(contas));
    int chave = primeiraChave;
    auto acrescenta = [&](const QString& codigo, int nivel, bool sintetica, int grupo) {
        plano.push_back({chave++, codigo, nivel, sintetica, grupo});
    };
    for (int g = 1; g <= grupos; ++g) {
        const QString n1 = QString::number(g);
        acrescenta(n1, 1, true, g);
        for (int j = 0; j < porGrupo; ++j) {
            const QString n2 = n1 + QString::number(j + 1);
            acrescenta(n2, 2, true, g);
            // Level-3 accounts are dealt out like cards, first over the four groups, then over
            // the level-2 accounts of each, so that a small chart still has result accounts.
            for (int k = 0;; ++k) {
                const int terceiro = k * segundoNivel + j * grupos + (g - 1);
                if (terceiro >= terceiroNivel)
                    break;
                const QString n3 = n2 + QStringLiteral("%1").arg(k + 1, 2, 10, QLatin1Char('0'));
                acrescenta(n3, 3, true, g);
                const int quantas =
                    analiticas / terceiroNivel + (terceiro < analiticas % terceiroNivel ? 1 : 0);
                for (int a = 1; a <= quantas; ++a)
                    acrescenta(n3 + QStringLiteral("%1").arg(a, 4, 10, QLatin1Char('0')), 4, false, g);
            }
        }
    }
    return plano;
}

db::ConnectionParams CriaBaseDemo(data::TdmFCONT& dm, const QString& arquivo) {
    // A throwaway database: without synchronous writes the bulk load does not wait for the disk.
    return demonstracao::MontaBaseDemonstracao(dm, arquivo, false);
}

BaseGerada AcrescentaEmpresaGrande(data::TdmFCONT& dm, int contas, int linhasRazao,
                                   bool superiorDaAssociacao) {
    BaseGerada base;
    db::Transaction& tr = dm.trBanco;
    const QString empresa = QString::number(base.empresa);
    const QString configuracao = QString::number(base.configuracao);
    base.plano = MontaPlano(contas, 500001);

    db::executeImmediate(
        tr, QStringLiteral(
                "insert into AUGC01PA (PACODIGO, PAEMPRAZAO, PAEMPFANTASIA, PAEMPCNPJ, PAEMPIE, PAEMPUF, "
                "PAEMPCIDADE, PACONTAMASCARA, PAEMPRESACONSOLIDADA, PAINICIOATIVIDADE) values (%1, "
                "'Serra Alta Distribuidora de Insumos Ltda', 'Serra Alta', '55.666.777/0001-81', "
                "'345.678.901.112', 'SP', 'Vale Serrano', '9.9.99.9999', '%1', '2012-05-02')")
                .arg(empresa));

    // The ledger index is built once from the loaded rows, which is several times faster than
    // keeping it up to date row by row.
    db::executeImmediate(tr, QStringLiteral("alter index ACBM19LC_CONTA_DATA inactive"));
    tr.commitRetaining();

    std::mt19937 sorteio(20250101);
    std::vector<int> analiticas; // positions in the chart
    {
        db::Statement conta(
            tr,
            QStringLiteral(
                "insert into ACBC15PC (PACODIGO, PCCODIGO, PCORDENACAO, PCDESCRICAO, PCNIVEL, PCTIPO, "
                "PCCODIGONATUREZA, CCCODIGO, PCCODIGOREDUZIDO, PCNATUREZASALDO, PCACEITALANCAMENTO) "
                "values (:PACODIGO, :PCCODIGO, :PCORDENACAO, :PCDESCRICAO, :PCNIVEL, :PCTIPO, "
                ":PCCODIGONATUREZA, :CCCODIGO, :PCCODIGOREDUZIDO, :PCNATUREZASALDO, :PCACEITALANCAMENTO)"));
        static const char* naturezas[] = {"01", "02", "04", "04"};
        int reduzido = 0;
        for (size_t i = 0; i < base.plano.size(); ++i) {
            const ContaGerada& c = base.plano[i];
            QVariant centro;
            if (!c.sintetica) {
                analiticas.push_back(static_cast<int>(i));
                if (c.grupo >= 3)
                    centro = 1 + static_cast<int>(i % 3);
                else if (i % 5 == 0)
                    centro = 0; // zero stands for "no cost centre" in the ERP
            }
            conta.setParameter(0, base.empresa);
            conta.setParameter(1, c.pcCodigo);
            conta.setParameter(2, c.ordenacao);
            conta.setParameter(3, descricao(c));
            conta.setParameter(4, QString::number(c.nivel));
            conta.setParameter(5, c.sintetica ? QStringLiteral("S") : QStringLiteral("A"));
            conta.setParameter(6, QString::fromLatin1(naturezas[c.grupo - 1]));
            conta.setParameter(7, centro);
            conta.setParameter(8, ++reduzido);
            conta.setParameter(9, c.grupo == 1 || c.grupo == 4 ? QStringLiteral("D") : QStringLiteral("C"));
            conta.setParameter(10, c.sintetica ? QStringLiteral("N") : QStringLiteral("S"));
            conta.execute();
            (c.sintetica ? base.sinteticas : base.analiticas)++;
        }
    }

    // Opening balances: assets debit, liabilities credit, the last liability taking up the
    // difference; result accounts start the year at zero.
    const int a = static_cast<int>(analiticas.size());
    std::vector<qint64> abertura(static_cast<size_t>(a), 0);
    qint64 soma = 0;
    int ultimoPassivo = -1;
    for (int i = 0; i < a; ++i) {
        const int grupo = base.plano[static_cast<size_t>(analiticas[i])].grupo;
        if (grupo > 2)
            continue;
        const qint64 centavos = 100000 + static_cast<qint64>(sorteio() % 10000000);
        abertura[i] = grupo == 1 ? centavos : -centavos;
        soma += abertura[i];
        if (grupo == 2)
            ultimoPassivo = i;
    }
    if (ultimoPassivo >= 0)
        abertura[ultimoPassivo] -= soma;

    // Ledger: entries between random accounts on random days of 2025, each a debit row and a
    // credit row.
    std::vector<std::array<qint64, 12>> movimento(static_cast<size_t>(a));
    for (auto& m : movimento)
        m.fill(0);
    {
        const qint64 primeiroLancamento =
            maximo(tr, QStringLiteral("select max(LCCODIGO) from ACBM19LC")) + 1;
        const qint64 primeiroLote = maximo(tr, QStringLiteral("select max(LCLOTE) from ACBM19LC")) + 1;
        db::Statement lancamento(
            tr, QStringLiteral(
                    "insert into ACBM19LC (LCCODIGO, PACODIGO, PCCODIGO, LCDATALANCAMENTO, LCVALORDEBITO, "
                    "LCVALORCREDITO, LCID, LCLOTE, LCCONTRAPARTIDASEQ, HCCODIGO, LCHISTORICO, CCCODIGO) "
                    "values (:LCCODIGO, :PACODIGO, :PCCODIGO, :DATA, :DEBITO, :CREDITO, null, :LOTE, "
                    ":CONTRAPARTIDA, :HCCODIGO, :HISTORICO, null)"));
        const int lotes = std::max(1, linhasRazao / 2);
        for (int l = 0; l < lotes; ++l) {
            const int debito = static_cast<int>(sorteio() % a);
            int credito = static_cast<int>(sorteio() % a);
            if (credito == debito)
                credito = (credito + 1) % a;
            const int mes = 1 + static_cast<int>(sorteio() % 12);
            const QDate data(2025, mes, 1 + static_cast<int>(sorteio() % 28));
            const qint64 centavos = 1000 + static_cast<qint64>(sorteio() % 500000);
            const int historico = 1 + static_cast<int>(sorteio() % 5);
            const qint64 codigo = primeiroLancamento + 2 * static_cast<qint64>(l);
            const QString texto = QStringLiteral("Lancamento %1").arg(l + 1);
            for (int lado = 0; lado < 2; ++lado) {
                const int conta = lado == 0 ? debito : credito;
                lancamento.setParameter(0, codigo + lado);
                lancamento.setParameter(1, base.empresa);
                lancamento.setParameter(2, base.plano[static_cast<size_t>(analiticas[conta])].pcCodigo);
                lancamento.setParameter(3, data);
                lancamento.setParameter(4, valor(lado == 0 ? centavos : 0));
                lancamento.setParameter(5, valor(lado == 0 ? 0 : centavos));
                lancamento.setParameter(6, primeiroLote + l);
                lancamento.setParameter(7, codigo + 1 - lado);
                lancamento.setParameter(8, historico);
                lancamento.setParameter(9, texto);
                lancamento.execute();
                ++base.lancamentos;
            }
            movimento[debito][mes - 1] += centavos;
            movimento[credito][mes - 1] -= centavos;
        }
    }

    // Monthly balances that agree with the ledger: each month starts where the last one ended.
    {
        db::Statement saldo(
            tr, QStringLiteral("insert into ACBC21SC (PACODIGO, PCCODIGO, SCPERIODO, SCSALDOANTERIOR, "
                               "SCSALDOATUAL) values (:PACODIGO, :PCCODIGO, :PERIODO, :ANTERIOR, :ATUAL)"));
        auto grava = [&](int pcCodigo, const QDate& periodo, qint64 anterior, qint64 atual) {
            saldo.setParameter(0, base.empresa);
            saldo.setParameter(1, pcCodigo);
            saldo.setParameter(2, periodo);
            saldo.setParameter(3, valor(anterior));
            saldo.setParameter(4, valor(atual));
            saldo.execute();
            ++base.saldos;
        };
        for (int i = 0; i < a; ++i) {
            const int pcCodigo = base.plano[static_cast<size_t>(analiticas[i])].pcCodigo;
            qint64 corrente = abertura[i];
            grava(pcCodigo, QDate(2024, 12, 1), corrente, corrente);
            for (int mes = 1; mes <= 12; ++mes) {
                const qint64 anterior = corrente;
                corrente += movimento[i][mes - 1];
                grava(pcCodigo, QDate(2025, mes, 1), anterior, corrente);
            }
        }
    }

    // Parameter set 50: set 1 for company 50, with its signatories and one association row per
    // account (analytic accounts with a referential account, as a finished association has).
    copiaLinhas(
        tr, QStringLiteral("AUGC80SP"), QStringLiteral("SPCODIGO = 1"),
        {{QStringLiteral("SPCODIGO"), configuracao},
         {QStringLiteral("EMPRESA"), empresa},
         {QStringLiteral("SPNOME"), QStringLiteral("'SPED FCONT - Serra Alta 2025 (%1 contas)'").arg(contas)},
         {QStringLiteral("R0000NOME"), QStringLiteral("'SERRA ALTA DISTRIBUIDORA DE INSUMOS LTDA'")},
         {QStringLiteral("R0000CNPJ"), QStringLiteral("'55666777000181'")}});
    const qint64 ultimoSignatario = maximo(tr, QStringLiteral("select max(SPSGCODIGO) from AUGC80SPSG"));
    copiaLinhas(tr, QStringLiteral("AUGC80SPSG"), QStringLiteral("SPCODIGO = 1"),
                {{QStringLiteral("SPSGCODIGO"), QStringLiteral("SPSGCODIGO + %1").arg(ultimoSignatario)},
                 {QStringLiteral("SPCODIGO"), configuracao}});
    {
        const qint64 primeiraAssociacao =
            maximo(tr, QStringLiteral("select max(SPASCODIGO) from AUGC80SPAS")) + 1;
        db::Statement associacao(
            tr, QStringLiteral("insert into AUGC80SPAS (SPASCODIGO, SPCODIGO, PACODIGO, PCCODIGO, "
                               "PCCODIGOSUP, COD_CTA_REF, COD_AGL) values (:SPASCODIGO, :SPCODIGO, "
                               ":PACODIGO, :PCCODIGO, :PCCODIGOSUP, :COD_CTA_REF, null)"));
        std::array<int, 5> sinteticaDoNivel{};
        for (const ContaGerada& c : base.plano) {
            if (c.sintetica)
                sinteticaDoNivel[static_cast<size_t>(c.nivel)] = c.pcCodigo;
            const QVariant superior =
                c.nivel > 1 ? QVariant(sinteticaDoNivel[static_cast<size_t>(c.nivel - 1)]) : QVariant();
            associacao.setParameter(0, primeiraAssociacao + base.associacoes);
            associacao.setParameter(1, base.configuracao);
            associacao.setParameter(2, base.empresa);
            associacao.setParameter(3, c.pcCodigo);
            associacao.setParameter(4, superior);
            associacao.setParameter(5, c.sintetica ? QVariant() : QVariant(contaReferencial(c.grupo)));
            associacao.execute();
            ++base.associacoes;
        }
    }
    if (superiorDaAssociacao)
        db::executeImmediate(
            tr,
            QStringLiteral("update AUGC80SP set RI200LCTPGCR = -1 where SPCODIGO = %1").arg(configuracao));
    tr.commitRetaining();
    db::executeImmediate(tr, QStringLiteral("alter index ACBM19LC_CONTA_DATA active"));
    tr.commit();
    return base;
}

BaseGerada ReabreBase(data::TdmFCONT& dm, const QString& arquivo, int contas, int linhasRazao,
                      bool superiorDaAssociacao) {
    dm.dbBanco.params.database = arquivo;
    dm.dbBanco.params.user = QStringLiteral("SYSDBA");
    dm.dbBanco.afterConnect = [] { app::dbBancoAfterConnect(); };
    dm.dbBanco.connect();
    BaseGerada base;
    db::Transaction& tr = dm.trBanco;
    const auto conta = [&](const QString& sql) { return maximo(tr, sql.arg(base.empresa)); };
    base.plano = MontaPlano(contas, 500001);
    const qint64 noBanco = conta(QStringLiteral("select count(*) from ACBC15PC where PACODIGO = %1"));
    base.lancamentos =
        static_cast<int>(conta(QStringLiteral("select count(*) from ACBM19LC where PACODIGO = %1")));
    const int esperados = 2 * std::max(1, linhasRazao / 2);
    if (noBanco != contas || base.lancamentos != esperados)
        throw std::runtime_error(
            QStringLiteral("%1 holds %2 accounts and %3 ledger rows, not %4 and %5: remove it "
                           "or name another file")
                .arg(arquivo)
                .arg(noBanco)
                .arg(base.lancamentos)
                .arg(contas)
                .arg(esperados)
                .toStdString());
    for (const ContaGerada& c : base.plano)
        (c.sintetica ? base.sinteticas : base.analiticas)++;
    base.saldos =
        static_cast<int>(conta(QStringLiteral("select count(*) from ACBC21SC where PACODIGO = %1")));
    base.associacoes =
        static_cast<int>(conta(QStringLiteral("select count(*) from AUGC80SPAS where PACODIGO = %1")));
    db::executeImmediate(tr, QStringLiteral("update AUGC80SP set RI200LCTPGCR = %1 where SPCODIGO = %2")
                                 .arg(superiorDaAssociacao ? -1 : 0)
                                 .arg(base.configuracao));
    tr.commit();
    return base;
}

} // namespace bench
