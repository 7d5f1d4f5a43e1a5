#include "ui/search/PesquisaGeral.h"
#include "data/dmFCONT.h"
#include "platform/Abort.h"
#include "platform/DataSetModel.h"
#include "tests/support/ModuloDados.h"
#include "tests/ui_search/Janela.h"
#include "ui/search/TfmPesquisaGeral.h"

#include <QAbstractButton>
#include <QAccessible>
#include <QButtonGroup>
#include <QComboBox>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTableView>

namespace {

using ui::TfmPesquisaGeral;

class PesquisaGeralTest : public testsupport::ModuloDadosTest {
protected:
    std::unique_ptr<TfmPesquisaGeral> abre() {
        auto j = std::make_unique<TfmPesquisaGeral>();
        j->DefinePesquisa(0);
        return j;
    }
    int contaTabela() {
        dm->quAux.setSql(QStringLiteral("select count(*) from ACBC15PC"));
        dm->quAux.open();
        const int n = static_cast<int>(dm->quAux.field(0).asInteger());
        dm->quAux.close();
        return n;
    }
    enum { Comecando, Contendo, Terminando };
};

TEST_F(PesquisaGeralTest, AccountConfigurationLaysTheWindowOut) {
    auto j = abre();
    EXPECT_EQ(j->windowTitle(), QStringLiteral("Consulta Contas Contábeis"));
    EXPECT_EQ(j->paSelecao->height(), 175);
    EXPECT_EQ(j->cbCampos->count(), j->DataSetPesquisa->fieldCount());
    EXPECT_EQ(j->cbCampos->itemText(1), QStringLiteral("PCCODIGO"));
    EXPECT_EQ(j->cbCampos->currentIndex(), -1);
    EXPECT_EQ(j->laCampo[4]->text(), QStringLiteral("Conta"));
    EXPECT_FALSE(j->laCampo[5]->isVisibleTo(j.get()));
    EXPECT_EQ(j->mdCampo[1]->maxLength(), 20);
    EXPECT_EQ(j->mdCampo[3]->width(), 182);
    EXPECT_EQ(j->mdCampo[4]->width(), 97);
    EXPECT_EQ(j->bbPesquisa->y(), j->mdCampo[4]->y());
    EXPECT_EQ(j->grupoOrdem->buttons().size(), 5);
    EXPECT_TRUE(j->grupoOrdem->button(0)->isChecked());
    EXPECT_TRUE(j->grupoOnde->button(Contendo)->isChecked());
    EXPECT_FALSE(j->quConsulta.active());
}

TEST_F(PesquisaGeralTest, ExampleSearchSendsTheDocumentedLinesAndCounts) {
    auto j = abre();
    j->grupoOnde->button(Comecando)->setChecked(true);
    j->mdCampo[3]->setText(QStringLiteral("1"));
    j->mdCampo[4]->setText(QStringLiteral("caixa"));
    j->bbPesquisaClick();
    const QStringList linhas = j->quConsulta.sql().split(QStringLiteral("\r\n"));
    EXPECT_EQ(linhas.mid(linhas.size() - 3),
              (QStringList{QStringLiteral(" and ACBC15PC.PACODIGO = 1"),
                           QStringLiteral(" and upper(ACBC15PC.PCDESCRICAO) like 'CAIXA%'"),
                           QStringLiteral("Order by ACBC15PC.PCCODIGO")}));
    ASSERT_EQ(j->quConsulta.recordCount(), 1);
    EXPECT_EQ(j->quConsulta.fieldByName(QStringLiteral("PCDESCRICAO")).asString(),
              QStringLiteral("Caixa Geral - Matriz"));
    EXPECT_EQ(j->paineis[1]->text(), QStringLiteral("Registros Encontrados: 1"));
    QAccessibleInterface* painel = QAccessible::queryAccessibleInterface(j->paineis[1]);
    ASSERT_NE(painel, nullptr);
    EXPECT_EQ(painel->text(QAccessible::Name), QStringLiteral("Registros Encontrados: 1"))
        << "heard as it reads";
    EXPECT_EQ(j->paineis[0]->text(), QStringLiteral("Total de Registros: %1").arg(contaTabela()));

    // The grid: the four configured columns, in order, titled, the code on the company's mask;
    // the seed's chart holds two companies, so the company's code comes first.
    const QAbstractItemModel& m = *j->dbgdPesquisaGeral->model();
    QStringList titulos;
    const QHeaderView& h = *j->dbgdPesquisaGeral->horizontalHeader();
    for (int v = 0; v < m.columnCount(); ++v)
        if (!j->dbgdPesquisaGeral->isColumnHidden(h.logicalIndex(v)))
            titulos << m.headerData(h.logicalIndex(v), Qt::Horizontal).toString();
    EXPECT_EQ(titulos, (QStringList{"Empresa", "Cod. Conta", "Ordenação", "Nível", "Descrição"}));
    EXPECT_EQ(m.data(m.index(0, 1)).toString(), QStringLiteral("1.1.01.001"));
    const int empresa = dynamic_cast<const platform::DataSetModel&>(m).colunaDe(QStringLiteral("PACODIGO"));
    EXPECT_EQ(h.visualIndex(empresa), 0);
    EXPECT_EQ(m.data(m.index(0, empresa)).toString(), QStringLiteral("1"));

    // A chart of one company needs no company column.
    dm->IBScript.setText(QStringLiteral("delete from ACBC15PC where PACODIGO <> 1;"));
    dm->IBScript.run();
    dm->trBanco.commitRetaining();
    auto outra = abre();
    outra->bbPesquisaClick();
    const QAbstractItemModel& m2 = *outra->dbgdPesquisaGeral->model();
    const QHeaderView& h2 = *outra->dbgdPesquisaGeral->horizontalHeader();
    QStringList titulos2;
    for (int v = 0; v < m2.columnCount(); ++v)
        if (!outra->dbgdPesquisaGeral->isColumnHidden(h2.logicalIndex(v)))
            titulos2 << m2.headerData(h2.logicalIndex(v), Qt::Horizontal).toString();
    EXPECT_EQ(titulos2, (QStringList{"Cod. Conta", "Ordenação", "Nível", "Descrição"}));
}

TEST_F(PesquisaGeralTest, EmptyBoxesListEverythingAndContainingIgnoresCase) {
    auto j = abre();
    j->bbPesquisaClick();
    const int total = contaTabela();
    EXPECT_EQ(j->quConsulta.recordCount(), total);
    EXPECT_EQ(j->paineis[1]->text(), QStringLiteral("Registros Encontrados: %1").arg(total));
    EXPECT_EQ(j->paineis[0]->text(), QStringLiteral("Total de Registros: %1").arg(total));
    QList<qint64> codigos;
    for (int i = 0; i < j->quConsulta.recordCount(); ++i)
        codigos << j->quConsulta.valueAt(i, 0).toLongLong();
    EXPECT_TRUE(std::is_sorted(codigos.begin(), codigos.end()));

    j->mdCampo[4]->setText(QStringLiteral("receita"));
    j->grupoOrdem->button(1)->setChecked(true);
    j->bbPesquisaClick();
    EXPECT_GE(j->quConsulta.recordCount(), 3); // RECEITAS, RECEITA OPERACIONAL, Receita Bruta ...
    EXPECT_EQ(j->paineis[1]->text(),
              QStringLiteral("Registros Encontrados: %1").arg(j->quConsulta.recordCount()));
    for (int i = 0; i < j->quConsulta.recordCount(); ++i)
        EXPECT_TRUE(
            j->quConsulta.valueAt(i, 4).toString().contains(QStringLiteral("RECEITA"), Qt::CaseInsensitive));
    EXPECT_TRUE(j->quConsulta.sql().endsWith(QStringLiteral("Order by ACBC15PC.PCORDENACAO")));
}

TEST_F(PesquisaGeralTest, LettersInTheAccountCodeStopTheSearch) {
    auto j = abre();
    j->mdCampo[0]->setText(QStringLiteral("abc"));
    j->bbPesquisa->click();
    EXPECT_EQ(caixas->get().texts(), QStringList{QStringLiteral("Valor não trata-se de um tipo inteiro")});
    EXPECT_FALSE(j->quConsulta.active());
    EXPECT_EQ(j->paineis[1]->text(), QString());

    caixas->get().clear();
    j->mdCampo[0]->setText(QStringLiteral("0"));
    j->bbPesquisa->click();
    EXPECT_TRUE(caixas->get().boxes().isEmpty());
    EXPECT_EQ(j->quConsulta.recordCount(), contaTabela());
}

TEST_F(PesquisaGeralTest, AlternativeFieldNarrowsTheSearch) {
    auto j = abre();
    j->cbCampos->setCurrentIndex(j->cbCampos->findText(QStringLiteral("PCTIPO")));
    j->edAlternativo->setText(QStringLiteral("s"));
    EXPECT_EQ(j->edAlternativo->text(), QStringLiteral("S"));
    j->bbPesquisaClick();
    EXPECT_TRUE(j->quConsulta.sql().contains(QStringLiteral(" and Upper(ACBC15PC.PCTIPO) like 'S'")));
    // Synthetic accounts only: some but not all of the chart.
    EXPECT_GT(j->quConsulta.recordCount(), 0);
    EXPECT_LT(j->quConsulta.recordCount(), contaTabela());
}

TEST_F(PesquisaGeralTest, RejectedStatementGoesToTheErrorBoxAndTheWindowStays) {
    auto j = abre();
    j->quConsulta.setTransaction(nullptr);
    j->bbPesquisa->click();
    ASSERT_EQ(caixas->get().boxes().size(), 1);
    EXPECT_EQ(caixas->get().boxes()[0].kind, platform::ScriptedDialogs::Kind::Error);
    j->quConsulta.setTransaction(&dm->trBanco);
    j->bbPesquisa->click();
    EXPECT_EQ(j->quConsulta.recordCount(), contaTabela());
}

TEST_F(PesquisaGeralTest, ChoiceReturnsTheNamedFieldsOfTheCurrentRow) {
    QString r1 = QStringLiteral("x"), r2 = QStringLiteral("y"), r3 = QStringLiteral("z"),
            r4 = QStringLiteral("w");
    testsupport::naJanelaModal<TfmPesquisaGeral>([](TfmPesquisaGeral& j) {
        j.mdCampo[4]->setText(QStringLiteral("fornecedores"));
        j.bbPesquisaClick();
        j.dbgdPesquisaGeral->setCurrentIndex(j.dbgdPesquisaGeral->model()->index(1, 0));
        j.dbgdPesquisaGeralDblClick();
    });
    EXPECT_TRUE(ui::AbrePesquisaGeral(0, r1, r2, r3, r4, QStringLiteral("PCCODIGO"),
                                      QStringLiteral(" PCDESCRICAO"), QStringLiteral("  "),
                                      QStringLiteral("PACODIGO")));
    EXPECT_EQ(r1, QStringLiteral("116"));
    EXPECT_EQ(r2, QStringLiteral("Fornecedores Nacionais"));
    EXPECT_EQ(r3, QStringLiteral("z"));
    EXPECT_EQ(r4, QStringLiteral("1"));

    // Double-click before any search does nothing; closing then chooses nothing.
    testsupport::naJanelaModal<TfmPesquisaGeral>([](TfmPesquisaGeral& j) {
        j.dbgdPesquisaGeralDblClick();
        EXPECT_TRUE(j.isVisible());
        j.reject();
    });
    EXPECT_FALSE(ui::AbrePesquisaGeral(0, r1, r2, r3, r4, QStringLiteral("PCCODIGO"),
                                       QStringLiteral("PCCODIGO"), QStringLiteral("PCCODIGO"),
                                       QStringLiteral("PCCODIGO")));
    EXPECT_EQ(r1, QStringLiteral("116"));

    // F3 on a search that finds nothing chooses an empty account.
    testsupport::naJanelaModal<TfmPesquisaGeral>([](TfmPesquisaGeral& j) {
        j.mdCampo[4]->setText(QStringLiteral("nada disso"));
        j.teclaF3();
    });
    EXPECT_TRUE(ui::AbrePesquisaGeral(0, r1, r2, r3, r4, QStringLiteral("PCCODIGO"),
                                      QStringLiteral("PCCODIGO"), QStringLiteral("PCCODIGO"),
                                      QStringLiteral("PCCODIGO")));
    EXPECT_EQ(r1, QString());
    EXPECT_EQ(r4, QString());
}

} // namespace
