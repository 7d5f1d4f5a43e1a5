// A year-end made from nothing in the window, as a new user makes it: a new set with its company,
// branch, municipality and period, its M020/M030 choices, "Salvar", the company's chart loaded,
// a referential account for each analytic account, two signatories, and "Gerar".
#include "common/Consultas.h"
#include "data/dmFCONT.h"
#include "generation/dmBlocos.h"
#include "platform/DataSetModel.h"
#include "tests/support/ModuloDados.h"
#include "tests/ui_main/Teclado.h"
#include "ui/main/ControlePaginas.h"
#include "ui/main/PaginaPrincipal.h"
#include "ui/main/PaginaRegistro0000.h"
#include "ui/main/PaginaRegistroJ930.h"
#include "ui/main/TfmPrincipal.h"

#include <QComboBox>
#include <QDateEdit>
#include <QDir>
#include <QFile>
#include <QLineEdit>
#include <QMenu>
#include <QPushButton>
#include <QRegularExpression>
#include <QTableView>
#include <QToolButton>
#include <QTreeWidget>

using namespace testsupport;
using ui::TfmPrincipal;

namespace {

class ConjuntoNovoJanela : public ModuloDadosTest {
protected:
    void SetUp() override {
        ModuloDadosTest::SetUp();
        if (IsSkipped())
            return;
        blocos = std::make_unique<generation::TdmBlocos>();
        copiaTabelasExternas();
        dm->cdsListas.loadFromFile(QStringLiteral("Tabelas Externas/SPEDTabCodigos.xml"));
        selecaoAnterior = TfmPrincipal::selecionaConfiguracao();
        pesquisaAnterior = TfmPrincipal::abrePesquisa();
        terminoAnterior = TfmPrincipal::terminaAplicacao();
        navegadorAnterior = ui::PaginaPrincipal::abreNavegador();
        // "Nova Configuração" on a list with nothing highlighted.
        TfmPrincipal::selecionaConfiguracao() = [](int& codigo, QString& acao) {
            codigo = 0;
            acao = QStringLiteral("NOVO");
            return true;
        };
        TfmPrincipal::abrePesquisa() = [this](const QString& tipo, QString& chave) {
            chave = tipo == QLatin1String("Empresa Processada") ? QStringLiteral("1")
                    : tipo == QLatin1String("Empresa")          ? QStringLiteral("01")
                    : tipo == QLatin1String("Municípios")       ? QStringLiteral("3599001")
                                                                : referencial;
            return !chave.isEmpty();
        };
        TfmPrincipal::terminaAplicacao() = [] {};
        ui::PaginaPrincipal::abreNavegador() = [](const QUrl&) {};
        janela = std::make_unique<TfmPrincipal>();
        janela->resize(1200, 760);
        janela->show();
    }

    void TearDown() override {
        janela.reset();
        if (selecaoAnterior) {
            TfmPrincipal::selecionaConfiguracao() = selecaoAnterior;
            TfmPrincipal::abrePesquisa() = pesquisaAnterior;
            TfmPrincipal::terminaAplicacao() = terminoAnterior;
            ui::PaginaPrincipal::abreNavegador() = navegadorAnterior;
        }
        blocos.reset();
        ModuloDadosTest::TearDown();
    }

    template <typename W> W* controle(const char* nome) const {
        W* w = janela->findChild<W*>(QString::fromLatin1(nome));
        EXPECT_NE(w, nullptr) << nome;
        return w;
    }

    void escolhe(const QString& texto) {
        const QList<QTreeWidgetItem*> achados =
            janela->tvMenu()->findItems(texto, Qt::MatchExactly | Qt::MatchRecursive);
        ASSERT_EQ(achados.size(), 1) << texto.toStdString();
        janela->tvMenu()->setCurrentItem(achados.first());
    }

    void digitaData(const char* nome, const QString& digitado) {
        auto* data = controle<QDateEdit>(nome);
        data->findChild<QLineEdit*>()->selectAll();
        data->setFocus();
        teclas(data, digitado);
        tecla(data, Qt::Key_Return);
    }

