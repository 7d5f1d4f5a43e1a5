#pragma once

#include <QDateTime>
#include <QString>
#include <QStringList>
#include <QVariant>
#include <QVector>
#include <functional>
#include <memory>
#include <vector>

namespace platform {

enum class FieldType { String, FixedChar, SmallInt, Integer, LargeInt, Float, Date, DateTime, Time, Boolean };

enum class DataSetState { Inactive, Browse, Edit, Insert };

class DataSet;
class DataSetNotifier;

struct FieldDef {
    QString name;
    FieldType type = FieldType::String;
    int size = 0; // characters of a text field; 0 = unlimited
    bool visible = true;
    int tag = 0; // free use: the record tables keep the rendering class here
    bool required = false;
    bool readOnly = false;
    QString displayLabel;
    int displayWidth = 0;
    bool calculated = false; // value comes from `lookup`, never stored
    bool automatic = false;  // made from a result column at opening, dropped at the next opening
};

// Invalid QVariant is null: never assigned, or NULL from the database. Null is distinct from
// an empty text.
class Field {
public:
    using GetTextHandler = std::function<QString(const Field&, const QVariant& value)>;
    using SetTextHandler = std::function<void(Field&, const QString& text)>;
    using ChangeHandler = std::function<void(Field&)>;
    using LookupHandler = std::function<QVariant(const DataSet&)>;

    Field(DataSet& owner, int index, FieldDef def) : m_owner(&owner), m_index(index), m_def(std::move(def)) {}

    const QString& name() const { return m_def.name; }
    FieldType type() const { return m_def.type; }
    int size() const { return m_def.size; }
    bool visible() const { return m_def.visible; }
    void setVisible(bool v) { m_def.visible = v; }
    int tag() const { return m_def.tag; }
    void setTag(int t) { m_def.tag = t; }
    bool required() const { return m_def.required; }
    bool readOnly() const { return m_def.readOnly; }
    bool calculated() const { return m_def.calculated; }
    QString displayLabel() const { return m_def.displayLabel.isEmpty() ? m_def.name : m_def.displayLabel; }
    void setDisplayLabel(const QString& label) { m_def.displayLabel = label; }
    int displayWidth() const { return m_def.displayWidth; }
    const FieldDef& def() const { return m_def; }
    int index() const { return m_index; }
    DataSet& dataSet() const { return *m_owner; }
    bool isText() const { return m_def.type == FieldType::String || m_def.type == FieldType::FixedChar; }
    bool isInteger() const {
        return m_def.type == FieldType::SmallInt || m_def.type == FieldType::Integer ||
               m_def.type == FieldType::LargeInt;
    }

    // Value of the current row (the edit buffer while editing or inserting).
    QVariant value() const;
    bool isNull() const;
    QString asString() const;     // null -> ""
    qint64 asInteger() const;     // null -> 0; text that is no integer throws std::invalid_argument
    double asFloat() const;       // null -> 0
    QDateTime asDateTime() const; // null -> invalid

    // Converts to the field's type (texts cut to size, dates read day first), stores into the
    // edit buffer and fires onChange. Requires edit or insert state.
    void setValue(const QVariant& value);
    void setAsString(const QString& text) { setValue(text); }
    void clear() { setValue(QVariant()); }

    // Display text: the onGetText handler when there is one, else asString.
    QString displayText() const { return displayTextOf(value()); }
    QString displayTextOf(const QVariant& value) const;
    // Storing text: the onSetText handler when there is one, else setAsString.
    void setText(const QString& text);

    // Converts a value to this field's type without storing it; throws std::invalid_argument.
    QVariant convert(const QVariant& value) const;
    static QString textOf(FieldType type, const QVariant& value);

    GetTextHandler onGetText;
    SetTextHandler onSetText;
    ChangeHandler onChange;
    LookupHandler lookup;
    // Applied by setValue to the value as given, before it is converted and cut to size: a
    // field whose stored form drops characters (a CPF kept without its punctuation) must drop
    // them before the cut, or the cut eats digits.
    std::function<QVariant(const QVariant&)> beforeStore;

private:
    DataSet* m_owner;
    int m_index;
    FieldDef m_def;
};

using Row = QVector<QVariant>;

// Rows of one table repeat the same short texts (a record code, "D" or "C", the code of the
// company): a text equal to the one in the same column of `previous` takes that copy, so the
// table keeps one text where it would keep one per row.
void shareRepeatedTexts(Row& row, const Row& previous);

// Rows in memory with a current position, the states browse/edit/insert and the events the
// system hangs its rules on. Query and MemTable build on it; a filter and a sort order shape
// the visible rows ("the view").
class DataSet {
public:
    using Event = std::function<void(DataSet&)>;

