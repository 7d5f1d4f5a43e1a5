// The findings grid and its window: a planted file's findings with their colours and the
// severity filter, and the double-click that takes the user to the page where a finding is
// mended in the main window on the seed database.

#include "data/dmFCONT.h"
#include "generation/dmBlocos.h"
#include "platform/ScriptedDialogs.h"
#include "tests/relatorios/Planilha.h"
#include "tests/support/ModuloDados.h"
#include "ui/main/ControlePaginas.h"
#include "ui/main/GradeAchados.h"
#include "ui/main/IrParaAchado.h"
#include "ui/main/PaginaPrincipal.h"
#include "ui/main/PaginaRegistro0000.h"
#include "ui/main/PaginaRegistroI050.h"
#include "ui/main/PaginaRegistroJ930.h"
#include "ui/main/TfmAchados.h"
#include "ui/main/TfmPrincipal.h"
#include "ui/main/ValidacaoJanela.h"
#include "validacao/Validacao.h"

#include <QApplication>
#include <QBrush>
#include <QCheckBox>
#include <QDir>
#include <QFile>
#include <QHeaderView>
#include <QLabel>
#include <QMouseEvent>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTableView>
#include <QTemporaryDir>
#include <QToolButton>
#include <QTreeWidget>

#include <gtest/gtest.h>

using namespace testsupport;
using ui::TfmPrincipal;
using validacao::Gravidade;

namespace {

QStringList linhasDoArquivoCerto() {
    QFile f(QStringLiteral(FCONT_SOURCE_DIR "/tests/generation/golden/seed_sp1.txt"));
    if (!f.open(QIODevice::ReadOnly))
        return {};
    QStringList linhas = QString::fromLatin1(f.readAll()).split(QStringLiteral("\r\n"));
    linhas.removeLast();
    return linhas;
}

void troca(QStringList& linhas, int numero, int indice, const QString& valor) {
    QStringList campos = linhas[numero - 1].split(QLatin1Char('|'));
    campos[indice + 1] = valor;
    linhas[numero - 1] = campos.join(QLatin1Char('|'));
}

// The seed's file with a wrong final balance on line 72 (account 1.1.01.001, which also leaves
// the balances one cent apart) and a CPF with wrong check digits on line 92.
validacao::Achados achadosPlantados() {
    QStringList linhas = linhasDoArquivoCerto();
    troca(linhas, 72, 7, QStringLiteral("2430,41"));
    troca(linhas, 92, 2, QStringLiteral("12345678900"));
    const validacao::TabelasExternas tabelas = validacao::TabelasExternas::Carrega(
        QStringLiteral(FCONT_SOURCE_DIR "/demonstracao/Tabelas Externas"));
    return validacao::ValidaArquivo(
        validacao::LeTextoFCONT((linhas.join(QStringLiteral("\r\n")) + QStringLiteral("\r\n")).toLatin1()),
        tabelas);
}

// A user's double-click: the press picks the row, the second click of the pair opens it.
void duploClique(QTableView& grade, int linha) {
    const QPoint ponto = grade.visualRect(grade.model()->index(linha, 1)).center();
    QWidget* area = grade.viewport();
    for (QEvent::Type tipo : {QEvent::MouseButtonPress, QEvent::MouseButtonRelease,
                              QEvent::MouseButtonDblClick, QEvent::MouseButtonRelease}) {
        QMouseEvent evento(tipo, QPointF(ponto), area->mapToGlobal(QPointF(ponto)), Qt::LeftButton,
                           tipo == QEvent::MouseButtonRelease ? Qt::NoButton : Qt::LeftButton,
                           Qt::NoModifier);
        QApplication::sendEvent(area, &evento);
    }
}

void cliqueNoTitulo(QTableView& grade, int coluna) {
    QHeaderView& titulos = *grade.horizontalHeader();
    const QPoint ponto(titulos.sectionViewportPosition(coluna) + titulos.sectionSize(coluna) / 2,
                       titulos.height() / 2);
    for (QEvent::Type tipo : {QEvent::MouseButtonPress, QEvent::MouseButtonRelease}) {
        QMouseEvent evento(tipo, QPointF(ponto), titulos.viewport()->mapToGlobal(QPointF(ponto)),
                           Qt::LeftButton, tipo == QEvent::MouseButtonRelease ? Qt::NoButton : Qt::LeftButton,
                           Qt::NoModifier);
        QApplication::sendEvent(titulos.viewport(), &evento);
    }
}

int linhaDe(const ui::GradeAchados& grade, const QString& registro) {
    auto& tabela = const_cast<ui::GradeAchados&>(grade).tabela();
    for (int i = 0; i < tabela.recordCount(); ++i)
        if (tabela.achadoDa(i)->registro == registro)
            return i;
    return -1;
}

} // namespace

