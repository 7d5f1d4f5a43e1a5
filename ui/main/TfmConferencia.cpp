#include "ui/main/TfmConferencia.h"

#include "common/Mensagens.h"
#include "platform/Dialogs.h"
#include "platform/qt/BusyCursor.h"
#include "ui/main/GradeAchados.h"
#include "ui/main/IrParaAchado.h"
#include "ui/main/TfmPrincipal.h"

#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QPushButton>
#include <QSpinBox>
#include <QSplitter>
#include <QTableView>
#include <QVBoxLayout>

#include <cmath>

namespace ui {

namespace {

const platform::ColunaGrade& coluna(int i) {
    return conferencia::ColunasSugestoes().at(static_cast<size_t>(i));
}

bool ehMarca(int coluna) {
    return ui::coluna(coluna).campo == QLatin1String("ACEITAR");
}

} // namespace

void ModeloSugestoes::mostra(const QList<conferencia::Sugestao>& sugestoes) {
    beginResetModel();
    m_sugestoes = sugestoes;
    m_marcadas = QList<bool>(sugestoes.size(), false);
    endResetModel();
}

QList<conferencia::Sugestao> ModeloSugestoes::marcadas() const {
    QList<conferencia::Sugestao> escolhidas;
    for (int i = 0; i < m_sugestoes.size(); ++i)
        if (m_marcadas[i])
            escolhidas << m_sugestoes[i];
    return escolhidas;
}

void ModeloSugestoes::marca(int linha, bool marcada) {
    if (linha < 0 || linha >= m_marcadas.size() || m_marcadas[linha] == marcada)
        return;
    m_marcadas[linha] = marcada;
    emit dataChanged(index(linha, 0), index(linha, 0), {Qt::CheckStateRole});
}

void ModeloSugestoes::marcaAPartirDe(double confianca) {
    const QList<conferencia::Sugestao> acima = conferencia::AcimaDe(m_sugestoes, confianca);
    for (int i = 0, j = 0; i < m_sugestoes.size(); ++i) {
        const bool esta = j < acima.size() && acima[j].conta.spascodigo == m_sugestoes[i].conta.spascodigo;
        j += esta ? 1 : 0;
        marca(i, esta);
    }
}

int ModeloSugestoes::rowCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : static_cast<int>(m_sugestoes.size());
}

int ModeloSugestoes::columnCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : static_cast<int>(conferencia::ColunasSugestoes().size());
}

QVariant ModeloSugestoes::data(const QModelIndex& index, int role) const {
    if (!index.isValid() || index.row() >= m_sugestoes.size())
        return {};
    if (ehMarca(index.column()))
        return role == Qt::CheckStateRole ? QVariant(m_marcadas[index.row()] ? Qt::Checked : Qt::Unchecked)
                                          : QVariant();
    if (role == Qt::DisplayRole || role == Qt::ToolTipRole)
        return conferencia::TextoDaColuna(m_sugestoes[index.row()], coluna(index.column()).campo);
    if (role == Qt::TextAlignmentRole)
        return QVariant::fromValue(coluna(index.column()).alinhamento | Qt::AlignVCenter);
    return {};
}

bool ModeloSugestoes::setData(const QModelIndex& index, const QVariant& value, int role) {
    if (!index.isValid() || role != Qt::CheckStateRole || !ehMarca(index.column()))
        return false;
    marca(index.row(), value.toInt() == Qt::Checked);
    return true;
}

Qt::ItemFlags ModeloSugestoes::flags(const QModelIndex& index) const {
    if (!index.isValid())
        return Qt::NoItemFlags;
    Qt::ItemFlags f = Qt::ItemIsEnabled | Qt::ItemIsSelectable;
    return ehMarca(index.column()) ? f | Qt::ItemIsUserCheckable : f;
}

QVariant ModeloSugestoes::headerData(int section, Qt::Orientation orientation, int role) const {
    if (orientation != Qt::Horizontal || section < 0 || section >= columnCount())
        return QAbstractTableModel::headerData(section, orientation, role);
    return role == Qt::DisplayRole ? QVariant(coluna(section).titulo) : QVariant();
}