    explicit DataSet(QString name = {});
    virtual ~DataSet();
    DataSet(const DataSet&) = delete;
    DataSet& operator=(const DataSet&) = delete;

    const QString& name() const { return m_name; }
    void setName(const QString& name) { m_name = name; }

    // Structure. Fields defined before opening are kept ("persistent fields").
    Field& addField(const FieldDef& def);
    void removeAutomaticFields();
    int fieldCount() const { return static_cast<int>(m_fields.size()); }
    Field& field(int index) const { return *m_fields.at(index); }
    Field* findField(const QString& name) const;   // case-insensitive
    Field& fieldByName(const QString& name) const; // throws std::invalid_argument
    QList<Field*> fields() const;
    QList<Field*> visibleFields() const;

    // Lifecycle.
    void open();
    void close();
    bool active() const { return m_state != DataSetState::Inactive; }
    DataSetState state() const { return m_state; }
    bool editing() const { return m_state == DataSetState::Edit || m_state == DataSetState::Insert; }
    // A value was stored into the record being edited or inserted; the defaults of a new
    // record do not count, so a new record nobody touched can be dropped instead of stored.
    bool modified() const { return m_modified; }

    // Navigation over the view.
    int recordCount() const { return static_cast<int>(m_view.size()); }
    bool isEmpty() const { return m_view.empty(); }
    int recNo() const { return m_pos; } // 0-based, -1 when empty
    bool eof() const { return m_eof; }
    bool bof() const { return m_bof; }
    void first();
    void last();
    virtual void next();
    void prior();
    void moveTo(int viewRow);
    // Value of any row of the view, for grids and reports; the current record stays where it
    // is and no event fires. A lookup field is computed as if the row were current.
    QVariant valueAt(int viewRow, int fieldIndex) const;

    // Editing.
    void append();
    void edit();
    void post();
    void cancel();
    void remove();
    void checkBrowseOrEdit() const;

    // Events, named as the system's handlers hang on them. Views subscribe to notifier().
    Event beforeOpen, afterOpen, beforeClose, onNewRecord, beforePost, afterPost, beforeDelete, afterDelete,
        afterScroll, afterCancel;
    DataSetNotifier& notifier() const { return *m_notifier; }

    // Internal access for Field.
    QVariant currentValue(int fieldIndex) const;
    void storeValue(int fieldIndex, const QVariant& value);

protected:
    // Subclasses fill fields and rows (m_rows) here; the base then builds the view.
    virtual void doOpen() {}
    virtual void doClose() {}
    // Makes a post durable before it enters the rows (a Query runs its update statements and
    // may re-read the row into `row`). Throwing leaves the dataset in edit or insert state.
    virtual void doPost(Row& row, const Row* oldRow) {
        (void)row;
        (void)oldRow;
    }
    virtual void doDelete(const Row& row) { (void)row; }

    // View control for subclasses (filter and sort order).
    virtual bool rowVisible(const Row& row) const {
        (void)row;
        return true;
    }
    virtual bool rowLess(const Row& a, const Row& b) const {
        (void)a;
        (void)b;
        return false;
    }
    virtual bool ordered() const { return false; }
    void rebuildView(int keepRowIndex = -1);
    Row& currentRow();
    const Row* currentRowPtr() const;
    void setActiveState() { m_state = DataSetState::Browse; }
    void setEof(bool eof) { m_eof = eof; }
    void scrolled();
    // For subclasses that rebuilt the view as a whole (filter, sort order, emptied).
    void notifyRefiltered();
    // Puts rows stored already (by the subclass, outside post) at the end, as the posts of new
    // records would have, with one notification for all of them; the last becomes current.
    void appendStored(std::vector<Row> rows);

    std::vector<Row> m_rows;
    std::vector<int> m_view; // indices into m_rows
    int m_pos = -1;

private:
    Row emptyRow() const;
    void notifyViewChange(const std::vector<int>& before, int rowIndex, int oldPos);

    QString m_name;
    std::vector<std::unique_ptr<Field>> m_fields;
    DataSetState m_state = DataSetState::Inactive;
    Row m_buffer;
    bool m_eof = true;
    bool m_bof = true;
    bool m_modified = false;
    mutable int m_peek = -1; // row a lookup reads through valueAt, -1: the current one
    std::unique_ptr<DataSetNotifier> m_notifier;
};

} // namespace platform