TEST(GradeAchados, ShowsAPlantedFilesFindingsInColourAndFiltersThemBySeverity) {
    const validacao::Achados achados = achadosPlantados();
    ASSERT_EQ(validacao::ContaErros(achados), 2) << validacao::ResumoAchados(achados).toStdString();
    ASSERT_EQ(validacao::ContaAvisos(achados), 1);

    ui::TfmAchados janela;
    janela.mostra(QStringLiteral("Arquivo: plantado.txt"),
                  QStringLiteral("Validação do arquivo: ") + validacao::ResumoAchados(achados), achados);
    janela.show();
    ui::GradeAchados& grade = *janela.grade();
    const ui::ModeloAchados& modelo = *grade.modelo();
    ASSERT_EQ(modelo.rowCount(), 3);
    ASSERT_EQ(modelo.columnCount(), 6);
    EXPECT_EQ(modelo.headerData(0, Qt::Horizontal).toString(), QStringLiteral("Gravidade"));
    EXPECT_EQ(modelo.headerData(5, Qt::Horizontal).toString(), QStringLiteral("Mensagem"));
    EXPECT_EQ(janela.laResumo()->text(), QStringLiteral("Validação do arquivo: 2 erros, 1 avisos"));

    const int i155 = linhaDe(grade, QStringLiteral("I155"));
    ASSERT_GE(i155, 0);
    EXPECT_EQ(modelo.index(i155, 0).data().toString(), QStringLiteral("Erro"));
    EXPECT_EQ(modelo.index(i155, 1).data().toString(), QStringLiteral("72"));
    EXPECT_EQ(modelo.index(i155, 4).data().toString(), QStringLiteral("1.1.01.001"));
    EXPECT_EQ(modelo.index(i155, 0).data(Qt::BackgroundRole).value<QBrush>().color(),
              ui::CoresDaGravidade(Gravidade::Erro).fundo);
    EXPECT_FALSE(modelo.index(i155, 5).data(Qt::BackgroundRole).isValid()) << "only the severity is coloured";
    int aviso = -1;
    for (int i = 0; i < modelo.rowCount(); ++i)
        if (modelo.index(i, 0).data().toString() == QLatin1String("Aviso"))
            aviso = i;
    ASSERT_GE(aviso, 0);
    EXPECT_EQ(modelo.index(aviso, 0).data(Qt::BackgroundRole).value<QBrush>().color(),
              ui::CoresDaGravidade(Gravidade::Aviso).fundo);
    EXPECT_NE(ui::CoresDaGravidade(Gravidade::Aviso).fundo, ui::CoresDaGravidade(Gravidade::Erro).fundo);
    EXPECT_FALSE(modelo.flags(modelo.index(0, 5)) & Qt::ItemIsEditable);

    grade.rbAvisos()->click();
    ASSERT_EQ(modelo.rowCount(), 1);
    EXPECT_EQ(modelo.index(0, 0).data().toString(), QStringLiteral("Aviso"));
    grade.rbErros()->click();
    ASSERT_EQ(modelo.rowCount(), 2);
    EXPECT_EQ(modelo.index(0, 1).data().toString(), QStringLiteral("72"));
    EXPECT_EQ(modelo.index(1, 1).data().toString(), QStringLiteral("92"));

    // A click on a title sorts; a second one reverses; the double-click still finds its finding.
    QList<validacao::Achado> escolhidos;
    grade.aoEscolher = [&](const validacao::Achado& a) { escolhidos << a; };
    cliqueNoTitulo(*grade.dbgdAchados(), 1);
    EXPECT_EQ(modelo.index(0, 1).data().toString(), QStringLiteral("72"));
    cliqueNoTitulo(*grade.dbgdAchados(), 1);
    EXPECT_EQ(modelo.index(0, 1).data().toString(), QStringLiteral("92"));
    duploClique(*grade.dbgdAchados(), 0);
    ASSERT_EQ(escolhidos.size(), 1);
    EXPECT_EQ(escolhidos.first().registro, QStringLiteral("J930"));
    EXPECT_EQ(escolhidos.first().linha, 92);
    EXPECT_EQ(grade.laMensagem()->text(), escolhidos.first().mensagem)
        << "the whole message of the current row";

    grade.rbTodos()->click();
    EXPECT_EQ(modelo.rowCount(), 3);
}

