#include "db/Message.h"

#include <QDate>
#include <QTime>
#include <cmath>
#include <cstring>

namespace db::detail {

namespace {

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

QByteArray readBlob(const DecodeContext& context, ISC_QUAD id) {
    if (!context.transaction)
        throw FirebirdError(0, QString(), QStringLiteral("Transaction not running"));
    Status status(context.lost);
    Handle<Firebird::IBlob> blob(context.attachment->openBlob(&status, context.transaction, &id, 0, nullptr));
    QByteArray data;
    char chunk[16384];
    for (;;) {
        unsigned got = 0;
        const int result = blob->getSegment(&status, sizeof chunk, chunk, &got);
        if (result == Firebird::IStatus::RESULT_NO_DATA)
            break;
        data.append(chunk, qsizetype(got));
    }
    // close() releases the interface when it succeeds.
    blob->close(&status);
    forget(blob);
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

} // namespace

std::vector<Slot> slotsOf(Firebird::IMessageMetadata* meta) {
    std::vector<Slot> result;
    if (!meta)
        return result;
    Status status;
    const unsigned count = meta->getCount(&status);
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
        result.push_back(slot);
    }
    return result;
}

QList<ColumnInfo> columnsOf(Firebird::IMessageMetadata* meta, const std::vector<Slot>& outSlots) {
    QList<ColumnInfo> columns;
    Status status;
    for (unsigned i = 0; i < outSlots.size(); ++i) {
        const Slot& slot = outSlots[i];
        ColumnInfo column;
        column.name = QString::fromUtf8(meta->getAlias(&status, i));
        column.field = QString::fromUtf8(meta->getField(&status, i));
        column.relation = QString::fromUtf8(meta->getRelation(&status, i));
        column.nullable = meta->isNullable(&status, i);
        column.type = columnType(slot);
        column.scale = slot.scale;
        column.subType = slot.type == SQL_BLOB ? slot.subType : 0;
        if (slot.type == SQL_TEXT || slot.type == SQL_VARYING)
            column.length = int(slot.length) / bytesPerChar(slot.charset);
        columns.append(column);
    }
    return columns;
}

InputMessage encodeParameters(Firebird::IMessageMetadata* declared, const std::vector<Slot>& inSlots,
                              const QList<QVariant>& parameters, bool utf8) {
    InputMessage message;
    if (inSlots.empty())
        return message;

    enum class Kind { Null, Text, Integer, Double, Timestamp, Time };
    const unsigned count = unsigned(inSlots.size());
    std::vector<Kind> kinds(count);
    std::vector<QByteArray> texts(count);

    Status status;
    Handle<Firebird::IMetadataBuilder> builder(declared->getBuilder(&status));
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
    }
    message.meta.reset(builder->getMetadata(&status));
    const std::vector<Slot> fields = slotsOf(message.meta.get());
    std::vector<unsigned char>& buffer = message.buffer;
    buffer.assign(message.meta->getMessageLength(&status), 0);

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
    return message;
}

QVariant decodeField(const unsigned char* buffer, const Slot& slot, const DecodeContext& context) {
    const bool utf8 = context.utf8;
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
        const QByteArray data = readBlob(context, readAs<ISC_QUAD>(p));
        if (slot.subType == 1)
            return decodeText(data.constData(), int(data.size()), slot.charset, utf8);
        return data;
    }
    default:
        return QVariant();
    }
}

} // namespace db::detail
