#pragma once

#include <QApplication>

namespace ui {

// The desktop program's application object and its one catcher at the event loop: the silent
// abort ends the user's action without a word, any other error goes to the standard error box,
// and nothing reaches the toolkit (which would end the program).
class AplicacaoFCONT : public QApplication {
public:
    AplicacaoFCONT(int& argc, char** argv);
    bool notify(QObject* receiver, QEvent* event) override;
};

// The text the standard error box shows for the exception being handled.
QString TextoDoErroAtual();

// The toolkit's own texts ("Cancel", "Print", "File name:") in Portuguese, from the translations
// the system installs beside the toolkit. False, with a warning on standard error, when they are
// not there: the program then runs with those texts in English.
bool InstalaTraducoesDoToolkit(QCoreApplication& aplicacao);

} // namespace ui
