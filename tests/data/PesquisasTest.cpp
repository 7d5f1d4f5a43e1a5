#include "data/Pesquisas.h"
#include "data/PesquisaGeral.h"
#include "platform/Abort.h"
#include "platform/ScriptedDialogs.h"

#include <gtest/gtest.h>

using data::ModoBusca;
using data::Onde;

namespace {

const data::FontePesquisa& fonte(const char* tipo) {
    const data::FontePesquisa* f = data::FonteDaPesquisa(QString::fromUtf8(tipo));
    EXPECT_NE(f, nullptr);
    return *f;
}

} // namespace

TEST(Pesquisas, KindsAreRecognisedTrimmedAndExactly) {
    EXPECT_NE(data::FonteDaPesquisa(QStringLiteral("  Municípios ")), nullptr);
    EXPECT_EQ(data::FonteDaPesquisa(QStringLiteral("municípios")), nullptr);
    EXPECT_EQ(data::FonteDaPesquisa(QStringLiteral("Empresas")), nullptr);
    EXPECT_TRUE(fonte("Plano Contas Referencial").referencial());
    EXPECT_FALSE(fonte("Empresa").referencial());
}

TEST(Pesquisas, MunicipalitySearchAddsOneLinePerFilledBoxAndTheOrder) {
    const data::FontePesquisa& m = fonte("Municípios");
    const QStringList linhas = data::MontaPesquisa(
        m, ModoBusca::Contendo, {QStringLiteral(" porto "), QString(), QStringLiteral("43")}, 1);
    EXPECT_EQ(linhas, (QStringList{m.sql, QStringLiteral(" and RCIMNOME  containing 'porto'"),
                                   QStringLiteral(" and RCIMID  containing 43"),
                                   QStringLiteral(" ORDER BY RCIENOME ")}));

    EXPECT_EQ(data::MontaPesquisa(m, ModoBusca::ComecandoCom,
                                  {QStringLiteral("Vale"), QStringLiteral("S"), QString()}, 0)
                  .mid(1, 2),
              (QStringList{QStringLiteral(" and RCIMNOME LIKE 'Vale%'"),
                           QStringLiteral(" and RCIENOME LIKE 'S%'")}));
    EXPECT_EQ(
        data::MontaPesquisa(m, ModoBusca::TerminandoCom, {QString(), QString(), QStringLiteral("01")}, 2),
        (QStringList{m.sql, QStringLiteral(" and RCIMID LIKE '%01'"), QStringLiteral(" ORDER BY RCIMID ")}));
    EXPECT_EQ(data::MontaPesquisa(m, ModoBusca::PorPalavra, {}, 0),
              (QStringList{m.sql, QStringLiteral(" ORDER BY RCIMNOME ")}));
}

TEST(Pesquisas, TypedTextNeverBecomesStatementText) {
    const data::FontePesquisa& p = fonte("Empresa Processada");
    auto linha = [&](ModoBusca modo, int caixa, const QString& valor) {
        QStringList valores{QString(), QString(), QString()};
        valores[caixa] = valor;
        return data::MontaPesquisa(p, modo, valores, 0).at(1);
    };
    EXPECT_EQ(linha(ModoBusca::PorPalavra, 2, QStringLiteral(" 5 ")), QStringLiteral(" and PACODIGO  = 5"));
    EXPECT_EQ(linha(ModoBusca::PorPalavra, 2, QStringLiteral("-12")), QStringLiteral(" and PACODIGO  = -12"));
    EXPECT_EQ(linha(ModoBusca::PorPalavra, 2, QStringLiteral("1 or 1=1")),
              QStringLiteral(" and PACODIGO  = '1 or 1=1'"));
    EXPECT_EQ(linha(ModoBusca::Contendo, 2, QStringLiteral("0) or (1=1")),
              QStringLiteral(" and PACODIGO  containing '0) or (1=1'"));
    EXPECT_EQ(linha(ModoBusca::Contendo, 2, QStringLiteral("x' or 'a'='a")),
              QStringLiteral(" and PACODIGO  containing 'x'' or ''a''=''a'"));
    // Too long for any integer of the server: sent as text rather than failing there.
    EXPECT_EQ(linha(ModoBusca::PorPalavra, 2, QStringLiteral("1234567890123456789")),
              QStringLiteral(" and PACODIGO  = '1234567890123456789'"));
    EXPECT_EQ(linha(ModoBusca::Contendo, 0, QStringLiteral("D'Ávila")),
              QStringLiteral(" and PAEMPRAZAO  containing 'D''Ávila'"));
    EXPECT_EQ(linha(ModoBusca::ComecandoCom, 1, QStringLiteral("O'N")),
              QStringLiteral(" and PAEMPCNPJ LIKE 'O''N%'"));
}