TEST(GradeAchados, ExportWritesTheRowsAsTheGridShowsThemInItsColumns) {
    validacao::Achados achados = achadosPlantados();
    achados.prepend(
        validacao::Achado{Gravidade::Erro,
                          0,
                          {},
                          {},
                          QStringLiteral("4.2.01.001"),
                          QStringLiteral("Lançamento sem contrapartida em 03/2025; corrija-o no ERP."),
                          QStringLiteral("Conferência")});
    ui::TfmAchados janela;
    janela.mostra({}, {}, achados);
    const QTemporaryDir pasta;
    const QString arquivo = pasta.filePath(QStringLiteral("achados.xlsx"));
    const ui::TfmAchados::NomeArquivo anterior = ui::TfmAchados::escolheArquivoExcel();
    QString destino = arquivo;
    ui::TfmAchados::escolheArquivoExcel() = [&](QWidget*) { return destino; };
    platform::ScopedDialogs caixas;

    janela.grade()->filtra(validacao::FiltroGravidade::Erros);
    janela.grade()->dbgdAchados()->sortByColumn(1, Qt::DescendingOrder);
    janela.btExportar()->click();
    ASSERT_EQ(caixas->texts().size(), 1);
    EXPECT_EQ(caixas->texts().first(), QStringLiteral("3 achados exportados para \"%1\".").arg(arquivo));
    testsupport::Planilha planilha = testsupport::LePlanilha(arquivo);
    ASSERT_TRUE(planilha.erro.isEmpty()) << planilha.erro.toStdString();
    const std::vector<platform::ColunaGrade>& colunas = validacao::ColunasAchados();
    for (size_t c = 0; c < colunas.size(); ++c)
        EXPECT_EQ(planilha.celulas.value(QString(QChar('A' + static_cast<int>(c))) + QLatin1Char('1')),
                  colunas[c].titulo);
    EXPECT_EQ(planilha.celulas.value(QStringLiteral("A2")), QStringLiteral("Erro"));
    EXPECT_EQ(planilha.celulas.value(QStringLiteral("B2")), QStringLiteral("92"));
    EXPECT_EQ(planilha.celulas.value(QStringLiteral("C2")), QStringLiteral("J930"));
    EXPECT_EQ(planilha.celulas.value(QStringLiteral("B3")), QStringLiteral("72"));
    EXPECT_EQ(planilha.celulas.value(QStringLiteral("E3")), QStringLiteral("1.1.01.001"));
    EXPECT_FALSE(planilha.celulas.contains(QStringLiteral("B4"))) << "a finding without a line has no line";
    EXPECT_EQ(planilha.celulas.value(QStringLiteral("F4")), achados.first().mensagem);
    EXPECT_FALSE(planilha.celulas.contains(QStringLiteral("A5"))) << "the warning is filtered out";
    EXPECT_GT(planilha.larguras.value(6), planilha.larguras.value(5)) << "the message has room to be read";

    // A folder that does not exist: the error is told and the workbook written before stays.
    caixas->clear();
    destino = pasta.filePath(QStringLiteral("nao/existe.xlsx"));
    janela.btExportar()->click();
    ASSERT_EQ(caixas->texts().size(), 1);
    EXPECT_TRUE(caixas->texts().first().startsWith(QStringLiteral("Erro: \rAo exportar os achados para \"")))
        << caixas->texts().first().toStdString();
    EXPECT_TRUE(testsupport::LePlanilha(arquivo).erro.isEmpty());
    ui::TfmAchados::escolheArquivoExcel() = anterior;
}

