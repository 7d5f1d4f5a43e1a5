#include "platform/qt/FieldBinding.h"

#include "platform/DataSetModel.h"
#include "platform/DataSetNotifier.h"
#include "platform/Dialogs.h"
#include "platform/Regional.h"

#include <QAbstractButton>
#include <QAbstractItemView>
#include <QButtonGroup>
#include <QCalendarWidget>
#include <QCheckBox>
#include <QComboBox>
#include <QDateEdit>
#include <QEvent>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>

#include <algorithm>
#include <optional>

namespace platform {

namespace {

// Marks the binding's own changes, so the notifications they cause do not come back to it.
class Busy {
public:
    explicit Busy(bool& flag) : m_flag(flag), m_was(flag) { m_flag = true; }
    ~Busy() { m_flag = m_was; }
    Busy(const Busy&) = delete;
    Busy& operator=(const Busy&) = delete;

private:
    bool& m_flag;
    bool m_was;
};

} // namespace

FieldBinding::FieldBinding(QWidget* control, Field& field)
    : QObject(control), m_control(control), m_notifier(&field.dataSet().notifier()),
      m_fieldName(field.name()) {
    const DataSetNotifier* n = m_notifier;
    auto follow = [this] {
        if (!m_busy)
            refresh();
    };
    connect(n, &DataSetNotifier::opened, this, follow);
    connect(n, &DataSetNotifier::closed, this, follow);
    connect(n, &DataSetNotifier::refiltered, this, follow);
    connect(n, &DataSetNotifier::rowInserted, this, follow);
    connect(n, &DataSetNotifier::rowRemoved, this, follow);
    connect(n, &DataSetNotifier::currentMoved, this, follow);
    connect(n, &DataSetNotifier::rowChanged, this, [this](int row) {
        if (!m_busy && m_notifier && row == m_notifier->dataSet().recNo())
            refresh();
    });
    // Entering edit changes no value; leaving it (post, cancel) and a new record do.
    connect(n, &DataSetNotifier::stateChanged, this, [this](DataSetState state) {
        if (!m_busy && state != DataSetState::Edit)
            refresh();
    });
    connect(n, &DataSetNotifier::fieldChanged, this, [this](int index) {
        const Field* f = this->field();
        // Text typed here and not yet stored outlives a change of another field.
        if (!m_busy && !(m_pending && (!f || f->index() != index)))
            refresh();
    });
    connect(n, &DataSetNotifier::updatingRecord, this, [this] { commit(); });
    connect(n, &QObject::destroyed, this, [this] { refresh(); });
}

DataSet* FieldBinding::dataSet() const {
    return m_notifier ? &m_notifier->dataSet() : nullptr;
}

Field* FieldBinding::field() const {
    const DataSet* ds = dataSet();
    return ds ? ds->findField(m_fieldName) : nullptr;
}

void FieldBinding::setReadOnly(bool readOnly) {
    m_readOnly = readOnly;
    applyReadOnly(!writable());
}

bool FieldBinding::writable() const {
    const DataSet* ds = dataSet();
    const Field* f = field();
    return !m_readOnly && ds && ds->active() && f && !f->readOnly() && !f->calculated();
}

void FieldBinding::refresh() {
    m_pending = false;
    Busy busy(m_busy);
    const DataSet* ds = dataSet();
    show(ds && ds->active() ? field() : nullptr);
    applyReadOnly(!writable());
}

void FieldBinding::beginEdit() {
    DataSet& ds = *dataSet();
    if (!ds.editing())
        ds.edit();
}

void FieldBinding::storeNow() {
    Busy busy(m_busy);
    beginEdit();
    store(*field());
}

void FieldBinding::commit() {
    if (!m_pending || m_busy)
        return;
    if (!writable()) {
        refresh();
        return;
    }
    storeNow();
    refresh(); // the text as the field shows it now
}

void FieldBinding::userEdited() {
    if (m_busy)
        return;
    if (!writable()) {
        refresh();
        return;
    }
    m_pending = true;
    const bool ok = runReporting([this] {
        Busy busy(m_busy);
        beginEdit();
    });
    if (!ok)
        refresh();
}

void FieldBinding::userChanged() {
    if (m_busy)
        return;
    if (writable())
        runReporting([this] { storeNow(); });
    refresh();
}

namespace {

// What the entry showed last, so leaving it unchanged stores nothing and a text put in by a
// program (not typed) is stored as well as a typed one.
class EditBinding : public FieldBinding {
public:
    EditBinding(QLineEdit* edit, Field& field) : FieldBinding(edit, field), m_edit(edit) {
        if (field.size() > 0 && field.type() == FieldType::String)
            edit->setMaxLength(field.size());
        connect(edit, &QLineEdit::textEdited, this, [this] { userEdited(); });
        connect(edit, &QLineEdit::editingFinished, this, [this] { finished(); });
    }

protected:
    void show(const Field* field) override {
        m_shown = field ? shownText(*field) : QString();
        m_edit->setText(m_shown);
        // A long name shows its beginning, not its end.
        m_edit->setCursorPosition(0);
    }
    void store(Field& field) override { field.setText(m_edit->text()); }
    void applyReadOnly(bool readOnly) override { m_edit->setReadOnly(readOnly); }

