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

} // namespace ui
