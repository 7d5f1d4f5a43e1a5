// Suggestions for the accounts without a referential account, on the seed's small chart, and
// their acceptance through the association dataset.

#include "conferencia/Sugestoes.h"
#include "conferencia/Palavras.h"
#include "tests/conferencia/Semente.h"

using namespace testsupport;
using conferencia::TipoSugestao;

namespace {

class Sugestoes : public SementeAberta {
protected:
    QList<conferencia::Sugestao> sugere(const QString& planta) {
        abre(planta);
        if (HasFatalFailure())
            return {};
        return conferencia::SugereReferenciasDoConjuntoAberto(
            conferencia::ConfereConjuntoAberto().semReferencia);
    }
    // What another attachment reads: the database as everyone else sees it.
    QVariant referenciaDe(int spascodigo) const {
        db::Attachment outra = banco->connect();
        db::Transaction t(outra);
        const QVariant v = testsupport::value(
            t, QStringLiteral("select COD_CTA_REF from AUGC80SPAS where SPASCODIGO = %1").arg(spascodigo));
        t.commit();
        return v;
    }
    static const conferencia::Sugestao* daConta(const QList<conferencia::Sugestao>& s, const QString& conta) {
        for (const conferencia::Sugestao& x : s)
            if (x.conta.conta == conta)
                return &x;
        return nullptr;
    }
};

QString conjunto(int codigo, int empresa, int ano) {
    return QStringLiteral(
               "insert into AUGC80SP (SPCODIGO, SPID, SPNOME, EMPRESA, FILIAL, R0000DT_INI, R0000DT_FIN, "
               "RI051COD_ENT_REF) values (%1, 'T', 'SPED FCONT %3', %2, '01', '%3-01-01', '%3-12-31', "
               "'10');")
        .arg(codigo)
        .arg(empresa)
        .arg(ano);
}

QString associacao(int chave, int conjunto, int empresa, int pccodigo, const QString& referencia) {
    return QStringLiteral(
               "insert into AUGC80SPAS (SPASCODIGO, SPCODIGO, PACODIGO, PCCODIGO, COD_CTA_REF) values "
               "(%1, %2, %3, %4, '%5');")
        .arg(chave)
        .arg(conjunto)
        .arg(empresa)
        .arg(pccodigo)
        .arg(referencia);
}

TEST(Palavras, NamesAreComparedWithoutAccentsCaseStopWordsAndWordEndings) {
    EXPECT_EQ(conferencia::Palavras(QStringLiteral("(-) Depreciação ACUMULADA do imobilizado")),
              (QSet<QString>{QStringLiteral("depre"), QStringLiteral("acumu"), QStringLiteral("imobi")}));
    EXPECT_EQ(conferencia::Palavras(QStringLiteral("Fornec. nacionais")),
              conferencia::Palavras(QStringLiteral("Fornecedores Nacionais")));
    EXPECT_TRUE(conferencia::Palavras(QStringLiteral(" - e / de ")).isEmpty());
    const auto caixa = conferencia::Palavras(QStringLiteral("Caixa Geral"));
    EXPECT_DOUBLE_EQ(
        conferencia::Semelhanca(caixa, conferencia::Palavras(QStringLiteral("Caixa e fundos fixos"))),
        2.0 * 1 / (2 + 3));
    EXPECT_DOUBLE_EQ(conferencia::Semelhanca(caixa, conferencia::Palavras(QStringLiteral("caixa geral"))),
                     1.0);
    EXPECT_DOUBLE_EQ(conferencia::Semelhanca(caixa, {}), 0.0);
}

TEST_F(Sugestoes, TheSameAccountInLastYearsSetComesFirstAndUnusableMappingsAreSkipped) {
    // Set 8 (2023) and set 9 (2024, last year) of company 1; set 10 of company 2; set 7 is of
    // another kind.
    auto s = sugere(semReferencia(104) + conjunto(8, 1, 2023) + conjunto(9, 1, 2024) + conjunto(10, 2, 2024) +
                    associacao(60, 8, 1, 104, QStringLiteral("1.01.01.03.00")) +
                    associacao(61, 9, 1, 104, QStringLiteral("1.01.01.01.00")) +
                    associacao(62, 10, 2, 104, QStringLiteral("1.01.02.01.00")));
    const conferencia::Sugestao* caixa = daConta(s, QStringLiteral("1101001"));
    ASSERT_NE(caixa, nullptr);
    EXPECT_EQ(caixa->tipo, TipoSugestao::OutroConjunto);
    EXPECT_EQ(caixa->referencia, QStringLiteral("1.01.01.01.00"));
    EXPECT_EQ(caixa->descricao, QStringLiteral("Caixa e fundos fixos"));
    EXPECT_DOUBLE_EQ(caixa->confianca, 0.95);
    EXPECT_TRUE(caixa->motivo.contains(QStringLiteral("ano anterior 9"))) << caixa->motivo.toStdString();

    // Last year's mapping of the wrong group is no suggestion; the older set's is, and the
    // older one's account out of validity (1.01.01.03.00 ended in 2019) is none either.
    banco->runScript(
        QStringLiteral("update AUGC80SPAS set COD_CTA_REF = '2.01.01.01.00' where SPASCODIGO = 61;"
                       "update AUGC80SPAS set COD_CTA_REF = '1.01.01.02.00' where SPASCODIGO = 60;"));
    s = conferencia::SugereReferenciasDoConjuntoAberto(conferencia::ConfereConjuntoAberto().semReferencia);
    caixa = daConta(s, QStringLiteral("1101001"));
    ASSERT_NE(caixa, nullptr);
    EXPECT_EQ(caixa->tipo, TipoSugestao::OutroConjunto);
    EXPECT_EQ(caixa->referencia, QStringLiteral("1.01.01.02.00"));
    EXPECT_DOUBLE_EQ(caixa->confianca, 0.85);
    banco->runScript(
        QStringLiteral("update AUGC80SPAS set COD_CTA_REF = '1.01.01.03.00' where SPASCODIGO = 60;"));
    s = conferencia::SugereReferenciasDoConjuntoAberto(conferencia::ConfereConjuntoAberto().semReferencia);
    caixa = daConta(s, QStringLiteral("1101001"));
    ASSERT_NE(caixa, nullptr);
    EXPECT_NE(caixa->tipo, TipoSugestao::OutroConjunto);
}

TEST_F(Sugestoes, TheMappingMostSiblingsShareIsSuggestedOnlyWhenAtLeastTwoAgree) {
    // Under 4201 salaries and depreciation both map to 3.02.02.01.00 now; rent has none.
    const auto s = sugere(semReferencia(138) + referencia(140, QStringLiteral("3.02.02.01.00")));
    const conferencia::Sugestao* aluguel = daConta(s, QStringLiteral("4201002"));
    ASSERT_NE(aluguel, nullptr);
    EXPECT_EQ(aluguel->tipo, TipoSugestao::Irmas);
    EXPECT_EQ(aluguel->referencia, QStringLiteral("3.02.02.01.00"));
    EXPECT_DOUBLE_EQ(aluguel->confianca, 0.8);
    EXPECT_EQ(aluguel->motivo,
              QStringLiteral(
                  "2 de 2 contas irmãs sob 4201 - Despesas Administrativas usam esta conta referencial"));

    // The bank's one sibling, the cash account, is no majority: the name decides instead.
    const auto semIrmas = sugere(semReferencia(105));
    const conferencia::Sugestao* b = daConta(semIrmas, QStringLiteral("1101002"));
    ASSERT_NE(b, nullptr);
    EXPECT_EQ(b->tipo, TipoSugestao::Descricao);
}

TEST_F(Sugestoes, TheClosestDescriptionOfTheAccountsGroupIsSuggestedWithItsScore) {
    const auto s = sugere(semReferencia(105) + semReferencia(118) + semReferencia(121));
    ASSERT_EQ(s.size(), 3);
    EXPECT_EQ(s[0].conta.conta, QStringLiteral("1101002"));
    EXPECT_EQ(s[0].referencia, QStringLiteral("1.01.01.02.00")) << "Bancos conta movimento";
    EXPECT_DOUBLE_EQ(s[0].confianca, 0.7);
    EXPECT_TRUE(s[0].motivo.contains(QStringLiteral("100%"))) << s[0].motivo.toStdString();
    // "Impostos a Recolher" shares "recolher" with "Tributos a recolher" of group 2, and
    // nothing with the tax account of group 3 that shares "tributos" with neither.
    EXPECT_EQ(s[1].conta.conta, QStringLiteral("2102001"));
    EXPECT_EQ(s[1].referencia, QStringLiteral("2.01.02.01.00"));
    EXPECT_DOUBLE_EQ(s[1].confianca, 0.7 * 0.5);
    EXPECT_EQ(s[2].conta.conta, QStringLiteral("2301001"));
    EXPECT_EQ(s[2].referencia, QStringLiteral("2.03.01.01.00"));
    for (const auto& x : s)
        EXPECT_EQ(x.tipo, TipoSugestao::Descricao);
}

TEST_F(Sugestoes, NothingIsStoredUntilAcceptedAndAnAcceptedRowIsSeenByAnotherAttachmentAtOnce) {
    const auto s = sugere(semReferencia(104) + semReferencia(105) + semReferencia(138) +
                          referencia(140, QStringLiteral("3.02.02.01.00")) + conjunto(9, 1, 2024) +
                          associacao(61, 9, 1, 104, QStringLiteral("1.01.01.01.00")));
    ASSERT_EQ(s.size(), 3);
    EXPECT_FALSE(referenciaDe(4).isValid());
    EXPECT_FALSE(referenciaDe(5).isValid());
    EXPECT_FALSE(referenciaDe(39).isValid());

    platform::Query& q = dm->quRegI050I051;
    q.moveTo(2);
    // 0.95 (last year's set) and 0.80 (siblings) are at or above 80%; the name match (70%) is not.
    EXPECT_EQ(conferencia::AceitaSugestoes(conferencia::AcimaDe(s, 0.8)), 2);
    EXPECT_EQ(referenciaDe(4).toString(), QStringLiteral("1.01.01.01.00"));
    EXPECT_EQ(referenciaDe(39).toString(), QStringLiteral("3.02.02.01.00"));
    EXPECT_FALSE(referenciaDe(5).isValid());
    EXPECT_EQ(q.recNo(), 2) << "the grid's current row stays";
    EXPECT_EQ(q.state(), platform::DataSetState::Browse);
    EXPECT_EQ(q.valueAt(3, q.fieldByName(QStringLiteral("COD_CTA_REF")).index()).toString(),
              QStringLiteral("1.01.01.01.00"))
        << "the dataset shows the stored row";

    // A row mapped meanwhile keeps what it has.
    EXPECT_EQ(conferencia::AceitaSugestoes(s), 1);
    EXPECT_EQ(referenciaDe(4).toString(), QStringLiteral("1.01.01.01.00"));
    EXPECT_EQ(referenciaDe(5).toString(), QStringLiteral("1.01.01.02.00"));
}

TEST_F(Sugestoes, AcceptingNeedsTheOpenRows) {
    const auto s = sugere(semReferencia(105));
    ASSERT_EQ(s.size(), 1);
    dm->quRegI050I051.close();
    EXPECT_THROW(conferencia::AceitaSugestoes(s), std::runtime_error);
    EXPECT_FALSE(referenciaDe(5).isValid());
}

} // namespace
