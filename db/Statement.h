#pragma once

#include "db/SqlText.h"
#include "db/Value.h"

#include <QList>
#include <QString>
#include <QStringList>
#include <memory>
#include <optional>

namespace Firebird {
class IStatement;
class IMessageMetadata;
class IResultSet;
} // namespace Firebird

namespace db {

class Attachment;
class Transaction;
class Cursor;

// Runs one statement exactly as written, without parameters: ":" stays for PSQL bodies.
void executeImmediate(Transaction& transaction, const QString& sql);

// A prepared statement (dialect of the attachment; the transaction is started when it is not
// running). Text with the values written in, or ":NAME" parameters for the designed datasets
// (the names are matched case-insensitively). Parameter values are QVariants: invalid is NULL;
// texts, integers, doubles, QDateTime and QDate are sent as such and the server converts them
// to the parameter's type, so a text into an integer parameter or a double into a NUMERIC works.
class Statement {
public:
    Statement(Transaction& transaction, const QString& sql);
    ~Statement();
    Statement(const Statement&) = delete;
    Statement& operator=(const Statement&) = delete;

    bool isSelect() const;
    int parameterCount() const;
    const QStringList& parameterNames() const { return m_names; }
    void setParameter(int index, const QVariant& value);
    // Sets every occurrence of the name; returns false when the statement has no such parameter.
    bool setParameter(const QString& name, const QVariant& value);
    void clearParameters();

    QList<ColumnInfo> columns() const;

    // Runs a select and returns a forward-only cursor over its rows. The statement must outlive it;
    // opening again closes the previous cursor of this statement.
    std::unique_ptr<Cursor> openCursor();
    // Runs a statement that returns no rows (or a singleton row, which is discarded).
    void execute();

private:
    friend class Cursor;
    struct Impl;
    std::unique_ptr<Impl> m;
    QStringList m_names;
};

class Cursor {
public:
    ~Cursor();
    Cursor(const Cursor&) = delete;
    Cursor& operator=(const Cursor&) = delete;

    // Moves to the next row; false at the end (the cursor then closes itself).
    bool fetch();
    int columnCount() const;
    const QList<ColumnInfo>& columns() const { return m_columns; }
    int indexOf(const QString& name) const; // case-insensitive, -1 when absent

    QVariant value(int index) const;
    bool isNull(int index) const;
    std::optional<qint64> asInteger(int index) const;
    std::optional<double> asDouble(int index) const;
    std::optional<QString> asText(int index) const;
    std::optional<QDateTime> asDateTime(int index) const;

    void close();

private:
    friend class Statement;
    struct Impl;
    explicit Cursor(std::unique_ptr<Impl> impl, QList<ColumnInfo> columns);
    std::unique_ptr<Impl> m;
    QList<ColumnInfo> m_columns;
};

} // namespace db
