#include "ui/search/Pesquisa.h"
#include "platform/Abort.h"
#include "tests/support/ModuloDados.h"
#include "tests/ui_search/Janela.h"
#include "ui/search/TfmPesquisa.h"

#include <QAbstractButton>
#include <QButtonGroup>
#include <QLabel>
#include <QLineEdit>
#include <QTableView>

namespace {

using platform::SilentAbort;
using ui::TfmPesquisa;

class PesquisaTest : public testsupport::ModuloDadosTest {
protected:
    std::unique_ptr<TfmPesquisa> abre(const QString& tipo) {
        auto janela = std::make_unique<TfmPesquisa>();
        janela->TipoPesquisa = tipo;
        janela->ConfiguraPesquisa();
        return janela;
    }
    static void busca(TfmPesquisa& j, int modo, const QString& v1, const QString& v2, const QString& v3,
                      int ordem = 0) {
        j.grupoOnde->button(modo)->setChecked(true);
        j.grupoOrdenar->button(ordem)->setChecked(true);
        j.Edit1->setText(v1);
        j.Edit2->setText(v2);
        j.Edit3->setText(v3);
        j.CarregaPesquisa();
    }
    static QStringList coluna(const platform::DataSet& d, int campo) {
        QStringList r;
        for (int i = 0; i < d.recordCount(); ++i)
            r << d.valueAt(i, campo).toString();
        return r;
    }
    enum { Comecando, Contendo, Terminando, PorPalavra };

