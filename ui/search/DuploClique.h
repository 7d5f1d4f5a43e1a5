#pragma once

#include <QEvent>
#include <QObject>

#include <functional>

namespace ui {

// Double-clicks anywhere in a grid choose, also on a grid without rows (installed on the grid's
// viewport).
class DuploClique : public QObject {
public:
    DuploClique(QObject* pai, std::function<void()> acao) : QObject(pai), m_acao(std::move(acao)) {}
    bool eventFilter(QObject* objeto, QEvent* evento) override {
        if (evento->type() == QEvent::MouseButtonDblClick) {
            m_acao();
            return true;
        }
        return QObject::eventFilter(objeto, evento);
    }

private:
    std::function<void()> m_acao;
};

} // namespace ui
