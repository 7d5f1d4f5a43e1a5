#include "ui/main/TfmConfiguracao.h"

#include "data/dmFCONT.h"
#include "platform/DataSetModel.h"
#include "ui/main/Aplicacao.h"
#include "ui/main/Logotipo.h"

#include <QHeaderView>
#include <QKeyEvent>
#include <QLabel>
#include <QPushButton>
#include <QScopeGuard>
#include <QStatusBar>
#include <QTableView>
#include <QVBoxLayout>

namespace ui {

namespace {

TfmConfiguracao* fmConfiguracao = nullptr;

QPushButton* rotuloLink(const QString& nome, const QString& texto, QWidget* pai) {
    auto* rotulo = new QPushButton(texto, pai);
    rotulo->setObjectName(nome);
    rotulo->setAccessibleName(texto);
    rotulo->setFlat(true);
    rotulo->setAutoDefault(false);
    rotulo->setCursor(Qt::PointingHandCursor);
    rotulo->setStyleSheet(QStringLiteral(
        "QPushButton { border: none; padding: 0 2px; color: blue;"
        " font-family: Arial; font-size: 12px; text-decoration: underline; background: white; }"
        "QPushButton:focus { background: #e8eefa; }"));
    return rotulo;
}

platform::FieldDef campo(const char* nome, platform::FieldType tipo, int tamanho, const char* rotulo,
                         bool obrigatorio) {
    platform::FieldDef d;
    d.name = QString::fromUtf8(nome);
    d.type = tipo;
    d.size = tamanho;
    d.displayLabel = QString::fromUtf8(rotulo);
    d.required = obrigatorio;
    return d;
}

} // namespace

TfmConfiguracao::TfmConfiguracao(QWidget* parent)
    : QDialog(parent, Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowStaysOnTopHint),
      quConfig(QStringLiteral("quConfig"), data::dmFCONT ? &data::dmFCONT->trBanco : nullptr) {
    setObjectName(QStringLiteral("fmConfiguracao"));
    setWindowTitle(QStringLiteral("Quibrano SPED - Configurações"));
    setFixedSize(519, 273);
    setAutoFillBackground(true);
    QPalette branco = palette();
    branco.setColor(QPalette::Window, Qt::white);
    setPalette(branco);

    quConfig.setSqlLines({QStringLiteral("select SPCODIGO, SPNOME"), QStringLiteral("from AUGC80SP sp"),
                          QStringLiteral("where coalesce(sp.SPID, 'C') = 'T'")});
    quConfig.addField(campo("SPCODIGO", platform::FieldType::Integer, 0, "Código", true));
    quConfig.addField(campo("SPNOME", platform::FieldType::String, 60, "Configuração", false));
    quConfig.afterOpen = [this](platform::DataSet&) { quConfigAfterOpen(); };

    auto* faixa = new QWidget(this);
    faixa->setObjectName(QStringLiteral("paTopo"));
    faixa->setFixedHeight(66);
    auto* logotipo = new QLabel(faixa);
    logotipo->setObjectName(QStringLiteral("imLogo"));
    logotipo->setAccessibleName(QStringLiteral("Logotipo"));
    logotipo->setGeometry(4, 4, 208, 57);
    logotipo->setPixmap(Logotipo(QSize(208, 57)));
    laAbrir = rotuloLink(QStringLiteral("laAbrir"), QStringLiteral("Abrir"), faixa);
    laNovo = rotuloLink(QStringLiteral("laNovo"), QStringLiteral("Nova Configuração"), faixa);
    laExcluir = rotuloLink(QStringLiteral("laExcluir"), QStringLiteral("Excluir Configuração"), faixa);
    laSair = rotuloLink(QStringLiteral("laSair"), QStringLiteral("Sair"), faixa);
    auto* links = new QHBoxLayout(faixa);
    links->setContentsMargins(216, 0, 6, 0);
    links->setSpacing(4);
    links->addStretch(1);
    for (QPushButton* link : {laAbrir, laNovo, laExcluir, laSair})
        links->addWidget(link, 0, Qt::AlignVCenter);

    dbgdConfig = new QTableView(this);
    dbgdConfig->setObjectName(QStringLiteral("dbgdConfig"));
    dbgdConfig->setAccessibleName(QStringLiteral("Configurações"));
    m_modelo = new platform::DataSetModel(quConfig, this);
    dbgdConfig->setModel(m_modelo);
    dbgdConfig->setSelectionBehavior(QAbstractItemView::SelectRows);
    dbgdConfig->setSelectionMode(QAbstractItemView::SingleSelection);
    dbgdConfig->setEditTriggers(QAbstractItemView::NoEditTriggers);
    dbgdConfig->viewport()->setCursor(Qt::PointingHandCursor);
    dbgdConfig->verticalHeader()->setDefaultSectionSize(20);
    dbgdConfig->verticalHeader()->setFixedWidth(12);
    dbgdConfig->verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    dbgdConfig->verticalHeader()->setDefaultAlignment(Qt::AlignCenter);
    dbgdConfig->setColumnWidth(0, 65);
    dbgdConfig->setColumnWidth(1, 420);

    auto* barra = new QStatusBar(this);
    barra->setObjectName(QStringLiteral("stInfoBarra"));
    barra->setSizeGripEnabled(false);
    stInfo = new QLabel(QStringLiteral("Total de Registros: 0"), barra);
    stInfo->setObjectName(QStringLiteral("stInfo"));
    barra->addWidget(stInfo, 1);

    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    layout->addWidget(faixa);
    layout->addWidget(dbgdConfig, 1);
    layout->addWidget(barra);

    connect(laAbrir, &QPushButton::clicked, this, [this] { laAbrirClick(); });
    connect(laNovo, &QPushButton::clicked, this, [this] { laNovoClick(); });
    connect(laExcluir, &QPushButton::clicked, this, [this] { laExcluirClick(); });
    connect(laSair, &QPushButton::clicked, this, [this] { laSairClick(); });
    connect(dbgdConfig->selectionModel(), &QItemSelectionModel::currentRowChanged, this,
            [this] { acompanhaLinhaAtual(); });
    connect(dbgdConfig, &QTableView::doubleClicked, this, [this] { dbgdConfigDblClick(); });
}

TfmConfiguracao::~TfmConfiguracao() {
    if (fmConfiguracao == this)
        fmConfiguracao = nullptr;
}

void TfmConfiguracao::showEvent(QShowEvent* event) {
    QDialog::showEvent(event);
    if (!event->spontaneous())
        FormShow();
}

// A window without a Cancel button ignores Escape; only "Sair" or closing the frame leave it.
// Enter on a row opens it, as the double click does.
void TfmConfiguracao::keyPressEvent(QKeyEvent* event) {
    if (event->key() == Qt::Key_Escape) {
        event->accept();
        return;
    }
    if ((event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter) &&
        (event->modifiers() & ~Qt::KeypadModifier) == Qt::NoModifier) {
        event->accept();
        laAbrirClick();
        return;
    }
    QDialog::keyPressEvent(event);
}

void TfmConfiguracao::FormShow() {
    EscondeLogin();
    setWindowTitle(TituloAplicacao());
    quConfig.close();
    quConfig.open();
}

void TfmConfiguracao::quConfigAfterOpen() {
    m_modelo->reset();
    dbgdConfig->setColumnWidth(0, 65);
    dbgdConfig->setColumnWidth(1, 420);
    stInfo->setText(QStringLiteral("Total de Registros: ") + QString::number(quConfig.recordCount()));
    if (!quConfig.isEmpty())
        dbgdConfig->setCurrentIndex(m_modelo->index(quConfig.recNo(), 0));
}

// The grid's current row is the dataset's current record, as everywhere in the program.
void TfmConfiguracao::acompanhaLinhaAtual() {
    const int linha = dbgdConfig->currentIndex().row();
    if (linha >= 0 && linha < quConfig.recordCount() && linha != quConfig.recNo())
        quConfig.moveTo(linha);
}

int TfmConfiguracao::codigoAtual() const {
    if (!quConfig.active() || quConfig.isEmpty())
        return 0;
    return static_cast<int>(quConfig.fieldByName(QStringLiteral("SPCODIGO")).asInteger());
}

void TfmConfiguracao::laAbrirClick() {
    done(QDialog::Accepted);
}

void TfmConfiguracao::dbgdConfigDblClick() {
    done(QDialog::Accepted);
}

void TfmConfiguracao::laNovoClick() {
    Acao = QStringLiteral("NOVO");
    done(QDialog::Accepted);
}

void TfmConfiguracao::laExcluirClick() {
    Acao = QStringLiteral("EXCLUIR");
    done(QDialog::Accepted);
}

void TfmConfiguracao::laSairClick() {
    TerminaAplicacao();
    // The program is ending; the modal loop must not keep the list up meanwhile.
    done(QDialog::Rejected);
}

bool SelecionaConfiguracao(int& codigo, QString& acao) {
    if (!fmConfiguracao)
        fmConfiguracao = new TfmConfiguracao;
    const auto libera = qScopeGuard([] {
        delete fmConfiguracao;
        fmConfiguracao = nullptr;
    });
    const bool ok = fmConfiguracao->exec() == QDialog::Accepted;
    if (ok) {
        codigo = fmConfiguracao->codigoAtual();
        acao = fmConfiguracao->Acao;
    }
    return ok;
}

} // namespace ui
