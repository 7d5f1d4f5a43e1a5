// The findings' table behind every findings grid: rows in the order given, a severity filter,
// sorting by any column without losing the finding behind a row, and where each finding is
// mended.

#include "validacao/TabelaAchados.h"

#include <gtest/gtest.h>

using namespace validacao;

namespace {

Achado achado(Gravidade g, int linha, const char* registro, const char* conta, const char* mensagem) {
    return Achado{g,
                  linha,
                  QString::fromLatin1(registro),
                  {},
                  QString::fromLatin1(conta),
                  QString::fromUtf8(mensagem),
                  QStringLiteral("Teste")};
}

const Achados amostra = {
    achado(Gravidade::Aviso, 0, "", "1.1.01.001", "conta sem movimento no mês 03"),
    achado(Gravidade::Erro, 72, "I155", "1.1.01.001", "saldo final errado"),
    achado(Gravidade::Aviso, 6, "I050", "1.1.01.002", "natureza diferente"),
    achado(Gravidade::Erro, 92, "J930", "", "CPF inválido"),
};

QStringList mensagens(const TabelaAchados& t) {
    QStringList m;
    for (int i = 0; i < t.recordCount(); ++i)
        m << t.achadoDa(i)->mensagem;
    return m;
}

} // namespace

TEST(TabelaAchados, RowsKeepTheOrderGivenAndAFindingWithoutLineHasANullLine) {
    TabelaAchados t;
    t.preenche(amostra);
    ASSERT_EQ(t.recordCount(), 4);
    EXPECT_EQ(t.recNo(), 0);
    const int linha = t.fieldByName(QStringLiteral("LINHA")).index();
    EXPECT_FALSE(t.valueAt(0, linha).isValid()) << "no line is no line, not line 0";
    EXPECT_EQ(t.valueAt(1, linha).toInt(), 72);
    EXPECT_EQ(t.valueAt(1, t.fieldByName(QStringLiteral("GRAVIDADE")).index()).toString(),
              QStringLiteral("Erro"));
    EXPECT_EQ(t.achadoAtual()->mensagem, amostra[0].mensagem);
    EXPECT_EQ(t.achadoDa(4), nullptr);

    t.preenche({amostra[3]});
    EXPECT_EQ(t.recordCount(), 1) << "refilling replaces the rows";
    EXPECT_EQ(t.achadoDa(0)->registro, QStringLiteral("J930"));
    t.preenche({});
    EXPECT_EQ(t.recordCount(), 0);
    EXPECT_EQ(t.achadoAtual(), nullptr);
}

TEST(TabelaAchados, FilterNarrowsToOneSeverityAndSurvivesARefill) {
    TabelaAchados t;
    t.preenche(amostra);
    t.filtra(FiltroGravidade::Erros);
    EXPECT_EQ(mensagens(t),
              (QStringList{QStringLiteral("saldo final errado"), QStringLiteral("CPF inválido")}));
    t.filtra(FiltroGravidade::Avisos);
    EXPECT_EQ(mensagens(t), (QStringList{QStringLiteral("conta sem movimento no mês 03"),
                                         QStringLiteral("natureza diferente")}));
    t.preenche({amostra[1], amostra[2]});
    EXPECT_EQ(mensagens(t), QStringList{QStringLiteral("natureza diferente")});
    t.filtra(FiltroGravidade::Todos);
    EXPECT_EQ(t.recordCount(), 2);
}

TEST(TabelaAchados, SortingByAColumnKeepsTheFindingBehindEachRowAndTheCurrentOne) {
    TabelaAchados t;
    t.preenche(amostra);
    t.moveTo(2); // "natureza diferente"
    t.ordena(QStringLiteral("LINHA"));
    EXPECT_EQ(
        mensagens(t),
        (QStringList{QStringLiteral("conta sem movimento no mês 03"), QStringLiteral("natureza diferente"),
                     QStringLiteral("saldo final errado"), QStringLiteral("CPF inválido")}))
        << "no line first, then by number (6 before 72 before 92, not as text)";
    EXPECT_EQ(t.achadoAtual()->mensagem, QStringLiteral("natureza diferente"));

    t.ordena(QStringLiteral("LINHA"), true);
    EXPECT_EQ(t.achadoDa(0)->linha, 92);
    EXPECT_EQ(t.achadoDa(3)->linha, 0);

    t.ordena(QStringLiteral("GRAVIDADE"));
    EXPECT_EQ(mensagens(t), (QStringList{QStringLiteral("saldo final errado"), QStringLiteral("CPF inválido"),
                                         QStringLiteral("conta sem movimento no mês 03"),
                                         QStringLiteral("natureza diferente")}))
        << "errors first, ties in the order given";

    t.ordena(QStringLiteral("CONTA"), true);
    EXPECT_EQ(t.achadoDa(0)->conta, QStringLiteral("1.1.01.002"));
    EXPECT_EQ(t.achadoDa(3)->conta, QString());

    t.filtra(FiltroGravidade::Erros);
    EXPECT_EQ(mensagens(t),
              (QStringList{QStringLiteral("saldo final errado"), QStringLiteral("CPF inválido")}))
        << "the order holds under the filter";
    t.ordena(QString());
    t.filtra(FiltroGravidade::Todos);
    EXPECT_EQ(t.achadoDa(0)->mensagem, amostra[0].mensagem) << "no field: the order given again";
}

TEST(TabelaAchados, EachFindingLeadsToThePageWhereItIsMended) {
    auto pagina = [](const char* registro, const char* campo = "", const char* conta = "") {
        return PaginaDoAchado(Achado{Gravidade::Erro,
                                     1,
                                     QString::fromLatin1(registro),
                                     QString::fromLatin1(campo),
                                     QString::fromLatin1(conta),
                                     {},
                                     {}});
    };
    EXPECT_EQ(pagina("0000", "CNPJ"), PaginaCorrecao::Registro0000);
    EXPECT_EQ(pagina("I150"), PaginaCorrecao::Registro0000);
    EXPECT_EQ(pagina("I050", "DT_ALT", "1.1"), PaginaCorrecao::Registro0000);
    EXPECT_EQ(pagina("I050", "COD_CTA_SUP", "1.1"), PaginaCorrecao::RegistroI050);
    EXPECT_EQ(pagina("I155", "VL_SLD_FIN", "1.1.01.001"), PaginaCorrecao::RegistroI050);
    EXPECT_EQ(pagina("M355", "COD_CTA", "3101001"), PaginaCorrecao::RegistroI050);
    EXPECT_EQ(pagina("J930", "IDENT_CPF"), PaginaCorrecao::RegistroJ930);
    EXPECT_EQ(pagina("M020", "QUALI_PJ"), PaginaCorrecao::RegistroM020);
    EXPECT_EQ(pagina("M030"), PaginaCorrecao::RegistroM030);
    EXPECT_EQ(pagina("9900"), PaginaCorrecao::Nenhuma);
    EXPECT_EQ(pagina("", "", "4.2.01.001"), PaginaCorrecao::RegistroI050) << "a finding of the books";

    EXPECT_EQ(ChaveDeConta(QStringLiteral("3.1.01.001")), ChaveDeConta(QStringLiteral("3101001")));
    EXPECT_EQ(ChaveDeConta(QStringLiteral(" 1.a.01 ")), QStringLiteral("1A01"));
    EXPECT_NE(ChaveDeConta(QStringLiteral("3.1.01.001")), ChaveDeConta(QStringLiteral("3.1.01.002")));
}
