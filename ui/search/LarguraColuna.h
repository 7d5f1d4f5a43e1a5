#pragma once

#include <QString>

class QTableView;

namespace ui {

// The grids' column widths were laid out for a small 8-point face, where a digit is 6 pixels wide.
// With a larger face the same widths cut titles, codes and CPF numbers short, so a width grows in
// proportion to the face the grid uses, and never below what the column's title needs. A width
// of 0 stands for the grid's default section size.
int LarguraNaTela(const QTableView& grade, int larguraDoProjeto, const QString& titulo);

} // namespace ui
