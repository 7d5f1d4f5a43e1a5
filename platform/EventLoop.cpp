#include "platform/EventLoop.h"

#include <QCoreApplication>

#include <chrono>

namespace platform {

namespace {
std::function<void()>& hook() {
    static std::function<void()> instance;
    return instance;
}

// Long operations call in here after every row, tens of thousands of times a second, and each
// pass of the toolkit's loop polls the system. A window cannot tell 5 ms from no delay at all,
// so the toolkit runs at most that often; the hook still runs at every call.
constexpr auto intervaloDoLaco = std::chrono::milliseconds(5);

bool horaDoLaco() {
    using Relogio = std::chrono::steady_clock;
    static Relogio::time_point ultima;
    static bool rodou = false;
    const auto agora = Relogio::now();
    if (rodou && agora - ultima < intervaloDoLaco)
        return false;
    rodou = true;
    ultima = agora;
    return true;
}
} // namespace

void processPendingEvents() {
    if (hook())
        hook()();
    if (QCoreApplication::instance() && horaDoLaco())
        QCoreApplication::processEvents();
}

void setPendingEventsHook(std::function<void()> newHook) {
    hook() = std::move(newHook);
}

} // namespace platform
