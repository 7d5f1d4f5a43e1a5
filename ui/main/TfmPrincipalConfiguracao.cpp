#include "ui/main/TfmPrincipal.h"

#include "common/Mensagens.h"
#include "data/Carregamento.h"
#include "data/dmFCONT.h"
#include "data/uFCONT.h"
#include "ui/main/PromptJanela.h"

#include <QKeySequence>
#include <QToolButton>

// Choosing, saving and deleting the parameter set from the main window, and the command keys.
namespace ui {

using data::dmFCONT;

void TfmPrincipal::montaAtalhos() {
    // A disabled button takes no key: Escape reaches "Cancelar" only while an operation runs, and
    // closes a cell editor otherwise.
    const struct {
        QToolButton* botao;
        QKeySequence tecla;
    } atalhos[] = {{m_btSalvar, QKeySequence(Qt::CTRL | Qt::Key_S)},
                   {m_btGerar, QKeySequence(Qt::Key_F9)},
                   {m_btCancelar, QKeySequence(Qt::Key_Escape)}};
    for (const auto& a : atalhos) {
        a.botao->setShortcut(a.tecla);
        a.botao->setToolTip(
            QStringLiteral("%1 (%2)").arg(a.botao->text(), a.tecla.toString(QKeySequence::NativeText)));
    }
}

void TfmPrincipal::informaNoPrompt(const QString& texto) {
    static const bool nuncaCancelado = false;
    common::AtualizaPrompt(*m_prompt, QString(), texto, nuncaCancelado);
}

void TfmPrincipal::btConfigClick() {
    int codigo = CodigoConfiguracao;
    QString acao;
    if (selecionaConfiguracao() && selecionaConfiguracao()(codigo, acao))
        CodigoConfiguracao = codigo;
    else
        acao.clear();
    CarregaConfiguracoes();
    if (acao == QStringLiteral("NOVO") && dmFCONT->quSPED.state() != platform::DataSetState::Insert)
        data::NovoRegistro(dmFCONT->quSPED);
    else if (acao == QStringLiteral("EXCLUIR"))
        excluiConfiguracao();
}

void TfmPrincipal::btSalvarClick() {
    platform::Query& sped = dmFCONT->quSPED;
    data::GravaRegistro(sped);
    if (!sped.active() || sped.isEmpty())
        return;
    const qint64 codigo = sped.fieldByName(QStringLiteral("SPCODIGO")).asInteger();
    // The set just stored is the one the user goes on with (a new one may have been stored
    // already by the municipality's lookup or the rename): its chart and signatories are loaded
    // with it, instead of a fresh new set or the set that was highlighted in the list.
    CodigoConfiguracao = static_cast<int>(codigo);
    CarregaConfiguracoes();
    informaNoPrompt(QStringLiteral("Configuração %1 salva.").arg(codigo));
}

void TfmPrincipal::excluiConfiguracao() {
    platform::Query& sped = dmFCONT->quSPED;
    if (!sped.active() || sped.isEmpty())
        return;
    const qint64 codigo = sped.fieldByName(QStringLiteral("SPCODIGO")).asInteger();
    const int antes = sped.recordCount();
    data::ExcluiRegistro(sped);
    if (sped.recordCount() == antes)
        return;
    if (CodigoConfiguracao == codigo)
        CodigoConfiguracao = 0;
    data::ExcluiLinhasDoConjunto(codigo);
    // At the window's creation the prompt is written anew when the window shows.
    const QString texto = QStringLiteral("Configuração %1 excluída.").arg(codigo);
    if (isVisible())
        informaNoPrompt(texto);
    else
        QMetaObject::invokeMethod(
            this, [this, texto] { informaNoPrompt(texto); }, Qt::QueuedConnection);
}

void TfmPrincipal::exigeConfiguracaoGravada(const QString& acao) const {
    const platform::Query& sped = dmFCONT->quSPED;
    if (CodigoConfiguracao <= 0 || !sped.active() || sped.isEmpty() ||
        sped.state() == platform::DataSetState::Insert)
        common::MostraMensagem(
            QStringLiteral("Aviso: a configuração ainda não foi salva.\rSalve-a antes de ") + acao +
                QStringLiteral("."),
            true);
}

} // namespace ui
