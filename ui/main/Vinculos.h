#pragma once

#include <QObject>
#include <QStringList>

#include <functional>
#include <vector>

class QButtonGroup;
class QCheckBox;
class QComboBox;
class QDateEdit;
class QLineEdit;

namespace platform {
class DataSet;
class Field;
} // namespace platform

namespace ui {

// Ties the page controls to the fields of one dataset: each control shows the field's display
// text and a change by the user stores through the field's storing text, putting the dataset in
// edit state first. atualiza() re-reads every control after the dataset moved or was reopened.
class Vinculos : public QObject {
public:
    explicit Vinculos(platform::DataSet& dataSet, QObject* parent = nullptr);

    void texto(QLineEdit* edit, const QString& campo);
    // A masked entry whose stored form keeps the digits only (CNPJ).
    void digitos(QLineEdit* edit, const QString& campo, const QString& mascara);
    void data(QDateEdit* edit, const QString& campo);
    void lista(QComboBox* combo, const QString& campo, const QStringList& itens);
    // Ticked stores -1, cleared stores 0; an empty value shows as cleared.
    void marca(QCheckBox* caixa, const QString& campo);
    void opcoes(QButtonGroup* grupo, const QString& campo, const QStringList& itens);
    // An amount shown with the picture (Brazilian separators), read back with or without grouping.
    void valor(QLineEdit* edit, const QString& campo, const QString& formato);

    void atualiza();

private:
    platform::Field* campo(const QString& nome) const;
    // Runs a store on the current row; a failure is shown and the control shows the field again.
    void grava(const QString& nome, const std::function<void(platform::Field&)>& acao);

    platform::DataSet& m_dataSet;
    std::vector<std::function<void()>> m_leituras;
    bool m_lendo = false;
};

} // namespace ui
