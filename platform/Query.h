#pragma once

#include "platform/DataSet.h"

#include <QMap>
#include <memory>

namespace db {
class Transaction;
class Statement;
class Cursor;
} // namespace db

namespace platform {

// Update statements of an editable query. Parameters named after fields take the row's new
// values; "OLD_" + field name takes the value the row had when it was read.
struct UpdateSql {
    QString modifySql;
    QString insertSql;
    QString deleteSql;
    QString refreshSql; // re-reads a posted row; its parameters are taken from the new values
};

// A dataset over one SQL statement on the program's transaction. Fields defined in code are
// matched by name to the result columns (a missing column is an error); the other columns get
// fields of their own at each opening. Forward-only queries keep just the current row.
class Query : public DataSet {
public:
    explicit Query(QString name = {}, db::Transaction* transaction = nullptr);
    ~Query() override;

    void setTransaction(db::Transaction* transaction) { m_transaction = transaction; }
    db::Transaction* transaction() const { return m_transaction; }

    // The text as lines; lines are sent joined by CR LF.
    void setSql(const QString& text);
    void setSqlLines(const QStringList& lines) { setSql(lines.join(QStringLiteral("\r\n"))); }
    void clearSql() { setSql({}); }
    void addSql(const QString& line);
    const QString& sql() const { return m_sql; }

    // Parameters found in the text (":NAME"), values kept by name until the text drops them.
    QStringList paramNames() const { return m_paramNames; }
    bool hasParam(const QString& name) const;
    void setParam(const QString& name, const QVariant& value); // throws when the text has no such parameter
    QVariant param(const QString& name) const;

    void setUniDirectional(bool on) { m_uniDirectional = on; }
    bool uniDirectional() const { return m_uniDirectional; }

    UpdateSql updateSql;
    bool hasUpdateSql() const { return !updateSql.modifySql.isEmpty() || !updateSql.insertSql.isEmpty(); }

    // Runs a statement that returns no rows.
    void execSql();
    // Re-reads the whole result and returns to the row with the same values in `keyField`.
    void refresh(const QString& keyField = {});

    // Reads the rows of a statement (its columns matched to the fields by name, as the refresh
    // statement's are), keeps those `keep` accepts, in the statement's order, and puts them at the
    // end as the posts of new records would have: for a bulk loading that stored the rows itself
    // and would otherwise redraw the views once per row. Returns the rows added.
    int appendFromSql(const QString& sql, const std::function<bool(const Row&)>& keep = {});

    void next() override;

protected:
    void doOpen() override;
    void doClose() override;
    void doPost(Row& row, const Row* oldRow) override;
    void doDelete(const Row& row) override;

private:
    void bindParams(db::Statement& statement, const Row* newRow, const Row* oldRow) const;
    void readRow(db::Cursor& cursor, Row& row, const QList<int>& targets) const;
    db::Transaction& requireTransaction() const;

    db::Transaction* m_transaction;
    QString m_sql;
    QStringList m_paramNames;
    QMap<QString, QVariant> m_params; // upper-case name -> value
    bool m_uniDirectional = false;
    std::unique_ptr<db::Statement> m_statement;
    std::unique_ptr<db::Cursor> m_cursor;
    QList<int> m_targets; // field index per result column
};

// Closes a borrowed query when the scope ends, however it ends; a close that fails there would
// only hide the error that ended the scope.
class FechaAoSair {
public:
    explicit FechaAoSair(Query& query) : m_query(query) {}
    ~FechaAoSair() {
        try {
            m_query.close();
        } catch (...) {
        }
    }
    FechaAoSair(const FechaAoSair&) = delete;
    FechaAoSair& operator=(const FechaAoSair&) = delete;

private:
    Query& m_query;
};

} // namespace platform
