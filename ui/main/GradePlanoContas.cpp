#include "ui/main/GradePlanoContas.h"

#include "data/dmFCONT.h"
#include "ui/search/LarguraColuna.h"

#include <QBrush>
#include <QComboBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLineEdit>
#include <QPointer>
#include <QTableView>
#include <QToolButton>

namespace ui {

const std::vector<ColunaPlano>& ColunasPlanoContas() {
    static const std::vector<ColunaPlano> colunas = {
        {"PCCODIGO", "Código Conta", 75, true},         {"PCCODIGOSUP", "Código Conta Sup.", 98, true},
        {"COD_AGL", "Cod. Aglutinação", 95, false},     {"J150IND_VL", "Ind. Vlr.", 45, false},
        {"PCDESCRICAO", "Conta", 240, false},           {"PCORDENACAO", "Ordenação", 95, false},
        {"COD_CTA_REF", "Código Conta Ref.", 95, true}, {"DESCRICAO", "Conta Referente", 0, false},
    };
    return colunas;
}

namespace {

const ColunaPlano* colunaDoCampo(const QString& campo) {
    for (const ColunaPlano& c : ColunasPlanoContas())
        if (campo.compare(QLatin1String(c.campo), Qt::CaseInsensitive) == 0)
            return &c;
    return nullptr;
}

QVariant inicioDoPeriodo() {
    if (!data::dmFCONT || !data::dmFCONT->quSPED.active())
        return {};
    const platform::Field* inicio = data::dmFCONT->quSPED.findField(QStringLiteral("R0000DT_INI"));
    return inicio ? inicio->value() : QVariant();
}

} // namespace

CoresPlano CoresLinhaPlano(const QString& tipoConta, const QVariant& fimValidade,
                           const QVariant& inicioPeriodo) {
    CoresPlano cores{Qt::white, Qt::black};
    if (tipoConta == QLatin1String("S"))
        cores = {QColor(166, 202, 240), QColor(0, 0, 128)};
    const bool temFim = fimValidade.isValid() && !fimValidade.isNull();
    const bool temInicio = inicioPeriodo.isValid() && !inicioPeriodo.isNull();
    // Days, not instants: a start stored with a time of day is still that day.
    if (temFim && temInicio && inicioPeriodo.toDate() > fimValidade.toDate())
        cores = {QColor(255, 0, 0), Qt::white};
    return cores;
}

QVariant ModeloPlanoContas::data(const QModelIndex& index, int role) const {
    if (role != Qt::BackgroundRole && role != Qt::ForegroundRole)
        return platform::DataSetModel::data(index, role);
    if (!index.isValid() || index.row() >= rowCount())
        return {};
    const platform::DataSet& ds = dataSet();
    const platform::Field* tipo = ds.findField(QStringLiteral("PCTIPO"));
    const platform::Field* validade = ds.findField(QStringLiteral("DT_VALIDADE"));
    const CoresPlano cores = CoresLinhaPlano(
        tipo ? ds.valueAt(index.row(), tipo->index()).toString() : QString(),
        validade ? ds.valueAt(index.row(), validade->index()) : QVariant(), inicioDoPeriodo());
    return QBrush(role == Qt::BackgroundRole ? cores.fundo : cores.texto);
}

QVariant ModeloPlanoContas::headerData(int section, Qt::Orientation orientation, int role) const {
    if (orientation == Qt::Horizontal && role == Qt::DisplayRole)
        if (const ColunaPlano* c = colunaDoCampo(campoDa(section)))
            return QString::fromUtf8(c->titulo);
    // The narrow indicator column beside the rows has no room for row numbers.
    if (orientation == Qt::Vertical && role == Qt::DisplayRole)
        return QString();
    return platform::DataSetModel::headerData(section, orientation, role);
}

int ModeloPlanoContas::colunaDe(const QString& campo) const {
    const platform::Field* f = dataSet().findField(campo);
    return f ? columnOf(*f) : -1;
}

QString ModeloPlanoContas::campoDa(int coluna) const {
    const platform::Field* f = fieldAt(coluna);
    return f ? f->name() : QString();
}

void ArrumaColunasPlano(QTableView& grade, const ModeloPlanoContas& modelo) {
    QHeaderView& cabecalho = *grade.horizontalHeader();
    for (int i = 0; i < modelo.columnCount(); ++i)
        grade.setColumnHidden(i, colunaDoCampo(modelo.campoDa(i)) == nullptr);
    int posicao = 0;
    for (const ColunaPlano& c : ColunasPlanoContas()) {
        const int logica = modelo.colunaDe(QString::fromLatin1(c.campo));
        if (logica < 0)
            continue;
        cabecalho.moveSection(cabecalho.visualIndex(logica), posicao++);
        grade.setColumnWidth(
            logica, LarguraNaTela(grade, c.largura > 0 ? c.largura : cabecalho.defaultSectionSize() * 2,
                                  QString::fromUtf8(c.titulo)));
    }
}

namespace {

// A cell editor with the search button at its right end.
class EditorComBotao : public QWidget {
public:
    EditorComBotao(QWidget* parent, std::function<void(EditorComBotao*)> aoClicar) : QWidget(parent) {
        auto* linha = new QHBoxLayout(this);
        linha->setContentsMargins(0, 0, 0, 0);
        linha->setSpacing(0);
        texto = new QLineEdit(this);
        texto->setFrame(false);
        auto* botao = new QToolButton(this);
        botao->setObjectName(QStringLiteral("btEdicao"));
        botao->setText(QStringLiteral("..."));
        botao->setAccessibleName(QStringLiteral("Pesquisar"));
        botao->setFocusPolicy(Qt::NoFocus);
        linha->addWidget(texto, 1);
        linha->addWidget(botao);
        setFocusProxy(texto);
        connect(botao, &QToolButton::clicked, this, [this, aoClicar] { aoClicar(this); });
    }
    QLineEdit* texto;
};

} // namespace

DelegadoPlanoContas::DelegadoPlanoContas(BotaoEdicao botao, QObject* parent)
    : QStyledItemDelegate(parent), m_botao(std::move(botao)) {}

void DelegadoPlanoContas::paint(QPainter* painter, const QStyleOptionViewItem& option,
                                const QModelIndex& index) const {
    QStyleOptionViewItem semSelecao(option);
    semSelecao.state &= ~QStyle::State_Selected;
    QStyledItemDelegate::paint(painter, semSelecao, index);
}

QWidget* DelegadoPlanoContas::createEditor(QWidget* parent, const QStyleOptionViewItem& option,
                                           const QModelIndex& index) const {
    const auto* modelo = dynamic_cast<const ModeloPlanoContas*>(index.model());
    const QString campo = modelo ? modelo->campoDa(index.column()) : QString();
    if (campo == QLatin1String("J150IND_VL")) {
        auto* combo = new QComboBox(parent);
        combo->setEditable(true);
        combo->addItems({QStringLiteral("D"), QStringLiteral("R"), QStringLiteral("P")});
        return combo;
    }
    const ColunaPlano* coluna = colunaDoCampo(campo);
    if (!coluna || !coluna->botao)
        return QStyledItemDelegate::createEditor(parent, option, index);
    // The typed text is kept, the editor closes, and only then does the search window open, so
    // the handler finds the row as the user left it.
    auto* delegado = const_cast<DelegadoPlanoContas*>(this);
    return new EditorComBotao(parent, [delegado](EditorComBotao* editor) {
        emit delegado->commitData(editor);
        emit delegado->closeEditor(editor, QAbstractItemDelegate::NoHint);
        QMetaObject::invokeMethod(
            delegado, [delegado] { delegado->m_botao(); }, Qt::QueuedConnection);
    });
}

void DelegadoPlanoContas::setEditorData(QWidget* editor, const QModelIndex& index) const {
    const QString texto = index.data(Qt::EditRole).toString();
    if (auto* combo = qobject_cast<QComboBox*>(editor))
        combo->setCurrentText(texto);
    else if (auto* comBotao = dynamic_cast<EditorComBotao*>(editor))
        comBotao->texto->setText(texto);
    else
        QStyledItemDelegate::setEditorData(editor, index);
}

void DelegadoPlanoContas::setModelData(QWidget* editor, QAbstractItemModel* model,
                                       const QModelIndex& index) const {
    QString texto;
    if (auto* combo = qobject_cast<QComboBox*>(editor))
        texto = combo->currentText();
    else if (auto* comBotao = dynamic_cast<EditorComBotao*>(editor))
        texto = comBotao->texto->text();
    else
        return QStyledItemDelegate::setModelData(editor, model, index);
    // Opening and leaving a cell unchanged is no edit of the row.
    if (texto != index.data(Qt::EditRole).toString())
        model->setData(index, texto, Qt::EditRole);
}

} // namespace ui
