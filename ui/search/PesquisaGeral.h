#pragma once

#include <QString>

namespace ui {

// Opens the general search of a kind (0: the company chart of accounts). On a choice the chosen
// row's fields n1..n4 go to r1..r4 as text (r2..r4 only for names that are not blank) and the
// result is true; otherwise false with every out value untouched.
bool AbrePesquisaGeral(int tipo, QString& r1, QString& r2, QString& r3, QString& r4, const QString& n1,
                       const QString& n2, const QString& n3, const QString& n4);

} // namespace ui
