#pragma once

#include <QPixmap>
#include <QSize>

namespace ui {

// The program's own emblem (ascending ledger bars beside the name), drawn for any size; the
// splash window and the configuration list show it where the design puts the maker's logo.
QPixmap Logotipo(const QSize& tamanho);

// The main window's logo in its top bar: the program's name on a white ground, 174 by 46.
QPixmap LogotipoJanela();

} // namespace ui