    void digitaTexto(const char* nome, const QString& digitado) {
        auto* edit = controle<QLineEdit>(nome);
        edit->setFocus();
        edit->selectAll();
        teclas(edit, digitado);
        tecla(edit, Qt::Key_Return);
    }

    QString textoDasCaixas() const { return caixas->get().texts().join('|'); }

    std::unique_ptr<generation::TdmBlocos> blocos;
    std::unique_ptr<TfmPrincipal> janela;
    QString referencial;
    TfmPrincipal::Selecao selecaoAnterior;
    TfmPrincipal::Pesquisa pesquisaAnterior;
    std::function<void()> terminoAnterior;
    std::function<void(const QUrl&)> navegadorAnterior;
};

TEST_F(ConjuntoNovoJanela, ASetMadeFromNothingInTheWindowGeneratesAFileWithBothSignatories) {
    ASSERT_EQ(dm->quSPED.state(), platform::DataSetState::Insert);
    const int novo = static_cast<int>(dm->quSPED.fieldByName(QStringLiteral("SPCODIGO")).asInteger());

    escolhe(QStringLiteral("Registro 0000"));
    digitaData("deReg0000DataIni", QStringLiteral("01012025"));
    digitaData("deReg0000DataFin", QStringLiteral("31/12/2025"));
    janela->tsReg0000()->btPesqEmpProc()->click();
    janela->tsReg0000()->btPesqLocal()->click();
    janela->tsReg0000()->btPesqMunicipio()->click();
    ASSERT_TRUE(caixas->get().boxes().isEmpty()) << textoDasCaixas().toStdString();

    escolhe(QStringLiteral("Registro M020"));
    escolheComTeclas(controle<QComboBox>("dbcbRM020QUALI_PJ"), 1);
    escolheComTeclas(controle<QComboBox>("dbcbRM020TIPO_ESCRIT"), 0);
    escolheComTeclas(controle<QComboBox>("dbcbRM020FORM_TRIBUT"), 0);
    escolheComTeclas(controle<QComboBox>("dbcbRM020SIT_SLD_PER_ANT"), 0);
    escolheComTeclas(controle<QComboBox>("dbcbRegM020Form_trib_tri"), 1);
    const auto codigo = [this](const char* campo) {
        return dm->quSPED.fieldByName(QString::fromLatin1(campo)).asString().trimmed();
    };
    EXPECT_EQ(QStringList({codigo("RM020QUALI_PJ"), codigo("RM020TIPO_ESCRIT"), codigo("RM020FORM_TRIBUT"),
                           codigo("RM020SIT_SLD_PER_ANT"), codigo("RM020FORM_TRIB_TRI")}),
              QStringList({"10", "0", "1", "R", "1"}));
    escolhe(QStringLiteral("Registro M030"));
    digitaTexto("rxdbRM030VL_LUC_LIQ", QStringLiteral("4249,25"));

    janela->btSalvar()->click();
    ASSERT_TRUE(caixas->get().boxes().isEmpty()) << textoDasCaixas().toStdString();
    EXPECT_EQ(janela->CodigoConfiguracao, novo) << "the saved set stays the window's set";
    EXPECT_TRUE(janela->textoPrompt().endsWith(QStringLiteral("SPED>Configuração %1 salva.").arg(novo)));

    // The chart, then a referential account for each analytic account through its search button.
    escolhe(QStringLiteral("Registro I050"));
    janela->pmRegI050I051()->actions().at(0)->trigger();
    platform::Query& associacoes = dm->quRegI050I051;
    ASSERT_EQ(associacoes.recordCount(), 40) << textoDasCaixas().toStdString();
    QTableView* plano = janela->dbgdPlanoContasRef();
    const int colunaRef =
        static_cast<platform::DataSetModel*>(plano->model())->colunaDe(QStringLiteral("COD_CTA_REF"));
    int analiticas = 0;
    for (int i = 0; i < associacoes.recordCount(); ++i) {
        associacoes.moveTo(i);
        if (associacoes.fieldByName(QStringLiteral("PCTIPO")).asString() != QLatin1String("A"))
            continue;
        // The account of the seed's finished set, as an accountant would look it up.
        QString conta;
        common::BuscaValor(QStringLiteral("COD_CTA_REF"), QStringLiteral("AUGC80SPAS"),
                           QStringLiteral(" where SPCODIGO = 1 and PCCODIGO = %1")
                               .arg(associacoes.fieldByName(QStringLiteral("PCCODIGO")).asInteger()),
                           dm->quAux, conta);
        referencial = conta;
        plano->setCurrentIndex(plano->model()->index(i, colunaRef));
        janela->dbgdPlanoContasRefEditButtonClick();
        ++analiticas;
    }
    ASSERT_GT(analiticas, 10);
    ASSERT_TRUE(caixas->get().boxes().isEmpty()) << textoDasCaixas().toStdString();

    // The accountant and a director, typed into the signatory grid.
    escolhe(QStringLiteral("Registro J930"));
    QTableView* grade = janela->dbgdRegJ930();
    ASSERT_EQ(grade->model()->rowCount(), 0);
    grade->setFocus();
    tecla(grade, Qt::Key_Insert);
    EXPECT_TRUE(digitaNaCelula(grade, 0, 0, QStringLiteral("Ana Beatriz Lopes")));
    EXPECT_TRUE(digitaNaCelula(grade, 0, 1, QStringLiteral("11122233396")));
    EXPECT_TRUE(escolheNaCelula(grade, 0, 2, QStringLiteral("Contador")));
    EXPECT_TRUE(digitaNaCelula(grade, 0, 4, QStringLiteral("1SP654321O7")));
    janela->tsRegJ930()->btIncluir()->click();
    EXPECT_TRUE(digitaNaCelula(grade, 1, 0, QStringLiteral("Rui Fonseca Amaral")));
    EXPECT_TRUE(digitaNaCelula(grade, 1, 1, QStringLiteral("52998224725")));
    EXPECT_TRUE(escolheNaCelula(grade, 1, 2, QStringLiteral("Diretor")));
    ASSERT_TRUE(caixas->get().boxes().isEmpty()) << textoDasCaixas().toStdString();
    if (!qEnvironmentVariableIsEmpty("FCONT_CAPTURAS")) {
        EXPECT_TRUE(janela->grab().save(
            QDir(qEnvironmentVariable("FCONT_CAPTURAS")).filePath(QStringLiteral("J930-conjunto-novo.png"))));
    }

    janela->btGerar()->click();
    const QDir pasta(QDir(pastaAtual()).filePath(QStringLiteral("Arquivos Gerados")));
    const QStringList arquivos = pasta.entryList(QDir::Files);
    ASSERT_EQ(arquivos.size(), 1) << textoDasCaixas().toStdString();
    QFile arquivo(pasta.filePath(arquivos.first()));
    ASSERT_TRUE(arquivo.open(QIODevice::ReadOnly));
    const QStringList linhas = QString::fromLatin1(arquivo.readAll()).split(QStringLiteral("\r\n"));
    EXPECT_EQ(linhas.filter(QRegularExpression(QStringLiteral("^\\|J930\\|"))),
              (QStringList{QStringLiteral("|J930|Ana Beatriz Lopes|11122233396|Contador|900|1SP654321O7|"),
                           QStringLiteral("|J930|Rui Fonseca Amaral|52998224725|Diretor|203||")}));
    EXPECT_EQ(linhas.filter(QRegularExpression(QStringLiteral("^\\|I051\\|"))).size(), analiticas);
    EXPECT_TRUE(linhas.value(0).startsWith(QStringLiteral("|0000|LALU|"))) << linhas.value(0).toStdString();
    EXPECT_TRUE(linhas.value(0).contains(QStringLiteral("|01012025|31122025|")))
        << linhas.value(0).toStdString();
    EXPECT_TRUE(linhas.contains(QStringLiteral("|9900|J930|2|")));
    EXPECT_EQ(caixas->get().boxes().size(), 1) << "only the file shown: " << textoDasCaixas().toStdString();
}

} // namespace
