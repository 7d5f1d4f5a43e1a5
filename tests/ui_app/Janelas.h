#pragma once

#include "ui/main/Aplicacao.h"

#include <QApplication>
#include <QDeadlineTimer>
#include <QKeyEvent>
#include <QTemporaryDir>
#include <QTimer>
#include <QWidget>

#include <functional>

#include <gtest/gtest.h>

namespace testsupport {

// Runs `acao` on the modal window once it is up (its own event loop is running then). Should
// the action leave it open, it closes itself a little later so the test ends.
inline void quandoModal(std::function<void(QWidget*)> acao) {
    QTimer::singleShot(0, [acao = std::move(acao)] {
        QWidget* modal = QApplication::activeModalWidget();
        if (!modal) {
            ADD_FAILURE() << "no modal window is shown";
            return;
        }
        QTimer::singleShot(3000, modal, [modal] { modal->close(); });
        acao(modal);
    });
}

// Lets the event loop run for about `ms` milliseconds, or until `pronto` holds.
inline bool esperaAte(const std::function<bool()>& pronto, int ms) {
    QDeadlineTimer prazo(ms);
    while (!prazo.hasExpired()) {
        if (pronto && pronto())
            return true;
        QCoreApplication::processEvents(QEventLoop::AllEvents, 10);
    }
    return pronto && pronto();
}

inline void pressionaTecla(QWidget* alvo, Qt::Key tecla) {
    QKeyEvent pressiona(QEvent::KeyPress, tecla, Qt::NoModifier);
    QApplication::sendEvent(alvo, &pressiona);
    QKeyEvent solta(QEvent::KeyRelease, tecla, Qt::NoModifier);
    QApplication::sendEvent(alvo, &solta);
}

// Counts the program's terminations instead of ending the event loops of the test process.
class TerminacaoContada {
public:
    TerminacaoContada() {
        ui::DefineTerminacao([this] { ++vezes; });
    }
    ~TerminacaoContada() { ui::DefineTerminacao({}); }
    int vezes = 0;
};

} // namespace testsupport
