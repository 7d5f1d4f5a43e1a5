#include "platform/Regional.h"

#include <gtest/gtest.h>

#include <charconv>
#include <cmath>
#include <cstdio>
#include <cstring>
#include <random>

using namespace platform::regional;

namespace {

QString s(const char* text) {
    return QString::fromUtf8(text);
}

} // namespace

TEST(RegionalFormatFloatGeneral, WritesFifteenSignificantDigitsWithDecimalComma) {
    EXPECT_EQ(formatFloatGeneral(1234.5), s("1234,5"));
    EXPECT_EQ(formatFloatGeneral(1000), s("1000"));
    EXPECT_EQ(formatFloatGeneral(0), s("0"));
    EXPECT_EQ(formatFloatGeneral(-12345.67), s("-12345,67"));
    EXPECT_EQ(formatFloatGeneral(0.1 + 0.2), s("0,3"));
    EXPECT_EQ(formatFloatGeneral(0.5), s("0,5"));
    EXPECT_EQ(formatFloatGeneral(123456789012345.0), s("123456789012345"));
    EXPECT_EQ(formatFloatGeneral(0.00001), s("0,00001"));
}

TEST(RegionalFormatFloatGeneral, SwitchesToScientificForTinyOrSixteenDigitMagnitudes) {
    EXPECT_EQ(formatFloatGeneral(1e-6), s("1E-6"));
    EXPECT_EQ(formatFloatGeneral(-2.5e-7), s("-2,5E-7"));
    EXPECT_EQ(formatFloatGeneral(123456789012345678.0), s("1,23456789012346E17"));
    EXPECT_EQ(formatFloatGeneral(1e15), s("1E15"));
    // Rounding to fifteen digits can add the sixteenth integer digit.
    EXPECT_EQ(formatFloatGeneral(999999999999999.9), s("1E15"));
}

TEST(RegionalFormatFloat, RoundsHalvesAwayFromZeroOnTheEighteenDigitExpansion) {
    EXPECT_EQ(formatFloat(s("0.00"), 2.675), s("2,67"));
    EXPECT_EQ(formatFloat(s("0.00"), 1.005), s("1,00"));
    EXPECT_EQ(formatFloat(s("0.00"), 0.125), s("0,13"));
    EXPECT_EQ(formatFloat(s("0.00"), -0.125), s("-0,13"));
    EXPECT_EQ(formatFloat(s("0.00"), 0.005), s("0,01"));
    EXPECT_EQ(formatFloat(s("0.00"), 9.999), s("10,00"));
    EXPECT_EQ(formatFloat(s("0.00"), 999.995), s("1000,00"));
}

// The amounts are rounded on the digits of the library's exact conversion; the fast one the
// formatting uses must give the C library's digits for every kind of amount.
TEST(RegionalFormatFloat, ExpandsLikeTheCLibraryOverManyAmounts) {
    std::mt19937_64 sorteio(20261209);
    std::uniform_int_distribution<long long> centavos(-100000000000LL, 100000000000LL);
    std::uniform_real_distribution<double> qualquer(-1e9, 1e9);
    int diferentes = 0;
    for (int i = 0; i < 200000 && diferentes < 5; ++i) {
        // Sums of cents, half cents and arbitrary doubles, where a misplaced digit would show.
        const double valores[] = {static_cast<double>(centavos(sorteio)) / 100.0,
                                  static_cast<double>(centavos(sorteio)) / 1000.0 + 0.005, qualquer(sorteio)};
        for (const double v : valores) {
            char esperado[64], obtido[64];
            std::snprintf(esperado, sizeof esperado, "%.17e", std::fabs(v));
            const auto r = std::to_chars(obtido, obtido + sizeof obtido - 1, std::fabs(v),
                                         std::chars_format::scientific, 17);
            *r.ptr = '\0';
            if (std::strcmp(esperado, obtido) != 0) {
                ADD_FAILURE() << esperado << " != " << obtido;
                ++diferentes;
            }
        }
    }
}

TEST(RegionalRoundedValue, IsTheFormattedTextReadBack) {
    std::mt19937_64 sorteio(9122026);
    std::uniform_int_distribution<long long> milesimos(-10000000000LL, 10000000000LL);
    std::uniform_real_distribution<double> qualquer(-1e7, 1e7);
    int diferentes = 0;
    auto confere = [&](double v) {
        const double esperado = parseFloat(formatFloat(s("0.00"), v)).value_or(0.0);
        const double obtido = roundedValue(v, 2);
        // Bit for bit: a negative zero where the text says "0,00" would differ here too.
        if (std::memcmp(&esperado, &obtido, sizeof(double)) != 0 && diferentes++ < 5)
            ADD_FAILURE() << v << ": " << esperado << " != " << obtido;
    };
    for (const double v :
         {0.0, -0.0, 0.005, -0.005, 0.004999, 2.675, 1.005, 999.995, -0.001, 1e15, 123456789012.345})
        confere(v);
    for (int i = 0; i < 200000; ++i) {
        confere(static_cast<double>(milesimos(sorteio)) / 1000.0);
        confere(qualquer(sorteio));
    }
    EXPECT_EQ(roundedValue(std::nan(""), 2), 0.0);
    EXPECT_EQ(roundedValue(1.23456, 0), 1.0);
}

