// The main window on the seed database, driven as a user would: the tree menu and its file, the
// bound pages, the prompt and the generation started and cancelled from the window.

#include "common/Consultas.h"
#include "data/dmFCONT.h"
#include "generation/Geracao.h"
#include "generation/dmBlocos.h"
#include "platform/Abort.h"
#include "platform/DataSetModel.h"
#include "platform/EventLoop.h"
#include "tests/support/ModuloDados.h"
#include "ui/main/Aplicacao.h"
#include "ui/main/ControlePaginas.h"
#include "ui/main/MenuArvore.h"
#include "ui/main/PaginaPrincipal.h"
#include "ui/main/PaginaRegistroJ930.h"
#include "ui/main/PromptJanela.h"
#include "ui/main/TfmPrincipal.h"
#include "ui/search/LarguraColuna.h"

#include <QAccessible>
#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QCoreApplication>
#include <QDateEdit>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTabBar>
#include <QTableView>
#include <QTest>
#include <QToolButton>
#include <QTreeWidget>

using namespace testsupport;
using platform::ScriptedDialogs;
using ui::TfmPrincipal;

namespace {

class JanelaPrincipal : public ModuloDadosTest {
protected:
    void SetUp() override {
        ModuloDadosTest::SetUp();
        if (IsSkipped())
            return;
        blocos = std::make_unique<generation::TdmBlocos>();
        copiaTabelasExternas();
        dm->cdsListas.loadFromFile(QStringLiteral("Tabelas Externas/SPEDTabCodigos.xml"));
        selecaoAnterior = TfmPrincipal::selecionaConfiguracao();
        terminoAnterior = TfmPrincipal::terminaAplicacao();
        navegadorAnterior = ui::PaginaPrincipal::abreNavegador();
        TfmPrincipal::selecionaConfiguracao() = [this](int& codigo, QString& acao) {
            ++selecoes;
            codigo = 1;
            acao.clear();
            return true;
        };
        TfmPrincipal::terminaAplicacao() = [this] { ++terminacoes; };
        ui::PaginaPrincipal::abreNavegador() = [this](const QUrl& url) { abertos << url; };
    }

    void TearDown() override {
        platform::setPendingEventsHook({});
        janela.reset();
        if (selecaoAnterior || terminoAnterior) {
            TfmPrincipal::selecionaConfiguracao() = selecaoAnterior;
            TfmPrincipal::terminaAplicacao() = terminoAnterior;
            ui::PaginaPrincipal::abreNavegador() = navegadorAnterior;
        }
        blocos.reset();
        ModuloDadosTest::TearDown();
    }

    TfmPrincipal& abre() {
        janela = std::make_unique<TfmPrincipal>();
        janela->show();
        return *janela;
    }

    template <typename W> W* controle(const char* nome) const {
        W* w = janela->findChild<W*>(QString::fromLatin1(nome));
        EXPECT_NE(w, nullptr) << nome;
        return w;
    }

    void escolhe(const QString& texto) {
        const QList<QTreeWidgetItem*> achados =
            janela->tvMenu()->findItems(texto, Qt::MatchExactly | Qt::MatchRecursive);
        ASSERT_EQ(achados.size(), 1) << texto.toStdString();
        janela->tvMenu()->setCurrentItem(achados.first());
    }

    QList<int> abasVisiveis() const {
        QList<int> visiveis;
        for (int i = 0; i < janela->pcPaginas()->count(); ++i)
            if (janela->pcPaginas()->abaVisivel(i))
                visiveis << i;
        return visiveis;
    }

    static QByteArray le(const QString& caminho) {
        QFile f(caminho);
        return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
    }

    QString arquivoGerado() const {
        const QDir pasta(QDir(pastaAtual()).filePath(QStringLiteral("Arquivos Gerados")));
        const QStringList arquivos = pasta.entryList(QDir::Files);
        return arquivos.size() == 1 ? pasta.filePath(arquivos.first()) : QString();
    }

