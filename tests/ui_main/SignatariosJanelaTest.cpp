// The signatory grid driven with the keyboard as a user would: rows added with Insert, Down past
// the end or "Incluir", cells typed through their editors, rows deleted with Ctrl+Del after the
// question; whatever the grid stores is read back through another connection.
#include "data/dmFCONT.h"
#include "generation/dmBlocos.h"
#include "platform/DataSetModel.h"
#include "tests/support/ModuloDados.h"
#include "ui/main/PaginaPrincipal.h"
#include "ui/main/PaginaRegistroJ930.h"
#include "ui/main/TfmPrincipal.h"

#include <QApplication>
#include <QComboBox>
#include <QDir>
#include <QFile>
#include <QKeyEvent>
#include <QLineEdit>
#include <QPushButton>
#include <QRegularExpression>
#include <QTableView>
#include <QToolButton>
#include <QTreeWidget>

using namespace testsupport;
using ui::TfmPrincipal;

namespace {

// A key pressed and let go, as the keyboard delivers it to the focused widget.
void tecla(QWidget* alvo, int codigo, Qt::KeyboardModifiers mods = Qt::NoModifier,
           const QString& texto = {}) {
    QKeyEvent pressiona(QEvent::KeyPress, codigo, mods, texto);
    QApplication::sendEvent(alvo, &pressiona);
    QKeyEvent solta(QEvent::KeyRelease, codigo, mods, texto);
    QApplication::sendEvent(alvo, &solta);
}

void teclas(QWidget* alvo, const QString& texto) {
    for (const QChar c : texto)
        tecla(alvo, c.toUpper().unicode(), c.isUpper() ? Qt::ShiftModifier : Qt::NoModifier, QString(c));
}

enum Coluna { Nome = 0, Cpf = 1, Qualificacao = 2, CodigoQualificacao = 3, Crc = 4 };

class SignatariosJanela : public ModuloDadosTest {
protected:
    void SetUp() override {
        ModuloDadosTest::SetUp();
        if (IsSkipped())
            return;
        blocos = std::make_unique<generation::TdmBlocos>();
        copiaTabelasExternas();
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
        const QList<QTreeWidgetItem*> no = janela->tvMenu()->findItems(QStringLiteral("Registro J930"),
                                                                       Qt::MatchExactly | Qt::MatchRecursive);
        ASSERT_EQ(no.size(), 1);
        janela->tvMenu()->setCurrentItem(no.first());
        grade = janela->dbgdRegJ930();
        ASSERT_TRUE(grade->isVisible());
        grade->setFocus();
        outra = std::make_unique<db::Attachment>(banco->connect());
        ASSERT_TRUE(caixas->get().boxes().isEmpty()) << caixas->get().texts().join('|').toStdString();
    }

    void TearDown() override {
        outra.reset();
        janela.reset();
        if (selecaoAnterior) {
            TfmPrincipal::selecionaConfiguracao() = selecaoAnterior;
            TfmPrincipal::terminaAplicacao() = terminoAnterior;
            ui::PaginaPrincipal::abreNavegador() = navegadorAnterior;
        }
        blocos.reset();
        ModuloDadosTest::TearDown();
    }

    // What another workstation sees of the set's signatories, in key order.
    QStringList vistos(const char* coluna = "SPSGIDENT_NOM") const {
        db::Transaction leitura(*outra);
        QStringList linhas;
        const int n =
            value(leitura, QStringLiteral("select count(*) from AUGC80SPSG where SPCODIGO = 1")).toInt();
        for (int i = 0; i < n; ++i)
            linhas << value(leitura,
                            QStringLiteral("select coalesce(%1, '') from AUGC80SPSG where SPCODIGO = 1 "
                                           "order by SPSGCODIGO rows %2 to %2")
                                .arg(QLatin1String(coluna))
                                .arg(i + 1))
                          .toString();
        leitura.commit();
        return linhas;
    }

    QWidget* editorAberto() const {
        for (QWidget* w : grade->viewport()->findChildren<QWidget*>(Qt::FindDirectChildrenOnly))
            if (w->isVisible())
                return w;
        return nullptr;
    }

    // F2 on the cell, the text typed key by key into its editor, Return.
    void digita(int linha, int coluna, const QString& texto) {
        grade->setCurrentIndex(grade->model()->index(linha, coluna));
        tecla(grade, Qt::Key_F2);
        QWidget* editor = editorAberto();
        ASSERT_NE(editor, nullptr) << "no editor on " << linha << "," << coluna;
        auto* edit = qobject_cast<QLineEdit*>(editor);
        ASSERT_NE(edit, nullptr);
        edit->selectAll();
        teclas(edit, texto);
        tecla(edit, Qt::Key_Return);
        QApplication::processEvents(); // the grid stores what Return ended once the key is handled
    }

