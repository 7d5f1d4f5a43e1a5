#include "ui/main/PromptJanela.h"

#include "ui/main/TfmPrincipal.h"

#include <QPlainTextEdit>
#include <QToolButton>
#include <QTreeWidget>

namespace ui {

PromptJanela::PromptJanela(TfmPrincipal& janela) : m_janela(janela) {
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
        m_janela.mePrompt->repaint();
    }
}

void PromptJanela::descarrega() {
    m_pendente.stop();
    const QString texto = m_linhas.join(QLatin1Char('\n'));
    if (m_janela.mePrompt->toPlainText() != texto || m_linhas.isEmpty())
        m_janela.mePrompt->setPlainText(texto);
    m_desdePintura.restart();
    ++m_pinturas;
}

void PromptJanela::setMenuEnabled(bool enabled) {
    m_janela.tvMenu->setEnabled(enabled);
}
void PromptJanela::setCancelarEnabled(bool enabled) {
    m_janela.btCancelar->setEnabled(enabled);
}
void PromptJanela::setGerarEnabled(bool enabled) {
    m_janela.btGerar->setEnabled(enabled);
}

} // namespace ui
