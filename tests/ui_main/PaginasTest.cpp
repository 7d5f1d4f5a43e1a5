// Each record page of the main window on the seed database: what the user enters goes into the
// parameter set's fields, and whatever changes the datasets from outside (a post, a cancel, a
// scroll, a reopen) shows in every bound control and grid without the window being told.
#include "data/Carregamento.h"
#include "data/dmFCONT.h"
#include "platform/Abort.h"
#include "tests/support/ModuloDados.h"
#include "ui/main/PaginaPrincipal.h"
#include "ui/main/TfmPrincipal.h"

#include <QCalendarWidget>
#include <QCheckBox>
#include <QComboBox>
#include <QCoreApplication>
#include <QDateEdit>
#include <QDir>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QRadioButton>
#include <QTableView>
#include <QTreeWidget>

using namespace testsupport;
using ui::TfmPrincipal;

namespace {

// What a picker shows: its item, or the stored text that is no item in the item's place.
QString mostrado(const QComboBox* picker) {
    return picker->currentIndex() >= 0 ? picker->currentText() : picker->placeholderText();
}

class Paginas : public ModuloDadosTest {
protected:
    void SetUp() override {
        ModuloDadosTest::SetUp();
        if (IsSkipped())
            return;
        copiaTabelasExternas();
        // A second set of this system, to be opened from outside the window.
        banco->runScript(QStringLiteral(
            "insert into AUGC80SP (SPCODIGO, SPID, SPNOME, EMPRESA, FILIAL, R0000DT_INI, R0000DT_FIN, "
            "R0000NOME, R0000CNPJ, R0000UF, R0000COD_MUN, RI051COD_ENT_REF) values (2, 'T', "
            "'SPED FCONT - Segunda', 1, '01', '2024-01-01', '2024-12-31', 'SEGUNDA LTDA', '11222333000181', "
            "'SP', '3599001', '20');"
            "insert into AUGC80SPAS (SPASCODIGO, SPCODIGO, PACODIGO, PCCODIGO, COD_CTA_REF) values (44, 2, "
            "1, "
            "104, '1.01.01.01.00');"
            "insert into AUGC80SPAS (SPASCODIGO, SPCODIGO, PACODIGO, PCCODIGO, COD_CTA_REF) values (45, 2, "
            "1, "
            "105, NULL);"
            "insert into AUGC80SPAS (SPASCODIGO, SPCODIGO, PACODIGO, PCCODIGO, COD_CTA_REF) values (46, 2, "
            "1, "
            "127, NULL);"));
        dm->cdsListas.loadFromFile(QStringLiteral("Tabelas Externas/SPEDTabCodigos.xml"));
        selecaoAnterior = TfmPrincipal::selecionaConfiguracao();
        terminoAnterior = TfmPrincipal::terminaAplicacao();
        navegadorAnterior = ui::PaginaPrincipal::abreNavegador();
        TfmPrincipal::selecionaConfiguracao() = [](int& codigo, QString& acao) {
            codigo = 1;
            acao.clear();
            return true;
        };
        TfmPrincipal::terminaAplicacao() = [] {};
        ui::PaginaPrincipal::abreNavegador() = [](const QUrl&) {};
        janela = std::make_unique<TfmPrincipal>();
        janela->show();
        ASSERT_TRUE(caixas->get().boxes().isEmpty()) << caixas->get().texts().join('|').toStdString();
    }

    void TearDown() override {
        janela.reset();
        if (selecaoAnterior) {
            TfmPrincipal::selecionaConfiguracao() = selecaoAnterior;
            TfmPrincipal::terminaAplicacao() = terminoAnterior;
            ui::PaginaPrincipal::abreNavegador() = navegadorAnterior;
        }
        ModuloDadosTest::TearDown();
    }

    template <typename W> W* controle(const char* nome) const {
        W* w = janela->findChild<W*>(QString::fromLatin1(nome));
        EXPECT_NE(w, nullptr) << nome;
        return w;
    }
    platform::Field& campo(const char* nome) const {
        return dm->quSPED.fieldByName(QString::fromLatin1(nome));
    }
    // Another set opened as the window's loading opens it; a failure tells its boxes.
    void reabre(int codigo) {
        try {
            ASSERT_TRUE(data::CarregaConfiguracoes(codigo));
        } catch (const platform::SilentAbort&) {
            FAIL() << caixas->get().texts().join('|').toStdString();
        }
    }
    static void digita(QLineEdit* edit, const QString& texto) {
        edit->setText(texto);
        emit edit->editingFinished();
    }
    static QString celula(QTableView* grade, int linha, int coluna) {
        return grade->model()->index(linha, coluna).data().toString();
    }

