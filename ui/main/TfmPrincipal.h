#pragma once

#include <QMainWindow>
#include <QString>

#include <functional>
#include <memory>

class QCheckBox;
class QGroupBox;
class QLabel;
class QMenu;
class QPlainTextEdit;
class QTableView;
class QToolButton;
class QTreeWidget;
class QTreeWidgetItem;

namespace common {
class PromptView;
}

namespace ui {

class ControlePaginas;
class ModeloGrade;
class PaginaPrincipal;
class PaginaRegistro0000;
class PaginaRegistroI050;
class PaginaRegistroJ930;
class PaginaRegistroM020;
class PaginaRegistroM030;
class PromptJanela;
class TfmConferencia;
struct Conferencia;
class ValidacaoJanela;

// The window in which the user completes one parameter set and starts the generation: the set's
// code and name on top, the tree menu of blocks and records on the left, one page per record,
// the four command buttons and the two-line prompt at the bottom. Closing it ends the program.
// The pages bind their own controls; the window owns them and keeps the handlers.
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

    // The design's controls, by their names.
    QWidget* paTopo() const { return m_paTopo; }
    QLabel* imLogo() const { return m_imLogo; }
    QGroupBox* gbConfiguracoes() const { return m_gbConfiguracoes; }
    QLabel* dblaCodCfg() const { return m_dblaCodCfg; }
    QLabel* dblaNomeCfg() const { return m_dblaNomeCfg; }
    QTreeWidget* tvMenu() const { return m_tvMenu; }
    ControlePaginas* pcPaginas() const { return m_pcPaginas; }
    PaginaPrincipal* wbNavegador() const { return m_wbNavegador; }
    QToolButton* btConfig() const { return m_btConfig; }
    QToolButton* btSalvar() const { return m_btSalvar; }
    QToolButton* btGerar() const { return m_btGerar; }
    QToolButton* btConferir() const { return m_btConferir; }
    // The conferência's window, once "Conferir" (or "Ver achados" at "Gerar") opened it.
    TfmConferencia* fmConferencia() const { return m_fmConferencia; }
    QToolButton* btCancelar() const { return m_btCancelar; }
    QPlainTextEdit* mePrompt() const { return m_mePrompt; }
    QTableView* dbgdRegJ930() const;
    QTableView* dbgdPlanoContasRef() const;
    QCheckBox* ckRegI050I051ContasNRef() const;
    QMenu* pmRegI050I051() const { return m_pmRegI050I051; }
    PaginaRegistro0000* tsReg0000() const { return m_tsReg0000; }
    PaginaRegistroI050* tsRegI050() const { return m_tsRegI050; }
    PaginaRegistroJ930* tsRegJ930() const { return m_tsRegJ930; }
    PaginaRegistroM020* tsRegM020() const { return m_tsRegM020; }
    PaginaRegistroM030* tsRegM030() const { return m_tsRegM030; }
    // The validation of the files generated and chosen, with its menu and findings window.
    ValidacaoJanela* validacao() const { return m_validacao; }

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
    void btConferirClick();
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

    // A long operation (generation, chart loading, copy of associations) runs while an object of
    // this kind lives. Closing the window meanwhile asks whether to stop it: on "Sim" the
    // operation is cancelled, and the window closes and the program ends once it has stopped.
    class OperacaoLonga {
    public:
        explicit OperacaoLonga(TfmPrincipal& janela);
        ~OperacaoLonga();
        OperacaoLonga(const OperacaoLonga&) = delete;
        OperacaoLonga& operator=(const OperacaoLonga&) = delete;

    private:
        TfmPrincipal& m_janela;
    };
    bool operacaoEmAndamento() const { return m_operacoes > 0; }

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
    void montaMenuPlanoContas();
    // The conferência's window with these results, brought forward.
    void mostraConferencia(const Conferencia& conferencia);
    // The key the lookup window returned for a kind; empty when nothing was chosen.
    QString pesquisa(const QString& tipo);
    void montaAtalhos();
    // "Tem certeza de que deseja excluir o registro?" and, on "Sim", the open set deleted; the
    // prompt says so once the window shows.
    void excluiConfiguracao();
    // A line of the prompt that tells the user what was done; never the cancel check.
    void informaNoPrompt(const QString& texto);
    // Rows of a set not stored yet would belong to no stored set (or, after "Nova Configuração"
    // with a set highlighted, show among that set's rows): a warning and the silent abort.
    void exigeConfiguracaoGravada(const QString& acao) const;

    QWidget* m_paTopo = nullptr;
    QLabel* m_imLogo = nullptr;
    QGroupBox* m_gbConfiguracoes = nullptr;
    QLabel* m_dblaCodCfg = nullptr;
    QLabel* m_dblaNomeCfg = nullptr;
    QTreeWidget* m_tvMenu = nullptr;
    ControlePaginas* m_pcPaginas = nullptr;
    PaginaPrincipal* m_wbNavegador = nullptr;
    PaginaRegistro0000* m_tsReg0000 = nullptr;
    PaginaRegistroI050* m_tsRegI050 = nullptr;
    PaginaRegistroJ930* m_tsRegJ930 = nullptr;
    PaginaRegistroM020* m_tsRegM020 = nullptr;
    PaginaRegistroM030* m_tsRegM030 = nullptr;
    QToolButton* m_btConfig = nullptr;
    QToolButton* m_btSalvar = nullptr;
    QToolButton* m_btGerar = nullptr;
    QToolButton* m_btConferir = nullptr;
    TfmConferencia* m_fmConferencia = nullptr;
    QToolButton* m_btCancelar = nullptr;
    QPlainTextEdit* m_mePrompt = nullptr;
    QMenu* m_pmRegI050I051 = nullptr;
    std::unique_ptr<PromptJanela> m_prompt;
    int m_operacoes = 0;
    bool m_sairAoTerminar = false;
    ValidacaoJanela* m_validacao = nullptr;
};

} // namespace ui
