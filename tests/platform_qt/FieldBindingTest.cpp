#include "platform/qt/FieldBinding.h"
#include "platform/DataSetModel.h"
#include "platform/MemTable.h"
#include "platform/ScriptedDialogs.h"

#include <QApplication>
#include <QButtonGroup>
#include <QCalendarWidget>
#include <QCheckBox>
#include <QComboBox>
#include <QDateEdit>
#include <QGroupBox>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QRadioButton>
#include <QTableView>

#include <gtest/gtest.h>

using namespace platform;

namespace {

void tecla(QWidget* alvo, int key, const QString& texto = {}) {
    QKeyEvent press(QEvent::KeyPress, key, Qt::NoModifier, texto);
    QApplication::sendEvent(alvo, &press);
    QKeyEvent release(QEvent::KeyRelease, key, Qt::NoModifier, texto);
    QApplication::sendEvent(alvo, &release);
}

// Replaces the entry's text as the user would, key by key.
void digita(QLineEdit* edit, const QString& texto) {
    edit->selectAll();
    for (const QChar c : texto)
        tecla(edit, c.unicode(), QString(c));
}

// What a picker shows: its item, or the stored text that is no item in the item's place.
QString mostrado(const QComboBox& picker) {
    return picker.currentIndex() >= 0 ? picker.currentText() : picker.placeholderText();
}

FieldDef campo(const char* nome, FieldType tipo, int tamanho = 0) {
    FieldDef d;
    d.name = QString::fromLatin1(nome);
    d.type = tipo;
    d.size = tamanho;
    return d;
}

class Vinculos : public ::testing::Test {
protected:
    Vinculos() {
        t.addField(campo("NOME", FieldType::String, 20));
        t.addField(campo("TIPO", FieldType::String, 1));
        t.addField(campo("DATA", FieldType::DateTime));
        t.addField(campo("ATIVO", FieldType::Integer));
        t.addField(campo("CNPJ", FieldType::String, 14));
        t.addField(campo("VALOR", FieldType::Float));
        // A code table as the parameter set has them: the shown text differs from the list item.
        t.fieldByName("TIPO").onGetText = [](const Field&, const QVariant& v) {
            const QString c = v.toString();
            return c == QLatin1String("0")   ? QStringLiteral("0 -Original")
                   : c == QLatin1String("1") ? QStringLiteral("1 -Retificadora")
                                             : QString();
        };
        t.createDataSet();
        for (const char* nome : {"Ana", "Bia", "Caio"}) {
            t.append();
            t.fieldByName("NOME").setValue(QString::fromLatin1(nome));
            t.fieldByName("TIPO").setValue(QStringLiteral("1"));
            t.post();
        }
        t.first();
        grade.setModel(&modelo);
        bindGrid(&grade, &modelo);
    }
    QString naGrade(int row, const char* nome) const {
        return modelo.data(modelo.index(row, t.fieldByName(QString::fromLatin1(nome)).index())).toString();
    }

