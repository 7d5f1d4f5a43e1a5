#include "ui/main/TfmAchados.h"

#include "ui/main/GradeAchados.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

namespace ui {

TfmAchados::TfmAchados(QWidget* parent) : QWidget(parent, Qt::Window) {
    setObjectName(QStringLiteral("fmAchados"));
    setWindowTitle(QStringLiteral("Achados"));
    resize(980, 520);

    m_origem = new QLabel(this);
    m_origem->setObjectName(QStringLiteral("laOrigem"));
    m_origem->setAccessibleName(QStringLiteral("Arquivo"));
    m_origem->setTextInteractionFlags(Qt::TextSelectableByMouse);
    m_resumo = new QLabel(this);
    m_resumo->setObjectName(QStringLiteral("laResumo"));
    m_resumo->setAccessibleName(QStringLiteral("Resumo"));
    QFont negrito = m_resumo->font();
    negrito.setBold(true);
    m_resumo->setFont(negrito);
    m_resumo->setWordWrap(true);

    m_grade = new GradeAchados(this);
    auto* dica = new QLabel(
        QStringLiteral("Clique duas vezes num achado para ir à página em que ele é corrigido."), this);
    dica->setStyleSheet(QStringLiteral("color: grey;"));

    m_fechar = new QPushButton(QStringLiteral("Fechar"), this);
    m_fechar->setObjectName(QStringLiteral("btFechar"));
    connect(m_fechar, &QPushButton::clicked, this, &QWidget::close);
    auto* botoes = new QHBoxLayout;
    botoes->addWidget(dica, 1);
    botoes->addWidget(m_fechar);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(m_origem);
    layout->addWidget(m_resumo);
    layout->addWidget(m_grade, 1);
    layout->addLayout(botoes);
}

void TfmAchados::mostra(const QString& origem, const QString& resumo, const validacao::Achados& achados) {
    m_origem->setText(origem);
    m_resumo->setText(resumo);
    m_grade->mostra(achados);
}

} // namespace ui
