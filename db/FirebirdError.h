#pragma once

#include <QList>
#include <QString>
#include <QStringList>
#include <stdexcept>

namespace db {

// Every failure of the Firebird client or server. The engine reports an error as a vector of
// codes, each with its own text; all of them are kept. The login tells the first code apart
// (isc_io_error 335544344, isc_login 335544472, 335544753, isc_network_error 335544721).
class FirebirdError : public std::runtime_error {
public:
    // An error of this program's own, or one engine code with its text.
    FirebirdError(long code, QString sqlState, const QString& message);
    // The engine's whole vector: the codes in order, one text per message, and the text of them
    // all as the server formats it.
    FirebirdError(QList<long> codes, QStringList messages, QString sqlState, const QString& text);

    long code() const { return m_codes.isEmpty() ? 0 : m_codes.first(); }
    const QList<long>& codes() const { return m_codes; }
    const QStringList& messages() const { return m_messages; }
    const QString& sqlState() const { return m_sqlState; }
    QString text() const { return QString::fromUtf8(what()); }
    // The engine says the connection is gone: a network failure, a shutdown of the database or
    // of this attachment (an administrator deleted it). Any code of the vector counts.
    bool connectionLost() const;
    // What every call on an attachment known to be lost throws, without asking the server.
    static FirebirdError lostConnection();

private:
    QList<long> m_codes;
    QStringList m_messages;
    QString m_sqlState;
};

namespace codes {
constexpr long ioError = 335544344;
constexpr long login = 335544472;
constexpr long login2 = 335544753;
constexpr long networkError = 335544721;
constexpr long lostDbConnection = 335544741;
} // namespace codes

} // namespace db
