#include "ui/main/TfmPrincipal.h"

#include "common/Mensagens.h"
#include "common/Texto.h"
#include "data/Carregamento.h"
#include "data/Esquema.h"
#include "data/PlanoContas.h"
#include "data/dmFCONT.h"
#include "data/uFCONT.h"
#include "generation/Geracao.h"
#include "platform/Abort.h"
#include "platform/Dialogs.h"
#include "platform/qt/BusyCursor.h"
#include "platform/qt/FieldBinding.h"
#include "ui/main/Aplicacao.h"
#include "ui/main/ControlePaginas.h"
#include "ui/main/GradeColunas.h"
#include "ui/main/GradePlanoContas.h"
#include "ui/main/Logotipo.h"
#include "ui/main/MenuArvore.h"
#include "ui/main/PaginaPrincipal.h"
#include "ui/main/PaginaRegistro0000.h"
#include "ui/main/PaginaRegistroI050.h"
#include "ui/main/PaginaRegistroJ930.h"
#include "ui/main/PaginaRegistroM020.h"
#include "ui/main/PaginaRegistroM030.h"
#include "ui/main/PromptJanela.h"
#include "ui/main/Relatorios.h"
#include "ui/main/TfmConferencia.h"
#include "ui/main/TfmConfiguracao.h"
#include "ui/main/ValidacaoJanela.h"
#include "ui/search/Pesquisa.h"
#include "ui/search/PesquisaGeral.h"

#include <QApplication>
#include <QCheckBox>
#include <QFile>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QMenu>
#include <QPlainTextEdit>
#include <QScreen>
#include <QStyle>
#include <QTableView>
#include <QToolButton>
#include <QTreeWidget>
#include <QVBoxLayout>

#include <optional>

