// What a box shows of a failure nothing of ours described: engine errors get our sentence first,
// chosen by any code of the engine's vector, and their own text after "Causa:".
#include "platform/MensagemErro.h"
#include "db/FirebirdError.h"

#include <gtest/gtest.h>

#include <stdexcept>

namespace {

db::FirebirdError erro(QList<long> codigos, const QString& texto) {
    return db::FirebirdError(codigos, QStringList{texto}, QStringLiteral("HY000"), texto);
}

TEST(MensagemErro, EngineErrorsGetOurSentenceThenTheirTextAsCauseAndOtherTextsStayAsTheyAre) {
    EXPECT_EQ(
        platform::MensagemDoErro(db::FirebirdError::lostConnection()),
        QStringLiteral("A conexão com o banco de dados foi perdida.\rCausa: Connection lost to database"));
    // The code that tells the kind may come after the generic one.
    EXPECT_EQ(platform::MensagemDoErro(erro({335544569L, 335544336L}, QStringLiteral("deadlock"))),
              QStringLiteral(
                  "O registro está sendo alterado por outro usuário; tente novamente.\rCausa: deadlock"));
    EXPECT_TRUE(
        platform::MensagemDoErro(erro({335544665L}, QStringLiteral("violation of PRIMARY or UNIQUE KEY")))
            .startsWith(QStringLiteral("O banco de dados recusou a gravação")));
    EXPECT_EQ(platform::MensagemDoErro(
                  erro({335544421L}, QStringLiteral("connection rejected by remote interface"))),
              QStringLiteral("O servidor do banco de dados recusou a conexão.\rCausa: connection rejected by "
                             "remote interface"));
    EXPECT_EQ(platform::MensagemDoErro(erro({335540000L}, QStringLiteral("something new"))),
              QStringLiteral("O banco de dados informou uma falha.\rCausa: something new"));
    EXPECT_EQ(platform::MensagemDoErro(std::runtime_error("Erro: ao carregar Menu.")),
              QStringLiteral("Erro: ao carregar Menu."));
}

} // namespace
