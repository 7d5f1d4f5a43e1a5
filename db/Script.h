#pragma once

#include <QString>
#include <QStringList>

namespace db {

class Transaction;

// Splits a script at the terminator ";" (outside literals and comments; "SET TERM" changes it)
// and runs each statement in the given transaction. With automatic DDL commit each DDL statement
// is followed by commit retaining: the server lets no statement use a table or column created
// in a transaction that has not committed, and the schema scripts use theirs at once.
// "SET SQL DIALECT", "SET NAMES", "SET AUTODDL" and "COMMIT [WORK]" lines are handled here,
// not sent to the server; so are "CONNECT" and "CREATE DATABASE", because databases are opened
// and created through Attachment. The end of run() commits retaining, so what a script changed
// stays even when the caller later rolls its transaction back, and the transaction stays open.
// A failing statement throws FirebirdError; earlier ones stay run.
class Script {
public:
    explicit Script(Transaction& transaction) : m_transaction(&transaction) {}

    void setText(const QString& text) { m_text = text; }
    const QString& text() const { return m_text; }
    void clear() { m_text.clear(); }
    void setAutoDdl(bool on) { m_autoDdl = on; }
    bool autoDdl() const { return m_autoDdl; }

    void run();

    // The statements in order, without their terminators, leading comments and SET TERM lines.
    static QStringList split(const QString& text);

private:
    Transaction* m_transaction;
    QString m_text;
    bool m_autoDdl = true;
};

} // namespace db
