#include "ui/main/TfmAchados.h"

#include "common/Mensagens.h"
#include "platform/Dialogs.h"
#include "platform/Erro.h"
#include "relatorios/ExportaExcel.h"
#include "ui/main/GradeAchados.h"

#include <QDir>
#include <QFileDialog>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

namespace ui {

namespace {

QString arquivoPadrao(QWidget* pai) {
    QString nome = QFileDialog::getSaveFileName(pai, QStringLiteral("Exportar Excel"),
                                                QDir::current().filePath(QStringLiteral("Achados.xlsx")),
                                                QStringLiteral("Pasta de trabalho do Excel (*.xlsx)"));
    if (!nome.isEmpty() && !nome.endsWith(QLatin1String(".xlsx"), Qt::CaseInsensitive))
        nome += QStringLiteral(".xlsx");
    return nome;
}

} // namespace

TfmAchados::NomeArquivo& TfmAchados::escolheArquivoExcel() {
    static NomeArquivo escolhe = arquivoPadrao;
    return escolhe;
}

TfmAchados::TfmAchados(QWidget* parent) : QWidget(parent, Qt::Window) {
    setObjectName(QStringLiteral("fmAchados"));
    setWindowTitle(QStringLiteral("Achados"));
    resize(980, 520);

    m_origem = new QLabel(this);
    m_origem->setObjectName(QStringLiteral("laOrigem"));
    m_origem->setAccessibleName(QStringLiteral("Arquivo"));
    m_origem->setTextInteractionFlags(Qt::TextSelectableByMouse);
    m_resumo = RotuloResumo(this);

    m_grade = new GradeAchados(this);
    auto* dica = new QLabel(
        QStringLiteral("Clique duas vezes num achado para ir à página em que ele é corrigido."), this);
    dica->setStyleSheet(QStringLiteral("color: grey;"));

    m_exportar = new QPushButton(QStringLiteral("Exportar Excel"), this);
    m_exportar->setObjectName(QStringLiteral("btExportar"));
    connect(m_exportar, &QPushButton::clicked, this,
            [this] { platform::runReporting([this] { btExportarClick(); }); });
    m_fechar = new QPushButton(QStringLiteral("Fechar"), this);
    m_fechar->setObjectName(QStringLiteral("btFechar"));
    connect(m_fechar, &QPushButton::clicked, this, &QWidget::close);
    auto* botoes = new QHBoxLayout;
    botoes->addWidget(dica, 1);
    botoes->addWidget(m_exportar);
    botoes->addWidget(m_fechar);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(m_origem);
    layout->addWidget(m_resumo);
    layout->addWidget(m_grade, 1);
    layout->addLayout(botoes);
}

void TfmAchados::mostra(const QString& origem, const QString& resumo, const validacao::Achados& achados) {
    m_origem->setText(origem);
    m_resumo->setText(resumo);
    m_grade->mostra(achados);
}

void TfmAchados::btExportarClick() {
    const QString arquivo = escolheArquivoExcel() ? escolheArquivoExcel()(this) : QString();
    if (arquivo.isEmpty())
        return;
    int linhas = 0;
    try {
        linhas = relatorios::ExportaTabelaExcel(m_grade->tabela(), validacao::ColunasAchados(), arquivo,
                                                QStringLiteral("Achados"));
    } catch (const std::exception& e) {
        common::MostraMensagem(QStringLiteral("Erro: \rAo exportar os achados para \"") + arquivo +
                                   QStringLiteral("\".\r") + platform::TextoDoErro(e),
                               true);
    }
    common::MostraMensagem(QStringLiteral("%1 achados exportados para \"%2\".").arg(linhas).arg(arquivo));
}

} // namespace ui
