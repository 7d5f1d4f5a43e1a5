#include "platform/qt/FieldBinding.h"

#include "platform/DataSetModel.h"
#include "platform/DataSetNotifier.h"
#include "platform/Dialogs.h"

#include <QAbstractItemView>
#include <QCalendarWidget>
#include <QCheckBox>
#include <QComboBox>
#include <QDateEdit>
#include <QEvent>
#include <QKeyEvent>
#include <QLineEdit>

#include <algorithm>

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

class EditBinding final : public FieldBinding {
public:
    EditBinding(QLineEdit* edit, Field& field) : FieldBinding(edit, field), m_edit(edit) {
        connect(edit, &QLineEdit::textEdited, this, [this] { userEdited(); });
        connect(edit, &QLineEdit::editingFinished, this, [this] { runReporting([this] { commit(); }); });
    }

protected:
    void show(const Field* field) override { m_edit->setText(field ? field->displayText() : QString()); }
    void store(Field& field) override { field.setText(m_edit->text()); }
    void applyReadOnly(bool readOnly) override { m_edit->setReadOnly(readOnly); }

private:
    QLineEdit* m_edit;
};

// The entry cannot be empty, so its lowest date stands for null and shows a blank text.
class DateBinding final : public FieldBinding {
public:
    DateBinding(QDateEdit* edit, Field& field) : FieldBinding(edit, field), m_edit(edit) {
        edit->setCalendarPopup(true);
        edit->setSpecialValueText(QStringLiteral(" "));
        connect(edit, &QDateEdit::dateChanged, this, [this] { userChanged(); });
        if (QLineEdit* text = edit->findChild<QLineEdit*>())
            text->installEventFilter(this);
        edit->installEventFilter(this);
        if (QCalendarWidget* calendar = edit->calendarWidget())
            calendar->installEventFilter(this);
    }

protected:
    void show(const Field* field) override {
        const QDate date = field && !field->isNull() ? field->asDateTime().date() : m_edit->minimumDate();
        if (m_edit->date() != date)
            m_edit->setDate(date);
    }
    void store(Field& field) override {
        const QDate date = m_edit->date();
        field.setValue(date == m_edit->minimumDate() ? QVariant() : QVariant(date));
    }
    void applyReadOnly(bool readOnly) override { m_edit->setReadOnly(readOnly); }

    bool eventFilter(QObject* watched, QEvent* event) override {
        if (event->type() == QEvent::KeyPress && !m_edit->isReadOnly()) {
            const int key = static_cast<QKeyEvent*>(event)->key();
            const QLineEdit* text = m_edit->findChild<QLineEdit*>();
            if ((key == Qt::Key_Delete || key == Qt::Key_Backspace) && text &&
                text->selectedText() == text->text()) {
                m_edit->setDate(m_edit->minimumDate());
                return true;
            }
        }
        // An empty entry opens its calendar on today's month, not on the stand-in date.
        if (event->type() == QEvent::Show && watched == m_edit->calendarWidget() &&
            m_edit->date() == m_edit->minimumDate()) {
            const QDate today = QDate::currentDate();
            m_edit->calendarWidget()->setCurrentPage(today.year(), today.month());
        }
        return FieldBinding::eventFilter(watched, event);
    }

private:
    QDateEdit* m_edit;
};

// An editable entry that takes no typing: it can show a display text that is no list item.
class PickerBinding final : public FieldBinding {
public:
    PickerBinding(QComboBox* combo, Field& field, const QStringList& items)
        : FieldBinding(combo, field), m_combo(combo) {
        combo->clear();
        combo->setEditable(true);
        combo->setInsertPolicy(QComboBox::NoInsert);
        combo->addItems(items);
        combo->lineEdit()->setReadOnly(true);
        combo->lineEdit()->installEventFilter(this);
        connect(combo, &QComboBox::activated, this, [this](int index) {
            m_chosen = index;
            userChanged();
        });
    }

protected:
    void show(const Field* field) override {
        const QString text = field ? field->displayText() : QString();
        const int index = m_combo->findText(text, Qt::MatchExactly);
        m_combo->setCurrentIndex(index);
        if (index < 0)
            m_combo->setEditText(text);
    }
    void store(Field& field) override {
        if (m_chosen >= 0)
            field.setText(m_combo->itemText(m_chosen));
    }
    void applyReadOnly(bool readOnly) override { m_combo->setEnabled(!readOnly); }

    bool eventFilter(QObject* watched, QEvent* event) override {
        if (watched == m_combo->lineEdit() && event->type() == QEvent::MouseButtonPress &&
            m_combo->isEnabled()) {
            m_combo->showPopup();
            return true;
        }
        return FieldBinding::eventFilter(watched, event);
    }

private:
    QComboBox* m_combo;
    int m_chosen = -1;
};

class CheckBinding final : public FieldBinding {
public:
    CheckBinding(QCheckBox* box, Field& field, QVariant checkedValue, QVariant uncheckedValue)
        : FieldBinding(box, field), m_box(box), m_checked(std::move(checkedValue)),
          m_unchecked(std::move(uncheckedValue)) {
        connect(box, &QCheckBox::clicked, this, [this] { userChanged(); });
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

class GridBinding final : public QObject {
public:
    GridBinding(QAbstractItemView* view, DataSetModel* model)
        : QObject(view), m_view(view), m_model(model), m_notifier(&model->dataSet().notifier()) {
        if (view->model() != model)
            view->setModel(model);
        connect(m_notifier, &DataSetNotifier::currentMoved, this, &GridBinding::follow);
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
        const int row = ds.active() ? ds.recNo() : -1;
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
        if (!ds.active() || row == ds.recNo())
            return;
        bool ok = false;
        {
            Busy busy(m_busy);
            ok = runReporting([&] { ds.moveTo(row); });
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

FieldBinding* bindDate(QDateEdit* edit, Field& field) {
    return bind<DateBinding>(edit, field);
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
