#include "platform/ConsoleDialogs.h"

namespace platform {

QString terminalText(const QString& text) {
    QString t = text;
    t.replace(QStringLiteral("\r\n"), QStringLiteral("\n")).replace(QLatin1Char('\r'), QLatin1Char('\n'));
    // Data reaches the terminal here (names, codes, the server's texts): an escape or a bell in it
    // would be obeyed by the terminal, so every control character but the line break and the tab
    // is shown as its picture (U+2400 + code, U+2421 for DEL) and the C1 codes as U+FFFD.
    for (QChar& c : t) {
        const char16_t u = c.unicode();
        if (u == u'\n' || u == u'\t')
            continue;
        if (u < 0x20)
            c = QChar(char16_t(0x2400 + u));
        else if (u == 0x7F)
            c = QChar(char16_t(0x2421));
        else if (u >= 0x80 && u < 0xA0)
            c = QChar(char16_t(0xFFFD));
    }
    return t;
}

void ConsoleDialogs::keep(const QString& text, const QString& printed) {
    texts << text;
    if (m_stream) {
        std::fprintf(m_stream, "%s\n", terminalText(printed).toLocal8Bit().constData());
        std::fflush(m_stream);
    }
}

void ConsoleDialogs::information(const QString& text) {
    keep(text, text);
}

void ConsoleDialogs::plainMessage(const QString& text) {
    keep(text, text);
}

int ConsoleDialogs::question(const QString& text, const QStringList& captions) {
    keep(text, text + QStringLiteral(" [") + captions.join(QLatin1Char('/')) + QStringLiteral("]: ") +
                   captions.value(1));
    return 2;
}

std::optional<QString> ConsoleDialogs::input(const QString&, const QString& prompt, const QString&) {
    keep(prompt, prompt);
    return std::nullopt;
}

void ConsoleDialogs::error(const QString& text) {
    keep(text, text);
}

void ConsoleDialogs::showFile(const QString& path) {
    ++filesShown;
    if (viewer)
        viewer(path);
}

} // namespace platform
