#pragma once

#include <QSet>
#include <QString>

namespace conferencia {

// The words of an account name as the description match compares them: accents dropped, lower
// case, split at anything that is neither letter nor digit, without stop words and one-letter
// words, each cut to its first five characters.
QSet<QString> Palavras(const QString& nome);

// How much two names share, from 0 (no word) to 1 (the same words): the Dice coefficient of
// their word sets, 2 x shared / (words of one + words of the other).
double Semelhanca(const QSet<QString>& a, const QSet<QString>& b);

} // namespace conferencia
