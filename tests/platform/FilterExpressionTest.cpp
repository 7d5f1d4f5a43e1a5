#include "platform/FilterExpression.h"

#include <QDateTime>
#include <QMap>

#include <gtest/gtest.h>

using platform::FilterExpression;

namespace {

using Row = QMap<QString, QVariant>;

bool matches(const QString& expression, const Row& row) {
    return FilterExpression::parse(expression).matches([&row](const QString& name) {
        if (!row.contains(name.toUpper()))
            throw std::invalid_argument(("no field " + name).toStdString());
        return row.value(name.toUpper());
    });
}

const Row codeList = {
    {"REGISTRO", "J930"}, {"CAMPO", "IDENT_QUALIF"}, {"DESCRICAO", "O'NEIL Contador"}, {"CODIGO", "900"}};

} // namespace

TEST(FilterExpressionTest, MatchesTheChainsOfEqualitiesTheSystemWrites) {
    EXPECT_TRUE(
        matches("REGISTRO = 'J930' and CAMPO = 'IDENT_QUALIF' and DESCRICAO = 'O''NEIL Contador'", codeList));
    EXPECT_FALSE(
        matches("REGISTRO = 'J930' and CAMPO = 'IDENT_QUALIF' and DESCRICAO = 'Contador'", codeList));
    // Field names and keywords ignore case, texts do not.
    EXPECT_TRUE(matches("registro = 'J930' AND Campo = 'IDENT_QUALIF'", codeList));
    EXPECT_FALSE(matches("REGISTRO = 'j930'", codeList));
    // Trailing blanks are part of the text.
    EXPECT_FALSE(matches("REGISTRO = 'J930 '", codeList));
}

TEST(FilterExpressionTest, CombinesWithOrNotAndParenthesesByTheUsualPrecedence) {
    EXPECT_TRUE(matches("REGISTRO = 'X' or REGISTRO = 'J930' and CAMPO = 'IDENT_QUALIF'", codeList));
    EXPECT_FALSE(matches("(REGISTRO = 'X' or REGISTRO = 'J930') and CAMPO = 'OUTRO'", codeList));
    EXPECT_TRUE(matches("not REGISTRO = 'X' and not (CAMPO = 'A' or CAMPO = 'B')", codeList));
    EXPECT_TRUE(matches("1 = 1", codeList));
    EXPECT_TRUE(matches("(CODIGO) = '900'", codeList));
}

TEST(FilterExpressionTest, ComparesNumbersNumericallyAndTextsByCharacter) {
    const Row row = {{"NIVEL", 9}, {"VALOR", 12.5}, {"COD", "10"}};
    EXPECT_TRUE(matches("NIVEL < 10 and NIVEL >= 9 and NIVEL <> 8", row));
    EXPECT_TRUE(matches("VALOR > 12.25 and VALOR <= 12.5 and VALOR = 12.50", row));
    EXPECT_TRUE(matches("NIVEL > -1", row));
    // A text field against a number converts the text; two texts compare by character.
    EXPECT_TRUE(matches("COD = 10 and COD > 9", row));
    EXPECT_FALSE(matches("COD > '9'", row));
    EXPECT_THROW(matches("REGISTRO = 5", codeList), std::invalid_argument);
}

TEST(FilterExpressionTest, NullComparesFalseExceptWithIsNull) {
    const Row row = {{"DT_FIN", QVariant()}, {"TIPO", "A"}};
    EXPECT_FALSE(matches("DT_FIN = '31/12/2008'", row));
    EXPECT_FALSE(matches("DT_FIN <> '31/12/2008'", row));
    EXPECT_TRUE(matches("not DT_FIN = '31/12/2008'", row));
    EXPECT_TRUE(matches("DT_FIN is null and TIPO is not null", row));
    EXPECT_FALSE(matches("DT_FIN IS NOT NULL", row));
    EXPECT_FALSE(matches("DT_FIN like '%'", row));
}

TEST(FilterExpressionTest, ComparesDatesWithRegionalDateTexts) {
    const Row row = {{"DT_FIN", QDateTime(QDate(2008, 12, 31), QTime(0, 0))}};
    EXPECT_TRUE(matches("DT_FIN = '31/12/2008'", row));
    EXPECT_TRUE(matches("DT_FIN < '01/01/2009' and DT_FIN > '30/12/2008'", row));
    EXPECT_THROW(matches("DT_FIN = '2008-12-31x'", row), std::invalid_argument);
}

TEST(FilterExpressionTest, LikeAndUpperServeTheLookupWindow) {
    const Row row = {{"COD_CTA_REF", "1.01.01"}, {"DESCRICAO", "Caixa e Bancos"}, {"TIPO", "S"}};
    EXPECT_TRUE(matches("1 = 1 and COD_CTA_REF LIKE '1.01%' and upper(DESCRICAO) LIKE 'CAIXA%'", row));
    EXPECT_TRUE(matches("upper(DESCRICAO) LIKE '%BANCOS'", row));
    EXPECT_FALSE(matches("DESCRICAO LIKE 'CAIXA%'", row));
    EXPECT_TRUE(matches("COD_CTA_REF like '1._1.01'", row));
    // Regular-expression characters in a pattern are plain characters.
    EXPECT_FALSE(matches("COD_CTA_REF like '1.0.*'", row));
    EXPECT_TRUE(matches("TIPO in ('A', 'S') and TIPO not in ('X')", row));
}

TEST(FilterExpressionTest, ReportsMalformedExpressionsReadably) {
    for (const char* bad : {"", "REGISTRO = ", "REGISTRO 'J930'", "REGISTRO = 'J930", "(REGISTRO = 'A'",
                            "REGISTRO = 'A' and", "REGISTRO = 'A' 'B'", "REGISTRO # 1", "A is 5"}) {
        try {
            FilterExpression::parse(bad);
            ADD_FAILURE() << "accepted: " << bad;
        } catch (const std::invalid_argument& e) {
            EXPECT_NE(std::string(e.what()).find("filter expression"), std::string::npos) << e.what();
        }
    }
}

TEST(FilterExpressionTest, ListsTheFieldsItRefersToOnce) {
    const auto expression = FilterExpression::parse(
        "REGISTRO = 'J930' and (CAMPO = 'A' or registro = CODIGO) and upper(DESCRICAO) like 'X%'");
    EXPECT_EQ(expression.fieldNames(), QStringList({"REGISTRO", "CAMPO", "CODIGO", "DESCRICAO"}));
}