    ScriptedDialogs& boxes() { return caixas->get(); }

    std::unique_ptr<generation::TdmBlocos> blocos;
    std::unique_ptr<TfmPrincipal> janela;
    TfmPrincipal::Selecao selecaoAnterior;
    std::function<void()> terminoAnterior;
    std::function<void(const QUrl&)> navegadorAnterior;
    int selecoes = 0;
    int terminacoes = 0;
    QList<QUrl> abertos;
};

TEST_F(JanelaPrincipal, StartRewritesHandEditedMenuLoadsTheChosenSetAndShowsPrincipal) {
    escreveArquivo(QStringLiteral("tvMenu.ini"), "Meu menu\r\n\tMeu item\r\n");
    abre();
    EXPECT_EQ(boxes().texts(), QStringList());
    EXPECT_EQ(selecoes, 1);
    EXPECT_EQ(le(QStringLiteral("tvMenu.ini")), ui::ConteudoMenu(ui::NosMenuPadrao()));
    ASSERT_EQ(janela->tvMenu()->topLevelItemCount(), 5) << "the tree is rebuilt from the rewritten file";
    EXPECT_EQ(janela->tvMenu()->topLevelItem(0)->child(0)->text(0), QStringLiteral("Registro 0000"));
    EXPECT_EQ(janela->CodigoConfiguracao, 1);
    EXPECT_EQ(janela->dblaCodCfg()->text(), QStringLiteral("1"));

    // FormShow: Principal in view without a tab, its page loaded, the two prompt lines, idle buttons.
    EXPECT_EQ(janela->pcPaginas()->paginaAtual(), 0);
    EXPECT_EQ(abasVisiveis(), QList<int>());
    EXPECT_EQ(janela->wbNavegador()->recarregamentos(), 1);
    EXPECT_EQ(janela->textoPrompt(),
              QStringLiteral("SPED>Programa SPED FCONT Iniciado...\nSPED>Conectado a Base de Dados: ") +
                  dm->dbBanco.params.database);
    EXPECT_TRUE(janela->btConfig()->isEnabled());
    EXPECT_TRUE(janela->btSalvar()->isEnabled());
    EXPECT_TRUE(janela->btGerar()->isEnabled());
    EXPECT_FALSE(janela->btCancelar()->isEnabled());

    janela->close();
    EXPECT_EQ(terminacoes, 1) << "closing the window ends the program";
}

TEST_F(JanelaPrincipal, PagesShowTheStoredSetThroughTheCodeTables) {
    abre();
    EXPECT_EQ(controle<QDateEdit>("deReg0000DataIni")->date(), QDate(2025, 1, 1));
    EXPECT_EQ(controle<QDateEdit>("deReg0000DataFin")->date(), QDate(2025, 12, 31));
    EXPECT_EQ(controle<QComboBox>("dbcbIND_SIT_ESP")->currentIndex(), -1) << "no special situation stored";
    EXPECT_EQ(controle<QComboBox>("dbcbIND_SIT_INI_PER")->currentText(),
              QStringLiteral("0 - Início no primeiro dia do ano"));
    EXPECT_EQ(controle<QComboBox>("dbcbRM020QUALI_PJ")->currentText(),
              QStringLiteral("10 - PJ em geral - (RFB) e Corretora Autônoma de Seguros - (RFB)"));
    // Stored "0" reads "0 -Original", which is no item of the list: the picker still shows it.
    auto* tipo = controle<QComboBox>("dbcbRM020TIPO_ESCRIT");
    EXPECT_EQ(tipo->currentIndex(), -1);
    EXPECT_EQ(tipo->placeholderText(), QStringLiteral("0 -Original"));
    EXPECT_TRUE(controle<QRadioButton>("rgRegI051COD_ENT_REF_0")->isChecked());
    EXPECT_FALSE(controle<QRadioButton>("rgRegI051COD_ENT_REF_1")->isChecked());
    auto* empresa = controle<QLineEdit>("dbedReg0000EmpresaProc");
    EXPECT_EQ(empresa->text(), QStringLiteral("1"));
    EXPECT_TRUE(empresa->isReadOnly());
    EXPECT_EQ(empresa->accessibleName(), QStringLiteral("Empresa Processada (Kalvero 3)"));
    EXPECT_TRUE(controle<QLineEdit>("dbedReg0000Municipio")->isReadOnly());
    EXPECT_FALSE(controle<QLineEdit>("dbedReg0000Municipio")->text().isEmpty());
    EXPECT_EQ(controle<QLineEdit>("rxdbRM030VL_LUC_LIQ")->text(), QStringLiteral("4.249,25"));

    // Picking stores the code; the check box stores -1 and 0; the amount keeps its two decimals.
    platform::Query& sped = dm->quSPED;
    auto* forma = controle<QComboBox>("dbcbRegM020Form_trib_tri");
    const int item = forma->findText(QStringLiteral("2 - Arbitrado"));
    forma->setCurrentIndex(item);
    emit forma->activated(item);
    EXPECT_EQ(sped.fieldByName(QStringLiteral("RM020FORM_TRIB_TRI")).asString(), QStringLiteral("2"));
    auto* consolidar = controle<QCheckBox>("ckConsolidar");
    consolidar->setChecked(true);
    EXPECT_EQ(sped.fieldByName(QStringLiteral("R0000CONSOLIDAR")).asInteger(), -1);
    consolidar->setChecked(false);
    EXPECT_EQ(sped.fieldByName(QStringLiteral("R0000CONSOLIDAR")).asInteger(), 0);
    auto* dataFin = controle<QDateEdit>("deReg0000DataFin");
    dataFin->setDate(QDate(2025, 6, 30));
    EXPECT_EQ(sped.fieldByName(QStringLiteral("R0000DT_FIN")).asDateTime().date(), QDate(2025, 12, 31))
        << "nothing is stored while the date is being typed";
    emit dataFin->editingFinished();
    EXPECT_EQ(sped.fieldByName(QStringLiteral("R0000DT_FIN")).asDateTime().date(), QDate(2025, 6, 30));
    auto* valor = controle<QLineEdit>("rxdbRM030VL_LUC_LIQ");
    valor->setText(QStringLiteral("0"));
    emit valor->editingFinished();
    EXPECT_EQ(valor->text(), QStringLiteral("0,00")) << "a zero is shown, not a blank";
    valor->setText(QStringLiteral("-1.234.567,5"));
    emit valor->editingFinished();
    EXPECT_DOUBLE_EQ(sped.fieldByName(QStringLiteral("RM030VL_LUC_LIQ")).asFloat(), -1234567.5);
    EXPECT_EQ(valor->text(), QStringLiteral("-1.234.567,50"));
    valor->setText(QStringLiteral("12x"));
    emit valor->editingFinished();
    ASSERT_EQ(boxes().boxes().size(), 1);
    EXPECT_EQ(boxes().boxes().first().kind, ScriptedDialogs::Kind::Error);
    EXPECT_EQ(valor->text(), QStringLiteral("-1.234.567,50")) << "an unreadable amount leaves the stored one";

    // Signatory grid: the design's columns, widths, grey code column and the qualification list.
    QTableView* grade = janela->dbgdRegJ930();
    const QStringList titulos = {"Nome do Signatário",
                                 "CPF",
                                 "Qualificação do Assinante",
                                 "Código Qualificação Assinante",
                                 "Número CRC",
                                 "Data CRC",
                                 "E-mail",
                                 "Telefone",
                                 "Nº Seq. CRC",
                                 "UF CRC"};
    ASSERT_EQ(grade->model()->columnCount(), titulos.size());
    for (int i = 0; i < titulos.size(); ++i)
        EXPECT_EQ(grade->model()->headerData(i, Qt::Horizontal).toString(), titulos[i]) << i;
    // The design's widths, grown for the face in use.
    EXPECT_EQ(grade->columnWidth(0), ui::LarguraNaTela(*grade, 240, titulos[0]));
    EXPECT_EQ(grade->columnWidth(3), ui::LarguraNaTela(*grade, 155, titulos[3]));
    EXPECT_EQ(grade->columnWidth(9), ui::LarguraNaTela(*grade, 64, titulos[9]));
    EXPECT_TRUE(grade->model()->index(0, 3).data(Qt::BackgroundRole).isValid() ||
                grade->model()->rowCount() == 0);
    auto* modelo = dynamic_cast<platform::DataSetModel*>(grade->model());
    ASSERT_NE(modelo, nullptr);
    EXPECT_TRUE(modelo->coluna(2)->lista.contains(QStringLiteral("Diretor")));
    EXPECT_TRUE(modelo->coluna(3)->cinza);
}

TEST_F(JanelaPrincipal, NewSetChosenAtStartIsInInsertStateAndSalvarStoresIt) {
    TfmPrincipal::selecionaConfiguracao() = [](int& codigo, QString& acao) {
        codigo = 0;
        acao = QStringLiteral("NOVO");
        return true;
    };
    abre();
    platform::Query& sped = dm->quSPED;
    EXPECT_EQ(sped.state(), platform::DataSetState::Insert);
    EXPECT_TRUE(boxes().texts().isEmpty()) << "one new set, no warning about another";
    EXPECT_EQ(janela->dblaNomeCfg()->text(), QStringLiteral("SPED FCONT - <Nome da Empresa>"));
    EXPECT_EQ(janela->dblaCodCfg()->text(), QStringLiteral("8"))
        << "one more than the highest code of any owner";
    EXPECT_EQ(controle<QLineEdit>("rxdbRM030VL_LUC_LIQ")->text(), QStringLiteral("0,00"));
    EXPECT_EQ(janela->tvMenu()->topLevelItemCount(), 5)
        << "the pages of the new set are reached through the menu";

    // Without a branch the new set is refused and stays in insert state with its values.
    auto* razao = controle<QLineEdit>("dbedReg0000Razao");
    razao->setText(QStringLiteral("Empresa Nova"));
    emit razao->editingFinished();
    boxes().clear();
    janela->btSalvar()->click();
    EXPECT_EQ(boxes().texts(),
              QStringList{QStringLiteral("Aviso: operação abortada.\rEmpresa não selecionada!")});
    EXPECT_EQ(sped.state(), platform::DataSetState::Insert);
    EXPECT_EQ(razao->text(), QStringLiteral("Empresa Nova"));
}

TEST_F(JanelaPrincipal, TreeMenuShowsOneRecordPageAndReloadsPrincipalOnlyForItsBlocks) {
    abre();
    const int inicio = janela->wbNavegador()->recarregamentos();
    escolhe(QStringLiteral("Registro M030"));
    EXPECT_EQ(abasVisiveis(), QList<int>{5});
    EXPECT_EQ(janela->pcPaginas()->paginaAtual(), 5);
    QCoreApplication::processEvents();
    EXPECT_GT(janela->pcPaginas()->abas()->width(), 0) << "the tab that came back takes room beside the page";

    escolhe(QStringLiteral("Registros Fiscais (Bloco M)"));
    EXPECT_EQ(abasVisiveis(), QList<int>());
    EXPECT_EQ(janela->pcPaginas()->paginaAtual(), 0);
    EXPECT_EQ(janela->wbNavegador()->recarregamentos(), inicio) << "blocks J and M leave Principal as it was";

    escolhe(QStringLiteral("Registro 0000"));
    EXPECT_EQ(abasVisiveis(), QList<int>{1});
    escolhe(QStringLiteral("Lançamentos (Bloco I)"));
    EXPECT_EQ(abasVisiveis(), QList<int>());
    EXPECT_EQ(janela->pcPaginas()->paginaAtual(), 0);
    EXPECT_EQ(janela->wbNavegador()->recarregamentos(), inicio + 1);

    // The index node runs the index creation each time it is chosen anew; pages stay.
    escolhe(QStringLiteral("Registro J930"));
    escolhe(QStringLiteral("Criar Índices de Performance"));
    escolhe(QStringLiteral("Manutenção"));
    escolhe(QStringLiteral("Criar Índices de Performance"));
    EXPECT_EQ(boxes().texts(),
              (QStringList{QStringLiteral("Índices de Performance criados com sucesso!"),
                           QStringLiteral("Aviso: Índices de Performance já criados anteriormente.")}));
    EXPECT_EQ(abasVisiveis(), QList<int>()) << "Manutenção hid J930; the index node changes nothing";
    EXPECT_EQ(janela->wbNavegador()->recarregamentos(), inicio + 2);

    // The information page's link opens the user's browser.
    EXPECT_TRUE(janela->wbNavegador()->toHtml().contains(QString::fromLatin1(ui::EnderecoFCONT)));
    emit janela->wbNavegador()->anchorClicked(QUrl(QString::fromLatin1(ui::EnderecoFCONT)));
    EXPECT_EQ(abertos, QList<QUrl>{QUrl(QString::fromLatin1(ui::EnderecoFCONT))});
}

TEST_F(JanelaPrincipal, BrokenOrMissingMenuFileOnReloadGivesTheChainOfBoxes) {
    abre();
    escreveArquivo(QStringLiteral("tvMenu.ini"), "Registros Fiscais (Bloco M)\r\n  Registro M020\r\n");
    boxes().clear();
    janela->btConfig()->click();
    EXPECT_EQ(boxes().texts(),
              (QStringList{QStringLiteral(
                               "Erro: ao carregar itens Menu.\rInvalid level (2) for item \"Registro M020\""),
                           QStringLiteral("Erro: Operation aborted")}));
    EXPECT_EQ(janela->tvMenu()->topLevelItemCount(), 0);

    QFile::remove(QStringLiteral("tvMenu.ini"));
    boxes().clear();
    janela->btConfig()->click();
    EXPECT_EQ(boxes().texts(),
              (QStringList{QStringLiteral("Erro: ao carregar Menu."),
                           QStringLiteral("Erro: ao carregar itens Menu.\rOperation aborted"),
                           QStringLiteral("Erro: Operation aborted")}));
    EXPECT_EQ(selecoes, 3);
}

TEST_F(JanelaPrincipal, PromptKeepsTwoLinesAndCancelEndsTheAction) {
    abre();
    common::PromptView& prompt = janela->prompt();
    prompt.setLines({});
    janela->AtualizaPrompt(QStringLiteral("  Carregando  "), QString());
    EXPECT_EQ(prompt.lines(), (QStringList{QStringLiteral("SPED>Carregando"), QString()}));
    EXPECT_EQ(janela->textoPrompt(), QStringLiteral("SPED>Carregando\n"));
    janela->AtualizaPrompt(QStringLiteral(" "), QStringLiteral("conta 1.1"));
    EXPECT_EQ(prompt.lines(),
              (QStringList{QStringLiteral("SPED>Carregando"), QStringLiteral("SPED>conta 1.1")}));

    // A press of Cancelar takes effect at the next prompt line.
    prompt.setCancelarEnabled(true);
    prompt.setGerarEnabled(false);
    prompt.setMenuEnabled(false);
    janela->btCancelar()->click();
    EXPECT_TRUE(dm->Cancelado);
    EXPECT_FALSE(janela->btCancelar()->isEnabled());
    EXPECT_THROW(janela->AtualizaPrompt(QString(), QString()), platform::SilentAbort);
    EXPECT_EQ(janela->textoPrompt(), QStringLiteral("SPED>Operação abortada pelo Usuário.\nSPED>conta 1.1"));
    EXPECT_TRUE(janela->btGerar()->isEnabled());
    EXPECT_FALSE(janela->btCancelar()->isEnabled());
    EXPECT_TRUE(janela->tvMenu()->isEnabled());
    EXPECT_THROW(janela->AtualizaPrompt(QStringLiteral("outra"), QString()), platform::SilentAbort)
        << "the flag stays set until the next generation";
    dm->Cancelado = false;

    // A burst of lines is painted a few dozen times a second at most, and the last one shows.
    auto& memo = static_cast<ui::PromptJanela&>(prompt);
    const int antes = memo.pinturas();
    QElapsedTimer relogio;
    relogio.start();
    for (int i = 0; i < 3000; ++i)
        janela->AtualizaPrompt(QString(), QStringLiteral("linha %1").arg(i));
    const qint64 decorrido = relogio.elapsed();
    EXPECT_LE(memo.pinturas() - antes, decorrido / ui::PromptJanela::intervaloMs + 2);
    EXPECT_EQ(janela->textoPrompt(), QStringLiteral("SPED>Operação abortada pelo Usuário.\nSPED>linha 2999"));
}

TEST_F(JanelaPrincipal, GerarInTheWindowWritesTheSameBytesAsTheGenerator) {
    abre();
    boxes().clear();
    janela->btGerar()->click();
    const QString caminho = arquivoGerado();
    ASSERT_FALSE(caminho.isEmpty()) << boxes().texts().join('|').toStdString();
    const QByteArray daJanela = le(caminho);
    EXPECT_EQ(daJanela, le(QStringLiteral(FCONT_SOURCE_DIR "/tests/generation/golden/seed_sp1.txt")));
    EXPECT_TRUE(janela->textoPrompt().startsWith(
        QStringLiteral("SPED>PROCESSO GERAÇÃO ARQUIVO CONCLUÍDO COM SUCESSO!\nSPED>FCONT_")));
    EXPECT_TRUE(janela->btGerar()->isEnabled());
    EXPECT_FALSE(janela->btCancelar()->isEnabled());
    ASSERT_EQ(boxes().boxes().size(), 1);
    EXPECT_EQ(boxes().boxes().first().kind, ScriptedDialogs::Kind::ShowFile);

    const generation::ResultadoGeracao semJanela = generation::GeraArquivoFCONT(nullptr);
    EXPECT_EQ(le(semJanela.arquivo), daJanela);
}

TEST_F(JanelaPrincipal, CancelarDuringTheI050RowsLeavesThePartialFile) {
    abre();
    int linhasI050 = 0;
    platform::setPendingEventsHook([&] {
        if (janela->btCancelar()->isEnabled() &&
            janela->prompt().lines().value(1).startsWith(QStringLiteral("SPED>|I050|")) && ++linhasI050 == 3)
            janela->btCancelar()->click();
    });
    janela->btGerar()->click();
    platform::setPendingEventsHook({});
    ASSERT_EQ(linhasI050, 3);

    const QStringList linhas =
        QString::fromLatin1(le(arquivoGerado())).split(QStringLiteral("\r\n"), Qt::SkipEmptyParts);
    ASSERT_FALSE(linhas.isEmpty());
    EXPECT_TRUE(linhas.last().startsWith(QStringLiteral("|I050|")) ||
                linhas.last().startsWith(QStringLiteral("|I051|")))
        << linhas.last().toStdString();
    EXPECT_LT(linhas.size(), 140);
    EXPECT_TRUE(linhas.filter(QStringLiteral("|I155|")).isEmpty());
    EXPECT_TRUE(janela->textoPrompt().startsWith(QStringLiteral("SPED>Operação abortada pelo Usuário.")));
    EXPECT_TRUE(janela->btGerar()->isEnabled());
    EXPECT_FALSE(janela->btCancelar()->isEnabled());
}

// The caption is the application's title; Ctrl+S saves and says so on the prompt, F9 generates,
// and Escape cancels only while a generation runs; a screen reader hears the set's code and name.
TEST_F(JanelaPrincipal, CaptionCommandKeysAndAccessibleNamesAreWhatTheUserSees) {
    const QString titulo = QStringLiteral("FCONT - FCONT Versão 1.0 (Compilação 30-06-2015 09:00)");
    ui::DefineTituloAplicacao(titulo);
    abre();
    ui::DefineTituloAplicacao({});
    EXPECT_EQ(janela->windowTitle(), titulo);
    auto* codigo = QAccessible::queryAccessibleInterface(janela->dblaCodCfg());
    auto* nome = QAccessible::queryAccessibleInterface(janela->dblaNomeCfg());
    ASSERT_TRUE(codigo && nome);
    EXPECT_EQ(codigo->text(QAccessible::Name), QStringLiteral("1"));
    EXPECT_EQ(codigo->text(QAccessible::Description), QStringLiteral("Código da configuração"));
    EXPECT_EQ(nome->text(QAccessible::Name), janela->dblaNomeCfg()->text());
    EXPECT_FALSE(nome->text(QAccessible::Name).isEmpty());

    janela->activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(janela.get()));
    janela->tvMenu()->setFocus();
    // A button's key presses it as a click does, a moment later.
    QTest::keyClick(janela->windowHandle(), Qt::Key_S, Qt::ControlModifier);
    QTest::qWait(300);
    EXPECT_TRUE(janela->textoPrompt().endsWith(QStringLiteral("SPED>Configuração 1 salva.")))
        << janela->textoPrompt().toStdString();
    QTest::keyClick(janela->windowHandle(), Qt::Key_Escape);
    QTest::qWait(300);
    EXPECT_FALSE(dm->Cancelado) << "nothing runs: Escape cancels nothing";

