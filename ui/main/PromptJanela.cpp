#include "ui/main/PromptJanela.h"

#include <QAbstractButton>
#include <QPlainTextEdit>

namespace ui {

PromptJanela::PromptJanela(QPlainTextEdit& memo, QWidget& menu, QAbstractButton& cancelar,
                           QAbstractButton& gerar)
    : m_memo(memo), m_menu(menu), m_cancelar(cancelar), m_gerar(gerar) {
    m_pendente.setSingleShot(true);
    m_pendente.setInterval(intervaloMs);
    QObject::connect(&m_pendente, &QTimer::timeout, [this] { descarrega(); });
}

void PromptJanela::setLines(const QStringList& linhas) {
    m_linhas = linhas;
    if (!m_pendente.isActive())
        m_pendente.start();
}

void PromptJanela::repaint() {
    if (!m_desdePintura.isValid() || m_desdePintura.elapsed() >= intervaloMs) {
        descarrega();
        m_memo.repaint();
    }
}

void PromptJanela::descarrega() {
    m_pendente.stop();
    const QString texto = m_linhas.join(QLatin1Char('\n'));
    if (m_memo.toPlainText() != texto || m_linhas.isEmpty())
        m_memo.setPlainText(texto);
    m_desdePintura.restart();
    ++m_pinturas;
}

void PromptJanela::setMenuEnabled(bool enabled) {
    m_menu.setEnabled(enabled);
}
void PromptJanela::setCancelarEnabled(bool enabled) {
    m_cancelar.setEnabled(enabled);
}
void PromptJanela::setGerarEnabled(bool enabled) {
    m_gerar.setEnabled(enabled);
}

} // namespace ui
