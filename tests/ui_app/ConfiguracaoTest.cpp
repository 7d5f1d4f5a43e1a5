#include "tests/support/ModuloDados.h"
#include "tests/ui_app/Janelas.h"
#include "ui/main/TfmConfiguracao.h"

#include <QKeyEvent>
#include <QLabel>
#include <QPushButton>
#include <QTableView>

namespace {

ui::TfmConfiguracao* lista(QWidget* modal) {
    return qobject_cast<ui::TfmConfiguracao*>(modal);
}

class ConfiguracaoTest : public testsupport::ModuloDadosTest {
protected:
    testsupport::TerminacaoContada terminacao;
};

class ConfiguracaoVaziaTest : public ConfiguracaoTest {
protected:
    Base base() const override { return Base::Semente; }
};

} // namespace

TEST_F(ConfiguracaoVaziaTest, AnEmptyListOpensCodeZeroWithNoAction) {
    QString painel = "?";
    int linhas = -1;
    testsupport::quandoModal([&](QWidget* modal) {
        painel = lista(modal)->stInfo->text();
        linhas = lista(modal)->dbgdConfig->model()->rowCount();
        lista(modal)->laAbrir->click();
    });
    int codigo = -1;
    QString acao = "antes";
    EXPECT_TRUE(ui::SelecionaConfiguracao(codigo, acao));
    EXPECT_EQ(codigo, 0);
    EXPECT_EQ(acao, "");
    EXPECT_EQ(painel, "Total de Registros: 0");
    EXPECT_EQ(linhas, 0);
}

TEST_F(ConfiguracaoTest, ListsOnlyTheSetsOfThisProgram) {
    banco->runScript("INSERT INTO AUGC80SP (SPCODIGO, SPID, SPNOME) VALUES (8, NULL, 'Sem dono');\n"
                     "INSERT INTO AUGC80SP (SPCODIGO, SPID, SPNOME) VALUES (9, '', 'Dono vazio');\n"
                     "INSERT INTO AUGC80SP (SPCODIGO, SPID, SPNOME) VALUES (10, 'T', 'Segunda do FCONT');\n");
    QStringList codigos;
    QString painel, titulo, cabecalhos;
    testsupport::quandoModal([&](QWidget* modal) {
        ui::TfmConfiguracao* janela = lista(modal);
        const QAbstractItemModel* modelo = janela->dbgdConfig->model();
        for (int linha = 0; linha < modelo->rowCount(); ++linha)
            codigos << modelo->index(linha, 0).data().toString();
        cabecalhos = modelo->headerData(0, Qt::Horizontal).toString() + "|" +
                     modelo->headerData(1, Qt::Horizontal).toString();
        painel = janela->stInfo->text();
        titulo = janela->windowTitle();
        janela->close();
    });
    int codigo = -1;
    QString acao = "antes";
    // Closing the window by its frame is no choice: the out arguments stay as they were.
    EXPECT_FALSE(ui::SelecionaConfiguracao(codigo, acao));
    EXPECT_EQ(codigo, -1);
    EXPECT_EQ(acao, "antes");
    codigos.sort();
    EXPECT_EQ(codigos, QStringList({"1", "10"}));
    EXPECT_EQ(painel, "Total de Registros: 2");
    EXPECT_EQ(titulo, ui::TituloAplicacao());
    EXPECT_EQ(cabecalhos, "Código|Configuração");
}

TEST_F(ConfiguracaoTest, EachLinkReturnsTheSelectedRowWithItsAction) {
    banco->runScript("INSERT INTO AUGC80SP (SPCODIGO, SPID, SPNOME) VALUES (10, 'T', 'Segunda do FCONT');\n");
    struct Caso {
        const char* link;
        const char* acao;
    };
    for (const Caso& caso : {Caso{"laNovo", "NOVO"}, Caso{"laExcluir", "EXCLUIR"}, Caso{"laAbrir", ""}}) {
        int escolhido = 0;
        testsupport::quandoModal([&](QWidget* modal) {
            ui::TfmConfiguracao* janela = lista(modal);
            // The second row: the answer must follow the selection, not the first row.
            janela->dbgdConfig->selectRow(1);
            escolhido = janela->dbgdConfig->model()->index(1, 0).data().toInt();
            janela->findChild<QPushButton*>(caso.link)->click();
        });
        int codigo = -1;
        QString acao = "antes";
        EXPECT_TRUE(ui::SelecionaConfiguracao(codigo, acao)) << caso.link;
        EXPECT_NE(escolhido, 0);
        EXPECT_EQ(codigo, escolhido) << caso.link;
        EXPECT_EQ(acao, caso.acao) << caso.link;
    }
}

// Enter on a row opens it, as the double click does; Escape leaves nothing chosen open.
TEST_F(ConfiguracaoTest, EnterOnARowOpensItAndEscapeDoesNotCloseTheList) {
    banco->runScript("INSERT INTO AUGC80SP (SPCODIGO, SPID, SPNOME) VALUES (10, 'T', 'Segunda do FCONT');\n");
    int escolhido = 0;
    bool abertaAposEsc = false;
    testsupport::quandoModal([&](QWidget* modal) {
        ui::TfmConfiguracao* janela = lista(modal);
        janela->dbgdConfig->setFocus();
        janela->dbgdConfig->selectRow(1);
        escolhido = janela->dbgdConfig->model()->index(1, 0).data().toInt();
        for (const int tecla : {int(Qt::Key_Escape), int(Qt::Key_Return)}) {
            QKeyEvent pressiona(QEvent::KeyPress, tecla, Qt::NoModifier);
            QApplication::sendEvent(janela->dbgdConfig, &pressiona);
            if (tecla == Qt::Key_Escape)
                abertaAposEsc = janela->isVisible();
        }
    });
    int codigo = -1;
    QString acao = "antes";
    EXPECT_TRUE(ui::SelecionaConfiguracao(codigo, acao));
    EXPECT_TRUE(abertaAposEsc);
    EXPECT_NE(escolhido, 0);
    EXPECT_EQ(codigo, escolhido);
    EXPECT_EQ(acao, QString());
}

TEST_F(ConfiguracaoTest, SairEndsTheProgramAndEachCallReadsTheListAgain) {
    testsupport::quandoModal([&](QWidget* modal) { lista(modal)->laSair->click(); });
    int codigo = -1;
    QString acao = "antes";
    EXPECT_FALSE(ui::SelecionaConfiguracao(codigo, acao));
    EXPECT_EQ(terminacao.vezes, 1);
    EXPECT_EQ(codigo, -1);

    banco->runScript("INSERT INTO AUGC80SP (SPCODIGO, SPID, SPNOME) VALUES (11, 'T', 'Nova');\n");
    int linhas = 0;
    testsupport::quandoModal([&](QWidget* modal) {
        linhas = lista(modal)->dbgdConfig->model()->rowCount();
        lista(modal)->dbgdConfigDblClick();
    });
    EXPECT_TRUE(ui::SelecionaConfiguracao(codigo, acao));
    EXPECT_EQ(linhas, 2);
    EXPECT_EQ(codigo, 1);
    EXPECT_EQ(acao, "");
}
