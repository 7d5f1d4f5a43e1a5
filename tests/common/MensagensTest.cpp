#include "common/Mensagens.h"

#include "platform/Abort.h"
#include "platform/EventLoop.h"
#include "platform/ScriptedDialogs.h"

#include <gtest/gtest.h>

#include <chrono>
#include <thread>

using common::AtualizaPrompt;
using common::MemoPrompt;
using common::MostraMensagem;
using common::Pergunta;
using platform::ScopedDialogs;
using platform::ScriptedDialogs;

namespace {

class MensagensTest : public ::testing::Test {
protected:
    ~MensagensTest() override { platform::setPendingEventsHook({}); }
    ScopedDialogs dialogs;
};

} // namespace

TEST_F(MensagensTest, MostraMensagemShowsTheUntrimmedTextAndAbortsOnlyWhenAsked) {
    MostraMensagem("  Aviso: conta sem referencial.\r ");
    EXPECT_THROW(MostraMensagem("Erro: falhou.", true), platform::SilentAbort);

    ASSERT_EQ(dialogs->boxes().size(), 2);
    EXPECT_EQ(dialogs->boxes()[0].kind, ScriptedDialogs::Kind::Information);
    EXPECT_EQ(dialogs->texts(), QStringList({"  Aviso: conta sem referencial.\r ", "Erro: falhou."}));
}

TEST_F(MensagensTest, MostraMensagemWithABlankTextShowsNothingEvenWhenAborting) {
    EXPECT_NO_THROW(MostraMensagem(" \r\n\t ", true));
    EXPECT_NO_THROW(MostraMensagem(QString(), true));
    EXPECT_TRUE(dialogs->boxes().isEmpty());
}

TEST_F(MensagensTest, CatchAllHandlerAfterAnAbortingMessageGivesAChainOfBoxes) {
    try {
        try {
            MostraMensagem("Erro: Conta inexistente.", true);
        } catch (const std::exception& e) {
            MostraMensagem(QString("Erro: ") + e.what(), true);
        }
    } catch (const platform::SilentAbort&) {
    }
    EXPECT_EQ(dialogs->texts(), QStringList({"Erro: Conta inexistente.", "Erro: Operation aborted"}));
}

TEST_F(MensagensTest, PerguntaAnswersWithTheCaptionOfThePositionPressed) {
    dialogs->answerNext("Referencial");
    EXPECT_EQ(Pergunta("Qual relatório?", {"Associação", "Referencial"}), "Referencial");
    dialogs->answerNext("Sim");
    EXPECT_EQ(Pergunta("Excluir?", {"Sim", "Não"}), "Sim");
    // Escape and closing the box answer position 2.
    EXPECT_EQ(Pergunta("Excluir?", {"Sim", "Não"}), "Não");
    // With a single caption there is nothing at position 2.
    EXPECT_EQ(Pergunta("Só um?", {"OK"}), QString());

    ASSERT_EQ(dialogs->boxes().size(), 4);
    EXPECT_EQ(dialogs->boxes()[0].kind, ScriptedDialogs::Kind::Question);
    EXPECT_EQ(dialogs->boxes()[0].captions, QStringList({"Associação", "Referencial"}));
}

TEST_F(MensagensTest, PerguntaOffersOnlyTheFirstTenCaptions) {
    QStringList captions;
    for (int i = 1; i <= 12; ++i)
        captions << QString("C%1").arg(i);
    dialogs->answerNext("C10");
    EXPECT_EQ(Pergunta("?", captions), "C10");
    EXPECT_EQ(dialogs->boxes()[0].captions.size(), 10);
    dialogs->answerNext("C11");
    EXPECT_THROW(Pergunta("?", captions), std::logic_error);
}

TEST_F(MensagensTest, PromptWritesTrimmedTextsAndKeepsTheLineNotRewritten) {
    MemoPrompt prompt;
    AtualizaPrompt(prompt, "  Gerando Bloco I  ", "", false);
    EXPECT_EQ(prompt.lines(), QStringList({"SPED>Gerando Bloco I", ""}));

    AtualizaPrompt(prompt, "", "Registro I050", false);
    EXPECT_EQ(prompt.lines(), QStringList({"SPED>Gerando Bloco I", "SPED>Registro I050"}));

    AtualizaPrompt(prompt, "Gerando Bloco J", " ", false);
    EXPECT_EQ(prompt.lines(), QStringList({"SPED>Gerando Bloco J", "SPED>Registro I050"}));
    EXPECT_TRUE(dialogs->boxes().isEmpty());
}