namespace {

class AchadosNaJanela : public ModuloDadosTest {
protected:
    void SetUp() override {
        ModuloDadosTest::SetUp();
        if (IsSkipped())
            return;
        blocos = std::make_unique<generation::TdmBlocos>();
        copiaTabelasExternas();
        dm->cdsListas.loadFromFile(QStringLiteral("Tabelas Externas/SPEDTabCodigos.xml"));
        selecaoAnterior = TfmPrincipal::selecionaConfiguracao();
        escolhaAnterior = ui::ValidacaoJanela::escolheArquivoFCONT();
        terminoAnterior = TfmPrincipal::terminaAplicacao();
        navegadorAnterior = ui::PaginaPrincipal::abreNavegador();
        TfmPrincipal::selecionaConfiguracao() = [](int& codigo, QString& acao) {
            codigo = 1;
            acao.clear();
            return true;
        };
        TfmPrincipal::terminaAplicacao() = [] {};
        ui::PaginaPrincipal::abreNavegador() = [](const QUrl&) {};
        janela = std::make_unique<TfmPrincipal>();
        janela->show();
        achados = std::make_unique<ui::TfmAchados>();
        achados->grade()->aoEscolher = [this](const validacao::Achado& a) {
            ui::MostraOndeCorrigir(*janela, a);
        };
        achados->mostra({}, {}, achadosPlantados());
        achados->show();
    }

    void TearDown() override {
        achados.reset();
        janela.reset();
        blocos.reset();
        if (selecaoAnterior) {
            ui::ValidacaoJanela::escolheArquivoFCONT() = escolhaAnterior;
            TfmPrincipal::selecionaConfiguracao() = selecaoAnterior;
            TfmPrincipal::terminaAplicacao() = terminoAnterior;
            ui::PaginaPrincipal::abreNavegador() = navegadorAnterior;
        }
        ModuloDadosTest::TearDown();
    }

    int paginaEmVista() const { return janela->pcPaginas()->paginaAtual(); }
    int indiceDa(QWidget* pagina) const {
        for (int i = 0; i < janela->pcPaginas()->count(); ++i)
            if (janela->pcPaginas()->pagina(i) == pagina)
                return i;
        return -1;
    }
    QString contaAtual() const {
        return dm->quRegI050I051.fieldByName(QStringLiteral("PCORDENACAO")).asString();
    }

    QStringList linhasDoPrompt() { return janela->textoPrompt().split(QLatin1Char('\n')); }

    std::unique_ptr<generation::TdmBlocos> blocos;
    std::unique_ptr<TfmPrincipal> janela;
    std::unique_ptr<ui::TfmAchados> achados;
    TfmPrincipal::Selecao selecaoAnterior;
    ui::ValidacaoJanela::EscolheArquivo escolhaAnterior;
    std::function<void()> terminoAnterior;
    std::function<void(const QUrl&)> navegadorAnterior;
};

} // namespace

