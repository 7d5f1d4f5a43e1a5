#include "ui/main/Relatorios.h"

#include "common/Mensagens.h"
#include "data/dmFCONT.h"
#include "platform/Dialogs.h"
#include "platform/relatorio/RelatorioBandas.h"
#include "relatorios/ExportaPlanoContas.h"
#include "relatorios/TqrPlanoAssociacao.h"
#include "relatorios/TqrPlanoReferencial.h"

#include <QDir>
#include <QFileDialog>
#include <QPrintPreviewDialog>
#include <QPrinter>

namespace ui {

namespace {

void previaPadrao(QWidget* pai, platform::RelatorioBandas& relatorio) {
    QPrinter impressora(QPrinter::HighResolution);
    impressora.setPageLayout(relatorio.pagina);
    impressora.setDocName(relatorio.titulo);
    QPrintPreviewDialog previa(&impressora, pai);
    previa.setWindowTitle(relatorio.titulo);
    previa.resize(900, 700);
    QObject::connect(&previa, &QPrintPreviewDialog::paintRequested, &previa, [&relatorio](QPrinter* destino) {
        // Painting runs inside the toolkit: a failure is reported here and the page stays blank.
        platform::runReporting([&] { relatorio.imprime(*destino); });
    });
    previa.exec();
}

QString arquivoPadrao(QWidget* pai) {
    QString nome = QFileDialog::getSaveFileName(pai, QStringLiteral("Exportar Excel"),
                                                QDir::current().filePath(QStringLiteral("PlanoContas.xlsx")),
                                                QStringLiteral("Pasta de trabalho do Excel (*.xlsx)"));
    if (!nome.isEmpty() && !nome.endsWith(QLatin1String(".xlsx"), Qt::CaseInsensitive))
        nome += QStringLiteral(".xlsx");
    return nome;
}

} // namespace

PreVisualizacao& preVisualizaRelatorio() {
    static PreVisualizacao previa = previaPadrao;
    return previa;
}

NomeArquivo& escolheArquivoExcel() {
    static NomeArquivo escolhe = arquivoPadrao;
    return escolhe;
}

void VisualizaRelatorios(QWidget* pai) {
    const QString resposta = common::Pergunta(QStringLiteral("Qual dos Planos você deseja imprimir?"),
                                              {QStringLiteral("Associação"), QStringLiteral("Referencial")});
    if (resposta != QLatin1String("Referencial")) {
        relatorios::TqrPlanoAssociacao relatorio(*data::dmFCONT);
        preVisualizaRelatorio()(pai, relatorio);
    } else {
        relatorios::TqrPlanoReferencial relatorio(*data::dmFCONT);
        preVisualizaRelatorio()(pai, relatorio);
    }
}

void ExportaExcel(QWidget* pai, bool somenteNaoReferenciadas) {
    const QString arquivo = escolheArquivoExcel()(pai);
    if (arquivo.isEmpty())
        return;
    const int linhas = relatorios::ExportaPlanoContas(*data::dmFCONT, arquivo, somenteNaoReferenciadas);
    common::MostraMensagem(QStringLiteral("%1 contas exportadas para \"%2\".").arg(linhas).arg(arquivo));
}

} // namespace ui
