// The association rows' one column description: the chart page's grid, its spreadsheet and its
// report all take their columns from it.
#include "data/Carregamento.h"
#include "data/ColunasGrades.h"
#include "data/dmFCONT.h"
#include "relatorios/ExportaExcel.h"
#include "relatorios/TqrPlanoAssociacao.h"
#include "tests/relatorios/Planilha.h"
#include "tests/support/ModuloDados.h"
#include "ui/main/GradePlanoContas.h"

#include <QDir>

using namespace testsupport;

namespace {

class ColunasAssociacao : public ModuloDadosTest {
protected:
    void SetUp() override {
        ModuloDadosTest::SetUp();
        if (IsSkipped())
            return;
        copiaTabelasExternas();
        ASSERT_TRUE(data::CarregaConfiguracoes(1));
        ASSERT_GT(dm->quRegI050I051.recordCount(), 0);
    }

    QString chaveDa(int linha) const {
        const platform::Query& q = dm->quRegI050I051;
        return q.valueAt(linha, q.fieldByName(QStringLiteral("SPASCODIGO")).index()).toString();
    }

    static QStringList cabecalhosDo(const relatorios::TqrPlanoAssociacao& r) {
        QStringList titulos;
        for (const platform::TextoBanda& t : r.PageHeaderBand1.textos)
            if (t.nome.startsWith(QLatin1String("QRLabel")) && t.nome != QLatin1String("QRLabel7") &&
                t.nome != QLatin1String("QRLabel8") && t.nome != QLatin1String("QRLabel9"))
                titulos << t.texto;
        return titulos;
    }
};

TEST_F(ColunasAssociacao, EachViewShowsItsOwnColumnsOfTheOneDescription) {
    ui::ModeloPlanoContas grade(dm->quRegI050I051);
    QStringList naGrade;
    for (int c = 0; c < grade.columnCount(); ++c)
        naGrade << grade.campoDa(c);
    EXPECT_EQ(naGrade, (QStringList{"PCCODIGO", "PCCODIGOSUP", "COD_AGL", "J150IND_VL", "PCDESCRICAO",
                                    "PCORDENACAO", "COD_CTA_REF", "DESCRICAO"}));

    relatorios::TqrPlanoAssociacao relatorio(*dm);
    EXPECT_EQ(cabecalhosDo(relatorio),
              (QStringList{"Conta", "Ordenação", "Tipo", "Código Conta Ref.", "Conta Referente"}))
        << "the report prints the account's type and leaves out the codes the user edits";
    double direita = 0;
    for (const platform::TextoBanda& t : relatorio.DetailBand1.textos)
        direita = std::max(direita, t.area.right());
    EXPECT_NEAR(direita, 189, 0.5) << "the columns fill the page's width";

    const QString arquivo = QDir(pastaAtual()).filePath(QStringLiteral("padrao.xlsx"));
    relatorios::ExportaPlanoContasExcel(*dm, arquivo, false);
    const Planilha p = LePlanilha(arquivo);
    ASSERT_TRUE(p.erro.isEmpty()) << p.erro.toStdString();
    EXPECT_EQ(p.larguras.size(), 8);
    EXPECT_EQ(p.celulas.value("E1"), QStringLiteral("Conta"));
    EXPECT_FALSE(p.celulas.contains("I1"));
}

TEST_F(ColunasAssociacao, AColumnAddedToTheDescriptionShowsInTheGridTheSheetAndTheReport) {
    std::vector<platform::ColunaGrade> descricao = data::ColunasAssociacao();
    descricao.push_back(
        {.campo = QStringLiteral("SPASCODIGO"), .titulo = QStringLiteral("Chave"), .largura = 60});

    ui::ModeloPlanoContas grade(dm->quRegI050I051, descricao);
    const int ultima = grade.columnCount() - 1;
    EXPECT_EQ(grade.columnCount(), 9);
    EXPECT_EQ(grade.headerData(ultima, Qt::Horizontal).toString(), QStringLiteral("Chave"));
    EXPECT_EQ(grade.index(0, ultima).data().toString(), chaveDa(0));

    const QString arquivo = QDir(pastaAtual()).filePath(QStringLiteral("chave.xlsx"));
    relatorios::ExportaPlanoContasExcel(*dm, arquivo, false, descricao);
    const Planilha p = LePlanilha(arquivo);
    ASSERT_TRUE(p.erro.isEmpty()) << p.erro.toStdString();
    EXPECT_EQ(p.celulas.value("I1"), QStringLiteral("Chave"));
    EXPECT_EQ(p.celulas.value("I2"), chaveDa(0));
    EXPECT_EQ(p.larguras.size(), 9);

    relatorios::TqrPlanoAssociacao relatorio(*dm, descricao);
    relatorio.prepara();
    EXPECT_EQ(cabecalhosDo(relatorio).value(5), QStringLiteral("Chave"));
    const auto& bandas = relatorio.bandas();
    const auto primeira = std::find_if(bandas.begin(), bandas.end(), [](const platform::BandaImpressa& b) {
        return b.banda == QLatin1String("DetailBand1");
    });
    ASSERT_NE(primeira, bandas.end());
    ASSERT_EQ(primeira->textos.size(), 6);
    EXPECT_EQ(primeira->textos.last(), chaveDa(0));
}

} // namespace
