#pragma once

#include "platform/ConsoleDialogs.h"

#include <QMap>
#include <QString>
#include <QStringList>
#include <vector>

namespace bench {

struct ContaDaAmostra {
    int pcCodigo;
    QString tipo;
};

struct MedidaSuperior {
    int chamadasMemoria = 0;
    int chamadasBanco = 0;
    double leituraDoPlanoMs = 0;   // the first in-memory call, which reads the ordered chart
    double memoriaUs = 0;          // per call once the chart is read
    double bancoUs = 0;            // per call, queries every time
    int diferentes = 0;            // answers that differ beyond trailing blanks
    int vazias = 0;                // accounts without a superior (level 1)
};

// Both superior-account searches over the sample of the open parameter set's company; the
// in-memory one is repeated `rodadasMemoria` times, as one round is too short to time.
MedidaSuperior MedeContaSuperior(const std::vector<ContaDaAmostra>& amostra, int rodadasMemoria);

struct MedidaGeracao {
    bool sucesso = false;
    QString arquivo;
    int linhas = 0;
    double segundos = 0;
    QMap<QString, int> linhasPorRegistro;
    // Time from the previous line to each line, added up per record: the statement of the record
    // (or of its parent) and the hooks that built the line.
    QMap<QString, double> segundosPorRegistro;
    int caixas = 0;
    QStringList textosDasCaixas;
};

// One press of "Gerar" on the open parameter set, in the current folder.
MedidaGeracao MedeGeracao(platform::ConsoleDialogs& dialogos);

} // namespace bench
