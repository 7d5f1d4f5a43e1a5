#include "db/StatementImpl.h"

#include "db/Attachment.h"
#include "db/Transaction.h"

#include <stdexcept>

namespace db {

using namespace detail;

namespace {

[[noreturn]] void conversionError(const QVariant& value, const char* target) {
    throw FirebirdError(
        0, QString(),
        QStringLiteral("Cannot convert '%1' to %2").arg(value.toString(), QLatin1String(target)));
}

} // namespace

Cursor::Cursor(std::unique_ptr<Impl> impl, QList<ColumnInfo> columns)
    : m(std::move(impl)), m_columns(std::move(columns)) {}

Cursor::~Cursor() = default;

bool Cursor::fetch() {
    if (!m->resultSet || !m->owner)
        return false;
    if (m->lost && m->lost->lost()) {
        m->close();
        throw FirebirdError::lostConnection();
    }
    Status status(m->lost.get());
    const int result = m->resultSet->fetchNext(&status, m->buffer.data());
    if (result != Firebird::IStatus::RESULT_OK) {
        m->close();
        return false;
    }
    // Values are decoded at once so that text blobs are read while the row is current.
    const Transaction& transaction = *m->owner->transaction;
    const DecodeContext context{transaction.attachment().handle(), transaction.handle(), m->owner->utf8,
                                m->lost.get()};
    QList<QVariant> row;
    row.reserve(qsizetype(m->owner->outSlots.size()));
    for (const Slot& slot : m->owner->outSlots)
        row.append(decodeField(m->buffer.data(), slot, context));
    m->row = std::move(row);
    return true;
}

int Cursor::columnCount() const {
    return int(m_columns.size());
}

int Cursor::indexOf(const QString& name) const {
    for (qsizetype i = 0; i < m_columns.size(); ++i) {
        if (m_columns[i].name.compare(name, Qt::CaseInsensitive) == 0)
            return int(i);
    }
    return -1;
}

QVariant Cursor::value(int index) const {
    if (index < 0 || index >= m_columns.size())
        throw std::out_of_range("column index out of range");
    if (index >= m->row.size())
        return QVariant();
    return m->row[index];
}

bool Cursor::isNull(int index) const {
    return db::isNull(value(index));
}

std::optional<qint64> Cursor::asInteger(int index) const {
    const QVariant v = value(index);
    if (db::isNull(v))
        return std::nullopt;
    switch (v.typeId()) {
    case QMetaType::Double:
        return qRound64(v.toDouble());
    case QMetaType::QString: {
        bool ok = false;
        const qint64 result = v.toString().trimmed().toLongLong(&ok);
        if (!ok)
            conversionError(v, "integer");
        return result;
    }
    case QMetaType::Bool:
    case QMetaType::Short:
    case QMetaType::Int:
    case QMetaType::LongLong:
        return v.toLongLong();
    default:
        conversionError(v, "integer");
    }
}

std::optional<double> Cursor::asDouble(int index) const {
    const QVariant v = value(index);
    if (db::isNull(v))
        return std::nullopt;
    switch (v.typeId()) {
    case QMetaType::QString: {
        bool ok = false;
        const double result = v.toString().trimmed().toDouble(&ok);
        if (!ok)
            conversionError(v, "number");
        return result;
    }
    case QMetaType::Double:
    case QMetaType::Bool:
    case QMetaType::Short:
    case QMetaType::Int:
    case QMetaType::LongLong:
        return v.toDouble();
    default:
        conversionError(v, "number");
    }
}

std::optional<QString> Cursor::asText(int index) const {
    const QVariant v = value(index);
    if (db::isNull(v))
        return std::nullopt;
    if (v.typeId() == QMetaType::QByteArray)
        return QString::fromLatin1(v.toByteArray());
    return v.toString();
}

std::optional<QDateTime> Cursor::asDateTime(int index) const {
    const QVariant v = value(index);
    if (db::isNull(v))
        return std::nullopt;
    switch (v.typeId()) {
    case QMetaType::QDateTime:
        return v.toDateTime();
    case QMetaType::QDate:
        return v.toDate().startOfDay();
    default:
        conversionError(v, "timestamp");
    }
}

void Cursor::close() {
    m->close();
}

} // namespace db
