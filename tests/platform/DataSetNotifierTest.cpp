#include "platform/DataSetNotifier.h"
#include "platform/DataSetModel.h"
#include "platform/MemTable.h"

#include <gtest/gtest.h>

using namespace platform;

namespace {

// Writes every notification of a dataset into a shared log, as one view would follow it.
struct Ouvinte {
    Ouvinte(DataSet& ds, QStringList& log, const QString& nome) {
        const DataSetNotifier* n = &ds.notifier();
        auto anota = [&log, nome](const QString& texto) { log << nome + QLatin1Char(':') + texto; };
        QObject::connect(n, &DataSetNotifier::opened, &contexto, [=] { anota(QStringLiteral("opened")); });
        QObject::connect(n, &DataSetNotifier::closed, &contexto, [=] { anota(QStringLiteral("closed")); });
        QObject::connect(n, &DataSetNotifier::refiltered, &contexto,
                         [=] { anota(QStringLiteral("refiltered")); });
        QObject::connect(n, &DataSetNotifier::rowInserted, &contexto,
                         [=](int r) { anota(QStringLiteral("inserted %1").arg(r)); });
        QObject::connect(n, &DataSetNotifier::rowsAppended, &contexto,
                         [=](int r, int n) { anota(QStringLiteral("appended %1+%2").arg(r).arg(n)); });
        QObject::connect(n, &DataSetNotifier::rowRemoved, &contexto,
                         [=](int r) { anota(QStringLiteral("removed %1").arg(r)); });
        QObject::connect(n, &DataSetNotifier::rowChanged, &contexto,
                         [=](int r) { anota(QStringLiteral("changed %1").arg(r)); });
        QObject::connect(n, &DataSetNotifier::currentMoved, &contexto,
                         [=](int r) { anota(QStringLiteral("moved %1").arg(r)); });
        QObject::connect(n, &DataSetNotifier::stateChanged, &contexto,
                         [=](DataSetState s) { anota(QStringLiteral("state %1").arg(static_cast<int>(s))); });
        QObject::connect(n, &DataSetNotifier::fieldChanged, &contexto,
                         [=](int f) { anota(QStringLiteral("field %1").arg(f)); });
        QObject::connect(n, &DataSetNotifier::updatingRecord, &contexto,
                         [=] { anota(QStringLiteral("updating")); });
    }
    QObject contexto;
};

class Notificacoes : public ::testing::Test {
protected:
    Notificacoes() {
        FieldDef codigo;
        codigo.name = QStringLiteral("CODIGO");
        codigo.size = 5;
        t.addField(codigo);
        FieldDef valor;
        valor.name = QStringLiteral("VALOR");
        valor.type = FieldType::Integer;
        t.addField(valor);
        t.createDataSet();
    }
    void grava(const QString& codigo, int valor) {
        t.append();
        t.fieldByName("CODIGO").setValue(codigo);
        t.fieldByName("VALOR").setValue(valor);
        t.post();
    }
    // Only what the first listener heard, without its name.
    QStringList ouvido(const QString& nome = QStringLiteral("a")) const {
        QStringList r;
        for (const QString& linha : log)
            if (linha.startsWith(nome + QLatin1Char(':')))
                r << linha.mid(nome.size() + 1);
            else if (!linha.contains(QLatin1Char(':')))
                r << linha;
        return r;
    }
    MemTable t{QStringLiteral("cdsTeste")};
    QStringList log;
};

TEST_F(Notificacoes, EveryListenerHearsEachChangeAfterTheDesignHandler) {
    Ouvinte a(t, log, QStringLiteral("a")), b(t, log, QStringLiteral("b"));
    t.afterPost = [this](DataSet&) { log << QStringLiteral("afterPost"); };
    t.afterScroll = [this](DataSet&) { log << QStringLiteral("afterScroll"); };
    t.afterDelete = [this](DataSet&) { log << QStringLiteral("afterDelete"); };
    grava(QStringLiteral("A"), 1);
    EXPECT_EQ(ouvido(), (QStringList{"state 3", "field 0", "field 1", "updating", "afterPost", "inserted 0",
                                     "state 1", "moved 0"}));
    EXPECT_EQ(ouvido(QStringLiteral("b")), ouvido(QStringLiteral("a")))
        << "b heard the same, in the same order";
    log.clear();
    grava(QStringLiteral("B"), 2);
    t.first();
    t.edit();
    t.fieldByName("VALOR").setValue(10);
    t.post();
    t.next();
    t.remove();
    t.close();
    t.open();
    EXPECT_EQ(ouvido(),
              (QStringList{"state 3",     "field 0",   "field 1",     "updating", "afterPost",   "inserted 1",
                           "state 1",     "moved 1",   "afterScroll", "moved 0",  "state 2",     "field 1",
                           "updating",    "afterPost", "changed 0",   "state 1",  "afterScroll", "moved 1",
                           "afterDelete", "removed 1", "afterScroll", "moved 0",  "closed",      "opened",
                           "afterScroll", "moved -1"}));
    EXPECT_EQ(log.filter(QStringLiteral("a:")).size(), log.filter(QStringLiteral("b:")).size());
}

TEST_F(Notificacoes, ViewsHearOfAPostEvenWhenTheDesignHandlerThrows) {
    Ouvinte a(t, log, QStringLiteral("a"));
    t.afterPost = [](DataSet&) { throw std::runtime_error("commit falhou"); };
    EXPECT_THROW(grava(QStringLiteral("A"), 1), std::runtime_error);
    EXPECT_TRUE(ouvido().contains(QStringLiteral("inserted 0")));
    t.afterPost = nullptr;
    log.clear();
    t.edit();
    t.cancel();
    EXPECT_EQ(ouvido(), (QStringList{"state 2", "state 1", "changed 0"}))
        << "a dropped buffer is shown again";
}

TEST_F(Notificacoes, SortedAndFilteredTablesTellWhereTheRowWent) {
    grava(QStringLiteral("B"), 2);
    grava(QStringLiteral("D"), 4);
    t.addIndex(QStringLiteral("IDX"), QStringLiteral("CODIGO"), true);
    t.setIndexName(QStringLiteral("IDX"));
    Ouvinte a(t, log, QStringLiteral("a"));
    grava(QStringLiteral("C"), 3);
    EXPECT_TRUE(ouvido().contains(QStringLiteral("inserted 1")))
        << ouvido().join(QLatin1Char(',')).toStdString();
    EXPECT_EQ(t.recNo(), 1);
    log.clear();
    t.edit();
    t.fieldByName("CODIGO").setValue(QStringLiteral("E"));
    t.post();
    EXPECT_TRUE(ouvido().contains(QStringLiteral("refiltered"))) << "the row moved within the order";
    EXPECT_TRUE(ouvido().endsWith(QStringLiteral("moved 2")));
    t.setFilter(QStringLiteral("VALOR < 4"));
    t.setFiltered(true);
    log.clear();
    t.first();
    t.edit();
    t.fieldByName("VALOR").setValue(9);
    t.post();
    EXPECT_TRUE(ouvido().contains(QStringLiteral("removed 0"))) << "the row left the filter";
    log.clear();
    t.setFiltered(false);
    EXPECT_EQ(ouvido(), (QStringList{"refiltered", "moved 0"}));
    log.clear();
    t.emptyDataSet();
    EXPECT_EQ(ouvido(), (QStringList{"refiltered", "moved -1"}));
}

TEST_F(Notificacoes, ModelFollowsTheDataSetAndReadsRowsWithoutMovingIt) {
    for (int i = 1; i <= 3; ++i)
        grava(QStringLiteral("C%1").arg(i), i);
    DataSetModel modelo(t);
    int rolagens = 0;
    t.afterScroll = [&](DataSet&) { ++rolagens; };
    t.moveTo(1);
    rolagens = 0;
    for (int r = 0; r < 3; ++r)
        EXPECT_EQ(modelo.data(modelo.index(r, 0)).toString(), QStringLiteral("C%1").arg(r + 1));
    EXPECT_EQ(t.recNo(), 1);
    EXPECT_EQ(rolagens, 0);

    t.edit();
    t.fieldByName("CODIGO").setValue(QStringLiteral("X"));
    EXPECT_EQ(modelo.data(modelo.index(1, 0)).toString(), QStringLiteral("X")) << "the edit buffer shows";
    t.cancel();
    EXPECT_EQ(modelo.data(modelo.index(1, 0)).toString(), QStringLiteral("C2"));
    t.append();
    t.fieldByName("CODIGO").setValue(QStringLiteral("NOVO"));
    EXPECT_EQ(modelo.data(modelo.index(1, 0)).toString(), QStringLiteral("C2"))
        << "an insert lies over no row";
    t.post();
    EXPECT_EQ(modelo.rowCount(), 4);
    EXPECT_EQ(modelo.data(modelo.index(3, 0)).toString(), QStringLiteral("NOVO"));
    t.first();
    t.remove();
    EXPECT_EQ(modelo.rowCount(), 3);
    EXPECT_EQ(modelo.data(modelo.index(0, 0)).toString(), QStringLiteral("C2"));
    t.setFilter(QStringLiteral("VALOR = 3"));
    t.setFiltered(true);
    EXPECT_EQ(modelo.rowCount(), 1);
    t.close();
    EXPECT_EQ(modelo.rowCount(), 0);
    t.open();
    EXPECT_EQ(modelo.rowCount(), 0) << "a memory table reopens empty";
}

TEST(ValorEmOutraLinha, LookupFieldSeesTheRowAskedForWithoutMovingTheCurrentOne) {
    MemTable t;
    FieldDef valor;
    valor.name = QStringLiteral("VALOR");
    valor.type = FieldType::Integer;
    t.addField(valor);
    FieldDef dobro;
    dobro.name = QStringLiteral("DOBRO");
    dobro.calculated = true;
    Field& calculado = t.addField(dobro);
    calculado.lookup = [](const DataSet& ds) {
        return ds.fieldByName(QStringLiteral("VALOR")).asInteger() * 2;
    };
    t.createDataSet();
    for (int i = 1; i <= 3; ++i) {
        t.append();
        t.fieldByName("VALOR").setValue(i);
        t.post();
    }
    t.moveTo(0);
    DataSetModel modelo(t);
    EXPECT_EQ(modelo.data(modelo.index(2, 1)).toString(), QStringLiteral("6"));
    EXPECT_EQ(t.recNo(), 0);
    EXPECT_EQ(calculado.value().toInt(), 2) << "the current row reads as before";
}

// A table that takes rows stored elsewhere, as a query after a bulk loading.
class TabelaCarregada : public MemTable {
public:
    using DataSet::appendStored;
    using MemTable::MemTable;
};

TEST_F(Notificacoes, RowsStoredInBulkComeAtTheEndWithOneNotificationAfterAPendingEdit) {
    TabelaCarregada c{QStringLiteral("cdsCarga")};
    for (const Field* f : t.fields())
        c.addField(f->def());
    c.createDataSet();
    for (int i = 1; i <= 2; ++i) {
        c.append();
        c.fieldByName("CODIGO").setValue(QString::number(i));
        c.post();
    }
    DataSetModel modelo(c);
    int insercoes = 0;
    QObject::connect(&modelo, &QAbstractItemModel::rowsInserted,
                     [&](const QModelIndex&, int primeira, int ultima) {
                         ++insercoes;
                         EXPECT_EQ(primeira, 2);
                         EXPECT_EQ(ultima, 4);
                     });
    c.first();
    c.edit();
    c.fieldByName("VALOR").setValue(7);
    Ouvinte a(c, log, QStringLiteral("a"));
    c.appendStored(
        {Row{QStringLiteral("3"), 30}, Row{QStringLiteral("4"), 40}, Row{QStringLiteral("5"), 50}});
    EXPECT_EQ(ouvido(), (QStringList{"updating", "changed 0", "state 1", "appended 2+3", "moved 4"}));
    EXPECT_EQ(insercoes, 1);
    EXPECT_EQ(modelo.rowCount(), 5);
    EXPECT_EQ(c.recNo(), 4);
    EXPECT_EQ(c.fieldByName("CODIGO").asString(), QStringLiteral("5"));
    EXPECT_EQ(c.valueAt(0, c.fieldByName("VALOR").index()).toInt(), 7) << "the edit was stored first";

    // A sorted table puts them in their places and the views re-read everything.
    c.addIndex(QStringLiteral("IDX"), QStringLiteral("CODIGO"), true);
    c.setIndexName(QStringLiteral("IDX"));
    log.clear();
    c.appendStored({Row{QStringLiteral("0"), 0}});
    EXPECT_EQ(ouvido(), (QStringList{"refiltered", "moved 0"}));
    EXPECT_EQ(modelo.rowCount(), 6);
}

} // namespace