TEST_F(AchadosNaJanela, DoubleClickOnABalanceMakesItsAccountCurrentOnTheChartPage) {
    ASSERT_GT(dm->quRegI050I051.recordCount(), 1);
    dm->quRegI050I051.last();
    // The account is referenced: the filter of the unreferenced ones would hide it.
    janela->ckRegI050I051ContasNRef()->click();
    ASSERT_TRUE(janela->ckRegI050I051ContasNRef()->isChecked());

    duploClique(*achados->grade()->dbgdAchados(), linhaDe(*achados->grade(), QStringLiteral("I155")));
    EXPECT_EQ(paginaEmVista(), indiceDa(janela->tsRegI050()));
    EXPECT_EQ(janela->tvMenu()->currentItem()->text(0), QStringLiteral("Registro I050"));
    EXPECT_FALSE(janela->ckRegI050I051ContasNRef()->isChecked());
    EXPECT_EQ(validacao::ChaveDeConta(contaAtual()), validacao::ChaveDeConta(QStringLiteral("1.1.01.001")))
        << contaAtual().toStdString();
    EXPECT_EQ(janela->dbgdPlanoContasRef()->currentIndex().row(), dm->quRegI050I051.recNo());

    // M355 writes its codes unmasked; the same account is found all the same.
    EXPECT_TRUE(ui::MostraOndeCorrigir(*janela, validacao::Achado{Gravidade::Erro,
                                                                  112,
                                                                  QStringLiteral("M355"),
                                                                  QStringLiteral("COD_CTA"),
                                                                  QStringLiteral("4201001"),
                                                                  QStringLiteral("x"),
                                                                  {}}));
    EXPECT_EQ(validacao::ChaveDeConta(contaAtual()), QStringLiteral("4201001"));

    caixas->get().clear();
    EXPECT_FALSE(ui::MostraOndeCorrigir(*janela, validacao::Achado{Gravidade::Erro,
                                                                   6,
                                                                   QStringLiteral("I050"),
                                                                   QStringLiteral("COD_CTA"),
                                                                   QStringLiteral("9.9.99.999"),
                                                                   QStringLiteral("x"),
                                                                   {}}));
    ASSERT_EQ(caixas->get().texts().size(), 1);
    EXPECT_TRUE(caixas->get().texts().first().startsWith(QStringLiteral("Aviso: a conta \"9.9.99.999\"")));
}

TEST_F(AchadosNaJanela, DoubleClickOnASignatoryShowsTheJ930PageAndOnTheFileAsAWholeNothing) {
    duploClique(*achados->grade()->dbgdAchados(), linhaDe(*achados->grade(), QStringLiteral("J930")));
    EXPECT_EQ(paginaEmVista(), indiceDa(janela->tsRegJ930()));
    EXPECT_TRUE(janela->pcPaginas()->abaVisivel(indiceDa(janela->tsRegJ930())));

    EXPECT_TRUE(ui::MostraOndeCorrigir(
        *janela,
        validacao::Achado{Gravidade::Erro, 1, QStringLiteral("0000"), QStringLiteral("CNPJ"), {}, {}, {}}));
    EXPECT_EQ(paginaEmVista(), indiceDa(janela->tsReg0000()));
    EXPECT_FALSE(ui::MostraOndeCorrigir(
        *janela, validacao::Achado{Gravidade::Erro, 139, QStringLiteral("9990"), {}, {}, {}, {}}));
    EXPECT_EQ(paginaEmVista(), indiceDa(janela->tsReg0000())) << "a count of block 9 leads nowhere";
}

