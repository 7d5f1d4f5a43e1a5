#pragma once

#include <QString>
#include <QStringList>
#include <functional>

class QWidget;

namespace ui {

// FCONT.ini lives beside the program, not in the current folder. Tests point elsewhere.
QString PastaPrograma();
void DefinePastaPrograma(const QString& pasta);
QString ArquivoConfiguracao();

// The file is a plain list of lines (no sections): 1 the database as host:path, or a plain
// path for the engine inside the program; 2 a marker; 3 the user offered at the next login.
QStringList LeLinhasConfiguracao();
void GravaLinhasConfiguracao(const QStringList& linhas);

// The host the credential check goes to: the text before the first ":" of the database line,
// empty for a plain path (the local engine).
QString HostDoBanco(const QString& linhaBanco);

// Reconnects the data module's database with these credentials, running the schema upkeep,
// and starts its transaction. Aborts silently, after a message, when FCONT.ini has gone.
void ConectarBanco(const QString& usuario, const QString& senha);

// Creates the main window once and shows it. The entry decides which window that is.
void AbrirSistema();
void DefineCriacaoJanelaPrincipal(std::function<QWidget*()> criacao);
QWidget* JanelaPrincipal();
void LiberaJanelaPrincipal();

} // namespace ui