Conferencia ConfereComSugestoes() {
    Conferencia c;
    c.resultado = conferencia::ConfereConjuntoAberto();
    c.sugestoes = conferencia::SugereReferenciasDoConjuntoAberto(c.resultado.semReferencia);
    return c;
}

TfmConferencia::TfmConferencia(TfmPrincipal& principal, QWidget* parent)
    : QWidget(parent, Qt::Window), m_principal(principal) {
    setObjectName(QStringLiteral("fmConferencia"));
    setWindowTitle(QStringLiteral("Conferência"));
    resize(1040, 640);

    m_resumo = RotuloResumo(this);

    m_grade = new GradeAchados(this);
    m_grade->aoEscolher = [this](const validacao::Achado& a) { MostraOndeCorrigir(m_principal, a); };

    auto* paSugestoes = new QWidget(this);
    m_tituloSugestoes = new QLabel(paSugestoes);
    m_tituloSugestoes->setFont(m_resumo->font());
    m_modelo = new ModeloSugestoes(this);
    m_sugestoes = new QTableView(paSugestoes);
    m_sugestoes->setObjectName(QStringLiteral("dbgdSugestoes"));
    m_sugestoes->setAccessibleName(QStringLiteral("Sugestões"));
    m_sugestoes->setModel(m_modelo);
    m_sugestoes->setSelectionBehavior(QAbstractItemView::SelectRows);
    m_sugestoes->setEditTriggers(QAbstractItemView::NoEditTriggers);
    m_sugestoes->verticalHeader()->setDefaultSectionSize(20);
    m_sugestoes->verticalHeader()->hide();
    m_sugestoes->horizontalHeader()->setStretchLastSection(false);
    for (int i = 0; i < m_modelo->columnCount(); ++i) {
        m_sugestoes->setColumnWidth(i, coluna(i).largura);
        // The reason is the longest text: it takes the room the window has.
        if (coluna(i).campo == QLatin1String("MOTIVO"))
            m_sugestoes->horizontalHeader()->setSectionResizeMode(i, QHeaderView::Stretch);
    }
    connect(m_sugestoes, &QTableView::doubleClicked, this, [this](const QModelIndex& i) {
        if (!ehMarca(i.column()))
            platform::runReporting([this, i] { dbgdSugestoesDblClick(i.row()); });
    });

    auto* laConfianca = new QLabel(QStringLiteral("Marcar as de confiança a partir de"), paSugestoes);
    m_confianca = new QSpinBox(paSugestoes);
    m_confianca->setObjectName(QStringLiteral("edConfianca"));
    m_confianca->setAccessibleName(laConfianca->text());
    m_confianca->setRange(0, 100);
    m_confianca->setSuffix(QStringLiteral("%"));
    m_confianca->setValue(80);
    laConfianca->setBuddy(m_confianca);
    m_marcar = new QPushButton(QStringLiteral("Marcar"), paSugestoes);
    m_marcar->setObjectName(QStringLiteral("btMarcar"));
    m_aceitar = new QPushButton(QStringLiteral("Aceitar marcadas"), paSugestoes);
    m_aceitar->setObjectName(QStringLiteral("btAceitarMarcadas"));
    connect(m_marcar, &QPushButton::clicked, this,
            [this] { platform::runReporting([this] { btMarcarClick(); }); });
    connect(m_aceitar, &QPushButton::clicked, this,
            [this] { platform::runReporting([this] { btAceitarMarcadasClick(); }); });

    auto* linhaMarcas = new QHBoxLayout;
    linhaMarcas->addWidget(laConfianca);
    linhaMarcas->addWidget(m_confianca);
    linhaMarcas->addWidget(m_marcar);
    linhaMarcas->addStretch(1);
    linhaMarcas->addWidget(m_aceitar);
    auto* layoutSugestoes = new QVBoxLayout(paSugestoes);
    layoutSugestoes->setContentsMargins(0, 0, 0, 0);
    layoutSugestoes->addWidget(m_tituloSugestoes);
    layoutSugestoes->addWidget(m_sugestoes, 1);
    layoutSugestoes->addLayout(linhaMarcas);

    auto* divisao = new QSplitter(Qt::Vertical, this);
    divisao->addWidget(m_grade);
    divisao->addWidget(paSugestoes);
    divisao->setChildrenCollapsible(false);

    auto* dica =
        new QLabel(QStringLiteral("Clique duas vezes num achado ou numa sugestão para ir à conta na "
                                  "página Registro I050. Nada é gravado antes de \"Aceitar marcadas\"."),
                   this);
    dica->setStyleSheet(QStringLiteral("color: grey;"));
    dica->setWordWrap(true);
    m_conferir = new QPushButton(QStringLiteral("Conferir"), this);
    m_conferir->setObjectName(QStringLiteral("btConferir"));
    m_fechar = new QPushButton(QStringLiteral("Fechar"), this);
    m_fechar->setObjectName(QStringLiteral("btFechar"));
    connect(m_conferir, &QPushButton::clicked, this,
            [this] { platform::runReporting([this] { btConferirClick(); }); });
    connect(m_fechar, &QPushButton::clicked, this, &QWidget::close);
    auto* botoes = new QHBoxLayout;
    botoes->addWidget(dica, 1);
    botoes->addWidget(m_conferir);
    botoes->addWidget(m_fechar);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(m_resumo);
    layout->addWidget(divisao, 1);
    layout->addLayout(botoes);
}