TEST(Pesquisas, BranchConditionsNameTheBranchColumns) {
    const QStringList linhas =
        data::MontaPesquisa(fonte("Empresa"), ModoBusca::Contendo,
                            {QStringLiteral("vale"), QStringLiteral("0002"), QStringLiteral("02")}, 1);
    EXPECT_EQ(linhas.mid(1), (QStringList{QStringLiteral(" and fl.nome  containing 'vale'"),
                                          QStringLiteral(" and fl.ciccgc  containing '0002'"),
                                          QStringLiteral(" and fl.codigo  containing 02"),
                                          QStringLiteral(" ORDER BY CNPJ ")}));
}

TEST(Pesquisas, ReferentialFilterUpperCasesOnlyTheDescription) {
    EXPECT_EQ(data::MontaFiltroPlanoRef(ModoBusca::ComecandoCom,
                                        {QStringLiteral("1.01"), QStringLiteral("caixa"), QString()}),
              QStringLiteral("1 = 1 and COD_CTA_REF LIKE '1.01%' and upper(DESCRICAO) LIKE 'CAIXA%'"));
    EXPECT_EQ(data::MontaFiltroPlanoRef(ModoBusca::Contendo,
                                        {QString(), QStringLiteral("receita"), QStringLiteral("s")}),
              QStringLiteral("1 = 1 and upper(DESCRICAO) LIKE '%RECEITA%' and TIPO LIKE '%s%'"));
    EXPECT_EQ(
        data::MontaFiltroPlanoRef(ModoBusca::TerminandoCom, {QStringLiteral("01"), QString(), QString()}),
        QStringLiteral("1 = 1 and COD_CTA_REF LIKE '%01'"));
    EXPECT_EQ(data::MontaFiltroPlanoRef(ModoBusca::PorPalavra,
                                        {QStringLiteral("1'"), QString(), QStringLiteral("S")}),
              QStringLiteral("1 = 1 and COD_CTA_REF ='1''' and TIPO ='S'"));
    EXPECT_EQ(data::MontaFiltroPlanoRef(ModoBusca::Contendo, {QStringLiteral("  "), QString(), QString()}),
              QStringLiteral("1 = 1"));
}

namespace {

data::ConfiguracaoPesquisa contas() {
    return *data::ConfiguracaoDoTipo(0);
}

QStringList valores(std::initializer_list<std::pair<int, QString>> preenchidos) {
    QStringList v(5);
    for (const auto& [i, texto] : preenchidos)
        v[i] = texto;
    return v;
}

} // namespace

TEST(PesquisaGeral, AccountSearchExampleGivesTheWholeStatement) {
    const data::ComandosPesquisa c =
        data::MontaPesquisaGeral(contas(), valores({{3, QStringLiteral("1")}, {4, QStringLiteral("caixa")}}),
                                 Onde::ComecandoCom, 0, std::nullopt);
    const QStringList meio{QStringLiteral("From ACBC15PC"), QString(),
                           QStringLiteral("Where not( ACBC15PC.PCCODIGO is null)  "),
                           QStringLiteral(" and ACBC15PC.PACODIGO = 1"),
                           QStringLiteral(" and upper(ACBC15PC.PCDESCRICAO) like 'CAIXA%'")};
    EXPECT_EQ(c.consulta,
              QStringList({QStringLiteral("Select "), QStringLiteral("ACBC15PC.PCCODIGO, "),
                           QStringLiteral("ACBC15PC.PCORDENACAO, "), QStringLiteral("ACBC15PC.PCNIVEL, "),
                           QStringLiteral("ACBC15PC.PACODIGO, "), QStringLiteral("ACBC15PC.PCDESCRICAO "),
                           QStringLiteral(", PCCODIGO"), QStringLiteral(", PCORDENACAO"),
                           QStringLiteral(", PCNIVEL"), QStringLiteral(", PCDESCRICAO")}) +
                  meio + QStringList{QStringLiteral("Order by ACBC15PC.PCCODIGO")});
    EXPECT_EQ(c.contagem, QStringList{QStringLiteral("Select count(*) as Tot ")} + meio);
}

TEST(PesquisaGeral, TextConditionsFollowModeAndMaximumLength) {
    auto condicao = [](int campo, const QString& v, Onde onde) {
        return data::MontaPesquisaGeral(contas(), valores({{campo, v}}), onde, 0, std::nullopt)
            .contagem.last();
    };
    EXPECT_EQ(condicao(2, QStringLiteral("3"), Onde::ComecandoCom),
              QStringLiteral(" and upper(ACBC15PC.PCNIVEL) like '3'"));
    EXPECT_EQ(condicao(2, QStringLiteral("3"), Onde::TerminandoCom),
              QStringLiteral(" and upper(ACBC15PC.PCNIVEL) like '3'"));
    EXPECT_EQ(condicao(4, QStringLiteral("caixa"), Onde::Contendo),
              QStringLiteral(" and (ACBC15PC.PCDESCRICAO) Containing 'CAIXA'"));
    EXPECT_EQ(condicao(4, QStringLiteral("d'a"), Onde::TerminandoCom),
              QStringLiteral(" and upper(ACBC15PC.PCDESCRICAO) like '%D''A'"));
    // One short of the maximum: only the leading wildcard.
    EXPECT_EQ(condicao(1, QStringLiteral("1234567890123456789"), Onde::ComecandoCom),
              QStringLiteral(" and upper(ACBC15PC.PCORDENACAO) like '1234567890123456789'"));
    EXPECT_EQ(condicao(1, QStringLiteral("1234567890123456789"), Onde::TerminandoCom),
              QStringLiteral(" and upper(ACBC15PC.PCORDENACAO) like '%1234567890123456789'"));
}

