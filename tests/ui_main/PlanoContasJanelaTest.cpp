// The chart of accounts page of the main window on the seed database: the association grid's
// columns and colours, its menu, the filter box and the search buttons.

#include "common/Consultas.h"
#include "data/dmFCONT.h"
#include "db/Statement.h"
#include "db/Transaction.h"
#include "platform/Abort.h"
#include "tests/support/ModuloDados.h"
#include "tests/support/PlanoGrande.h"
#include "tests/ui_main/Teclado.h"
#include "ui/main/GradePlanoContas.h"
#include "ui/main/PaginaPrincipal.h"
#include "ui/main/PaginaRegistroI050.h"
#include "ui/main/TfmPrincipal.h"
#include "ui/search/CoresPlano.h"
#include "ui/search/LarguraColuna.h"

#include <QCheckBox>
#include <QCoreApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QHeaderView>
#include <QImage>
#include <QLineEdit>
#include <QMenu>
#include <QPushButton>
#include <QTableView>
#include <QTimer>
#include <QToolButton>

using namespace testsupport;
using ui::TfmPrincipal;

namespace {

// Three referential accounts: one still valid, two whose validity ended in 2013.
const QByteArray planoReferencial = "COD_CTA_REF;DESCRICAO;DT_INI;DT_FIM;TIPO\r\n"
                                    "1.01.01.01.00;Caixa;01012008;31122013;A\r\n"
                                    "1.01.01.02.00;Bancos;01012008;;A\r\n"
                                    "1.01;Circulante;01012008;31122013;S\r\n";

const QColor azul(166, 202, 240);
const QColor marinho(0, 0, 128);

class PlanoContasJanela : public ModuloDadosTest {
protected:
    void SetUp() override {
        ModuloDadosTest::SetUp();
        if (IsSkipped())
            return;
        copiaTabelasExternas();
        escreveArquivo(QStringLiteral("Tabelas Externas/contasref-SRF.txt"), planoReferencial);
        selecaoAnterior = TfmPrincipal::selecionaConfiguracao();
        pesquisaAnterior = TfmPrincipal::abrePesquisa();
        geralAnterior = TfmPrincipal::abrePesquisaGeral();
        terminoAnterior = TfmPrincipal::terminaAplicacao();
        navegadorAnterior = ui::PaginaPrincipal::abreNavegador();
        TfmPrincipal::selecionaConfiguracao() = [](int& codigo, QString& acao) {
            codigo = 1;
            acao.clear();
            return true;
        };
        TfmPrincipal::abrePesquisa() = [this](const QString& tipo, QString& chave) {
            tipos << tipo;
            chave = escolha;
            return !chave.isEmpty();
        };
        TfmPrincipal::abrePesquisaGeral() = [this](int tipo, QString& r1, QString&, QString&, QString&,
                                                   const QString& n1, const QString&, const QString&,
                                                   const QString&) {
            tipos << QStringLiteral("%1:%2").arg(tipo).arg(n1);
            r1 = escolha;
            return !r1.isEmpty();
        };
        TfmPrincipal::terminaAplicacao() = [] {};
        ui::PaginaPrincipal::abreNavegador() = [](const QUrl&) {};
        // One synthetic row refers to an expired account, which must win over its blue.
        dm->IBScript.setText(
            QStringLiteral("update AUGC80SPAS set COD_CTA_REF = '1.01' where SPASCODIGO = 2;"));
        dm->IBScript.run();
        janela = std::make_unique<TfmPrincipal>();
        janela->resize(1200, 700);
        janela->show();
        janela->CarregaPaginaTreeView(QStringLiteral("Registro I050"));
        grade = janela->dbgdPlanoContasRef();
        modelo = dynamic_cast<ui::ModeloPlanoContas*>(grade->model());
        caixas->get().clear();
    }

    void TearDown() override {
        janela.reset();
        if (selecaoAnterior || terminoAnterior) {
            TfmPrincipal::selecionaConfiguracao() = selecaoAnterior;
            TfmPrincipal::abrePesquisa() = pesquisaAnterior;
            TfmPrincipal::abrePesquisaGeral() = geralAnterior;
            TfmPrincipal::terminaAplicacao() = terminoAnterior;
            ui::PaginaPrincipal::abreNavegador() = navegadorAnterior;
        }
        ModuloDadosTest::TearDown();
    }