TEST(RegionalFormatFloat, DropsTheSignOfAValueThatRoundsToZero) {
    EXPECT_EQ(formatFloat(s("0.00"), -0.001), s("0,00"));
    EXPECT_EQ(formatFloat(s("0.00"), -0.0), s("0,00"));
    EXPECT_EQ(formatFloat(s("0.00"), 0.0049), s("0,00"));
}

TEST(RegionalFormatFloat, GroupsThousandsWithDotsWhenThePictureHasAComma) {
    EXPECT_EQ(formatFloat(s("###,###,##0.00"), 1234567.891), s("1.234.567,89"));
    EXPECT_EQ(formatFloat(s("###,###,##0.00"), 0), s("0,00"));
    EXPECT_EQ(formatFloat(s("###,###,##0.00"), -15), s("-15,00"));
    EXPECT_EQ(formatFloat(s("###,###,##0.00"), 999.5), s("999,50"));
    EXPECT_EQ(formatFloat(s("###,###,##0.00"), 1000), s("1.000,00"));
    EXPECT_EQ(formatFloat(s("###,###,##0.00"), 123456789012.5), s("123.456.789.012,50"));
    EXPECT_EQ(formatFloat(s("0.00"), 1234567.891), s("1234567,89"));
}

TEST(RegionalFormatFloat, PadsWithZeroPlaceholdersAndOmitsOptionalDecimals) {
    EXPECT_EQ(formatFloat(s("000000000000"), 1250), s("000000001250"));
    EXPECT_EQ(formatFloat(s("000000000000"), -1250), s("-000000001250"));
    EXPECT_EQ(formatFloat(s("000000000000"), 1234567890123.0), s("1234567890123"));
    EXPECT_EQ(formatFloat(s("0.##"), 1), s("1"));
    EXPECT_EQ(formatFloat(s("0.##"), 1.5), s("1,5"));
    EXPECT_EQ(formatFloat(s("#.00"), 0.5), s(",50"));
}

TEST(RegionalParseFloat, ReadsTheDecimalCommaAndRejectsAnythingElse) {
    EXPECT_EQ(parseFloat(s("12,5")), 12.5);
    EXPECT_EQ(parseFloat(s(" -3,25 ")), -3.25);
    EXPECT_EQ(parseFloat(s("+7")), 7.0);
    EXPECT_EQ(parseFloat(s(",5")), 0.5);
    EXPECT_EQ(parseFloat(s("1E3")), 1000.0);
    EXPECT_EQ(parseFloat(s("2,5E-1")), 0.25);

    EXPECT_FALSE(parseFloat(s("1.5")));
    EXPECT_FALSE(parseFloat(s("1.234,5")));
    EXPECT_FALSE(parseFloat(s("1,2,3")));
    EXPECT_FALSE(parseFloat(s("")));
    EXPECT_FALSE(parseFloat(s("  ")));
    EXPECT_FALSE(parseFloat(s("-")));
    EXPECT_FALSE(parseFloat(s("12a")));
    EXPECT_FALSE(parseFloat(s("1E")));
}

TEST(RegionalFormatDateTime, WritesTheNumericPicturesAndKeepsLiteralDigits) {
    const QDateTime march(QDate(2025, 3, 7), QTime(9, 5, 3));
    EXPECT_EQ(formatDateTime(s("12/01/YY"), march), s("12/01/25"));
    EXPECT_EQ(formatDateTime(s("31/12/YYYY"), march), s("31/12/2025"));
    EXPECT_EQ(formatDateTime(s("dd/mm/yy 00:00:00"), march), s("07/03/25 00:00:00"));
    EXPECT_EQ(formatDateTime(s("mm/dd/yy"), march), s("03/07/25"));
    EXPECT_EQ(formatDateTime(s("d/m/yy"), march), s("7/3/25"));
    EXPECT_EQ(formatDateTime(s("h:n:s"), march), s("9:5:3"));
    EXPECT_EQ(formatDateTime(s("hh:nn:ss"), march), s("09:05:03"));
    EXPECT_EQ(formatDateTime(s("'dd' dd"), march), s("dd 07"));
    EXPECT_EQ(formatDateTime(s("dd"), QDateTime()), QString());
}

