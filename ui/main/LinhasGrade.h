#pragma once

#include <QObject>
#include <QString>

#include <functional>

class QTableView;

namespace platform {
class DataSet;
class DataSetModel;
} // namespace platform

namespace ui {

// Adding and deleting single rows in a grid of records, with the keys users expect of one:
// Insert, or Down on the last stored row, adds a row; Ctrl+Del deletes the current one.
class LinhasGrade : public QObject {
public:
    LinhasGrade(QTableView& grade, platform::DataSetModel& modelo, QString pergunta);

    // A new row at the end with the dataset's defaults, the grid on it (on `coluna`); one new
    // row at a time.
    void inclui(int coluna = 0);
    // A new row not stored yet is dropped without asking; a stored one is deleted once the user
    // answers "Sim" to the question. True when a stored row was deleted.
    bool exclui();

    // Runs before a row is added; its failure (a message and the silent abort) adds nothing.
    std::function<void()> antesDeIncluir;
    // Runs after each deletion of a stored row (the grid's rows may have to be read again).
    std::function<void()> aposExclusao;
    // The question for the current row; the fixed text given at construction when unset.
    std::function<QString()> perguntaDaLinha;

protected:
    bool eventFilter(QObject* objeto, QEvent* evento) override;

private:
    QTableView& m_grade;
    platform::DataSetModel& m_modelo;
    QString m_pergunta;
};

} // namespace ui
