#pragma once

#include <QMap>
#include <QString>

namespace generation {

// The statement of a record code ("I155"), with its placeholders; empty for a record that has
// none (the closing rows and block 9 are made directly).
QString InstrucaoRegistro(const QString& registro);

// The statement with each "{NAME}" replaced by the value of NAME, as given (quoted by the caller).
QString SubstituiMarcadores(QString instrucao, const QMap<QString, QString>& valores);

} // namespace generation
