#pragma once

#include <QDate>
#include <QString>

namespace common {

// Filter condition of the general search window; every condition begins with " and ".
// tipoCampo is the data-access field-type code (1/16 text, 2/3/25 integer, 6/7 real,
// 9/11 date, 10 time, 36 timestamp). Unreadable values show their message in a plain box and
// raise the silent abort.
QString MontaFiltro(const QString& campo, const QString& valor1, const QString& valor2,
                    const QString& operador, int tipoCampo);
// The same with the date that stands for "00/00/00" given.
QString MontaFiltro(const QString& campo, const QString& valor1, const QString& valor2,
                    const QString& operador, int tipoCampo, const QDate& hoje);

} // namespace common