TEST_F(AchadosNaJanela, GerarAddsTheSummaryToThePromptAndOpensTheFindingsOnlyWhenThereAreErrors) {
    achados.reset();
    ui::ValidacaoJanela& validacao = *janela->validacao();
    EXPECT_FALSE(validacao.MostrarAchados1()->isEnabled());
    caixas->get().clear();
    janela->btGerar()->click();
    QStringList linhas = linhasDoPrompt();
    ASSERT_EQ(linhas.size(), 3) << janela->textoPrompt().toStdString();
    EXPECT_EQ(linhas[0], QStringLiteral("SPED>PROCESSO GERAÇÃO ARQUIVO CONCLUÍDO COM SUCESSO!"));
    EXPECT_TRUE(linhas[1].startsWith(QStringLiteral("SPED>FCONT_")));
    EXPECT_EQ(linhas[2], QStringLiteral("SPED>Validação do arquivo: 0 erros, 0 avisos"));
    EXPECT_TRUE(validacao.fmAchados() == nullptr || !validacao.fmAchados()->isVisible())
        << "a clean file opens nothing";
    EXPECT_TRUE(validacao.MostrarAchados1()->isEnabled());
    ASSERT_EQ(caixas->get().boxes().size(), 1) << caixas->get().texts().join('|').toStdString();
    EXPECT_EQ(caixas->get().boxes().first().kind, platform::ScriptedDialogs::Kind::ShowFile);

    // The accountant without a CRC number: the file is written all the same, and the error shows.
    dm->IBScript.setText(
        QStringLiteral("update AUGC80SPSG set SPSGIND_CRC = null where SPSGCOD_ASSIM = '900';"));
    dm->IBScript.run();
    dm->quRegJ930old.close();
    dm->quRegJ930old.open();
    caixas->get().clear();
    janela->btGerar()->click();
    linhas = linhasDoPrompt();
    ASSERT_EQ(linhas.size(), 3) << "the summary of the first file is gone";
    EXPECT_EQ(linhas[0], QStringLiteral("SPED>PROCESSO GERAÇÃO ARQUIVO CONCLUÍDO COM SUCESSO!"));
    EXPECT_EQ(linhas[2], QStringLiteral("SPED>Validação do arquivo: 1 erros, 0 avisos"));
    ASSERT_NE(validacao.fmAchados(), nullptr);
    EXPECT_TRUE(validacao.fmAchados()->isVisible()) << "errors open the findings by themselves";
    ASSERT_EQ(validacao.ultimosAchados().size(), 1);
    EXPECT_EQ(validacao.ultimosAchados().first().registro, QStringLiteral("J930"));
    EXPECT_TRUE(validacao.fmAchados()->laOrigem()->text().contains(QStringLiteral("Arquivos Gerados")));
    EXPECT_EQ(caixas->get().boxes().size(), 1) << "Gerar's own boxes only";
    // Pictures for whoever looks at the window (FCONT_CAPTURAS names the folder).
    if (!qEnvironmentVariableIsEmpty("FCONT_CAPTURAS")) {
        const QDir capturas(qEnvironmentVariable("FCONT_CAPTURAS"));
        janela->textoPrompt();
        EXPECT_TRUE(janela->grab().save(capturas.filePath(QStringLiteral("gerar-validado.png"))));
        EXPECT_TRUE(
            validacao.fmAchados()->grab().save(capturas.filePath(QStringLiteral("achados-gerar.png"))));
    }

    // From the findings window to the signatories' page.
    duploClique(*validacao.fmAchados()->grade()->dbgdAchados(), 0);
    EXPECT_EQ(paginaEmVista(), indiceDa(janela->tsRegJ930()));

    // Warnings alone are in the summary and a menu away: a large chart always has some, and a
    // window at every Gerar would stand in the user's way.
    validacao.fmAchados()->hide();
    dm->IBScript.setText(
        QStringLiteral("update AUGC80SPSG set SPSGIND_CRC = '1SP000001O1' where SPSGCOD_ASSIM = '900';\n"
                       "update AUGC80SPAS set COD_CTA_REF = null where SPCODIGO = 1 and PCCODIGO = "
                       "(select PCCODIGO from ACBC15PC where PACODIGO = 1 and PCORDENACAO = '1101001');"));
    dm->IBScript.run();
    dm->quRegJ930old.close();
    dm->quRegJ930old.open();
    janela->btGerar()->click();
    linhas = linhasDoPrompt();
    ASSERT_EQ(linhas.size(), 3);
    EXPECT_EQ(linhas[2], QStringLiteral("SPED>Validação do arquivo: 0 erros, 1 avisos"));
    EXPECT_FALSE(validacao.fmAchados()->isVisible()) << "warnings alone open nothing";
    EXPECT_EQ(validacao.ultimosAchados().size(), 1);
}

