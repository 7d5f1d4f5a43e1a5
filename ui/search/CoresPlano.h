#pragma once

#include <QColor>
#include <QString>
#include <QVariant>

namespace ui {

// The colours of a row of a chart of accounts (the association grid, the referential chart's
// lookup): synthetic accounts stand out in blue, and a referential account whose validity ended
// before the period starts turns the row red, whatever its type.
struct CoresPlano {
    QColor fundo;
    QColor texto;
};
CoresPlano CoresLinhaPlano(const QString& tipoConta, const QVariant& fimValidade,
                           const QVariant& inicioPeriodo);

// The start of the open parameter set's period; null without an open set.
QVariant InicioDoPeriodo();

} // namespace ui
