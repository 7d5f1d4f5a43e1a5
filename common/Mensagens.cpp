#include "common/Mensagens.h"

#include "common/Texto.h"
#include "platform/Abort.h"
#include "platform/Dialogs.h"
#include "platform/EventLoop.h"

#include <chrono>

namespace common {

namespace {
// The question box has ten standard buttons; captions beyond them have no button to sit on.
constexpr int maxCaptions = 10;
const QString promptPrefix = QStringLiteral("SPED>");

// A generation updates the prompt once per line, tens of thousands of times a second; painting
// each of them would cost more than the line. The texts are always set (a window paints the
// latest of them on its own at the next event processing), the forced paint waits its turn.
constexpr auto intervaloDePintura = std::chrono::milliseconds(40);

bool horaDePintar() {
    using Relogio = std::chrono::steady_clock;
    static Relogio::time_point ultima;
    static bool pintou = false;
    const auto agora = Relogio::now();
    if (pintou && agora - ultima < intervaloDePintura)
        return false;
    pintou = true;
    ultima = agora;
    return true;
}
} // namespace

void MostraMensagem(const QString& texto, bool abortar) {
    // A blank text is how callers say "nothing to report": no box and, deliberately, no abort.
    if (Trim(texto).isEmpty())
        return;
    platform::dialogs().information(texto);
    if (abortar)
        throw platform::SilentAbort();
}

QString Pergunta(const QString& pergunta, const QStringList& legendas) {
    const QStringList offered = legendas.mid(0, maxCaptions);
    const int position = platform::dialogs().question(pergunta, offered);
    if (position < 1 || position > offered.size())
        return {};
    return offered.at(position - 1);
}

void AtualizaPrompt(PromptView& prompt, const QString& principal, const QString& detalhe,
                    const bool& cancelado) {
    QStringList lines = prompt.lines();
    if (lines.size() < 2)
        lines << QString() << QString();
    const QString main = Trim(principal);
    if (!main.isEmpty())
        lines[0] = promptPrefix + main;
    const QString detail = Trim(detalhe);
    if (!detail.isEmpty())
        lines[1] = promptPrefix + detail;
    prompt.setLines(lines);
    if (horaDePintar())
        prompt.repaint();

    // The click on "Cancelar" is only seen while pending events run, so the flag is read after.
    platform::processPendingEvents();
    if (!cancelado)
        return;

    prompt.setMenuEnabled(true);
    lines = prompt.lines();
    if (lines.isEmpty())
        lines << QString() << QString();
    lines[0] = promptPrefix + QStringLiteral("Operação abortada pelo Usuário.");
    prompt.setLines(lines);
    prompt.setCancelarEnabled(false);
    prompt.setGerarEnabled(true);
    throw platform::UserCancel();
}

} // namespace common
