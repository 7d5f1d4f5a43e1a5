#pragma once

#include <QString>
#include <stdexcept>

namespace db {

// Every failure of the Firebird client or server. The login tells the engine's codes apart
// (isc_io_error 335544344, isc_login 335544472, 335544753, isc_network_error 335544721), so the
// first code of the status vector is kept beside the server's text.
class FirebirdError : public std::runtime_error {
public:
    FirebirdError(long code, QString sqlState, const QString& message);

    long code() const { return m_code; }
    const QString& sqlState() const { return m_sqlState; }
    QString text() const { return QString::fromUtf8(what()); }

private:
    long m_code;
    QString m_sqlState;
};

namespace codes {
constexpr long ioError = 335544344;
constexpr long login = 335544472;
constexpr long login2 = 335544753;
constexpr long networkError = 335544721;
} // namespace codes

} // namespace db
