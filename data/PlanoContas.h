#pragma once

#include <QString>

// The association rows of the open parameter set in bulk: loading the company's chart, copying
// the rows of another set, deleting them, and reopening the grid's rows. The main window and
// fcont-cli call these same routines; progress goes to dmFCONT->prompt.
namespace data {

// Creates the association rows the open set lacks, one per account of its company's chart
// (synthetic and analytic), with the keys, values and prompt lines of the per-row statements
// (data/PlanoContasLinhaALinha.h) from one read of the chart, of the set's rows and of the highest
// key. Existing rows are left alone, so the loading can be repeated. Rows are committed in
// batches, each before the prompt counts it, and at the end, a cancel or a failure, which keeps
// the rows stored until then. A second loading of the same set meanwhile stops with a warning.
void CarregaPlanoContas();

// Copies every association row of the set whose code is `origem` (a text, as typed) into the open
// set, each with a new key, as the per-row statements do but with one column list and one read of
// the highest key. A text that is no whole number is refused with a warning; any failure of the
// copy shows its message and ends by the silent abort, keeping the rows copied so far (committed
// as the loading's). After a success the grid's rows are reopened. The rows go to the set
// `destino`, or to the open set when it is 0.
void ImportaPlanoContasECD(const QString& origem, qint64 destino = 0);

// Asks for the source set and copies from it into `destino` (0: the open set); a cancelled
// question copies nothing.
void ImportarPlanoContasECD(qint64 destino = 0);

// Deletes every association row of the open set for its current company, after the user's "Sim",
// and reopens the grid's rows.
void ExcluiPlanoContas(bool naoReferenciadas);

// Reopens the association rows of the open set: all of them, or only those still without a
// referential account.
void AbreAssociacoes(bool naoReferenciadas);

} // namespace data
