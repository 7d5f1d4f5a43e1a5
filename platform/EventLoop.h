#pragma once

#include <functional>

namespace platform {

// Lets the toolkit process pending input (the moment a press of "Cancelar" is noticed during a
// long operation); the toolkit's loop runs at most every few milliseconds. Without a
// QCoreApplication it does nothing. Tests and fcont-cli add a hook
// that runs at every call, to press "Cancelar" at a chosen moment or to notice Ctrl-C.
void processPendingEvents();
void setPendingEventsHook(std::function<void()> hook);

} // namespace platform
