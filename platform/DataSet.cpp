#include "platform/DataSet.h"

#include "db/Value.h"

#include "platform/DataSetNotifier.h"
#include "platform/Regional.h"

#include <QScopeGuard>

#include <algorithm>
#include <cmath>
#include <stdexcept>

namespace platform {

namespace {

QString trimmed(const QString& text) {
    int b = 0, e = text.size();
    while (b < e && text.at(b).unicode() <= 0x20)
        ++b;
    while (e > b && text.at(e - 1).unicode() <= 0x20)
        --e;
    return text.mid(b, e - b);
}

bool isNumber(const QVariant& v) {
    switch (v.typeId()) {
    case QMetaType::Int:
    case QMetaType::UInt:
    case QMetaType::LongLong:
    case QMetaType::ULongLong:
    case QMetaType::Short:
    case QMetaType::UShort:
    case QMetaType::Double:
    case QMetaType::Float:
    case QMetaType::Bool:
        return true;
    default:
        return false;
    }
}

// The design's handler first, then the views; the views hear of a change that happened even
// when the handler throws.
template <class Handler, class Notify> void runThenNotify(Handler&& handler, Notify&& notify) {
    try {
        handler();
    } catch (...) {
        notify();
        throw;
    }
    notify();
}

[[noreturn]] void conversionError(const QString& text, const char* kind) {
    throw std::invalid_argument(
        QStringLiteral("'%1' is not a valid %2 value").arg(text, QLatin1String(kind)).toStdString());
}

} // namespace

// ---- Field ----

QVariant Field::value() const {
    if (m_def.calculated)
        return lookup ? lookup(*m_owner) : QVariant();
    return m_owner->currentValue(m_index);
}

bool Field::isNull() const {
    const QVariant v = value();
    return db::isNull(v);
}

QString Field::textOf(FieldType type, const QVariant& v) {
    if (db::isNull(v))
        return {};
    switch (type) {
    case FieldType::Float:
        return regional::formatFloatGeneral(v.toDouble());
    case FieldType::Date:
        return regional::dateToText(v.toDateTime().date());
    case FieldType::DateTime:
        return regional::dateTimeToText(v.toDateTime());
    case FieldType::Time:
        return v.toTime().toString(QStringLiteral("HH:mm:ss"));
    case FieldType::Boolean:
        return v.toBool() ? QStringLiteral("True") : QStringLiteral("False");
    default:
        break;
    }
    if (v.typeId() == QMetaType::Double)
        return regional::formatFloatGeneral(v.toDouble());
    if (v.typeId() == QMetaType::QDateTime)
        return regional::dateTimeToText(v.toDateTime());
    if (v.typeId() == QMetaType::QDate)
        return regional::dateToText(v.toDate());
    return v.toString();
}

QString Field::asString() const {
    return textOf(m_def.type, value());
}

qint64 Field::asInteger() const {
    const QVariant v = value();
    if (db::isNull(v))
        return 0;
    if (v.typeId() == QMetaType::Double)
        return static_cast<qint64>(std::llround(v.toDouble()));
    if (isNumber(v))
        return v.toLongLong();
    bool ok = false;
    const qint64 n = trimmed(v.toString()).toLongLong(&ok);
    if (!ok)
        conversionError(v.toString(), "integer");
    return n;
}

double Field::asFloat() const {
    const QVariant v = value();
    if (db::isNull(v))
        return 0.0;
    if (isNumber(v))
        return v.toDouble();
    const auto d = regional::parseFloat(v.toString());
    if (!d)
        conversionError(v.toString(), "floating point");
    return *d;
}

QDateTime Field::asDateTime() const {
    const QVariant v = value();
    if (db::isNull(v))
        return {};
    if (v.typeId() == QMetaType::QDateTime)
        return v.toDateTime();
    if (v.typeId() == QMetaType::QDate)
        return QDateTime(v.toDate(), QTime(0, 0));
    const auto d = regional::parseDateTime(v.toString());
    if (!d)
        conversionError(v.toString(), "date");
    return *d;
}

QVariant Field::convert(const QVariant& v) const {
    if (db::isNull(v))
        return {};
    switch (m_def.type) {
    case FieldType::String:
    case FieldType::FixedChar: {
        QString text = textOf(FieldType::String, v);
        if (m_def.size > 0 && text.size() > m_def.size)
            text.truncate(m_def.size);
        return text;
    }
    case FieldType::SmallInt:
    case FieldType::Integer:
    case FieldType::LargeInt: {
        qint64 n = 0;
        if (v.typeId() == QMetaType::Double)
            n = static_cast<qint64>(std::llround(v.toDouble()));
        else if (isNumber(v))
            n = v.toLongLong();
        else {
            bool ok = false;
            n = trimmed(v.toString()).toLongLong(&ok);
            if (!ok)
                conversionError(v.toString(), "integer");
        }
        if (m_def.type == FieldType::LargeInt)
            return QVariant::fromValue<qint64>(n);
        return QVariant::fromValue<int>(static_cast<int>(n));
    }
    case FieldType::Float: {
        if (isNumber(v))
            return v.toDouble();
        const auto d = regional::parseFloat(v.toString());
        if (!d)
            conversionError(v.toString(), "floating point");
        return *d;
    }
    case FieldType::Date:
    case FieldType::DateTime: {
        QDateTime dt;
        if (v.typeId() == QMetaType::QDateTime)
            dt = v.toDateTime();
        else if (v.typeId() == QMetaType::QDate)
            dt = QDateTime(v.toDate(), QTime(0, 0));
        else {
            const QString text = trimmed(v.toString());
            if (text.isEmpty())
                return {};
            const auto parsed = regional::parseDateTime(text);
            if (!parsed)
                conversionError(v.toString(), "date");
            dt = *parsed;
        }
        // Setting a time recomputes the offset from the time zone files: skipped when there is
        // nothing to change.
        if (m_def.type == FieldType::Date && dt.time() != QTime(0, 0))
            dt.setTime(QTime(0, 0));
        return dt;
    }
    case FieldType::Time:
        if (v.typeId() == QMetaType::QTime)
            return v;
        if (v.typeId() == QMetaType::QDateTime)
            return v.toDateTime().time();
        return QTime::fromString(trimmed(v.toString()), QStringLiteral("H:mm:ss"));
    case FieldType::Boolean:
        return v.toBool();
    }
    return v;
}

void Field::setValue(const QVariant& v) {
    if (m_def.calculated)
        throw std::logic_error(("Field '" + m_def.name + "' cannot be modified").toStdString());
    m_owner->storeValue(m_index, convert(beforeStore ? beforeStore(v) : v));
    runThenNotify(
        [this] {
            if (onChange)
                onChange(*this);
        },
        [this] { emit m_owner->notifier().fieldChanged(m_index); });
}

QString Field::displayTextOf(const QVariant& v) const {
    if (onGetText)
        return onGetText(*this, v);
    return textOf(m_def.type, v);
}

void Field::setText(const QString& text) {
    if (onSetText)
        onSetText(*this, text);
    else
        setAsString(text);
}

// ---- DataSet ----

DataSet::DataSet(QString name)
    : m_name(std::move(name)), m_notifier(std::make_unique<DataSetNotifier>(*this)) {}

DataSet::~DataSet() = default;

Field& DataSet::addField(const FieldDef& def) {
    if (active())
        throw std::logic_error(("Cannot add fields to the open dataset " + m_name).toStdString());
    m_fields.push_back(std::make_unique<Field>(*this, fieldCount(), def));
    return *m_fields.back();
}

void DataSet::removeAutomaticFields() {
    if (active())
        throw std::logic_error(("Cannot change the fields of the open dataset " + m_name).toStdString());
    std::erase_if(m_fields, [](const std::unique_ptr<Field>& f) { return f->def().automatic; });
}

Field* DataSet::findField(const QString& name) const {
    for (const auto& f : m_fields)
        if (f->name().compare(name, Qt::CaseInsensitive) == 0)
            return f.get();
    return nullptr;
}

Field& DataSet::fieldByName(const QString& name) const {
    if (Field* f = findField(name))
        return *f;
    throw std::invalid_argument((m_name + ": Field '" + name + "' not found").toStdString());
}

QList<Field*> DataSet::fields() const {
    QList<Field*> list;
    for (const auto& f : m_fields)
        list << f.get();
    return list;
}

QList<Field*> DataSet::visibleFields() const {
    QList<Field*> list;
    for (const auto& f : m_fields)
        if (f->visible())
            list << f.get();
    return list;
}

void DataSet::open() {
    if (active())
        return;
    if (beforeOpen)
        beforeOpen(*this);
    m_rows.clear();
    try {
        doOpen();
    } catch (...) {
        doClose();
        m_rows.clear();
        throw;
    }
    m_state = DataSetState::Browse;
    rebuildView();
    m_pos = m_view.empty() ? -1 : 0;
    m_eof = m_bof = m_view.empty();
    runThenNotify(
        [this] {
            if (afterOpen)
                afterOpen(*this);
        },
        [this] { emit m_notifier->opened(); });
    scrolled();
}

void DataSet::close() {
    if (!active())
        return;
    if (beforeClose)
        beforeClose(*this);
    doClose();
    m_state = DataSetState::Inactive;
    m_rows.clear();
    m_view.clear();
    m_buffer.clear();
    m_pos = -1;
    m_eof = m_bof = true;
    emit m_notifier->closed();
}

void DataSet::rebuildView(int keepRowIndex) {
    m_view.clear();
    m_view.reserve(m_rows.size());
    for (int i = 0; i < static_cast<int>(m_rows.size()); ++i)
        if (rowVisible(m_rows[i]))
            m_view.push_back(i);
    if (ordered())
        std::stable_sort(m_view.begin(), m_view.end(),
                         [this](int a, int b) { return rowLess(m_rows[a], m_rows[b]); });
    if (keepRowIndex >= 0) {
        const auto it = std::find(m_view.begin(), m_view.end(), keepRowIndex);
        m_pos = it != m_view.end() ? static_cast<int>(it - m_view.begin())
                                   : std::min<int>(std::max(m_pos, 0), static_cast<int>(m_view.size()) - 1);
    } else if (m_pos >= static_cast<int>(m_view.size())) {
        m_pos = static_cast<int>(m_view.size()) - 1;
    }
    if (m_view.empty())
        m_pos = -1;
}

void DataSet::checkBrowseOrEdit() const {
    if (!active())
        throw std::logic_error(
            ("Cannot perform this operation on a closed dataset: " + m_name).toStdString());
}

void DataSet::scrolled() {
    runThenNotify(
        [this] {
            if (afterScroll)
                afterScroll(*this);
        },
        [this] { emit m_notifier->currentMoved(m_pos); });
}

void DataSet::notifyRefiltered() {
    emit m_notifier->refiltered();
    emit m_notifier->currentMoved(m_pos);
}

void DataSet::appendStored(std::vector<Row> rows) {
    checkBrowseOrEdit();
    if (rows.empty())
        return;
    // As append: the row the user was editing is stored before another one becomes current.
    if (editing())
        post();
    const int first = static_cast<int>(m_view.size());
    const bool inOrder = !ordered() && m_view.size() == m_rows.size();
    bool allVisible = true;
    for (Row& row : rows) {
        row.resize(fieldCount());
        allVisible = allVisible && rowVisible(row);
        if (!m_rows.empty())
            shareRepeatedTexts(row, m_rows.back());
        m_rows.push_back(std::move(row));
    }
    const int last = static_cast<int>(m_rows.size()) - 1;
    const bool appended = inOrder && allVisible;
    if (appended) {
        for (int i = last - static_cast<int>(rows.size()) + 1; i <= last; ++i)
            m_view.push_back(i);
        m_pos = static_cast<int>(m_view.size()) - 1;
    } else {
        rebuildView(last);
    }
    m_eof = m_bof = m_view.empty();
    if (appended)
        emit m_notifier->rowsAppended(first, static_cast<int>(m_view.size()) - first);
    else
        emit m_notifier->refiltered();
    emit m_notifier->currentMoved(m_pos);
}

namespace {

// Whether `longer` is `shorter` with one entry more, at `extra`.
bool sameBut(const std::vector<int>& longer, const std::vector<int>& shorter, int extra) {
    if (longer.size() != shorter.size() + 1)
        return false;
    return std::equal(longer.begin(), longer.begin() + extra, shorter.begin()) &&
           std::equal(longer.begin() + extra + 1, longer.end(), shorter.begin() + extra);
}

} // namespace

// Tells the views what a post did to the view: the row `rowIndex` of m_rows came in (oldPos -1)
// or changed at oldPos. A row that moved within the sort order resets the views.
void DataSet::notifyViewChange(const std::vector<int>& before, int rowIndex, int oldPos) {
    const auto it = std::find(m_view.begin(), m_view.end(), rowIndex);
    const int pos = it == m_view.end() ? -1 : static_cast<int>(it - m_view.begin());
    if (oldPos < 0) {
        if (pos >= 0 && sameBut(m_view, before, pos))
            emit m_notifier->rowInserted(pos);
        else if (m_view != before)
            emit m_notifier->refiltered();
    } else if (pos == oldPos && m_view == before) {
        emit m_notifier->rowChanged(pos);
    } else if (pos < 0 && sameBut(before, m_view, oldPos)) {
        emit m_notifier->rowRemoved(oldPos);
    } else {
        emit m_notifier->refiltered();
    }
}

void DataSet::first() {
    checkBrowseOrEdit();
    if (editing())
        post();
    m_pos = m_view.empty() ? -1 : 0;
    m_bof = true;
    m_eof = m_view.empty();
    scrolled();
}

void DataSet::last() {
    checkBrowseOrEdit();
    if (editing())
        post();
    m_pos = static_cast<int>(m_view.size()) - 1;
    m_eof = true;
    m_bof = m_view.empty();
    scrolled();
}

void DataSet::next() {
    checkBrowseOrEdit();
    if (editing())
        post();
    m_bof = false;
    if (m_pos + 1 < static_cast<int>(m_view.size())) {
        ++m_pos;
        m_eof = false;
        scrolled();
    } else {
        m_eof = true;
    }
}

void DataSet::prior() {
    checkBrowseOrEdit();
    if (editing())
        post();
    m_eof = false;
    if (m_pos > 0) {
        --m_pos;
        m_bof = false;
        scrolled();
    } else {
        m_bof = true;
    }
}

void DataSet::moveTo(int viewRow) {
    checkBrowseOrEdit();
    if (editing())
        post();
    if (viewRow < 0 || viewRow >= static_cast<int>(m_view.size()))
        throw std::out_of_range(("Row out of range in " + m_name).toStdString());
    m_pos = viewRow;
    m_eof = m_bof = false;
    scrolled();
}

QVariant DataSet::valueAt(int viewRow, int fieldIndex) const {
    const Field& f = field(fieldIndex);
    if (viewRow < 0 || viewRow >= static_cast<int>(m_view.size()))
        return {};
    if (!f.calculated())
        return m_rows[m_view[viewRow]].value(fieldIndex);
    if (viewRow == m_pos)
        return f.value();
    // A lookup reads the row through the fields, as the current one: let it see this row.
    const auto peek = qScopeGuard([this] { m_peek = -1; });
    m_peek = viewRow;
    return f.value();
}

Row DataSet::emptyRow() const {
    return Row(fieldCount());
}

Row& DataSet::currentRow() {
    return m_rows.at(m_view.at(m_pos));
}

const Row* DataSet::currentRowPtr() const {
    if (m_pos < 0 || m_pos >= static_cast<int>(m_view.size()))
        return nullptr;
    return &m_rows[m_view[m_pos]];
}

QVariant DataSet::currentValue(int fieldIndex) const {
    if (m_peek >= 0)
        return m_rows[m_view[m_peek]].value(fieldIndex);
    if (editing())
        return m_buffer.value(fieldIndex);
    const Row* row = currentRowPtr();
    return row ? row->value(fieldIndex) : QVariant();
}

void DataSet::storeValue(int fieldIndex, const QVariant& value) {
    if (!editing())
        throw std::logic_error(("Dataset not in edit or insert mode: " + m_name).toStdString());
    m_buffer[fieldIndex] = value;
    m_modified = true;
}

void DataSet::append() {
    checkBrowseOrEdit();
    if (editing())
        post();
    m_buffer = emptyRow();
    m_state = DataSetState::Insert;
    m_eof = true;
    runThenNotify(
        [this] {
            if (onNewRecord)
                onNewRecord(*this);
        },
        [this] {
            m_modified = false;
            emit m_notifier->stateChanged(m_state);
        });
}

void DataSet::edit() {
    checkBrowseOrEdit();
    if (editing())
        return;
    if (m_view.empty()) {
        append();
        return;
    }
    m_buffer = currentRow();
    m_buffer.resize(fieldCount());
    m_modified = false;
    m_state = DataSetState::Edit;
    emit m_notifier->stateChanged(m_state);
}

void shareRepeatedTexts(Row& row, const Row& previous) {
    const qsizetype n = std::min(row.size(), previous.size());
    for (qsizetype i = 0; i < n; ++i) {
        const QVariant& before = previous.at(i);
        const QVariant& now = std::as_const(row).at(i);
        if (now.typeId() != QMetaType::QString || before.typeId() != QMetaType::QString)
            continue;
        const auto* texto = static_cast<const QString*>(now.constData());
        const auto* anterior = static_cast<const QString*>(before.constData());
        if (texto->constData() != anterior->constData() && *texto == *anterior)
            row[i] = before;
    }
}

void DataSet::post() {
    if (!editing())
        return;
    emit m_notifier->updatingRecord();
    if (beforePost)
        beforePost(*this);
    for (const auto& f : m_fields)
        if (f->required() && !f->calculated() && db::isNull(m_buffer.value(f->index())))
            throw std::invalid_argument(("Field '" + f->name() + "' must have a value").toStdString());
    Row row = m_buffer;
    const bool inserting = m_state == DataSetState::Insert;
    const int oldPos = m_pos;
    std::vector<int> before; // the view as it was, when the post rebuilds it
    int index = -1;
    bool appended = false;
    if (inserting) {
        doPost(row, nullptr);
        // The row is stored from here on: dropping the buffer leaves it the only holder, so
        // sharing its texts does not copy it.
        m_buffer = Row();
        if (!m_rows.empty())
            shareRepeatedTexts(row, m_rows.back());
        m_rows.push_back(row);
        index = static_cast<int>(m_rows.size()) - 1;
        m_state = DataSetState::Browse;
        m_modified = false;
        if (!ordered() && rowVisible(row) && m_view.size() + 1 == m_rows.size()) {
            m_view.push_back(index);
            m_pos = static_cast<int>(m_view.size()) - 1;
            appended = true;
        } else {
            before = m_view;
            rebuildView(index);
        }
    } else {
        index = m_view.at(m_pos);
        const Row old = m_rows[index];
        doPost(row, &old);
        m_rows[index] = row;
        m_state = DataSetState::Browse;
        m_modified = false;
        before = m_view;
        rebuildView(index);
    }
    m_buffer.clear();
    m_eof = m_bof = m_view.empty();
    runThenNotify(
        [this] {
            if (afterPost)
                afterPost(*this);
        },
        [&] {
            if (appended)
                emit m_notifier->rowInserted(m_pos);
            else
                notifyViewChange(before, index, inserting ? -1 : oldPos);
            emit m_notifier->stateChanged(m_state);
            if (inserting || m_pos != oldPos)
                emit m_notifier->currentMoved(m_pos);
        });
}

void DataSet::cancel() {
    if (!editing())
        return;
    const bool wasEdit = m_state == DataSetState::Edit;
    m_state = DataSetState::Browse;
    m_modified = false;
    m_buffer.clear();
    m_eof = m_bof = m_view.empty();
    runThenNotify(
        [this] {
            if (afterCancel)
                afterCancel(*this);
        },
        [&] {
            emit m_notifier->stateChanged(m_state);
            if (wasEdit && m_pos >= 0)
                emit m_notifier->rowChanged(m_pos);
        });
}

void DataSet::remove() {
    checkBrowseOrEdit();
    if (m_state == DataSetState::Insert) {
        cancel();
        return;
    }
    if (m_view.empty())
        throw std::logic_error(
            ("Cannot perform this operation on an empty dataset: " + m_name).toStdString());
    if (beforeDelete)
        beforeDelete(*this);
    if (m_state != DataSetState::Browse) {
        m_state = DataSetState::Browse;
        m_buffer.clear();
        emit m_notifier->stateChanged(m_state);
    }
    const int index = m_view.at(m_pos);
    doDelete(m_rows[index]);
    m_rows.erase(m_rows.begin() + index);
    const int pos = m_pos;
    rebuildView();
    m_pos = m_view.empty() ? -1 : std::min(pos, static_cast<int>(m_view.size()) - 1);
    m_eof = m_bof = m_view.empty();
    runThenNotify(
        [this] {
            if (afterDelete)
                afterDelete(*this);
        },
        [&] { emit m_notifier->rowRemoved(pos); });
    scrolled();
}

} // namespace platform
