#pragma once

#include <QDateTime>
#include <QString>
#include <QVariant>

namespace db {

// Column kinds as dialect 1 delivers them. DATE is a date with time of day; NUMERIC and DECIMAL
// with a precision above 9 are stored as double precision in dialect 1, and the smaller ones,
// scaled integers, are delivered as Double too (with their scale in ColumnInfo::scale).
enum class ColumnType {
    Text,
    FixedText,
    SmallInt,
    Integer,
    BigInt,
    Float,
    Double,
    Timestamp,
    Date,
    Time,
    Blob,
    Other
};

struct ColumnInfo {
    QString name;     // alias as the statement names it (upper case unless quoted)
    QString field;    // underlying column, empty for expressions
    QString relation; // underlying table, empty for expressions
    ColumnType type = ColumnType::Other;
    int length = 0;  // characters for text columns
    int scale = 0;   // negative decimal scale of scaled integers
    int subType = 0; // blob sub_type: 1 is text
    bool nullable = true;
};

// Values travel as QVariant: an invalid QVariant is SQL NULL, never an empty string or a zero.
// Text is QString (decoded from ISO8859_1), integers qint32/qint16/qint64, floats and scaled
// integers double, timestamps and dates QDateTime (local time; a date at midnight), times QTime,
// text blobs QString, other blobs QByteArray.
inline bool isNull(const QVariant& v) {
    return !v.isValid() || v.isNull();
}

} // namespace db
