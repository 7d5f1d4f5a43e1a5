#pragma once

#include "common/Mensagens.h"

#include <QElapsedTimer>
#include <QTimer>

class QAbstractButton;
class QPlainTextEdit;

namespace ui {

// The prompt memo of the main window, with the controls a generation switches: the tree menu,
// "Cancelar" and "Gerar". A generation writes a line per stored row; painting each would cost
// more than the generation, so the memo is painted at most every few dozen milliseconds and the
// last text always reaches the screen through a short timer.
class PromptJanela : public common::PromptView {
public:
    PromptJanela(QPlainTextEdit& memo, QWidget& menu, QAbstractButton& cancelar, QAbstractButton& gerar);

    QStringList lines() const override { return m_linhas; }
    void setLines(const QStringList& linhas) override;
    void repaint() override;
    void setMenuEnabled(bool enabled) override;
    void setCancelarEnabled(bool enabled) override;
    void setGerarEnabled(bool enabled) override;

    // Puts the lines on the memo now.
    void descarrega();
    int pinturas() const { return m_pinturas; }

    static constexpr int intervaloMs = 40;

private:
    QPlainTextEdit& m_memo;
    QWidget& m_menu;
    QAbstractButton& m_cancelar;
    QAbstractButton& m_gerar;
    QStringList m_linhas;
    QElapsedTimer m_desdePintura;
    QTimer m_pendente;
    int m_pinturas = 0;
};

} // namespace ui
