#include "ui/app/Capturas.h"

#include "ui/main/ControlePaginas.h"

#include <QApplication>
#include <QDir>
#include <QRegularExpression>
#include <QSet>
#include <QTimer>
#include <QTreeWidget>
#include <QWidget>

#include <cstdio>

namespace ui {

namespace {

class Capturas : public QObject {
public:
    explicit Capturas(const QString& pasta) : QObject(qApp), m_pasta(pasta) {
        QDir().mkpath(pasta);
        auto* relogio = new QTimer(this);
        relogio->setInterval(700);
        connect(relogio, &QTimer::timeout, this, [this] { verifica(); });
        relogio->start();
    }

private:
    void salva(QWidget* janela, const QString& nome) {
        QString arquivo = QStringLiteral("%1-%2.png").arg(++m_numero, 2, 10, QLatin1Char('0')).arg(nome);
        arquivo.replace(QRegularExpression(QStringLiteral("[^A-Za-z0-9._-]+")), QStringLiteral("_"));
        const QString caminho = QDir(m_pasta).filePath(arquivo);
        janela->grab().save(caminho);
        std::fprintf(stderr, "captura: %s\n", caminho.toLocal8Bit().constData());
    }

    void verifica() {
        // A menu walk in progress: the page chosen at the last tick has been laid out and painted.
        if (m_menu) {
            // Named after the page actually in view, so a menu entry that fails to bring up its
            // page shows as a missing picture rather than as a copy of the previous one.
            if (m_pendente && m_paginas)
                salva(m_menu->window(),
                      QStringLiteral("pagina-") + m_paginas->legenda(m_paginas->paginaAtual()));
            m_pendente = proximoItem();
            if (m_pendente)
                m_menu->setCurrentItem(m_pendente);
            else
                m_menu = nullptr;
            return;
        }
        for (QWidget* janela : QApplication::topLevelWidgets()) {
            if (!janela->isVisible() || janela->objectName().isEmpty() ||
                m_vistas.contains(janela->objectName()))
                continue;
            m_vistas.insert(janela->objectName());
            salva(janela, janela->objectName());
            auto* menu = janela->findChild<QTreeWidget*>(QStringLiteral("tvMenu"));
            auto* paginas = janela->findChild<ControlePaginas*>(QStringLiteral("pcPaginas"));
            if (menu && paginas) {
                m_menu = menu;
                m_paginas = paginas;
                m_itens = itensDasPaginas(*menu, *paginas);
            }
        }
    }

    QTreeWidgetItem* proximoItem() { return m_itens.isEmpty() ? nullptr : m_itens.takeFirst(); }

    // One menu entry per page: the entry named like the page, or for a page no entry names (the
    // start page) the first entry. Entries that run a command instead of showing a page (the
    // index creation) are never chosen, so taking the pictures changes nothing in the database.
    static QList<QTreeWidgetItem*> itensDasPaginas(QTreeWidget& menu, const ControlePaginas& paginas) {
        QList<QTreeWidgetItem*> itens;
        for (int i = 0; i < paginas.count(); ++i) {
            QTreeWidgetItem* escolhido = nullptr;
            for (QTreeWidgetItemIterator it(&menu); *it && !escolhido; ++it)
                if ((*it)->text(0).trimmed() == paginas.legenda(i).trimmed())
                    escolhido = *it;
            if (!escolhido)
                escolhido = menu.topLevelItem(0);
            if (escolhido && !itens.contains(escolhido))
                itens << escolhido;
        }
        return itens;
    }

    QString m_pasta;
    int m_numero = 0;
    QSet<QString> m_vistas;
    QTreeWidget* m_menu = nullptr;
    ControlePaginas* m_paginas = nullptr;
    QList<QTreeWidgetItem*> m_itens;
    QTreeWidgetItem* m_pendente = nullptr;
};

} // namespace

void IniciaCapturas() {
    const QString pasta = qEnvironmentVariable("FCONT_CAPTURAS");
    if (!pasta.isEmpty())
        new Capturas(pasta);
}

} // namespace ui