TEST(RegionalFormatDateTime, ReadsMonthAfterAnHourAsMinutes) {
    const QDateTime evening(QDate(2009, 12, 31), QTime(15, 30));
    EXPECT_EQ(formatDateTime(s("DDMMYYYY hhmm"), evening), s("31122009 1530"));
    EXPECT_EQ(formatDateTime(s("hh:mm"), evening), s("15:30"));
    // A letter token in between (the day) ends the hour's claim on "mm".
    EXPECT_EQ(formatDateTime(s("hh dd mm"), evening), s("15 31 12"));
}

TEST(RegionalDateText, AddsTheTimeOnlyWhenItIsNotMidnight) {
    EXPECT_EQ(dateToText(QDate(2025, 1, 2)), s("02/01/2025"));
    EXPECT_EQ(dateTimeToText(QDateTime(QDate(2025, 1, 2), QTime(0, 0))), s("02/01/2025"));
    EXPECT_EQ(dateTimeToText(QDateTime(QDate(2025, 1, 2), QTime(7, 8, 9))), s("02/01/2025 07:08:09"));
}

TEST(RegionalParseDateTime, ReadsDayFirstDatesWithOptionalTime) {
    const QDate today(2025, 6, 1);
    EXPECT_EQ(parseDateTime(s("31/12/2014"), today), QDateTime(QDate(2014, 12, 31), QTime(0, 0)));
    EXPECT_EQ(parseDateTime(s("1/2/2025"), today), QDateTime(QDate(2025, 2, 1), QTime(0, 0)));
    EXPECT_EQ(parseDateTime(s(" 1 / 2 / 2025 "), today), QDateTime(QDate(2025, 2, 1), QTime(0, 0)));
    EXPECT_EQ(parseDateTime(s("31/12/2014 10:30"), today), QDateTime(QDate(2014, 12, 31), QTime(10, 30)));
    EXPECT_EQ(parseDateTime(s("31/12/2014 10:30:15"), today),
              QDateTime(QDate(2014, 12, 31), QTime(10, 30, 15)));
    EXPECT_EQ(parseDateTime(s("5/7"), today), QDateTime(QDate(2025, 7, 5), QTime(0, 0)));

    EXPECT_FALSE(parseDateTime(s("31/02/2025"), today));
    EXPECT_FALSE(parseDateTime(s("2025-02-01"), today));
    EXPECT_FALSE(parseDateTime(s("  /  /  "), today));
    EXPECT_FALSE(parseDateTime(s("31/12/2014 25:00"), today));
    EXPECT_FALSE(parseDateTime(s("31/12/2014 x"), today));
    EXPECT_FALSE(parseDateTime(s("0/1/2014"), today));
    EXPECT_FALSE(parseDateTime(s("1/1/0000"), today));
}

TEST(RegionalParseDateTime, PutsTwoDigitYearsAtMostFiftyYearsBeforeToday) {
    const QDate today(2025, 6, 1);
    EXPECT_EQ(parseDate(s("31/12/14"), today), QDate(2014, 12, 31));
    EXPECT_EQ(parseDate(s("01/01/75"), today), QDate(1975, 1, 1));
    EXPECT_EQ(parseDate(s("01/01/74"), today), QDate(2074, 1, 1));
    EXPECT_EQ(parseDate(s("01/01/00"), today), QDate(2000, 1, 1));
    EXPECT_EQ(parseDate(s("01/01/9"), today), QDate(2009, 1, 1));
    // The window crosses a century boundary: from 2010 on, "09" is already 2109.
    EXPECT_EQ(expandTwoDigitYear(9, QDate(2060, 1, 1)), 2109);
    EXPECT_EQ(expandTwoDigitYear(10, QDate(2060, 1, 1)), 2010);
    // Three digits are a year as written.
    EXPECT_EQ(parseDate(s("01/01/214"), today), QDate(214, 1, 1));
}

TEST(RegionalParseDateAndTime, ReadOnlyTheirOwnPart) {
    EXPECT_FALSE(parseDate(s("31/12/2014 10:30"), QDate(2025, 1, 1)));
    EXPECT_EQ(parseTime(s("10:30")), QTime(10, 30));
    EXPECT_EQ(parseTime(s("7:05:09")), QTime(7, 5, 9));
    EXPECT_FALSE(parseTime(s("24:00")));
    EXPECT_FALSE(parseTime(s("10:60")));
    EXPECT_FALSE(parseTime(s("  :  ")));
    EXPECT_FALSE(parseTime(s("10")));
}