    virtual QString shownText(const Field& field) const { return field.displayText(); }
    virtual void finished() {
        if (!pending() && m_edit->text() != m_shown)
            userEdited();
        runReporting([this] { commit(); });
    }

    QLineEdit* m_edit;
    QString m_shown;
};

class DigitsBinding final : public EditBinding {
public:
    DigitsBinding(QLineEdit* edit, Field& field, const QString& mask) : EditBinding(edit, field) {
        edit->setMaxLength(32767);
        edit->setInputMask(mask);
    }

protected:
    void store(Field& field) override { field.setText(digits()); }
    void finished() override {
        const Field* f = field();
        if (!pending() && f && digits() != f->asString())
            userEdited();
        runReporting([this] { commit(); });
    }

private:
    QString digits() const {
        QString only;
        for (const QChar c : m_edit->text())
            if (c.isDigit())
                only += c;
        return only;
    }
};

class AmountBinding final : public EditBinding {
public:
    AmountBinding(QLineEdit* edit, Field& field, QString picture)
        : EditBinding(edit, field), m_picture(std::move(picture)) {
        edit->setMaxLength(32767);
        edit->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    }

protected:
    QString shownText(const Field& field) const override {
        return field.isNull() ? QString() : regional::formatFloat(m_picture, field.asFloat());
    }
    void store(Field& field) override {
        QString text = m_edit->text().trimmed();
        text.remove(regional::thousandSeparator);
        if (text.isEmpty()) {
            field.clear();
            return;
        }
        const std::optional<double> number = regional::parseFloat(text);
        if (!number)
            throw std::runtime_error(
                QStringLiteral("'%1' não é um valor válido.").arg(m_edit->text()).toStdString());
        field.setValue(*number);
    }
    void finished() override {
        if (!pending() && m_edit->text() != m_shown)
            userEdited();
        // An amount that cannot be read leaves the stored one in view.
        if (!runReporting([this] { commit(); }))
            refresh();
    }

private:
    QString m_picture;
};

class LabelBinding final : public FieldBinding {
public:
    LabelBinding(QLabel* label, Field& field) : FieldBinding(label, field), m_label(label) {}

protected:
    void show(const Field* field) override { m_label->setText(field ? field->displayText() : QString()); }
    void store(Field&) override {}
    void applyReadOnly(bool) override {}

private:
    QLabel* m_label;
};

// The entry cannot be empty, so its lowest date stands for null and shows a blank text.
// A date as the user types it: 01012025, 010125, 01/01/2025 or 1/1/25 (two-digit years by the
// regional window); nothing for an empty or impossible text.
std::optional<QDate> dataDigitada(const QString& texto) {
    const QString t = texto.trimmed();
    bool soDigitos = !t.isEmpty();
    for (const QChar c : t)
        soDigitos = soDigitos && c.isDigit();
    if (soDigitos && (t.size() == 8 || t.size() == 6))
        return regional::parseDate(t.left(2) + QLatin1Char('/') + t.mid(2, 2) + QLatin1Char('/') + t.mid(4));
    return t.isEmpty() ? std::nullopt : regional::parseDate(t);
}

// The date entry of the pages: its text is free while typed (digits and slashes) and read when
// the entry is left; its lowest date is the empty entry.
class EntradaData final : public QDateEdit {
public:
    explicit EntradaData(QWidget* parent) : QDateEdit(parent) { setMinimumDate(QDate(1899, 12, 30)); }

protected:
    QValidator::State validate(QString& text, int&) const override {
        if (text.size() > 10)
            return QValidator::Invalid;
        for (const QChar c : text)
            if (!c.isDigit() && c != QLatin1Char('/') && c != QLatin1Char(' '))
                return QValidator::Invalid;
        return dataDigitada(text) || text.trimmed().isEmpty() ? QValidator::Acceptable
                                                              : QValidator::Intermediate;
    }
    void fixup(QString&) const override {}
    QDateTime dateTimeFromText(const QString& text) const override {
        return QDateTime(dataDigitada(text).value_or(minimumDate()), QTime(0, 0));
    }
    QString textFromDateTime(const QDateTime& value) const override {
        return value.date() == minimumDate() ? QString() : regional::dateToText(value.date());
    }
};

class DateBinding final : public FieldBinding {
public:
    DateBinding(QDateEdit* edit, Field& field, std::function<QDate()> paginaVazia)
        : FieldBinding(edit, field), m_edit(edit), m_paginaVazia(std::move(paginaVazia)) {
        edit->setCalendarPopup(true);
        edit->setDisplayFormat(QStringLiteral("dd/MM/yyyy"));
        edit->setSpecialValueText(QStringLiteral(" "));
        connect(edit, &QDateEdit::editingFinished, this, [this] { finished(); });
        // Queued: the entry takes the picked day only after the calendar has signalled.
        connect(
            edit->calendarWidget(), &QCalendarWidget::clicked, this, [this] { finished(); },
            Qt::QueuedConnection);
        if (QLineEdit* text = edit->findChild<QLineEdit*>())
            text->installEventFilter(this);
        edit->installEventFilter(this);
        if (QCalendarWidget* calendar = edit->calendarWidget())
            calendar->installEventFilter(this);
    }

protected:
    void show(const Field* field) override {
        const QDate date = field && !field->isNull() ? field->asDateTime().date() : m_edit->minimumDate();
        m_shown = date;
        if (m_edit->date() != date)
            m_edit->setDate(date);
    }
    void store(Field& field) override {
        const QDate date = m_edit->date();
        field.setValue(date == m_edit->minimumDate() ? QVariant() : QVariant(date));
    }
    void applyReadOnly(bool readOnly) override { m_edit->setReadOnly(readOnly); }

