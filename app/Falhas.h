#pragma once

#include <QString>

#include <exception>

namespace data {
class TdmFCONT;
}

namespace app {

// The sentence every command ends with when the database connection went away under it.
QString ConexaoPerdidaTexto();

// True when the data module's connection is known to be gone (db::Attachment::lost), or the
// failure itself says so.
bool ConexaoPerdida(data::TdmFCONT& dm, const std::exception* falha = nullptr);

// An engine failure as a person reads it: our sentence first ("Erro: " + acao + "."), then the
// engine's text with its code on the next line. Empty for a lost connection, which a command
// reports once, at its end, with ConexaoPerdidaTexto().
QString MensagemDeFalha(const QString& acao, const std::exception& falha);

// Empty when the parameter set is open with its row; else why not. A set whose statement failed
// (an old database without some column) is "not opened", never "not found".
QString FalhaDaConfiguracao(data::TdmFCONT& dm, int configuracao);

// The engine's text and code alone: "text (código N)"; other failures give their text.
QString TextoDaFalha(const std::exception& falha);

} // namespace app
