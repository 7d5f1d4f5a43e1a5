#pragma once

#include <QString>
#include <QStringList>
#include <QStringView>

namespace db {

// What starts at a position of SQL text, for the readers that must not look inside quoted text
// or comments (parameter markers, statement terminators).
enum class SqlSpan { Code, Literal, QuotedName, LineComment, BlockComment };

struct SqlSpanAt {
    SqlSpan kind = SqlSpan::Code;
    qsizetype length = 0; // 0 for code: the caller reads it character by character
    bool isComment() const { return kind == SqlSpan::LineComment || kind == SqlSpan::BlockComment; }
};

// A quoted text ('...' or "...") runs to its closing quote; a doubled quote inside reads as two
// quoted texts side by side, which is the same for every reader here. A line comment stops before
// its line break; an unterminated quote or comment runs to the end of the text.
SqlSpanAt sqlSpanAt(QStringView text, qsizetype i);

// Replaces ":NAME" parameters by "?" outside literals and comments and lists the names in order
// of appearance (a name may repeat). "::" and ":" inside quotes or comments are left alone.
struct ParsedSql {
    QString sql;
    QStringList names;
};
ParsedSql parseNamedParameters(const QString& sql);

} // namespace db
