#pragma once

#include <QString>

// Text routines shared by the whole system.
namespace common {

// Removes leading and trailing blanks and control characters (everything <= U+0020), not only
// what QString::trimmed() counts as white space: a value typed with a stray tab or CR must
// compare equal to the clean one, and a line of the file never starts or ends with either.
QString Trim(const QString& text);
QString TrimLeft(const QString& text);
QString TrimRight(const QString& text);

// The SQL string literal of a text: single quotes around, inner single quotes doubled.
QString Q(const QString& text);

// Lays a code out on an account mask: each "9" takes the next code character (blanks and
// control characters taken are dropped), other mask characters are copied (a blank is dropped),
// then "0" pads the result to the mask's length. Empty mask or code give an empty text.
QString AplicaMascara(const QString& mascara, const QString& codigo);

// The n-th field (from 1) of a delimited text; see the rules of the referential chart loader.
QString ExtraiCampo(const QString& texto, QChar delimitador, int n);

// Removes every ".", ",", "/" and "-".
QString LimpaPontuacao(const QString& texto);

// Rounds to two decimals, halves away from zero on the 18-significant-digit decimal expansion
// (0.125 -> 0.13, 2.675 -> 2.67, 1.005 -> 1.00).
double ArredondaValor(double valor);

} // namespace common
