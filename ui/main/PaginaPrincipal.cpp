#include "ui/main/PaginaPrincipal.h"

#include <QDesktopServices>

namespace ui {

const char* const EnderecoFCONT = "http://www1.receita.fazenda.gov.br/sistemas/fcont/";

std::function<void(const QUrl&)>& PaginaPrincipal::abreNavegador() {
    static std::function<void(const QUrl&)> abre = [](const QUrl& url) { QDesktopServices::openUrl(url); };
    return abre;
}

PaginaPrincipal::PaginaPrincipal(QWidget* parent) : QTextBrowser(parent) {
    setObjectName(QStringLiteral("wbNavegador"));
    setAccessibleName(QStringLiteral("Principal"));
    setOpenLinks(false);
    setFrameShape(QFrame::NoFrame);
    connect(this, &QTextBrowser::anchorClicked, this, [](const QUrl& url) {
        if (abreNavegador())
            abreNavegador()(url);
    });
}

void PaginaPrincipal::carrega() {
    ++m_recarregamentos;
    const QString endereco = QString::fromLatin1(EnderecoFCONT);
    setHtml(QStringLiteral(
                "<div style='margin:24px'>"
                "<h2>SPED - Controle Fiscal Contábil de Transição (FCONT)</h2>"
                "<p>O FCONT é a escrituração das contas patrimoniais e de resultado, em partidas dobradas, "
                "que considera os métodos e critérios contábeis vigentes em 31 de dezembro de 2007, "
                "entregue à Receita Federal pelas pessoas jurídicas sujeitas ao Regime Tributário de "
                "Transição (RTT) e tributadas pelo lucro real.</p>"
                "<p>Escolha um registro no menu à esquerda para completar a configuração e use "
                "<b>Gerar</b> para criar o arquivo em \"Arquivos Gerados\".</p>"
                "<p>Informações, leiaute e o programa validador estão na página do FCONT:<br>"
                "<a href='%1'>%1</a></p>"
                "</div>")
                .arg(endereco));
}

} // namespace ui
