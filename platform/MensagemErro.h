#pragma once

#include <QString>

#include <exception>

namespace db {
class FirebirdError;
}

namespace platform {

// The sentence of ours that tells the user, in Portuguese, what kind of failure the engine
// reported: the connection lost or refused, the database not found, a login refused, a record
// in use, a rule of the database broken, a statement refused...
QString FraseDoErro(const db::FirebirdError& erro);

// What a box shows of a failure that no routine of ours described: for an engine error our
// sentence first and the engine's own text after "Causa: " on the next line; for anything
// else the exception's text as it is (those texts are ours already).
QString MensagemDoErro(const std::exception& erro);

} // namespace platform
