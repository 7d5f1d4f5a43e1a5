#pragma once

#include <QString>

// The chart loading and the copy of another set's rows as the per-row statements do them: for
// every account a count of its rows and a read of the highest key over the whole association
// table, each row stored through the grid's dataset and committed on its own. Time grows with
// the square of the chart, so the program runs the bulk routines of data/PlanoContas.h; these
// stay as the reference those must match row for row (keys, values, order, prompt lines).
namespace data {

void CarregaPlanoContasLinhaALinha();
void ImportaPlanoContasECDLinhaALinha(const QString& origem);

} // namespace data
