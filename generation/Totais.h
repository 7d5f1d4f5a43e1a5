#pragma once

#include <QString>

namespace generation {

// Appends and stores the 9900 row counting `quantidade` records of `codigo`. Any failure shows
// "Erro: ao totalizar Registros "<codigo>"." and ends in the silent abort.
void TotalizaRegistro(const QString& codigo, int quantidade);

// The block closings, stored from the current row counts of dmBlocos's tables (each counts
// itself). Failures pass through without a message of their own.
void GravaI990();
void GravaJ990();
void GravaM990();
// 9001, the 22 rows of 9900, 9990 and 9999.
void GravaBloco9();

} // namespace generation
