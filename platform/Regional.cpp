#include "platform/Regional.h"

#include <charconv>
#include <clocale>
#include <cmath>
#include <string>

namespace platform::regional {

namespace {

// A finite non-negative number as decimal digits: value = 0.d1d2d3... x 10^point, the way
// the original runtime's float record holds it. `digits` has no leading zero unless empty.
struct Decimal {
    std::string digits;
    int point = 0;
};

// The value's expansion to `significant` digits by an exact binary to decimal conversion, so
// the only rounding is at the last kept digit: the digits "%.*e" gives, without the formatted
// output machinery, as every amount of the file passes here several times.
Decimal expand(double magnitude, int significant) {
    char buffer[64];
    const std::to_chars_result r = std::to_chars(buffer, buffer + sizeof buffer - 1, magnitude,
                                                 std::chars_format::scientific, significant - 1);
    *r.ptr = '\0';
    Decimal d;
    const char* p = buffer;
    for (; *p && *p != 'e'; ++p)
        if (*p >= '0' && *p <= '9')
            d.digits.push_back(*p);
    d.point = *p ? std::atoi(p + 1) + 1 : 0;
    const auto first = d.digits.find_first_not_of('0');
    if (first == std::string::npos) {
        d.digits.clear();
        d.point = 0;
    }
    return d;
}

void trimTrailingZeros(std::string& digits) {
    while (!digits.empty() && digits.back() == '0')
        digits.pop_back();
}

// Rounds half away from zero so that at most `decimals` digits follow the decimal point.
void roundToDecimals(Decimal& d, int decimals) {
    const int keep = d.point + decimals;
    if (keep >= static_cast<int>(d.digits.size()))
        return;
    if (keep < 0 || d.digits.empty()) {
        d.digits.clear();
        d.point = 0;
        return;
    }
    const bool up = d.digits[keep] >= '5';
    d.digits.resize(keep);
    if (up) {
        int i = keep - 1;
        for (; i >= 0 && d.digits[i] == '9'; --i)
            d.digits[i] = '0';
        if (i >= 0) {
            ++d.digits[i];
        } else {
            d.digits.insert(d.digits.begin(), '1');
            ++d.point;
        }
    }
    trimTrailingZeros(d.digits);
    if (d.digits.empty())
        d.point = 0;
}

QString nonFinite(double value) {
    if (std::isnan(value))
        return QStringLiteral("NAN");
    return value < 0 ? QStringLiteral("-INF") : QStringLiteral("INF");
}

// One section of a number picture, with its placeholders counted.
struct Picture {
    QString text;
    int integerPlaceholders = 0;
    int minIntegerDigits = 0;
    int maxDecimals = 0;
    int minDecimals = 0;
    bool grouping = false;
};

bool isQuote(QChar c) {
    return c == QLatin1Char('\'') || c == QLatin1Char('"');
}

Picture analyse(const QString& section) {
    Picture pic;
    pic.text = section;
    bool afterPoint = false;
    int firstZero = -1;
    for (qsizetype i = 0; i < section.size(); ++i) {
        const QChar c = section[i];
        if (isQuote(c)) {
            const qsizetype close = section.indexOf(c, i + 1);
            i = close < 0 ? section.size() : close;
        } else if (c == QLatin1Char('0') || c == QLatin1Char('#')) {
            if (afterPoint) {
                ++pic.maxDecimals;
                if (c == QLatin1Char('0'))
                    pic.minDecimals = pic.maxDecimals;
            } else {
                if (c == QLatin1Char('0') && firstZero < 0)
                    firstZero = pic.integerPlaceholders;
                ++pic.integerPlaceholders;
            }
        } else if (c == QLatin1Char('.')) {
            afterPoint = true;
        } else if (c == QLatin1Char(',') && !afterPoint) {
            pic.grouping = true;
        }
    }
    if (firstZero >= 0)
        pic.minIntegerDigits = pic.integerPlaceholders - firstZero;
    return pic;
}

// Sections "positive;negative;zero", split outside quoted literals.
QStringList splitSections(const QString& pattern) {
    QStringList sections;
    QString current;
    QChar quote;
    for (const QChar c : pattern) {
        if (!quote.isNull()) {
            if (c == quote)
                quote = QChar();
        } else if (isQuote(c)) {
            quote = c;
        } else if (c == QLatin1Char(';')) {
            sections << current;
            current.clear();
            continue;
        }
        current += c;
    }
    sections << current;
    return sections;
}

// Lays the rounded digits out on the picture: extra integer digits go to the first integer
// placeholder, "#" shows nothing where the number has no digit, the decimal point only
// appears when decimal digits follow it.
QString render(const Picture& pic, const Decimal& d, bool minus) {
    QString integer;
    for (int i = 0; i < d.point; ++i)
        integer += QLatin1Char(i < static_cast<int>(d.digits.size()) ? d.digits[i] : '0');
    while (integer.size() < pic.minIntegerDigits)
        integer.prepend(QLatin1Char('0'));

    QString fraction;
    for (int i = d.point; i < d.point + pic.maxDecimals; ++i)
        fraction += QLatin1Char(i >= 0 && i < static_cast<int>(d.digits.size()) ? d.digits[i] : '0');
    while (fraction.size() > pic.minDecimals && fraction.endsWith(QLatin1Char('0')))
        fraction.chop(1);

    const qsizetype length = integer.size();
    const qsizetype offset = length - pic.integerPlaceholders;
    auto appendDigit = [&](QString& out, qsizetype k) {
        out += integer[k];
        const qsizetype remaining = length - 1 - k;
        if (pic.grouping && remaining > 0 && remaining % 3 == 0)
            out += thousandSeparator;
    };

    QString out;
    bool afterPoint = false;
    bool signWritten = !minus;
    int integerIndex = 0;
    int decimalIndex = 0;
    const QString& text = pic.text;
    for (qsizetype i = 0; i < text.size(); ++i) {
        const QChar c = text[i];
        if (isQuote(c)) {
            const qsizetype close = text.indexOf(c, i + 1);
            const qsizetype end = close < 0 ? text.size() : close;
            out += text.mid(i + 1, end - i - 1);
            i = end;
        } else if (c == QLatin1Char('0') || c == QLatin1Char('#')) {
            if (!signWritten) {
                out += QLatin1Char('-');
                signWritten = true;
            }
            if (afterPoint) {
                if (decimalIndex < fraction.size())
                    out += fraction[decimalIndex];
                ++decimalIndex;
            } else {
                const qsizetype k = integerIndex + offset;
                if (integerIndex == 0)
                    for (qsizetype j = 0; j < k; ++j)
                        appendDigit(out, j);
                if (k >= 0)
                    appendDigit(out, k);
                ++integerIndex;
            }
        } else if (c == QLatin1Char('.')) {
            if (!afterPoint) {
                afterPoint = true;
                if (!signWritten) {
                    out += QLatin1Char('-');
                    signWritten = true;
                }
                // A picture without integer placeholders still shows the integer digits.
                if (pic.integerPlaceholders == 0)
                    for (qsizetype j = 0; j < length; ++j)
                        appendDigit(out, j);
                if (!fraction.isEmpty())
                    out += decimalSeparator;
            }
        } else if (c == QLatin1Char(',')) {
            // grouping flag, never written itself
        } else {
            out += c;
        }
    }
    if (pic.integerPlaceholders == 0 && pic.maxDecimals == 0 && !signWritten)
        out.prepend(QLatin1Char('-'));
    return out;
}

} // namespace

QString formatFloatGeneral(double value) {
    if (!std::isfinite(value))
        return nonFinite(value);
    Decimal d = expand(std::fabs(value), 15);
    if (d.digits.empty())
        return QStringLiteral("0");
    trimTrailingZeros(d.digits);

    QString out;
    if (value < 0)
        out += QLatin1Char('-');
    const int size = static_cast<int>(d.digits.size());
    // Fixed notation down to 0.00001 (0.1E-4) and up to fifteen integer digits.
    const bool tooSmall = d.point < -4;
    if (d.point > 15 || tooSmall) {
        out += QLatin1Char(d.digits[0]);
        if (size > 1) {
            out += decimalSeparator;
            out += QString::fromLatin1(d.digits.data() + 1, size - 1);
        }
        out += QLatin1Char('E');
        out += QString::number(d.point - 1);
        return out;
    }
    if (d.point <= 0) {
        out += QLatin1Char('0');
        out += decimalSeparator;
        out += QString(-d.point, QLatin1Char('0'));
        out += QString::fromLatin1(d.digits.data(), size);
    } else if (d.point >= size) {
        out += QString::fromLatin1(d.digits.data(), size);
        out += QString(d.point - size, QLatin1Char('0'));
    } else {
        out += QString::fromLatin1(d.digits.data(), d.point);
        out += decimalSeparator;
        out += QString::fromLatin1(d.digits.data() + d.point, size - d.point);
    }
    return out;
}

QString formatFloat(const QString& pattern, double value) {
    if (!std::isfinite(value))
        return nonFinite(value);
    if (pattern.isEmpty())
        return formatFloatGeneral(value);

    const QStringList sections = splitSections(pattern);
    const bool negative = value < 0;
    bool ownNegativeSection = negative && sections.size() > 1 && !sections[1].isEmpty();
    Picture pic = analyse(ownNegativeSection ? sections[1] : sections[0]);

    // The runtime first takes the value to 18 significant digits and then rounds that decimal
    // text to the picture's decimals: 2.675 (stored as 2.67499999999999982...) gives 2,67.
    Decimal d = expand(std::fabs(value), 18);
    roundToDecimals(d, pic.maxDecimals);
    if (d.digits.empty()) {
        // Rounded to nothing: no minus sign, and the zero section when the picture has one.
        if (sections.size() > 2 && !sections[2].isEmpty())
            pic = analyse(sections[2]);
        else if (ownNegativeSection)
            pic = analyse(sections[0]);
        return render(pic, d, false);
    }
    return render(pic, d, negative && !ownNegativeSection);
}

double roundedValue(double value, int decimals) {
    if (!std::isfinite(value))
        return 0.0;
    Decimal d = expand(std::fabs(value), 18);
    roundToDecimals(d, decimals);
    if (d.digits.empty())
        return 0.0;
    // 0.d1d2d3... x 10^point, read back exactly as the text of those digits would be.
    const std::string texto = "0." + d.digits + 'e' + std::to_string(d.point);
    double lido = 0;
    std::from_chars(texto.data(), texto.data() + texto.size(), lido);
    return value < 0 ? -lido : lido;
}

std::optional<double> parseFloat(const QString& text) {
    qsizetype i = 0;
    qsizetype end = text.size();
    while (i < end && text[i].unicode() <= 0x20)
        ++i;
    while (end > i && text[end - 1].unicode() <= 0x20)
        --end;

    auto isDigit = [&](qsizetype k) {
        return k < end && text[k] >= QLatin1Char('0') && text[k] <= QLatin1Char('9');
    };
    std::string normal;
    if (i < end && (text[i] == QLatin1Char('-') || text[i] == QLatin1Char('+'))) {
        if (text[i] == QLatin1Char('-'))
            normal += '-';
        ++i;
    }
    std::string integer, fraction;
    while (isDigit(i))
        integer += static_cast<char>(text[i++].unicode());
    if (i < end && text[i] == decimalSeparator) {
        ++i;
        while (isDigit(i))
            fraction += static_cast<char>(text[i++].unicode());
    }
    if (integer.empty() && fraction.empty())
        return std::nullopt;
    normal += integer.empty() ? "0" : integer;
    normal += '.';
    normal += fraction.empty() ? "0" : fraction;
    if (i < end && (text[i] == QLatin1Char('e') || text[i] == QLatin1Char('E'))) {
        ++i;
        normal += 'e';
        if (i < end && (text[i] == QLatin1Char('-') || text[i] == QLatin1Char('+'))) {
            if (text[i] == QLatin1Char('-'))
                normal += '-';
            ++i;
        }
        if (!isDigit(i))
            return std::nullopt;
        while (isDigit(i))
            normal += static_cast<char>(text[i++].unicode());
    }
    if (i != end)
        return std::nullopt;

    double result = 0;
    const auto [ptr, ec] = std::from_chars(normal.data(), normal.data() + normal.size(), result);
    if (ec != std::errc() || ptr != normal.data() + normal.size())
        return std::nullopt;
    return result;
}

namespace {

const char* const shortMonths[] = {"jan", "fev", "mar", "abr", "mai", "jun",
                                   "jul", "ago", "set", "out", "nov", "dez"};
const char* const longMonths[] = {"janeiro", "fevereiro", "março",    "abril",   "maio",     "junho",
                                  "julho",   "agosto",    "setembro", "outubro", "novembro", "dezembro"};
const char* const shortDays[] = {"seg", "ter", "qua", "qui", "sex", "sáb", "dom"};
const char* const longDays[] = {"segunda-feira", "terça-feira", "quarta-feira", "quinta-feira",
                                "sexta-feira",   "sábado",      "domingo"};

QString number(int value, int width) {
    return QStringLiteral("%1").arg(value, width, 10, QLatin1Char('0'));
}

void appendPicture(QString& out, const QString& pattern, const QDateTime& value);

} // namespace

QString formatDateTime(const QString& pattern, const QDateTime& value) {
    if (!value.isValid())
        return QString();
    QString out;
    appendPicture(out, pattern, value);
    return out;
}

namespace {

void appendPicture(QString& out, const QString& pattern, const QDateTime& value) {
    const QDate date = value.date();
    const QTime time = value.time();
    QChar lastToken;
    qsizetype i = 0;
    const qsizetype size = pattern.size();
    auto runOf = [&](QChar letter) {
        qsizetype count = 1;
        while (i + count < size && pattern[i + count].toUpper() == letter)
            ++count;
        i += count;
        return count;
    };
    while (i < size) {
        const QChar c = pattern[i];
        QChar token = c.toUpper();
        const bool letter = token >= QLatin1Char('A') && token <= QLatin1Char('Z');
        if (letter) {
            // "mm" after an hour, with only non-letters between, is the minutes.
            if (token == QLatin1Char('M') && lastToken == QLatin1Char('H'))
                token = QLatin1Char('N');
            lastToken = token;
        }
        switch (token.unicode()) {
        case 'Y': {
            const qsizetype n = runOf(QLatin1Char('Y'));
            out += n <= 2 ? number(date.year() % 100, 2) : number(date.year(), 4);
            break;
        }
        case 'M': {
            const qsizetype n = runOf(QLatin1Char('M'));
            if (n <= 2)
                out += number(date.month(), static_cast<int>(n));
            else
                out +=
                    QString::fromUtf8(n == 3 ? shortMonths[date.month() - 1] : longMonths[date.month() - 1]);
            break;
        }
        case 'D': {
            const qsizetype n = runOf(QLatin1Char('D'));
            if (n <= 2)
                out += number(date.day(), static_cast<int>(n));
            else if (n == 3)
                out += QString::fromUtf8(shortDays[date.dayOfWeek() - 1]);
            else if (n == 4)
                out += QString::fromUtf8(longDays[date.dayOfWeek() - 1]);
            else if (n == 5)
                appendPicture(out, QStringLiteral("dd/mm/yyyy"), value);
            else
                appendPicture(out, QStringLiteral("dddd, d' de 'mmmm' de 'yyyy"), value);
            break;
        }
        case 'H': {
            const qsizetype n = runOf(QLatin1Char('H'));
            out += number(time.hour(), n == 1 ? 1 : 2);
            break;
        }
        case 'N': {
            const qsizetype n = runOf(c.toUpper());
            out += number(time.minute(), n == 1 ? 1 : 2);
            break;
        }
        case 'S': {
            const qsizetype n = runOf(QLatin1Char('S'));
            out += number(time.second(), n == 1 ? 1 : 2);
            break;
        }
        case 'Z': {
            const qsizetype n = runOf(QLatin1Char('Z'));
            out += number(time.msec(), n < 3 ? 1 : 3);
            break;
        }
        case 'T': {
            const qsizetype n = runOf(QLatin1Char('T'));
            appendPicture(out, n == 1 ? QStringLiteral("hh:nn") : QStringLiteral("hh:nn:ss"), value);
            break;
        }
        case 'C':
            ++i;
            out += dateTimeToText(value);
            break;
        case '/':
            ++i;
            out += dateSeparator;
            break;
        case '\'':
        case '"': {
            const qsizetype close = pattern.indexOf(c, i + 1);
            const qsizetype end = close < 0 ? size : close;
            out += pattern.mid(i + 1, end - i - 1);
            i = end + 1;
            break;
        }
        default:
            out += c;
            ++i;
            break;
        }
    }
}

// Reading position over a date or time text; blanks may come before every number and separator.
struct Scanner {
    const QString& text;
    qsizetype pos = 0;

