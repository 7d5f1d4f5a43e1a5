#include "data/Carregamento.h"
#include "data/Esquema.h"
#include "data/uFCONT.h"
#include "platform/Abort.h"
#include "tests/support/ModuloDados.h"

using namespace testsupport;

namespace {

const QString abortado = QStringLiteral("Erro: Operation aborted");
const QString empresaFalhou = QStringLiteral("Erro: ao carregar registros Empresa Processada!");

class Carregamento : public ModuloDadosTest {
protected:
    void SetUp() override {
        ModuloDadosTest::SetUp();
        if (!IsSkipped())
            copiaTabelasExternas();
    }

    // Changes the schema with nothing open on it.
    void altera(const QString& script) {
        for (platform::Query* q : {&dm->quSPED, &dm->quEmpresaProc, &dm->quPlanoCtb, &dm->quCcus,
                                   &dm->quRegI050I051, &dm->quRegJ930old})
            q->close();
        ASSERT_TRUE(data::ExecutaScript(script)) << script.toStdString();
    }

    // Loads set 1 expecting the silent abort; the boxes shown on the way.
    QStringList carregaComFalha() {
        EXPECT_THROW(data::CarregaConfiguracoes(1), platform::SilentAbort);
        return caixas->get().texts();
    }

    platform::Field& campo(const char* nome) { return dm->quSPED.fieldByName(QString::fromLatin1(nome)); }
};

TEST_F(Carregamento, EachFailingStepShowsItsChainOfBoxesAndStopsTheLoading) {
    // Company row: an empty EMPRESA leaves the statement without a value.
    altera(QStringLiteral("update AUGC80SP set EMPRESA = null where SPCODIGO = 1;"));
    EXPECT_EQ(carregaComFalha(), (QStringList{empresaFalhou, abortado}));
    EXPECT_FALSE(dm->quPlanoCtb.active()) << "later steps do not run";
    EXPECT_FALSE(dm->quRegI050I051.active());
    caixas->get().clear();

    altera(QStringLiteral("update AUGC80SP set EMPRESA = 1 where SPCODIGO = 1;"));
    altera(QStringLiteral("alter table ACBC15PC drop PCNIVEL;"));
    QStringList caixasVistas = carregaComFalha();
    ASSERT_EQ(caixasVistas.size(), 3);
    EXPECT_TRUE(
        caixasVistas[0].startsWith(QStringLiteral("Erro: ao carregar Plano de Contas Contábil.\rCausa: ")))
        << caixasVistas[0].toStdString();
    EXPECT_EQ(caixasVistas.mid(1), (QStringList{empresaFalhou, abortado}));
    EXPECT_FALSE(dm->quCcus.active()) << "the cost centres come after the chart";
    caixas->get().clear();

    altera(QStringLiteral("alter table ACBC15PC add PCNIVEL char(1);"));
    altera(QStringLiteral("alter table AAFC80PF drop PFDESCRICAO;"));
    caixasVistas = carregaComFalha();
    ASSERT_EQ(caixasVistas.size(), 3);
    EXPECT_TRUE(caixasVistas[0].startsWith(QStringLiteral("Erro: ao carregar Centros de Custo.\rCausa: ")))
        << caixasVistas[0].toStdString();
    EXPECT_EQ(caixasVistas.mid(1), (QStringList{empresaFalhou, abortado}));
    caixas->get().clear();

    altera(QStringLiteral("drop table AUGC16RCIM;"));
    caixasVistas = carregaComFalha();
    ASSERT_EQ(caixasVistas.size(), 2);
    EXPECT_TRUE(caixasVistas[0].startsWith(
        QStringLiteral("Erro: ao carregar registros de configurações SPED FCONT!\r")))
        << caixasVistas[0].toStdString();
    EXPECT_GT(caixasVistas[0].size(), 57) << "the server's text follows";
    EXPECT_EQ(caixasVistas[1], abortado);
}

TEST_F(Carregamento, MissingReferentialChartStopsTheOpeningOfTheAssociations) {
    QFile::remove(QStringLiteral("Tabelas Externas/contasref-SRF.txt"));
    EXPECT_EQ(carregaComFalha(),
              (QStringList{QStringLiteral("Erro: \rArquivo \"contasref-SRF.txt\" não encontrado!"),
                           QStringLiteral("Erro: \rAo carregar Plano de Contas Referencial."), abortado}));
    EXPECT_FALSE(dm->quRegI050I051.active());
    EXPECT_FALSE(dm->quRegJ930old.active());
}

TEST_F(Carregamento, NoChosenSetStartsANewOneAndOpensNoDetailRows) {
    EXPECT_FALSE(data::CarregaConfiguracoes(0));
    EXPECT_EQ(dm->quSPED.state(), platform::DataSetState::Insert);
    EXPECT_FALSE(dm->quRegI050I051.active());
    // A set of another owner is not found: nothing else opens, and the company step fails.
    dm->quSPED.cancel();
    EXPECT_THROW(data::CarregaConfiguracoes(7), platform::SilentAbort);
    EXPECT_TRUE(dm->quSPED.isEmpty());
    EXPECT_EQ(caixas->get().texts(), (QStringList{empresaFalhou, abortado}));
}

TEST_F(Carregamento, CompanyAndBranchChoicesWaitForSalvar) {
    ASSERT_TRUE(data::CarregaConfiguracoes(1));
    const int contas = dm->quPlanoCtb.recordCount();
    data::EscolheEmpresa(QString());
    data::EscolheFilial(QString());
    data::EscolheFilial(QStringLiteral("99"));
    EXPECT_EQ(dm->quSPED.state(), platform::DataSetState::Browse) << "no choice changes nothing";

    data::EscolheEmpresa(QStringLiteral("2"));
    EXPECT_EQ(dm->quSPED.state(), platform::DataSetState::Edit);
    EXPECT_EQ(campo("EMPRESA").asInteger(), 2);
    EXPECT_EQ(dm->quPlanoCtb.recordCount(), contas) << "the chart follows at the next loading";
    EXPECT_EQ(dm->quPlanoCtb.param(QStringLiteral("PACODIGO")).toInt(), 1);

    data::EscolheFilial(QStringLiteral("02"));
    EXPECT_EQ(campo("FILIAL").asString(), QStringLiteral("02"));
    EXPECT_EQ(campo("R0000CNPJ").asString(), QStringLiteral("11222333000262")) << "digits only";
    EXPECT_EQ(campo("R0000NOME").asString(), QStringLiteral("VALE SERRANO SERVIÇOS TÉCNICOS LTDA - FILIAL"));
    EXPECT_EQ(campo("R0000IE").asString(), QStringLiteral("234567890112"));
    EXPECT_EQ(campo("R0000IM").asString(), QString());
    EXPECT_EQ(campo("R0005END").asString(), QStringLiteral("Avenida Brasil"));
    EXPECT_EQ(campo("R0005NUM").asString(), QStringLiteral("1500"));
    EXPECT_EQ(campo("R0005CEP").asString(), QStringLiteral("13995-100"));
    EXPECT_EQ(dm->quSPED.state(), platform::DataSetState::Edit);
    EXPECT_TRUE(caixas->get().boxes().isEmpty());
    dm->quSPED.cancel();
}

TEST_F(Carregamento, MunicipalityIsStoredAtOnceWithThePendingEdits) {
    ASSERT_TRUE(data::CarregaConfiguracoes(1));
    dm->quSPED.edit();
    campo("R0000NOME").setValue(QStringLiteral("Nome pendente"));
    data::EscolheMunicipio(QStringLiteral("nada"));
    EXPECT_EQ(dm->quSPED.state(), platform::DataSetState::Edit);

    data::EscolheMunicipio(QStringLiteral("3399001"));
    EXPECT_EQ(dm->quSPED.state(), platform::DataSetState::Browse);
    EXPECT_EQ(campo("MUN_DESC").asString(), QStringLiteral("Campos do Mirante"));
    data::CarregaDadosSPEDFCONT(1);
    EXPECT_EQ(campo("R0000COD_MUN").asString(), QStringLiteral("3399001"));
    EXPECT_EQ(campo("R0000NOME").asString(), QStringLiteral("Nome pendente"));
}

TEST_F(Carregamento, RenameCancelledLeavesTheSetAndAnAnswerIsTrimmedAndStored) {
    ASSERT_TRUE(data::CarregaConfiguracoes(1));
    const QString antes = campo("SPNOME").asString();
    ASSERT_FALSE(antes.isEmpty());
    caixas->get().answerNextInput(std::nullopt);
    data::RenomeiaConfiguracao();
    EXPECT_EQ(dm->quSPED.state(), platform::DataSetState::Browse);
    EXPECT_EQ(campo("SPNOME").asString(), antes);
    ASSERT_EQ(caixas->get().boxes().size(), 1);
    EXPECT_EQ(caixas->get().boxes()[0].title, QStringLiteral("Configuração SPED FCONT"));
    EXPECT_EQ(caixas->get().boxes()[0].text,
              QStringLiteral("Informe o nome da nova configuração SPED FCONT:"));
    EXPECT_EQ(caixas->get().boxes()[0].defaultText, QString());

    caixas->get().answerNextInput(QStringLiteral("  Matriz 2026 "));
    data::RenomeiaConfiguracao();
    EXPECT_EQ(dm->quSPED.state(), platform::DataSetState::Browse);
    data::CarregaDadosSPEDFCONT(1);
    EXPECT_EQ(campo("SPNOME").asString(), QStringLiteral("Matriz 2026"));
}

} // namespace
