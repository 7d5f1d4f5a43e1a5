#include "common/Texto.h"

#include "platform/Abort.h"
#include "platform/Regional.h"
#include "platform/ScriptedDialogs.h"

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

const QDate hoje(2026, 12, 8);

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

TEST(TextoMontaFiltroTexto, BuildsEachOperatorAndTheUpperBound) {
    EXPECT_EQ(MontaFiltro(s("Upper(T.NOME)"), s("ABC"), QString(), s("i"), 1), s(" and Upper(T.NOME) like 'ABC'"));
    EXPECT_EQ(MontaFiltro(s("F"), s("A"), QString(), s("="), 16), s(" and F = 'A'"));
    EXPECT_EQ(MontaFiltro(s("F"), s("A"), QString(), s("E"), 1), s(" and ((F <> 'A') or (F is null))"));
    EXPECT_EQ(MontaFiltro(s("F"), s("A"), s("M"), s("F"), 1), s(" and F >= 'A' and F <= 'M'"));
    EXPECT_EQ(MontaFiltro(s("F"), s("A"), QString(), s("c"), 1), s(" and F Containing 'A'"));
    EXPECT_EQ(MontaFiltro(s("F"), s("D'AVILA"), QString(), s("I"), 1), s(" and F like 'D''AVILA'"));
    EXPECT_EQ(MontaFiltro(s("F"), s("A"), QString(), s("X"), 1), QString());
    EXPECT_EQ(MontaFiltro(s("F"), s("A"), QString(), s("I"), 99), QString());
}

TEST(TextoMontaFiltroTexto, TreatsPercentAsNoValue) {
    EXPECT_EQ(MontaFiltro(s("F"), s("%"), QString(), s("I"), 1), QString());
    EXPECT_EQ(MontaFiltro(s("F"), s("%%"), s("%"), s("I"), 1), QString());
    EXPECT_EQ(MontaFiltro(s("F"), QString(), s("M"), s("I"), 1), s(" and F <= 'M'"));
}

TEST(TextoMontaFiltroTexto, NegatesBothBoundsForN) {
    EXPECT_EQ(MontaFiltro(s("F"), s("A"), s("M"), s("n"), 1), s(" and not(F >= 'A') and not(F <= 'M')"));
    EXPECT_EQ(MontaFiltro(s("F"), s("A"), s("  "), s("N"), 1), s(" and not(F >= 'A')"));
    EXPECT_EQ(MontaFiltro(s("F"), QString(), s("M"), s("N"), 1), QString());
}

TEST(TextoMontaFiltroTexto, SearchesEveryWordForG) {
    EXPECT_EQ(MontaFiltro(s("NOME"), s("AB CD"), QString(), s("G"), 1),
              s(" and (NOME Containing 'AB' and NOME Containing 'CD'  )"));
    EXPECT_EQ(MontaFiltro(s("NOME"), s("AB  CD"), QString(), s("g"), 1),
              s(" and (NOME Containing 'AB' and NOME Containing '' and NOME Containing 'CD'  )"));
    EXPECT_EQ(MontaFiltro(s("NOME"), s("AB"), QString(), s("G"), 1), s(" and (NOME Containing 'AB'  )"));
}

TEST(TextoMontaFiltroInteiro, SkipsZeroAndWritesTheNumbers) {
    EXPECT_EQ(MontaFiltro(s("CODIGO"), s("0"), QString(), s("I"), 3), QString());
    EXPECT_EQ(MontaFiltro(s("CODIGO"), s("12"), QString(), s("I"), 3), s(" and CODIGO = 12"));
    EXPECT_EQ(MontaFiltro(s("CODIGO"), s("012"), s("0"), s("c"), 2), s(" and CODIGO = 12"));
    EXPECT_EQ(MontaFiltro(s("C"), s("-5"), QString(), s("E"), 25), s(" and ((C <> -5) or (C is null))"));
    EXPECT_EQ(MontaFiltro(s("C"), s("5"), s("9"), s("F"), 3), s(" and C >= 5 and C <= 9"));
    EXPECT_EQ(MontaFiltro(s("C"), s("5"), s("9"), s("N"), 3), s(" and not(C >= 5) and not(C <= 9)"));
    EXPECT_EQ(MontaFiltro(s("C"), s("0"), s("9"), s("N"), 3), QString());
}

