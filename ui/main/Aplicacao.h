#pragma once

#include <QString>
#include <functional>

namespace ui {

// The application title every window copies into its caption: the program's name, " - ", the
// version text of the splash window. Kept apart from QGuiApplication::applicationDisplayName,
// which the window system would append to every other window's caption.
QString TituloAplicacao();
void DefineTituloAplicacao(const QString& titulo);

// Every way out of the login, the configuration list and the main window ends the program
// explicitly: hidden windows alone would leave it running. Tests replace the ending, because
// QCoreApplication::exit also stops every event loop the test starts afterwards.
void TerminaAplicacao();
void DefineTerminacao(std::function<void()> terminacao);

// The login window stays alive but out of sight once a configuration list is up.
void EscondeLogin();

} // namespace ui
