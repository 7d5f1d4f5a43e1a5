#include "common/Texto.h"

#include "platform/Regional.h"

#include <gtest/gtest.h>

#include <clocale>

using namespace common;

namespace {

QString s(const char* text) {
    return QString::fromUtf8(text);
}

// What the amount fields of the file show: absolute value, two decimals, no grouping.
QString textoDeValor(double valor) {
    QString t = platform::regional::formatFloat(s("###,###,##0.00"), ArredondaValor(valor));
    return t.remove(QLatin1Char('.')).remove(QLatin1Char('-'));
}

} // namespace

TEST(TextoTrim, RemovesBlanksAndControlCharactersOnlyAtTheEnds) {
    EXPECT_EQ(Trim(s("\t a b \r\n")), s("a b"));
    EXPECT_EQ(TrimLeft(s("\x01 a ")), s("a "));
    EXPECT_EQ(TrimRight(s(" a \x1f")), s(" a"));
    EXPECT_EQ(Trim(s(" \t ")), QString());
    EXPECT_EQ(Trim(s("\u00a0a")), s("\u00a0a"));
}

TEST(TextoQ, QuotesAndDoublesInnerQuotes) {
    EXPECT_EQ(Q(s("D'AVILA")), s("'D''AVILA'"));
    EXPECT_EQ(Q(QString()), s("''"));
    EXPECT_EQ(Q(s("''")), s("''''''"));
}

TEST(TextoAplicaMascara, LaysTheCodeOnTheNinesAndPadsWithZeros) {
    EXPECT_EQ(AplicaMascara(s("9.99"), s("123")), s("1.23"));
    EXPECT_EQ(AplicaMascara(s("9.99"), s("12")), s("1.20"));
    EXPECT_EQ(AplicaMascara(s("9.99"), s("12345")), s("1.23"));
    EXPECT_EQ(AplicaMascara(s("9.9.99.999"), s("1010001")), s("1.0.10.001"));
    // The blank uses up a code position: 1, (blank), 2.
    EXPECT_EQ(AplicaMascara(s("9.99"), s("1 2 3")), s("1.20"));
    EXPECT_EQ(AplicaMascara(s("9 99"), s("123")), s("1230"));
}

TEST(TextoAplicaMascara, GivesNothingForABlankMaskOrCode) {
    EXPECT_EQ(AplicaMascara(QString(), s("123")), QString());
    EXPECT_EQ(AplicaMascara(s("  "), s("123")), QString());
    EXPECT_EQ(AplicaMascara(s("9.99"), s(" ")), QString());
}

TEST(TextoExtraiCampo, ReturnsTheNthFieldAndTheLastBeyondTheEnd) {
    const QChar d = QLatin1Char(';');
    EXPECT_EQ(ExtraiCampo(s("A;B;C"), d, 1), s("A"));
    EXPECT_EQ(ExtraiCampo(s("A;B;C"), d, 2), s("B"));
    EXPECT_EQ(ExtraiCampo(s("A;B;C"), d, 3), s("C"));
    EXPECT_EQ(ExtraiCampo(s("A;B;C"), d, 5), s("C"));
    EXPECT_EQ(ExtraiCampo(s("A;B;"), d, 3), QString());
    EXPECT_EQ(ExtraiCampo(s(";;X"), d, 2), QString());
    EXPECT_EQ(ExtraiCampo(s("ABC"), d, 1), QString());
    EXPECT_EQ(ExtraiCampo(s("ABC"), d, 2), s("ABC"));
    EXPECT_EQ(ExtraiCampo(QString(), d, 2), QString());
}

TEST(TextoLimpaPontuacao, RemovesOnlyDotsCommasSlashesAndDashes) {
    EXPECT_EQ(LimpaPontuacao(s("A.B,C/D-E")), s("ABCDE"));
    EXPECT_EQ(LimpaPontuacao(s("123.456.789-09")), s("12345678909"));
    EXPECT_EQ(LimpaPontuacao(s("A B\r\n")), s("A B\r\n"));
}

TEST(TextoArredondaValor, RoundsToCentsOnTheDecimalExpansion) {
    EXPECT_DOUBLE_EQ(ArredondaValor(0.125), 0.13);
    EXPECT_DOUBLE_EQ(ArredondaValor(-0.125), -0.13);
    EXPECT_DOUBLE_EQ(ArredondaValor(2.675), 2.67);
    EXPECT_DOUBLE_EQ(ArredondaValor(1.005), 1.00);
    EXPECT_DOUBLE_EQ(ArredondaValor(-2.5), -2.5);
    EXPECT_DOUBLE_EQ(ArredondaValor(1234567.891), 1234567.89);
}

TEST(TextoArredondaValor, DoesNotDependOnTheProcessLocale) {
    const std::string previous = std::setlocale(LC_ALL, nullptr);
    if (!std::setlocale(LC_ALL, "pt_BR.UTF-8") && !std::setlocale(LC_ALL, "de_DE.UTF-8"))
        GTEST_SKIP() << "no locale with a decimal comma installed";
    const double rounded = ArredondaValor(1234.565);
    const QString amount = textoDeValor(-1234567.891);
    std::setlocale(LC_ALL, previous.c_str());
    EXPECT_DOUBLE_EQ(rounded, 1234.57);
    EXPECT_EQ(amount, s("1234567,89"));
}

TEST(TextoArredondaValor, GivesTheAmountTextOfTheFile) {
    EXPECT_EQ(textoDeValor(1234567.891), s("1234567,89"));
    EXPECT_EQ(textoDeValor(-15), s("15,00"));
    EXPECT_EQ(textoDeValor(0), s("0,00"));
    EXPECT_EQ(textoDeValor(-0.004), s("0,00"));
}