TEST_F(MensagensTest, PromptRunsPendingEventsEvenWithNothingToWrite) {
    MemoPrompt prompt;
    int calls = 0;
    platform::setPendingEventsHook([&] { ++calls; });
    AtualizaPrompt(prompt, "", "", false);
    EXPECT_EQ(calls, 1);
    EXPECT_EQ(prompt.lines(), QStringList({"", ""}));
}

TEST_F(MensagensTest, PromptWithCancelSetShowsTheNoticeRestoresButtonsAndAborts) {
    MemoPrompt prompt;
    prompt.menuEnabled = false;
    prompt.cancelarEnabled = true;
    prompt.gerarEnabled = false;
    const bool cancelado = true;

    EXPECT_THROW(AtualizaPrompt(prompt, "", "", cancelado), platform::SilentAbort);
    EXPECT_EQ(prompt.lines(), QStringList({"SPED>Operação abortada pelo Usuário.", ""}));
    EXPECT_TRUE(prompt.menuEnabled);
    EXPECT_FALSE(prompt.cancelarEnabled);
    EXPECT_TRUE(prompt.gerarEnabled);

    // The flag is not cleared by the abort: the next call aborts again, keeping the detail line.
    EXPECT_THROW(AtualizaPrompt(prompt, "Importando", "linha 1", cancelado), platform::SilentAbort);
    EXPECT_EQ(prompt.lines(), QStringList({"SPED>Operação abortada pelo Usuário.", "SPED>linha 1"}));
    EXPECT_TRUE(dialogs->boxes().isEmpty());
}

TEST_F(MensagensTest, PromptSeesACancelPressedWhileEventsRun) {
    MemoPrompt prompt;
    bool cancelado = false;
    platform::setPendingEventsHook([&] { cancelado = true; });
    EXPECT_THROW(AtualizaPrompt(prompt, "Gerando", "I155", cancelado), platform::SilentAbort);
    EXPECT_EQ(prompt.lines(), QStringList({"SPED>Operação abortada pelo Usuário.", "SPED>I155"}));
}

TEST_F(MensagensTest, PromptPaintsAFewDozenTimesASecondButSeesEveryCancel) {
    struct PromptContado : MemoPrompt {
        void repaint() override { ++pinturas; }
        int pinturas = 0;
    } prompt;
    bool cancelado = false;
    int eventos = 0;
    const int chamadas = 20000;
    platform::setPendingEventsHook([&] {
        if (++eventos == chamadas)
            cancelado = true;
    });
    std::this_thread::sleep_for(std::chrono::milliseconds(50));
    const auto inicio = std::chrono::steady_clock::now();
    for (int i = 1; i < chamadas; ++i)
        AtualizaPrompt(prompt, "Gerando", QString::number(i), cancelado);
    const auto ms =
        std::chrono::duration_cast<std::chrono::milliseconds>(std::chrono::steady_clock::now() - inicio);
    EXPECT_EQ(prompt.lines().value(1), QString("SPED>%1").arg(chamadas - 1)) << "every text is set";
    EXPECT_GE(prompt.pinturas, 1) << "the first update is painted";
    EXPECT_LE(prompt.pinturas, 1 + ms.count() / 40);
    EXPECT_THROW(AtualizaPrompt(prompt, "Gerando", "ultima", cancelado), platform::SilentAbort);
    EXPECT_EQ(eventos, chamadas) << "events ran at every update";
    platform::setPendingEventsHook({});

    std::this_thread::sleep_for(std::chrono::milliseconds(50));
    const int antes = prompt.pinturas;
    AtualizaPrompt(prompt, "Gerando", "depois", false);
    EXPECT_EQ(prompt.pinturas, antes + 1) << "an update after a pause is painted at once";
}