    int linhas = 0;
    platform::setPendingEventsHook([&] {
        if (janela->btCancelar()->isEnabled() && ++linhas == 5) {
            QTest::keyClick(janela->windowHandle(), Qt::Key_Escape);
            QTest::qWait(200);
        }
    });
    QTest::keyClick(janela->windowHandle(), Qt::Key_F9);
    QTest::qWait(300);
    platform::setPendingEventsHook({});
    EXPECT_GE(linhas, 5) << "F9 started the generation";
    EXPECT_FALSE(arquivoGerado().isEmpty());
    EXPECT_TRUE(janela->textoPrompt().startsWith(QStringLiteral("SPED>Operação abortada pelo Usuário.")))
        << janela->textoPrompt().toStdString();
    EXPECT_TRUE(boxes().texts().filter(QStringLiteral("Erro")).isEmpty())
        << boxes().texts().join('|').toStdString();
}

// "Nova Configuração" with another set highlighted: until the new set is saved nothing may be
// copied or added for it; once saved it stays the set of the window, and the copy goes into it.
TEST_F(JanelaPrincipal, ANewSetTakesRowsOnlyOnceSavedAndThenStaysTheWindowsSet) {
    TfmPrincipal::selecionaConfiguracao() = [](int& codigo, QString& acao) {
        codigo = 1;
        acao = QStringLiteral("NOVO");
        return true;
    };
    abre();
    platform::Query& sped = dm->quSPED;
    ASSERT_EQ(sped.state(), platform::DataSetState::Insert);
    const QString aviso = QStringLiteral("Aviso: a configuração ainda não foi salva.\rSalve-a antes de %1.");
    boxes().clear();
    boxes().answerNextInput(QStringLiteral("7"));
    janela->pmRegI050I051()->actions().at(1)->trigger();
    janela->pmRegI050I051()->actions().at(0)->trigger();
    escolhe(QStringLiteral("Registro J930"));
    janela->tsRegJ930()->btIncluir()->click();
    EXPECT_EQ(boxes().texts(), (QStringList{aviso.arg(QStringLiteral("importar o Plano de Contas ECD")),
                                            aviso.arg(QStringLiteral("importar o Plano de Contas")),
                                            aviso.arg(QStringLiteral("incluir signatários"))}));
    EXPECT_EQ(dm->quRegJ930old.state(), platform::DataSetState::Browse);
    auto linhasDe = [this](int conjunto) {
        return common::BuscaValorInteiro(QStringLiteral("count(*)"), QStringLiteral("AUGC80SPAS"),
                                         QStringLiteral(" where SPCODIGO = %1").arg(conjunto), dm->quExec);
    };
    EXPECT_EQ(linhasDe(8), 0);
    EXPECT_EQ(linhasDe(1), 40);

    sped.fieldByName(QStringLiteral("EMPRESA")).setValue(1);
    sped.fieldByName(QStringLiteral("FILIAL")).setValue(QStringLiteral("01"));
    boxes().clear();
    janela->btSalvar()->click();
    ASSERT_TRUE(boxes().texts().isEmpty()) << boxes().texts().join('|').toStdString();
    EXPECT_EQ(janela->CodigoConfiguracao, 8);
    EXPECT_EQ(sped.state(), platform::DataSetState::Browse);
    EXPECT_EQ(janela->dblaCodCfg()->text(), QStringLiteral("8"));
    EXPECT_TRUE(janela->textoPrompt().endsWith(QStringLiteral("SPED>Configuração 8 salva.")));
    EXPECT_EQ(dm->quRegI050I051.recordCount(), 0) << "the grids show the new set's rows";

    boxes().answerNextInput(QStringLiteral("7"));
    janela->pmRegI050I051()->actions().at(1)->trigger();
    EXPECT_EQ(linhasDe(8), 3);
    EXPECT_EQ(linhasDe(1), 40);
    EXPECT_EQ(dm->quRegI050I051.recordCount(), 3);
}

