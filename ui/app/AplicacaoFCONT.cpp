#include "ui/app/AplicacaoFCONT.h"

#include "platform/Abort.h"
#include "platform/Dialogs.h"
#include "platform/MensagemErro.h"
#include "platform/Regional.h"

#include <QLibraryInfo>
#include <QTranslator>
#include <cstdio>

namespace ui {

AplicacaoFCONT::AplicacaoFCONT(int& argc, char** argv) : QApplication(argc, argv) {
    // Only an explicit termination ends the program: the splash window is hidden, not closed, and
    // the login is hidden while the configuration list is up.
    setQuitOnLastWindowClosed(false);
    platform::regional::keepMachineNumbers();
    InstalaTraducoesDoToolkit(*this);
}

bool InstalaTraducoesDoToolkit(QCoreApplication& aplicacao) {
    auto* tradutor = new QTranslator(&aplicacao);
    const QString pasta = QLibraryInfo::path(QLibraryInfo::TranslationsPath);
    if (!tradutor->load(QStringLiteral("qtbase_pt_BR"), pasta) || !aplicacao.installTranslator(tradutor)) {
        delete tradutor;
        std::fprintf(stderr, "Aviso: traduções do Qt para pt_BR não encontradas em %s\n",
                     pasta.toLocal8Bit().constData());
        return false;
    }
    return true;
}

QString TextoDoErroAtual() {
    try {
        throw;
    } catch (const std::exception& e) {
        // An engine's text is English and technical: our sentence comes first.
        return platform::MensagemDoErro(e);
    } catch (...) {
        return QStringLiteral("Erro desconhecido.");
    }
}

bool AplicacaoFCONT::notify(QObject* receiver, QEvent* event) {
    try {
        return QApplication::notify(receiver, event);
    } catch (const platform::SilentAbort&) {
    } catch (...) {
        const QString texto = TextoDoErroAtual();
        try {
            platform::dialogs().error(texto);
        } catch (...) {
            // The box itself failed (no screen, out of memory): the log is all that is left.
            std::fprintf(stderr, "%s\n", texto.toLocal8Bit().constData());
        }
    }
    return false;
}

} // namespace ui
