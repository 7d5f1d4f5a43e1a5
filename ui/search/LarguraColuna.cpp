#include "ui/search/LarguraColuna.h"

#include <QFontMetrics>
#include <QHeaderView>
#include <QStyle>
#include <QTableView>

#include <algorithm>

namespace ui {

namespace {

// Ten digits in the face the widths were drawn for.
constexpr double dezDigitosNoProjeto = 60.0;

} // namespace

int LarguraNaTela(const QTableView& grade, int larguraDoProjeto, const QString& titulo) {
    const QHeaderView& cabecalho = *grade.horizontalHeader();
    const int base = larguraDoProjeto > 0 ? larguraDoProjeto : cabecalho.defaultSectionSize();
    const double escala = std::max(1.0, grade.fontMetrics().horizontalAdvance(QStringLiteral("0000000000")) /
                                            dezDigitosNoProjeto);
    const int margem = 2 * cabecalho.style()->pixelMetric(QStyle::PM_HeaderMargin, nullptr, &cabecalho) + 6;
    return std::max(qRound(base * escala), cabecalho.fontMetrics().horizontalAdvance(titulo) + margem);
}

} // namespace ui
