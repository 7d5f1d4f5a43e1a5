#include "ui/search/CoresPlano.h"

#include "data/dmFCONT.h"

#include <QDateTime>

namespace ui {

CoresPlano CoresLinhaPlano(const QString& tipoConta, const QVariant& fimValidade,
                           const QVariant& inicioPeriodo) {
    CoresPlano cores{Qt::white, Qt::black};
    if (tipoConta == QLatin1String("S"))
        cores = {QColor(166, 202, 240), QColor(0, 0, 128)};
    const bool temFim = fimValidade.isValid() && !fimValidade.isNull();
    const bool temInicio = inicioPeriodo.isValid() && !inicioPeriodo.isNull();
    // Days, not instants: a start stored with a time of day is still that day.
    if (temFim && temInicio && inicioPeriodo.toDate() > fimValidade.toDate())
        cores = {QColor(255, 0, 0), Qt::white};
    return cores;
}

QVariant InicioDoPeriodo() {
    if (!data::dmFCONT || !data::dmFCONT->quSPED.active())
        return {};
    const platform::Field* inicio = data::dmFCONT->quSPED.findField(QStringLiteral("R0000DT_INI"));
    return inicio ? inicio->value() : QVariant();
}

} // namespace ui