    // The grid's row of an association key.
    int linhaDa(int chave) const {
        const platform::Query& q = dm->quRegI050I051;
        for (int i = 0; i < q.recordCount(); ++i)
            if (q.valueAt(i, q.fieldByName(QStringLiteral("SPASCODIGO")).index()).toInt() == chave)
                return i;
        return -1;
    }

    QModelIndex celula(int chave, const char* campo) const {
        return modelo->index(linhaDa(chave), modelo->colunaDe(QString::fromLatin1(campo)));
    }

    // What another workstation sees of the set's association rows.
    QString vistoPorOutro(const QString& sql) const {
        db::Attachment outra = banco->connect();
        db::Transaction t(outra);
        const QString valor = testsupport::value(t, sql).toString();
        t.commit();
        return valor;
    }
    int linhasVistasPorOutro() const {
        return vistoPorOutro(QStringLiteral("select count(*) from AUGC80SPAS where SPCODIGO = 1")).toInt();
    }
    platform::Field& associacao(const char* campo) const {
        return dm->quRegI050I051.fieldByName(QString::fromLatin1(campo));
    }

    QColor cor(int chave, Qt::ItemDataRole papel) const {
        return celula(chave, "PCCODIGO").data(papel).value<QBrush>().color();
    }

    std::unique_ptr<TfmPrincipal> janela;
    QTableView* grade = nullptr;
    ui::ModeloPlanoContas* modelo = nullptr;
    QString escolha;
    QStringList tipos;
    TfmPrincipal::Selecao selecaoAnterior;
    TfmPrincipal::Pesquisa pesquisaAnterior;
    TfmPrincipal::PesquisaGeral geralAnterior;
    std::function<void()> terminoAnterior;
    std::function<void(const QUrl&)> navegadorAnterior;
};

TEST_F(PlanoContasJanela, GridShowsItsEightColumnsAndColoursRowsByTypeAndExpiredReference) {
    ASSERT_NE(modelo, nullptr);
    QStringList titulos;
    QList<int> larguras;
    QHeaderView* cabecalho = grade->horizontalHeader();
    for (int visual = 0; visual < cabecalho->count(); ++visual) {
        const int logica = cabecalho->logicalIndex(visual);
        if (cabecalho->isSectionHidden(logica))
            continue;
        titulos << modelo->headerData(logica, Qt::Horizontal).toString();
        larguras << grade->columnWidth(logica);
    }
    EXPECT_EQ(titulos, (QStringList{QStringLiteral("Código Conta"), QStringLiteral("Código Conta Sup."),
                                    QStringLiteral("Cod. Aglutinação"), QStringLiteral("Ind. Vlr."),
                                    QStringLiteral("Conta"), QStringLiteral("Ordenação"),
                                    QStringLiteral("Código Conta Ref."), QStringLiteral("Conta Referente")}));
    const QList<int> doProjeto{75, 98, 95, 45, 240, 95, 95};
    for (int i = 0; i < doProjeto.size(); ++i)
        EXPECT_EQ(larguras.value(i), ui::LarguraNaTela(*grade, doProjeto[i], titulos.value(i))) << i;

    EXPECT_EQ(cor(1, Qt::BackgroundRole), azul) << "synthetic";
    EXPECT_EQ(cor(1, Qt::ForegroundRole), marinho);
    EXPECT_EQ(cor(5, Qt::BackgroundRole), QColor(Qt::white)) << "analytic, account still valid";
    EXPECT_EQ(cor(5, Qt::ForegroundRole), QColor(Qt::black));
    EXPECT_EQ(cor(4, Qt::BackgroundRole), QColor(255, 0, 0)) << "analytic, expired in 2013";
    EXPECT_EQ(cor(4, Qt::ForegroundRole), QColor(Qt::white));
    EXPECT_EQ(cor(2, Qt::BackgroundRole), QColor(255, 0, 0)) << "expired wins over synthetic";
    EXPECT_EQ(celula(4, "DESCRICAO").data().toString(), QStringLiteral("Caixa"));

    // The selected cell keeps its row's colour.
    grade->setCurrentIndex(celula(1, "PCDESCRICAO"));
    QCoreApplication::processEvents();
    const QRect area = grade->visualRect(celula(1, "PCDESCRICAO"));
    const QImage imagem = grade->viewport()->grab().toImage();
    EXPECT_EQ(QColor(imagem.pixel(area.right() - 3, area.center().y())), azul);

    // A picture of the page for a look, when asked for (run under a real X server).
    const QString capturas = qEnvironmentVariable("FCONT_CAPTURAS");
    if (!capturas.isEmpty())
        janela->grab().save(QDir(capturas).filePath(QStringLiteral("registro-i050.png")));

    // Without a start of period nothing is red.
    dm->quSPED.edit();
    dm->quSPED.fieldByName(QStringLiteral("R0000DT_INI")).clear();
    EXPECT_EQ(cor(4, Qt::BackgroundRole), QColor(Qt::white));
    dm->quSPED.cancel();
}

// The rule itself, on its boundary: a validity that ends on the period's first day still covers
// that day, whatever time of day the stored start carries.
TEST(CoresPlano, RowTurnsRedOnlyWhenTheValidityEndedBeforeThePeriodsFirstDay) {
    const QColor vermelho(255, 0, 0);
    const QVariant inicio = QDate(2014, 1, 1);
    EXPECT_EQ(ui::CoresLinhaPlano(QStringLiteral("A"), QDate(2013, 12, 31), inicio).fundo, vermelho);
    EXPECT_EQ(ui::CoresLinhaPlano(QStringLiteral("A"), QDate(2013, 12, 31), inicio).texto, QColor(Qt::white));
    EXPECT_EQ(ui::CoresLinhaPlano(QStringLiteral("A"), QDate(2014, 1, 1), inicio).fundo, QColor(Qt::white))
        << "ends on the first day";
    EXPECT_EQ(ui::CoresLinhaPlano(QStringLiteral("S"), QDate(2014, 1, 1), inicio).fundo, azul);
    EXPECT_EQ(ui::CoresLinhaPlano(QStringLiteral("A"), QDate(2014, 1, 2), inicio).fundo, QColor(Qt::white));
    EXPECT_EQ(ui::CoresLinhaPlano(QStringLiteral("A"), QDate(2014, 1, 1),
                                  QDateTime(QDate(2014, 1, 1), QTime(10, 30)))
                  .fundo,
              QColor(Qt::white))
        << "a start stored with a time of day";
    EXPECT_EQ(ui::CoresLinhaPlano(QStringLiteral("A"), QVariant(), inicio).fundo, QColor(Qt::white))
        << "still valid";
}

TEST_F(PlanoContasJanela, MenuOffersItsEntriesInOrderAndItsQuestionsChangeNothingUnanswered) {
    QMenu* menu = janela->pmRegI050I051();
    ASSERT_NE(menu, nullptr);
    QStringList itens;
    for (const QAction* a : menu->actions())
        itens << (a->isSeparator() ? QStringLiteral("-") : a->text());
    EXPECT_EQ(itens, (QStringList{QStringLiteral("Importar Plano Contas"),
                                  QStringLiteral("Importar Plano Contas ECD"), QStringLiteral("Visualizar"),
                                  QStringLiteral("Exportar Excel"), QStringLiteral("-"),
                                  QStringLiteral("Excluir Plano de Contas")}));
    const int linhas = modelo->rowCount();

    caixas->get().answerNextInput(std::nullopt);
    menu->actions().at(1)->trigger();
    caixas->get().answerNext(QStringLiteral("Não"));
    menu->actions().at(5)->trigger();
    EXPECT_EQ(caixas->get().boxes().size(), 2);
    EXPECT_EQ(modelo->rowCount(), linhas);

    // Loading over a complete chart creates nothing and says so on the prompt.
    menu->actions().at(0)->trigger();
    EXPECT_TRUE(janela->textoPrompt().endsWith(QStringLiteral("SPED>0/40 novas contas criadas!")))
        << janela->textoPrompt().toStdString();
    EXPECT_EQ(modelo->rowCount(), linhas);
}

TEST_F(PlanoContasJanela, FilterBoxShowsOnlyRowsWithoutReferentialAccount) {
    janela->ckRegI050I051ContasNRef()->click();
    EXPECT_EQ(modelo->rowCount(), 22) << "the synthetic rows but the one given an account above";
    janela->ckRegI050I051ContasNRef()->click();
    EXPECT_EQ(modelo->rowCount(), 40);
}

TEST_F(PlanoContasJanela, EditButtonsSearchAndStoreTheChosenCodes) {
    // A synthetic row takes no referential account.
    grade->setCurrentIndex(celula(1, "COD_CTA_REF"));
    EXPECT_THROW(janela->dbgdPlanoContasRefEditButtonClick(), platform::SilentAbort);
    EXPECT_EQ(caixas->get().texts(),
              QStringList{QStringLiteral("Aviso: \rApenas Contas Analíticas devem ser Referenciadas!")});
    EXPECT_TRUE(tipos.isEmpty());

    escolha = QStringLiteral(" 1.01.01.02.00 ");
    grade->setCurrentIndex(celula(4, "COD_CTA_REF"));
    janela->dbgdPlanoContasRefEditButtonClick();
    EXPECT_EQ(tipos, QStringList{QStringLiteral("Plano Contas Referencial")});
    EXPECT_EQ(celula(4, "COD_CTA_REF").data().toString(), QStringLiteral("1.01.01.02.00"));
    EXPECT_EQ(celula(4, "DESCRICAO").data().toString(), QStringLiteral("Bancos"));

    tipos.clear();
    escolha = QStringLiteral("103");
    grade->setCurrentIndex(celula(4, "PCCODIGOSUP"));
    janela->dbgdPlanoContasRefEditButtonClick();
    EXPECT_EQ(tipos, QStringList{QStringLiteral("0:PCCODIGO")});
    EXPECT_EQ(celula(4, "PCCODIGOSUP").data().toString(), QStringLiteral("103"));
    EXPECT_FALSE(dm->quRegI050I051.editing()) << "stored at once";

    // Nothing chosen: nothing changes.
    escolha.clear();
    grade->setCurrentIndex(celula(4, "PCCODIGO"));
    janela->dbgdPlanoContasRefEditButtonClick();
    EXPECT_EQ(celula(4, "PCCODIGO").data().toString(), QStringLiteral("104"));
}

// A loading and a copy of thousands of rows through the menu: the grid takes the rows in a few
// batches instead of one redraw per row, "Cancelar" is offered, and a press stops the run before
// its next row, with every row stored so far committed.
TEST_F(PlanoContasJanela, CancelarStopsALongLoadingOrCopyBeforeItsNextRowKeepingTheStoredRows) {
    banco->runScript(
        testsupport::scriptPlanoGrande(1, 3000, 20000) +
        QStringLiteral("insert into AUGC80SPAS (SPASCODIGO, SPCODIGO, PACODIGO, PCCODIGO) select "
                       "100000 + PCCODIGO, 9, 1, PCCODIGO from ACBC15PC where PCCODIGO >= 20000;") +
        testsupport::scriptGatilhoLento(2500));
    db::Attachment outra = banco->connect();
    auto vistasPorOutro = [&] {
        db::Transaction t(outra);
        const int n =
            testsupport::value(t, QStringLiteral("select count(*) from AUGC80SPAS where SPCODIGO = 1"))
                .toInt();
        t.commit();
        return n;
    };
    auto noConjunto = [this] {
        return common::BuscaValorInteiro(QStringLiteral("count(*)"), QStringLiteral("AUGC80SPAS"),
                                         QStringLiteral(" where SPCODIGO = 1"), dm->quExec);
    };
    int avisosDaGrade = 0;
    QObject::connect(modelo, &QAbstractItemModel::rowsInserted, janela.get(), [&] { ++avisosDaGrade; });

    for (const int item : {0, 1}) {
        SCOPED_TRACE(item == 0 ? "loading" : "copy");
        const int antes = noConjunto();
        const int linhasDaGrade = modelo->rowCount();
        avisosDaGrade = 0;
        bool ofereceCancelar = false;
        int gravadasAoPressionar = -1;
        qint64 pressionado = -1;
        QElapsedTimer relogio;
        QTimer::singleShot(800, janela.get(), [&] {
            ofereceCancelar = janela->btCancelar()->isEnabled();
            gravadasAoPressionar = noConjunto();
            pressionado = relogio.elapsed();
            janela->btCancelar()->click();
        });
        caixas->get().clear();
        // The copy does not clear a request left by the loading's press; it would stop at once.
        dm->Cancelado = false;
        if (item == 1)
            caixas->get().answerNextInput(QStringLiteral("9"));
        relogio.start();
        janela->pmRegI050I051()->actions().at(item)->trigger();
        const qint64 fim = relogio.elapsed();

        ASSERT_GE(pressionado, 0) << "the run ended before the press";
        std::printf("[          ] %s: press noticed and the run ended %lld ms after it\n",
                    item == 0 ? "loading" : "copy", static_cast<long long>(fim - pressionado));
        EXPECT_TRUE(ofereceCancelar);
        EXPECT_FALSE(janela->btCancelar()->isEnabled());
        EXPECT_TRUE(janela->btGerar()->isEnabled());
        EXPECT_GT(gravadasAoPressionar, antes);
        EXPECT_EQ(noConjunto(), gravadasAoPressionar) << "no row after the press";
        EXPECT_EQ(vistasPorOutro(), gravadasAoPressionar) << "and all of them committed";
        EXPECT_LT(fim - pressionado, 2000);
        if (item == 0) {
            EXPECT_TRUE(
                janela->textoPrompt().contains(QStringLiteral("SPED>Operação abortada pelo Usuário.")))
                << janela->textoPrompt().toStdString();
            EXPECT_TRUE(caixas->get().texts().isEmpty());
            EXPECT_EQ(modelo->rowCount(), linhasDaGrade + gravadasAoPressionar - antes);
            EXPECT_GE(avisosDaGrade, 1);
            EXPECT_LE(avisosDaGrade, 1 + static_cast<int>(fim / 200)) << "in batches, not row by row";
        } else {
            EXPECT_TRUE(caixas->get().texts().mid(1).isEmpty()) << "no box after the question of the source";
        }
    }
}

// An administrator drops the program's attachment while the chart loads. The loading ends at
// once with one box that says so in our words, the buttons come back, the rows committed before
// stay, and the next action fails at once with the same words instead of waiting on the dead
// connection.
TEST_F(PlanoContasJanela, ADroppedConnectionEndsTheLoadingWithOneBoxAndLeavesTheWindowUsable) {
    banco->runScript(testsupport::scriptPlanoGrande(1, 3000, 20000) + testsupport::scriptGatilhoLento(2500));
    const qint64 conexao = common::BuscaValorInteiro(QStringLiteral("current_connection"),
                                                     QStringLiteral("rdb$database"), QString(), dm->quExec);
    db::Attachment administrador = banco->connect();
    qint64 derrubada = -1;
    QElapsedTimer relogio;
    QTimer::singleShot(600, janela.get(), [&] {
        db::Transaction t(administrador);
        db::executeImmediate(
            t, QStringLiteral("delete from MON$ATTACHMENTS where MON$ATTACHMENT_ID = %1").arg(conexao));
        t.commit();
        derrubada = relogio.elapsed();
    });
    caixas->get().clear();
    relogio.start();
    janela->pmRegI050I051()->actions().at(0)->trigger();
    const qint64 fim = relogio.elapsed();

    ASSERT_GE(derrubada, 0) << "the loading ended before the drop";
    EXPECT_LT(fim - derrubada, 2000);
    EXPECT_TRUE(dm->dbBanco.attachment().lost());
    const QStringList caixasDaCarga = caixas->get().texts();
    ASSERT_EQ(caixasDaCarga.size(), 1) << caixasDaCarga.join(QStringLiteral(" | ")).toStdString();
    EXPECT_TRUE(
        caixasDaCarga.first().startsWith(QStringLiteral("A conexão com o banco de dados foi perdida.")))
        << caixasDaCarga.first().toStdString();
    EXPECT_FALSE(janela->btCancelar()->isEnabled());
    EXPECT_TRUE(janela->btGerar()->isEnabled());
    db::Transaction leitura(administrador);
    EXPECT_GT(
        testsupport::value(leitura, QStringLiteral("select count(*) from AUGC80SPAS where PCCODIGO >= 20000"))
            .toInt(),
        0)
        << "the rows committed before the drop stay";
    leitura.commit();

    caixas->get().clear();
    relogio.restart();
    janela->pmRegI050I051()->actions().at(0)->trigger();
    EXPECT_LT(relogio.elapsed(), 1000);
    ASSERT_EQ(caixas->get().texts().size(), 1)
        << caixas->get().texts().join(QStringLiteral(" | ")).toStdString();
    EXPECT_TRUE(caixas->get().texts().first().startsWith(
        QStringLiteral("A conexão com o banco de dados foi perdida.")));
    EXPECT_TRUE(janela->btGerar()->isEnabled());
}

// Single rows of the association grid, driven with the keys: Ctrl+Del asks and deletes one row,
// committed at once, and the grid is read again as the filter box says.
TEST_F(PlanoContasJanela, CtrlDelAsksAndDeletesOneRowCommittedAtOnceKeepingTheFilter) {
    using testsupport::tecla;
    grade->setFocus();
    grade->setCurrentIndex(celula(5, "PCDESCRICAO"));
    caixas->get().answerNext(QStringLiteral("Não"));
    tecla(grade, Qt::Key_Delete, Qt::ControlModifier);
    ASSERT_EQ(caixas->get().boxes().size(), 1);
    EXPECT_TRUE(
        caixas->get().texts().first().startsWith(QStringLiteral("Confirma a exclusão da conta 1101002")))
        << caixas->get().texts().first().toStdString();
    EXPECT_EQ(modelo->rowCount(), 40);
    EXPECT_EQ(linhasVistasPorOutro(), 40);

    caixas->get().answerNext(QStringLiteral("Sim"));
    tecla(grade, Qt::Key_Delete, Qt::ControlModifier);
    EXPECT_EQ(modelo->rowCount(), 39);
    EXPECT_EQ(linhaDa(5), -1);
    EXPECT_EQ(linhasVistasPorOutro(), 39) << "the delete is committed at once";
    EXPECT_EQ(vistoPorOutro(QStringLiteral("select count(*) from AUGC80SPAS where SPASCODIGO = 5")),
              QStringLiteral("0"));
    EXPECT_EQ(dm->quRegI050I051.fieldByName(QStringLiteral("SPASCODIGO")).asInteger(), 6)
        << "the grid stays near the deleted row";

    // With the box ticked, a deletion reads again only the rows without a referential account.
    janela->ckRegI050I051ContasNRef()->click();
    ASSERT_EQ(modelo->rowCount(), 22);
    grade->setCurrentIndex(celula(6, "PCDESCRICAO"));
    caixas->get().answerNext(QStringLiteral("Sim"));
    janela->tsRegI050()->btExcluir()->click();
    EXPECT_EQ(modelo->rowCount(), 21);
    EXPECT_TRUE(janela->ckRegI050I051ContasNRef()->isChecked());
    for (int i = 0; i < modelo->rowCount(); ++i)
        EXPECT_TRUE(
            modelo->index(i, modelo->colunaDe(QStringLiteral("COD_CTA_REF"))).data().toString().isEmpty());
    EXPECT_EQ(linhasVistasPorOutro(), 38);
    EXPECT_EQ(caixas->get().boxes().size(), 3) << caixas->get().texts().join('|').toStdString();
}

TEST_F(PlanoContasJanela, InsertOpensARowWithItsDefaultsThatTheAccountSearchOrTypingStores) {
    using testsupport::editorAberto;
    using testsupport::tecla;
    dm->IBScript.setText(QStringLiteral("delete from AUGC80SPAS where SPASCODIGO in (5, 7);"));
    dm->IBScript.run();
    dm->trBanco.commitRetaining();
    janela->ckRegI050I051ContasNRefClick();
    ASSERT_EQ(modelo->rowCount(), 38);
    grade->setFocus();
    grade->setCurrentIndex(celula(4, "PCDESCRICAO"));

    tecla(grade, Qt::Key_Insert);
    ASSERT_EQ(modelo->rowCount(), 39);
    EXPECT_EQ(grade->currentIndex().row(), 38) << "the new row is at the end and current";
    EXPECT_EQ(dm->quRegI050I051.state(), platform::DataSetState::Insert);
    EXPECT_EQ(associacao("SPASCODIGO").asInteger(), 44) << "the next key of the whole table";
    EXPECT_EQ(associacao("SPCODIGO").asInteger(), 1);
    EXPECT_EQ(associacao("PACODIGO").asInteger(), 1);
    janela->tsRegI050()->btIncluir()->click();
    EXPECT_EQ(modelo->rowCount(), 39) << "one new row at a time";

    // Left untouched, the row goes; nothing was stored.
    tecla(grade, Qt::Key_Up);
    EXPECT_EQ(modelo->rowCount(), 38);
    EXPECT_EQ(dm->quRegI050I051.state(), platform::DataSetState::Browse);
    EXPECT_EQ(linhasVistasPorOutro(), 38);

    // Down on the last row opens one; the account's search button fills it and stores it.
    grade->setCurrentIndex(modelo->index(37, modelo->colunaDe(QStringLiteral("PCCODIGO"))));
    tecla(grade, Qt::Key_Down);
    ASSERT_EQ(modelo->linhaNova(), 38);
    auto botaoDaConta = [this] {
        grade->setCurrentIndex(
            modelo->index(modelo->rowCount() - 1, modelo->colunaDe(QStringLiteral("PCCODIGO"))));
        tecla(grade, Qt::Key_F2);
        QCoreApplication::processEvents(); // the view lays out and shows its editor
        QWidget* editor = editorAberto(*grade);
        auto* botao = editor ? editor->findChild<QToolButton*>(QStringLiteral("btEdicao")) : nullptr;
        if (botao)
            botao->click();
        QCoreApplication::processEvents(); // the search opens once the editor has closed
        return botao != nullptr;
    };
    escolha.clear();
    ASSERT_TRUE(botaoDaConta());
    EXPECT_EQ(tipos, QStringList{QStringLiteral("0:PCCODIGO")});
    EXPECT_EQ(dm->quRegI050I051.state(), platform::DataSetState::Insert) << "nothing chosen, nothing stored";
    EXPECT_EQ(linhasVistasPorOutro(), 38);

    escolha = QStringLiteral("105");
    ASSERT_TRUE(botaoDaConta());
    EXPECT_EQ(dm->quRegI050I051.state(), platform::DataSetState::Browse);
    EXPECT_EQ(vistoPorOutro(QStringLiteral("select PCCODIGO || '/' || SPCODIGO || '/' || PACODIGO from "
                                           "AUGC80SPAS where SPASCODIGO = 44")),
              QStringLiteral("105/1/1"))
        << "stored and committed at once";
    EXPECT_EQ(celula(44, "PCDESCRICAO").data().toString(),
              vistoPorOutro(
                  QStringLiteral("select PCDESCRICAO from ACBC15PC where PACODIGO = 1 and PCCODIGO = 105")))
        << "the joined columns show the account";
    EXPECT_EQ(celula(44, "PCORDENACAO").data().toString(), QStringLiteral("1101002"));

    // An account typed into a new row is stored when the user leaves the row.
    tecla(grade, Qt::Key_Insert);
    grade->setCurrentIndex(modelo->index(modelo->linhaNova(), modelo->colunaDe(QStringLiteral("PCCODIGO"))));
    tecla(grade, Qt::Key_F2);
    auto* texto = editorAberto(*grade) ? editorAberto(*grade)->findChild<QLineEdit*>() : nullptr;
    ASSERT_NE(texto, nullptr);
    testsupport::teclas(texto, QStringLiteral("107"));
    tecla(texto, Qt::Key_Return);
    QCoreApplication::processEvents();
    EXPECT_EQ(linhasVistasPorOutro(), 39) << "the row waits until the user leaves it";
    tecla(grade, Qt::Key_Up);
    EXPECT_EQ(linhasVistasPorOutro(), 40);
    EXPECT_EQ(vistoPorOutro(QStringLiteral("select PCCODIGO from AUGC80SPAS where SPASCODIGO = 45")),
              QStringLiteral("107"));
    EXPECT_EQ(celula(45, "PCDESCRICAO").data().toString(),
              vistoPorOutro(
                  QStringLiteral("select PCDESCRICAO from ACBC15PC where PACODIGO = 1 and PCCODIGO = 107")));
    EXPECT_TRUE(caixas->get().boxes().isEmpty()) << caixas->get().texts().join('|').toStdString();

    // An account the set already has is refused: two rows would write its I050 twice.
    tecla(grade, Qt::Key_Insert);
    grade->setCurrentIndex(modelo->index(modelo->linhaNova(), modelo->colunaDe(QStringLiteral("PCCODIGO"))));
    tecla(grade, Qt::Key_F2);
    texto = editorAberto(*grade) ? editorAberto(*grade)->findChild<QLineEdit*>() : nullptr;
    ASSERT_NE(texto, nullptr);
    testsupport::teclas(texto, QStringLiteral("105"));
    tecla(texto, Qt::Key_Return);
    QCoreApplication::processEvents();
    tecla(grade, Qt::Key_Up);
    EXPECT_EQ(linhasVistasPorOutro(), 40);
    EXPECT_EQ(vistoPorOutro(
                  QStringLiteral("select count(*) from AUGC80SPAS where SPCODIGO = 1 and PCCODIGO = 105")),
              QStringLiteral("1"));
    EXPECT_TRUE(
        caixas->get().texts().join('|').contains(QStringLiteral("A conta 105 já está no plano de contas")))
        << caixas->get().texts().join('|').toStdString();

    // A number the chart does not have is refused too: it would be stored and never shown.
    tecla(grade, Qt::Key_Insert);
    grade->setCurrentIndex(modelo->index(modelo->linhaNova(), modelo->colunaDe(QStringLiteral("PCCODIGO"))));
    tecla(grade, Qt::Key_F2);
    texto = editorAberto(*grade) ? editorAberto(*grade)->findChild<QLineEdit*>() : nullptr;
    ASSERT_NE(texto, nullptr);
    testsupport::teclas(texto, QStringLiteral("99999"));
    tecla(texto, Qt::Key_Return);
    QCoreApplication::processEvents();
    tecla(grade, Qt::Key_Up);
    EXPECT_EQ(linhasVistasPorOutro(), 40);
    EXPECT_EQ(vistoPorOutro(QStringLiteral("select count(*) from AUGC80SPAS where PCCODIGO = 99999")),
              QStringLiteral("0"));
    EXPECT_TRUE(caixas->get().texts().join('|').contains(
        QStringLiteral("A conta 99999 não existe no plano de contas da empresa 1.")))
        << caixas->get().texts().join('|').toStdString();
}

// Closing the window while a loading runs: "Não" lets it go on; "Sim" stops it before its next
// row, keeps every row stored so far, and only then closes the window and ends the program.
TEST_F(PlanoContasJanela, ClosingTheWindowDuringALoadingAsksAndOnSimStopsItThenEndsTheProgram) {
    banco->runScript(testsupport::scriptPlanoGrande(1, 3000, 20000) + testsupport::scriptGatilhoLento(2500));
    int terminos = 0;
    TfmPrincipal::terminaAplicacao() = [&terminos] { ++terminos; };
    auto noConjunto = [this] {
        return common::BuscaValorInteiro(QStringLiteral("count(*)"), QStringLiteral("AUGC80SPAS"),
                                         QStringLiteral(" where SPCODIGO = 1"), dm->quExec);
    };
    bool visivelAposNao = false;
    bool visivelAposSim = false;
    int terminosDuranteCarga = -1;
    int gravadasAoFechar = -1;
    QTimer::singleShot(500, janela.get(), [&] {
        caixas->get().answerNext(QStringLiteral("Não"));
        janela->close();
        visivelAposNao = janela->isVisible();
    });
    QTimer::singleShot(1000, janela.get(), [&] {
        caixas->get().answerNext(QStringLiteral("Sim"));
        janela->close();
        visivelAposSim = janela->isVisible();
        terminosDuranteCarga = terminos;
        gravadasAoFechar = noConjunto();
    });
    janela->pmRegI050I051()->actions().at(0)->trigger();

    const QString pergunta =
        QStringLiteral("Há uma operação em andamento.\rDeseja interrompê-la e encerrar o programa?");
    EXPECT_EQ(caixas->get().texts(), (QStringList{pergunta, pergunta}));
    EXPECT_TRUE(visivelAposNao) << "Não: the loading goes on in its window";
    EXPECT_TRUE(visivelAposSim) << "the window stays while the loading stops";
    EXPECT_EQ(terminosDuranteCarga, 0);
    ASSERT_GT(gravadasAoFechar, 40) << "the loading ended before the second close";
    EXPECT_LT(noConjunto(), 3040) << "the loading stopped";
    EXPECT_EQ(noConjunto(), gravadasAoFechar) << "no row after the answer";
    EXPECT_EQ(linhasVistasPorOutro(), gravadasAoFechar) << "and all of them committed";
    EXPECT_TRUE(janela->textoPrompt().contains(QStringLiteral("SPED>Operação abortada pelo Usuário.")));

    QCoreApplication::processEvents();
    EXPECT_EQ(terminos, 1) << "the program ends once the loading has stopped";
    EXPECT_FALSE(janela->isVisible());
}

} // namespace
