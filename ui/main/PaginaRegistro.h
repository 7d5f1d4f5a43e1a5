#pragma once

#include <QWidget>

class QLabel;
class QVBoxLayout;

namespace platform {
class DataSet;
}

namespace ui {

// How a field of a page is entered.
enum class Entrada {
    Texto,
    Leitura, // grey and read only: filled by a lookup button or by the program
    Digitos, // masked entry that stores the digits only; `figura` is the mask
    Data,
    Lista, // picker over the field's code table
    Marca, // check box: ticked -1, cleared 0
    Valor, // amount; `figura` is the picture
};

// One labelled control of a page, bound to a field of the page's dataset. The label is written
// here once: it stands beside the control, and its first line, without a closing colon, is the
// control's accessible name.
struct CampoPagina {
    const char* nome; // the control's object name, the design's
    const char* rotulo;
    const char* campo;
    Entrada entrada = Entrada::Texto;
    const char* figura = nullptr;
};

// A record page of the main window: the bold title band on top and the page's own controls
// below it, each bound to its field so that it follows the dataset by itself.
class PaginaRegistro : public QWidget {
public:
    PaginaRegistro(const QString& titulo, QWidget* parent);

protected:
    QVBoxLayout* corpo() const { return m_corpo; }
    // The control of a field with its label (a check box carries its label itself: no label then;
    // a control beside another one has none either, but keeps its name).
    struct Controle {
        QWidget* controle;
        QLabel* rotulo;
    };
    static Controle cria(const CampoPagina& campo, platform::DataSet& dataSet, QWidget* pai,
                         bool comRotulo = true);
    // A control named after its label, for the controls that no field table describes.
    static void nomeia(QWidget* controle, const char* nome, const QString& rotulo);

private:
    QVBoxLayout* m_corpo;
};

} // namespace ui
