#pragma once

#include <QString>
#include <QStringList>

namespace app {

// What fcont-cli was asked to do.
struct OpcoesCli {
    QString comando;      // "gerar" or "demo"
    QString banco;        // host:path, or a plain path for an embedded database
    int configuracao = 0; // SPCODIGO of the parameter set
    QString pasta;        // folder that stands for the program's folder
    QString usuario;
    bool semVisualizar = false;
    QString erro;         // set when the arguments cannot be understood
};

OpcoesCli LeOpcoes(const QStringList& argumentos);
QString UsoCli();

// Runs "gerar": connects, brings the schema up to date, opens the parameter set as the main
// window would and generates. Returns the process exit code (0 only when the file is complete).
int ExecutaGerar(const OpcoesCli& opcoes);

// Builds the embedded demo database and its external tables in opcoes.pasta, then generates.
int ExecutaDemo(const OpcoesCli& opcoes);

} // namespace app
