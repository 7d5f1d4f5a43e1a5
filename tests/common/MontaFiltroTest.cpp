#include "common/MontaFiltro.h"

#include "platform/Abort.h"
#include "platform/ScriptedDialogs.h"

#include <gtest/gtest.h>

using namespace common;

namespace {

QString s(const char* text) {
    return QString::fromUtf8(text);
}

const QDate hoje(2026, 12, 8);

} // namespace

TEST(TextoMontaFiltroTexto, BuildsEachOperatorAndTheUpperBound) {
    EXPECT_EQ(MontaFiltro(s("Upper(T.NOME)"), s("ABC"), QString(), s("i"), 1),
              s(" and Upper(T.NOME) like 'ABC'"));
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
    EXPECT_EQ(MontaFiltro(s("VALOR"), s("-12,5"), QString(), s("C"), 7),
              s(" and VALOR = (-000000001250/100)"));
    EXPECT_EQ(MontaFiltro(s("V"), s("0,125"), QString(), s("E"), 6),
              s(" and ((V <> (000000000013/100)) or (V is null)) "));
    EXPECT_EQ(MontaFiltro(s("V"), s("1"), s("2"), s("F"), 6),
              s(" and V >= (000000000100/100) and V <= (000000000200/100)"));
    EXPECT_EQ(MontaFiltro(s("V"), s("1"), s("2"), s("N"), 6),
              s(" and not(V >= (000000000100/100) ) and not(V <= (000000000200/100) )"));
    EXPECT_EQ(MontaFiltro(s("V"), s("0,00"), QString(), s("I"), 6), QString());
}

TEST(TextoMontaFiltroData, WritesMonthFirstAndReplacesTheZeroDateWithToday) {
    EXPECT_EQ(MontaFiltro(s("DATA"), s("00/00/00"), QString(), s("I"), 9, hoje), s(" and DATA = '12/08/26'"));
    EXPECT_EQ(MontaFiltro(s("DATA"), s("31/12/2014"), QString(), s("E"), 11, hoje),
              s(" and DATA <> '12/31/14'"));
    EXPECT_EQ(MontaFiltro(s("DATA"), s("31/12/14"), s("15/01/15"), s("f"), 9, hoje),
              s(" and DATA >= '12/31/14' and DATA <= '01/15/15'"));
    EXPECT_EQ(MontaFiltro(s("DATA"), s("31/12/14"), s("15/01/15"), s("N"), 9, hoje),
              s(" and not(DATA >= '12/31/14') and not(DATA <= '01/15/15')"));
    EXPECT_EQ(MontaFiltro(s("DATA"), s("  /  /  "), s("  /  /  "), s("I"), 9, hoje), QString());
    EXPECT_EQ(MontaFiltro(s("DATA"), QString(), s("00/00/00"), s("I"), 9, hoje),
              s(" and DATA <= '12/08/26'"));
}

TEST(TextoMontaFiltroHora, ComparesHoursAndMinutesAndAlwaysAddsTheUpperBound) {
    EXPECT_EQ(MontaFiltro(s("HORA"), s("10:30"), QString(), s("I"), 10), s(" and HORA = '10:30'"));
    EXPECT_EQ(MontaFiltro(s("HORA"), s("8:05"), s("18:00"), s("F"), 10),
              s(" and HORA >= '08:05' and HORA <= '18:00'"));
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
        EXPECT_THROW(MontaFiltro(s("F"), s(c.valor1), s(c.valor2), s("I"), c.tipo, hoje),
                     platform::SilentAbort);
        ASSERT_EQ(dialogs->boxes().size(), 1);
        EXPECT_EQ(dialogs->boxes()[0].kind, platform::ScriptedDialogs::Kind::Plain);
        EXPECT_EQ(dialogs->boxes()[0].text, s(c.mensagem));
    }
}
