#pragma once

// Keys as the keyboard delivers them to the focused widget, and the cell editor a grid opened.
#include <QAbstractItemView>
#include <QApplication>
#include <QKeyEvent>

namespace testsupport {

inline void tecla(QWidget* alvo, int codigo, Qt::KeyboardModifiers mods = Qt::NoModifier,
                  const QString& texto = {}) {
    QKeyEvent pressiona(QEvent::KeyPress, codigo, mods, texto);
    QApplication::sendEvent(alvo, &pressiona);
    QKeyEvent solta(QEvent::KeyRelease, codigo, mods, texto);
    QApplication::sendEvent(alvo, &solta);
}

inline void teclas(QWidget* alvo, const QString& texto) {
    for (const QChar c : texto)
        tecla(alvo, c.toUpper().unicode(), c.isUpper() ? Qt::ShiftModifier : Qt::NoModifier, QString(c));
}

inline QWidget* editorAberto(const QAbstractItemView& grade) {
    for (QWidget* w : grade.viewport()->findChildren<QWidget*>(Qt::FindDirectChildrenOnly))
        if (w->isVisible())
            return w;
    return nullptr;
}

} // namespace testsupport

#include <QComboBox>
#include <QLineEdit>
#include <QTableView>

namespace testsupport {

// F2 on the cell, the text typed key by key into its editor, Return; false when no text editor
// opened.
inline bool digitaNaCelula(QTableView* grade, int linha, int coluna, const QString& texto) {
    grade->setCurrentIndex(grade->model()->index(linha, coluna));
    tecla(grade, Qt::Key_F2);
    QCoreApplication::processEvents();
    QWidget* editor = editorAberto(*grade);
    auto* edit = editor ? qobject_cast<QLineEdit*>(editor) : nullptr;
    if (editor && !edit)
        edit = editor->findChild<QLineEdit*>();
    if (!edit)
        return false;
    edit->selectAll();
    teclas(edit, texto);
    tecla(edit, Qt::Key_Return);
    QCoreApplication::processEvents(); // the grid stores what Return ended once the key is handled
    return true;
}

// The item picked from the cell's list; false when no list opened or the item is not in it.
inline bool escolheNaCelula(QTableView* grade, int linha, int coluna, const QString& item) {
    grade->setCurrentIndex(grade->model()->index(linha, coluna));
    tecla(grade, Qt::Key_F2);
    QCoreApplication::processEvents();
    auto* combo = qobject_cast<QComboBox*>(editorAberto(*grade));
    if (!combo || combo->findText(item) < 0)
        return false;
    combo->setCurrentIndex(combo->findText(item));
    tecla(combo, Qt::Key_Return);
    QCoreApplication::processEvents();
    return true;
}

// A picker that shows no item yet moved with the Down key to its item `indice`, as a user does
// without opening it.
inline void escolheComTeclas(QComboBox* combo, int indice) {
    combo->setFocus();
    for (int i = 0; i <= indice; ++i)
        tecla(combo, Qt::Key_Down);
}

} // namespace testsupport
