#include "ui/main/TfmPrincipal.h"

#include "common/Mensagens.h"
#include "data/dmFCONT.h"

#include <QCloseEvent>

// Closing the main window. Long operations run inside the window's own events, so a window that
// closed under one would leave it running without a window, holding the database, until it ended.
namespace ui {

TfmPrincipal::OperacaoLonga::OperacaoLonga(TfmPrincipal& janela) : m_janela(janela) {
    ++m_janela.m_operacoes;
}

TfmPrincipal::OperacaoLonga::~OperacaoLonga() {
    if (--m_janela.m_operacoes > 0 || !m_janela.m_sairAoTerminar)
        return;
    // Once the handler that ran the operation has returned to the event loop.
    TfmPrincipal* janela = &m_janela;
    QMetaObject::invokeMethod(
        janela, [janela] { janela->close(); }, Qt::QueuedConnection);
}

void TfmPrincipal::closeEvent(QCloseEvent* evento) {
    if (operacaoEmAndamento()) {
        evento->ignore();
        if (m_sairAoTerminar)
            return;
        if (common::Pergunta(QStringLiteral("Há uma operação em andamento.\rDeseja interrompê-la e "
                                            "encerrar o programa?"),
                             {QStringLiteral("Sim"), QStringLiteral("Não")}) != QLatin1String("Sim"))
            return;
        // The operation may have ended while the question was open.
        if (!operacaoEmAndamento()) {
            evento->accept();
        } else {
            m_sairAoTerminar = true;
            if (data::dmFCONT)
                data::dmFCONT->Cancelado = true;
            return;
        }
    }
    m_sairAoTerminar = false;
    QMainWindow::closeEvent(evento);
    FormClose();
}

void TfmPrincipal::FormClose() {
    if (terminaAplicacao())
        terminaAplicacao()();
}

} // namespace ui