    // The qualification picked from the cell's list.
    void escolheQualificacao(int linha, const QString& item) {
        grade->setCurrentIndex(grade->model()->index(linha, Qualificacao));
        tecla(grade, Qt::Key_F2);
        auto* combo = qobject_cast<QComboBox*>(editorAberto());
        ASSERT_NE(combo, nullptr);
        const int posicao = combo->findText(item);
        ASSERT_GE(posicao, 0) << item.toStdString();
        combo->setCurrentIndex(posicao);
        tecla(combo, Qt::Key_Return);
        QApplication::processEvents();
    }

    QString celula(int linha, int coluna) const {
        return grade->model()->index(linha, coluna).data().toString();
    }
    platform::DataSetModel& modelo() const { return *static_cast<platform::DataSetModel*>(grade->model()); }
    platform::Field& assinante(const char* nome) const {
        return dm->quRegJ930old.fieldByName(QString::fromLatin1(nome));
    }

    std::unique_ptr<generation::TdmBlocos> blocos;
    std::unique_ptr<TfmPrincipal> janela;
    std::unique_ptr<db::Attachment> outra;
    QTableView* grade = nullptr;
    TfmPrincipal::Selecao selecaoAnterior;
    std::function<void()> terminoAnterior;
    std::function<void(const QUrl&)> navegadorAnterior;
};

TEST_F(SignatariosJanela, DownPastTheLastRowOpensANewSignatoryWhoseTypedCellsAreStoredAtOnce) {
    ASSERT_EQ(grade->model()->rowCount(), 2);
    grade->setCurrentIndex(grade->model()->index(0, Nome));
    tecla(grade, Qt::Key_Down);
    EXPECT_EQ(grade->model()->rowCount(), 2) << "Down inside the grid only moves";
    tecla(grade, Qt::Key_Down);
    ASSERT_EQ(grade->model()->rowCount(), 3) << "Down on the last row opens a new one";
    EXPECT_EQ(grade->currentIndex().row(), 2);
    EXPECT_EQ(dm->quRegJ930old.state(), platform::DataSetState::Insert);
    EXPECT_EQ(assinante("SPSGREG").asString(), QStringLiteral("J930"));
    EXPECT_EQ(assinante("SPCODIGO").asInteger(), 1);
    const qint64 chave = assinante("SPSGCODIGO").asInteger();
    EXPECT_GT(chave, 2);
    tecla(grade, Qt::Key_Down);
    EXPECT_EQ(grade->model()->rowCount(), 3) << "Down on the new row opens no other";

    digita(2, Nome, QStringLiteral("Ana Beatriz Lopes"));
    EXPECT_EQ(dm->quRegJ930old.state(), platform::DataSetState::Browse) << "the first cell posts the row";
    EXPECT_EQ(vistos().value(2), QStringLiteral("Ana Beatriz Lopes")) << "committed at once";
    digita(2, Cpf, QStringLiteral("11122233396"));
    EXPECT_EQ(celula(2, Cpf), QStringLiteral("111.222.333-96")) << "shown through the mask";
    EXPECT_EQ(vistos("SPSGIDENT_CPF").value(2), QStringLiteral("11122233396")) << "digits only stored";
    escolheQualificacao(2, QStringLiteral("Contador"));
    EXPECT_EQ(celula(2, CodigoQualificacao), QStringLiteral("900"));
    EXPECT_EQ(vistos("SPSGCOD_ASSIM").value(2), QStringLiteral("900"));

    // An existing CPF is edited again through the mask: the editor shows the digits in it.
    grade->setCurrentIndex(grade->model()->index(2, Cpf));
    tecla(grade, Qt::Key_F2);
    auto* edit = qobject_cast<QLineEdit*>(editorAberto());
    ASSERT_NE(edit, nullptr);
    EXPECT_EQ(edit->text(), QStringLiteral("111.222.333-96"));
    tecla(edit, Qt::Key_Escape);
    QApplication::processEvents();
    EXPECT_EQ(grade->model()->rowCount(), 3);
    EXPECT_EQ(vistos().size(), 3);
    EXPECT_TRUE(caixas->get().boxes().isEmpty()) << caixas->get().texts().join('|').toStdString();
}

TEST_F(SignatariosJanela, InsertAndIncluirOpenOneNewRowAndLeavingItUntouchedStoresNothing) {
    grade->setCurrentIndex(grade->model()->index(0, Nome));
    tecla(grade, Qt::Key_Insert);
    ASSERT_EQ(grade->model()->rowCount(), 3);
    EXPECT_EQ(grade->currentIndex().row(), 2) << "the new row is at the end and current";
    tecla(grade, Qt::Key_Insert);
    janela->tsRegJ930()->btIncluir()->click();
    EXPECT_EQ(grade->model()->rowCount(), 3) << "one new row at a time";

    tecla(grade, Qt::Key_Up);
    EXPECT_EQ(grade->model()->rowCount(), 2) << "the untouched row goes";
    EXPECT_EQ(dm->quRegJ930old.state(), platform::DataSetState::Browse);
    EXPECT_EQ(grade->currentIndex().row(), 1);
    EXPECT_EQ(vistos().size(), 2);

    // Ctrl+Del on a new row drops it without a question: nothing was stored.
    janela->tsRegJ930()->btIncluir()->click();
    tecla(grade, Qt::Key_Delete, Qt::ControlModifier);
    EXPECT_EQ(grade->model()->rowCount(), 2);
    EXPECT_EQ(vistos().size(), 2);
    EXPECT_TRUE(caixas->get().boxes().isEmpty()) << caixas->get().texts().join('|').toStdString();
}

TEST_F(SignatariosJanela, CtrlDelAsksAndDeletesOnSimOnlyCommittedAtOnce) {
    const QStringList antes = vistos();
    ASSERT_EQ(antes.size(), 2);
    grade->setCurrentIndex(grade->model()->index(0, Nome));
    caixas->get().answerNext(QStringLiteral("Não"));
    tecla(grade, Qt::Key_Delete, Qt::ControlModifier);
    ASSERT_EQ(caixas->get().texts(), QStringList{QStringLiteral("Confirma a exclusão do signatário?")});
    EXPECT_EQ(grade->model()->rowCount(), 2);
    EXPECT_EQ(vistos(), antes);

    caixas->get().answerNext(QStringLiteral("Sim"));
    tecla(grade, Qt::Key_Delete, Qt::ControlModifier);
    EXPECT_EQ(grade->model()->rowCount(), 1);
    EXPECT_EQ(vistos(), QStringList{antes.at(1)}) << "the delete is committed at once";

    caixas->get().answerNext(QStringLiteral("Sim"));
    janela->tsRegJ930()->btExcluir()->click();
    EXPECT_EQ(grade->model()->rowCount(), 0);
    EXPECT_EQ(vistos(), QStringList());
    const int perguntas = static_cast<int>(caixas->get().boxes().size());
    janela->tsRegJ930()->btExcluir()->click();
    EXPECT_EQ(caixas->get().boxes().size(), perguntas) << "nothing to delete, nothing asked";

    // An empty grid: Down opens the first row.
    tecla(grade, Qt::Key_Down);
    EXPECT_EQ(grade->model()->rowCount(), 1);
    EXPECT_EQ(dm->quRegJ930old.state(), platform::DataSetState::Insert);
}

TEST_F(SignatariosJanela, TheAccountantAndADirectorAddedInTheWindowAreTheFilesJ930Lines) {
    for (int i = 0; i < 2; ++i) {
        caixas->get().answerNext(QStringLiteral("Sim"));
        tecla(grade, Qt::Key_Delete, Qt::ControlModifier);
    }
    ASSERT_EQ(grade->model()->rowCount(), 0);
    caixas->get().clear();

    tecla(grade, Qt::Key_Insert);
    digita(0, Nome, QStringLiteral("Ana Beatriz Lopes"));
    digita(0, Cpf, QStringLiteral("11122233396"));
    escolheQualificacao(0, QStringLiteral("Contador"));
    digita(0, Crc, QStringLiteral("1SP654321O7"));
    grade->setCurrentIndex(grade->model()->index(0, Nome));
    tecla(grade, Qt::Key_Down);
    digita(1, Nome, QStringLiteral("Rui Fonseca Amaral"));
    digita(1, Cpf, QStringLiteral("52998224725"));
    escolheQualificacao(1, QStringLiteral("Diretor"));
    ASSERT_TRUE(caixas->get().boxes().isEmpty()) << caixas->get().texts().join('|').toStdString();
    // A picture of the page for whoever looks at the window (FCONT_CAPTURAS names the folder).
    if (!qEnvironmentVariableIsEmpty("FCONT_CAPTURAS")) {
        grade->scrollTo(grade->model()->index(1, Nome));
        EXPECT_TRUE(janela->grab().save(QDir(qEnvironmentVariable("FCONT_CAPTURAS"))
                                            .filePath(QStringLiteral("J930-dois-signatarios.png"))));
    }

    janela->btGerar()->click();
    const QDir pasta(QDir(pastaAtual()).filePath(QStringLiteral("Arquivos Gerados")));
    const QStringList arquivos = pasta.entryList(QDir::Files);
    ASSERT_EQ(arquivos.size(), 1) << caixas->get().texts().join('|').toStdString();
    QFile arquivo(pasta.filePath(arquivos.first()));
    ASSERT_TRUE(arquivo.open(QIODevice::ReadOnly));
    const QStringList linhas = QString::fromLatin1(arquivo.readAll()).split(QStringLiteral("\r\n"));
    EXPECT_EQ(linhas.filter(QRegularExpression(QStringLiteral("^\\|J930\\|"))),
              (QStringList{QStringLiteral("|J930|Ana Beatriz Lopes|11122233396|Contador|900|1SP654321O7|"),
                           QStringLiteral("|J930|Rui Fonseca Amaral|52998224725|Diretor|203||")}));
    EXPECT_TRUE(linhas.contains(QStringLiteral("|9900|J930|2|")));
}

} // namespace