    bool eventFilter(QObject* watched, QEvent* event) override {
        // A typed text is read before the entry would put its last date back over it.
        if (dynamic_cast<EntradaData*>(m_edit) && watched == m_edit && !m_edit->isReadOnly() &&
            (event->type() == QEvent::FocusOut ||
             (event->type() == QEvent::KeyPress && (static_cast<QKeyEvent*>(event)->key() == Qt::Key_Return ||
                                                    static_cast<QKeyEvent*>(event)->key() == Qt::Key_Enter))))
            leTexto();
        if (event->type() == QEvent::KeyPress && !m_edit->isReadOnly()) {
            const int key = static_cast<QKeyEvent*>(event)->key();
            const QLineEdit* text = m_edit->findChild<QLineEdit*>();
            if ((key == Qt::Key_Delete || key == Qt::Key_Backspace) && text &&
                text->selectedText() == text->text()) {
                m_edit->setDate(m_edit->minimumDate());
                finished();
                return true;
            }
        }
        // An empty entry opens its calendar on the month its caller suggests, else on today's,
        // not on the stand-in date.
        if (event->type() == QEvent::Show && watched == m_edit->calendarWidget() &&
            m_edit->date() == m_edit->minimumDate()) {
            const QDate sugerida = m_paginaVazia ? m_paginaVazia() : QDate();
            const QDate pagina = sugerida.isValid() ? sugerida : QDate::currentDate();
            m_edit->calendarWidget()->setCurrentPage(pagina.year(), pagina.month());
        }
        return FieldBinding::eventFilter(watched, event);
    }

private:
    void finished() {
        if (m_edit->date() != m_shown)
            userChanged();
    }

