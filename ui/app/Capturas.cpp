#include "ui/app/Capturas.h"

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
            if (m_pendente)
                salva(m_menu->window(), QStringLiteral("pagina-") + m_pendente->text(0));
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
            if (auto* menu = janela->findChild<QTreeWidget*>(QStringLiteral("tvMenu"))) {
                m_menu = menu;
                m_itens.clear();
                for (QTreeWidgetItemIterator it(menu); *it; ++it)
                    m_itens << *it;
            }
        }
    }

    QTreeWidgetItem* proximoItem() { return m_itens.isEmpty() ? nullptr : m_itens.takeFirst(); }

    QString m_pasta;
    int m_numero = 0;
    QSet<QString> m_vistas;
    QTreeWidget* m_menu = nullptr;
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
