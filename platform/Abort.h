#pragma once

#include <stdexcept>

namespace platform {

// Ends the whole current user action without a message. The event loop discards it; handlers
// that catch every error see it with the text "Operation aborted".
class SilentAbort : public std::runtime_error {
public:
    SilentAbort() : std::runtime_error("Operation aborted") {}
};

} // namespace platform
