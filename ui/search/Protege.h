#pragma once

#include "platform/Abort.h"
#include "platform/Dialogs.h"

#include <QApplication>
#include <exception>

namespace ui {

// A slot's work: the silent abort ends it quietly, anything else is shown in the standard error
// box, as the event loop would, and never crosses the toolkit's event dispatch.
template <typename F> void protege(F&& acao) {
    try {
        acao();
    } catch (const platform::SilentAbort&) {
    } catch (const std::exception& e) {
        platform::dialogs().error(QString::fromUtf8(e.what()));
    }
}

struct CursorAmpulheta {
    CursorAmpulheta() { QApplication::setOverrideCursor(Qt::WaitCursor); }
    ~CursorAmpulheta() { QApplication::restoreOverrideCursor(); }
    CursorAmpulheta(const CursorAmpulheta&) = delete;
    CursorAmpulheta& operator=(const CursorAmpulheta&) = delete;
};

} // namespace ui