    void leTexto() {
        const QLineEdit* text = m_edit->findChild<QLineEdit*>();
        if (!text)
            return;
        const QString digitado = text->text().trimmed();
        const std::optional<QDate> data = dataDigitada(digitado);
        if (digitado.isEmpty()) {
            m_edit->setDate(m_edit->minimumDate());
        } else if (data && *data > m_edit->minimumDate()) {
            m_edit->setDate(*data);
        } else {
            m_edit->setDate(m_shown);
            dialogs().error(QStringLiteral("Data inválida: \"%1\".\rDigite a data como dd/mm/aaaa, por "
                                           "exemplo 01/01/2025, 01012025 ou 1/1/25.")
                                .arg(digitado));
            return;
        }
        finished();
    }

    QDateEdit* m_edit;
    std::function<QDate()> m_paginaVazia;
    QDate m_shown;
};

// A plain picker: a stored text that is no item shows as the placeholder, in the colour of
// ordinary text, so the entry never looks disabled while it holds a value.
class PickerBinding final : public FieldBinding {
public:
    PickerBinding(QComboBox* combo, Field& field, const QStringList& items)
        : FieldBinding(combo, field), m_combo(combo) {
        combo->clear();
        combo->addItems(items);
        QPalette palette = combo->palette();
        palette.setColor(QPalette::PlaceholderText, palette.color(QPalette::Text));
        combo->setPalette(palette);
        connect(combo, &QComboBox::activated, this, [this](int index) {
            m_chosen = index;
            userChanged();
        });
    }

protected:
    void show(const Field* field) override {
        const QString text = field ? field->displayText() : QString();
        m_combo->setPlaceholderText(text);
        m_combo->setCurrentIndex(m_combo->findText(text, Qt::MatchExactly));
    }
    void store(Field& field) override {
        if (m_chosen >= 0)
            field.setText(m_combo->itemText(m_chosen));
    }
    void applyReadOnly(bool readOnly) override { m_combo->setEnabled(!readOnly); }

private:
    QComboBox* m_combo;
    int m_chosen = -1;
};

class CheckBinding final : public FieldBinding {
public:
    CheckBinding(QCheckBox* box, Field& field, QVariant checkedValue, QVariant uncheckedValue)
        : FieldBinding(box, field), m_box(box), m_checked(std::move(checkedValue)),
          m_unchecked(std::move(uncheckedValue)) {
        connect(box, &QCheckBox::toggled, this, [this] { userChanged(); });
    }

protected:
    void show(const Field* field) override { m_box->setChecked(field && isChecked(*field)); }
    void store(Field& field) override { field.setValue(m_box->isChecked() ? m_checked : m_unchecked); }
    void applyReadOnly(bool readOnly) override { m_box->setEnabled(!readOnly); }

private:
    bool isChecked(const Field& field) const {
        if (field.isNull())
            return false;
        try {
            return field.value() == field.convert(m_checked);
        } catch (const std::invalid_argument&) {
            return false;
        }
    }

