#include "app/Falhas.h"

#include "data/dmFCONT.h"
#include "db/FirebirdError.h"

namespace app {

QString ConexaoPerdidaTexto() {
    return QStringLiteral("Erro: a conexão com o banco de dados foi perdida.");
}

bool ConexaoPerdida(data::TdmFCONT& dm, const std::exception* falha) {
    if (dm.dbBanco.attachment().lost())
        return true;
    const auto* fb = dynamic_cast<const db::FirebirdError*>(falha);
    return fb && fb->connectionLost();
}

QString FalhaDaConfiguracao(data::TdmFCONT& dm, int configuracao) {
    if (ConexaoPerdida(dm))
        return ConexaoPerdidaTexto();
    if (!dm.quSPED.active())
        return QStringLiteral("Erro: não foi possível abrir a configuração %1.").arg(configuracao);
    if (dm.quSPED.isEmpty())
        return QStringLiteral("Erro: configuração %1 não encontrada.").arg(configuracao);
    return {};
}

QString TextoDaFalha(const std::exception& falha) {
    if (const auto* fb = dynamic_cast<const db::FirebirdError*>(&falha))
        return QStringLiteral("%1 (código %2)").arg(fb->text()).arg(fb->code());
    return QString::fromUtf8(falha.what());
}

QString MensagemDeFalha(const QString& acao, const std::exception& falha) {
    const auto* fb = dynamic_cast<const db::FirebirdError*>(&falha);
    if (fb && fb->connectionLost())
        return {};
    return QStringLiteral("Erro: ") + acao + QStringLiteral(".\n") + TextoDaFalha(falha);
}

} // namespace app
