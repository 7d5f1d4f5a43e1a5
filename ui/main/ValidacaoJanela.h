#pragma once

#include "validacao/Validacao.h"

#include <QObject>
#include <QPointer>

#include <functional>

class QAction;
class QMenu;

namespace generation {
struct ResultadoGeracao;
}

namespace ui {

class TfmAchados;
class TfmPrincipal;

// The checking of FCONT files in the main window: each file "Gerar" writes is validated and its
// summary added to the prompt, and the menu "Validação" validates any file chosen from disk. The
// findings open in one window beside the main one, from which a double-click leads to the page
// where a finding is mended. "Tabelas Externas" are those of the current folder, as for
// fcont-cli validar.
class ValidacaoJanela : public QObject {
public:
    explicit ValidacaoJanela(TfmPrincipal& janela);

    // Before a generation: the summary of the previous file leaves the prompt.
    void antesDeGerar();
    // After a generation: a complete file is validated, "Validação do arquivo: N erros, M avisos"
    // becomes the prompt's third line, and the findings window opens by itself when there are
    // errors; warnings alone wait behind "Achados do Último Arquivo". A partial file is not
    // validated: it is known to be incomplete.
    void depoisDeGerar(const generation::ResultadoGeracao& resultado);

    // "Validar Arquivo FCONT...": the file the user chooses (any FCONT file, also one another
    // program wrote), its findings in the window even when there are none.
    void ValidarArquivoClick();
    // "Achados do Último Arquivo": the window again, as the last validation left it.
    void MostrarAchadosClick();

    // Validates the file and shows its findings in the window; false when it could not be read
    // (the user was told). `abre`: show the window also without errors.
    bool valida(const QString& arquivo, bool abre);

    QMenu* mnValidacao() const { return m_menu; }
    QAction* ValidarArquivo1() const { return m_validarArquivo; }
    QAction* MostrarAchados1() const { return m_mostrarAchados; }
    // Null until a first validation.
    TfmAchados* fmAchados() const;
    const validacao::Achados& ultimosAchados() const { return m_ultimos; }

    // The file dialog of "Validar Arquivo FCONT..."; empty when the user chose none. A seam for
    // the tests.
    using EscolheArquivo = std::function<QString(QWidget* pai)>;
    static EscolheArquivo& escolheArquivoFCONT();

private:
    TfmAchados& janelaAchados();
    static validacao::ResultadoValidacao le(const QString& arquivo);
    void mostra(const QString& arquivo, const validacao::Achados& achados, bool abre);

    TfmPrincipal& m_janela;
    QMenu* m_menu;
    QAction* m_validarArquivo;
    QAction* m_mostrarAchados;
    QPointer<TfmAchados> m_achados;
    validacao::Achados m_ultimos;
};

} // namespace ui
