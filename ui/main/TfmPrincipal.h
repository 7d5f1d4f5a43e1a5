#pragma once

#include <QMainWindow>
#include <QString>

#include <functional>
#include <memory>

class QButtonGroup;
class QCheckBox;
class QComboBox;
class QDateEdit;
class QGroupBox;
class QLabel;
class QLineEdit;
class QMenu;
class QPlainTextEdit;
class QTableView;
class QToolButton;
class QTreeWidget;
class QTreeWidgetItem;

namespace common {
class PromptView;
}

namespace platform {
class DataSetModel;
}

namespace ui {

class ControlePaginas;
class ModeloPlanoContas;
class PaginaPrincipal;
class PromptJanela;

// The window in which the user completes one parameter set and starts the generation: the set's
// code and name on top, the tree menu of blocks and records on the left, one page per record,
// the four command buttons and the two-line prompt at the bottom. Closing it ends the program.
class TfmPrincipal : public QMainWindow {
public:
    explicit TfmPrincipal(QWidget* parent = nullptr);
    ~TfmPrincipal() override;

    // Seams for the desktop entry and the tests: the configuration list (code, action word; true
    // when the user left it with a choice) and the end of the program.
    using Selecao = std::function<bool(int& codigo, QString& acao)>;
    static Selecao& selecionaConfiguracao();
    static std::function<void()>& terminaAplicacao();
    // The lookup window (kind text in, chosen key out; true when the user chose a row) and the
    // general search window; the search windows when they are built in, else nothing is chosen.
    using Pesquisa = std::function<bool(const QString& tipo, QString& chave)>;
    static Pesquisa& abrePesquisa();
    using PesquisaGeral =
        std::function<bool(int tipo, QString& r1, QString& r2, QString& r3, QString& r4, const QString& n1,
                           const QString& n2, const QString& n3, const QString& n4)>;
    static PesquisaGeral& abrePesquisaGeral();
    // Where the tree menu is kept; the current folder's "tvMenu.ini" unless a test moves it.
    static QString& arquivoMenu();

    QString AcaoConfiguracao;
    int CodigoConfiguracao = 0;
    QString FiltroEmpresas;

    QWidget* paTopo = nullptr;
    QLabel* imLogo = nullptr;
    QGroupBox* gbConfiguracoes = nullptr;
    QLabel* dblaCodCfg = nullptr;
    QLabel* dblaNomeCfg = nullptr;
    QTreeWidget* tvMenu = nullptr;
    ControlePaginas* pcPaginas = nullptr;
    PaginaPrincipal* wbNavegador = nullptr;
    QToolButton* btConfig = nullptr;
    QToolButton* btSalvar = nullptr;
    QToolButton* btGerar = nullptr;
    QToolButton* btCancelar = nullptr;
    QPlainTextEdit* mePrompt = nullptr;
    QTableView* dbgdRegJ930 = nullptr;
    QTableView* dbgdPlanoContasRef = nullptr;
    QCheckBox* ckRegI050I051ContasNRef = nullptr;
    QMenu* pmRegI050I051 = nullptr;

    // Handlers.
    void FormShow();
    void FormClose();
    void tvMenuChange(QTreeWidgetItem* no);
    void CarregaPaginaTreeView(const QString& texto);
    void ConfiguraTreeView();
    void CarregaConfiguracoes();
    void CarregarListasColunas();
    void btConfigClick();
    void btSalvarClick();
    void btGerarClick();
    void btCancelarClick();
    void btPesqEmpProcClick();
    void btPesqLocalClick();
    void btPesqMunicipioClick();
    void dblaNomeCfgClick();

    // The chart of accounts page: the association grid, its menu and the filter box.
    void CarregaPlanoContas();
    void ImportarPlanoContas1Click();
    void ImportarPlanoContasECD1Click();
    void VisualizarClick();
    void ExportarExcelClick();
    void ExcluirPlanodeContas1Click();
    void ckRegI050I051ContasNRefClick();
    void dbgdPlanoContasRefEditButtonClick();

    // The progress prompt (two "SPED>" lines) and the cancel check; ends the action by the silent
    // abort when "Cancelar" was pressed.
    void AtualizaPrompt(const QString& principal, const QString& detalhe);
    common::PromptView& prompt();
    // The memo's text once the pending repaint was done.
    QString textoPrompt();

protected:
    void showEvent(QShowEvent* evento) override;
    void closeEvent(QCloseEvent* evento) override;
    bool eventFilter(QObject* objeto, QEvent* evento) override;

private:
    void FormCreate();
    void montaTopo();
    void montaCentro();
    void montaBase();
    void montaPaginas();
    QWidget* paginaRegistro0000();
    QWidget* paginaRegistroI050();
    QWidget* paginaRegistroJ930();
    QWidget* paginaRegistroM020();
    QWidget* paginaRegistroM030();
    void montaGradePlanoContas();
    void montaMenuPlanoContas();
    // Runs a handler as the event loop would: the silent abort ends it quietly, anything else
    // goes to the standard error box.
    void executa(const std::function<void()>& acao);
    // The key the lookup window returned for a kind; empty when nothing was chosen.
    QString pesquisa(const QString& tipo);

    std::unique_ptr<PromptJanela> m_prompt;
    platform::DataSetModel* m_modeloJ930 = nullptr;
    ModeloPlanoContas* m_modeloPlano = nullptr;
};

} // namespace ui
