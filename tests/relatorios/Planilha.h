#pragma once

#include <QMap>
#include <QString>

namespace testsupport {

// The first sheet of an .xlsx file as cell reference ("A1") to text, read back by unzipping it:
// shared strings resolved, numbers as written. Column widths by 1-based column.
struct Planilha {
    QMap<QString, QString> celulas;
    QMap<int, double> larguras;
    QString erro;
};

Planilha LePlanilha(const QString& arquivo);

} // namespace testsupport
