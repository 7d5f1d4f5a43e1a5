// Screenshots of the search windows for a look by eye: run under a real X server (Xvfb) with
// FCONT_CAPTURAS naming the folder for the pictures; skipped otherwise.
#include "tests/support/ModuloDados.h"
#include "ui/search/TfmPesquisa.h"
#include "ui/search/TfmPesquisaGeral.h"

#include <QAbstractButton>
#include <QApplication>
#include <QButtonGroup>
#include <QDir>
#include <QLineEdit>
#include <QPixmap>

#include "data/uFCONT.h"

namespace {

class CapturasTest : public testsupport::ModuloDadosTest {
protected:
    void SetUp() override {
        if (qEnvironmentVariableIsEmpty("FCONT_CAPTURAS"))
            GTEST_SKIP() << "FCONT_CAPTURAS not set";
        testsupport::ModuloDadosTest::SetUp();
    }
    static void salva(QWidget& janela, const QString& nome) {
        janela.show();
        for (int i = 0; i < 10; ++i)
            QApplication::processEvents();
        const QString pasta = qEnvironmentVariable("FCONT_CAPTURAS");
        QDir().mkpath(pasta);
        EXPECT_TRUE(janela.grab().save(QDir(pasta).filePath(nome + QStringLiteral(".png"))));
        janela.hide();
    }
};

TEST_F(CapturasTest, SearchWindows) {
    copiaTabelasExternas();
    data::CarregaPlanoReferencial();
    dm->quSPED.setParam(QStringLiteral("SPCODIGO"), 1);
    dm->quSPED.setParam(QStringLiteral("SPID"), QStringLiteral("T"));
    dm->quSPED.open();

    for (const QString& tipo :
         {QStringLiteral("Municípios"), QStringLiteral("Empresa"), QStringLiteral("Empresa Processada"),
          QStringLiteral("Plano Contas Referencial")}) {
        ui::TfmPesquisa j;
        j.TipoPesquisa = tipo;
        j.ConfiguraPesquisa();
        salva(j, QStringLiteral("pesquisa-") + QString(tipo).replace(QLatin1Char(' '), QLatin1Char('-')));
        if (tipo == QLatin1String("Plano Contas Referencial")) {
            j.Edit2->setText(QStringLiteral("receita"));
            j.grupoOrdenar->button(1)->setChecked(true);
            j.CarregaPesquisa();
            salva(j, QStringLiteral("pesquisa-referencial-busca"));
        }
    }

    ui::TfmPesquisaGeral g;
    g.DefinePesquisa(0);
    salva(g, QStringLiteral("pesquisa-geral-vazia"));
    g.mdCampo[3]->setText(QStringLiteral("1"));
    g.bbPesquisaClick();
    salva(g, QStringLiteral("pesquisa-geral"));
}

} // namespace
