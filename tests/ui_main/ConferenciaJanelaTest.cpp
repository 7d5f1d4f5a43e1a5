// "Conferir" in the main window on the seed database: the conferência's window with its findings
// and suggestions, "Aceitar marcadas", the double-click to the account, and the question at
// "Gerar" when the conferência has errors.

#include "data/dmFCONT.h"
#include "generation/dmBlocos.h"
#include "tests/support/ModuloDados.h"
#include "ui/main/ControlePaginas.h"
#include "ui/main/GradeAchados.h"
#include "ui/main/PaginaPrincipal.h"
#include "ui/main/PaginaRegistroI050.h"
#include "ui/main/TfmConferencia.h"
#include "ui/main/TfmPrincipal.h"
#include "validacao/TabelaAchados.h"

#include <QApplication>
#include <QDir>
#include <QLabel>
#include <QMouseEvent>
#include <QPushButton>
#include <QSpinBox>
#include <QTableView>
#include <QToolButton>
#include <QTreeWidget>

#include <gtest/gtest.h>

using namespace testsupport;
using ui::TfmPrincipal;

namespace {

// A user's double-click: the press picks the row, the second click of the pair opens it.
void duploClique(QTableView& grade, int linha, int coluna) {
    const QPoint ponto = grade.visualRect(grade.model()->index(linha, coluna)).center();
    QWidget* area = grade.viewport();
    for (QEvent::Type tipo : {QEvent::MouseButtonPress, QEvent::MouseButtonRelease,
                              QEvent::MouseButtonDblClick, QEvent::MouseButtonRelease}) {
        QMouseEvent evento(tipo, QPointF(ponto), area->mapToGlobal(QPointF(ponto)), Qt::LeftButton,
                           tipo == QEvent::MouseButtonRelease ? Qt::NoButton : Qt::LeftButton,
                           Qt::NoModifier);
        QApplication::sendEvent(area, &evento);
    }
}

const QString anoAnterior = QStringLiteral(
    "insert into AUGC80SP (SPCODIGO, SPID, SPNOME, EMPRESA, FILIAL, R0000DT_INI, R0000DT_FIN, "
    "RI051COD_ENT_REF) "
    "values (9, 'T', 'SPED FCONT 2024', 1, '01', '2024-01-01', '2024-12-31', '10');"
    "insert into AUGC80SPAS (SPASCODIGO, SPCODIGO, PACODIGO, PCCODIGO, COD_CTA_REF) values (61, 9, 1, 104, "
    "'1.01.01.01.00');");
const QString semReferencias =
    QStringLiteral("update AUGC80SPAS set COD_CTA_REF = null where SPASCODIGO in (4, 5);");
const QString lancamentoSemPar = QStringLiteral(
    "insert into ACBM19LC (LCCODIGO, PACODIGO, PCCODIGO, LCDATALANCAMENTO, LCVALORDEBITO) values "
    "(900, 1, 105, '2025-03-10', 50);");

class ConferenciaNaJanela : public ModuloDadosTest {
protected:
    void SetUp() override {
        ModuloDadosTest::SetUp();
        if (IsSkipped())
            return;
        copiaTabelasExternas();
        selecaoAnterior = TfmPrincipal::selecionaConfiguracao();
        terminoAnterior = TfmPrincipal::terminaAplicacao();
        navegadorAnterior = ui::PaginaPrincipal::abreNavegador();
        TfmPrincipal::selecionaConfiguracao() = [](int& codigo, QString& acao) {
            codigo = 1;
            acao.clear();
            return true;
        };
        TfmPrincipal::terminaAplicacao() = [] {};
        ui::PaginaPrincipal::abreNavegador() = [](const QUrl&) {};
        blocos = std::make_unique<generation::TdmBlocos>();
    }

    void TearDown() override {
        janela.reset();
        blocos.reset();
        if (selecaoAnterior) {
            TfmPrincipal::selecionaConfiguracao() = selecaoAnterior;
            TfmPrincipal::terminaAplicacao() = terminoAnterior;
            ui::PaginaPrincipal::abreNavegador() = navegadorAnterior;
        }
        ModuloDadosTest::TearDown();
    }

