// The main window's lookup buttons, rename and "Config", driven through the window with the
// search windows scripted.

#include "data/dmFCONT.h"
#include "platform/DataSetModel.h"
#include "tests/support/ModuloDados.h"
#include "ui/main/PaginaPrincipal.h"
#include "ui/main/TfmPrincipal.h"

#include <QCoreApplication>
#include <QLabel>
#include <QLineEdit>
#include <QMap>
#include <QMouseEvent>
#include <QTableView>
#include <QToolButton>

using namespace testsupport;
using ui::TfmPrincipal;

namespace {

class CarregamentoJanela : public ModuloDadosTest {
protected:
    void SetUp() override {
        ModuloDadosTest::SetUp();
        if (IsSkipped())
            return;
        copiaTabelasExternas();
        dm->cdsListas.loadFromFile(QStringLiteral("Tabelas Externas/SPEDTabCodigos.xml"));
        selecaoAnterior = TfmPrincipal::selecionaConfiguracao();
        pesquisaAnterior = TfmPrincipal::abrePesquisa();
        terminoAnterior = TfmPrincipal::terminaAplicacao();
        navegadorAnterior = ui::PaginaPrincipal::abreNavegador();
        TfmPrincipal::selecionaConfiguracao() = [this](int& codigo, QString& acao) {
            ++selecoes;
            if (selecoes > 1)
                return false;
            codigo = 1;
            acao.clear();
            return true;
        };
        TfmPrincipal::abrePesquisa() = [this](const QString& tipo, QString& chave) {
            tipos << tipo;
            chave = escolhas.value(tipo);
            return !chave.isEmpty();
        };
        TfmPrincipal::terminaAplicacao() = [] {};
        ui::PaginaPrincipal::abreNavegador() = [](const QUrl&) {};
        janela = std::make_unique<TfmPrincipal>();
        janela->show();
    }

    void TearDown() override {
        janela.reset();
        if (selecaoAnterior || terminoAnterior) {
            TfmPrincipal::selecionaConfiguracao() = selecaoAnterior;
            TfmPrincipal::abrePesquisa() = pesquisaAnterior;
            TfmPrincipal::terminaAplicacao() = terminoAnterior;
            ui::PaginaPrincipal::abreNavegador() = navegadorAnterior;
        }
        ModuloDadosTest::TearDown();
    }

    void clica(const char* botao) {
        auto* b = janela->findChild<QToolButton*>(QString::fromLatin1(botao));
        ASSERT_NE(b, nullptr) << botao;
        b->click();
    }

    QString texto(const char* edit) const {
        auto* e = janela->findChild<QLineEdit*>(QString::fromLatin1(edit));
        return e ? e->text() : QStringLiteral("<none>");
    }

    void clicaNoNome() {
        QMouseEvent solta(QEvent::MouseButtonRelease, QPointF(2, 2), QPointF(2, 2), Qt::LeftButton,
                          Qt::NoButton, Qt::NoModifier);
        QCoreApplication::sendEvent(janela->dblaNomeCfg(), &solta);
    }

    platform::Field& campo(const char* nome) { return dm->quSPED.fieldByName(QString::fromLatin1(nome)); }

