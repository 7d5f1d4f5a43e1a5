#include "platform/EventLoop.h"

#include <QCoreApplication>

namespace platform {

namespace {
std::function<void()>& hook() {
    static std::function<void()> instance;
    return instance;
}
} // namespace

void processPendingEvents() {
    if (hook())
        hook()();
    if (QCoreApplication::instance())
        QCoreApplication::processEvents();
}

void setPendingEventsHook(std::function<void()> newHook) { hook() = std::move(newHook); }

} // namespace platform
