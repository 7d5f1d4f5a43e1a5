#pragma once

#include "platform/DataSet.h"

#include <QList>
#include <QString>
#include <QStringList>

namespace generation {

// One written field of a record: the record table's visible field, with its rendering class.
struct CampoLeiaute {
    QString nome;
    platform::FieldType tipo = platform::FieldType::String;
    int tamanho = 0;
    int classe = 0;
};

struct RegistroLeiaute {
    QString codigo;
    QList<CampoLeiaute> campos; // REG first, in line order
};

// Every record type in file order with the fields of its line, read from the record tables of
// TdmBlocos themselves, so that a file's reader and its writer cannot disagree. Built once.
const QList<RegistroLeiaute>& LeiauteRegistros();

// The record codes that get a 9900 row, in the order the file lists them.
const QStringList& RegistrosContadosNoBloco9();

} // namespace generation
