#pragma once

#include <QString>

namespace bench {

struct MedidaValidacao {
    bool lido = false;
    int erros = 0, avisos = 0;
    double segundos = 0;    // the fastest of the rounds
    double segundosCpu = 0; // processor time of that round
    qint64 picoMemoriaKb = -1;
    qint64 memoriaAntesKb = -1; // resident size of the process before it: the engine's cache, the data module
};

// Validates the generated file `rodadas` times against the "Tabelas Externas" of the current
// folder, as "fcont-cli gerar" does after writing it.
MedidaValidacao MedeValidacao(const QString& arquivo, int rodadas);

} // namespace bench
