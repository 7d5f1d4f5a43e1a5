#include "ui/search/LarguraColuna.h"

#include <QFontMetrics>
#include <QHeaderView>
#include <QTableView>

#include <gtest/gtest.h>

namespace {

void defineFonte(QTableView& grade, int pixels) {
    QFont fonte = grade.font();
    fonte.setPixelSize(pixels);
    grade.setFont(fonte);
    grade.horizontalHeader()->setFont(fonte);
}

int digitos(const QTableView& grade) {
    return grade.fontMetrics().horizontalAdvance(QStringLiteral("0000000000"));
}

TEST(LarguraColuna, GrowsWithTheFaceAndNeverCutsTheTitle) {
    QTableView pequena;
    defineFonte(pequena, 8);
    ASSERT_LE(digitos(pequena), 60);
    // A face no larger than the design's keeps the design's width.
    EXPECT_EQ(ui::LarguraNaTela(pequena, 240, QStringLiteral("Conta")), 240);

    QTableView grande;
    defineFonte(grande, 24);
    ASSERT_GT(digitos(grande), 90);
    const int cpf = ui::LarguraNaTela(grande, 95, QStringLiteral("CPF"));
    EXPECT_GE(cpf, grande.fontMetrics().horizontalAdvance(QStringLiteral("123.456.789-09")));

    const QString titulo = QStringLiteral("Código Qualificação Assinante");
    for (QTableView* grade : {&pequena, &grande}) {
        const int largura = ui::LarguraNaTela(*grade, 45, titulo);
        EXPECT_GT(largura, grade->horizontalHeader()->fontMetrics().horizontalAdvance(titulo));
        // No design width: the grid's default section, scaled the same way.
        EXPECT_GE(ui::LarguraNaTela(*grade, 0, QString()), grade->horizontalHeader()->defaultSectionSize());
    }
}

} // namespace
