#pragma once

#include <QString>

#include <exception>

namespace platform {

// What a box or a log line shows of a failure: the exception's own text, the server's for a
// db::FirebirdError. Every layer writes that text in UTF-8.
inline QString TextoDoErro(const std::exception& e) {
    return QString::fromUtf8(e.what());
}

} // namespace platform
