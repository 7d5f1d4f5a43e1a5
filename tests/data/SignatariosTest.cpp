#include "data/Carregamento.h"
#include "data/uFCONT.h"
#include "platform/Abort.h"
#include "tests/support/ModuloDados.h"

using namespace testsupport;

namespace {

class Signatarios : public ModuloDadosTest {
protected:
    void SetUp() override {
        ModuloDadosTest::SetUp();
        if (IsSkipped())
            return;
        copiaTabelasExternas();
        dm->cdsListas.loadFromFile(QStringLiteral("Tabelas Externas/SPEDTabCodigos.xml"));
    }

    void executa(const QString& sql) {
        dm->quExec.close();
        dm->quExec.setSql(sql);
        dm->quExec.execSql();
        dm->trBanco.commitRetaining();
    }

    platform::Field& assinante(const char* nome) {
        return dm->quRegJ930old.fieldByName(QString::fromLatin1(nome));
    }

    const QStringList qualificacoes = {
        QStringLiteral("Diretor"),       QStringLiteral("Conselheiro de Administração"),
        QStringLiteral("Administrador"), QStringLiteral("Procurador"),
        QStringLiteral("Contador"),      QStringLiteral("Outros")};
};

TEST_F(Signatarios, NewSignatoryTakesTheNextKeyOfTheWholeTableAndTheCodeOfItsQualification) {
    executa(QStringLiteral("insert into AUGC80SPSG (SPSGCODIGO, SPCODIGO, SPSGREG, SPSGIDENT_NOM) "
                           "values (10, 7, 'J930', 'De outro conjunto')"));
    ASSERT_TRUE(data::CarregaConfiguracoes(1));
    platform::Query& sg = dm->quRegJ930old;
    ASSERT_EQ(sg.recordCount(), 2) << "only the set's own signatories";

    data::NovoRegistro(sg);
    EXPECT_EQ(assinante("SPSGCODIGO").asInteger(), 11) << "one more than the highest key of any set";
    EXPECT_EQ(assinante("SPCODIGO").asInteger(), 1);
    EXPECT_EQ(assinante("SPSGREG").asString(), QStringLiteral("J930"));
    assinante("SPSGIDENT_NOM").setValue(QStringLiteral("Helena Prado"));
    assinante("SPSGIDENT_QUALIF").setValue(QStringLiteral("  Procurador "));
    EXPECT_EQ(assinante("SPSGCOD_ASSIM").asString(), QStringLiteral("309"));
    EXPECT_FALSE(dm->cdsListas.filtered()) << "the code lists are left unfiltered";
    sg.post();

    // The same row changed to a text of no list loses the code instead of keeping a stale one.
    sg.edit();
    assinante("SPSGIDENT_QUALIF").setValue(QStringLiteral("Presidente"));
    EXPECT_EQ(assinante("SPSGCOD_ASSIM").asString(), QString());
    assinante("SPSGIDENT_QUALIF").setValue(QStringLiteral("O'Brien"));
    EXPECT_EQ(assinante("SPSGCOD_ASSIM").asString(), QString()) << "a quote in the text is no filter error";
    assinante("SPSGIDENT_QUALIF").setValue(QStringLiteral("Contador"));
    sg.post();

    sg.close();
    sg.open();
    ASSERT_EQ(sg.recordCount(), 3);
    sg.last();
    EXPECT_EQ(assinante("SPSGCODIGO").asInteger(), 11);
    EXPECT_EQ(assinante("SPSGCOD_ASSIM").asString(), QStringLiteral("900"));
    EXPECT_TRUE(caixas->get().boxes().isEmpty());
}

TEST_F(Signatarios, QualificationPickListComesFromTheCodeListsInTableOrder) {
    std::vector<platform::ColunaGrade> colunas = {
        {.campo = QStringLiteral("SPSGIDENT_NOM"), .lista = {QStringLiteral("fica")}},
        {.campo = QStringLiteral("SPSGIDENT_QUALIF"), .lista = {QStringLiteral("antiga")}},
        {.campo = QStringLiteral("EMAIL"), .lista = {QStringLiteral("fica também")}}};
    data::PreencheListaColuna(colunas, QStringLiteral(" J930 "), QStringLiteral("IDENT_QUALIF "), QString());
    EXPECT_EQ(colunas[1].lista, qualificacoes);
    EXPECT_EQ(colunas[0].lista, QStringList{QStringLiteral("fica")});
    EXPECT_EQ(colunas[2].lista, QStringList{QStringLiteral("fica também")});
    EXPECT_FALSE(dm->cdsListas.filtered());

    // A statement instead of the code lists: its column of that name, in result order.
    data::PreencheListaColuna(colunas, QString(), QStringLiteral("IDENT_QUALIF"),
                              QStringLiteral("select RCIMNOME as IDENT_QUALIF from AUGC16RCIM "
                                             "where RCIMID in (3599001, 3399001) order by RCIMID"));
    EXPECT_EQ(colunas[1].lista,
              (QStringList{QStringLiteral("Campos do Mirante"), QStringLiteral("Vale Serrano")}));

    // Without the code list file the list is empty, not the old one.
    dm->cdsListas.emptyDataSet();
    data::PreencheListaColuna(colunas, QStringLiteral("J930"), QStringLiteral("IDENT_QUALIF"), QString());
    EXPECT_TRUE(colunas[1].lista.isEmpty());
}

TEST_F(Signatarios, AssociationRowsShowTheReferentialAccountsNameAndEndOfValidity) {
    ASSERT_TRUE(data::CarregaConfiguracoes(1));
    platform::Query& ass = dm->quRegI050I051;
    bool achou = false;
    for (ass.first(); !ass.eof(); ass.next()) {
        const QString conta = ass.fieldByName(QStringLiteral("COD_CTA_REF")).asString();
        if (conta.isEmpty())
            continue;
        platform::MemTable& plano = dm->cdsPlanoRef;
        for (plano.first(); !plano.eof(); plano.next())
            if (plano.fieldByName(QStringLiteral("COD_CTA_REF")).asString() == conta)
                break;
        ASSERT_FALSE(plano.eof()) << conta.toStdString();
        EXPECT_EQ(ass.fieldByName(QStringLiteral("DESCRICAO")).asString(),
                  plano.fieldByName(QStringLiteral("DESCRICAO")).asString().left(30));
        EXPECT_EQ(ass.fieldByName(QStringLiteral("DT_VALIDADE")).value(),
                  plano.fieldByName(QStringLiteral("DT_FIN_VALIDADE")).value());
        achou = true;
    }
    EXPECT_TRUE(achou);
}

TEST_F(Signatarios, OpeningDetailRowsWithoutAnOpenSetStops) {
    dm->quSPED.close();
    EXPECT_THROW(dm->quRegJ930old.open(), platform::SilentAbort);
    EXPECT_EQ(caixas->get().texts(),
              QStringList{QStringLiteral("Erro: ao carregar outros registros quRegJ930old !")});
    EXPECT_FALSE(dm->quRegJ930old.active());
}

} // namespace
