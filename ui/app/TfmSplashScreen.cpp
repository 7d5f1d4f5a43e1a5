#include "ui/app/TfmSplashScreen.h"

#include "common/Versao.h"
#include "ui/app/TfmLogin.h"
#include "ui/main/Aplicacao.h"
#include "ui/main/Logotipo.h"

#include <QCoreApplication>
#include <QGuiApplication>
#include <QLabel>
#include <QPainter>
#include <QPainterPath>
#include <QScreen>
#include <QTimer>

namespace ui {

namespace {

const QRect contorno(3, 8, 446, 177);
const QRect fundo(15, 19, 422, 154);
const QRect logotipo(196, 29, 215, 57);
const QRect logoSped(22, 21, 150, 150);

// Silver text with a black shadow to the lower right.
class RotuloSombreado : public QLabel {
public:
    using QLabel::QLabel;

protected:
    void paintEvent(QPaintEvent*) override {
        QPainter p(this);
        p.setRenderHint(QPainter::TextAntialiasing);
        p.setFont(font());
        p.setPen(Qt::black);
        p.drawText(rect().translated(2, 2), Qt::AlignCenter, text());
        p.setPen(QColor(0xc0, 0xc0, 0xc0));
        p.drawText(rect(), Qt::AlignCenter, text());
    }
};

void desenhaFundo(QPainter& p) {
    QLinearGradient ceu(fundo.topLeft(), fundo.bottomLeft());
    ceu.setColorAt(0, QColor(0xf4, 0xf7, 0xfb));
    ceu.setColorAt(1, QColor(0xd3, 0xe0, 0xee));
    p.setPen(Qt::NoPen);
    p.setBrush(ceu);
    p.drawRoundedRect(fundo, 8, 8);
    // Faint ledger lines across the picture.
    p.setPen(QPen(QColor(0xb8, 0xca, 0xdd), 1));
    for (int y = fundo.top() + 14; y < fundo.bottom(); y += 14)
        p.drawLine(fundo.left() + 6, y, fundo.right() - 6, y);
}

void desenhaLogoSped(QPainter& p) {
    const QRectF area(logoSped);
    QRadialGradient esfera(area.center() - QPointF(20, 20), area.width() * 0.7);
    esfera.setColorAt(0, QColor(0x4c, 0xaf, 0x50));
    esfera.setColorAt(1, QColor(0x1b, 0x5e, 0x20));
    p.setPen(QPen(QColor(0x0f, 0x3d, 0x14), 2));
    p.setBrush(esfera);
    p.drawEllipse(area.adjusted(6, 6, -6, -6));
    // A sheet with a check mark: a file ready to be sent.
    const QRectF folha(area.left() + 45, area.top() + 32, 60, 80);
    p.setPen(QPen(QColor(0x33, 0x33, 0x33), 1.5));
    p.setBrush(Qt::white);
    p.drawRect(folha);
    p.setPen(QPen(QColor(0x9e, 0x9e, 0x9e), 2));
    for (int i = 0; i < 4; ++i)
        p.drawLine(QPointF(folha.left() + 8, folha.top() + 14 + i * 12),
                   QPointF(folha.right() - 8, folha.top() + 14 + i * 12));
    p.setPen(QPen(QColor(0xf2, 0xc1, 0x2e), 6, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    QPainterPath visto;
    visto.moveTo(folha.left() + 14, folha.bottom() - 20);
    visto.lineTo(folha.left() + 28, folha.bottom() - 8);
    visto.lineTo(folha.right() + 8, folha.top() + 40);
    p.setBrush(Qt::NoBrush);
    p.drawPath(visto);
}

} // namespace

TfmSplashScreen::TfmSplashScreen(int intervalo, QWidget* parent)
    : QWidget(parent, Qt::Window | Qt::FramelessWindowHint | Qt::WindowStaysOnTopHint) {
    setObjectName(QStringLiteral("fmSplashScreen"));
    setFixedSize(454, 190);
    setAccessibleName(QStringLiteral("Gerador FCONT"));
    // Yellow is the see-through colour of the design: only the rounded frame and what lies on it
    // show. A shaped window does that without a compositor.
    QPainterPath forma;
    forma.addRoundedRect(QRectF(contorno).adjusted(-1, -1, 1, 1), 12, 12);
    setMask(QRegion(forma.toFillPolygon().toPolygon()));

    laTitulo = new RotuloSombreado(QStringLiteral("Gerador FCONT"), this);
    laTitulo->setObjectName(QStringLiteral("laTitulo"));
    laTitulo->setGeometry(200, 91, 208, 24);
    QFont titulo(QStringLiteral("Verdana"));
    titulo.setPixelSize(19);
    titulo.setBold(true);
    titulo.setItalic(true);
    laTitulo->setFont(titulo);

    laVersao = new QLabel(QStringLiteral("Versão 1.0 (beta)"), this);
    laVersao->setObjectName(QStringLiteral("laVersao"));
    laVersao->setGeometry(193, 121, 225, 34);
    laVersao->setAlignment(Qt::AlignHCenter | Qt::AlignTop);
    laVersao->setWordWrap(true);
    QFont arial(QStringLiteral("Arial"));
    arial.setPixelSize(12);
    laVersao->setFont(arial);
    laVersao->setStyleSheet(QStringLiteral("color: grey;"));

    laStatus = new QLabel(QStringLiteral("Carregando..."), this);
    laStatus->setObjectName(QStringLiteral("laStatus"));
    laStatus->setGeometry(208, 154, 208, 13);
    laStatus->setAlignment(Qt::AlignCenter);
    QFont status(QStringLiteral("Arial"));
    status.setPixelSize(11);
    laStatus->setFont(status);
    laStatus->setStyleSheet(QStringLiteral("color: red;"));

    tmTime = new QTimer(this);
    tmTime->setObjectName(QStringLiteral("tmTime"));
    tmTime->setInterval(intervalo);
    tmTime->setSingleShot(true);
    connect(tmTime, &QTimer::timeout, this, [this] { tmTimeTimer(); });

    FormCreate();

    if (const QScreen* tela = QGuiApplication::primaryScreen())
        move(tela->geometry().center() - rect().center());
    show();
}

TfmSplashScreen::~TfmSplashScreen() = default;

void TfmSplashScreen::FormCreate() {
    laVersao->setText(common::TextoVersao());
    DefineTituloAplicacao(QCoreApplication::applicationName() + QStringLiteral(" - ") +
                          laVersao->text().trimmed());
    setWindowTitle(TituloAplicacao());
    tmTime->start();
}

void TfmSplashScreen::tmTimeTimer() {
    tmTime->stop();
    hide();
    if (!m_login)
        m_login = std::make_unique<TfmLogin>();
    if (!m_login->isVisible())
        m_login->show();
}

void TfmSplashScreen::paintEvent(QPaintEvent*) {
    QPainter p(this);
    p.setRenderHint(QPainter::Antialiasing);
    p.fillRect(rect(), Qt::yellow);
    p.setPen(QPen(QColor(0xc0, 0xc0, 0xc0), 2));
    p.setBrush(Qt::white);
    p.drawRoundedRect(QRectF(contorno).adjusted(1, 1, -1, -1), 12, 12);
    desenhaFundo(p);
    p.drawPixmap(logotipo.topLeft(), Logotipo(logotipo.size()));
    desenhaLogoSped(p);
}

} // namespace ui
