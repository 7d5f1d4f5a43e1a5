#pragma once

#include "platform/ConsoleDialogs.h"

#include <QMap>
#include <QString>
#include <QStringList>
#include <tuple>
#include <utility>
#include <vector>

namespace bench {

struct ContaDaAmostra {
    int pcCodigo;
    QString tipo;
};

struct MedidaSuperior {
    int chamadasMemoria = 0;
    int chamadasBanco = 0;
    double leituraDoPlanoMs = 0; // the first in-memory call, which reads the ordered chart
    double memoriaUs = 0;        // per call once the chart is read
    double bancoUs = 0;          // per call, queries every time
    int diferentes = 0;          // answers that differ beyond trailing blanks
    int vazias = 0;              // accounts without a superior (level 1)
};

// Both superior-account searches over the sample of the open parameter set's company; the
// in-memory one is repeated `rodadasMemoria` times, as one round is too short to time.
MedidaSuperior MedeContaSuperior(const std::vector<ContaDaAmostra>& amostra, int rodadasMemoria);

struct MedidaGeracao {
    bool sucesso = false;
    QString arquivo;
    int linhas = 0;
    double segundos = 0;
    double segundosCpu = 0; // of the whole process: the embedded engine works in it too
    QMap<QString, int> linhasPorRegistro;
    // Time from the previous line to each line, added up per record: the statement of the record
    // (or of its parent) and the hooks that built the line.
    QMap<QString, double> segundosPorRegistro;
    int caixas = 0;
    QStringList textosDasCaixas;
    qint64 bytesDoArquivo = 0;
    // The longest time without a call of the pending-events hook, the start and the end of the
    // generation counted as calls: what a window would feel as a freeze.
    double maiorIntervaloMs = 0;
    qint64 chamadasDoGancho = 0;
    // Peak resident memory of the process during the generation (the embedded engine's cache
    // included), or -1 when the system cannot tell.
    qint64 picoMemoriaKb = -1;
};

// One press of "Gerar" on the open parameter set, in the current folder.
MedidaGeracao MedeGeracao(platform::ConsoleDialogs& dialogos);

struct MedidaPiso {
    double segundos = 0;
    double segundosCpu = 0;
    qint64 picoMemoriaKb = -1; // peak resident memory while the statements were read
    qint64 linhas = 0;
    QList<std::tuple<QString, qint64, double>> porInstrucao; // record, rows, seconds
};

// The floor: each statement prepared, opened and read to its last row, nothing else, on the
// data module's transaction.
MedidaPiso MedePiso(const QList<std::pair<QString, QString>>& instrucoes);

} // namespace bench