    std::unique_ptr<TfmPrincipal> janela;
    TfmPrincipal::Selecao selecaoAnterior;
    std::function<void()> terminoAnterior;
    std::function<void(const QUrl&)> navegadorAnterior;
};

TEST_F(Paginas, Registro0000StoresWhatIsEnteredAndFollowsPostsCancelsAndReopening) {
    auto* razao = controle<QLineEdit>("dbedReg0000Razao");
    auto* cnpj = controle<QLineEdit>("dbedReg0000CNPJ");
    auto* inicio = controle<QDateEdit>("deReg0000DataIni");
    auto* situacao = controle<QComboBox>("dbcbIND_SIT_ESP");
    auto* consolidar = controle<QCheckBox>("ckConsolidar");
    auto* im = controle<QLineEdit>("dbedReg0000IM");
    EXPECT_EQ(razao->accessibleName(), QStringLiteral("Razão Social"));
    EXPECT_EQ(cnpj->text(), QStringLiteral("11.222.333/0001-81"));

    digita(razao, QStringLiteral("Serrano Ltda"));
    EXPECT_EQ(campo("R0000NOME").asString(), QStringLiteral("Serrano Ltda"));
    digita(cnpj, QStringLiteral("12.345.678/0001-95"));
    EXPECT_EQ(campo("R0000CNPJ").asString(), QStringLiteral("12345678000195")) << "digits only";
    inicio->setDate(QDate(2025, 2, 1));
    emit inicio->editingFinished();
    EXPECT_EQ(campo("R0000DT_INI").asDateTime().date(), QDate(2025, 2, 1));
    emit situacao->activated(1);
    EXPECT_EQ(campo("R0000IND_SIT_ESP").asString(), QStringLiteral("2"));
    consolidar->click();
    EXPECT_EQ(campo("R0000CONSOLIDAR").asInteger(), -1);
    dm->quSPED.cancel();
    EXPECT_EQ(razao->text(), QStringLiteral("VALE SERRANO SERVIÇOS TÉCNICOS LTDA"))
        << "a cancel shows the stored set";
    EXPECT_EQ(cnpj->text(), QStringLiteral("11.222.333/0001-81"));
    EXPECT_EQ(inicio->date(), QDate(2025, 1, 1));
    EXPECT_EQ(situacao->currentIndex(), -1);
    EXPECT_FALSE(consolidar->isChecked());

    dm->quSPED.edit();
    campo("R0000IM").setValue(QStringLiteral("99999"));
    campo("R0000CONSOLIDAR").setValue(-1);
    EXPECT_EQ(im->text(), QStringLiteral("99999")) << "a value set from outside shows at once";
    dm->quSPED.post();
    EXPECT_EQ(im->text(), QStringLiteral("99999"));
    EXPECT_TRUE(consolidar->isChecked());

    reabre(2);
    EXPECT_EQ(janela->dblaCodCfg()->text(), QStringLiteral("2"));
    EXPECT_EQ(janela->dblaNomeCfg()->text(), QStringLiteral("SPED FCONT - Segunda"));
    EXPECT_EQ(inicio->date(), QDate(2024, 1, 1));
    EXPECT_EQ(im->text(), QString()) << "the other set has no municipal registration";
    EXPECT_FALSE(consolidar->isChecked());
    EXPECT_EQ(controle<QLineEdit>("dbedReg0000EmpresaProc")->text(), QStringLiteral("1"));
    EXPECT_TRUE(caixas->get().boxes().isEmpty()) << caixas->get().texts().join('|').toStdString();
}

TEST_F(Paginas, RegistroI050RadioGroupAndGridFollowTheirDatasets) {
    auto* srf = controle<QRadioButton>("rgRegI051COD_ENT_REF_0");
    auto* cosif = controle<QRadioButton>("rgRegI051COD_ENT_REF_1");
    EXPECT_TRUE(srf->isChecked());
    cosif->click();
    EXPECT_EQ(campo("RI051COD_ENT_REF").asString(), QStringLiteral("20"));
    EXPECT_FALSE(srf->isChecked());
    campo("RI051COD_ENT_REF").setValue(QStringLiteral("10"));
    EXPECT_TRUE(srf->isChecked());
    EXPECT_FALSE(cosif->isChecked());
    dm->quSPED.cancel();

    QTableView* grade = janela->dbgdPlanoContasRef();
    platform::Query& associacoes = dm->quRegI050I051;
    ASSERT_EQ(grade->model()->rowCount(), associacoes.recordCount());
    associacoes.moveTo(3);
    EXPECT_EQ(grade->currentIndex().row(), 3) << "a scroll moves the grid's row";
    associacoes.edit();
    associacoes.fieldByName(QStringLiteral("COD_AGL")).setValue(QStringLiteral("AG1"));
    associacoes.post();
    const int aglutinacao = 2;
    EXPECT_EQ(celula(grade, associacoes.recNo(), aglutinacao), QStringLiteral("AG1"));

    reabre(2);
    EXPECT_TRUE(cosif->isChecked()) << "the other set's entity";
    EXPECT_EQ(grade->model()->rowCount(), 3) << "the other set's rows, after a reopen";
    EXPECT_EQ(celula(grade, 0, 6), QStringLiteral("1.01.01.01.00"));
}

TEST_F(Paginas, RegistroJ930StoresEachCellAndFollowsPostsScrollsAndReopening) {
    QTableView* grade = janela->dbgdRegJ930();
    platform::Query& signatarios = dm->quRegJ930old;
    ASSERT_EQ(grade->model()->rowCount(), 2);
    EXPECT_EQ(celula(grade, 0, 0), QStringLiteral("Marina Albuquerque Teles"));

    EXPECT_TRUE(grade->model()->setData(grade->model()->index(1, 4), QStringLiteral("1SP999999O1")));
    EXPECT_EQ(signatarios.state(), platform::DataSetState::Browse) << "the cell is posted at once";
    EXPECT_EQ(signatarios.fieldByName(QStringLiteral("SPSGIND_CRC")).asString(),
              QStringLiteral("1SP999999O1"));
    EXPECT_EQ(grade->currentIndex().row(), 1);

    signatarios.moveTo(0);
    EXPECT_EQ(grade->currentIndex().row(), 0);
    signatarios.edit();
    signatarios.fieldByName(QStringLiteral("SPSGIDENT_NOM")).setValue(QStringLiteral("Marina A. Teles"));
    EXPECT_EQ(celula(grade, 0, 0), QStringLiteral("Marina A. Teles"))
        << "the row being edited shows its buffer";
    signatarios.post();
    EXPECT_EQ(celula(grade, 0, 0), QStringLiteral("Marina A. Teles"));

    reabre(2);
    EXPECT_EQ(grade->model()->rowCount(), 0) << "the other set has no signatories";
    EXPECT_TRUE(caixas->get().boxes().isEmpty()) << caixas->get().texts().join('|').toStdString();
}

TEST_F(Paginas, Registro0000DatesAreTypedAsUsersWriteThemAndAnImpossibleOneIsReported) {
    auto* inicio = controle<QDateEdit>("deReg0000DataIni");
    EXPECT_EQ(inicio->accessibleName(), QStringLiteral("Data inicial"));
    QLineEdit* texto = inicio->findChild<QLineEdit*>();
    ASSERT_NE(texto, nullptr);
    auto digitaData = [&](const QString& digitado) {
        texto->selectAll();
        for (const QChar c : digitado) {
            QKeyEvent pressiona(QEvent::KeyPress, c.unicode(), Qt::NoModifier, QString(c));
            QCoreApplication::sendEvent(inicio, &pressiona);
        }
        QKeyEvent volta(QEvent::KeyPress, Qt::Key_Return, Qt::NoModifier);
        QCoreApplication::sendEvent(inicio, &volta);
    };
    digitaData(QStringLiteral("01012025"));
    EXPECT_EQ(campo("R0000DT_INI").asDateTime().date(), QDate(2025, 1, 1));
    digitaData(QStringLiteral("1/2/25"));
    EXPECT_EQ(campo("R0000DT_INI").asDateTime().date(), QDate(2025, 2, 1));
    EXPECT_TRUE(caixas->get().boxes().isEmpty());
    digitaData(QStringLiteral("31/02/2025"));
    EXPECT_EQ(campo("R0000DT_INI").asDateTime().date(), QDate(2025, 2, 1));
    EXPECT_EQ(caixas->get().texts().size(), 1);
    EXPECT_EQ(texto->text(), QStringLiteral("01/02/2025"));

    // An emptied date's calendar opens within the set's period, today's month without one.
    auto* fim = controle<QDateEdit>("deReg0000DataFin");
    auto apaga = [](QDateEdit* data) {
        data->findChild<QLineEdit*>()->selectAll();
        QKeyEvent tecla(QEvent::KeyPress, Qt::Key_Delete, Qt::NoModifier);
        QCoreApplication::sendEvent(data, &tecla);
    };
    auto paginaDoCalendario = [](QDateEdit* data) {
        data->calendarWidget()->window()->show();
        const QDate pagina(data->calendarWidget()->yearShown(), data->calendarWidget()->monthShown(), 1);
        data->calendarWidget()->window()->hide();
        return pagina;
    };
    ASSERT_EQ(campo("R0000DT_FIN").asDateTime().date(), QDate(2025, 12, 31));
    apaga(inicio);
    EXPECT_TRUE(campo("R0000DT_INI").isNull());
    EXPECT_EQ(paginaDoCalendario(inicio), QDate(2025, 1, 1)) << "January of the period's year";
    digitaData(QStringLiteral("01012025"));
    apaga(fim);
    EXPECT_TRUE(campo("R0000DT_FIN").isNull());
    EXPECT_EQ(paginaDoCalendario(fim), QDate(2025, 12, 1)) << "December of the period's year";
    apaga(inicio);
    const QDate hoje = QDate::currentDate();
    EXPECT_EQ(paginaDoCalendario(fim), QDate(hoje.year(), hoje.month(), 1)) << "no period: today";
    EXPECT_EQ(caixas->get().texts().size(), 1);
    digitaData(QStringLiteral("1/2/25"));

    if (!qEnvironmentVariableIsEmpty("FCONT_CAPTURAS")) {
        const QList<QTreeWidgetItem*> no = janela->tvMenu()->findItems(QStringLiteral("Registro 0000"),
                                                                       Qt::MatchExactly | Qt::MatchRecursive);
        ASSERT_EQ(no.size(), 1);
        janela->tvMenu()->setCurrentItem(no.first());
        texto->selectAll();
        for (const QChar c : QStringLiteral("1/1/25")) {
            QKeyEvent pressiona(QEvent::KeyPress, c.unicode(), Qt::NoModifier, QString(c));
            QCoreApplication::sendEvent(inicio, &pressiona);
        }
        EXPECT_TRUE(janela->grab().save(
            QDir(qEnvironmentVariable("FCONT_CAPTURAS")).filePath(QStringLiteral("data-digitada.png"))));
    }
}

TEST_F(Paginas, RegistroM020PickersAndEntriesStoreCodesAndShowTheSetAgainAfterAReopen) {
    auto* tipo = controle<QComboBox>("dbcbRM020TIPO_ESCRIT");
    auto* recibo = controle<QLineEdit>("dbedRM020NRO_REC_ANTERIOR");
    auto* forma = controle<QComboBox>("dbcbRM020FORM_TRIBUT");
    emit tipo->activated(1);
    EXPECT_EQ(campo("RM020TIPO_ESCRIT").asString(), QStringLiteral("1"));
    EXPECT_EQ(mostrado(tipo), campo("RM020TIPO_ESCRIT").displayText());
    digita(recibo, QStringLiteral("123456"));
    EXPECT_EQ(campo("RM020NRO_REC_ANTERIOR").asString(), QStringLiteral("123456"));
    campo("RM020FORM_TRIBUT").setValue(QStringLiteral("3"));
    EXPECT_EQ(mostrado(forma), QStringLiteral("3 - Real Presumido (Trimestral)"));
    dm->quSPED.post();
    EXPECT_EQ(recibo->text(), QStringLiteral("123456"));

    reabre(2);
    EXPECT_EQ(recibo->text(), QString());
    EXPECT_EQ(mostrado(forma), campo("RM020FORM_TRIBUT").displayText());
    reabre(1);
    EXPECT_EQ(recibo->text(), QStringLiteral("123456")) << "the posted number was stored";
    EXPECT_EQ(mostrado(tipo), campo("RM020TIPO_ESCRIT").displayText());
}

TEST_F(Paginas, RegistroM030AmountKeepsItsPictureWhateverChangesIt) {
    auto* valor = controle<QLineEdit>("rxdbRM030VL_LUC_LIQ");
    EXPECT_EQ(valor->accessibleName(),
              QStringLiteral("Valor do lucro líquido (ou do prejuízo) societário do período"));
    EXPECT_EQ(valor->text(), QStringLiteral("4.249,25"));
    digita(valor, QStringLiteral("1.234,5"));
    EXPECT_DOUBLE_EQ(campo("RM030VL_LUC_LIQ").asFloat(), 1234.5);
    EXPECT_EQ(valor->text(), QStringLiteral("1.234,50"));
    campo("RM030VL_LUC_LIQ").setValue(-10.0);
    EXPECT_EQ(valor->text(), QStringLiteral("-10,00"));
    dm->quSPED.cancel();
    EXPECT_EQ(valor->text(), QStringLiteral("4.249,25"));

    reabre(2);
    EXPECT_EQ(valor->text(), QString()) << "no amount stored for the other set";
}

} // namespace