TEST_F(AchadosNaJanela, TheMenuValidatesAFileFromDiskAlsoWithLineFeedsOnly) {
    achados.reset();
    ui::ValidacaoJanela& validacao = *janela->validacao();
    // As another program writes it: LF alone, and one balance that does not close.
    QStringList linhas = linhasDoArquivoCerto();
    troca(linhas, 72, 7, QStringLiteral("2430,41"));
    escreveArquivo(QStringLiteral("outro.txt"),
                   (linhas.join(QLatin1Char('\n')) + QLatin1Char('\n')).toLatin1());
    QString escolhido = QDir(pastaAtual()).filePath(QStringLiteral("outro.txt"));
    ui::ValidacaoJanela::escolheArquivoFCONT() = [&](QWidget*) { return escolhido; };

    caixas->get().clear();
    validacao.ValidarArquivo1()->trigger();
    ASSERT_NE(validacao.fmAchados(), nullptr);
    EXPECT_TRUE(validacao.fmAchados()->isVisible());
    EXPECT_EQ(validacao.fmAchados()->laResumo()->text(),
              QStringLiteral("Validação do arquivo: 1 erros, 1 avisos"));
    const ui::ModeloAchados& modelo = *validacao.fmAchados()->grade()->modelo();
    ASSERT_EQ(modelo.rowCount(), 2);
    EXPECT_EQ(modelo.index(1, 1).data().toString(), QStringLiteral("72")) << "lines count as in the file";
    EXPECT_TRUE(caixas->get().boxes().isEmpty());

    // A clean file still shows its window, and what was not checked for want of a table is said.
    QFile::remove(QStringLiteral("Tabelas Externas/contasref-SRF.txt"));
    escreveArquivo(QStringLiteral("certo.txt"),
                   (linhasDoArquivoCerto().join(QLatin1Char('\n')) + '\n').toLatin1());
    escolhido = QDir(pastaAtual()).filePath(QStringLiteral("certo.txt"));
    validacao.fmAchados()->close();
    validacao.ValidarArquivo1()->trigger();
    EXPECT_TRUE(validacao.fmAchados()->isVisible());
    const QStringList resumo = validacao.fmAchados()->laResumo()->text().split(QLatin1Char('\n'));
    ASSERT_EQ(resumo.size(), 2);
    EXPECT_EQ(resumo[0], QStringLiteral("Validação do arquivo: 0 erros, 0 avisos"));
    EXPECT_TRUE(resumo[1].startsWith(QStringLiteral("Aviso: sem \"")));
    EXPECT_TRUE(resumo[1].contains(QStringLiteral("contasref-SRF.txt")));
    EXPECT_EQ(modelo.rowCount(), 0);

    // Nothing chosen: nothing happens. A file that cannot be read is reported.
    escolhido.clear();
    validacao.ValidarArquivo1()->trigger();
    EXPECT_TRUE(caixas->get().boxes().isEmpty());
    escolhido = QDir(pastaAtual()).filePath(QStringLiteral("nao-existe.txt"));
    validacao.ValidarArquivo1()->trigger();
    ASSERT_EQ(caixas->get().texts().size(), 1);
    EXPECT_TRUE(caixas->get().texts().first().startsWith(QStringLiteral("Erro: não foi possível ler \"")))
        << caixas->get().texts().first().toStdString();
    EXPECT_EQ(validacao.ultimosAchados().size(), 0) << "the last file's findings stay";
}
