#include "ui/main/PaginaRegistro.h"

#include "data/TabelasCodigos.h"
#include "platform/DataSet.h"
#include "platform/qt/FieldBinding.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDateEdit>
#include <QLabel>
#include <QLineEdit>
#include <QVBoxLayout>

namespace ui {

namespace {

QLabel* barraTitulo(QWidget* pai, const QString& texto) {
    auto* titulo = new QLabel(texto, pai);
    titulo->setTextFormat(Qt::PlainText);
    titulo->setFixedHeight(40);
    titulo->setAlignment(Qt::AlignLeft | Qt::AlignVCenter);
    QFont f = titulo->font();
    f.setBold(true);
    f.setPointSizeF(f.pointSizeF() * 1.15);
    titulo->setFont(f);
    titulo->setAutoFillBackground(true);
    titulo->setStyleSheet(QStringLiteral("background: #e8e8e8; border-bottom: 1px solid #b0b0b0;"));
    return titulo;
}

void somenteLeitura(platform::FieldBinding* vinculo) {
    auto* edit = static_cast<QLineEdit*>(vinculo->control());
    vinculo->setReadOnly(true);
    edit->setFocusPolicy(Qt::ClickFocus);
    edit->setStyleSheet(QStringLiteral("QLineEdit { background: #d4d0c8; color: black; }"));
}

// The calendar of an empty period date opens within the set's period: an empty start on January
// of the end's year, an empty end on December of the start's year; invalid (today) otherwise.
QDate DiaDoPeriodo(const platform::DataSet& dataSet, const platform::Field& campo) {
    const auto data = [&dataSet](const char* nome) {
        const platform::Field* f = dataSet.findField(QString::fromLatin1(nome));
        return f && !f->isNull() ? f->asDateTime().date() : QDate();
    };
    if (campo.name().compare(QLatin1String("R0000DT_INI"), Qt::CaseInsensitive) == 0) {
        const QDate fim = data("R0000DT_FIN");
        return fim.isValid() ? QDate(fim.year(), 1, 1) : QDate();
    }
    if (campo.name().compare(QLatin1String("R0000DT_FIN"), Qt::CaseInsensitive) == 0) {
        const QDate inicio = data("R0000DT_INI");
        return inicio.isValid() ? QDate(inicio.year(), 12, 31) : QDate();
    }
    return {};
}

} // namespace

PaginaRegistro::PaginaRegistro(const QString& titulo, QWidget* parent) : QWidget(parent) {
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    layout->addWidget(barraTitulo(this, titulo));
    m_corpo = new QVBoxLayout;
    m_corpo->setContentsMargins(12, 10, 12, 10);
    m_corpo->setSpacing(8);
    layout->addLayout(m_corpo, 1);
}

void PaginaRegistro::nomeia(QWidget* controle, const char* nome, const QString& rotulo) {
    controle->setObjectName(QString::fromLatin1(nome));
    QString acessivel = rotulo.section(QLatin1Char('\n'), 0, 0).trimmed();
    if (acessivel.endsWith(QLatin1Char(':')))
        acessivel.chop(1);
    controle->setAccessibleName(acessivel);
}

PaginaRegistro::Controle PaginaRegistro::cria(const CampoPagina& c, platform::DataSet& dataSet, QWidget* pai,
                                              bool comRotulo) {
    const QString rotulo = QString::fromUtf8(c.rotulo);
    const QString figura = c.figura ? QString::fromLatin1(c.figura) : QString();
    platform::Field& campo = dataSet.fieldByName(QString::fromLatin1(c.campo));
    QWidget* controle = nullptr;
    switch (c.entrada) {
    case Entrada::Texto:
    case Entrada::Leitura: {
        auto* edit = new QLineEdit(pai);
        platform::FieldBinding* vinculo = platform::bindEdit(edit, campo);
        if (c.entrada == Entrada::Leitura)
            somenteLeitura(vinculo);
        controle = edit;
        break;
    }
    case Entrada::Digitos: {
        auto* edit = new QLineEdit(pai);
        platform::bindDigits(edit, campo, figura);
        controle = edit;
        break;
    }
    case Entrada::Valor: {
        auto* edit = new QLineEdit(pai);
        platform::bindAmount(edit, campo, figura);
        controle = edit;
        break;
    }
    case Entrada::Data: {
        QDateEdit* data = platform::createDateEdit(pai);
        platform::bindDate(data, campo, [&dataSet, &campo] { return DiaDoPeriodo(dataSet, campo); });
        controle = data;
        break;
    }
    case Entrada::Lista: {
        auto* combo = new QComboBox(pai);
        platform::bindPicker(combo, campo, data::TabelaCodigosDe(campo.name()).itensDaLista());
        controle = combo;
        break;
    }
    case Entrada::Marca: {
        auto* caixa = new QCheckBox(rotulo, pai);
        platform::bindCheck(caixa, campo, -1, 0);
        nomeia(caixa, c.nome, rotulo);
        return {caixa, nullptr};
    }
    }
    nomeia(controle, c.nome, rotulo);
    if (!comRotulo)
        return {controle, nullptr};
    auto* l = new QLabel(rotulo, pai);
    l->setBuddy(controle);
    return {controle, l};
}

} // namespace ui