void TfmConferencia::mostra(const conferencia::ResultadoConferencia& resultado,
                            const QList<conferencia::Sugestao>& sugestoes) {
    m_resumo->setText(QStringLiteral("Conferência da configuração: ") +
                      validacao::ResumoAchados(resultado.achados) +
                      QStringLiteral("; %1 conta(s) sem referência.").arg(resultado.semReferencia.size()));
    m_grade->mostra(resultado.achados);
    m_modelo->mostra(sugestoes);
    m_tituloSugestoes->setText(
        QStringLiteral("Sugestões de conta referencial (%1 de %2 contas sem referência)")
            .arg(sugestoes.size())
            .arg(resultado.semReferencia.size()));
    m_aceitar->setEnabled(!sugestoes.isEmpty());
    m_marcar->setEnabled(!sugestoes.isEmpty());
}

void TfmConferencia::btConferirClick() {
    const platform::BusyCursor ocupado;
    const Conferencia c = ConfereComSugestoes();
    mostra(c.resultado, c.sugestoes);
}

void TfmConferencia::btMarcarClick() {
    m_modelo->marcaAPartirDe(m_confianca->value() / 100.0);
}

void TfmConferencia::btAceitarMarcadasClick() {
    const QList<conferencia::Sugestao> marcadas = m_modelo->marcadas();
    if (marcadas.isEmpty()) {
        common::MostraMensagem(QStringLiteral("Aviso: nenhuma sugestão marcada."));
        return;
    }
    int gravadas = 0;
    {
        const platform::BusyCursor ocupado;
        gravadas = conferencia::AceitaSugestoes(marcadas);
    }
    common::MostraMensagem(
        QStringLiteral("%1 sugestão(ões) gravada(s) na página Registro I050.").arg(gravadas));
    btConferirClick();
}

void TfmConferencia::dbgdSugestoesDblClick(int linha) {
    if (linha < 0 || linha >= m_modelo->sugestoes().size())
        return;
    validacao::Achado a;
    a.gravidade = validacao::Gravidade::Aviso;
    a.registro = QStringLiteral("I051");
    a.campo = QStringLiteral("COD_CTA_REF");
    a.conta = m_modelo->sugestoes()[linha].conta.conta;
    MostraOndeCorrigir(m_principal, a);
}

} // namespace ui
