#pragma once

#include "platform/DataSet.h"

#include <QDate>
#include <QObject>
#include <QPointer>
#include <QStringList>
#include <QVariant>

#include <functional>

class QAbstractItemView;
class QButtonGroup;
class QCheckBox;
class QComboBox;
class QDateEdit;
class QLabel;
class QLineEdit;
class QWidget;

namespace platform {

class DataSetModel;
class DataSetNotifier;

// Ties one control to one field of a dataset: the control shows the field's display text (or
// date, or ticked state) of the current record and follows the dataset's notifications; what
// the user enters is stored through the field (Field::setText, or setValue for dates and check
// boxes), putting the dataset into edit when it was browsing. The binding is a child of the
// control and dies with it. The field is found again by name at each use, so a query that
// rebuilt its fields at reopening stays bound.
//
// Errors of storing a value the user entered (a text the field refuses, a handler that aborts)
// are shown through Dialogs and the control shows the field again; typed text still waiting in a
// line edit is stored when the dataset posts, and an error then goes to whoever called post().
class FieldBinding : public QObject {
public:
    FieldBinding(QWidget* control, Field& field);

    // Null once the dataset is gone.
    DataSet* dataSet() const;
    // The bound field of the dataset now; null when the dataset is gone or has no such field.
    Field* field() const;
    const QString& fieldName() const { return m_fieldName; }
    QWidget* control() const { return m_control; }

    // Read only by the page's choice; the control is read only as well while the dataset is
    // closed and when the field is read only or calculated.
    void setReadOnly(bool readOnly);
    bool readOnly() const { return m_readOnly; }

    // Shows the field's value of the current record, dropping typed text not yet stored.
    void refresh();
    // Stores typed text not yet stored; a post does this by itself. Throws what the field throws.
    void commit();
    bool pending() const { return m_pending; }

protected:
    // Puts the field's value (null field: nothing, the dataset is closed) into the control.
    virtual void show(const Field* field) = 0;
    // Stores the control's content into the field (the dataset is in edit or insert).
    virtual void store(Field& field) = 0;
    virtual void applyReadOnly(bool readOnly) = 0;

    // For the controls: the user changed the content. A line edit stores later (pending), the
    // others at once.
    void userEdited();
    void userChanged();
    // True while the binding itself changes the control or the dataset.
    bool busy() const { return m_busy; }

private:
    bool writable() const;
    void beginEdit();
    void storeNow();

    QWidget* m_control;
    QPointer<DataSetNotifier> m_notifier;
    QString m_fieldName;
    bool m_readOnly = false;
    bool m_pending = false;
    bool m_busy = false;
};

// A text entry: shows the display text, stores through the storing text handler when editing
// ends (Return, leaving the entry) or when the dataset posts. The entry takes no more characters
// than the field holds.
FieldBinding* bindEdit(QLineEdit* edit, Field& field);

// A masked entry (CNPJ) whose field keeps the digits only: the mask's literals are never stored.
FieldBinding* bindDigits(QLineEdit* edit, Field& field, const QString& inputMask);

// An amount shown with the picture (Brazilian separators, "###,###,##0.00"), a zero as 0,00 and
// null as an empty entry; read back with or without the thousands dots. A text that is no
// number is reported and the entry shows the stored amount again.
FieldBinding* bindAmount(QLineEdit* edit, Field& field, const QString& picture);

// A label that shows the field's display text (the code and name of the open parameter set).
FieldBinding* bindLabel(QLabel* label, Field& field);

// A date entry with its calendar button, dd/MM/yyyy. A null date shows as an empty entry; Delete
// or Backspace over the whole text empties it and stores null. A date is stored when the entry
// is left or a day is picked in the calendar, not at every keystroke of a date being typed.
// `paginaVazia` gives the day whose month the calendar of an empty entry opens on (today's when
// it is unset or gives an invalid date).
FieldBinding* bindDate(QDateEdit* edit, Field& field, std::function<QDate()> paginaVazia = {});
// The date entry of the pages for bindDate: typed as 01012025, 01/01/2025 or 1/1/25 and read when
// left (Return, another control); an impossible date is reported and the stored one shown again;
// an emptied entry stores null.
QDateEdit* createDateEdit(QWidget* parent);

// A picker: the list offers `items`; the entry shows the field's display text, which may differ
// from the item that stored it (then no item is current and the text shows in its place).
// Choosing an item stores its text through the field's storing handler (a field of width 1 keeps
// "1" of "1 - Cisão").
FieldBinding* bindPicker(QComboBox* combo, Field& field, const QStringList& items);

// A check box: ticked when the field holds `checkedValue`; ticking stores `checkedValue`,
// clearing stores `uncheckedValue` (-1 and 0 for the system's switches). Null shows cleared.
FieldBinding* bindCheck(QCheckBox* box, Field& field, const QVariant& checkedValue,
                        const QVariant& uncheckedValue);

// A radio group inside `box`: the button whose id is an item's position is checked when the
// field's display text is that item (none when it is no item); a click stores the item's text.
FieldBinding* bindOptions(QWidget* box, QButtonGroup* group, Field& field, const QStringList& items);

// A grid over the model of a dataset: the grid's current row follows the dataset's current
// record and a row the user picks becomes the current record. Sets the model on the view.
QObject* bindGrid(QAbstractItemView* view, DataSetModel* model);

} // namespace platform