    std::unique_ptr<TfmPrincipal> janela;
    TfmPrincipal::Selecao selecaoAnterior;
    TfmPrincipal::Pesquisa pesquisaAnterior;
    std::function<void()> terminoAnterior;
    std::function<void(const QUrl&)> navegadorAnterior;
    int selecoes = 0;
    QStringList tipos;
    QMap<QString, QString> escolhas;
};

TEST_F(CarregamentoJanela, LookupButtonsAskTheirKindAndFillThePage) {
    clica("btPesqEmpProc");
    clica("btPesqLocal");
    clica("btPesqMunicipio");
    EXPECT_EQ(tipos, (QStringList{QStringLiteral("Empresa Processada"), QStringLiteral("Empresa"),
                                  QStringLiteral("Municípios")}));
    EXPECT_EQ(dm->quSPED.state(), platform::DataSetState::Browse) << "nothing chosen, nothing changed";

    escolhas = {{QStringLiteral("Empresa Processada"), QStringLiteral("2")},
                {QStringLiteral("Empresa"), QStringLiteral("02")},
                {QStringLiteral("Municípios"), QStringLiteral("3399001")}};
    clica("btPesqEmpProc");
    EXPECT_EQ(texto("dbedReg0000EmpresaProc"), QStringLiteral("2"));
    clica("btPesqLocal");
    EXPECT_EQ(texto("dbedReg0000CodLocal"), QStringLiteral("02"));
    EXPECT_EQ(campo("R0000CNPJ").asString(), QStringLiteral("11222333000262"));
    EXPECT_EQ(dm->quSPED.state(), platform::DataSetState::Edit);
    clica("btPesqMunicipio");
    EXPECT_EQ(dm->quSPED.state(), platform::DataSetState::Browse) << "the municipality stores the set";
    EXPECT_EQ(texto("dbedReg0000CodMun"), QStringLiteral("3399001"));
    EXPECT_EQ(texto("dbedReg0000Municipio"), QStringLiteral("Campos do Mirante"));
    EXPECT_EQ(campo("EMPRESA").asInteger(), 2) << "stored with the municipality";
    EXPECT_TRUE(caixas->get().boxes().isEmpty());
}

TEST_F(CarregamentoJanela, ClickOnTheNameRenamesOnlyWhenAnswered) {
    const QString antes = janela->dblaNomeCfg()->text();
    caixas->get().answerNextInput(std::nullopt);
    clicaNoNome();
    EXPECT_EQ(janela->dblaNomeCfg()->text(), antes);
    EXPECT_EQ(campo("SPNOME").asString(), antes);

    caixas->get().answerNextInput(QStringLiteral(" Filial Campinas  "));
    clicaNoNome();
    EXPECT_EQ(janela->dblaNomeCfg()->text(), QStringLiteral("Filial Campinas"));
    EXPECT_EQ(dm->quSPED.state(), platform::DataSetState::Browse);
    EXPECT_EQ(caixas->get().boxes().size(), 2);
}

TEST_F(CarregamentoJanela, ConfigWithoutAChoiceReloadsTheCurrentSet) {
    const QString nome = campo("SPNOME").asString();
    dm->quSPED.edit();
    campo("SPNOME").setValue(QStringLiteral("não salvo"));
    clica("btConfig");
    EXPECT_EQ(selecoes, 2);
    EXPECT_EQ(janela->CodigoConfiguracao, 1);
    EXPECT_EQ(dm->quSPED.state(), platform::DataSetState::Browse);
    EXPECT_EQ(campo("SPNOME").asString(), nome);
    EXPECT_EQ(janela->dblaNomeCfg()->text(), nome);
    EXPECT_TRUE(dm->quRegJ930old.active());
}

TEST_F(CarregamentoJanela, QualificationColumnOffersTheCodeListAndFillsItsGreyCode) {
    auto* modelo = dynamic_cast<platform::DataSetModel*>(janela->dbgdRegJ930()->model());
    ASSERT_NE(modelo, nullptr);
    int qualificacao = -1, codigo = -1;
    for (int i = 0; i < modelo->columnCount(); ++i) {
        if (modelo->coluna(i)->campo == QLatin1String("SPSGIDENT_QUALIF"))
            qualificacao = i;
        if (modelo->coluna(i)->campo == QLatin1String("SPSGCOD_ASSIM"))
            codigo = i;
    }
    ASSERT_GE(qualificacao, 0);
    ASSERT_GE(codigo, 0);
    EXPECT_EQ(modelo->coluna(qualificacao)->lista.size(), 6);
    EXPECT_EQ(modelo->coluna(qualificacao)->lista.value(3), QStringLiteral("Procurador"));
    EXPECT_TRUE(modelo->coluna(codigo)->lista.isEmpty());
    EXPECT_FALSE(modelo->flags(modelo->index(0, codigo)) & Qt::ItemIsEditable);

    ASSERT_TRUE(modelo->setData(modelo->index(0, qualificacao), QStringLiteral("Procurador")));
    EXPECT_EQ(modelo->data(modelo->index(0, codigo)).toString(), QStringLiteral("309"));
    EXPECT_TRUE(caixas->get().boxes().isEmpty());
}

} // namespace
