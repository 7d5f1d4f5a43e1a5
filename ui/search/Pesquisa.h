#pragma once

#include <QString>

namespace ui {

// Lets the user pick one row of a kind's source ("Empresa Processada", "Empresa", "Municípios",
// "Plano Contas Referencial") and returns its key. False, with `chave` untouched, when the
// window was closed without a choice. When the window cannot be set up the failure box is shown
// and the silent abort leaves through here, so the caller's command stops.
bool AbrePesquisa(const QString& tipo, QString& chave);

} // namespace ui
