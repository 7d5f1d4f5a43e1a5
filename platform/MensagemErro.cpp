#include "platform/MensagemErro.h"

#include "db/FirebirdError.h"
#include "platform/Erro.h"

namespace platform {

namespace {

// The engine's codes, as its client library numbers them.
constexpr long arithExcept = 335544321;
constexpr long deadlock = 335544336;
constexpr long ioError = 335544344;
constexpr long lockConflict = 335544345;
constexpr long notValid = 335544347;
constexpr long connectReject = 335544421;
constexpr long foreignKey = 335544466;
constexpr long login = 335544472;
constexpr long noPriv = 335544352;
constexpr long dsqlError = 335544569;
constexpr long uniqueKey = 335544665;
constexpr long networkError = 335544721;
constexpr long login2 = 335544753;
constexpr long updateConflict = 335544451;
constexpr long convError = 335544334;
constexpr long stringTruncation = 335544914;
constexpr long checkConstraint = 335544558;

bool temCodigo(const db::FirebirdError& erro, std::initializer_list<long> codigos) {
    for (const long codigo : erro.codes())
        for (const long procurado : codigos)
            if (codigo == procurado)
                return true;
    return false;
}

} // namespace

QString FraseDoErro(const db::FirebirdError& erro) {
    // The connection first: a lost one makes every later code meaningless.
    if (erro.connectionLost())
        return QStringLiteral("A conexão com o banco de dados foi perdida.");
    if (temCodigo(erro, {networkError}))
        return QStringLiteral("Não foi possível comunicar com o servidor do banco de dados.");
    if (temCodigo(erro, {connectReject}))
        return QStringLiteral("O servidor do banco de dados recusou a conexão.");
    if (temCodigo(erro, {ioError}))
        return QStringLiteral("O arquivo do banco de dados não pôde ser aberto.");
    if (temCodigo(erro, {login, login2}))
        return QStringLiteral("O servidor não reconheceu o usuário e a senha.");
    if (temCodigo(erro, {noPriv}))
        return QStringLiteral("O usuário não tem permissão para esta operação no banco de dados.");
    if (temCodigo(erro, {deadlock, lockConflict, updateConflict}))
        return QStringLiteral("O registro está sendo alterado por outro usuário; tente novamente.");
    if (temCodigo(erro, {uniqueKey, foreignKey, checkConstraint, notValid}))
        return QStringLiteral("O banco de dados recusou a gravação: uma regra dos dados não foi cumprida.");
    if (temCodigo(erro, {arithExcept, convError, stringTruncation}))
        return QStringLiteral("O banco de dados recusou um valor: tamanho ou formato fora do permitido.");
    if (temCodigo(erro, {dsqlError}))
        return QStringLiteral("O banco de dados recusou o comando enviado.");
    return QStringLiteral("O banco de dados informou uma falha.");
}

QString MensagemDoErro(const std::exception& erro) {
    if (const auto* banco = dynamic_cast<const db::FirebirdError*>(&erro))
        return FraseDoErro(*banco) + QStringLiteral("\rCausa: ") + banco->text();
    return TextoDoErro(erro);
}

} // namespace platform