    ScopedDialogs caixas;
    MemTable t{QStringLiteral("cdsTeste")};
    DataSetModel modelo{t};
    QTableView grade;
};

TEST_F(Vinculos, BoundEditAndGridFollowEachOther) {
    QLineEdit edit;
    bindEdit(&edit, t.fieldByName("NOME"));
    EXPECT_EQ(edit.text(), QStringLiteral("Ana"));
    EXPECT_EQ(grade.currentIndex().row(), 0);

    grade.setCurrentIndex(modelo.index(2, 0));
    EXPECT_EQ(t.recNo(), 2) << "a row picked in the grid becomes the current record";
    EXPECT_EQ(edit.text(), QStringLiteral("Caio"));
    t.moveTo(1);
    EXPECT_EQ(grade.currentIndex().row(), 1);
    EXPECT_EQ(edit.text(), QStringLiteral("Bia"));

    digita(&edit, QStringLiteral("Beto"));
    EXPECT_EQ(t.state(), DataSetState::Edit) << "typing puts the dataset into edit";
    EXPECT_EQ(naGrade(1, "NOME"), QStringLiteral("Bia")) << "typed text is stored when editing ends";
    tecla(&edit, Qt::Key_Return);
    EXPECT_EQ(naGrade(1, "NOME"), QStringLiteral("Beto"));
    t.post();
    EXPECT_EQ(naGrade(1, "NOME"), QStringLiteral("Beto"));

    EXPECT_TRUE(modelo.setData(modelo.index(0, 0), QStringLiteral("Alice")));
    EXPECT_EQ(t.recNo(), 0);
    EXPECT_EQ(edit.text(), QStringLiteral("Alice")) << "an edit in the grid shows in the bound entry";
    EXPECT_EQ(grade.currentIndex().row(), 0);

    digita(&edit, QStringLiteral("Alba"));
    t.post(); // no Return: the post stores what is still typed
    EXPECT_EQ(t.fieldByName("NOME").asString(), QStringLiteral("Alba"));
    EXPECT_TRUE(caixas->boxes().isEmpty());
}

TEST_F(Vinculos, InsertAndDeleteReachTheGridAndTheEntry) {
    QLineEdit edit;
    bindEdit(&edit, t.fieldByName("NOME"));
    t.append();
    EXPECT_EQ(edit.text(), QString()) << "the new record shows";
    digita(&edit, QStringLiteral("Duda"));
    t.post();
    ASSERT_EQ(modelo.rowCount(), 4);
    EXPECT_EQ(naGrade(3, "NOME"), QStringLiteral("Duda"));
    EXPECT_EQ(grade.currentIndex().row(), 3);
    t.moveTo(1);
    t.remove();
    EXPECT_EQ(modelo.rowCount(), 3);
    EXPECT_EQ(naGrade(1, "NOME"), QStringLiteral("Caio"));
    EXPECT_EQ(edit.text(), QStringLiteral("Caio"));
    EXPECT_EQ(grade.currentIndex().row(), 1);

    t.close();
    EXPECT_EQ(edit.text(), QString());
    EXPECT_TRUE(edit.isReadOnly()) << "nothing to edit while the dataset is closed";
    t.open();
    EXPECT_FALSE(edit.isReadOnly());
}

TEST_F(Vinculos, PickerShowsTheDisplayTextAndStoresTheCodeThroughTheField) {
    QComboBox picker;
    bindPicker(&picker, t.fieldByName("TIPO"),
               {QStringLiteral("0 - Original"), QStringLiteral("1 - Retificadora")});
    EXPECT_EQ(mostrado(picker), QStringLiteral("1 -Retificadora")) << "the display text, not the list item";
    picker.setCurrentIndex(0);
    emit picker.activated(0);
    EXPECT_EQ(t.state(), DataSetState::Edit);
    EXPECT_EQ(t.fieldByName("TIPO").asString(), QStringLiteral("0")) << "the item cut to the field's width";
    EXPECT_EQ(mostrado(picker), QStringLiteral("0 -Original"));
    EXPECT_EQ(naGrade(0, "TIPO"), QStringLiteral("0 -Original"));
    t.post();
    t.next();
    EXPECT_EQ(mostrado(picker), QStringLiteral("1 -Retificadora"));
    t.edit();
    t.fieldByName("TIPO").setValue(QStringLiteral("9"));
    EXPECT_EQ(mostrado(picker), QString()) << "a code out of the table shows empty";
}

TEST_F(Vinculos, NullDateShowsEmptyAndCheckBoxStoresItsValues) {
    QDateEdit data;
    QCheckBox ativo;
    bindDate(&data, t.fieldByName("DATA"));
    bindCheck(&ativo, t.fieldByName("ATIVO"), -1, 0);
    EXPECT_TRUE(data.calendarPopup());
    EXPECT_EQ(data.text().trimmed(), QString()) << "a null date shows as an empty entry";
    EXPECT_FALSE(ativo.isChecked()) << "null is not ticked";

    data.setDate(QDate(2014, 12, 31));
    EXPECT_TRUE(t.fieldByName("DATA").isNull()) << "a date being typed is not stored yet";
    emit data.editingFinished();
    EXPECT_EQ(t.fieldByName("DATA").asDateTime().date(), QDate(2014, 12, 31));
    ativo.click();
    EXPECT_EQ(t.fieldByName("ATIVO").value().toInt(), -1);
    ativo.click();
    EXPECT_EQ(t.fieldByName("ATIVO").value().toInt(), 0);
    EXPECT_FALSE(t.fieldByName("ATIVO").isNull());
    t.post();

    t.next();
    EXPECT_EQ(data.text().trimmed(), QString()) << "the next record has no date";
    t.edit();
    t.fieldByName("ATIVO").setValue(-1);
    EXPECT_TRUE(ativo.isChecked());
    t.prior(); // posts
    EXPECT_EQ(data.date(), QDate(2014, 12, 31));
    data.setFocus();
    data.selectAll();
    tecla(&data, Qt::Key_Delete);
    EXPECT_TRUE(t.fieldByName("DATA").isNull()) << "emptying the entry stores null";
    EXPECT_EQ(data.text().trimmed(), QString());
}

TEST_F(Vinculos, TypedDatesAreReadInTheirUsualFormsAnImpossibleOneIsReportedAndEmptyingStoresNull) {
    std::unique_ptr<QDateEdit> data(createDateEdit(nullptr));
    bindDate(data.get(), t.fieldByName("DATA"));
    QLineEdit* texto = data->findChild<QLineEdit*>();
    ASSERT_NE(texto, nullptr);
    EXPECT_EQ(texto->text().trimmed(), QString()) << "a null date is an empty entry";
    // Typed key by key into the entry, then Return.
    auto entra = [&](const QString& digitado) {
        texto->selectAll();
        for (const QChar c : digitado)
            tecla(data.get(), c.unicode(), QString(c));
        tecla(data.get(), Qt::Key_Return);
        return t.fieldByName("DATA").isNull() ? QDate() : t.fieldByName("DATA").asDateTime().date();
    };
    EXPECT_EQ(entra(QStringLiteral("01012025")), QDate(2025, 1, 1));
    EXPECT_EQ(texto->text(), QStringLiteral("01/01/2025"));
    EXPECT_EQ(entra(QStringLiteral("15/03/2024")), QDate(2024, 3, 15));
    EXPECT_EQ(entra(QStringLiteral("1/2/25")), QDate(2025, 2, 1)) << "two-digit year in the window";
    EXPECT_EQ(entra(QStringLiteral("311224")), QDate(2024, 12, 31));
    EXPECT_TRUE(caixas->boxes().isEmpty());

    EXPECT_EQ(entra(QStringLiteral("31/02/2025")), QDate(2024, 12, 31)) << "the stored date stays";
    ASSERT_EQ(caixas->boxes().size(), 1);
    EXPECT_EQ(caixas->boxes().front().kind, ScriptedDialogs::Kind::Error);
    EXPECT_TRUE(caixas->texts().first().startsWith(QStringLiteral("Data inválida: \"31/02/2025\".")));
    EXPECT_EQ(texto->text(), QStringLiteral("31/12/2024"));

    texto->selectAll();
    tecla(data.get(), Qt::Key_Delete);
    EXPECT_TRUE(t.fieldByName("DATA").isNull()) << "emptied";
    EXPECT_EQ(texto->text().trimmed(), QString());

    // The calendar of an empty entry opens on today's month, never on the stand-in lowest date.
    data->calendarWidget()->window()->show();
    EXPECT_TRUE(data->calendarWidget()->isVisible());
    const QDate hoje = QDate::currentDate();
    EXPECT_EQ(data->calendarWidget()->yearShown(), hoje.year());
    EXPECT_EQ(data->calendarWidget()->monthShown(), hoje.month());
}

// A column nobody types (a code that follows another field) shows, but its controls take nothing.
TEST_F(Vinculos, ReadOnlyFieldShowsButItsControlsTakeNoInput) {
    MemTable tabela{QStringLiteral("cdsSomenteLeitura")};
    FieldDef codigo = campo("CODIGO", FieldType::String, 3);
    codigo.readOnly = true;
    tabela.addField(codigo);
    FieldDef marca = campo("MARCA", FieldType::Integer);
    marca.readOnly = true;
    tabela.addField(marca);
    tabela.createDataSet();
    tabela.append();
    tabela.fieldByName("CODIGO").setValue(QStringLiteral("900"));
    tabela.post();

    QLineEdit edit;
    QCheckBox caixa;
    bindEdit(&edit, tabela.fieldByName("CODIGO"));
    bindCheck(&caixa, tabela.fieldByName("MARCA"), -1, 0);
    EXPECT_EQ(edit.text(), QStringLiteral("900"));
    EXPECT_TRUE(edit.isReadOnly());
    EXPECT_FALSE(caixa.isEnabled());
    digita(&edit, QStringLiteral("123"));
    tecla(&edit, Qt::Key_Return);
    caixa.click();
    EXPECT_EQ(tabela.state(), DataSetState::Browse) << "nothing put the row into edit";
    EXPECT_EQ(tabela.fieldByName("CODIGO").asString(), QStringLiteral("900"));
    EXPECT_TRUE(tabela.fieldByName("MARCA").isNull());
    EXPECT_EQ(edit.text(), QStringLiteral("900"));
    tabela.close();
    tabela.open();
    EXPECT_TRUE(edit.isReadOnly()) << "still after the dataset opens again";

    // A writable field made read-only by its binding, and back.
    QLineEdit nome;
    FieldBinding* vinculo = bindEdit(&nome, t.fieldByName("NOME"));
    vinculo->setReadOnly(true);
    EXPECT_TRUE(nome.isReadOnly());
    digita(&nome, QStringLiteral("Zeca"));
    EXPECT_EQ(t.state(), DataSetState::Browse);
    vinculo->setReadOnly(false);
    EXPECT_FALSE(nome.isReadOnly());
    EXPECT_TRUE(caixas->boxes().isEmpty());
}

TEST_F(Vinculos, RefusedTextIsReportedAndKeptUntilThePostFails) {
    QLineEdit edit;
    bindEdit(&edit, t.fieldByName("DATA"));
    digita(&edit, QStringLiteral("32/13/2014"));
    tecla(&edit, Qt::Key_Return);
    ASSERT_EQ(caixas->boxes().size(), 1);
    EXPECT_EQ(caixas->boxes().front().kind, ScriptedDialogs::Kind::Error);
    EXPECT_EQ(edit.text(), QStringLiteral("32/13/2014")) << "the typed text stays to be corrected";
    EXPECT_THROW(t.post(), std::invalid_argument);
    EXPECT_EQ(t.state(), DataSetState::Edit);
    digita(&edit, QStringLiteral("31/12/2014"));
    t.post();
    EXPECT_EQ(t.fieldByName("DATA").asDateTime().date(), QDate(2014, 12, 31));
}

TEST_F(Vinculos, MaskedDigitsAndAmountsStoreTheirPlainValuesAndFollowTheRecord) {
    QLineEdit cnpj;
    QLineEdit valor;
    QLabel nome;
    bindDigits(&cnpj, t.fieldByName("CNPJ"), QStringLiteral("99.999.999/9999-99;_"));
    bindAmount(&valor, t.fieldByName("VALOR"), QStringLiteral("###,###,##0.00"));
    bindLabel(&nome, t.fieldByName("NOME"));
    EXPECT_EQ(valor.text(), QString()) << "null is an empty entry, not a zero";
    EXPECT_EQ(nome.text(), QStringLiteral("Ana"));

    cnpj.setText(QStringLiteral("11.222.333/0001-81"));
    emit cnpj.editingFinished();
    EXPECT_EQ(t.fieldByName("CNPJ").asString(), QStringLiteral("11222333000181")) << "the mask is not stored";
    valor.setText(QStringLiteral("1.234.567,5"));
    emit valor.editingFinished();
    EXPECT_DOUBLE_EQ(t.fieldByName("VALOR").asFloat(), 1234567.5);
    EXPECT_EQ(valor.text(), QStringLiteral("1.234.567,50"));
    valor.setText(QStringLiteral("0"));
    emit valor.editingFinished();
    EXPECT_EQ(valor.text(), QStringLiteral("0,00"));
    valor.setText(QStringLiteral("doze"));
    emit valor.editingFinished();
    ASSERT_EQ(caixas->boxes().size(), 1);
    EXPECT_EQ(caixas->boxes().front().text, QStringLiteral("'doze' não é um valor válido."));
    EXPECT_EQ(valor.text(), QStringLiteral("0,00")) << "an unreadable amount gives the stored one back";
    t.post();

    t.next();
    EXPECT_EQ(nome.text(), QStringLiteral("Bia"));
    EXPECT_EQ(valor.text(), QString());
    EXPECT_EQ(cnpj.text(), QStringLiteral("../-")) << "an empty mask";
    t.prior();
    EXPECT_EQ(cnpj.text(), QStringLiteral("11.222.333/0001-81"));
    EXPECT_EQ(t.state(), DataSetState::Browse) << "showing a record stores nothing";
}

TEST_F(Vinculos, RadioGroupChecksTheItemOfTheStoredTextAndNoneForAnyOther) {
    QGroupBox caixa;
    QButtonGroup grupo;
    auto* original = new QRadioButton(QStringLiteral("0 - Original"), &caixa);
    auto* retificadora = new QRadioButton(QStringLiteral("1 - Retificadora"), &caixa);
    grupo.addButton(original, 0);
    grupo.addButton(retificadora, 1);
    // TIPO shows "1 -Retificadora" for "1": the group's items must be the shown texts.
    bindOptions(&caixa, &grupo, t.fieldByName("TIPO"),
                {QStringLiteral("0 -Original"), QStringLiteral("1 -Retificadora")});
    EXPECT_TRUE(retificadora->isChecked());
    EXPECT_FALSE(original->isChecked());

    original->click();
    EXPECT_EQ(t.fieldByName("TIPO").asString(), QStringLiteral("0"));
    EXPECT_TRUE(original->isChecked());
    EXPECT_FALSE(retificadora->isChecked()) << "one item checked at a time";
    t.fieldByName("TIPO").setValue(QStringLiteral("7"));
    EXPECT_FALSE(original->isChecked());
    EXPECT_FALSE(retificadora->isChecked()) << "a code out of the list checks nothing";
    t.cancel();
    EXPECT_TRUE(retificadora->isChecked());
    t.close();
    EXPECT_FALSE(retificadora->isEnabled()) << "nothing to choose while the dataset is closed";
}

} // namespace
