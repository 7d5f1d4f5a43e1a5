#include "ui/main/GradeAchados.h"

#include "platform/DataSetNotifier.h"
#include "platform/Dialogs.h"
#include "platform/qt/FieldBinding.h"
#include "ui/search/LarguraColuna.h"

#include <QBrush>
#include <QButtonGroup>
#include <QFont>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLabel>
#include <QRadioButton>
#include <QTableView>
#include <QVBoxLayout>

namespace ui {

using validacao::FiltroGravidade;
using validacao::Gravidade;

namespace {

// The severity keeps its colour on the selected row too: the colour is what the eye looks for.
class DelegadoAchados : public DelegadoColunas {
public:
    using DelegadoColunas::DelegadoColunas;
    void paint(QPainter* painter, const QStyleOptionViewItem& option,
               const QModelIndex& index) const override {
        const auto* modelo = dynamic_cast<const platform::DataSetModel*>(index.model());
        if (!modelo || modelo->campoDa(index.column()) != QLatin1String("GRAVIDADE"))
            return DelegadoColunas::paint(painter, option, index);
        QStyleOptionViewItem semSelecao(option);
        semSelecao.state &= ~QStyle::State_Selected;
        DelegadoColunas::paint(painter, semSelecao, index);
    }
};

// The message column takes what the window leaves; its width of the description is the
// spreadsheet's, where a message is read whole.
constexpr int larguraMensagemNaGrade = 300;

} // namespace

ModeloAchados::ModeloAchados(validacao::TabelaAchados& tabela, QObject* parent)
    : ModeloGrade(tabela, platform::ColunasDa(validacao::ColunasAchados(), platform::NaGrade), parent),
      m_tabela(tabela) {}

CoresGravidade CoresDaGravidade(Gravidade gravidade) {
    if (gravidade == Gravidade::Erro)
        return {QColor(0xf4, 0xc2, 0xc2), QColor(0x9c, 0x00, 0x06)};
    return {QColor(0xff, 0xeb, 0x9c), QColor(0x7a, 0x4d, 0x00)};
}

QVariant ModeloAchados::data(const QModelIndex& index, int role) const {
    if (!index.isValid() || index.row() >= rowCount())
        return {};
    const platform::ColunaGrade* c = coluna(index.column());
    if (role == Qt::TextAlignmentRole)
        return c ? QVariant(c->alinhamento | Qt::AlignVCenter) : QVariant();
    // A message is longer than any column: the whole of it over every cell of its row.
    if (role == Qt::ToolTipRole) {
        const validacao::Achado* a = m_tabela.achadoDa(index.row());
        return a ? QVariant(a->mensagem) : QVariant();
    }
    const bool gravidade = c && c->campo == QLatin1String("GRAVIDADE");
    if (gravidade && (role == Qt::BackgroundRole || role == Qt::ForegroundRole || role == Qt::FontRole)) {
        const validacao::Achado* a = m_tabela.achadoDa(index.row());
        if (!a)
            return {};
        if (role == Qt::FontRole) {
            QFont negrito;
            negrito.setBold(true);
            return negrito;
        }
        const CoresGravidade cores = CoresDaGravidade(a->gravidade);
        return QBrush(role == Qt::BackgroundRole ? cores.fundo : cores.texto);
    }
    return ModeloGrade::data(index, role);
}

void ModeloAchados::sort(int column, Qt::SortOrder order) {
    m_tabela.ordena(column < 0 ? QString() : campoDa(column), order == Qt::DescendingOrder);
}

GradeAchados::GradeAchados(QWidget* parent) : QWidget(parent) {
    setObjectName(QStringLiteral("GradeAchados"));
    m_modelo = new ModeloAchados(m_tabela, this);

    auto* filtro = new QHBoxLayout;
    filtro->setContentsMargins(0, 0, 0, 0);
    auto* rotulo = new QLabel(QStringLiteral("Mostrar:"), this);
    filtro->addWidget(rotulo);
    auto* grupo = new QButtonGroup(this);
    auto botao = [this, grupo, filtro](const char* nome, const QString& legenda, FiltroGravidade f) {
        auto* b = new QRadioButton(legenda, this);
        b->setObjectName(QString::fromLatin1(nome));
        b->setAccessibleName(legenda);
        grupo->addButton(b, static_cast<int>(f));
        filtro->addWidget(b);
        return b;
    };
    m_todos = botao("rbTodos", QStringLiteral("Todos"), FiltroGravidade::Todos);
    m_erros = botao("rbErros", QStringLiteral("Erros"), FiltroGravidade::Erros);
    m_avisos = botao("rbAvisos", QStringLiteral("Avisos"), FiltroGravidade::Avisos);
    m_todos->setChecked(true);
    filtro->addStretch(1);
    connect(grupo, &QButtonGroup::idClicked, this,
            [this](int id) { filtra(static_cast<FiltroGravidade>(id)); });

    m_grade = new QTableView(this);
    m_grade->setObjectName(QStringLiteral("dbgdAchados"));
    m_grade->setAccessibleName(QStringLiteral("Achados"));
    platform::bindGrid(m_grade, m_modelo);
    m_grade->setItemDelegate(new DelegadoAchados(m_grade));
    m_grade->setEditTriggers(QAbstractItemView::NoEditTriggers);
    m_grade->setSelectionBehavior(QAbstractItemView::SelectRows);
    m_grade->setSelectionMode(QAbstractItemView::SingleSelection);
    m_grade->setWordWrap(false);
    m_grade->verticalHeader()->setDefaultSectionSize(22);
    m_grade->verticalHeader()->setFixedWidth(14);
    for (int i = 0; i < m_modelo->columnCount(); ++i) {
        const platform::ColunaGrade& c = *m_modelo->coluna(i);
        const bool mensagem = c.campo == QLatin1String("MENSAGEM");
        m_grade->setColumnWidth(
            i, LarguraNaTela(*m_grade, mensagem ? larguraMensagemNaGrade : c.largura, c.titulo));
    }
    m_grade->horizontalHeader()->setStretchLastSection(true);
    // No column is sorted at first: the rows stand in the order of the file.
    m_grade->horizontalHeader()->setSortIndicator(-1, Qt::AscendingOrder);
    m_grade->setSortingEnabled(true);
    connect(m_grade, &QAbstractItemView::doubleClicked, this,
            [this](const QModelIndex& index) { escolhe(index.row()); });
    m_grade->installEventFilter(this);

    m_mensagem = new QLabel(this);
    m_mensagem->setObjectName(QStringLiteral("laMensagem"));
    m_mensagem->setAccessibleName(QStringLiteral("Mensagem"));
    m_mensagem->setWordWrap(true);
    m_mensagem->setTextInteractionFlags(Qt::TextSelectableByMouse);
    m_mensagem->setMinimumHeight(3 * m_mensagem->fontMetrics().lineSpacing());
    m_mensagem->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    const platform::DataSetNotifier* n = &m_tabela.notifier();
    connect(n, &platform::DataSetNotifier::currentMoved, this, &GradeAchados::mostraMensagemAtual);
    connect(n, &platform::DataSetNotifier::refiltered, this, &GradeAchados::mostraMensagemAtual);
    connect(n, &platform::DataSetNotifier::rowsAppended, this, &GradeAchados::mostraMensagemAtual);

    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addLayout(filtro);
    layout->addWidget(m_grade, 1);
    layout->addWidget(m_mensagem);
}

void GradeAchados::mostraMensagemAtual() {
    const validacao::Achado* a = m_tabela.achadoAtual();
    m_mensagem->setText(a ? a->mensagem : QString());
}

void GradeAchados::mostra(const validacao::Achados& achados) {
    m_tabela.preenche(achados);
}

void GradeAchados::filtra(FiltroGravidade filtro) {
    m_tabela.filtra(filtro);
    QRadioButton* marcado = filtro == FiltroGravidade::Erros    ? m_erros
                            : filtro == FiltroGravidade::Avisos ? m_avisos
                                                                : m_todos;
    marcado->setChecked(true);
}

void GradeAchados::escolhe(int linha) {
    const validacao::Achado* a = m_tabela.achadoDa(linha);
    if (!a || !aoEscolher)
        return;
    // The finding is copied: going to the page may refill this very grid.
    const validacao::Achado achado = *a;
    platform::runReporting([this, &achado] { aoEscolher(achado); });
}

bool GradeAchados::eventFilter(QObject* objeto, QEvent* evento) {
    if (objeto == m_grade && evento->type() == QEvent::KeyPress) {
        const int tecla = static_cast<QKeyEvent*>(evento)->key();
        if (tecla == Qt::Key_Return || tecla == Qt::Key_Enter) {
            escolhe(m_grade->currentIndex().row());
            return true;
        }
    }
    return QWidget::eventFilter(objeto, evento);
}

QLabel* RotuloResumo(QWidget* pai) {
    auto* resumo = new QLabel(pai);
    resumo->setObjectName(QStringLiteral("laResumo"));
    resumo->setAccessibleName(QStringLiteral("Resumo"));
    QFont negrito = resumo->font();
    negrito.setBold(true);
    resumo->setFont(negrito);
    resumo->setWordWrap(true);
    return resumo;
}

} // namespace ui
