#include "platform/ConsoleDialogs.h"

namespace platform {

QString terminalText(const QString& text) {
    QString t = text;
    return t.replace(QStringLiteral("\r\n"), QStringLiteral("\n"))
        .replace(QLatin1Char('\r'), QLatin1Char('\n'));
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