    void skipBlanks() {
        while (pos < text.size() && text[pos] == QLatin1Char(' '))
            ++pos;
    }
    bool atEnd() {
        skipBlanks();
        return pos >= text.size();
    }
    bool number(int& value, int& digits) {
        skipBlanks();
        value = 0;
        digits = 0;
        while (pos < text.size() && text[pos] >= QLatin1Char('0') && text[pos] <= QLatin1Char('9')) {
            if (++digits > 4)
                return false;
            value = value * 10 + (text[pos].unicode() - '0');
            ++pos;
        }
        return digits > 0;
    }
    bool character(QChar c) {
        skipBlanks();
        if (pos < text.size() && text[pos] == c) {
            ++pos;
            return true;
        }
        return false;
    }
};

std::optional<QDate> scanDate(Scanner& s, const QDate& today) {
    int day = 0, month = 0, year = 0, digits = 0, yearDigits = 0;
    if (!s.number(day, digits) || !s.character(dateSeparator) || !s.number(month, digits))
        return std::nullopt;
    if (s.character(dateSeparator)) {
        if (!s.number(year, yearDigits))
            return std::nullopt;
        if (yearDigits <= 2)
            year = expandTwoDigitYear(year, today);
    } else {
        year = today.year();
    }
    if (year < 1)
        return std::nullopt;
    const QDate date(year, month, day);
    if (!date.isValid())
        return std::nullopt;
    return date;
}

std::optional<QTime> scanTime(Scanner& s) {
    int hour = 0, minute = 0, second = 0, digits = 0;
    if (!s.number(hour, digits) || !s.character(QLatin1Char(':')) || !s.number(minute, digits))
        return std::nullopt;
    if (s.character(QLatin1Char(':')) && !s.number(second, digits))
        return std::nullopt;
    if (hour > 23 || minute > 59 || second > 59)
        return std::nullopt;
    return QTime(hour, minute, second);
}

} // namespace

QString dateToText(const QDate& value) {
    return formatDate(QStringLiteral("dd/mm/yyyy"), value);
}

QString dateTimeToText(const QDateTime& value) {
    if (!value.isValid())
        return QString();
    if (value.time() == QTime(0, 0))
        return dateToText(value.date());
    return formatDateTime(QStringLiteral("dd/mm/yyyy hh:nn:ss"), value);
}

std::optional<QDateTime> parseDateTime(const QString& text, const QDate& today) {
    Scanner s{text};
    const auto date = scanDate(s, today);
    if (!date)
        return std::nullopt;
    QTime time(0, 0);
    if (!s.atEnd()) {
        const auto read = scanTime(s);
        if (!read || !s.atEnd())
            return std::nullopt;
        time = *read;
    }
    return QDateTime(*date, time);
}

std::optional<QDate> parseDate(const QString& text, const QDate& today) {
    Scanner s{text};
    const auto date = scanDate(s, today);
    if (!date || !s.atEnd())
        return std::nullopt;
    return date;
}

std::optional<QTime> parseTime(const QString& text) {
    Scanner s{text};
    const auto time = scanTime(s);
    if (!time || !s.atEnd())
        return std::nullopt;
    return time;
}

int expandTwoDigitYear(int year, const QDate& today) {
    // The century that puts the year at most fifty years before today's year.
    const int threshold = today.year() - twoDigitYearWindow;
    year += threshold / 100 * 100;
    if (year < threshold)
        year += 100;
    return year;
}

void keepMachineNumbers() {
    std::setlocale(LC_NUMERIC, "C");
}

} // namespace platform::regional