    void preenchePlanoRef() {
        platform::MemTable& p = dm->cdsPlanoRef;
        p.emptyDataSet();
        const struct {
            const char *codigo, *descricao, *fim, *tipo;
        } linhas[] = {{"1", "ATIVO", nullptr, "S"},
                      {"3.01", "Receitas", nullptr, "S"},
                      {"3.01.01", "Receita de vendas", "31/12/2024", "A"},
                      {"3.01.02", "receita de serviços", "31/12/2025", "A"},
                      {"1.01.01", "Caixa", nullptr, "A"}};
        for (const auto& l : linhas) {
            p.append();
            p.fieldByName(QStringLiteral("COD_CTA_REF"))
                .setValue(QString::fromUtf8(l.codigo) + QStringLiteral("   "));
            p.fieldByName(QStringLiteral("DESCRICAO")).setValue(QString::fromUtf8(l.descricao));
            if (l.fim)
                p.fieldByName(QStringLiteral("DT_FIN_VALIDADE")).setValue(QString::fromUtf8(l.fim));
            p.fieldByName(QStringLiteral("TIPO")).setValue(QString::fromUtf8(l.tipo));
            p.post();
        }
        p.first();
    }
};

TEST_F(PesquisaTest, MunicipalitiesAreListedAtOnceAndSearchedByTheBoxes) {
    auto j = abre(QStringLiteral("Municípios"));
    EXPECT_EQ(j->windowTitle(), QStringLiteral("Quibrano SPED - Pesquisa Municípios"));
    EXPECT_EQ(j->Label2->text(), QStringLiteral("Estado: "));
    EXPECT_EQ(j->grupoOrdenar->button(1)->text(), QStringLiteral("Estado"));
    EXPECT_TRUE(j->grupoOrdenar->button(0)->isChecked());
    EXPECT_TRUE(j->grupoOnde->button(Contendo)->isChecked());
    EXPECT_EQ(j->dbgdPesquisa->model()->rowCount(), 4);

    busca(*j, Contendo, QString(), QString(), QString(), 2);
    EXPECT_EQ(coluna(j->quPesquisa, 0), (QStringList{"3199001", "3399001", "3599001", "3599002"}));

    busca(*j, Contendo, QStringLiteral("vale"), QString(), QStringLiteral("35"), 0);
    EXPECT_EQ(coluna(j->quPesquisa, 0), QStringList{"3599001"});
    busca(*j, Comecando, QStringLiteral("Campos"), QString(), QString(), 0);
    EXPECT_EQ(coluna(j->quPesquisa, 0), QStringList{"3399001"});
    busca(*j, Terminando, QString(), QStringLiteral("Gerais"), QString(), 0);
    EXPECT_EQ(coluna(j->quPesquisa, 0), QStringList{"3199001"});
    busca(*j, PorPalavra, QString(), QString(), QStringLiteral("3599002"), 0);
    EXPECT_EQ(coluna(j->quPesquisa, 0), QStringList{"3599002"});
    EXPECT_EQ(j->chaveAtual(), QStringLiteral("3599002"));
}

TEST_F(PesquisaTest, CodeBoxTextIsSentAsDataNotAsStatement) {
    auto j = abre(QStringLiteral("Empresa Processada"));
    busca(*j, PorPalavra, QString(), QString(), QStringLiteral(" 2 "));
    EXPECT_EQ(coluna(j->quPesquisa, 0), QStringList{"2"});
    // Once statement text, these would have listed every company or broken the statement.
    for (const QString& v :
         {QStringLiteral("1 or 1=1"), QStringLiteral("0) or (1=1"), QStringLiteral("x' or 'a'='a")}) {
        busca(*j, Contendo, QString(), QString(), v);
        EXPECT_EQ(j->quPesquisa.recordCount(), 0) << v.toStdString();
    }
    EXPECT_TRUE(caixas->get().boxes().isEmpty());
    // Compared for equality with a numeric column, a text is the server's conversion error.
    EXPECT_THROW(busca(*j, PorPalavra, QString(), QString(), QStringLiteral("1 or 1=1")), SilentAbort);
    EXPECT_EQ(caixas->get().texts(), QStringList{QStringLiteral("Erro: ao carregar pesquisa!")});
    EXPECT_EQ(j->quPesquisa.recordCount(), 0);
}

TEST_F(PesquisaTest, QuotesInNamesAreFound) {
    dm->quExec.setSql(QStringLiteral(
        "insert into AUGC16RCIM (RCIMID, RCIMNOME, RCIMIDUF) values (3199002, 'Olhos D''Água', 31)"));
    dm->quExec.execSql();
    auto j = abre(QStringLiteral("Municípios"));
    busca(*j, Contendo, QStringLiteral("d'á"), QString(), QString());
    EXPECT_EQ(coluna(j->quPesquisa, 0), QStringList{"3199002"});
}

TEST_F(PesquisaTest, BranchesAreSearchedByNameTaxNumberAndCode) {
    auto j = abre(QStringLiteral("Empresa"));
    EXPECT_EQ(j->quPesquisa.recordCount(), 2);
    busca(*j, Contendo, QStringLiteral("filial"), QString(), QString());
    EXPECT_EQ(coluna(j->quPesquisa, 0), QStringList{"02"});
    busca(*j, Terminando, QString(), QStringLiteral("0001-81"), QString(), 1);
    EXPECT_EQ(coluna(j->quPesquisa, 0), QStringList{"01"});
    busca(*j, PorPalavra, QString(), QString(), QStringLiteral("02"), 2);
    EXPECT_EQ(coluna(j->quPesquisa, 0), QStringList{"02"});
    busca(*j, Comecando, QStringLiteral("VALE"), QString(), QString(), 1);
    EXPECT_EQ(coluna(j->quPesquisa, 2), (QStringList{"11.222.333/0001-81", "11.222.333/0002-62"}));
    EXPECT_TRUE(caixas->get().boxes().isEmpty());
}

TEST_F(PesquisaTest, ReferentialSearchFiltersCaseSensitivelyAndSortsWithoutCase) {
    preenchePlanoRef();
    auto j = abre(QStringLiteral("Plano Contas Referencial"));
    platform::MemTable& p = dm->cdsPlanoRef;
    EXPECT_EQ(j->dbgdPesquisa->model()->rowCount(), 5);

    busca(*j, Contendo, QString(), QStringLiteral("receita"), QString(), 1);
    EXPECT_EQ(coluna(p, 1), (QStringList{"receita de serviços", "Receita de vendas", "Receitas"}));
    EXPECT_EQ(p.indexName(), QStringLiteral("IDX_FILTER"));

    busca(*j, Comecando, QStringLiteral("3.01"), QString(), QString());
    EXPECT_EQ(p.recordCount(), 3);
    busca(*j, PorPalavra, QString(), QString(), QStringLiteral("s"));
    EXPECT_EQ(p.recordCount(), 0);
    busca(*j, PorPalavra, QString(), QString(), QStringLiteral("S"));
    EXPECT_EQ(p.recordCount(), 2);
    EXPECT_EQ(j->chaveAtual(), QStringLiteral("1"));

    busca(*j, Contendo, QStringLiteral("3.01"), QString(), QString(), 1);
    j.reset();
    EXPECT_FALSE(p.filtered());
    EXPECT_EQ(p.recordCount(), 5);
    EXPECT_EQ(p.indexName(), QStringLiteral("IDX_FILTER"));
    EXPECT_EQ(p.valueAt(0, 1).toString(), QStringLiteral("ATIVO"));
}

TEST_F(PesquisaTest, ReferentialRowsAreColouredByTypeAndValidity) {
    preenchePlanoRef();
    dm->quSPED.setParam(QStringLiteral("SPCODIGO"), 1);
    dm->quSPED.setParam(QStringLiteral("SPID"), QStringLiteral("T"));
    dm->quSPED.open();
    auto j = abre(QStringLiteral("Plano Contas Referencial"));
    QAbstractItemModel& m = *j->dbgdPesquisa->model();
    auto fundo = [&](int linha) { return m.data(m.index(linha, 1), Qt::BackgroundRole).value<QColor>(); };
    auto texto = [&](int linha) { return m.data(m.index(linha, 1), Qt::ForegroundRole).value<QColor>(); };
    EXPECT_EQ(fundo(0), QColor(166, 202, 240));
    EXPECT_EQ(texto(0), QColor(0, 0, 128));
    EXPECT_EQ(fundo(2), QColor(255, 0, 0)); // ended 31/12/2024, the period starts 01/01/2025
    EXPECT_EQ(texto(2), QColor(Qt::white));
    EXPECT_EQ(fundo(3), QColor(Qt::white));
    EXPECT_EQ(fundo(4), QColor(Qt::white));
    EXPECT_EQ(texto(4), QColor(Qt::black));

    auto municipios = abre(QStringLiteral("Municípios"));
    const QAbstractItemModel& mm = *municipios->dbgdPesquisa->model();
    EXPECT_FALSE(mm.data(mm.index(0, 0), Qt::BackgroundRole).isValid());
}

TEST_F(PesquisaTest, FailuresShowTheirBoxAndAbort) {
    EXPECT_THROW(abre(QStringLiteral("Bancos")), SilentAbort);
    EXPECT_EQ(caixas->get().texts(), QStringList{QStringLiteral("Erro: ao configurar a pesquisa!")});

    QString chave = QStringLiteral("antes");
    EXPECT_THROW(ui::AbrePesquisa(QStringLiteral("Bancos"), chave), SilentAbort);
    EXPECT_EQ(chave, QStringLiteral("antes"));

    caixas->get().clear();
    auto j = abre(QStringLiteral("Municípios"));
    j->quPesquisa.setTransaction(nullptr);
    EXPECT_THROW(busca(*j, Contendo, QStringLiteral("vale"), QString(), QString()), SilentAbort);
    EXPECT_EQ(caixas->get().texts(), QStringList{QStringLiteral("Erro: ao carregar pesquisa!")});
    // The window stays usable.
    j->quPesquisa.setTransaction(&dm->trBanco);
    busca(*j, Contendo, QStringLiteral("vale"), QString(), QString());
    EXPECT_EQ(j->quPesquisa.recordCount(), 1);
}

TEST_F(PesquisaTest, OpeningReturnsTheChosenKeyOrLeavesItUntouched) {
    QString chave = QStringLiteral("antes");
    testsupport::naJanelaModal<TfmPesquisa>([](TfmPesquisa& j) {
        busca(j, PorPalavra, QString(), QString(), QStringLiteral("3"));
        j.dbgdPesquisaDblClick();
    });
    EXPECT_TRUE(ui::AbrePesquisa(QStringLiteral("Empresa Processada"), chave));
    EXPECT_EQ(chave, QStringLiteral("3"));

    testsupport::naJanelaModal<TfmPesquisa>([](TfmPesquisa& j) { j.reject(); });
    EXPECT_FALSE(ui::AbrePesquisa(QStringLiteral("Empresa Processada"), chave));
    EXPECT_EQ(chave, QStringLiteral("3"));

    testsupport::naJanelaModal<TfmPesquisa>([](TfmPesquisa& j) {
        busca(j, PorPalavra, QString(), QString(), QStringLiteral("99"));
        j.dbgdPesquisaDblClick();
    });
    EXPECT_TRUE(ui::AbrePesquisa(QStringLiteral("Empresa Processada"), chave));
    EXPECT_EQ(chave, QString());

    preenchePlanoRef();
    testsupport::naJanelaModal<TfmPesquisa>([](TfmPesquisa& j) {
        busca(j, Comecando, QStringLiteral("3.01.0"), QString(), QString());
        j.dbgdPesquisa->setCurrentIndex(j.dbgdPesquisa->model()->index(1, 0));
        j.dbgdPesquisaDblClick();
    });
    EXPECT_TRUE(ui::AbrePesquisa(QStringLiteral("Plano Contas Referencial"), chave));
    EXPECT_EQ(chave, QStringLiteral("3.01.02"));
    EXPECT_FALSE(dm->cdsPlanoRef.filtered());
}

} // namespace
