#include "db/FirebirdError.h"

namespace db {

FirebirdError::FirebirdError(long code, QString sqlState, const QString& message)
    : std::runtime_error(message.toUtf8().toStdString()), m_code(code), m_sqlState(std::move(sqlState)) {}

} // namespace db
