#include "db/Statement.h"

#include "db/Attachment.h"
#include "db/Detail.h"
#include "db/Transaction.h"

#include <QDate>
#include <QTime>
#include <cmath>
#include <cstring>
#include <stdexcept>
#include <vector>

namespace db {

using namespace detail;

namespace {

bool isIdentifierStart(QChar c) {
    return c.isLetter() || c == QLatin1Char('_');
}
bool isIdentifierPart(QChar c) {
    return c.isLetterOrNumber() || c == QLatin1Char('_') || c == QLatin1Char('$');
}

// Where one message field lives in its buffer and how to read it.
struct Slot {
    unsigned type = 0;
    int subType = 0;
    unsigned length = 0;
    int scale = 0;
    unsigned charset = 0;
    unsigned offset = 0;
    unsigned nullOffset = 0;
};

std::vector<Slot> slotsOf(Firebird::IMessageMetadata* meta) {
    std::vector<Slot> result;
    if (!meta)
        return result;
    Status status;
    const unsigned count = meta->getCount(&status);
    status.check();
    result.reserve(count);
    for (unsigned i = 0; i < count; ++i) {
        Slot slot;
        slot.type = meta->getType(&status, i) & ~1u;
        slot.subType = meta->getSubType(&status, i);
        slot.length = meta->getLength(&status, i);
        slot.scale = meta->getScale(&status, i);
        slot.charset = meta->getCharSet(&status, i);
        slot.offset = meta->getOffset(&status, i);
        slot.nullOffset = meta->getNullOffset(&status, i);
        status.check();
        result.push_back(slot);
    }
    return result;
}

template <class T> T readAs(const unsigned char* p) {
    T value;
    std::memcpy(&value, p, sizeof value);
    return value;
}

template <class T> void writeAs(unsigned char* p, T value) {
    std::memcpy(p, &value, sizeof value);
}

QDate decodeDate(ISC_DATE date) {
    unsigned year = 0, month = 0, day = 0;
    util()->decodeDate(date, &year, &month, &day);
    return QDate(int(year), int(month), int(day));
}

// Fractions of the engine are tenths of a millisecond.
QTime decodeTime(ISC_TIME time) {
    unsigned hours = 0, minutes = 0, seconds = 0, fractions = 0;
    util()->decodeTime(time, &hours, &minutes, &seconds, &fractions);
    return QTime(int(hours), int(minutes), int(seconds), int(fractions / 10));
}

ISC_DATE encodeDate(const QDate& date) {
    return util()->encodeDate(unsigned(date.year()), unsigned(date.month()), unsigned(date.day()));
}

ISC_TIME encodeTime(const QTime& time) {
    return util()->encodeTime(unsigned(time.hour()), unsigned(time.minute()), unsigned(time.second()),
                              unsigned(time.msec()) * 10);
}

double scaled(qint64 value, int scale) {
    return double(value) / std::pow(10.0, -scale);
}

QByteArray readBlob(Firebird::IAttachment* attachment, Firebird::ITransaction* transaction, ISC_QUAD id) {
    Status status;
    Firebird::IBlob* blob = attachment->openBlob(&status, transaction, &id, 0, nullptr);
    status.check();
    struct Guard {
        Firebird::IBlob* blob;
        ~Guard() {
            Status status;
            blob->close(&status); // releases the interface when it succeeds
            if (status.failed())
                blob->release();
        }
    } guard{blob};

    QByteArray data;
    char chunk[16384];
    for (;;) {
        unsigned got = 0;
        const int result = blob->getSegment(&status, sizeof chunk, chunk, &got);
        if (result == Firebird::IStatus::RESULT_OK || result == Firebird::IStatus::RESULT_SEGMENT)
            data.append(chunk, qsizetype(got));
        else if (result == Firebird::IStatus::RESULT_NO_DATA)
            break;
        else
            status.check();
    }
    return data;
}

ColumnType columnType(const Slot& slot) {
    switch (slot.type) {
    case SQL_VARYING:
        return ColumnType::Text;
    case SQL_TEXT:
        return ColumnType::FixedText;
    case SQL_SHORT:
        return slot.scale < 0 ? ColumnType::Double : ColumnType::SmallInt;
    case SQL_LONG:
        return slot.scale < 0 ? ColumnType::Double : ColumnType::Integer;
    case SQL_INT64:
        return slot.scale < 0 ? ColumnType::Double : ColumnType::BigInt;
    case SQL_FLOAT:
        return ColumnType::Float;
    case SQL_DOUBLE:
    case SQL_D_FLOAT:
        return ColumnType::Double;
    case SQL_TIMESTAMP:
        return ColumnType::Timestamp;
    case SQL_TYPE_DATE:
        return ColumnType::Date;
    case SQL_TYPE_TIME:
        return ColumnType::Time;
    case SQL_BLOB:
        return ColumnType::Blob;
    default:
        return ColumnType::Other;
    }
}

[[noreturn]] void conversionError(const QVariant& value, const char* target) {
    throw FirebirdError(
        0, QString(),
        QStringLiteral("Cannot convert '%1' to %2").arg(value.toString(), QLatin1String(target)));
}

} // namespace

ParsedSql parseNamedParameters(const QString& sql) {
    ParsedSql parsed;
    parsed.sql.reserve(sql.size());
    const qsizetype n = sql.size();
    qsizetype i = 0;
    while (i < n) {
        const QChar c = sql[i];
        if (c == QLatin1Char('\'') || c == QLatin1Char('"')) {
            // A doubled quote inside stays inside: the scan simply re-enters the literal.
            qsizetype end = sql.indexOf(c, i + 1);
            end = end < 0 ? n : end + 1;
            parsed.sql += QStringView(sql).mid(i, end - i);
            i = end;
        } else if (c == QLatin1Char('-') && i + 1 < n && sql[i + 1] == QLatin1Char('-')) {
            qsizetype end = sql.indexOf(QLatin1Char('\n'), i);
            end = end < 0 ? n : end;
            parsed.sql += QStringView(sql).mid(i, end - i);
            i = end;
        } else if (c == QLatin1Char('/') && i + 1 < n && sql[i + 1] == QLatin1Char('*')) {
            qsizetype end = sql.indexOf(QLatin1String("*/"), i + 2);
            end = end < 0 ? n : end + 2;
            parsed.sql += QStringView(sql).mid(i, end - i);
            i = end;
        } else if (c == QLatin1Char(':') && i + 1 < n && sql[i + 1] == QLatin1Char(':')) {
            parsed.sql += QLatin1String("::");
            i += 2;
        } else if (c == QLatin1Char(':') && i + 1 < n && isIdentifierStart(sql[i + 1])) {
            qsizetype end = i + 1;
            while (end < n && isIdentifierPart(sql[end]))
                ++end;
            parsed.names.append(sql.mid(i + 1, end - i - 1));
            parsed.sql += QLatin1Char('?');
            i = end;
        } else {
            parsed.sql += c;
            ++i;
        }
    }
    return parsed;
}

void executeImmediate(Transaction& transaction, const QString& sql) {
    Attachment& attachment = transaction.attachment();
    Firebird::ITransaction* handle = transaction.handle();
    const QByteArray text = encodeText(sql, attachment.utf8Text());
    Status status;
    attachment.handle()->execute(&status, handle, unsigned(text.size()), text.constData(),
                                 unsigned(attachment.dialect()), nullptr, nullptr, nullptr, nullptr);
    status.check();
}

struct Statement::Impl {
    Transaction* transaction = nullptr;
    Firebird::IStatement* statement = nullptr;
    RefPtr<Firebird::IMessageMetadata> inMeta;
    RefPtr<Firebird::IMessageMetadata> outMeta;
    std::vector<Slot> inSlots;
    std::vector<Slot> outSlots;
    unsigned type = 0;
    bool utf8 = false;
    QList<QVariant> parameters;
    QList<ColumnInfo> columns;
    Cursor::Impl* cursor = nullptr; // the open cursor, closed when the statement opens another

