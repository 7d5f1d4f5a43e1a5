// "Visualizar" and "Exportar Excel" of the chart page, with the preview and the file name
// answered by the test instead of the user.
#include "data/Carregamento.h"
#include "data/dmFCONT.h"
#include "platform/Abort.h"
#include "relatorios/TqrPlanoAssociacao.h"
#include "relatorios/TqrPlanoReferencial.h"
#include "tests/support/ModuloDados.h"
#include "ui/main/Relatorios.h"

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QTimer>
#include <QWidget>

using namespace testsupport;

namespace {

class RelatoriosJanela : public ModuloDadosTest {
protected:
    void SetUp() override {
        ModuloDadosTest::SetUp();
        if (IsSkipped())
            return;
        copiaTabelasExternas();
        ASSERT_TRUE(data::CarregaConfiguracoes(1));
        caixas->get().clear();
        previaAnterior = ui::preVisualizaRelatorio();
        arquivoAnterior = ui::escolheArquivoExcel();
        ui::preVisualizaRelatorio() = [this](QWidget*, platform::RelatorioBandas& r) {
            previstos << (dynamic_cast<relatorios::TqrPlanoAssociacao*>(&r)    ? QStringLiteral("associacao")
                          : dynamic_cast<relatorios::TqrPlanoReferencial*>(&r) ? QStringLiteral("referencial")
                                                                               : QStringLiteral("?"));
        };
    }
    void TearDown() override {
        ui::preVisualizaRelatorio() = previaAnterior;
        ui::escolheArquivoExcel() = arquivoAnterior;
        ModuloDadosTest::TearDown();
    }

    QStringList previstos;
    ui::PreVisualizacao previaAnterior;
    ui::NomeArquivo arquivoAnterior;
};

TEST_F(RelatoriosJanela, TheAnswerChoosesTheReportAndEscapeMeansReferential) {
    auto& d = caixas->get();
    d.answerNext(QStringLiteral("Associação"));
    ui::VisualizaRelatorios(nullptr);
    d.answerNext(QStringLiteral("Referencial"));
    ui::VisualizaRelatorios(nullptr);
    d.answerNextEscape();
    ui::VisualizaRelatorios(nullptr);
    EXPECT_EQ(previstos, (QStringList{QStringLiteral("associacao"), QStringLiteral("referencial"),
                                      QStringLiteral("referencial")}));
    ASSERT_EQ(d.boxes().size(), 3);
    EXPECT_EQ(d.boxes().first().text, QStringLiteral("Qual dos Planos você deseja imprimir?"));
    EXPECT_EQ(d.boxes().first().captions,
              (QStringList{QStringLiteral("Associação"), QStringLiteral("Referencial")}));
}

TEST_F(RelatoriosJanela, ThePreviewWindowPaintsTheReportWithoutErrors) {
    QString titulo;
    QTimer::singleShot(500, [&] {
        if (QWidget* previa = QApplication::activeModalWidget()) {
            titulo = previa->windowTitle();
            if (!qEnvironmentVariableIsEmpty("FCONT_CAPTURAS"))
                previa->grab().save(QDir(qEnvironmentVariable("FCONT_CAPTURAS")).filePath("previa.png"));
            previa->close();
        }
    });
    relatorios::TqrPlanoAssociacao relatorio(*dm);
    previaAnterior(nullptr, relatorio);
    EXPECT_EQ(titulo, relatorio.titulo);
    EXPECT_GT(relatorio.bandas().size(), 1u) << "the preview asked the report to paint";
    EXPECT_TRUE(caixas->get().boxes().isEmpty())
        << caixas->get().texts().join(QLatin1Char('|')).toStdString();
}

TEST_F(RelatoriosJanela, ExportWritesTheNamedFileAndANameLeftEmptyDoesNothing) {
    auto& d = caixas->get();
    ui::escolheArquivoExcel() = [](QWidget*) { return QString(); };
    ui::ExportaExcel(nullptr, false);
    EXPECT_TRUE(d.boxes().isEmpty());

    const QString arquivo = QDir(pastaAtual()).filePath(QStringLiteral("plano.xlsx"));
    ui::escolheArquivoExcel() = [arquivo](QWidget*) { return arquivo; };
    ui::ExportaExcel(nullptr, false);
    EXPECT_TRUE(QFile::exists(arquivo));
    ASSERT_EQ(d.texts().size(), 1);
    EXPECT_EQ(d.texts().first(), QStringLiteral("%1 contas exportadas para \"%2\".")
                                     .arg(dm->quRegI050I051.recordCount())
                                     .arg(arquivo));
}

TEST_F(RelatoriosJanela, AFailedExportIsReportedAndEndsTheAction) {
    ui::escolheArquivoExcel() = [this](QWidget*) {
        return QDir(pastaAtual()).filePath(QStringLiteral("x/y.xlsx"));
    };
    EXPECT_THROW(ui::ExportaExcel(nullptr, true), platform::SilentAbort);
    ASSERT_EQ(caixas->get().texts().size(), 1);
    EXPECT_TRUE(
        caixas->get().texts().first().startsWith(QStringLiteral("Erro: \rAo exportar o Plano de Contas")));
}

} // namespace