TEST(TextoMontaFiltroReal, WritesCentsWithTwelveDigits) {
    EXPECT_EQ(MontaFiltro(s("VALOR"), s("12,5"), QString(), s("I"), 6), s(" and VALOR = (000000001250/100)"));
    EXPECT_EQ(MontaFiltro(s("VALOR"), s("-12,5"), QString(), s("C"), 7), s(" and VALOR = (-000000001250/100)"));
    EXPECT_EQ(MontaFiltro(s("V"), s("0,125"), QString(), s("E"), 6),
              s(" and ((V <> (000000000013/100)) or (V is null)) "));
    EXPECT_EQ(MontaFiltro(s("V"), s("1"), s("2"), s("F"), 6), s(" and V >= (000000000100/100) and V <= (000000000200/100)"));
    EXPECT_EQ(MontaFiltro(s("V"), s("1"), s("2"), s("N"), 6),
              s(" and not(V >= (000000000100/100) ) and not(V <= (000000000200/100) )"));
    EXPECT_EQ(MontaFiltro(s("V"), s("0,00"), QString(), s("I"), 6), QString());
}

TEST(TextoMontaFiltroData, WritesMonthFirstAndReplacesTheZeroDateWithToday) {
    EXPECT_EQ(MontaFiltro(s("DATA"), s("00/00/00"), QString(), s("I"), 9, hoje), s(" and DATA = '12/08/26'"));
    EXPECT_EQ(MontaFiltro(s("DATA"), s("31/12/2014"), QString(), s("E"), 11, hoje), s(" and DATA <> '12/31/14'"));
    EXPECT_EQ(MontaFiltro(s("DATA"), s("31/12/14"), s("15/01/15"), s("f"), 9, hoje),
              s(" and DATA >= '12/31/14' and DATA <= '01/15/15'"));
    EXPECT_EQ(MontaFiltro(s("DATA"), s("31/12/14"), s("15/01/15"), s("N"), 9, hoje),
              s(" and not(DATA >= '12/31/14') and not(DATA <= '01/15/15')"));
    EXPECT_EQ(MontaFiltro(s("DATA"), s("  /  /  "), s("  /  /  "), s("I"), 9, hoje), QString());
    EXPECT_EQ(MontaFiltro(s("DATA"), QString(), s("00/00/00"), s("I"), 9, hoje), s(" and DATA <= '12/08/26'"));
}

TEST(TextoMontaFiltroHora, ComparesHoursAndMinutesAndAlwaysAddsTheUpperBound) {
    EXPECT_EQ(MontaFiltro(s("HORA"), s("10:30"), QString(), s("I"), 10), s(" and HORA = '10:30'"));
    EXPECT_EQ(MontaFiltro(s("HORA"), s("8:05"), s("18:00"), s("F"), 10), s(" and HORA >= '08:05' and HORA <= '18:00'"));
    EXPECT_EQ(MontaFiltro(s("HORA"), s("10:30"), s("18:00"), s("N"), 10), s(" and HORA <= '18:00'"));
    EXPECT_EQ(MontaFiltro(s("HORA"), s("  :  "), s("  :  "), s("I"), 10), QString());
}

TEST(TextoMontaFiltroDataHora, WritesTheDayBoundsOfEachComparison) {
    EXPECT_EQ(MontaFiltro(s("T"), s("31/12/2014"), QString(), s("I"), 36, hoje), s(" and T = '12/31/14'"));
    EXPECT_EQ(MontaFiltro(s("T"), s("31/12/2014"), s("15/01/2015"), s("F"), 36, hoje),
              s(" and T >= '12/31/14 00:00:00' and T <= '01/15/15 23:59:59'"));
    EXPECT_EQ(MontaFiltro(s("T"), s("31/12/2014"), s("15/01/2015"), s("N"), 36, hoje),
              s(" and not(T >= '12/31/14 00:00:00') and not(T <= '01/15/15 23:59:59')"));
}

TEST(TextoMontaFiltro, ShowsTheKindOfAnUnreadableValueAndAbortsSilently) {
    struct Caso {
        const char* valor1;
        const char* valor2;
        int tipo;
        const char* mensagem;
    };
    const Caso casos[] = {
        {"1a", "", 3, "Valor não trata-se de um tipo inteiro"},
        {"5", "x", 3, "Valor não trata-se de um tipo inteiro"},
        {"12.5", "", 6, "Valor não trata-se de um tipo real"},
        {"31/02/2014", "", 9, "Valor não trata-se de um tipo data"},
        {"25:00", "", 10, "Valor não trata-se de um tipo data"},
        // Today with its time of day is no longer a date the timestamp kind can read.
        {"00/00/00", "", 36, "Valor não trata-se de um tipo data"},
    };
    for (const Caso& c : casos) {
        SCOPED_TRACE(c.valor1);
        platform::ScopedDialogs dialogs;
        EXPECT_THROW(MontaFiltro(s("F"), s(c.valor1), s(c.valor2), s("I"), c.tipo, hoje), platform::SilentAbort);
        ASSERT_EQ(dialogs->boxes().size(), 1);
        EXPECT_EQ(dialogs->boxes()[0].kind, platform::ScriptedDialogs::Kind::Plain);
        EXPECT_EQ(dialogs->boxes()[0].text, s(c.mensagem));
    }
}
