#include "ui/app/AplicacaoFCONT.h"
#include "db/FirebirdError.h"
#include "platform/Abort.h"
#include "platform/ScriptedDialogs.h"

#include <QCoreApplication>
#include <QDialogButtonBox>
#include <QPushButton>
#include <QTimer>

#include <clocale>
#include <cstdio>

#include <gtest/gtest.h>

using platform::ScriptedDialogs;

namespace {

void disparaPeloLaco(std::function<void()> acao) {
    QTimer::singleShot(0, qApp, std::move(acao));
    QCoreApplication::processEvents();
    QCoreApplication::processEvents();
}

} // namespace

TEST(AplicacaoFCONTTest, CatcherDiscardsTheSilentAbortAndShowsEveryOtherErrorInTheErrorBox) {
    platform::ScopedDialogs caixas;

    disparaPeloLaco([] { throw platform::SilentAbort(); });
    EXPECT_TRUE(caixas->boxes().isEmpty());

    disparaPeloLaco([] {
        throw db::FirebirdError(335544569, QStringLiteral("42000"), QStringLiteral("Dynamic SQL Error"));
    });
    disparaPeloLaco([] { throw std::runtime_error("Erro: falhou"); });
    disparaPeloLaco([] { throw 42; });
    ASSERT_EQ(caixas->boxes().size(), 3);
    for (const ScriptedDialogs::Box& caixa : caixas->boxes())
        EXPECT_EQ(caixa.kind, ScriptedDialogs::Kind::Error);
    EXPECT_EQ(caixas->texts(),
              QStringList({"O banco de dados recusou o comando enviado.\rCausa: Dynamic SQL Error",
                           "Erro: falhou", "Erro desconhecido."}))
        << "an engine's text comes after our sentence";

    // The loop goes on delivering events after all of them.
    bool entregue = false;
    disparaPeloLaco([&] { entregue = true; });
    EXPECT_TRUE(entregue);
}

// The application object the desktop program starts with (this test program's main makes it).
TEST(AplicacaoFCONTTest, ToolkitTextsArePortugueseAndNumbersForMachinesKeepTheirPoint) {
    QDialogButtonBox botoes(QDialogButtonBox::Cancel | QDialogButtonBox::Save);
    EXPECT_EQ(botoes.button(QDialogButtonBox::Cancel)->text(), QStringLiteral("Cancelar"));
    EXPECT_EQ(botoes.button(QDialogButtonBox::Save)->text(), QStringLiteral("Salvar"));

    // Whatever the environment's locale, the C library writes a workbook's widths with a point.
    EXPECT_STREQ(std::setlocale(LC_NUMERIC, nullptr), "C");
    char largura[32];
    std::snprintf(largura, sizeof largura, "%g", 11.7109375);
    EXPECT_STREQ(largura, "11.7109");
}
