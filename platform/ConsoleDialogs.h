#pragma once

#include "platform/Dialogs.h"

#include <QString>
#include <QStringList>
#include <cstdio>
#include <functional>

namespace platform {

// The Dialogs of the programs without windows (fcont-cli, fcont-bench): every box is answered as a
// user who presses Escape would, its text is kept in order and, when a stream is given, printed
// there with its CR line breaks turned into LF.
class ConsoleDialogs : public Dialogs {
public:
    explicit ConsoleDialogs(std::FILE* stream = nullptr) : m_stream(stream) {}

    void information(const QString& text) override;
    void plainMessage(const QString& text) override;
    // Prints the question with its captions and the answer taken (the caption of position 2).
    int question(const QString& text, const QStringList& captions) override;
    std::optional<QString> input(const QString& title, const QString& prompt,
                                 const QString& defaultText) override;
    void error(const QString& text) override;
    void showFile(const QString& path) override;
    void openPage(const QString&) override {}

    // Null keeps the texts without printing them.
    void setStream(std::FILE* stream) { m_stream = stream; }

    // Called by showFile when set; a program without a viewer leaves it empty.
    std::function<void(const QString& path)> viewer;

    QStringList texts;
    int filesShown = 0;

private:
    void keep(const QString& text, const QString& printed);

    std::FILE* m_stream;
};

// A message text as a terminal wants it: the CR of a message box becomes LF, and every other
// control character a visible placeholder, so data can never drive the terminal.
QString terminalText(const QString& text);

} // namespace platform
