#pragma once

#include <QApplication>
#include <QTimer>
#include <QWidget>
#include <functional>

namespace testsupport {

// Runs `acao` on the modal window of type T as soon as the event loop shows it.
template <typename T> void naJanelaModal(std::function<void(T&)> acao) {
    QTimer::singleShot(0, [acao] {
        QWidget* janela = QApplication::activeModalWidget();
        T* alvo = dynamic_cast<T*>(janela);
        if (!alvo) {
            if (janela)
                janela->close();
            return;
        }
        acao(*alvo);
    });
}

} // namespace testsupport
