#include "common/ExecutaPrograma.h"

#include "platform/Dialogs.h"

namespace common {

void ExecutaPrograma(const QString& programa, const QString& parametros) {
    // The program named ("Notepad.exe") stands for the user's text viewer, which the installed
    // dialogs start; the parameter is the file, written with the original folder separator.
    (void)programa;
    QString arquivo = parametros.left(1024);
    arquivo.replace(QLatin1Char('\\'), QLatin1Char('/'));
    try {
        platform::dialogs().showFile(arquivo);
    } catch (...) {
    }
}

} // namespace common