    // Plants the statements, then opens the window on set 1.
    void abre(const QString& planta) {
        banco->runScript(planta);
        janela = std::make_unique<TfmPrincipal>();
        janela->show();
        caixas->get().clear();
    }

    QVariant referenciaDe(int spascodigo) const {
        db::Attachment outra = banco->connect();
        db::Transaction t(outra);
        const QVariant v = testsupport::value(
            t, QStringLiteral("select COD_CTA_REF from AUGC80SPAS where SPASCODIGO = %1").arg(spascodigo));
        t.commit();
        return v;
    }

    // The generation ends by showing its file: a file was written since the boxes were cleared.
    bool gerou() const {
        for (const auto& caixa : caixas->get().boxes())
            if (caixa.kind == platform::ScriptedDialogs::Kind::ShowFile)
                return true;
        return false;
    }

    std::unique_ptr<generation::TdmBlocos> blocos;
    std::unique_ptr<TfmPrincipal> janela;
    TfmPrincipal::Selecao selecaoAnterior;
    std::function<void()> terminoAnterior;
    std::function<void(const QUrl&)> navegadorAnterior;
};

TEST_F(ConferenciaNaJanela, ConferirShowsFindingsAndSuggestionsAndStoresOnlyTheTickedOnes) {
    abre(semReferencias + anoAnterior);
    ASSERT_NE(janela->btConferir(), nullptr);
    EXPECT_EQ(janela->btConferir()->text(), QStringLiteral("Conferir"));
    janela->btConferir()->click();
    ui::TfmConferencia* c = janela->fmConferencia();
    ASSERT_NE(c, nullptr);
    EXPECT_TRUE(c->isVisible());
    EXPECT_EQ(c->laResumo()->text(),
              QStringLiteral("Conferência da configuração: 0 erros, 2 avisos; 2 conta(s) sem referência."));
    EXPECT_EQ(c->grade()->modelo()->rowCount(), 2);
    // Pictures for whoever looks at the windows (FCONT_CAPTURAS names the folder).
    if (!qEnvironmentVariableIsEmpty("FCONT_CAPTURAS")) {
        const QDir pasta(qEnvironmentVariable("FCONT_CAPTURAS"));
        EXPECT_TRUE(c->grab().save(pasta.filePath(QStringLiteral("conferencia.png"))));
        EXPECT_TRUE(janela->grab().save(pasta.filePath(QStringLiteral("principal-conferir.png"))));
    }

    const ui::ModeloSugestoes& m = *c->modeloSugestoes();
    ASSERT_EQ(m.rowCount(), 2);
    ASSERT_EQ(m.columnCount(), 7);
    const QStringList titulos{"Aceitar",   "Conta",  "Nome da Conta", "Conta Referencial",
                              "Descrição", "Motivo", "Confiança"};
    for (int i = 0; i < 7; ++i)
        EXPECT_EQ(m.headerData(i, Qt::Horizontal).toString(), titulos[i]);
    EXPECT_EQ(m.index(0, 1).data().toString(), QStringLiteral("1101001"));
    EXPECT_EQ(m.index(0, 3).data().toString(), QStringLiteral("1.01.01.01.00"));
    EXPECT_EQ(m.index(0, 4).data().toString(), QStringLiteral("Caixa e fundos fixos"));
    EXPECT_EQ(m.index(0, 6).data().toString(), QStringLiteral("95%"));
    EXPECT_EQ(m.index(1, 6).data().toString(), QStringLiteral("70%"));
    EXPECT_EQ(m.index(0, 0).data(Qt::CheckStateRole).toInt(), Qt::Unchecked);
    EXPECT_TRUE(m.flags(m.index(0, 0)) & Qt::ItemIsUserCheckable);

    // Nothing ticked: nothing stored.
    c->btAceitarMarcadas()->click();
    EXPECT_EQ(caixas->get().texts(), QStringList{QStringLiteral("Aviso: nenhuma sugestão marcada.")});
    EXPECT_FALSE(referenciaDe(4).isValid());

    c->edConfianca()->setValue(90);
    c->btMarcar()->click();
    EXPECT_TRUE(m.marcada(0));
    EXPECT_FALSE(m.marcada(1));
    caixas->get().clear();
    c->btAceitarMarcadas()->click();
    EXPECT_EQ(caixas->get().texts(),
              QStringList{QStringLiteral("1 sugestão(ões) gravada(s) na página Registro I050.")});
    EXPECT_EQ(referenciaDe(4).toString(), QStringLiteral("1.01.01.01.00"));
    EXPECT_FALSE(referenciaDe(5).isValid());
    // The window shows the conferência again: one account left.
    EXPECT_EQ(c->modeloSugestoes()->rowCount(), 1);
    EXPECT_EQ(c->grade()->modelo()->rowCount(), 1);

    // A tick box set by hand, as a click on it sets it.
    ASSERT_TRUE(
        c->modeloSugestoes()->setData(c->modeloSugestoes()->index(0, 0), Qt::Checked, Qt::CheckStateRole));
    c->btAceitarMarcadas()->click();
    EXPECT_EQ(referenciaDe(5).toString(), QStringLiteral("1.01.01.02.00"));
    EXPECT_EQ(c->modeloSugestoes()->rowCount(), 0);
    EXPECT_FALSE(c->btAceitarMarcadas()->isEnabled());
}

TEST_F(ConferenciaNaJanela, DoubleClickOnASuggestionMakesItsAccountCurrentOnTheChartPage) {
    abre(semReferencias);
    janela->btConferir()->click();
    ui::TfmConferencia& c = *janela->fmConferencia();
    ASSERT_EQ(c.modeloSugestoes()->rowCount(), 2);
    dm->quRegI050I051.last();
    duploClique(*c.dbgdSugestoes(), 1, 2);
    EXPECT_EQ(janela->tvMenu()->currentItem()->text(0), QStringLiteral("Registro I050"));
    EXPECT_EQ(dm->quRegI050I051.fieldByName(QStringLiteral("PCORDENACAO")).asString(),
              QStringLiteral("1101002"));
    EXPECT_FALSE(c.modeloSugestoes()->marcada(1)) << "a double-click ticks nothing";
}

TEST_F(ConferenciaNaJanela, GerarAsksOnlyWhenTheConferenciaHasErrorsAndLooksFirstWhenAsked) {
    // Warnings alone: no question, the file is written.
    abre(semReferencias);
    janela->btGerar()->click();
    for (const auto& caixa : caixas->get().boxes())
        EXPECT_NE(caixa.kind, platform::ScriptedDialogs::Kind::Question) << caixa.text.toStdString();
    EXPECT_TRUE(gerou());
    EXPECT_EQ(janela->fmConferencia(), nullptr);
    EXPECT_TRUE(janela->btConferir()->isEnabled()) << "back with Gerar";
    janela->btGerar()->setEnabled(false);
    EXPECT_FALSE(janela->btConferir()->isEnabled()) << "Conferir waits while Gerar does";
    janela->btGerar()->setEnabled(true);

    banco->runScript(lancamentoSemPar);
    caixas->get().clear();
    caixas->get().answerNext(QStringLiteral("Ver achados"));
    janela->btGerar()->click();
    ASSERT_FALSE(caixas->get().boxes().isEmpty());
    const auto& pergunta = caixas->get().boxes().first();
    EXPECT_EQ(pergunta.kind, platform::ScriptedDialogs::Kind::Question);
    EXPECT_EQ(pergunta.text,
              QStringLiteral("A conferência achou 1 erro(s) nesta configuração (1 erros, 2 avisos).\r"
                             "Gerar o arquivo assim mesmo ou ver os achados primeiro?"));
    EXPECT_EQ(pergunta.captions, (QStringList{QStringLiteral("Gerar"), QStringLiteral("Ver achados")}));
    EXPECT_FALSE(gerou());
    ASSERT_NE(janela->fmConferencia(), nullptr);
    EXPECT_TRUE(janela->fmConferencia()->isVisible());
    EXPECT_EQ(validacao::ContaErros(janela->fmConferencia()->grade()->tabela().achados()), 1);
    EXPECT_EQ(janela->fmConferencia()->modeloSugestoes()->rowCount(), 2);

    caixas->get().clear();
    caixas->get().answerNext(QStringLiteral("Gerar"));
    janela->btGerar()->click();
    EXPECT_TRUE(gerou());
}

} // namespace