    ~Impl();
    void closeCursor();
    // Builds the input message from the parameter values, retyped to what each value is.
    RefPtr<Firebird::IMessageMetadata> bind(std::vector<unsigned char>& buffer) const;
    QVariant decode(const unsigned char* buffer, const Slot& slot) const;
};

struct Cursor::Impl {
    Statement::Impl* owner = nullptr;
    Firebird::IResultSet* resultSet = nullptr;
    std::vector<unsigned char> buffer;
    QList<QVariant> row;

    ~Impl() {
        close();
        if (owner && owner->cursor == this)
            owner->cursor = nullptr;
    }

    // Closing cannot fail in a way the caller could act on: a cursor whose transaction ended
    // is gone on the server already.
    void close() {
        row.clear();
        if (!resultSet)
            return;
        Status status;
        resultSet->close(&status); // releases the interface when it succeeds
        if (status.failed())
            resultSet->release();
        resultSet = nullptr;
    }
};

Statement::Impl::~Impl() {
    closeCursor();
    if (statement) {
        Status status;
        statement->free(&status); // releases the interface when it succeeds
        if (status.failed())
            statement->release();
    }
}

void Statement::Impl::closeCursor() {
    if (!cursor)
        return;
    cursor->close();
    cursor->owner = nullptr;
    cursor = nullptr;
}

RefPtr<Firebird::IMessageMetadata> Statement::Impl::bind(std::vector<unsigned char>& buffer) const {
    if (inSlots.empty())
        return nullptr;

    enum class Kind { Null, Text, Integer, Double, Timestamp, Time };
    const unsigned count = unsigned(inSlots.size());
    std::vector<Kind> kinds(count);
    std::vector<QByteArray> texts(count);

    Status status;
    RefPtr<Firebird::IMetadataBuilder> builder(inMeta->getBuilder(&status));
    status.check();
    for (unsigned i = 0; i < count; ++i) {
        const QVariant& value = parameters[qsizetype(i)];
        const Slot& slot = inSlots[i];
        Kind kind = Kind::Text;
        if (db::isNull(value))
            kind = Kind::Null;
        else {
            switch (value.typeId()) {
            case QMetaType::Bool:
            case QMetaType::Char:
            case QMetaType::SChar:
            case QMetaType::UChar:
            case QMetaType::Short:
            case QMetaType::UShort:
            case QMetaType::Int:
            case QMetaType::UInt:
            case QMetaType::Long:
            case QMetaType::ULong:
            case QMetaType::LongLong:
            case QMetaType::ULongLong:
                kind = Kind::Integer;
                break;
            case QMetaType::Float:
            case QMetaType::Double:
                kind = Kind::Double;
                break;
            case QMetaType::QDateTime:
                kind = value.toDateTime().isValid() ? Kind::Timestamp : Kind::Null;
                break;
            case QMetaType::QDate:
                kind = value.toDate().isValid() ? Kind::Timestamp : Kind::Null;
                break;
            case QMetaType::QTime:
                kind = value.toTime().isValid() ? Kind::Time : Kind::Null;
                break;
            default:
                kind = Kind::Text;
            }
        }
        kinds[i] = kind;

        switch (kind) {
        case Kind::Null:
            break; // the parameter keeps its own type, only the indicator says NULL
        case Kind::Text: {
            const bool textSlot = slot.type == SQL_TEXT || slot.type == SQL_VARYING;
            const unsigned charset = textSlot ? slot.charset : charsetNone;
            if (value.typeId() == QMetaType::QByteArray) {
                texts[i] = value.toByteArray();
            } else {
                const bool utf8Slot = charset == charsetUtf8 || charset == charsetUnicodeFss ||
                                      (charset == charsetNone && utf8);
                texts[i] = encodeText(value.toString(), utf8Slot);
            }
            if (texts[i].size() > 32765)
                throw FirebirdError(0, QString(), QStringLiteral("Parameter text too long"));
            builder->setType(&status, i, SQL_VARYING);
            builder->setLength(&status, i, unsigned(qMax<qsizetype>(texts[i].size(), 1)));
            builder->setCharSet(&status, i, charset);
            builder->setSubType(&status, i, 0);
            builder->setScale(&status, i, 0);
            break;
        }
        case Kind::Integer:
            builder->setType(&status, i, SQL_INT64);
            builder->setLength(&status, i, sizeof(ISC_INT64));
            builder->setSubType(&status, i, 0);
            builder->setScale(&status, i, 0);
            break;
        case Kind::Double:
            builder->setType(&status, i, SQL_DOUBLE);
            builder->setLength(&status, i, sizeof(double));
            builder->setSubType(&status, i, 0);
            builder->setScale(&status, i, 0);
            break;
        case Kind::Timestamp:
            builder->setType(&status, i, SQL_TIMESTAMP);
            builder->setLength(&status, i, sizeof(ISC_TIMESTAMP));
            builder->setSubType(&status, i, 0);
            builder->setScale(&status, i, 0);
            break;
        case Kind::Time:
            builder->setType(&status, i, SQL_TYPE_TIME);
            builder->setLength(&status, i, sizeof(ISC_TIME));
            builder->setSubType(&status, i, 0);
            builder->setScale(&status, i, 0);
            break;
        }
        status.check();
    }
    RefPtr<Firebird::IMessageMetadata> meta(builder->getMetadata(&status));
    status.check();
    const std::vector<Slot> fields = slotsOf(meta.get());
    buffer.assign(meta->getMessageLength(&status), 0);
    status.check();

    for (unsigned i = 0; i < count; ++i) {
        const QVariant& value = parameters[qsizetype(i)];
        unsigned char* field = buffer.data() + fields[i].offset;
        writeAs<short>(buffer.data() + fields[i].nullOffset, kinds[i] == Kind::Null ? -1 : 0);
        switch (kinds[i]) {
        case Kind::Null:
            break;
        case Kind::Text:
            writeAs<ISC_USHORT>(field, ISC_USHORT(texts[i].size()));
            std::memcpy(field + sizeof(ISC_USHORT), texts[i].constData(), size_t(texts[i].size()));
            break;
        case Kind::Integer:
            writeAs<ISC_INT64>(field, value.toLongLong());
            break;
        case Kind::Double:
            writeAs<double>(field, value.toDouble());
            break;
        case Kind::Timestamp: {
            const QDateTime dateTime =
                value.typeId() == QMetaType::QDate ? value.toDate().startOfDay() : value.toDateTime();
            ISC_TIMESTAMP stamp;
            stamp.timestamp_date = encodeDate(dateTime.date());
            stamp.timestamp_time = encodeTime(dateTime.time());
            writeAs<ISC_TIMESTAMP>(field, stamp);
            break;
        }
        case Kind::Time:
            writeAs<ISC_TIME>(field, encodeTime(value.toTime()));
            break;
        }
    }
    return meta;
}

QVariant Statement::Impl::decode(const unsigned char* buffer, const Slot& slot) const {
    if (readAs<short>(buffer + slot.nullOffset) != 0)
        return QVariant();
    const unsigned char* p = buffer + slot.offset;
    switch (slot.type) {
    case SQL_TEXT:
        return decodeText(reinterpret_cast<const char*>(p), int(slot.length), slot.charset, utf8);
    case SQL_VARYING:
        return decodeText(reinterpret_cast<const char*>(p) + sizeof(ISC_USHORT), readAs<ISC_USHORT>(p),
                          slot.charset, utf8);
    case SQL_SHORT:
        if (slot.scale < 0)
            return scaled(readAs<ISC_SHORT>(p), slot.scale);
        return QVariant::fromValue<qint16>(readAs<ISC_SHORT>(p));
    case SQL_LONG:
        if (slot.scale < 0)
            return scaled(readAs<ISC_LONG>(p), slot.scale);
        return QVariant::fromValue<qint32>(readAs<ISC_LONG>(p));
    case SQL_INT64:
        if (slot.scale < 0)
            return scaled(readAs<ISC_INT64>(p), slot.scale);
        return QVariant::fromValue<qint64>(readAs<ISC_INT64>(p));
    case SQL_FLOAT:
        return double(readAs<float>(p));
    case SQL_DOUBLE:
    case SQL_D_FLOAT:
        return readAs<double>(p);
    case SQL_TIMESTAMP: {
        const auto stamp = readAs<ISC_TIMESTAMP>(p);
        return QDateTime(decodeDate(stamp.timestamp_date), decodeTime(stamp.timestamp_time));
    }
    case SQL_TYPE_DATE:
        return QDateTime(decodeDate(readAs<ISC_DATE>(p)), QTime(0, 0));
    case SQL_TYPE_TIME:
        return decodeTime(readAs<ISC_TIME>(p));
    case SQL_BOOLEAN:
        return readAs<FB_BOOLEAN>(p) != 0;
    case SQL_BLOB: {
        const QByteArray data =
            readBlob(transaction->attachment().handle(), transaction->handle(), readAs<ISC_QUAD>(p));
        if (slot.subType == 1)
            return decodeText(data.constData(), int(data.size()), slot.charset, utf8);
        return data;
    }
    default:
        return QVariant();
    }
}

Statement::Statement(Transaction& transaction, const QString& sql) : m(std::make_unique<Impl>()) {
    ParsedSql parsed = parseNamedParameters(sql);
    m_names = std::move(parsed.names);
    m->transaction = &transaction;

    Attachment& attachment = transaction.attachment();
    Firebird::ITransaction* handle = transaction.handle();
    m->utf8 = attachment.utf8Text();
    const QByteArray text = encodeText(parsed.sql, m->utf8);
    Status status;
    m->statement = attachment.handle()->prepare(&status, handle, unsigned(text.size()), text.constData(),
                                                unsigned(attachment.dialect()),
                                                Firebird::IStatement::PREPARE_PREFETCH_METADATA);
    status.check();
    m->type = m->statement->getType(&status);
    m->inMeta.reset(m->statement->getInputMetadata(&status));
    status.check();
    m->outMeta.reset(m->statement->getOutputMetadata(&status));
    status.check();
    m->inSlots = slotsOf(m->inMeta.get());
    m->outSlots = slotsOf(m->outMeta.get());
    m->parameters = QList<QVariant>(qsizetype(m->inSlots.size()));

    for (unsigned i = 0; i < m->outSlots.size(); ++i) {
        const Slot& slot = m->outSlots[i];
        ColumnInfo column;
        column.name = QString::fromUtf8(m->outMeta->getAlias(&status, i));
        column.field = QString::fromUtf8(m->outMeta->getField(&status, i));
        column.relation = QString::fromUtf8(m->outMeta->getRelation(&status, i));
        column.nullable = m->outMeta->isNullable(&status, i);
        status.check();
        column.type = columnType(slot);
        column.scale = slot.scale;
        column.subType = slot.type == SQL_BLOB ? slot.subType : 0;
        if (slot.type == SQL_TEXT || slot.type == SQL_VARYING)
            column.length = int(slot.length) / bytesPerChar(slot.charset);
        m->columns.append(column);
    }
}

Statement::~Statement() = default;

bool Statement::isSelect() const {
    return m->type == isc_info_sql_stmt_select || m->type == isc_info_sql_stmt_select_for_upd;
}

int Statement::parameterCount() const {
    return int(m->inSlots.size());
}

void Statement::setParameter(int index, const QVariant& value) {
    if (index < 0 || index >= m->parameters.size())
        throw std::out_of_range("parameter index out of range");
    m->parameters[index] = value;
}

bool Statement::setParameter(const QString& name, const QVariant& value) {
    bool found = false;
    for (qsizetype i = 0; i < m_names.size() && i < m->parameters.size(); ++i) {
        if (m_names[i].compare(name, Qt::CaseInsensitive) == 0) {
            m->parameters[i] = value;
            found = true;
        }
    }
    return found;
}

void Statement::clearParameters() {
    for (QVariant& value : m->parameters)
        value = QVariant();
}

QList<ColumnInfo> Statement::columns() const {
    return m->columns;
}

std::unique_ptr<Cursor> Statement::openCursor() {
    m->closeCursor();
    Firebird::ITransaction* handle = m->transaction->handle();
    std::vector<unsigned char> input;
    RefPtr<Firebird::IMessageMetadata> inMeta = m->bind(input);

    auto impl = std::make_unique<Cursor::Impl>();
    Status status;
    impl->buffer.assign(m->outMeta->getMessageLength(&status), 0);
    status.check();
    impl->resultSet = m->statement->openCursor(&status, handle, inMeta.get(),
                                               input.empty() ? nullptr : input.data(), m->outMeta.get(), 0);
    status.check();
    impl->owner = m.get();
    m->cursor = impl.get();
    return std::unique_ptr<Cursor>(new Cursor(std::move(impl), m->columns));
}

void Statement::execute() {
    if (isSelect()) {
        openCursor()->close();
        return;
    }
    m->closeCursor();
    Firebird::ITransaction* handle = m->transaction->handle();
    std::vector<unsigned char> input;
    RefPtr<Firebird::IMessageMetadata> inMeta = m->bind(input);
    std::vector<unsigned char> output;
    Firebird::IMessageMetadata* outMeta = m->outSlots.empty() ? nullptr : m->outMeta.get();
    Status status;
    if (outMeta) {
        output.assign(outMeta->getMessageLength(&status), 0);
        status.check();
    }
    m->statement->execute(&status, handle, inMeta.get(), input.empty() ? nullptr : input.data(), outMeta,
                          output.empty() ? nullptr : output.data());
    status.check();
}

Cursor::Cursor(std::unique_ptr<Impl> impl, QList<ColumnInfo> columns)
    : m(std::move(impl)), m_columns(std::move(columns)) {}

Cursor::~Cursor() = default;

bool Cursor::fetch() {
    if (!m->resultSet || !m->owner)
        return false;
    Status status;
    const int result = m->resultSet->fetchNext(&status, m->buffer.data());
    status.check();
    if (result != Firebird::IStatus::RESULT_OK) {
        m->close();
        return false;
    }
    // Values are decoded at once so that text blobs are read while the row is current.
    QList<QVariant> row;
    row.reserve(qsizetype(m->owner->outSlots.size()));
    for (const Slot& slot : m->owner->outSlots)
        row.append(m->owner->decode(m->buffer.data(), slot));
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
