#include "platform/qt/QtDialogs.h"

#include <QApplication>
#include <QDir>
#include <QInputDialog>
#include <QKeyEvent>
#include <QMessageBox>
#include <QPushButton>
#include <QTimer>

#include <functional>

#include <gtest/gtest.h>

using platform::QtDialogs;

namespace {

// Runs `action` on the modal dialog once it is up (the box's own event loop is running then).
// Should the action fail to close it, the dialog closes itself a little later so the test ends.
void whenModalShown(std::function<void(QWidget*)> action) {
    QTimer::singleShot(0, [action = std::move(action)] {
        QWidget* modal = QApplication::activeModalWidget();
        if (!modal) {
            ADD_FAILURE() << "no modal dialog is shown";
            return;
        }
        QTimer::singleShot(2000, modal, [modal] { modal->close(); });
        action(modal);
    });
}

void pressKey(QWidget* dialog, Qt::Key key) {
    QWidget* target = dialog->focusWidget() ? dialog->focusWidget() : dialog;
    QKeyEvent press(QEvent::KeyPress, key, Qt::NoModifier);
    QApplication::sendEvent(target, &press);
    QKeyEvent release(QEvent::KeyRelease, key, Qt::NoModifier);
    QApplication::sendEvent(target, &release);
}

QPushButton* buttonWithText(QWidget* dialog, const QString& text) {
    for (QPushButton* button : dialog->findChildren<QPushButton*>())
        if (button->text() == text)
            return button;
    return nullptr;
}

} // namespace

TEST(QtDialogsTest, QuestionWithSimNaoAnswersOkOnEnterAndCancelOnEscapeOrClose) {
    QtDialogs dialogs;
    QString title;
    whenModalShown([&](QWidget* dialog) {
        title = dialog->windowTitle();
        pressKey(dialog, Qt::Key_Return);
    });
    EXPECT_EQ(dialogs.question("Tem certeza de que deseja excluir o registro?", {"Sim", "Não"}), 1);
    EXPECT_EQ(title, "Confirmação");

    whenModalShown([](QWidget* dialog) { pressKey(dialog, Qt::Key_Escape); });
    EXPECT_EQ(dialogs.question("Excluir?", {"Sim", "Não"}), 2);

    whenModalShown([](QWidget* dialog) { dialog->close(); });
    EXPECT_EQ(dialogs.question("Excluir?", {"Sim", "Não"}), 2);
}

TEST(QtDialogsTest, QuestionButtonsStandInTheToolkitOrderAndAnswerTheirPosition) {
    QtDialogs dialogs;
    const QStringList captions = {"C1", "C2", "C3", "C4", "C5", "C6", "C7"};
    QList<int> lefts;
    QString okName;
    whenModalShown([&](QWidget* dialog) {
        for (const QString& caption : captions) {
            QPushButton* button = buttonWithText(dialog, caption);
            lefts << (button ? button->mapTo(dialog, QPoint(0, 0)).x() : -1);
        }
        if (QPushButton* ok = buttonWithText(dialog, "C1"))
            okName = ok->objectName();
        if (QPushButton* seventh = buttonWithText(dialog, "C7"))
            seventh->click();
    });
    EXPECT_EQ(dialogs.question("?", captions), 7);

    ASSERT_EQ(lefts.size(), 7);
    EXPECT_EQ(okName, "Ok");
    // Yes (6), No (7), OK (1), Cancel (2), Abort (3), Retry (4), Ignore (5).
    EXPECT_LT(lefts[5], lefts[6]);
    EXPECT_LT(lefts[6], lefts[0]);
    for (int i = 0; i < 4; ++i)
        EXPECT_LT(lefts[i], lefts[i + 1]) << "caption " << i + 1;

    // OK has the focus and Enter presses it, although Yes stands first in the row.
    QString focused;
    whenModalShown([&](QWidget* dialog) {
        focused = dialog->focusWidget() ? dialog->focusWidget()->objectName() : QString();
        pressKey(dialog, Qt::Key_Return);
    });
    EXPECT_EQ(dialogs.question("?", captions), 1);
    EXPECT_EQ(focused, "Ok");
}

// "Cancelar" is no answer at all, never the text the box was opened with.
TEST(QtDialogsTest, InputBoxAnswersTheTypedTextOnOkAndNothingOnCancelar) {
    QtDialogs dialogs;
    QString title, label;
    whenModalShown([&](QWidget* dialog) {
        title = dialog->windowTitle();
        if (auto* box = qobject_cast<QInputDialog*>(dialog)) {
            label = box->labelText();
            box->setTextValue("C:\\Outra");
        }
        if (QPushButton* ok = buttonWithText(dialog, "OK"))
            ok->click();
    });
    EXPECT_EQ(dialogs.input("Caminho", "Informe o caminho:\rdo arquivo", "C:\\Sistema"), "C:\\Outra");
    EXPECT_EQ(title, "Caminho");
    EXPECT_EQ(label, "Informe o caminho:\ndo arquivo");

    whenModalShown([](QWidget* dialog) { pressKey(dialog, Qt::Key_Return); });
    EXPECT_EQ(dialogs.input("Caminho", "?", "C:\\Sistema"), "C:\\Sistema") << "Enter takes the default";

    bool achou = false;
    whenModalShown([&](QWidget* dialog) {
        // A picture of the box for a look, when asked for.
        const QString capturas = qEnvironmentVariable("FCONT_CAPTURAS");
        if (!capturas.isEmpty())
            dialog->grab().save(QDir(capturas).filePath("caixa-de-entrada.png"));
        QPushButton* cancelar = buttonWithText(dialog, "Cancelar");
        achou = cancelar != nullptr;
        if (cancelar)
            cancelar->click();
    });
    EXPECT_EQ(dialogs.input("Caminho", "?", "C:\\Sistema"), std::nullopt);
    EXPECT_TRUE(achou);

    whenModalShown([](QWidget* dialog) { pressKey(dialog, Qt::Key_Escape); });
    EXPECT_EQ(dialogs.input("Caminho", "?", "C:\\Sistema"), std::nullopt);
}

TEST(QtDialogsTest, InformationBoxIsTitledInformationWithOneOkAndKeepsTheLineBreaks) {
    QtDialogs dialogs;
    QString title, text;
    QStringList buttons;
    whenModalShown([&](QWidget* dialog) {
        title = dialog->windowTitle();
        if (auto* box = qobject_cast<QMessageBox*>(dialog)) {
            text = box->text();
            for (QAbstractButton* button : box->buttons())
                buttons << button->text();
        }
        pressKey(dialog, Qt::Key_Return);
    });
    dialogs.information(" Aviso: Falha de Conexão.\rVerifique se o servidor Firebird está ativo");
    EXPECT_EQ(title, "Information");
    EXPECT_EQ(buttons, QStringList{"OK"});
    EXPECT_EQ(text, " Aviso: Falha de Conexão.\nVerifique se o servidor Firebird está ativo");
}