    QCheckBox* m_box;
    QVariant m_checked;
    QVariant m_unchecked;
};

// Not exclusive: a stored text that is no item leaves every button cleared.
class OptionsBinding final : public FieldBinding {
public:
    OptionsBinding(QWidget* box, QButtonGroup* group, Field& field, QStringList items)
        : FieldBinding(box, field), m_group(group), m_items(std::move(items)) {
        group->setExclusive(false);
        connect(group, &QButtonGroup::idClicked, this, [this](int id) {
            m_chosen = id;
            userChanged();
        });
    }

protected:
    void show(const Field* field) override {
        const QString text = field ? field->displayText() : QString();
        for (QAbstractButton* b : m_group->buttons())
            b->setChecked(field && m_items.value(m_group->id(b)) == text);
    }
    void store(Field& field) override {
        if (m_chosen >= 0 && m_chosen < m_items.size())
            field.setText(m_items.value(m_chosen));
    }
    void applyReadOnly(bool readOnly) override {
        for (QAbstractButton* b : m_group->buttons())
            b->setEnabled(!readOnly);
    }

private:
    QButtonGroup* m_group;
    QStringList m_items;
    int m_chosen = -1;
};

class GridBinding final : public QObject {
public:
    GridBinding(QAbstractItemView* view, DataSetModel* model)
        : QObject(view), m_view(view), m_model(model), m_notifier(&model->dataSet().notifier()) {
        if (view->model() != model)
            view->setModel(model);
        connect(m_notifier, &DataSetNotifier::currentMoved, this, &GridBinding::follow);
        connect(m_notifier, &DataSetNotifier::stateChanged, this, &GridBinding::follow);
        connect(view->selectionModel(), &QItemSelectionModel::currentRowChanged, this,
                [this](const QModelIndex& current) { picked(current.row()); });
        follow();
    }

private:
    void follow() {
        if (m_busy || !m_notifier)
            return;
        Busy busy(m_busy);
        const DataSet& ds = m_notifier->dataSet();
        const int row = m_model->linhaNova() >= 0 ? m_model->linhaNova() : ds.active() ? ds.recNo() : -1;
        if (row < 0 || row >= m_model->rowCount()) {
            m_view->selectionModel()->clearCurrentIndex();
            return;
        }
        const int column = std::max(m_view->currentIndex().column(), 0);
        m_view->setCurrentIndex(m_model->index(row, column));
    }

    void picked(int row) {
        if (m_busy || !m_notifier || row < 0 || m_model->changing())
            return;
        DataSet& ds = m_notifier->dataSet();
        const int nova = m_model->linhaNova();
        if (!ds.active() || row == nova || (nova < 0 && row == ds.recNo()))
            return;
        bool ok = false;
        {
            Busy busy(m_busy);
            ok = runReporting([&] {
                // A new row nobody typed into is dropped on leaving it, as grids of records do,
                // instead of storing an empty record; in a grid that stores each cell at once
                // nothing typed can be waiting in it either.
                if (nova >= 0 && (m_model->gravaCadaCelula() || !ds.modified()))
                    ds.cancel();
                ds.moveTo(row);
            });
        }
        // A refused move (a post that failed) puts the grid back on the current record, once the
        // view has finished changing its own.
        if (!ok)
            QMetaObject::invokeMethod(
                this, [this] { follow(); }, Qt::QueuedConnection);
    }

    QAbstractItemView* m_view;
    DataSetModel* m_model;
    QPointer<DataSetNotifier> m_notifier;
    bool m_busy = false;
};

template <class Binding, class... Args> FieldBinding* bind(Args&&... args) {
    auto* binding = new Binding(std::forward<Args>(args)...);
    binding->refresh();
    return binding;
}

} // namespace

FieldBinding* bindEdit(QLineEdit* edit, Field& field) {
    return bind<EditBinding>(edit, field);
}

FieldBinding* bindDigits(QLineEdit* edit, Field& field, const QString& inputMask) {
    return bind<DigitsBinding>(edit, field, inputMask);
}

FieldBinding* bindAmount(QLineEdit* edit, Field& field, const QString& picture) {
    return bind<AmountBinding>(edit, field, picture);
}

FieldBinding* bindLabel(QLabel* label, Field& field) {
    return bind<LabelBinding>(label, field);
}

FieldBinding* bindOptions(QWidget* box, QButtonGroup* group, Field& field, const QStringList& items) {
    return bind<OptionsBinding>(box, group, field, items);
}

QDateEdit* createDateEdit(QWidget* parent) {
    return new EntradaData(parent);
}

FieldBinding* bindDate(QDateEdit* edit, Field& field, std::function<QDate()> paginaVazia) {
    return platform::bind<DateBinding>(edit, field, std::move(paginaVazia));
}

FieldBinding* bindPicker(QComboBox* combo, Field& field, const QStringList& items) {
    return bind<PickerBinding>(combo, field, items);
}

FieldBinding* bindCheck(QCheckBox* box, Field& field, const QVariant& checkedValue,
                        const QVariant& uncheckedValue) {
    return bind<CheckBinding>(box, field, checkedValue, uncheckedValue);
}

QObject* bindGrid(QAbstractItemView* view, DataSetModel* model) {
    return new GridBinding(view, model);
}

} // namespace platform
