#include "data/Carregamento.h"
#include "data/TabelasCodigos.h"
#include "data/uFCONT.h"
#include "db/Transaction.h"
#include "platform/Abort.h"
#include "tests/support/ModuloDados.h"

using namespace testsupport;

namespace {

class Parametros : public ModuloDadosTest {
protected:
    platform::Field& campo(const char* nome) { return dm->quSPED.fieldByName(QString::fromLatin1(nome)); }
};

TEST_F(Parametros, NewSetGetsTheNextCodeOfTheWholeTableAndItsDefaults) {
    data::CarregaConfiguracoes(0);
    ASSERT_EQ(dm->quSPED.state(), platform::DataSetState::Insert);
    EXPECT_EQ(campo("SPCODIGO").asInteger(), 8) << "another owner's set holds code 7";
    EXPECT_EQ(campo("SPID").asString(), QStringLiteral("T"));
    EXPECT_EQ(campo("R0000COD_VER").asString(), QStringLiteral("000"));
    EXPECT_EQ(campo("R0000COD_FIN").asInteger(), 0);
    EXPECT_EQ(campo("SPNOME").asString(), QStringLiteral("SPED FCONT - <Nome da Empresa>"));
    EXPECT_EQ(campo("RM020IND_LCTO_INI_SLD").asString(), QStringLiteral("1"));
    EXPECT_EQ(campo("RM020FORM_APUR").asString(), QStringLiteral("A"));
    EXPECT_EQ(campo("RM030VL_LUC_LIQ").asFloat(), 0.0);
    EXPECT_TRUE(campo("R0000CONSOLIDAR").isNull());
}

TEST_F(Parametros, NewSetWithoutCompanyOrBranchIsNotStored) {
    data::CarregaConfiguracoes(0);
    const QString aviso = QStringLiteral("Aviso: operação abortada.\rEmpresa não selecionada!");
    EXPECT_THROW(data::GravaRegistro(dm->quSPED), platform::SilentAbort);
    campo("FILIAL").setValue(QStringLiteral("01"));
    EXPECT_THROW(data::GravaRegistro(dm->quSPED), platform::SilentAbort) << "EMPRESA empty counts as 0";
    EXPECT_EQ(caixas->get().texts(), (QStringList{aviso, aviso}));
    EXPECT_EQ(dm->quSPED.state(), platform::DataSetState::Insert) << "the row keeps its values";
    EXPECT_EQ(campo("FILIAL").asString(), QStringLiteral("01"));

    campo("EMPRESA").setValue(1);
    data::GravaRegistro(dm->quSPED);
    // Stored and committed: a fresh load finds it with every column as written.
    data::CarregaDadosSPEDFCONT(8);
    ASSERT_EQ(dm->quSPED.recordCount(), 1);
    EXPECT_EQ(campo("SPNOME").asString(), QStringLiteral("SPED FCONT - <Nome da Empresa>"));
    EXPECT_EQ(campo("EMPRESA").asInteger(), 1);
}

TEST_F(Parametros, EditingAnExistingSetIsNotChecked) {
    data::CarregaDadosSPEDFCONT(1);
    dm->quSPED.edit();
    campo("FILIAL").setValue(QStringLiteral("  "));
    campo("SPNOME").setValue(QStringLiteral("Renomeada"));
    data::GravaRegistro(dm->quSPED);
    EXPECT_TRUE(caixas->get().boxes().isEmpty());
    data::CarregaDadosSPEDFCONT(1);
    EXPECT_EQ(campo("SPNOME").asString(), QStringLiteral("Renomeada"));
    EXPECT_EQ(campo("R0000CONSOLIDAR").asInteger(), 0) << "the last column of the update is written too";
}

TEST_F(Parametros, OtherOwnersSetsAreNeverOpened) {
    data::CarregaDadosSPEDFCONT(7);
    EXPECT_TRUE(dm->quSPED.isEmpty());
}

TEST_F(Parametros, CodeTablesShowTextsAndStoreCodes) {
    data::CarregaDadosSPEDFCONT(1);
    dm->quSPED.edit();
    campo("RM020QUALI_PJ").setValue(QStringLiteral("20"));
    EXPECT_EQ(campo("RM020QUALI_PJ").displayText(),
              QStringLiteral("20 - PJ Componente do Sistema Financeiro – (COSIF)"));
    campo("RM020QUALI_PJ").setValue(QStringLiteral("30"));
    EXPECT_EQ(campo("RM020QUALI_PJ").displayText(), QString());
    campo("RM020TIPO_ESCRIT").setText(QStringLiteral("1 - Retificadora"));
    EXPECT_EQ(campo("RM020TIPO_ESCRIT").asString(), QStringLiteral("1"))
        << "the item cut to the column's width";
    EXPECT_EQ(campo("RM020TIPO_ESCRIT").displayText(), QStringLiteral("1 -Retificadora"));
    campo("RM020FORM_TRIB_TRI").setText(QStringLiteral("1 - Real"));
    EXPECT_EQ(campo("RM020FORM_TRIB_TRI").asString(), QStringLiteral("1"));

    // The referential entity: chosen by its text, reloading the referential chart every time.
    copiaTabelasExternas();
    campo("RI051COD_ENT_REF").setText(QStringLiteral("20 - Banco Central do Brasil (Cosif)"));
    EXPECT_EQ(campo("RI051COD_ENT_REF").asString(), QStringLiteral("20"));
    dm->cdsPlanoRef.emptyDataSet();
    campo("RI051COD_ENT_REF").setText(QStringLiteral("20 - Banco Central do Brasil (Cosif)"));
    EXPECT_GT(dm->cdsPlanoRef.recordCount(), 0) << "the same value again reloads the chart";
    campo("RI051COD_ENT_REF").setText(QStringLiteral("qualquer"));
    EXPECT_EQ(campo("RI051COD_ENT_REF").asString(), QStringLiteral("20"));
    dm->quSPED.cancel();
}

TEST_F(Parametros, DeletingAsksFirstAndNothingHappensOnAnEmptySet) {
    data::CarregaDadosSPEDFCONT(99);
    data::ExcluiRegistro(dm->quSPED);
    EXPECT_TRUE(caixas->get().boxes().isEmpty());

    data::CarregaDadosSPEDFCONT(1);
    caixas->get().answerNext(QStringLiteral("Não"));
    data::ExcluiRegistro(dm->quSPED);
    EXPECT_EQ(dm->quSPED.recordCount(), 1);
    caixas->get().answerNext(QStringLiteral("Sim"));
    data::ExcluiRegistro(dm->quSPED);
    EXPECT_TRUE(dm->quSPED.isEmpty());
    EXPECT_EQ(caixas->get().texts(),
              (QStringList{QStringLiteral("Tem certeza de que deseja excluir o registro?"),
                           QStringLiteral("Tem certeza de que deseja excluir o registro?")}));
}

// The window keeps its transaction open while it shows the set and the program rolls it back
// when it ends, so a deletion that waits for a later commit comes back at the next start.
TEST_F(Parametros, DeletionsAreCommittedAtOnceAndOutliveTheConnection) {
    copiaTabelasExternas();
    ASSERT_TRUE(data::CarregaConfiguracoes(1));
    db::Attachment outra = banco->connect();
    auto conta = [&](const char* tabela, const char* condicao) {
        db::Transaction leitura(outra);
        const int n = testsupport::value(leitura, QStringLiteral("select count(*) from %1 where %2")
                                                      .arg(QLatin1String(tabela), QLatin1String(condicao)))
                          .toInt();
        leitura.commit();
        return n;
    };
    ASSERT_EQ(conta("AUGC80SPSG", "SPCODIGO = 1"), 2);
    const int associacoes = conta("AUGC80SPAS", "SPCODIGO = 1");
    ASSERT_GT(associacoes, 0);

    caixas->get().answerNext(QStringLiteral("Sim"));
    data::ExcluiRegistro(dm->quRegJ930old);
    EXPECT_EQ(conta("AUGC80SPSG", "SPCODIGO = 1"), 1) << "a signatory";
    caixas->get().answerNext(QStringLiteral("Sim"));
    data::ExcluiRegistro(dm->quRegI050I051);
    EXPECT_EQ(conta("AUGC80SPAS", "SPCODIGO = 1"), associacoes - 1) << "an association row";
    caixas->get().answerNext(QStringLiteral("Sim"));
    data::ExcluiRegistro(dm->quSPED);
    EXPECT_EQ(conta("AUGC80SP", "SPCODIGO = 1"), 0) << "the set";

    // The end of the program: what was not committed goes.
    dm->trBanco.rollback();
    dm->dbBanco.disconnect();
    dm->dbBanco.connect();
    data::CarregaDadosSPEDFCONT(1);
    EXPECT_TRUE(dm->quSPED.isEmpty());
    EXPECT_EQ(conta("AUGC80SPSG", "SPCODIGO = 1"), 1);
    EXPECT_EQ(conta("AUGC80SPAS", "SPCODIGO = 1"), associacoes - 1);
}

TEST_F(Parametros, BranchLookupSwallowsErrors) {
    EXPECT_TRUE(data::ExisteFilial(QStringLiteral("01")));
    EXPECT_FALSE(data::ExisteFilial(QStringLiteral("99")));
    dm->quDadosEmpresa.setSql(QStringLiteral("select * from NAO_EXISTE where codigo = :FILIAL"));
    EXPECT_FALSE(data::ExisteFilial(QStringLiteral("01")));
    ASSERT_EQ(dm->slErros.size(), 1);
    EXPECT_TRUE(dm->slErros.first().startsWith(QStringLiteral("Erro: ")));
}

TEST_F(Parametros, NewSignatoryAndAssociationGetKeysOfTheWholeTable) {
    copiaTabelasExternas();
    ASSERT_TRUE(data::CarregaConfiguracoes(1));
    data::NovoRegistro(dm->quRegJ930old);
    EXPECT_EQ(dm->quRegJ930old.fieldByName(QStringLiteral("SPSGREG")).asString(), QStringLiteral("J930"));
    EXPECT_EQ(dm->quRegJ930old.fieldByName(QStringLiteral("SPCODIGO")).asInteger(), 1);
    EXPECT_GT(dm->quRegJ930old.fieldByName(QStringLiteral("SPSGCODIGO")).asInteger(), 2);
    dm->quRegJ930old.cancel();

    data::NovoRegistro(dm->quRegI050I051);
    EXPECT_EQ(dm->quRegI050I051.fieldByName(QStringLiteral("SPASCODIGO")).asInteger(), 44);
    EXPECT_EQ(dm->quRegI050I051.fieldByName(QStringLiteral("PACODIGO")).asInteger(), 1);
    dm->quRegI050I051.cancel();
}

TEST_F(Parametros, AgglutinationCodeOnlyForAnalyticAccounts) {
    copiaTabelasExternas();
    ASSERT_TRUE(data::CarregaConfiguracoes(1));
    platform::Query& ass = dm->quRegI050I051;
    ass.first();
    ASSERT_EQ(ass.fieldByName(QStringLiteral("PCTIPO")).asString(), QStringLiteral("S"));
    ass.edit();
    ass.fieldByName(QStringLiteral("COD_AGL")).setValue(QStringLiteral("   "));
    ass.post();
    ass.edit();
    ass.fieldByName(QStringLiteral("COD_AGL")).setValue(QStringLiteral("X1"));
    EXPECT_THROW(ass.post(), platform::SilentAbort);
    EXPECT_EQ(ass.state(), platform::DataSetState::Edit);
    EXPECT_EQ(caixas->get().texts(),
              QStringList{QStringLiteral(
                  "Aviso: operação abortada.\rO campo \"Cod. Aglutinação\" deve ser preenchido "
                  "somente para as Contas Analíticas!")});
    ass.cancel();

    // An analytic account takes the code, and the statement of an edited row stores it.
    while (!ass.eof() && ass.fieldByName(QStringLiteral("PCTIPO")).asString() != QLatin1String("A"))
        ass.next();
    ASSERT_FALSE(ass.eof());
    const qint64 chave = ass.fieldByName(QStringLiteral("SPASCODIGO")).asInteger();
    ass.edit();
    ass.fieldByName(QStringLiteral("COD_AGL")).setValue(QStringLiteral("AG-7"));
    ass.post();
    db::Attachment outra = banco->connect();
    db::Transaction leitura(outra);
    EXPECT_EQ(testsupport::value(leitura, QStringLiteral("select coalesce(COD_AGL, '<nulo>') from AUGC80SPAS "
                                                         "where SPASCODIGO = %1")
                                              .arg(chave))
                  .toString()
                  .toStdString(),
              std::string("AG-7"));
    leitura.commit();
}

// The window keeps its transaction open for as long as it shows the set, so every stored row must
// be committed the moment it is posted: another workstation (or the generation's own reading in a
// second connection) sees it at once, and a crash of the program loses nothing already accepted.
TEST_F(Parametros, StoredRowsAreVisibleAtOnceFromAnotherConnection) {
    copiaTabelasExternas();
    ASSERT_TRUE(data::CarregaConfiguracoes(1));
    db::Attachment outra = banco->connect();
    auto visto = [&](const QString& sql) {
        db::Transaction leitura(outra);
        const QVariant v = testsupport::value(leitura, sql);
        leitura.commit();
        return v.toString().toStdString();
    };

    platform::Query& ass = dm->quRegI050I051;
    ass.first();
    const int alterada = static_cast<int>(ass.fieldByName(QStringLiteral("SPASCODIGO")).asInteger());
    ass.edit();
    ass.fieldByName(QStringLiteral("COD_CTA_REF")).setValue(QStringLiteral("9.99"));
    ass.post();
    EXPECT_EQ(visto(QStringLiteral("select coalesce(COD_CTA_REF, '') from AUGC80SPAS where SPASCODIGO = %1")
                        .arg(alterada)),
              std::string("9.99"));

    ass.next();
    const int excluida = static_cast<int>(ass.fieldByName(QStringLiteral("SPASCODIGO")).asInteger());
    ass.remove();
    EXPECT_EQ(visto(QStringLiteral("select count(*) from AUGC80SPAS where SPASCODIGO = %1").arg(excluida)),
              std::string("0"));

    data::NovoRegistro(dm->quRegJ930old);
    const int signatario =
        static_cast<int>(dm->quRegJ930old.fieldByName(QStringLiteral("SPSGCODIGO")).asInteger());
    dm->quRegJ930old.fieldByName(QStringLiteral("SPSGIDENT_NOM")).setValue(QStringLiteral("Novo Signatario"));
    data::GravaRegistro(dm->quRegJ930old);
    EXPECT_EQ(visto(QStringLiteral("select coalesce(SPSGIDENT_NOM, '') from AUGC80SPSG where SPSGCODIGO = %1")
                        .arg(signatario)),
              std::string("Novo Signatario"));

    dm->quSPED.edit();
    campo("SPNOME").setValue(QStringLiteral("Gravada agora"));
    data::GravaRegistro(dm->quSPED);
    EXPECT_EQ(visto(QStringLiteral("select SPNOME from AUGC80SP where SPCODIGO = 1")),
              std::string("Gravada agora"));
}

} // namespace
