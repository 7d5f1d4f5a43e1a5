#include "db/Script.h"

#include "db/SqlText.h"
#include "db/Statement.h"
#include "db/Transaction.h"

#include <QRegularExpression>

namespace db {

namespace {

QString withoutLeadingComments(const QString& text) {
    qsizetype i = 0;
    const qsizetype n = text.size();
    while (i < n) {
        if (text[i].isSpace()) {
            ++i;
            continue;
        }
        const SqlSpanAt span = sqlSpanAt(text, i);
        if (!span.isComment())
            break;
        i += span.length;
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
        if (const SqlSpanAt span = sqlSpanAt(text, i); span.length > 0) {
            current += QStringView(text).mid(i, span.length);
            i += span.length;
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
