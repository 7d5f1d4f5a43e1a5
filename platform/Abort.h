#pragma once

#include <stdexcept>

namespace platform {

// Ends the whole current user action without a message. The event loop discards it; handlers
// that catch every error see it with the text "Operation aborted".
class SilentAbort : public std::runtime_error {
public:
    SilentAbort() : std::runtime_error("Operation aborted") {}
};

// The user's own "Cancelar" (Ctrl-C at a terminal). The prompt has said so already; the handlers
// that report every other failure with a box let this one through without a word.
class UserCancel : public SilentAbort {};

} // namespace platform
