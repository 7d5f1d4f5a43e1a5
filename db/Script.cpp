#include "db/Script.h"

#include "db/Statement.h"
#include "db/Transaction.h"

#include <QRegularExpression>

namespace db {

namespace {

// Length of the quoted text or comment starting at i, 0 when none starts there.
qsizetype skippable(const QString& text, qsizetype i) {
    const qsizetype n = text.size();
    const QChar c = text[i];
    if (c == QLatin1Char('\'') || c == QLatin1Char('"')) {
        const qsizetype end = text.indexOf(c, i + 1);
        return (end < 0 ? n : end + 1) - i;
    }
    if (c == QLatin1Char('-') && i + 1 < n && text[i + 1] == QLatin1Char('-')) {
        const qsizetype end = text.indexOf(QLatin1Char('\n'), i);
        return (end < 0 ? n : end) - i;
    }
    if (c == QLatin1Char('/') && i + 1 < n && text[i + 1] == QLatin1Char('*')) {
        const qsizetype end = text.indexOf(QLatin1String("*/"), i + 2);
        return (end < 0 ? n : end + 2) - i;
    }
    return 0;
}

QString withoutLeadingComments(const QString& text) {
    qsizetype i = 0;
    const qsizetype n = text.size();
    while (i < n) {
        if (text[i].isSpace()) {
            ++i;
            continue;
        }
        const bool comment = text[i] != QLatin1Char('\'') && text[i] != QLatin1Char('"');
        const qsizetype skip = comment ? skippable(text, i) : 0;
        if (skip == 0)
            break;
        i += skip;
    }
    return text.mid(i).trimmed();
}

QStringList leadingWords(const QString& statement, int count) {
    static const QRegularExpression word(QStringLiteral("[A-Za-z_]+"));
    QStringList words;
    auto it = word.globalMatch(statement);
    while (it.hasNext() && words.size() < count)
        words.append(it.next().captured().toUpper());
    while (words.size() < count)
        words.append(QString());
    return words;
}

bool isDdl(const QStringList& words) {
    static const QStringList ddl = {QStringLiteral("CREATE"),  QStringLiteral("ALTER"),
                                    QStringLiteral("DROP"),    QStringLiteral("RECREATE"),
                                    QStringLiteral("DECLARE"), QStringLiteral("GRANT"),
                                    QStringLiteral("REVOKE"),  QStringLiteral("COMMENT")};
    if (ddl.contains(words[0]))
        return true;
    return words[0] == QLatin1String("SET") &&
           (words[1] == QLatin1String("GENERATOR") || words[1] == QLatin1String("STATISTICS"));
}

// isql's own SET commands: they shape its session and mean nothing to the server.
bool isClientSetting(const QStringList& words) {
    static const QStringList settings = {
        QStringLiteral("SQL"),         QStringLiteral("NAMES"),    QStringLiteral("ECHO"),
        QStringLiteral("LIST"),        QStringLiteral("BAIL"),     QStringLiteral("HEADING"),
        QStringLiteral("WARNINGS"),    QStringLiteral("STATS"),    QStringLiteral("COUNT"),
        QStringLiteral("PLAN"),        QStringLiteral("PLANONLY"), QStringLiteral("BLOB"),
        QStringLiteral("BLOBDISPLAY"), QStringLiteral("TIME"),     QStringLiteral("WIDTH"),
        QStringLiteral("ROWCOUNT")};
    return words[0] == QLatin1String("SET") && settings.contains(words[1]);
}

} // namespace

QStringList Script::split(const QString& text) {
    static const QRegularExpression setTerm(QStringLiteral("^SET\\s+TERM\\s+(\\S+)\\s*$"),
                                            QRegularExpression::CaseInsensitiveOption);
    QStringList statements;
    QString terminator = QStringLiteral(";");
    QString current;

    auto finish = [&] {
        const QString statement = withoutLeadingComments(current);
        current.clear();
        if (statement.isEmpty())
            return;
        const QRegularExpressionMatch match = setTerm.match(statement);
        if (match.hasMatch())
            terminator = match.captured(1);
        else
            statements.append(statement);
    };

    const qsizetype n = text.size();
    qsizetype i = 0;
    while (i < n) {
        if (const qsizetype skip = skippable(text, i)) {
            current += QStringView(text).mid(i, skip);
            i += skip;
        } else if (QStringView(text).mid(i).startsWith(terminator, Qt::CaseInsensitive)) {
            finish();
            i += terminator.size();
        } else {
            current += text[i];
            ++i;
        }
    }
    finish();
    return statements;
}

void Script::run() {
    bool autoDdl = m_autoDdl;
    for (const QString& statement : split(m_text)) {
        const QStringList words = leadingWords(statement, 3);
        if (words[0] == QLatin1String("COMMIT")) {
            m_transaction->commitRetaining();
            continue;
        }
        if (words[0] == QLatin1String("ROLLBACK") &&
            (words[1].isEmpty() || words[1] == QLatin1String("WORK"))) {
            m_transaction->rollbackRetaining();
            continue;
        }
        if (words[0] == QLatin1String("SET") &&
            (words[1] == QLatin1String("AUTODDL") || words[1] == QLatin1String("AUTO"))) {
            autoDdl = words[2] != QLatin1String("OFF");
            continue;
        }
        if (isClientSetting(words) || words[0] == QLatin1String("CONNECT") ||
            (words[0] == QLatin1String("CREATE") &&
             (words[1] == QLatin1String("DATABASE") || words[1] == QLatin1String("SCHEMA"))))
            continue;

        executeImmediate(*m_transaction, statement);
        // Each DDL statement is committed on its own, so the next statement sees the new metadata.
        if (autoDdl && isDdl(words))
            m_transaction->commitRetaining();
    }
    m_transaction->commitRetaining();
}

} // namespace db
