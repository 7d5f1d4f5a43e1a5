#include "common/Consultas.h"
#include "data/dmFCONT.h"
#include "db/FirebirdError.h"
#include "platform/Abort.h"
#include "tests/support/ModuloDados.h"

using namespace testsupport;

namespace {

class Consultas : public ModuloDadosTest {
protected:
    Base base() const override { return Base::Semente; }
};

TEST_F(Consultas, LookupsReadTheFirstColumnAndKeepTheCallersValueOnFailure) {
    QString mascara = QStringLiteral("antes");
    common::BuscaValor(QStringLiteral("PACONTAMASCARA"), QStringLiteral("AUGC01PA"),
                       QStringLiteral("where pacodigo=1"), dm->quExec, mascara);
    EXPECT_EQ(mascara, QStringLiteral("9.9.99.999"));
    common::BuscaValor(QStringLiteral("NAO_HA"), QStringLiteral("AUGC01PA"), QString(), dm->quExec, mascara);
    EXPECT_EQ(mascara, QStringLiteral("9.9.99.999")) << "a failing statement leaves the variable alone";
    EXPECT_FALSE(dm->quExec.active()) << "the query is closed after a failure too";
    EXPECT_TRUE(caixas->get().boxes().isEmpty());
    common::BuscaValor(QStringLiteral("PACONTAMASCARA"), QStringLiteral("AUGC01PA"),
                       QStringLiteral("where pacodigo=999"), dm->quExec, mascara);
    EXPECT_EQ(mascara, QString()) << "a lookup that finds no row answers blank";

    EXPECT_EQ(common::BuscaValorInteiro(QStringLiteral("coalesce(Count(*), 0)"), QStringLiteral("AUGC01PA"),
                                        QString(), dm->quExec),
              3);
    EXPECT_EQ(dm->quExec.sql(), QStringLiteral(" Select coalesce(Count(*), 0)  from AUGC01PA\r\n"));
}

TEST_F(Consultas, ColumnListDropsTheExcludedColumnAndTheLastSeparator) {
    const QString todas =
        common::ListaCampos(QStringLiteral("AUGC16RCIE"), QStringLiteral(", "), QString(), dm->quAux);
    EXPECT_FALSE(todas.endsWith(QStringLiteral(", ")));
    const QStringList colunas = todas.split(QStringLiteral(", "));
    EXPECT_TRUE(colunas.contains(QStringLiteral("RCIEID")));
    const QString sem = common::ListaCampos(QStringLiteral("AUGC16RCIE"), QStringLiteral(", "),
                                            QStringLiteral("rcieid"), dm->quAux);
    EXPECT_EQ(sem.split(QStringLiteral(", ")).size(), colunas.size() - 1);
    EXPECT_FALSE(sem.contains(QStringLiteral("RCIEID")));
    EXPECT_THROW(common::ListaCampos(QStringLiteral("NAO_EXISTE"), QStringLiteral(","), QString(), dm->quAux),
                 db::FirebirdError)
        << "errors reach the caller";
    EXPECT_FALSE(dm->quAux.active());
}

TEST_F(Consultas, ScratchQueriesCarryTheirTrimmedName) {
    auto q = common::CriaQuery(QStringLiteral("  quReg0000 "), &dm->trBanco);
    ASSERT_TRUE(q);
    EXPECT_EQ(q->name(), QStringLiteral("quReg0000"));
    EXPECT_EQ(q->transaction(), &dm->trBanco);
}

TEST(ColunasSPED, UpdateStatementsListTheStoredColumnsInOrderWithConsolidationLast) {
    data::TdmFCONT modulo;
    const QString modifica = modulo.quSPED.updateSql.modifySql;
    const QStringList linhas = modifica.split(QStringLiteral("\r\n"));
    ASSERT_GE(linhas.size(), 132);
    EXPECT_EQ(linhas[0], QStringLiteral("update AUGC80SP"));
    EXPECT_EQ(linhas[2], QStringLiteral("  CFGBLOCOA = :CFGBLOCOA,"));
    EXPECT_EQ(linhas[129], QStringLiteral("  SPNOME = :SPNOME,"));
    EXPECT_EQ(linhas[130], QStringLiteral("R0000CONSOLIDAR=:R0000CONSOLIDAR"));
    EXPECT_EQ(linhas.last(), QStringLiteral("  SPCODIGO = :OLD_SPCODIGO"));
    // The underscore sorts before letters: RM020FORM_TRIB_TRI before RM020FORM_TRIBUT.
    EXPECT_LT(modifica.indexOf(QStringLiteral(":RM020FORM_TRIB_TRI,")),
              modifica.indexOf(QStringLiteral(":RM020FORM_TRIBUT,")));
    const QString insere = modulo.quSPED.updateSql.insertSql;
    EXPECT_EQ(insere.count(QLatin1Char(':')), 129);
    EXPECT_TRUE(insere.trimmed().endsWith(QStringLiteral(":R0000CONSOLIDAR)")));
}

} // namespace
