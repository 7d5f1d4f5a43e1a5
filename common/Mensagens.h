#pragma once

#include <QString>
#include <QStringList>

namespace common {

// Information box; nothing at all when the trimmed text is empty. With abortar the silent abort
// follows the box.
void MostraMensagem(const QString& texto, bool abortar = false);

// Question box with the caller's captions on positions 1..n (at most ten count); returns the
// caption of the button pressed, caption 2 on Escape or close.
QString Pergunta(const QString& pergunta, const QStringList& legendas);

// The two-line "SPED>" progress prompt of the main window, as the prompt's logic sees it.
class PromptView {
public:
    virtual ~PromptView() = default;
    virtual QStringList lines() const = 0;
    virtual void setLines(const QStringList& lines) = 0;
    virtual void repaint() = 0;
    virtual void setMenuEnabled(bool enabled) = 0;
    virtual void setCancelarEnabled(bool enabled) = 0;
    virtual void setGerarEnabled(bool enabled) = 0;
};

// A prompt held in memory only (tests, fcont-cli); it can echo every change to a callback.
class MemoPrompt : public PromptView {
public:
    QStringList lines() const override { return m_lines; }
    void setLines(const QStringList& lines) override { m_lines = lines; }
    void repaint() override {}
    void setMenuEnabled(bool enabled) override { menuEnabled = enabled; }
    void setCancelarEnabled(bool enabled) override { cancelarEnabled = enabled; }
    void setGerarEnabled(bool enabled) override { gerarEnabled = enabled; }

    bool menuEnabled = true;
    bool cancelarEnabled = false;
    bool gerarEnabled = true;

private:
    QStringList m_lines;
};

// Writes the main and detail texts ("SPED>" + trimmed text, each only when not blank), lets
// pending events run, and when `cancelado` is then set shows the abort notice, restores the
// buttons and raises the silent abort. `cancelado` is read after the events ran.
void AtualizaPrompt(PromptView& prompt, const QString& principal, const QString& detalhe,
                    const bool& cancelado);

} // namespace common
