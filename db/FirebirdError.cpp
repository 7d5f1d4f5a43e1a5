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

} // namespace db
