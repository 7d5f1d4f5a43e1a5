#pragma once

#include "validacao/Achado.h"

namespace ui {

class TfmPrincipal;

// Brings the main window forward on the page where the finding is mended: the chart page with the
// finding's account current in the association grid (the filter of the accounts without a
// referential account is cleared when it hides the account), or the page of record 0000, J930,
// M020 or M030. Returns false when the finding has no such place, or its account is not among
// the set's associations (the user is told).
bool MostraOndeCorrigir(TfmPrincipal& janela, const validacao::Achado& achado);

// Makes the association row of the account current, matching the file's spelling of the code
// (masked or not) with the chart's; false when no row of the open set has it.
bool LocalizaContaAssociacao(const QString& conta);

} // namespace ui