namespace ui {

using data::dmFCONT;

namespace {

const QString paginaPrincipal = QStringLiteral("Principal");
const QString noCriaIndices = QStringLiteral("Criar Índices de Performance");
constexpr int larguraColunaEsquerda = 264;

QString textoDe(const std::exception& e) {
    return QString::fromUtf8(e.what());
}

QToolButton* botaoComando(QWidget* pai, const char* nome, const QString& legenda,
                          QStyle::StandardPixmap figura) {
    auto* b = new QToolButton(pai);
    b->setObjectName(QString::fromLatin1(nome));
    b->setText(legenda);
    b->setAccessibleName(legenda);
    b->setIcon(pai->style()->standardIcon(figura));
    b->setIconSize(QSize(24, 24));
    b->setToolButtonStyle(Qt::ToolButtonTextUnderIcon);
    b->setFixedSize(62, 50);
    return b;
}

} // namespace

TfmPrincipal::Selecao& TfmPrincipal::selecionaConfiguracao() {
    static Selecao selecao = [](int& codigo, QString& acao) { return SelecionaConfiguracao(codigo, acao); };
    return selecao;
}

TfmPrincipal::Pesquisa& TfmPrincipal::abrePesquisa() {
    static Pesquisa pesquisa = [](const QString& tipo, QString& chave) { return AbrePesquisa(tipo, chave); };
    return pesquisa;
}

TfmPrincipal::PesquisaGeral& TfmPrincipal::abrePesquisaGeral() {
    static PesquisaGeral pesquisa = [](int tipo, QString& r1, QString& r2, QString& r3, QString& r4,
                                       const QString& n1, const QString& n2, const QString& n3,
                                       const QString& n4) {
        return AbrePesquisaGeral(tipo, r1, r2, r3, r4, n1, n2, n3, n4);
    };
    return pesquisa;
}

std::function<void()>& TfmPrincipal::terminaAplicacao() {
    static std::function<void()> termina = [] { QCoreApplication::quit(); };
    return termina;
}

QString& TfmPrincipal::arquivoMenu() {
    static QString arquivo = QStringLiteral("tvMenu.ini");
    return arquivo;
}

TfmPrincipal::TfmPrincipal(QWidget* parent) : QMainWindow(parent) {
    setObjectName(QStringLiteral("fmPrincipal"));
    auto* central = new QWidget(this);
    auto* layout = new QVBoxLayout(central);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    setCentralWidget(central);
    montaTopo();
    montaCentro();
    montaBase();
    montaAtalhos();
    m_prompt = std::make_unique<PromptJanela>(*m_mePrompt, *m_tvMenu, *m_btCancelar, *m_btGerar);
    m_validacao = new ValidacaoJanela(*this);
    layout->addWidget(m_paTopo);
    layout->addWidget(findChild<QWidget*>(QStringLiteral("paCentro")), 1);
    layout->addWidget(findChild<QWidget*>(QStringLiteral("paBase")));
    setWindowState(Qt::WindowMaximized);
    resize(1024, 700);

    if (dmFCONT)
        dmFCONT->prompt = m_prompt.get();
    // The creation's failures are reported as the event loop reports them; the window is there
    // all the same.
    platform::runReporting([this] { FormCreate(); });
}

TfmPrincipal::~TfmPrincipal() {
    if (dmFCONT && dmFCONT->prompt == m_prompt.get())
        dmFCONT->prompt = nullptr;
}

void TfmPrincipal::montaTopo() {
    m_paTopo = new QWidget(this);
    m_paTopo->setObjectName(QStringLiteral("paTopo"));
    m_paTopo->setFixedHeight(65);
    m_paTopo->setAutoFillBackground(true);
    QPalette branco = m_paTopo->palette();
    branco.setColor(QPalette::Window, Qt::white);
    m_paTopo->setPalette(branco);

    m_imLogo = new QLabel(m_paTopo);
    m_imLogo->setObjectName(QStringLiteral("imLogo"));
    m_imLogo->setFixedSize(174, 46);
    m_imLogo->setScaledContents(true);
    m_imLogo->setPixmap(LogotipoJanela());
    m_imLogo->setAccessibleName(QStringLiteral("SPED FCONT"));

    m_gbConfiguracoes = new QGroupBox(QStringLiteral("Configurações da Empresa"), m_paTopo);
    m_gbConfiguracoes->setObjectName(QStringLiteral("gbConfiguracoes"));
    m_gbConfiguracoes->setStyleSheet(QStringLiteral("QGroupBox { color: grey; }"));
    m_dblaCodCfg = new QLabel(m_gbConfiguracoes);
    m_dblaCodCfg->setObjectName(QStringLiteral("dblaCodCfg"));
    // A screen reader hears what the label shows (the label's text is its name), then what it is.
    m_dblaCodCfg->setAccessibleDescription(QStringLiteral("Código da configuração"));
    m_dblaNomeCfg = new QLabel(m_gbConfiguracoes);
    m_dblaNomeCfg->setObjectName(QStringLiteral("dblaNomeCfg"));
    m_dblaNomeCfg->setAccessibleDescription(QStringLiteral("Nome da configuração"));
    m_dblaNomeCfg->setCursor(Qt::PointingHandCursor);
    m_dblaNomeCfg->setToolTip(QStringLiteral("Click aqui para definir um novo Nome para configuração"));
    m_dblaNomeCfg->installEventFilter(this);
    if (dmFCONT) {
        platform::bindLabel(m_dblaCodCfg, dmFCONT->quSPED.fieldByName(QStringLiteral("SPCODIGO")));
        platform::bindLabel(m_dblaNomeCfg, dmFCONT->quSPED.fieldByName(QStringLiteral("SPNOME")));
    }
    for (QLabel* l : {m_dblaCodCfg, m_dblaNomeCfg}) {
        QFont f = l->font();
        f.setBold(true);
        f.setPointSizeF(f.pointSizeF() * 1.2);
        l->setFont(f);
        l->setStyleSheet(QStringLiteral("color: grey;"));
    }
    auto* linhaCfg = new QHBoxLayout(m_gbConfiguracoes);
    linhaCfg->setContentsMargins(8, 2, 8, 4);
    linhaCfg->addWidget(m_dblaCodCfg);
    linhaCfg->addSpacing(12);
    linhaCfg->addWidget(m_dblaNomeCfg, 1);

    auto* esquerda = new QWidget(m_paTopo);
    esquerda->setFixedWidth(larguraColunaEsquerda);
    auto* colunaLogo = new QHBoxLayout(esquerda);
    colunaLogo->setContentsMargins(8, 0, 0, 0);
    colunaLogo->addWidget(m_imLogo);
    colunaLogo->addStretch();
    auto* linha = new QHBoxLayout(m_paTopo);
    linha->setContentsMargins(0, 2, 8, 4);
    linha->addWidget(esquerda);
    linha->addWidget(m_gbConfiguracoes, 1);
}

void TfmPrincipal::montaCentro() {
    auto* paCentro = new QWidget(this);
    paCentro->setObjectName(QStringLiteral("paCentro"));
    m_tvMenu = new QTreeWidget(paCentro);
    m_tvMenu->setObjectName(QStringLiteral("tvMenu"));
    m_tvMenu->setAccessibleName(QStringLiteral("Menu"));
    m_tvMenu->setFixedWidth(larguraColunaEsquerda);
    m_tvMenu->setHeaderHidden(true);
    m_tvMenu->setCursor(Qt::PointingHandCursor);
    m_tvMenu->setMouseTracking(true);
    m_tvMenu->setSelectionBehavior(QAbstractItemView::SelectRows);
    m_tvMenu->setAllColumnsShowFocus(true);
    // Black with white text; the selection keeps its colour when the tree loses focus, and the
    // row under the mouse lights up (hot tracking).
    m_tvMenu->setStyleSheet(QStringLiteral("QTreeWidget { background: black; color: white; border: none; }"
                                           "QTreeWidget::item { color: white; padding: 2px; }"
                                           "QTreeWidget::item:hover { background: #303030; color: white; }"
                                           "QTreeWidget::item:selected, QTreeWidget::item:selected:!active { "
                                           "background: #1f5fbf; color: white; }"));
    connect(m_tvMenu, &QTreeWidget::currentItemChanged, this,
            [this](QTreeWidgetItem* atual, QTreeWidgetItem*) {
                platform::runReporting([this, atual] { tvMenuChange(atual); });
            });

    m_pcPaginas = new ControlePaginas(paCentro);
    m_pcPaginas->setObjectName(QStringLiteral("pcPaginas"));
    montaPaginas();

    auto* linha = new QHBoxLayout(paCentro);
    linha->setContentsMargins(0, 0, 0, 0);
    linha->setSpacing(0);
    linha->addWidget(m_tvMenu);
    linha->addWidget(m_pcPaginas, 1);
}

void TfmPrincipal::montaBase() {
    auto* paBase = new QWidget(this);
    paBase->setObjectName(QStringLiteral("paBase"));
    paBase->setFixedHeight(57);
    m_btConfig =
        botaoComando(paBase, "btConfig", QStringLiteral("Config"), QStyle::SP_FileDialogDetailedView);
    m_btSalvar = botaoComando(paBase, "btSalvar", QStringLiteral("Salvar"), QStyle::SP_DialogSaveButton);
    m_btGerar = botaoComando(paBase, "btGerar", QStringLiteral("Gerar"), QStyle::SP_MediaPlay);
    m_btConferir =
        botaoComando(paBase, "btConferir", QStringLiteral("Conferir"), QStyle::SP_FileDialogContentsView);
    m_btCancelar = botaoComando(paBase, "btCancelar", QStringLiteral("Cancelar"), QStyle::SP_BrowserStop);
    m_btCancelar->setEnabled(false);
    connect(m_btConfig, &QToolButton::clicked, this,
            [this] { platform::runReporting([this] { btConfigClick(); }); });
    connect(m_btSalvar, &QToolButton::clicked, this,
            [this] { platform::runReporting([this] { btSalvarClick(); }); });
    connect(m_btGerar, &QToolButton::clicked, this,
            [this] { platform::runReporting([this] { btGerarClick(); }); });
    connect(m_btCancelar, &QToolButton::clicked, this,
            [this] { platform::runReporting([this] { btCancelarClick(); }); });
    connect(m_btConferir, &QToolButton::clicked, this,
            [this] { platform::runReporting([this] { btConferirClick(); }); });
    m_btGerar->installEventFilter(this);

    auto* botoes = new QWidget(paBase);
    // Five buttons take more than the tree menu's width; the prompt gives way.
    botoes->setFixedWidth(larguraColunaEsquerda + 64);
    auto* linhaBotoes = new QHBoxLayout(botoes);
    linhaBotoes->setContentsMargins(2, 2, 2, 2);
    linhaBotoes->setSpacing(2);
    for (QToolButton* b : {m_btConfig, m_btSalvar, m_btGerar, m_btConferir, m_btCancelar})
        linhaBotoes->addWidget(b);

    m_mePrompt = new QPlainTextEdit(paBase);
    m_mePrompt->setObjectName(QStringLiteral("mePrompt"));
    m_mePrompt->setAccessibleName(QStringLiteral("Prompt"));
    m_mePrompt->setReadOnly(true);
    m_mePrompt->setLineWrapMode(QPlainTextEdit::NoWrap);
    m_mePrompt->setStyleSheet(
        QStringLiteral("QPlainTextEdit { background: black; color: #c0c0c0; border: none; }"));
    QFont fixa(QStringLiteral("Monospace"));
    fixa.setStyleHint(QFont::TypeWriter);
    m_mePrompt->setFont(fixa);

    auto* linha = new QHBoxLayout(paBase);
    linha->setContentsMargins(0, 0, 0, 0);
    linha->setSpacing(0);
    linha->addWidget(botoes);
    linha->addWidget(m_mePrompt, 1);
}

void TfmPrincipal::FormCreate() {
    GravaMenuPadrao(arquivoMenu());
    int codigo = 0;
    QString acao;
    if (selecionaConfiguracao() && selecionaConfiguracao()(codigo, acao)) {
        CodigoConfiguracao = codigo;
        AcaoConfiguracao = acao;
    }
    CarregaConfiguracoes();
    CarregarListasColunas();
    // With no set chosen the loading has started the new set already; a second one would store
    // the first, empty, and refuse it with a warning.
    if (AcaoConfiguracao == QStringLiteral("NOVO") &&
        dmFCONT->quSPED.state() != platform::DataSetState::Insert)
        data::NovoRegistro(dmFCONT->quSPED);
    else if (AcaoConfiguracao == QStringLiteral("EXCLUIR"))
        excluiConfiguracao();
}

void TfmPrincipal::showEvent(QShowEvent* evento) {
    QMainWindow::showEvent(evento);
    if (!evento->spontaneous())
        platform::runReporting([this] { FormShow(); });
}

void TfmPrincipal::FormShow() {
    setWindowTitle(TituloAplicacao());
    m_prompt->setLines({});
    m_prompt->descarrega();
    m_btCancelar->setEnabled(dmFCONT && dmFCONT->Cancelado);
    CarregaPaginaTreeView(QString());
    AtualizaPrompt(QStringLiteral("Programa SPED FCONT Iniciado..."),
                   QStringLiteral("Conectado a Base de Dados: ") +
                       (dmFCONT ? dmFCONT->dbBanco.params.database : QString()));
}

bool TfmPrincipal::eventFilter(QObject* objeto, QEvent* evento) {
    if (objeto == m_dblaNomeCfg && evento->type() == QEvent::MouseButtonRelease) {
        platform::runReporting([this] { dblaNomeCfgClick(); });
        return true;
    }
    // "Conferir" reads through the same transaction as the generation: it waits while "Gerar" does.
    if (objeto == m_btGerar && evento->type() == QEvent::EnabledChange)
        m_btConferir->setEnabled(m_btGerar->isEnabled());
    return QMainWindow::eventFilter(objeto, evento);
}

void TfmPrincipal::tvMenuChange(QTreeWidgetItem* no) {
    if (!no)
        return;
    CarregaPaginaTreeView(no->text(0).trimmed());
}

void TfmPrincipal::CarregaPaginaTreeView(const QString& texto) {
    if (texto == noCriaIndices) {
        const platform::BusyCursor ocupado;
        data::CriaIndices();
        return;
    }
    int escolhida = -1;
    for (int i = 0; i < m_pcPaginas->count(); ++i) {
        const bool mostra =
            m_pcPaginas->legenda(i).trimmed() == texto && m_pcPaginas->legenda(i) != paginaPrincipal;
        m_pcPaginas->mostraAba(i, mostra);
        if (mostra)
            escolhida = i;
    }
    if (escolhida >= 0) {
        m_pcPaginas->mostraPagina(escolhida);
        return;
    }
    static const QStringList nosDaPrincipal = {
        QStringLiteral("Abertura, Identificação e Referências (Bloco 0)"),
        QStringLiteral("Lançamentos (Bloco I)"), QStringLiteral("Manutenção")};
    if (texto.trimmed().isEmpty() || nosDaPrincipal.contains(texto)) {
        m_pcPaginas->mostraPagina(0);
        m_wbNavegador->carrega();
        return;
    }
    // The nodes of blocks J and M have no page: the record page goes, Principal stays as it was.
    m_pcPaginas->mostraPagina(0);
}

void TfmPrincipal::ConfiguraTreeView() {
    try {
        m_tvMenu->clear();
        QFile arquivo(arquivoMenu());
        if (!arquivo.exists())
            common::MostraMensagem(QStringLiteral("Erro: ao carregar Menu."), true);
        if (!arquivo.open(QIODevice::ReadOnly))
            throw std::runtime_error(arquivo.errorString().toStdString());
        MontaArvore(*m_tvMenu, LeMenu(arquivo.readAll()));
    } catch (const std::exception& e) {
        common::MostraMensagem(QStringLiteral("Erro: ao carregar itens Menu.\r") + textoDe(e), true);
    }
}

void TfmPrincipal::CarregaConfiguracoes() {
    const platform::BusyCursor ocupado;
    // A new set is filled in through the record pages too: the menu that leads to them is built
    // for it as for a set that was found.
    if (!data::CarregaConfiguracoes(CodigoConfiguracao) && CodigoConfiguracao > 0)
        return;
    try {
        ConfiguraTreeView();
    } catch (const std::exception& e) {
        common::MostraMensagem(QStringLiteral("Erro: ") + textoDe(e), true);
    }
}

void TfmPrincipal::CarregarListasColunas() {
    ModeloGrade& modelo = *m_tsRegJ930->modelo();
    std::vector<platform::ColunaGrade> colunas = modelo.colunas();
    data::PreencheListaColuna(colunas, QStringLiteral("J930"), QStringLiteral("IDENT_QUALIF"), QString());
    for (const platform::ColunaGrade& coluna : colunas)
        modelo.defineLista(coluna.campo, coluna.lista);
}

void TfmPrincipal::btGerarClick() {
    // The books and the mappings are looked at first; with errors the user chooses. A conferência
    // that cannot run leaves the generation to report what is wrong with the set.
    std::optional<conferencia::ResultadoConferencia> resultado;
    try {
        const platform::BusyCursor ocupado;
        resultado = conferencia::ConfereConjuntoAberto();
    } catch (const std::exception&) {
    }
    if (resultado) {
        const int erros = validacao::ContaErros(resultado->achados);
        if (erros > 0 &&
            common::Pergunta(
                QStringLiteral("A conferência achou %1 erro(s) nesta configuração (%2).\rGerar o "
                               "arquivo assim mesmo ou ver os achados primeiro?")
                    .arg(erros)
                    .arg(validacao::ResumoAchados(resultado->achados)),
                {QStringLiteral("Gerar"), QStringLiteral("Ver achados")}) != QLatin1String("Gerar")) {
            Conferencia c{*resultado, {}};
            {
                const platform::BusyCursor ocupado;
                c.sugestoes = conferencia::SugereReferenciasDoConjuntoAberto(c.resultado.semReferencia);
            }
            mostraConferencia(c);
            return;
        }
    }
    const OperacaoLonga operacao(*this);
    const platform::BusyCursor ocupado;
    m_validacao->antesDeGerar();
    m_validacao->depoisDeGerar(generation::GeraArquivoFCONT(m_prompt.get()));
}

void TfmPrincipal::btConferirClick() {
    std::optional<Conferencia> conferencia;
    try {
        const platform::BusyCursor ocupado;
        conferencia = ConfereComSugestoes();
    } catch (const platform::SilentAbort&) {
        throw;
    } catch (const std::exception& e) {
        common::MostraMensagem(QStringLiteral("Erro: \rA conferência não foi feita.\r") +
                                   QString::fromLocal8Bit(e.what()),
                               true);
    }
    mostraConferencia(*conferencia);
}

void TfmPrincipal::mostraConferencia(const Conferencia& conferencia) {
    if (!m_fmConferencia)
        m_fmConferencia = new TfmConferencia(*this, this);
    m_fmConferencia->mostra(conferencia.resultado, conferencia.sugestoes);
    m_fmConferencia->show();
    m_fmConferencia->raise();
    m_fmConferencia->activateWindow();
}

void TfmPrincipal::btCancelarClick() {
    dmFCONT->Cancelado = true;
    m_btCancelar->setEnabled(false);
}

QString TfmPrincipal::pesquisa(const QString& tipo) {
    QString chave;
    if (abrePesquisa())
        abrePesquisa()(tipo, chave);
    return chave;
}

void TfmPrincipal::btPesqEmpProcClick() {
    const QString chave = pesquisa(QStringLiteral("Empresa Processada"));
    data::EscolheEmpresa(chave);
}

void TfmPrincipal::btPesqLocalClick() {
    const QString chave = pesquisa(QStringLiteral("Empresa"));
    data::EscolheFilial(chave);
}

void TfmPrincipal::btPesqMunicipioClick() {
    data::EscolheMunicipio(pesquisa(QStringLiteral("Municípios")));
}

void TfmPrincipal::dblaNomeCfgClick() {
    data::RenomeiaConfiguracao();
}

void TfmPrincipal::AtualizaPrompt(const QString& principal, const QString& detalhe) {
    static const bool nuncaCancelado = false;
    common::AtualizaPrompt(*m_prompt, principal, detalhe, dmFCONT ? dmFCONT->Cancelado : nuncaCancelado);
}

common::PromptView& TfmPrincipal::prompt() {
    return *m_prompt;
}

QString TfmPrincipal::textoPrompt() {
    m_prompt->descarrega();
    return m_mePrompt->toPlainText();
}

QTableView* TfmPrincipal::dbgdRegJ930() const {
    return m_tsRegJ930->dbgdRegJ930();
}

QTableView* TfmPrincipal::dbgdPlanoContasRef() const {
    return m_tsRegI050->dbgdPlanoContasRef();
}

QCheckBox* TfmPrincipal::ckRegI050I051ContasNRef() const {
    return m_tsRegI050->ckRegI050I051ContasNRef();
}

void TfmPrincipal::montaPaginas() {
    platform::Query& sped = dmFCONT->quSPED;
    m_wbNavegador = new PaginaPrincipal;
    m_tsReg0000 = new PaginaRegistro0000(sped);
    m_tsRegI050 = new PaginaRegistroI050(sped, dmFCONT->quRegI050I051, [this] {
        platform::runReporting([this] { dbgdPlanoContasRefEditButtonClick(); });
    });
    m_tsRegJ930 = new PaginaRegistroJ930(dmFCONT->quRegJ930old);
    m_tsRegM020 = new PaginaRegistroM020(sped);
    m_tsRegM030 = new PaginaRegistroM030(sped);
    const struct {
        QWidget* pagina;
        const char* nome;
        const char* legenda;
    } paginas[] = {{m_wbNavegador, "tsPrincipal", "Principal"}, {m_tsReg0000, "tsReg0000", "Registro 0000"},
                   {m_tsRegI050, "tsRegI050", "Registro I050"}, {m_tsRegJ930, "tsRegJ930", "Registro J930"},
                   {m_tsRegM020, "tsRegM020", "Registro M020"}, {m_tsRegM030, "tsRegM030", "Registro M030"}};
    for (const auto& p : paginas) {
        const int i = m_pcPaginas->adiciona(p.pagina, QString::fromLatin1(p.legenda));
        p.pagina->setObjectName(QString::fromLatin1(p.nome));
        p.pagina->setAccessibleName(m_pcPaginas->legenda(i));
        m_pcPaginas->mostraAba(i, false);
    }
    // The browser is the Principal page itself: the page's name is the design's browser name.
    m_wbNavegador->setObjectName(QStringLiteral("wbNavegador"));

    auto liga = [this](QToolButton* botao, void (TfmPrincipal::*acao)()) {
        connect(botao, &QToolButton::clicked, this,
                [this, acao] { platform::runReporting([this, acao] { (this->*acao)(); }); });
    };
    liga(m_tsReg0000->btPesqEmpProc(), &TfmPrincipal::btPesqEmpProcClick);
    liga(m_tsReg0000->btPesqLocal(), &TfmPrincipal::btPesqLocalClick);
    liga(m_tsReg0000->btPesqMunicipio(), &TfmPrincipal::btPesqMunicipioClick);
    connect(ckRegI050I051ContasNRef(), &QCheckBox::clicked, this,
            [this] { platform::runReporting([this] { ckRegI050I051ContasNRefClick(); }); });
    montaMenuPlanoContas();
}

} // namespace ui
