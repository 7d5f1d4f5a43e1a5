#include "ui/main/Vinculos.h"

#include "platform/Abort.h"
#include "platform/DataSet.h"
#include "platform/Dialogs.h"
#include "platform/Regional.h"

#include <QAbstractButton>
#include <QButtonGroup>
#include <QCalendarWidget>
#include <QCheckBox>
#include <QComboBox>
#include <QDateEdit>
#include <QLineEdit>

namespace ui {

namespace {
// The date entry has no empty state of its own: its lowest date stands for an empty field.
const QDate dataVazia(1899, 12, 30);
} // namespace

Vinculos::Vinculos(platform::DataSet& dataSet, QObject* parent) : QObject(parent), m_dataSet(dataSet) {}

platform::Field* Vinculos::campo(const QString& nome) const {
    return m_dataSet.findField(nome);
}

void Vinculos::atualiza() {
    m_lendo = true;
    for (const auto& leitura : m_leituras)
        leitura();
    m_lendo = false;
}

void Vinculos::grava(const QString& nome, const std::function<void(platform::Field&)>& acao) {
    if (m_lendo)
        return;
    platform::Field* f = campo(nome);
    try {
        if (!f || !m_dataSet.active())
            throw std::runtime_error("Nenhuma configuração aberta.");
        if (!m_dataSet.editing())
            m_dataSet.edit();
        acao(*f);
    } catch (const platform::SilentAbort&) {
    } catch (const std::exception& e) {
        platform::dialogs().error(QString::fromUtf8(e.what()));
    }
    atualiza();
}

void Vinculos::texto(QLineEdit* edit, const QString& nome) {
    if (platform::Field* f = campo(nome); f && f->size() > 0)
        edit->setMaxLength(f->size());
    m_leituras.push_back([this, edit, nome] {
        platform::Field* f = campo(nome);
        edit->setText(f && m_dataSet.active() ? f->displayText() : QString());
        edit->setCursorPosition(0);
    });
    connect(edit, &QLineEdit::editingFinished, this, [this, edit, nome] {
        platform::Field* f = campo(nome);
        if (edit->isReadOnly() || !f || (m_dataSet.active() && edit->text() == f->displayText()))
            return;
        const QString texto = edit->text();
        grava(nome, [&texto](platform::Field& c) { c.setText(texto); });
    });
}

void Vinculos::digitos(QLineEdit* edit, const QString& nome, const QString& mascara) {
    edit->setInputMask(mascara);
    m_leituras.push_back([this, edit, nome] {
        platform::Field* f = campo(nome);
        edit->setText(f && m_dataSet.active() ? f->displayText() : QString());
    });
    connect(edit, &QLineEdit::editingFinished, this, [this, edit, nome] {
        QString soDigitos;
        for (const QChar c : edit->text())
            if (c.isDigit())
                soDigitos += c;
        platform::Field* f = campo(nome);
        if (!f || (m_dataSet.active() && soDigitos == f->asString()))
            return;
        grava(nome, [&soDigitos](platform::Field& c) { c.setText(soDigitos); });
    });
}

void Vinculos::data(QDateEdit* edit, const QString& nome) {
    edit->setCalendarPopup(true);
    edit->setDisplayFormat(QStringLiteral("dd/MM/yyyy"));
    edit->setMinimumDate(dataVazia);
    edit->setSpecialValueText(QStringLiteral(" "));
    m_leituras.push_back([this, edit, nome] {
        platform::Field* f = campo(nome);
        const QDate d = f && m_dataSet.active() ? f->asDateTime().date() : QDate();
        edit->setDate(d.isValid() ? d : dataVazia);
    });
    // Stored when the entry is left or a day is picked in the calendar, not at every keystroke.
    auto guarda = [this, edit, nome] {
        const QDate d = edit->date();
        platform::Field* f = campo(nome);
        const QDate atual = f && m_dataSet.active() ? f->asDateTime().date() : QDate();
        if ((d == dataVazia && !atual.isValid()) || d == atual)
            return;
        grava(nome, [d](platform::Field& c) {
            if (d == dataVazia)
                c.clear();
            else
                c.setValue(QDateTime(d, QTime(0, 0)));
        });
    };
    connect(edit, &QDateEdit::editingFinished, this, guarda);
    // Queued: the entry takes the picked day only after the calendar has signalled.
    connect(edit->calendarWidget(), &QCalendarWidget::clicked, this, guarda, Qt::QueuedConnection);
}

void Vinculos::lista(QComboBox* combo, const QString& nome, const QStringList& itens) {
    combo->addItems(itens);
    // The placeholder carries a stored text that is no item; it must not look disabled.
    QPalette paleta = combo->palette();
    paleta.setColor(QPalette::PlaceholderText, paleta.color(QPalette::Text));
    combo->setPalette(paleta);
    m_leituras.push_back([this, combo, nome] {
        platform::Field* f = campo(nome);
        const QString exibido = f && m_dataSet.active() ? f->displayText() : QString();
        // A stored code whose display text is not an item of the list (a few differ in spacing)
        // still shows its text.
        combo->setPlaceholderText(exibido);
        combo->setCurrentIndex(combo->findText(exibido));
    });
    connect(combo, &QComboBox::activated, this, [this, combo, nome](int indice) {
        const QString item = combo->itemText(indice);
        grava(nome, [&item](platform::Field& c) { c.setText(item); });
    });
}

void Vinculos::marca(QCheckBox* caixa, const QString& nome) {
    m_leituras.push_back([this, caixa, nome] {
        platform::Field* f = campo(nome);
        caixa->setChecked(f && m_dataSet.active() && !f->isNull() && f->asInteger() == -1);
    });
    connect(caixa, &QCheckBox::toggled, this, [this, nome](bool marcada) {
        grava(nome, [marcada](platform::Field& c) { c.setValue(marcada ? -1 : 0); });
    });
}

void Vinculos::opcoes(QButtonGroup* grupo, const QString& nome, const QStringList& itens) {
    grupo->setExclusive(false);
    m_leituras.push_back([this, grupo, nome, itens] {
        platform::Field* f = campo(nome);
        const QString exibido = f && m_dataSet.active() ? f->displayText() : QString();
        for (QAbstractButton* b : grupo->buttons())
            b->setChecked(itens.value(grupo->id(b)) == exibido);
    });
    connect(grupo, &QButtonGroup::idClicked, this, [this, nome, itens](int id) {
        const QString item = itens.value(id);
        grava(nome, [&item](platform::Field& c) { c.setText(item); });
    });
}

void Vinculos::valor(QLineEdit* edit, const QString& nome, const QString& formato) {
    edit->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    m_leituras.push_back([this, edit, nome, formato] {
        platform::Field* f = campo(nome);
        if (!f || !m_dataSet.active() || f->isNull())
            edit->clear();
        else
            edit->setText(platform::regional::formatFloat(formato, f->asFloat()));
    });
    connect(edit, &QLineEdit::editingFinished, this, [this, edit, nome, formato] {
        platform::Field* f = campo(nome);
        if (!f || (m_dataSet.active() && !f->isNull() &&
                   edit->text() == platform::regional::formatFloat(formato, f->asFloat())))
            return;
        QString texto = edit->text().trimmed();
        texto.remove(platform::regional::thousandSeparator);
        if (texto.isEmpty()) {
            grava(nome, [](platform::Field& c) { c.clear(); });
            return;
        }
        const std::optional<double> numero = platform::regional::parseFloat(texto);
        grava(nome, [&](platform::Field& c) {
            if (!numero)
                throw std::runtime_error(
                    QStringLiteral("'%1' não é um valor válido.").arg(edit->text()).toStdString());
            c.setValue(*numero);
        });
    });
}

} // namespace ui
