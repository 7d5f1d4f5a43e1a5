#pragma once

#include <QTextBrowser>
#include <QUrl>

#include <functional>

namespace ui {

// The tax authority's public page about the FCONT file.
extern const char* const EnderecoFCONT;

// The "Principal" page's browser. No web engine is built in: the page shows an information text
// with the authority's address as a link, which opens in the user's own browser.
class PaginaPrincipal : public QTextBrowser {
public:
    explicit PaginaPrincipal(QWidget* parent = nullptr);

    // Loads the information page again (the tree menu's block nodes do this).
    void carrega();
    int recarregamentos() const { return m_recarregamentos; }

    // Opens an address outside the program; tests replace it.
    static std::function<void(const QUrl&)>& abreNavegador();

private:
    int m_recarregamentos = 0;
};

} // namespace ui
