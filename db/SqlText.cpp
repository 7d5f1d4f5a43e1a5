#include "db/SqlText.h"

namespace db {

namespace {

bool isIdentifierStart(QChar c) {
    return c.isLetter() || c == QLatin1Char('_');
}
bool isIdentifierPart(QChar c) {
    return c.isLetterOrNumber() || c == QLatin1Char('_') || c == QLatin1Char('$');
}

} // namespace

SqlSpanAt sqlSpanAt(QStringView text, qsizetype i) {
    const qsizetype n = text.size();
    if (i >= n)
        return {};
    const QChar c = text[i];
    const QChar next = i + 1 < n ? text[i + 1] : QChar();
    if (c == QLatin1Char('\'') || c == QLatin1Char('"')) {
        const qsizetype end = text.indexOf(c, i + 1);
        return {c == QLatin1Char('\'') ? SqlSpan::Literal : SqlSpan::QuotedName, (end < 0 ? n : end + 1) - i};
    }
    if (c == QLatin1Char('-') && next == QLatin1Char('-')) {
        const qsizetype end = text.indexOf(QLatin1Char('\n'), i);
        return {SqlSpan::LineComment, (end < 0 ? n : end) - i};
    }
    if (c == QLatin1Char('/') && next == QLatin1Char('*')) {
        const qsizetype end = text.indexOf(QLatin1String("*/"), i + 2);
        return {SqlSpan::BlockComment, (end < 0 ? n : end + 2) - i};
    }
    return {};
}

ParsedSql parseNamedParameters(const QString& sql) {
    ParsedSql parsed;
    parsed.sql.reserve(sql.size());
    const qsizetype n = sql.size();
    qsizetype i = 0;
    while (i < n) {
        const QChar c = sql[i];
        if (const SqlSpanAt span = sqlSpanAt(sql, i); span.length > 0) {
            parsed.sql += QStringView(sql).mid(i, span.length);
            i += span.length;
        } else if (c == QLatin1Char(':') && i + 1 < n && sql[i + 1] == QLatin1Char(':')) {
            parsed.sql += QLatin1String("::");
            i += 2;
        } else if (c == QLatin1Char(':') && i + 1 < n && isIdentifierStart(sql[i + 1])) {
            qsizetype end = i + 1;
            while (end < n && isIdentifierPart(sql[end]))
                ++end;
            parsed.names.append(sql.mid(i + 1, end - i - 1));
            parsed.sql += QLatin1Char('?');
            i = end;
        } else {
            parsed.sql += c;
            ++i;
        }
    }
    return parsed;
}

} // namespace db
