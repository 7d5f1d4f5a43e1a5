#include "ui/main/Logotipo.h"

#include <QFont>
#include <QLinearGradient>
#include <QPainter>

namespace ui {

QPixmap Logotipo(const QSize& tamanho) {
    QPixmap imagem(tamanho);
    imagem.fill(Qt::transparent);
    QPainter p(&imagem);
    p.setRenderHint(QPainter::Antialiasing);

    const int h = tamanho.height();
    const QRectF emblema(2, 2, h - 4, h - 4);
    QLinearGradient fundo(emblema.topLeft(), emblema.bottomRight());
    fundo.setColorAt(0, QColor(0x1f, 0x6f, 0xb2));
    fundo.setColorAt(1, QColor(0x0d, 0x3b, 0x66));
    p.setPen(Qt::NoPen);
    p.setBrush(fundo);
    p.drawRoundedRect(emblema, h / 6.0, h / 6.0);

    const double largura = emblema.width() / 6.0;
    const double alturas[] = {0.30, 0.50, 0.72};
    p.setBrush(QColor(0xf2, 0xc1, 0x2e));
    for (int i = 0; i < 3; ++i) {
        const double altura = emblema.height() * alturas[i];
        p.drawRect(QRectF(emblema.left() + largura * (1 + 1.5 * i),
                          emblema.bottom() - emblema.height() * 0.14 - altura, largura, altura));
    }

    const QRectF texto(emblema.right() + 8, 0, tamanho.width() - emblema.right() - 8, h);
    QFont nome(QStringLiteral("Arial"));
    nome.setPixelSize(qMax(10, h * 2 / 5));
    nome.setBold(true);
    p.setFont(nome);
    p.setPen(QColor(0x0d, 0x3b, 0x66));
    p.drawText(texto.adjusted(0, 0, 0, -h / 2.4), Qt::AlignLeft | Qt::AlignBottom, QStringLiteral("FCONT"));
    QFont sub(QStringLiteral("Arial"));
    sub.setPixelSize(qMax(8, h / 5));
    p.setFont(sub);
    p.setPen(QColor(0x55, 0x55, 0x55));
    p.drawText(texto.adjusted(0, h / 1.7, 0, 0), Qt::AlignLeft | Qt::AlignTop,
               QStringLiteral("Gerador do arquivo"));
    return imagem;
}

QPixmap LogotipoJanela() {
    QPixmap logo(174, 46);
    logo.fill(Qt::white);
    QPainter p(&logo);
    p.setRenderHint(QPainter::Antialiasing);
    p.setBrush(QColor(0x1f, 0x6f, 0x3f));
    p.setPen(Qt::NoPen);
    p.drawRoundedRect(QRectF(2, 6, 34, 34), 6, 6);
    p.setPen(Qt::white);
    QFont f = p.font();
    f.setBold(true);
    f.setPixelSize(20);
    p.setFont(f);
    p.drawText(QRectF(2, 6, 34, 34), Qt::AlignCenter, QStringLiteral("F"));
    p.setPen(QColor(0x1f, 0x6f, 0x3f));
    f.setPixelSize(18);
    p.setFont(f);
    p.drawText(QRectF(42, 4, 130, 24), Qt::AlignLeft | Qt::AlignVCenter, QStringLiteral("SPED FCONT"));
    f.setBold(false);
    f.setPixelSize(10);
    p.setFont(f);
    p.setPen(Qt::darkGray);
    p.drawText(QRectF(42, 26, 130, 16), Qt::AlignLeft | Qt::AlignVCenter,
               QStringLiteral("Gerador do arquivo"));
    return logo;
}

} // namespace ui
