#include "data/Carregamento.h"
#include "data/uFCONT.h"
#include "platform/DataSetNotifier.h"
#include "relatorios/ExportaExcel.h"
#include "relatorios/TqrPlanoAssociacao.h"
#include "relatorios/TqrPlanoReferencial.h"
#include "tests/relatorios/Planilha.h"
#include "tests/support/ModuloDados.h"

#include <QDir>
#include <QProcess>
#include <QRegularExpression>

using namespace testsupport;

namespace {

const QColor prata(192, 192, 192);
const QColor preto(0, 0, 0);

// What poppler reads out of a PDF: its page count, or its text.
QString pdf(const QString& programa, const QString& arquivo) {
    QProcess p;
    p.start(programa, programa == QLatin1String("pdftotext") ? QStringList{arquivo, QStringLiteral("-")}
                                                             : QStringList{arquivo});
    p.waitForFinished(30000);
    return QString::fromUtf8(p.readAllStandardOutput());
}

int paginasDoPdf(const QString& arquivo) {
    const QString info = pdf(QStringLiteral("pdfinfo"), arquivo);
    const qsizetype i = info.indexOf(QLatin1String("Pages:"));
    return i < 0 ? -1 : info.mid(i + 6).section(QLatin1Char('\n'), 0, 0).trimmed().toInt();
}

std::vector<platform::BandaImpressa> detalhes(const platform::RelatorioBandas& r) {
    std::vector<platform::BandaImpressa> d;
    for (const auto& b : r.bandas())
        if (b.banda == QLatin1String("DetailBand1"))
            d.push_back(b);
    return d;
}

class Relatorios : public ModuloDadosTest {
protected:
    void planoReferencial(const QByteArray& linhas) {
        escreveArquivo(QStringLiteral("Tabelas Externas/contasref-SRF.txt"),
                       "CODIGO;DESCRICAO;INICIO;FIM;TIPO\r\n" + linhas);
        data::CarregaPlanoReferencial();
    }
    QString arquivo(const QString& nome) const { return QDir(pastaAtual()).filePath(nome); }
    void abreConfiguracao() {
        copiaTabelasExternas();
        ASSERT_TRUE(data::CarregaConfiguracoes(1));
        ASSERT_TRUE(dm->quRegI050I051.active());
    }
};

TEST_F(Relatorios, ReferentialRowsAreSilverWhenSyntheticAndBlackAgainAfterwards) {
    planoReferencial("1;Ativo;01012014;;S\r\n"
                     "1.01.01.01.00;Caixa;01012014;31122019;A\r\n"
                     "1.02;Realizavel;01012014;;S\r\n"
                     "1.02.01.01.00;Clientes;01012014;;s\r\n");
    relatorios::TqrPlanoReferencial r(*dm);
    const QString saida = arquivo(QStringLiteral("referencial.pdf"));
    EXPECT_EQ(r.salvaPdf(saida), 1);
    const auto linhas = detalhes(r);
    ASSERT_EQ(linhas.size(), 4u);
    EXPECT_EQ(linhas[1].textos,
              (QStringList{QStringLiteral("1.01.01.01.00"), QStringLiteral("Caixa"),
                           QStringLiteral("01/01/2014"), QStringLiteral("31/12/2019"), QStringLiteral("A")}));
    const QList<QColor> cores[] = {QList<QColor>(5, prata), QList<QColor>(5, preto), QList<QColor>(5, prata),
                                   QList<QColor>(5, preto)};
    for (size_t i = 0; i < linhas.size(); ++i)
        EXPECT_EQ(linhas[i].cores, cores[i]) << "row " << i << " (only an exact \"S\" is synthetic)";

    EXPECT_EQ(paginasDoPdf(saida), 1);
    const QString texto = pdf(QStringLiteral("pdftotext"), saida);
    for (const char* esperado :
         {"Plano de Contas Referencial", "1.02.01.01.00", "Clientes", "31/12/2019", "Página 1 de 1"})
        EXPECT_TRUE(texto.contains(QString::fromUtf8(esperado))) << esperado << "\n" << texto.toStdString();
}

TEST_F(Relatorios, LongChartsFlowOntoPagesEachWithItsHeaderAndTheCurrentRowStays) {
    QByteArray linhas;
    for (int i = 1; i <= 150; ++i)
        linhas += QByteArray::number(i) + ";Conta " + QByteArray::number(i) + ";01012014;;A\r\n";
    planoReferencial(linhas);
    dm->cdsPlanoRef.moveTo(7);

    relatorios::TqrPlanoReferencial r(*dm);
    const QString saida = arquivo(QStringLiteral("longo.pdf"));
    const int paginas = r.salvaPdf(saida);
    EXPECT_EQ(paginas, 3);
    EXPECT_EQ(paginasDoPdf(saida), 3);
    EXPECT_EQ(dm->cdsPlanoRef.recNo(), 7);

    int cabecalhos = 0;
    int anterior = 0;
    for (const auto& b : r.bandas()) {
        if (b.pagina != anterior) {
            EXPECT_EQ(b.banda, QStringLiteral("PageHeaderBand1"))
                << "page " << b.pagina << " starts with its header";
            EXPECT_EQ(b.topo, 0.0);
            anterior = b.pagina;
        }
        cabecalhos += b.banda == QLatin1String("PageHeaderBand1");
        EXPECT_LE(b.topo + 4.5, 277.0 - 6.0) << "no band runs into the page number";
    }
    EXPECT_EQ(cabecalhos, 3);
    const auto d = detalhes(r);
    ASSERT_EQ(d.size(), 150u);
    EXPECT_EQ(d.back().textos.first(), QStringLiteral("150"));
    EXPECT_TRUE(pdf(QStringLiteral("pdftotext"), saida).contains(QStringLiteral("Página 3 de 3")));
}

TEST_F(Relatorios, AnEmptyChartPrintsTheHeaderAlone) {
    planoReferencial("");
    relatorios::TqrPlanoReferencial r(*dm);
    EXPECT_EQ(r.salvaPdf(arquivo(QStringLiteral("vazio.pdf"))), 1);
    ASSERT_EQ(r.bandas().size(), 1u);
    EXPECT_EQ(r.bandas().front().banda, QStringLiteral("PageHeaderBand1"));
    EXPECT_EQ(paginasDoPdf(arquivo(QStringLiteral("vazio.pdf"))), 1);
}

TEST_F(Relatorios, AssociationRowsPrintInTheQueryOrderColouredByAccountTypeWithoutRedrawingTheGrid) {
    abreConfiguracao();
    platform::Query& q = dm->quRegI050I051;
    int movimentos = 0, refeitos = 0;
    QObject::connect(&q.notifier(), &platform::DataSetNotifier::currentMoved, [&] { ++movimentos; });
    QObject::connect(&q.notifier(), &platform::DataSetNotifier::refiltered, [&] { ++refeitos; });

    relatorios::TqrPlanoAssociacao r(*dm);
    r.prepara();
    EXPECT_EQ(movimentos, 0);
    EXPECT_EQ(refeitos, 1) << "the views hear of the run once, at its end";

    const auto linhas = detalhes(r);
    ASSERT_EQ(static_cast<int>(linhas.size()), q.recordCount());
    ASSERT_GT(linhas.size(), 2u);
    auto campo = [&](int linha, const char* nome) {
        const platform::Field& f = q.fieldByName(QString::fromLatin1(nome));
        return f.displayTextOf(q.valueAt(linha, f.index()));
    };
    bool viuSintetica = false, viuAnalitica = false;
    for (int i = 0; i < q.recordCount(); ++i) {
        EXPECT_EQ(linhas[i].textos,
                  (QStringList{campo(i, "PCDESCRICAO"), campo(i, "PCORDENACAO"), campo(i, "PCTIPO"),
                               campo(i, "COD_CTA_REF"), campo(i, "DESCRICAO")}));
        const bool sintetica = campo(i, "PCTIPO") == QLatin1String("S");
        (sintetica ? viuSintetica : viuAnalitica) = true;
        EXPECT_EQ(linhas[i].cores, QList<QColor>(5, sintetica ? prata : preto)) << "row " << i;
    }
    EXPECT_TRUE(viuSintetica && viuAnalitica);
    const QStringList cabecalho = r.bandas().front().textos;
    EXPECT_TRUE(cabecalho.contains(QStringLiteral("Associação do Plano de Contas ao Plano Referencial")));
    EXPECT_EQ(cabecalho.filter(QRegularExpression(QStringLiteral("^Configuração: 1 - \\S"))).size(), 1)
        << cabecalho.join(QLatin1Char('|')).toStdString();
}

TEST_F(Relatorios, ExportWritesTheGridColumnsWithHeaderWidthsAndNumbers) {
    abreConfiguracao();
    platform::Query& q = dm->quRegI050I051;
    const QString saida = arquivo(QStringLiteral("plano.xlsx"));
    EXPECT_EQ(relatorios::ExportaPlanoContasExcel(*dm, saida, false), q.recordCount());

    const Planilha p = LePlanilha(saida);
    ASSERT_TRUE(p.erro.isEmpty()) << p.erro.toStdString();
    EXPECT_EQ(p.celulas.value("A1"), QStringLiteral("Código Conta"));
    EXPECT_EQ(p.celulas.value("D1"), QStringLiteral("Ind. Vlr."));
    EXPECT_EQ(p.celulas.value("H1"), QStringLiteral("Conta Referente"));
    EXPECT_EQ(p.larguras.size(), 8);
    EXPECT_GT(p.larguras.value(5), p.larguras.value(4)) << "the account name is the wide column";

    const int ultima = q.recordCount() - 1;
    auto valor = [&](const char* nome) { return q.valueAt(ultima, q.fieldByName(nome).index()); };
    const QString linha = QString::number(ultima + 2);
    EXPECT_EQ(p.celulas.value("A" + linha), QString::number(valor("PCCODIGO").toInt()));
    EXPECT_EQ(p.celulas.value("E" + linha), valor("PCDESCRICAO").toString());
    EXPECT_EQ(p.celulas.value("F" + linha), valor("PCORDENACAO").toString());
    EXPECT_EQ(p.celulas.value("G" + linha), valor("COD_CTA_REF").toString());
    EXPECT_FALSE(p.celulas.contains("A" + QString::number(ultima + 3)));
}

TEST_F(Relatorios, ExportOfUnreferencedAccountsLeavesOutEveryRowWithAReferentialCode) {
    abreConfiguracao();
    // A blank code is as good as none, as in the grid's own filter.
    banco->runScript(QStringLiteral("update AUGC80SPAS set COD_CTA_REF = '  ' where SPASCODIGO = 4;"));
    dm->quRegI050I051.close();
    dm->quRegI050I051.open();
    platform::Query& q = dm->quRegI050I051;
    int semReferencia = 0;
    for (int i = 0; i < q.recordCount(); ++i)
        semReferencia += q.valueAt(i, q.fieldByName("COD_CTA_REF").index()).toString().trimmed().isEmpty();
    ASSERT_GT(semReferencia, 0);
    ASSERT_LT(semReferencia, q.recordCount());

    const QString saida = arquivo(QStringLiteral("naoref.xlsx"));
    EXPECT_EQ(relatorios::ExportaPlanoContasExcel(*dm, saida, true), semReferencia);
    const Planilha p = LePlanilha(saida);
    ASSERT_TRUE(p.erro.isEmpty());
    for (int linha = 2; linha <= semReferencia + 1; ++linha) {
        EXPECT_TRUE(p.celulas.contains("A" + QString::number(linha)));
        EXPECT_TRUE(p.celulas.value("G" + QString::number(linha)).trimmed().isEmpty()) << linha;
    }
    EXPECT_FALSE(p.celulas.contains("A" + QString::number(semReferencia + 2)));
}

TEST_F(Relatorios, FilesThatCannotBeWrittenAreErrorsNotEmptySuccesses) {
    abreConfiguracao();
    const QString semPasta = arquivo(QStringLiteral("nao/existe/x"));
    EXPECT_THROW(relatorios::ExportaPlanoContasExcel(*dm, semPasta + ".xlsx", false), std::runtime_error);
    relatorios::TqrPlanoAssociacao r(*dm);
    EXPECT_THROW(r.salvaPdf(semPasta + ".pdf"), std::runtime_error);
}

} // namespace
