#include "platform/ConsoleDialogs.h"

#include <gtest/gtest.h>

#include <cstdio>

TEST(ConsoleDialogs, KeepsEveryBoxInOrderAnswersEscapeAndPrintsWithLineFeeds) {
    std::FILE* stream = std::tmpfile();
    ASSERT_NE(stream, nullptr);
    platform::ConsoleDialogs dialogs(stream);
    QStringList shown;
    dialogs.viewer = [&](const QString& path) { shown << path; };

    dialogs.information(QStringLiteral("Operação Abortada: \rdois"));
    EXPECT_EQ(dialogs.question(QStringLiteral("Continua?"), {QStringLiteral("Sim"), QStringLiteral("Não")}),
              2);
    EXPECT_EQ(dialogs.input(QStringLiteral("t"), QStringLiteral("Caminho"), QStringLiteral("x")),
              std::nullopt);
    dialogs.error(QStringLiteral("falhou"));
    dialogs.showFile(QStringLiteral("/tmp/a.txt"));

    EXPECT_EQ(dialogs.texts,
              (QStringList{QStringLiteral("Operação Abortada: \rdois"), QStringLiteral("Continua?"),
                           QStringLiteral("Caminho"), QStringLiteral("falhou")}));
    EXPECT_EQ(dialogs.filesShown, 1);
    EXPECT_EQ(shown, QStringList{QStringLiteral("/tmp/a.txt")});

    std::rewind(stream);
    QByteArray printed(256, '\0');
    printed.resize(static_cast<qsizetype>(std::fread(printed.data(), 1, printed.size(), stream)));
    std::fclose(stream);
    EXPECT_EQ(QString::fromLocal8Bit(printed),
              QStringLiteral("Operação Abortada: \ndois\nContinua? [Sim/Não]: Não\nCaminho\nfalhou\n"));
}

TEST(ConsoleDialogs, ControlCharactersInDataReachTheTerminalAsVisiblePlaceholders) {
    const QString nome = QStringLiteral("Conta\x1b[2J\x07 Caixa\x7f") + QChar(0x9B) + QStringLiteral("31m");
    EXPECT_EQ(platform::terminalText(QStringLiteral("Erro: \r") + nome + QStringLiteral("\r\nfim\tok")),
              QStringLiteral("Erro: \nConta\u241b[2J\u2407 Caixa\u2421\ufffd31m\nfim\tok"));
    EXPECT_EQ(platform::terminalText(QStringLiteral("São Paulo — ação")), QStringLiteral("São Paulo — ação"))
        << "letters of every language stay as they are";
}
