#include "db/FirebirdError.h"

namespace db {

FirebirdError::FirebirdError(long code, QString sqlState, const QString& message)
    : std::runtime_error(message.toUtf8().toStdString()), m_sqlState(std::move(sqlState)) {
    if (code != 0)
        m_codes.append(code);
    m_messages.append(message);
}

FirebirdError::FirebirdError(QList<long> codes, QStringList messages, QString sqlState, const QString& text)
    : std::runtime_error(text.toUtf8().toStdString()), m_codes(std::move(codes)),
      m_messages(std::move(messages)), m_sqlState(std::move(sqlState)) {}

bool FirebirdError::connectionLost() const {
    // isc_bad_db_handle, isc_shutinprog, isc_shutdown, isc_conn_lost, isc_network_error,
    // isc_net_read_err, isc_net_write_err, isc_lost_db_connection, isc_att_shutdown,
    // isc_net_server_shutdown.
    static constexpr long perdas[] = {335544324, 335544506, 335544528, 335544648, 335544721,
                                      335544726, 335544727, 335544741, 335544856, 335544971};
    for (const long code : m_codes)
        for (const long perda : perdas)
            if (code == perda)
                return true;
    return false;
}

FirebirdError FirebirdError::lostConnection() {
    return FirebirdError(codes::lostDbConnection, QStringLiteral("08003"),
                         QStringLiteral("Connection lost to database"));
}

} // namespace db