// "Excluir Configuração" and "Sim": the set goes with its association rows and signatories,
// committed at once, and the prompt says so once the window shows; a new set made next, which
// takes the freed code, starts empty.
TEST_F(JanelaPrincipal, DeletingASetTakesItsRowsAndTheNextNewSetStartsEmpty) {
    banco->runScript(QStringLiteral("delete from AUGC80SP where SPCODIGO = 7;"));
    TfmPrincipal::selecionaConfiguracao() = [](int& codigo, QString& acao) {
        codigo = 1;
        acao = QStringLiteral("EXCLUIR");
        return true;
    };
    boxes().answerNext(QStringLiteral("Sim"));
    abre();
    QCoreApplication::processEvents();
    EXPECT_EQ(boxes().texts(), QStringList{QStringLiteral("Tem certeza de que deseja excluir o registro?")});
    EXPECT_TRUE(janela->textoPrompt().endsWith(QStringLiteral("SPED>Configuração 1 excluída.")))
        << janela->textoPrompt().toStdString();
    db::Attachment outra = banco->connect();
    db::Transaction leitura(outra);
    for (const char* tabela : {"AUGC80SP", "AUGC80SPAS", "AUGC80SPSG"})
        EXPECT_EQ(
            value(leitura,
                  QStringLiteral("select count(*) from %1 where SPCODIGO = 1").arg(QLatin1String(tabela)))
                .toInt(),
            0)
            << tabela;
    leitura.commit();
    EXPECT_EQ(janela->CodigoConfiguracao, 0);
    EXPECT_EQ(janela->dbgdRegJ930()->model()->rowCount(), 0);

    // The next new set takes code 1 again (the highest left is 7's rows' set, now gone too).
    TfmPrincipal::selecionaConfiguracao() = [](int& codigo, QString& acao) {
        codigo = 0;
        acao = QStringLiteral("NOVO");
        return true;
    };
    janela->btConfig()->click();
    EXPECT_EQ(dm->quSPED.fieldByName(QStringLiteral("SPCODIGO")).asInteger(), 1);
    EXPECT_EQ(common::BuscaValorInteiro(QStringLiteral("count(*)"), QStringLiteral("AUGC80SPAS"),
                                        QStringLiteral(" where SPCODIGO = 1"), dm->quExec),
              0)
        << "no rows of the deleted set wait for it";
}

} // namespace
