#include "app/AtualizacaoBanco.h"
#include "data/Esquema.h"
#include "data/uFCONT.h"
#include "platform/Abort.h"
#include "tests/support/ModuloDados.h"

#include <QFile>

using namespace testsupport;

namespace {

class BancoAntigo : public ModuloDadosTest {
protected:
    Base base() const override { return Base::Antiga; }
    bool atualizaNaConexao() const override { return false; }
};

// Written out rather than read from the code's list, so that a column dropped from the code fails.
const std::pair<const char*, const char*> colunasEsperadas[] = {
    {"AUGC80SP", "SPID"},
    {"AUGC80SP", "SPEFDPISCOFINS"},
    {"AUGC80SP", "R0000TIPO_ESCRIT"},
    {"AUGC80SP", "R0000NUM_REC_ANTERIOR"},
    {"AUGC80SP", "R0000IND_NAT_PJ"},
    {"AUGC80SP", "R0110COD_INC_TRIB"},
    {"AUGC80SP", "R0110IND_APRO_CRED"},
    {"AUGC80SP", "R0110COD_TIPO_CONT"},
    {"AUGC80SP", "R0111REC_BRU_NCUM_TRIB_MI"},
    {"AUGC80SP", "R0111REC_BRU_NCUM_NT_MI"},
    {"AUGC80SP", "R0111REC_BRU_NCUM_EXP"},
    {"AUGC80SP", "R0111REC_BRU_CUM"},
    {"AUGC80SP", "R0111REC_BRU_TOTAL"},
    {"AUGC80SPPA", "SPPAIND_ESCRI"},
    {"AUGC80SP", "RC010IND_ESCRI"},
    {"AUGC80SP", "CFGBLOCOA"},
    {"AUGC80SP", "R0110IND_REG_CUM"},
    {"AUGC80SPRZ", "SPRZPIS_PERC"},
    {"AUGC80SP", "R0000IND_SIT_INI_PER"},
    {"AUGC80SP", "RM020QUALI_PJ"},
    {"AUGC80SP", "RM020TIPO_ESCRIT"},
    {"AUGC80SP", "RM020NRO_REC_ANTERIOR"},
    {"AUGC80SP", "RM020ID_ESCR_PER_ANT"},
    {"AUGC80SP", "RM020SIT_SLD_PER_ANT"},
    {"AUGC80SP", "RM020IND_LCTO_INI_SLD"},
    {"AUGC80SP", "RM020FORM_APUR"},
    {"AUGC80SP", "RM020FORM_TRIBUT"},
    {"AUGC80SP", "RM020TRIM_LUC_ARB"},
    {"AUGC80SP", "RM020TRIM_LUC_TRI"},
    {"AUGC80SP", "RM020FORM_TRIB_TRI"},
    {"AUGC80SP", "RM030VL_LUC_LIQ"},
    {"AUGC80SPAS", "COD_AGL"},
    {"AUGC80SPAS", "J150IND_VL"},
    {"AUGC80SP", "RI200LCTNUMPK"},
    {"AUGC80SP", "R0000CONSOLIDAR"},
};

TEST_F(BancoAntigo, UpkeepAddsEveryMissingColumnOnce) {
    ASSERT_EQ(std::size(colunasEsperadas), 35u);
    EXPECT_FALSE(data::ExisteCampo(QStringLiteral("AUGC80SP"), QStringLiteral("R0000CONSOLIDAR")));
    app::dbBancoAfterConnect();
    EXPECT_TRUE(dm->slErros.isEmpty()) << dm->slErros.join('\n').toStdString();
    for (const auto& [tabela, nome] : colunasEsperadas)
        EXPECT_TRUE(data::ExisteCampo(QString::fromLatin1(tabela), QString::fromLatin1(nome)))
            << tabela << "." << nome;

    // A current database: the two catalogue checks pass and no addition is attempted (an attempt
    // would fail and leave its text in slErros).
    app::dbBancoAfterConnect();
    EXPECT_TRUE(dm->slErros.isEmpty());
}

TEST_F(BancoAntigo, UpkeepLogsEachExistingColumnAndAddsTheMissingOne) {
    app::dbBancoAfterConnect();
    dm->IBScript.setText(QStringLiteral("ALTER TABLE AUGC80SP DROP R0000CONSOLIDAR;"));
    dm->IBScript.run();
    dm->trBanco.commitRetaining();
    ASSERT_FALSE(data::ExisteCampo(QStringLiteral("AUGC80SP"), QStringLiteral("R0000CONSOLIDAR")));

    app::dbBancoAfterConnect();
    ASSERT_EQ(dm->slErros.size(), 34);
    for (const QString& erro : dm->slErros)
        EXPECT_TRUE(erro.startsWith(QStringLiteral("Erro: "))) << erro.toStdString();
    EXPECT_TRUE(data::ExisteCampo(QStringLiteral("AUGC80SP"), QStringLiteral("R0000CONSOLIDAR")));
}

TEST_F(BancoAntigo, ExisteCampoComparesTableNamesUpperCased) {
    EXPECT_TRUE(data::ExisteCampo(QStringLiteral("augc80sp"), QString()));
    EXPECT_TRUE(data::ExisteCampo(QStringLiteral("augc80sp"), QStringLiteral("spcodigo")));
    EXPECT_FALSE(data::ExisteCampo(QStringLiteral("NAO_EXISTE"), QString()));
}

TEST_F(BancoAntigo, PerformanceIndexIsCreatedOnceThenReportedAsExisting) {
    data::CriaIndices();
    EXPECT_EQ(caixas->get().texts(),
              QStringList{QStringLiteral("Índices de Performance criados com sucesso!")});
    caixas->get().clear();
    EXPECT_THROW(data::CriaIndices(), platform::SilentAbort);
    EXPECT_EQ(caixas->get().texts(),
              QStringList{QStringLiteral("Aviso: Índices de Performance já criados anteriormente.")});
}

// The upkeep's summary after a run against `scripts`, in the data module's connection.
QStringList avisosSobre(data::TdmFCONT& dm, const TestDatabase& outra) {
    dm.trBanco.rollback();
    dm.dbBanco.disconnect();
    dm.dbBanco.params = outra.params();
    dm.dbBanco.connect();
    dm.slErros.clear();
    app::dbBancoAfterConnect();
    return app::AvisosDaAtualizacao();
}

QString scriptSemDominio(const char* relativo) {
    QFile arquivo(QStringLiteral(FCONT_SOURCE_DIR "/") + QLatin1String(relativo));
    EXPECT_TRUE(arquivo.open(QIODevice::ReadOnly)) << relativo;
    return QString::fromLatin1(arquivo.readAll())
        .replace(QStringLiteral("DOVALOR"), QStringLiteral("NUMERIC(15,2)"));
}

TEST_F(BancoAntigo, TheUpkeepSummaryNamesWhatIsReallyMissing) {
    app::dbBancoAfterConnect();
    EXPECT_TRUE(app::AvisosDaAtualizacao().isEmpty()) << "every column added";

    dm->IBScript.setText(QStringLiteral("ALTER TABLE AUGC80SP DROP R0000CONSOLIDAR;"));
    dm->IBScript.run();
    dm->trBanco.commitRetaining();
    app::dbBancoAfterConnect();
    EXPECT_EQ(
        app::AvisosDaAtualizacao(),
        QStringList{QStringLiteral("Aviso: atualização do banco: 34 alterações não aplicadas (colunas já "
                                   "existentes); detalhes com --detalhes.")});

    // The ERP alone: the program's own tables were never created here.
    const TestDatabase soErp(
        {QStringLiteral("tools/sql/01_dominio.sql"), QStringLiteral("tools/sql/02_erp.sql")});
    EXPECT_EQ(avisosSobre(*dm, soErp),
              QStringList{QStringLiteral(
                  "Aviso: atualização do banco: as tabelas do programa não existem neste banco "
                  "(AUGC80SP, AUGC80SPAS); 33 colunas não foram criadas.")})
        << dm->slErros.join('\n').toStdString();

    // Tables of the old version without the amount domain.
    const TestDatabase semDominio;
    semDominio.runScript(scriptSemDominio("tools/sql/02_erp.sql"));
    semDominio.runScript(scriptSemDominio("tools/sql/03_proprias_antigas.sql"));
    EXPECT_EQ(
        avisosSobre(*dm, semDominio),
        QStringList{QStringLiteral("Aviso: atualização do banco: o domínio DOVALOR não existe neste banco; 7 "
                                   "colunas não foram criadas.")})
        << dm->slErros.join('\n').toStdString();
}

} // namespace
