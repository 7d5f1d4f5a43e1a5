#pragma once

#include "validacao/Achado.h"
#include "validacao/ArquivoFCONT.h"
#include "validacao/TabelasExternas.h"

#include <QString>

namespace validacao {

// Every rule over one file, in the order of the file's records; the file is only read.
Achados ValidaArquivo(const ArquivoFCONT& arquivo, const TabelasExternas& tabelas);

struct ResultadoValidacao {
    bool lido = false; // false when the file or one of the tables could not be read
    QString motivo;    // why, when not
    Achados achados;
};

// Reads the file and the tables of `pastaTabelas` ("Tabelas Externas"; those missing are left
// out) and validates.
ResultadoValidacao ValidaArquivoFCONT(const QString& caminho, const QString& pastaTabelas);

} // namespace validacao
