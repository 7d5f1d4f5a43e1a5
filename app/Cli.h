#pragma once

#include <QList>
#include <QString>
#include <QStringList>

namespace app {

// What fcont-cli was asked to do.
struct OpcoesCli {
    QString comando;      // the name of a row of ComandosCli()
    QString banco;        // host:path, or a plain path for an embedded database
    int configuracao = 0; // SPCODIGO of the parameter set
    QString pasta;        // folder that stands for the program's folder
    QString usuario;
    bool semVisualizar = false;
    bool detalhes = false; // every swallowed error of the schema upkeep, not only their count
    QString de;            // importar-plano: the set whose associations are copied, as typed
    // relatorio and exportar
    QString relatorio; // "associacao" or "referencial"
    QString pdf, xlsx;
    bool naoReferenciadas = false;
    // validar, and the check after gerar
    QString arquivo, tabelas;
    QString formato = QStringLiteral("texto");
    bool validarEstrito = false;
    // sugerir-referencias
    bool aplicar = false;
    double confianca = 0.8; // the lowest confidence stored with --aplicar, 0 to 1

    bool ajuda = false;  // --help: the usage of the command, or of the program without one
    bool versao = false; // --version
    QString erro;        // set when the arguments cannot be understood
};

// One command of fcont-cli. A new command is one row of ComandosCli() and its routine; a new
// option is one row of the option table in Cli.cpp and a member of OpcoesCli.
struct ComandoCli {
    QString nome{};
    QString descricao{};
    QStringList opcoes{};       // the names of the options it takes, in the order of its usage
    QStringList obrigatorias{}; // those of them it cannot run without
    QStringList argumentos{};   // the words its one positional argument may be (then required)
    QString arquivo{};          // or the name of its one free positional argument, a file (required)
    QString pasta{};            // the folder taken without --pasta
    int (*executa)(const OpcoesCli&) = nullptr;
    bool pinta = false; // paints a report: the program needs a graphical application object
};

const QList<ComandoCli>& ComandosCli();

// Reads the arguments after the program's name.
OpcoesCli LeOpcoes(const QStringList& argumentos);

// The usage of one command, or of the whole program for an empty or unknown name.
QString UsoCli(const QString& comando = {});

// "fcont-cli - " and the version line the desktop program shows on its splash.
QString TituloCli();

// The whole program after main's set-up: reads the arguments and runs the command. Help and
// version go to standard output with 0; arguments it cannot use to standard error with the
// usage and 2; otherwise the command's own exit code.
int ExecutaCli(const QStringList& argumentos);

// SIGINT, SIGTERM and SIGHUP first only raise a flag that the run checks at every pending-events
// point (and after the connection and the loading), so an interrupted run ends as a cancelled
// one, with 130. A second signal, or a run that has not ended a few seconds after the first (a
// call that does not return), ends the program at once, also with 130: files still being written
// are removed first. To be called first thing in main, before any thread exists.
void InstalaSinais();

// Runs "gerar": connects, brings the schema up to date, opens the parameter set as the main
// window would and generates. Returns the process exit code (0 only when the file is complete,
// 130 when a signal stopped the run: its partial file is then named incomplete).
int ExecutaGerar(const OpcoesCli& opcoes);

// "carregar-plano" and "importar-plano": the chart loading and the copy of another set's
// associations into set opcoes.configuracao, through the routines of the main window's menu.
// Boxes go to stderr, progress lines to stdout; 0 only when the routine ended normally.
int ExecutaPlano(const OpcoesCli& opcoes);

// Runs "validar" over opcoes.arquivo (app/Validar.h).
int ExecutaValidarCli(const OpcoesCli& opcoes);

// "conferir": the conferência of the open set, one finding a line (as "validar" prints them),
// 1 when there are errors, 2 when the set could not be opened or read. "sugerir-referencias":
// the suggestions for its accounts without a referential account; with --aplicar those at or
// above --confianca are stored through the association rows, and their count printed.
int ExecutaConferir(const OpcoesCli& opcoes);
int ExecutaSugerir(const OpcoesCli& opcoes);

// Builds the embedded demo database and its external tables in opcoes.pasta, then generates.
int ExecutaDemo(const OpcoesCli& opcoes);

// "relatorio" writes the association or referential chart report as a PDF; "exportar" writes the
// association rows to an .xlsx workbook. Both load the set as the main window does and run the
// routines its menu runs. The file's path goes to standard output; 0 only when it was written,
// 130 when a signal stopped the run (the file is then not written: an earlier one stays).
int ExecutaRelatorio(const OpcoesCli& opcoes);
int ExecutaExportar(const OpcoesCli& opcoes);

// True when the command paints (a report), so the program needs a graphical application object.
bool PrecisaDePintura(const QString& comando);

} // namespace app
