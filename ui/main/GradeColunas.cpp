#include "ui/main/GradeColunas.h"

#include <QBrush>
#include <QComboBox>
#include <QHBoxLayout>
#include <QLineEdit>
#include <QToolButton>

#include <utility>

namespace ui {

namespace {

const platform::ColunaGrade* colunaDe(const QModelIndex& index) {
    const auto* modelo = dynamic_cast<const platform::DataSetModel*>(index.model());
    return modelo ? modelo->coluna(index.column()) : nullptr;
}

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
        connect(botao, &QToolButton::clicked, this,
                [this, aoClicar = std::move(aoClicar)] { aoClicar(this); });
    }
    QLineEdit* texto;
};

QString digitosDe(const QString& texto) {
    QString digitos;
    for (const QChar c : texto)
        if (c.isDigit())
            digitos += c;
    return digitos;
}

// The digits laid into the mask's places ("999.999.999-99"); a value with another count of
// digits is shown as stored, so nothing is hidden or made up.
QString comMascara(const QString& valor, const QString& mascara) {
    const QString figura = mascara.section(QLatin1Char(';'), 0, 0);
    const QString digitos = digitosDe(valor);
    if (digitos.size() != figura.count(QLatin1Char('9')) + figura.count(QLatin1Char('0')))
        return valor;
    QString texto;
    qsizetype proximo = 0;
    for (const QChar c : figura)
        texto += c == QLatin1Char('9') || c == QLatin1Char('0') ? digitos.at(proximo++) : c;
    return texto;
}

} // namespace

QVariant ModeloGrade::data(const QModelIndex& index, int role) const {
    if (role == Qt::DisplayRole) {
        const platform::ColunaGrade* c = coluna(index.column());
        const QVariant valor = platform::DataSetModel::data(index, role);
        return c && !c->mascara.isEmpty() && valor.isValid() ? comMascara(valor.toString(), c->mascara)
                                                             : valor;
    }
    if (role != Qt::BackgroundRole)
        return platform::DataSetModel::data(index, role);
    const platform::ColunaGrade* c = coluna(index.column());
    return c && c->cinza && index.row() < rowCount() ? QBrush(QColor(0xd4, 0xd0, 0xc8)) : QVariant();
}

DelegadoColunas::DelegadoColunas(QObject* parent, BotaoEdicao botao)
    : QStyledItemDelegate(parent), m_botao(std::move(botao)) {}

void DelegadoColunas::paint(QPainter* painter, const QStyleOptionViewItem& option,
                            const QModelIndex& index) const {
    if (!m_semSelecao)
        return QStyledItemDelegate::paint(painter, option, index);
    QStyleOptionViewItem semSelecao(option);
    semSelecao.state &= ~QStyle::State_Selected;
    QStyledItemDelegate::paint(painter, semSelecao, index);
}

QWidget* DelegadoColunas::createEditor(QWidget* parent, const QStyleOptionViewItem& option,
                                       const QModelIndex& index) const {
    const platform::ColunaGrade* coluna = colunaDe(index);
    if (coluna && !coluna->lista.isEmpty()) {
        auto* combo = new QComboBox(parent);
        combo->setEditable(true);
        combo->addItems(coluna->lista);
        return combo;
    }
    if (coluna && !coluna->mascara.isEmpty()) {
        auto* edit = new QLineEdit(parent);
        edit->setFrame(false);
        edit->setInputMask(coluna->mascara);
        return edit;
    }
    if (!coluna || !coluna->botao || !m_botao)
        return QStyledItemDelegate::createEditor(parent, option, index);
    // The typed text is kept, the editor closes, and only then does the search window open, so
    // the handler finds the row as the user left it.
    auto* delegado = const_cast<DelegadoColunas*>(this);
    return new EditorComBotao(parent, [delegado](EditorComBotao* editor) {
        emit delegado->commitData(editor);
        emit delegado->closeEditor(editor, QAbstractItemDelegate::NoHint);
        QMetaObject::invokeMethod(
            delegado, [delegado] { delegado->m_botao(); }, Qt::QueuedConnection);
    });
}

void DelegadoColunas::setEditorData(QWidget* editor, const QModelIndex& index) const {
    const QString texto = index.data(Qt::EditRole).toString();
    if (auto* combo = qobject_cast<QComboBox*>(editor))
        combo->setCurrentText(texto);
    else if (auto* comBotao = dynamic_cast<EditorComBotao*>(editor))
        comBotao->texto->setText(texto);
    else if (auto* edit = qobject_cast<QLineEdit*>(editor); edit && !edit->inputMask().isEmpty())
        edit->setText(digitosDe(texto));
    else
        QStyledItemDelegate::setEditorData(editor, index);
}

void DelegadoColunas::setModelData(QWidget* editor, QAbstractItemModel* model,
                                   const QModelIndex& index) const {
    QString texto;
    if (auto* combo = qobject_cast<QComboBox*>(editor))
        texto = combo->currentText();
    else if (auto* comBotao = dynamic_cast<EditorComBotao*>(editor))
        texto = comBotao->texto->text();
    else if (auto* edit = qobject_cast<QLineEdit*>(editor); edit && !edit->inputMask().isEmpty())
        texto = digitosDe(edit->text());
    else
        return QStyledItemDelegate::setModelData(editor, model, index);
    if (texto != index.data(Qt::EditRole).toString())
        model->setData(index, texto, Qt::EditRole);
}

} // namespace ui
