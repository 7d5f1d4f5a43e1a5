#include "ui/main/TfmPrincipal.h"

#include "common/Mensagens.h"
#include "common/Texto.h"
#include "data/Carregamento.h"
#include "data/Esquema.h"
#include "data/dmFCONT.h"
#include "data/uFCONT.h"
#include "generation/Geracao.h"
#include "platform/Abort.h"
#include "platform/DataSetModel.h"
#include "platform/Dialogs.h"
#include "platform/qt/FieldBinding.h"
#include "ui/main/ControlePaginas.h"
#include "ui/main/MenuArvore.h"
#include "ui/main/PaginaPrincipal.h"
#include "ui/main/PromptJanela.h"
#include "ui/main/Relatorios.h"
#include "ui/main/TfmConfiguracao.h"
#include "ui/search/Pesquisa.h"
#include "ui/search/PesquisaGeral.h"

#include <QApplication>
#include <QCheckBox>
#include <QCloseEvent>
#include <QFile>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QPainter>
#include <QPlainTextEdit>
#include <QScreen>
#include <QStyle>
#include <QTableView>
#include <QToolButton>
#include <QTreeWidget>
#include <QVBoxLayout>

namespace ui {

using data::dmFCONT;

namespace {

const QString paginaPrincipal = QStringLiteral("Principal");
const QString noCriaIndices = QStringLiteral("Criar Índices de Performance");
constexpr int larguraColunaEsquerda = 264;

// Long waits (a statement's first row, the index creation) show the busy cursor.
struct CursorOcupado {
    CursorOcupado() { QApplication::setOverrideCursor(Qt::WaitCursor); }
    ~CursorOcupado() { QApplication::restoreOverrideCursor(); }
    CursorOcupado(const CursorOcupado&) = delete;
    CursorOcupado& operator=(const CursorOcupado&) = delete;
};

QString textoDe(const std::exception& e) {
    return QString::fromUtf8(e.what());
}

// Our own logo: the program's name on a white ground, drawn rather than taken from anywhere.
QPixmap desenhaLogo() {
    QPixmap logo(174, 46);
    logo.fill(Qt::white);
    QPainter p(&logo);
    p.setRenderHint(QPainter::Antialiasing);
    p.setBrush(QColor(0x1f, 0x6f, 0x3f));
    p.setPen(Qt::NoPen);
    p.drawRoundedRect(QRectF(2, 6, 34, 34), 6, 6);
    p.setPen(Qt::white);
    QFont f = p.font();
    f.setBold(true);
    f.setPixelSize(20);
    p.setFont(f);
    p.drawText(QRectF(2, 6, 34, 34), Qt::AlignCenter, QStringLiteral("F"));
    p.setPen(QColor(0x1f, 0x6f, 0x3f));
    f.setPixelSize(18);
    p.setFont(f);
    p.drawText(QRectF(42, 4, 130, 24), Qt::AlignLeft | Qt::AlignVCenter, QStringLiteral("SPED FCONT"));
    f.setBold(false);
    f.setPixelSize(10);
    p.setFont(f);
    p.setPen(Qt::darkGray);
    p.drawText(QRectF(42, 26, 130, 16), Qt::AlignLeft | Qt::AlignVCenter,
               QStringLiteral("Gerador do arquivo"));
    return logo;
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
    m_prompt = std::make_unique<PromptJanela>(*this);
    auto* central = new QWidget(this);
    auto* layout = new QVBoxLayout(central);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    setCentralWidget(central);
    montaTopo();
    montaCentro();
    montaBase();
    layout->addWidget(paTopo);
    layout->addWidget(findChild<QWidget*>(QStringLiteral("paCentro")), 1);
    layout->addWidget(findChild<QWidget*>(QStringLiteral("paBase")));
    setWindowState(Qt::WindowMaximized);
    resize(1024, 700);

    if (dmFCONT)
        dmFCONT->prompt = m_prompt.get();
    // The creation's failures are reported as the event loop reports them; the window is there
    // all the same.
    executa([this] { FormCreate(); });
}

TfmPrincipal::~TfmPrincipal() {
    if (dmFCONT && dmFCONT->prompt == m_prompt.get())
        dmFCONT->prompt = nullptr;
}

void TfmPrincipal::executa(const std::function<void()>& acao) {
    try {
        acao();
    } catch (const platform::SilentAbort&) {
    } catch (const std::exception& e) {
        platform::dialogs().error(textoDe(e));
    }
}

void TfmPrincipal::montaTopo() {
    paTopo = new QWidget(this);
    paTopo->setObjectName(QStringLiteral("paTopo"));
    paTopo->setFixedHeight(65);
    paTopo->setAutoFillBackground(true);
    QPalette branco = paTopo->palette();
    branco.setColor(QPalette::Window, Qt::white);
    paTopo->setPalette(branco);

    imLogo = new QLabel(paTopo);
    imLogo->setObjectName(QStringLiteral("imLogo"));
    imLogo->setFixedSize(174, 46);
    imLogo->setScaledContents(true);
    imLogo->setPixmap(desenhaLogo());
    imLogo->setAccessibleName(QStringLiteral("SPED FCONT"));

    gbConfiguracoes = new QGroupBox(QStringLiteral("Configurações da Empresa"), paTopo);
    gbConfiguracoes->setObjectName(QStringLiteral("gbConfiguracoes"));
    gbConfiguracoes->setStyleSheet(QStringLiteral("QGroupBox { color: grey; }"));
    dblaCodCfg = new QLabel(gbConfiguracoes);
    dblaCodCfg->setObjectName(QStringLiteral("dblaCodCfg"));
    dblaCodCfg->setAccessibleName(QStringLiteral("Código da configuração"));
    dblaNomeCfg = new QLabel(gbConfiguracoes);
    dblaNomeCfg->setObjectName(QStringLiteral("dblaNomeCfg"));
    dblaNomeCfg->setAccessibleName(QStringLiteral("Nome da configuração"));
    dblaNomeCfg->setCursor(Qt::PointingHandCursor);
    dblaNomeCfg->setToolTip(QStringLiteral("Click aqui para definir um novo Nome para configuração"));
    dblaNomeCfg->installEventFilter(this);
    if (dmFCONT) {
        platform::bindLabel(dblaCodCfg, dmFCONT->quSPED.fieldByName(QStringLiteral("SPCODIGO")));
        platform::bindLabel(dblaNomeCfg, dmFCONT->quSPED.fieldByName(QStringLiteral("SPNOME")));
    }
    for (QLabel* l : {dblaCodCfg, dblaNomeCfg}) {
        QFont f = l->font();
        f.setBold(true);
        f.setPointSizeF(f.pointSizeF() * 1.2);
        l->setFont(f);
        l->setStyleSheet(QStringLiteral("color: grey;"));
    }
    auto* linhaCfg = new QHBoxLayout(gbConfiguracoes);
    linhaCfg->setContentsMargins(8, 2, 8, 4);
    linhaCfg->addWidget(dblaCodCfg);
    linhaCfg->addSpacing(12);
    linhaCfg->addWidget(dblaNomeCfg, 1);

    auto* esquerda = new QWidget(paTopo);
    esquerda->setFixedWidth(larguraColunaEsquerda);
    auto* colunaLogo = new QHBoxLayout(esquerda);
    colunaLogo->setContentsMargins(8, 0, 0, 0);
    colunaLogo->addWidget(imLogo);
    colunaLogo->addStretch();
    auto* linha = new QHBoxLayout(paTopo);
    linha->setContentsMargins(0, 2, 8, 4);
    linha->addWidget(esquerda);
    linha->addWidget(gbConfiguracoes, 1);
}

void TfmPrincipal::montaCentro() {
    auto* paCentro = new QWidget(this);
    paCentro->setObjectName(QStringLiteral("paCentro"));
    tvMenu = new QTreeWidget(paCentro);
    tvMenu->setObjectName(QStringLiteral("tvMenu"));
    tvMenu->setAccessibleName(QStringLiteral("Menu"));
    tvMenu->setFixedWidth(larguraColunaEsquerda);
    tvMenu->setHeaderHidden(true);
    tvMenu->setCursor(Qt::PointingHandCursor);
    tvMenu->setMouseTracking(true);
    tvMenu->setSelectionBehavior(QAbstractItemView::SelectRows);
    tvMenu->setAllColumnsShowFocus(true);
    // Black with white text; the selection keeps its colour when the tree loses focus, and the
    // row under the mouse lights up (hot tracking).
    tvMenu->setStyleSheet(QStringLiteral("QTreeWidget { background: black; color: white; border: none; }"
                                         "QTreeWidget::item { color: white; padding: 2px; }"
                                         "QTreeWidget::item:hover { background: #303030; color: white; }"
                                         "QTreeWidget::item:selected, QTreeWidget::item:selected:!active { "
                                         "background: #1f5fbf; color: white; }"));
    connect(tvMenu, &QTreeWidget::currentItemChanged, this, [this](QTreeWidgetItem* atual, QTreeWidgetItem*) {
        executa([this, atual] { tvMenuChange(atual); });
    });

    pcPaginas = new ControlePaginas(paCentro);
    pcPaginas->setObjectName(QStringLiteral("pcPaginas"));
    montaPaginas();

    auto* linha = new QHBoxLayout(paCentro);
    linha->setContentsMargins(0, 0, 0, 0);
    linha->setSpacing(0);
    linha->addWidget(tvMenu);
    linha->addWidget(pcPaginas, 1);
}

void TfmPrincipal::montaBase() {
    auto* paBase = new QWidget(this);
    paBase->setObjectName(QStringLiteral("paBase"));
    paBase->setFixedHeight(57);
    btConfig = botaoComando(paBase, "btConfig", QStringLiteral("Config"), QStyle::SP_FileDialogDetailedView);
    btSalvar = botaoComando(paBase, "btSalvar", QStringLiteral("Salvar"), QStyle::SP_DialogSaveButton);
    btGerar = botaoComando(paBase, "btGerar", QStringLiteral("Gerar"), QStyle::SP_MediaPlay);
    btCancelar = botaoComando(paBase, "btCancelar", QStringLiteral("Cancelar"), QStyle::SP_BrowserStop);
    btCancelar->setEnabled(false);
    connect(btConfig, &QToolButton::clicked, this, [this] { executa([this] { btConfigClick(); }); });
    connect(btSalvar, &QToolButton::clicked, this, [this] { executa([this] { btSalvarClick(); }); });
    connect(btGerar, &QToolButton::clicked, this, [this] { executa([this] { btGerarClick(); }); });
    connect(btCancelar, &QToolButton::clicked, this, [this] { executa([this] { btCancelarClick(); }); });

    auto* botoes = new QWidget(paBase);
    botoes->setFixedWidth(larguraColunaEsquerda);
    auto* linhaBotoes = new QHBoxLayout(botoes);
    linhaBotoes->setContentsMargins(2, 2, 2, 2);
    linhaBotoes->setSpacing(2);
    for (QToolButton* b : {btConfig, btSalvar, btGerar, btCancelar})
        linhaBotoes->addWidget(b);

    mePrompt = new QPlainTextEdit(paBase);
    mePrompt->setObjectName(QStringLiteral("mePrompt"));
    mePrompt->setAccessibleName(QStringLiteral("Prompt"));
    mePrompt->setReadOnly(true);
    mePrompt->setLineWrapMode(QPlainTextEdit::NoWrap);
    mePrompt->setStyleSheet(
        QStringLiteral("QPlainTextEdit { background: black; color: #c0c0c0; border: none; }"));
    QFont fixa(QStringLiteral("Monospace"));
    fixa.setStyleHint(QFont::TypeWriter);
    mePrompt->setFont(fixa);

    auto* linha = new QHBoxLayout(paBase);
    linha->setContentsMargins(0, 0, 0, 0);
    linha->setSpacing(0);
    linha->addWidget(botoes);
    linha->addWidget(mePrompt, 1);
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
    if (AcaoConfiguracao == QStringLiteral("NOVO"))
        data::NovoRegistro(dmFCONT->quSPED);
    else if (AcaoConfiguracao == QStringLiteral("EXCLUIR"))
        data::ExcluiRegistro(dmFCONT->quSPED);
}

void TfmPrincipal::showEvent(QShowEvent* evento) {
    QMainWindow::showEvent(evento);
    if (!evento->spontaneous())
        executa([this] { FormShow(); });
}

void TfmPrincipal::FormShow() {
    setWindowTitle(QApplication::applicationDisplayName().isEmpty() ? QApplication::applicationName()
                                                                    : QApplication::applicationDisplayName());
    m_prompt->setLines({});
    m_prompt->descarrega();
    btCancelar->setEnabled(dmFCONT && dmFCONT->Cancelado);
    CarregaPaginaTreeView(QString());
    AtualizaPrompt(QStringLiteral("Programa SPED FCONT Iniciado..."),
                   QStringLiteral("Conectado a Base de Dados: ") +
                       (dmFCONT ? dmFCONT->dbBanco.params.database : QString()));
}

void TfmPrincipal::closeEvent(QCloseEvent* evento) {
    QMainWindow::closeEvent(evento);
    FormClose();
}

void TfmPrincipal::FormClose() {
    if (terminaAplicacao())
        terminaAplicacao()();
}

bool TfmPrincipal::eventFilter(QObject* objeto, QEvent* evento) {
    if (objeto == dblaNomeCfg && evento->type() == QEvent::MouseButtonRelease) {
        executa([this] { dblaNomeCfgClick(); });
        return true;
    }
    return QMainWindow::eventFilter(objeto, evento);
}

void TfmPrincipal::tvMenuChange(QTreeWidgetItem* no) {
    if (!no)
        return;
    CarregaPaginaTreeView(no->text(0).trimmed());
}

void TfmPrincipal::CarregaPaginaTreeView(const QString& texto) {
    if (texto == noCriaIndices) {
        CursorOcupado ocupado;
        data::CriaIndices();
        return;
    }
    int escolhida = -1;
    for (int i = 0; i < pcPaginas->count(); ++i) {
        const bool mostra =
            pcPaginas->legenda(i).trimmed() == texto && pcPaginas->legenda(i) != paginaPrincipal;
        pcPaginas->mostraAba(i, mostra);
        if (mostra)
            escolhida = i;
    }
    if (escolhida >= 0) {
        pcPaginas->mostraPagina(escolhida);
        return;
    }
    static const QStringList nosDaPrincipal = {
        QStringLiteral("Abertura, Identificação e Referências (Bloco 0)"),
        QStringLiteral("Lançamentos (Bloco I)"), QStringLiteral("Manutenção")};
    if (texto.trimmed().isEmpty() || nosDaPrincipal.contains(texto)) {
        pcPaginas->mostraPagina(0);
        wbNavegador->carrega();
        return;
    }
    // The nodes of blocks J and M have no page: the record page goes, Principal stays as it was.
    pcPaginas->mostraPagina(0);
}

void TfmPrincipal::ConfiguraTreeView() {
    try {
        tvMenu->clear();
        QFile arquivo(arquivoMenu());
        if (!arquivo.exists())
            common::MostraMensagem(QStringLiteral("Erro: ao carregar Menu."), true);
        if (!arquivo.open(QIODevice::ReadOnly))
            throw std::runtime_error(arquivo.errorString().toStdString());
        MontaArvore(*tvMenu, LeMenu(arquivo.readAll()));
    } catch (const std::exception& e) {
        common::MostraMensagem(QStringLiteral("Erro: ao carregar itens Menu.\r") + textoDe(e), true);
    }
}

void TfmPrincipal::CarregaConfiguracoes() {
    CursorOcupado ocupado;
    if (!data::CarregaConfiguracoes(CodigoConfiguracao))
        return;
    try {
        ConfiguraTreeView();
    } catch (const std::exception& e) {
        common::MostraMensagem(QStringLiteral("Erro: ") + textoDe(e), true);
    }
}

void TfmPrincipal::CarregarListasColunas() {
    std::vector<platform::ColunaGrade> colunas = m_modeloJ930->colunas();
    data::PreencheListaColuna(colunas, QStringLiteral("J930"), QStringLiteral("IDENT_QUALIF"), QString());
    for (const platform::ColunaGrade& coluna : colunas)
        m_modeloJ930->defineLista(coluna.campo, coluna.lista);
}

void TfmPrincipal::btConfigClick() {
    int codigo = CodigoConfiguracao;
    QString acao;
    if (selecionaConfiguracao() && selecionaConfiguracao()(codigo, acao))
        CodigoConfiguracao = codigo;
    else
        acao.clear();
    CarregaConfiguracoes();
    if (acao == QStringLiteral("NOVO"))
        data::NovoRegistro(dmFCONT->quSPED);
    else if (acao == QStringLiteral("EXCLUIR"))
        data::ExcluiRegistro(dmFCONT->quSPED);
}

void TfmPrincipal::btSalvarClick() {
    data::GravaRegistro(dmFCONT->quSPED);
    CarregaConfiguracoes();
}

void TfmPrincipal::btGerarClick() {
    CursorOcupado ocupado;
    generation::GeraArquivoFCONT(m_prompt.get());
}

void TfmPrincipal::btCancelarClick() {
    dmFCONT->Cancelado = true;
    btCancelar->setEnabled(false);
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
    return mePrompt->toPlainText();
}

void TfmPrincipal::VisualizarClick() {
    VisualizaRelatorios(this);
}

void TfmPrincipal::ExportarExcelClick() {
    ExportaExcel(this, ckRegI050I051ContasNRef && ckRegI050I051ContasNRef->isChecked());
}

} // namespace ui
