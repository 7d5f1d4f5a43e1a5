#pragma once

#include <QString>

namespace db {

// The services manager's security service. displayUser attaches to "host:service_mgr" (or the
// local "service_mgr" with an empty host) with the given credentials — this is where the
// server checks them — and asks for the account of userName. Throws FirebirdError.
void displayUser(const QString& host, const QString& user, const QString& password, const QString& userName);

} // namespace db
