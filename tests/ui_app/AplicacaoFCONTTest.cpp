#include "db/FirebirdError.h"
#include "platform/Abort.h"
#include "platform/ScriptedDialogs.h"

#include <QCoreApplication>
#include <QTimer>

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
    EXPECT_EQ(caixas->texts(), QStringList({"Dynamic SQL Error", "Erro: falhou", "Erro desconhecido."}));

    // The loop goes on delivering events after all of them.
    bool entregue = false;
    disparaPeloLaco([&] { entregue = true; });
    EXPECT_TRUE(entregue);
}
