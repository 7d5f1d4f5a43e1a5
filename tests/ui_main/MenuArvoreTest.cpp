// The tree menu file: what the program writes and how a file is read back into the tree.

#include "ui/main/MenuArvore.h"

#include <QTreeWidget>

#include <gtest/gtest.h>

using namespace ui;

TEST(MenuArvore, BuiltInFileHasOneTabPerLevelCrLfAndLatin1) {
    const QByteArray bytes = ConteudoMenu(NosMenuPadrao());
    const QList<QByteArray> linhas = bytes.split('\n');
    ASSERT_EQ(linhas.size(), 12) << "eleven nodes, each ended by CR LF";
    EXPECT_TRUE(linhas.last().isEmpty());
    EXPECT_EQ(linhas[0], QByteArray("Abertura, Identifica\xe7\xe3o e Refer\xeancias (Bloco 0)\r"));
    EXPECT_EQ(linhas[1], QByteArray("\tRegistro 0000\r"));
    EXPECT_EQ(linhas[9], QByteArray("Manuten\xe7\xe3o\r"));
    EXPECT_EQ(linhas[10], QByteArray("\tCriar \xcdndices de Performance\r"));
    EXPECT_EQ(bytes.count("\r\n"), 11);
}

TEST(MenuArvore, ReadingRebuildsTheBuiltInTree) {
    QTreeWidget arvore;
    MontaArvore(arvore, LeMenu(ConteudoMenu(NosMenuPadrao())));
    ASSERT_EQ(arvore.topLevelItemCount(), 5);
    EXPECT_EQ(arvore.topLevelItem(3)->text(0), QStringLiteral("Registros Fiscais (Bloco M)"));
    ASSERT_EQ(arvore.topLevelItem(3)->childCount(), 2);
    EXPECT_EQ(arvore.topLevelItem(3)->child(1)->text(0), QStringLiteral("Registro M030"));
    EXPECT_EQ(arvore.topLevelItem(4)->child(0)->text(0), QStringLiteral("Criar Índices de Performance"));
}

TEST(MenuArvore, LevelRulesForSiblingsChildrenAndShallowerLines) {
    // Blanks count as levels like tabs; a shallower line continues the ancestor at its level.
    QTreeWidget arvore;
    MontaArvore(arvore, LeMenu("A\r\n\tB\r\n  C\r\n\tD\r\nE\r\n"));
    ASSERT_EQ(arvore.topLevelItemCount(), 2);
    QTreeWidgetItem* a = arvore.topLevelItem(0);
    ASSERT_EQ(a->childCount(), 2);
    EXPECT_EQ(a->child(0)->text(0), QStringLiteral("B"));
    ASSERT_EQ(a->child(0)->childCount(), 1);
    EXPECT_EQ(a->child(0)->child(0)->text(0), QStringLiteral("C"));
    EXPECT_EQ(a->child(1)->text(0), QStringLiteral("D"));
    EXPECT_EQ(arvore.topLevelItem(1)->text(0), QStringLiteral("E"));
}

TEST(MenuArvore, LineTwoLevelsDeeperIsAnInvalidLevel) {
    try {
        LeMenu("Lan\xe7"
               "amentos (Bloco I)\r\n  Registro I050\r\n");
        FAIL() << "two blanks after a root must be refused";
    } catch (const std::runtime_error& e) {
        EXPECT_EQ(QString::fromUtf8(e.what()),
                  QStringLiteral("Invalid level (2) for item \"Registro I050\""));
    }
}