TEST(PesquisaGeral, IntegerFieldsAddNothingForZeroAndStopOnLetters) {
    const data::ComandosPesquisa zero = data::MontaPesquisaGeral(
        contas(), valores({{0, QStringLiteral("0")}}), Onde::Contendo, 1, std::nullopt);
    EXPECT_EQ(zero.contagem.last(), QStringLiteral("Where not( ACBC15PC.PCCODIGO is null)  "));
    EXPECT_EQ(zero.consulta.last(), QStringLiteral("Order by ACBC15PC.PCORDENACAO"));

    platform::ScopedDialogs caixas;
    EXPECT_THROW(data::MontaPesquisaGeral(contas(), valores({{0, QStringLiteral("abc")}}), Onde::Contendo, 0,
                                          std::nullopt),
                 platform::SilentAbort);
    ASSERT_EQ(caixas->boxes().size(), 1);
    EXPECT_EQ(caixas->boxes()[0].kind, platform::ScriptedDialogs::Kind::Plain);
    EXPECT_EQ(caixas->boxes()[0].text, QStringLiteral("Valor não trata-se de um tipo inteiro"));
}

TEST(PesquisaGeral, AlternativeFieldComesBeforeTheSearchFields) {
    using platform::FieldType;
    auto consulta = [](const data::CampoAlternativo& alt, Onde onde) {
        return data::MontaPesquisaGeral(contas(), valores({{3, QStringLiteral("2")}}), onde, 0, alt).contagem;
    };
    QStringList c =
        consulta({QStringLiteral("PCTIPO"), FieldType::String, 1, QStringLiteral("a")}, Onde::Contendo);
    EXPECT_EQ(c.mid(4), (QStringList{QStringLiteral(" and Upper(ACBC15PC.PCTIPO) like 'A'"),
                                     QStringLiteral(" and ACBC15PC.PACODIGO = 2")}));
    c = consulta({QStringLiteral("PCDESCRICAO"), FieldType::String, 60, QStringLiteral("CAI")},
                 Onde::Contendo);
    EXPECT_EQ(c.at(4), QStringLiteral(" and Upper(ACBC15PC.PCDESCRICAO) like '%CAI%'"));
    c = consulta({QStringLiteral("PCNATUREZASALDO"), FieldType::String, 2, QStringLiteral("D")},
                 Onde::ComecandoCom);
    EXPECT_EQ(c.at(4), QStringLiteral(" and Upper(ACBC15PC.PCNATUREZASALDO) like 'D'"));
    c = consulta({QStringLiteral("PCCODIGOREDUZIDO"), FieldType::Integer, 0, QStringLiteral("12")},
                 Onde::Contendo);
    EXPECT_EQ(c.at(4), QStringLiteral(" and Upper(ACBC15PC.PCCODIGOREDUZIDO) = 12"));
    c = consulta({QStringLiteral("PCTIPO"), FieldType::String, 1, QString()}, Onde::Contendo);
    EXPECT_EQ(c.at(4), QStringLiteral(" and ACBC15PC.PACODIGO = 2"));
}

TEST(PesquisaGeral, ListedFieldsCountByAliasNotByQualifiedName) {
    const QStringList e{QStringLiteral("ACBC15PC.PCCODIGO"), QStringLiteral("ACBC15PC.PCNIVEL as NIVEL")};
    EXPECT_FALSE(data::CampoListado(QStringLiteral("PCCODIGO"), e));
    EXPECT_TRUE(data::CampoListado(QStringLiteral(" acbc15pc.pccodigo "), e));
    EXPECT_TRUE(data::CampoListado(QStringLiteral("nivel"), e));
    EXPECT_FALSE(data::CampoListado(QStringLiteral("PCNIVEL"), e));
}

TEST(PesquisaGeral, OrderingCodeIsLaidOnTheMask) {
    EXPECT_EQ(data::FormataMascara(QStringLiteral("9.9.99.999;0;_"), QStringLiteral("1101001")),
              QStringLiteral("1.1.01.001"));
    EXPECT_EQ(data::FormataMascara(QStringLiteral("9.9.99.999;0;_"), QStringLiteral("11")),
              QStringLiteral("1.1.__.___"));
    EXPECT_EQ(data::FormataMascara(QStringLiteral("99\\.9;0;_"), QStringLiteral("123")),
              QStringLiteral("12.3"));
}
