#include "platform/DataSetModel.h"
#include "platform/MemTable.h"

#include <gtest/gtest.h>

using namespace platform;

namespace {

FieldDef campo(const char* nome, FieldType tipo, int tamanho = 0) {
    FieldDef d;
    d.name = QString::fromLatin1(nome);
    d.type = tipo;
    d.size = tamanho;
    return d;
}

class Tabela : public ::testing::Test {
protected:
    Tabela() {
        t.addField(campo("CODIGO", FieldType::String, 5));
        t.addField(campo("VALOR", FieldType::Float));
        t.addField(campo("DATA", FieldType::Date));
        t.createDataSet();
    }
    void grava(const QVariant& codigo, const QVariant& valor = {}, const QVariant& data = {}) {
        t.append();
        t.fieldByName("CODIGO").setValue(codigo);
        t.fieldByName("VALOR").setValue(valor);
        t.fieldByName("DATA").setValue(data);
        t.post();
    }
    MemTable t{QStringLiteral("cdsTeste")};
};

TEST_F(Tabela, StoredValuesAreConvertedCutToSizeAndKeepNullApartFromEmpty) {
    grava(QStringLiteral("ABCDEFG"), QStringLiteral("1234,5"), QStringLiteral("31/12/2014"));
    grava(QString(), QVariant(), QVariant());
    grava(QVariant());
    t.first();
    EXPECT_EQ(t.fieldByName("CODIGO").asString(), QStringLiteral("ABCDE"));
    EXPECT_DOUBLE_EQ(t.fieldByName("VALOR").asFloat(), 1234.5) << "texts are read with the decimal comma";
    EXPECT_EQ(t.fieldByName("DATA").asDateTime().date(), QDate(2014, 12, 31)) << "dates are read day first";
    EXPECT_EQ(t.fieldByName("VALOR").asString(), QStringLiteral("1234,5"));
    t.next();
    EXPECT_FALSE(t.fieldByName("CODIGO").isNull()) << "an empty text is not null";
    EXPECT_TRUE(t.fieldByName("VALOR").isNull());
    t.next();
    EXPECT_TRUE(t.fieldByName("CODIGO").isNull());
    EXPECT_THROW(t.fieldByName("NAO_HA"), std::invalid_argument);
}

TEST_F(Tabela, ATextRepeatedFromTheRowBeforeIsKeptOnceAndStillEditedAlone) {
    // Texts made at run time, as the database gives them: two literals could share already.
    grava(QString::fromLatin1("D"), 1.0);
    grava(QString::fromLatin1("D"), 2.0);
    grava(QStringLiteral("C"), 3.0);
    const int codigo = t.fieldByName("CODIGO").index();
    EXPECT_EQ(t.valueAt(0, codigo).toString().constData(), t.valueAt(1, codigo).toString().constData())
        << "the second row should hold the first row's copy of \"D\"";
    t.moveTo(1);
    t.edit();
    t.fieldByName("CODIGO").setValue(QStringLiteral("X"));
    t.post();
    EXPECT_EQ(t.valueAt(0, codigo).toString(), QStringLiteral("D"));
    EXPECT_EQ(t.valueAt(1, codigo).toString(), QStringLiteral("X"));
    EXPECT_EQ(t.valueAt(2, codigo).toString(), QStringLiteral("C"));
}

TEST_F(Tabela, StatesFollowAppendEditPostCancelAndDelete) {
    int novos = 0, gravados = 0;
    t.onNewRecord = [&](DataSet& ds) {
        ++novos;
        ds.fieldByName("CODIGO").setValue(QStringLiteral("NOVO"));
    };
    t.afterPost = [&](DataSet&) { ++gravados; };
    t.append();
    EXPECT_EQ(t.state(), DataSetState::Insert);
    EXPECT_EQ(t.fieldByName("CODIGO").asString(), QStringLiteral("NOVO"));
    t.cancel();
    EXPECT_TRUE(t.isEmpty());
    grava(QStringLiteral("A"));
    t.beforePost = [](DataSet&) { throw std::runtime_error("recusado"); };
    t.edit();
    t.fieldByName("CODIGO").setValue(QStringLiteral("B"));
    EXPECT_THROW(t.post(), std::runtime_error);
    EXPECT_EQ(t.state(), DataSetState::Edit) << "a refused post keeps the row in edit";
    t.cancel();
    EXPECT_EQ(t.fieldByName("CODIGO").asString(), QStringLiteral("A"));
    t.beforePost = nullptr;
    t.remove();
    EXPECT_TRUE(t.isEmpty());
    EXPECT_EQ(novos, 2);
    EXPECT_EQ(gravados, 1);
    EXPECT_THROW(t.fieldByName("CODIGO").setValue(QStringLiteral("X")), std::logic_error)
        << "not in edit state";
}

TEST_F(Tabela, FilterAndCaseInsensitiveIndexShapeTheRows) {
    grava(QStringLiteral("b"), 2.0);
    grava(QStringLiteral("A"), 1.0);
    grava(QStringLiteral("c"), 3.0);
    t.addIndex(QStringLiteral("IDX"), QStringLiteral("CODIGO"), true);
    t.setIndexName(QStringLiteral("IDX"));
    QStringList ordem;
    for (t.first(); !t.eof(); t.next())
        ordem << t.fieldByName("CODIGO").asString();
    EXPECT_EQ(ordem, (QStringList{"A", "b", "c"}));
    t.setFilter(QStringLiteral("CODIGO = 'c' or VALOR < 2"));
    t.setFiltered(true);
    EXPECT_EQ(t.recordCount(), 2);
    t.setFiltered(false);
    EXPECT_EQ(t.recordCount(), 3);
    t.clearIndexes();
    t.first();
    EXPECT_EQ(t.fieldByName("CODIGO").asString(), QStringLiteral("b")) << "insertion order again";
}

TEST_F(Tabela, ModelShowsVisibleFieldsThroughTheirDisplayText) {
    grava(QStringLiteral("1"), 10.5, QStringLiteral("01/02/2025"));
    t.fieldByName("VALOR").setVisible(false);
    t.fieldByName("CODIGO").setDisplayLabel(QStringLiteral("Código"));
    t.fieldByName("CODIGO").onGetText = [](const Field&, const QVariant& v) {
        return QStringLiteral("<%1>").arg(v.toString());
    };
    t.fieldByName("CODIGO").onSetText = [](Field& f, const QString& texto) { f.setAsString(texto.left(1)); };
    DataSetModel modelo(t);
    ASSERT_EQ(modelo.columnCount(), 2);
    EXPECT_EQ(modelo.headerData(0, Qt::Horizontal).toString(), QStringLiteral("Código"));
    EXPECT_EQ(modelo.data(modelo.index(0, 0)).toString(), QStringLiteral("<1>"));
    EXPECT_EQ(modelo.data(modelo.index(0, 1)).toString(), QStringLiteral("01/02/2025"));
    EXPECT_TRUE(modelo.setData(modelo.index(0, 0), QStringLiteral("9 - Nove")));
    t.post();
    EXPECT_EQ(t.fieldByName("CODIGO").asString(), QStringLiteral("9"));
}

} // namespace
