#include "tools/bench/MedicoesCarga.h"

#include "data/Carregamento.h"
#include "data/PlanoContas.h"
#include "data/dmFCONT.h"
#include "db/Statement.h"
#include "platform/Abort.h"

#include <QStringList>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <vector>

namespace bench {

namespace {

using Relogio = std::chrono::steady_clock;

constexpr int conjuntoVazio = 51; // the loading's set
constexpr int conjuntoCopia = 52; // the copy's set
constexpr int conjuntoPiso = 53;  // the floors' rows

void imprime(const QString& texto) {
    std::printf("%s\n", texto.toLocal8Bit().constData());
    std::fflush(stdout);
}

qint64 inteiro(db::Transaction& tr, const QString& sql) {
    db::Statement consulta(tr, sql);
    auto cursor = consulta.openCursor();
    return cursor->fetch() ? cursor->value(0).toLongLong() : 0;
}

template <class Acao> double cronometra(Acao&& acao) {
    const auto inicio = Relogio::now();
    acao();
    return std::chrono::duration<double>(Relogio::now() - inicio).count();
}

// Sets 51 to 53: set 50 without its association rows, one per run.
void preparaConjuntos(data::TdmFCONT& dm, const BaseGerada& base) {
    db::Transaction& tr = dm.trBanco;
    db::Statement colunas(tr, QStringLiteral("select rdb$field_name from rdb$relation_fields where "
                                             "rdb$relation_name = 'AUGC80SP' order by rdb$field_position"));
    QStringList lista;
    auto cursor = colunas.openCursor();
    while (cursor->fetch())
        lista << cursor->asText(0).value_or(QString()).trimmed();
    cursor.reset();
    for (const int conjunto : {conjuntoVazio, conjuntoCopia, conjuntoPiso}) {
        if (inteiro(tr, QStringLiteral("select count(*) from AUGC80SP where SPCODIGO = %1").arg(conjunto)) >
            0)
            continue;
        QStringList valores = lista;
        valores.replace(valores.indexOf(QStringLiteral("SPCODIGO")), QString::number(conjunto));
        db::executeImmediate(
            tr, QStringLiteral("insert into AUGC80SP (%1) select %2 from AUGC80SP where SPCODIGO = %3")
                    .arg(lista.join(QLatin1Char(',')), valores.join(QLatin1Char(',')))
                    .arg(base.configuracao));
    }
    tr.commit();
}

void limpa(data::TdmFCONT& dm) {
    for (platform::Query* q : {&dm.quSPED, &dm.quRegI050I051, &dm.quRegJ930old, &dm.quRegI050, &dm.quLaco})
        q->close();
    db::executeImmediate(dm.trBanco, QStringLiteral("delete from AUGC80SPAS where SPCODIGO in (%1, %2, %3)")
                                         .arg(conjuntoVazio)
                                         .arg(conjuntoCopia)
                                         .arg(conjuntoPiso));
    dm.trBanco.commit();
    // The deleted versions are collected now rather than inside the next timing.
    inteiro(dm.trBanco, QStringLiteral("select count(*) from AUGC80SPAS"));
    dm.trBanco.commit();
}

// The loading's floor: the rows it creates, through one prepared insert and one commit.
double pisoDaCarga(data::TdmFCONT& dm, const BaseGerada& base) {
    db::Transaction& tr = dm.trBanco;
    return cronometra([&] {
        const qint64 primeira =
            inteiro(tr, QStringLiteral("select coalesce(max(SPASCODIGO) + 1, 1) from AUGC80SPAS"));
        db::Statement insercao(
            tr, QStringLiteral("insert into AUGC80SPAS (COD_AGL, COD_CTA_REF, J150IND_VL, PACODIGO, "
                               "PCCODIGO, PCCODIGOSUP, SPASCODIGO, SPCODIGO, SPRFCODIGO) values "
                               "(null, null, null, ?, ?, null, ?, ?, null)"));
        qint64 chave = primeira;
        for (const ContaGerada& c : base.plano) {
            insercao.setParameter(0, base.empresa);
            insercao.setParameter(1, c.pcCodigo);
            insercao.setParameter(2, chave++);
            insercao.setParameter(3, conjuntoPiso);
            insercao.execute();
        }
        tr.commit();
    });
}

// The second loading's floor: one read of the chart, to its last row.
double pisoDaLeitura(data::TdmFCONT& dm, const BaseGerada& base, qint64& linhas) {
    db::Transaction& tr = dm.trBanco;
    const QString sql = dm.quRegI050.sql();
    linhas = 0;
    const double s = cronometra([&] {
        db::Statement plano(tr, sql);
        plano.setParameter(QStringLiteral("PACODIGO"), base.empresa);
        auto cursor = plano.openCursor();
        while (cursor->fetch())
            ++linhas;
    });
    tr.commit();
    return s;
}

// The copy's floor: one read of the source keys and the copy's own insert of each row, through
// one prepared statement, and one commit.
double pisoDaCopia(data::TdmFCONT& dm) {
    db::Transaction& tr = dm.trBanco;
    QStringList colunas;
    {
        db::Statement todas(tr, QStringLiteral("select first 1 * from AUGC80SPAS"));
        for (const db::ColumnInfo& c : todas.columns())
            if (c.name != QLatin1String("SPASCODIGO") && c.name != QLatin1String("SPCODIGO"))
                colunas << c.name;
    }
    const QString lista = colunas.join(QLatin1Char(','));
    return cronometra([&] {
        qint64 proxima =
            inteiro(tr, QStringLiteral("select coalesce(max(SPASCODIGO) + 1, 1) from AUGC80SPAS"));
        db::Statement origem(
            tr, QStringLiteral("select SPASCODIGO from AUGC80SPAS where SPCODIGO = %1").arg(conjuntoVazio));
        db::Statement insercao(
            tr, QStringLiteral("insert into AUGC80SPAS (%1, SPASCODIGO, SPCODIGO) select %1, "
                               "cast(? as integer), %2 from AUGC80SPAS where SPCODIGO = %3 and "
                               "SPASCODIGO = ?")
                    .arg(lista)
                    .arg(conjuntoPiso)
                    .arg(conjuntoVazio));
        auto cursor = origem.openCursor();
        while (cursor->fetch()) {
            insercao.setParameter(0, proxima++);
            insercao.setParameter(1, cursor->value(0));
            insercao.execute();
        }
        cursor.reset();
        tr.commit();
    });
}

// What the second loading must read besides the chart (no index leads to a set's rows): the
// whole association table, once.
double leituraDoConjunto(data::TdmFCONT& dm, const BaseGerada& base) {
    db::Transaction& tr = dm.trBanco;
    const double s = cronometra([&] {
        db::Statement pares(
            tr, QStringLiteral("select PCCODIGO from AUGC80SPAS where SPCODIGO = %1 and PACODIGO = %2")
                    .arg(conjuntoVazio)
                    .arg(base.empresa));
        auto cursor = pares.openCursor();
        while (cursor->fetch()) {
        }
    });
    tr.commit();
    return s;
}

struct Rodada {
    double carga = 0, pisoCarga = 0, segunda = 0, pisoLeitura = 0, leituraConjunto = 0, copia = 0,
           pisoCopia = 0;
};

QString razao(double a, double b) {
    return QString::number(a / std::max(b, 1e-9), 'f', 2);
}

} // namespace

int MedeCarga(data::TdmFCONT& dm, const BaseGerada& base, int rodadas) {
    preparaConjuntos(dm, base);
    const int contas = static_cast<int>(base.plano.size());
    auto linhasDe = [&](int conjunto) {
        const qint64 n = inteiro(
            dm.trBanco, QStringLiteral("select count(*) from AUGC80SPAS where SPCODIGO = %1").arg(conjunto));
        dm.trBanco.commit();
        return n;
    };
    int codigo = 0;
    std::vector<Rodada> medidas;
    qint64 lidas = 0;
    for (int r = 0; r < rodadas; ++r) {
        Rodada m;
        try {
            limpa(dm);
            m.pisoCarga = pisoDaCarga(dm, base);
            limpa(dm);
            data::CarregaConfiguracoes(conjuntoVazio);
            m.carga = cronometra([] { data::CarregaPlanoContas(); });
            m.pisoLeitura = pisoDaLeitura(dm, base, lidas);
            m.leituraConjunto = leituraDoConjunto(dm, base);
            m.segunda = cronometra([] { data::CarregaPlanoContas(); });
            m.pisoCopia = pisoDaCopia(dm);
            data::CarregaConfiguracoes(conjuntoCopia);
            m.copia = cronometra([] { data::ImportaPlanoContasECD(QString::number(conjuntoVazio)); });
        } catch (const platform::SilentAbort&) {
            imprime(QStringLiteral("round %1: aborted").arg(r + 1));
            return 1;
        }
        const qint64 carregadas = linhasDe(conjuntoVazio), copiadas = linhasDe(conjuntoCopia);
        if (carregadas != contas || copiadas != contas) {
            imprime(QStringLiteral("round %1: %2 rows loaded and %3 copied, not %4")
                        .arg(r + 1)
                        .arg(carregadas)
                        .arg(copiadas)
                        .arg(contas));
            codigo = 1;
        }
        imprime(QStringLiteral(
                    "round %1: loading %2 s (floor %3 s, ratio %4); second loading %5 s (floor %6 s, "
                    "ratio %7; the set's rows read once more %11 s); copy %8 s (floor %9 s, ratio %10)")
                    .arg(r + 1)
                    .arg(m.carga, 0, 'f', 2)
                    .arg(m.pisoCarga, 0, 'f', 2)
                    .arg(razao(m.carga, m.pisoCarga))
                    .arg(m.segunda, 0, 'f', 2)
                    .arg(m.pisoLeitura, 0, 'f', 2)
                    .arg(razao(m.segunda, m.pisoLeitura))
                    .arg(m.copia, 0, 'f', 2)
                    .arg(m.pisoCopia, 0, 'f', 2)
                    .arg(razao(m.copia, m.pisoCopia))
                    .arg(m.leituraConjunto, 0, 'f', 2));
        medidas.push_back(m);
    }
    auto menor = [&](double Rodada::*campo) {
        double v = medidas.front().*campo;
        for (const Rodada& m : medidas)
            v = std::min(v, m.*campo);
        return v;
    };
    const double carga = menor(&Rodada::carga), pisoCarga = menor(&Rodada::pisoCarga);
    const double segunda = menor(&Rodada::segunda), pisoLeitura = menor(&Rodada::pisoLeitura);
    const double copia = menor(&Rodada::copia), pisoCopia = menor(&Rodada::pisoCopia);
    const double conjunto = menor(&Rodada::leituraConjunto);
    imprime(QStringLiteral(
                "summary (fastest of %1, %2 accounts, %3 chart rows read): loading %4 s, floor %5 s, "
                "ratio %6; second loading %7 s, floor %8 s, ratio %9 (to the chart and the set's rows read, "
                "%13 s: %14); copy %10 s, floor %11 s, ratio %12")
                .arg(medidas.size())
                .arg(contas)
                .arg(lidas)
                .arg(carga, 0, 'f', 2)
                .arg(pisoCarga, 0, 'f', 2)
                .arg(razao(carga, pisoCarga))
                .arg(segunda, 0, 'f', 2)
                .arg(pisoLeitura, 0, 'f', 2)
                .arg(razao(segunda, pisoLeitura))
                .arg(copia, 0, 'f', 2)
                .arg(pisoCopia, 0, 'f', 2)
                .arg(razao(copia, pisoCopia))
                .arg(pisoLeitura + conjunto, 0, 'f', 2)
                .arg(razao(segunda, pisoLeitura + conjunto)));
    limpa(dm);
    return codigo;
}

} // namespace bench
