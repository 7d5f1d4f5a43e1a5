#include "platform/FilterTree.h"

#include <stdexcept>

namespace platform {

namespace {

using namespace filter;

struct Token {
    enum Kind { End, Name, Text, Number, Symbol } kind = End;
    QString text; // name, unquoted text, number or symbol as written
    qsizetype position = 0;
};

class Parser {
public:
    explicit Parser(const QString& source) : m_source(source) { tokenize(); }

    std::unique_ptr<Condition> parseAll() {
        auto condition = parseOr();
        if (current().kind != Token::End)
            error(QStringLiteral("unexpected '%1'").arg(current().text));
        return condition;
    }

private:
    [[noreturn]] void error(const QString& what, qsizetype position = -1) const {
        if (position < 0)
            position = current().position;
        fail(QStringLiteral("Invalid filter expression \"%1\": %2 at position %3")
                 .arg(m_source, what)
                 .arg(position + 1));
    }

    void tokenize() {
        const QString& s = m_source;
        qsizetype i = 0;
        while (true) {
            while (i < s.size() && s[i].isSpace())
                ++i;
            Token token;
            token.position = i;
            if (i >= s.size()) {
                m_tokens.push_back(token);
                return;
            }
            const QChar c = s[i];
            if (c == QLatin1Char('\'')) {
                token.kind = Token::Text;
                ++i;
                while (true) {
                    if (i >= s.size())
                        error(QStringLiteral("unterminated text"), token.position);
                    if (s[i] == QLatin1Char('\'')) {
                        if (i + 1 < s.size() && s[i + 1] == QLatin1Char('\'')) {
                            token.text += QLatin1Char('\'');
                            i += 2;
                            continue;
                        }
                        ++i;
                        break;
                    }
                    token.text += s[i++];
                }
            } else if (c.isDigit() || (c == QLatin1Char('.') && i + 1 < s.size() && s[i + 1].isDigit())) {
                token.kind = Token::Number;
                while (i < s.size() && (s[i].isDigit() || s[i] == QLatin1Char('.')))
                    token.text += s[i++];
            } else if (c.isLetter() || c == QLatin1Char('_')) {
                token.kind = Token::Name;
                while (i < s.size() &&
                       (s[i].isLetterOrNumber() || s[i] == QLatin1Char('_') || s[i] == QLatin1Char('.')))
                    token.text += s[i++];
            } else if (c == QLatin1Char('[')) {
                token.kind = Token::Name;
                const qsizetype close = s.indexOf(QLatin1Char(']'), i + 1);
                if (close < 0)
                    error(QStringLiteral("unterminated field name"), i);
                token.text = s.mid(i + 1, close - i - 1).trimmed();
                i = close + 1;
            } else {
                token.kind = Token::Symbol;
                static const QStringList twoCharacter = {QStringLiteral("<>"), QStringLiteral("<="),
                                                         QStringLiteral(">="), QStringLiteral("!=")};
                const QString pair = s.mid(i, 2);
                if (twoCharacter.contains(pair)) {
                    token.text = pair;
                    i += 2;
                } else if (QStringLiteral("=<>(),-+").contains(c)) {
                    token.text = c;
                    ++i;
                } else {
                    error(QStringLiteral("unexpected character '%1'").arg(c), i);
                }
            }
            m_tokens.push_back(token);
        }
    }

    const Token& current() const { return m_tokens[m_next]; }
    bool isKeyword(const char* word) const {
        return current().kind == Token::Name &&
               current().text.compare(QLatin1String(word), Qt::CaseInsensitive) == 0;
    }
    bool isSymbol(const char* symbol) const {
        return current().kind == Token::Symbol && current().text == QLatin1String(symbol);
    }
    bool acceptKeyword(const char* word) {
        if (!isKeyword(word))
            return false;
        ++m_next;
        return true;
    }
    bool acceptSymbol(const char* symbol) {
        if (!isSymbol(symbol))
            return false;
        ++m_next;
        return true;
    }
    void expectSymbol(const char* symbol) {
        if (!acceptSymbol(symbol))
            error(QStringLiteral("expected '%1'").arg(QLatin1String(symbol)));
    }
    void expectKeyword(const char* word) {
        if (!acceptKeyword(word))
            error(QStringLiteral("expected \"%1\"").arg(QLatin1String(word)));
    }

    std::unique_ptr<Condition> parseOr() {
        auto left = parseAnd();
        while (acceptKeyword("or"))
            left = std::make_unique<Junction>(std::move(left), parseAnd(), false);
        return left;
    }

    std::unique_ptr<Condition> parseAnd() {
        auto left = parseNot();
        while (acceptKeyword("and"))
            left = std::make_unique<Junction>(std::move(left), parseNot(), true);
        return left;
    }

    std::unique_ptr<Condition> parseNot() {
        if (acceptKeyword("not"))
            return std::make_unique<Not>(parseNot());
        return parsePrimary();
    }

    // A parenthesis opens either a nested condition or, as in "(VALOR) > 1", a value; try the
    // condition first and fall back to a comparison from the same place.
    std::unique_ptr<Condition> parsePrimary() {
        if (isSymbol("(")) {
            const std::size_t start = m_next;
            ++m_next;
            try {
                auto inner = parseOr();
                expectSymbol(")");
                return inner;
            } catch (const std::invalid_argument& asCondition) {
                m_next = start;
                try {
                    return parseComparison();
                } catch (const std::invalid_argument&) {
                    throw asCondition; // the more telling of the two readings
                }
            }
        }
        return parseComparison();
    }

    std::unique_ptr<Condition> parseComparison() {
        auto left = parseOperand();
        if (acceptKeyword("is")) {
            const bool negated = acceptKeyword("not");
            expectKeyword("null");
            return std::make_unique<IsNull>(std::move(left), negated);
        }
        const bool negated = acceptKeyword("not");
        if (acceptKeyword("like"))
            return std::make_unique<Like>(std::move(left), parseOperand(), negated);
        if (acceptKeyword("in")) {
            auto in = std::make_unique<In>();
            in->value = std::move(left);
            in->negated = negated;
            expectSymbol("(");
            do
                in->items.push_back(parseOperand());
            while (acceptSymbol(","));
            expectSymbol(")");
            return in;
        }
        if (negated)
            error(QStringLiteral("expected \"like\" or \"in\""));

        static const std::pair<const char*, Comparison> operators[] = {
            {"=", Comparison::Equal},          {"<>", Comparison::NotEqual},    {"!=", Comparison::NotEqual},
            {"<", Comparison::Less},           {"<=", Comparison::LessOrEqual}, {">", Comparison::Greater},
            {">=", Comparison::GreaterOrEqual}};
        for (const auto& [symbol, op] : operators)
            if (acceptSymbol(symbol))
                return std::make_unique<Compare>(std::move(left), op, parseOperand());
        error(current().kind == Token::End
                  ? QStringLiteral("expected a comparison operator at the end")
                  : QStringLiteral("expected a comparison operator before '%1'").arg(current().text));
    }

    std::unique_ptr<Operand> parseOperand() {
        const Token token = current();
        if (acceptSymbol("(")) {
            auto inner = parseOperand();
            expectSymbol(")");
            return inner;
        }
        if (acceptSymbol("-") || acceptSymbol("+")) {
            if (current().kind != Token::Number)
                error(QStringLiteral("expected a number after '%1'").arg(token.text));
            return numberOperand(current().text, token.text == QLatin1String("-"));
        }
        switch (token.kind) {
        case Token::Text:
            ++m_next;
            return std::make_unique<ConstantOperand>(QVariant(token.text));
        case Token::Number:
            return numberOperand(token.text, false);
        case Token::Name: {
            ++m_next;
            for (const char* reserved : {"and", "or", "not", "is", "null", "like", "in"})
                if (token.text.compare(QLatin1String(reserved), Qt::CaseInsensitive) == 0)
                    error(QStringLiteral("unexpected \"%1\"").arg(token.text), token.position);
            const bool upper = token.text.compare(QLatin1String("upper"), Qt::CaseInsensitive) == 0;
            const bool lower = token.text.compare(QLatin1String("lower"), Qt::CaseInsensitive) == 0;
            if ((upper || lower) && acceptSymbol("(")) {
                auto argument = parseOperand();
                expectSymbol(")");
                return std::make_unique<CaseOperand>(std::move(argument), upper);
            }
            return std::make_unique<FieldOperand>(token.text);
        }
        case Token::End:
            error(QStringLiteral("expected a value at the end"));
        case Token::Symbol:
            break;
        }
        error(QStringLiteral("expected a value before '%1'").arg(token.text));
    }

    std::unique_ptr<Operand> numberOperand(const QString& text, bool negative) {
        ++m_next;
        bool ok = false;
        QVariant value;
        if (!text.contains(QLatin1Char('.'))) {
            const qlonglong n = text.toLongLong(&ok);
            value = negative ? -n : n;
        } else {
            const double d = text.toDouble(&ok);
            value = negative ? -d : d;
        }
        if (!ok)
            error(QStringLiteral("invalid number '%1'").arg(text), m_tokens[m_next - 1].position);
        return std::make_unique<ConstantOperand>(value);
    }

    QString m_source;
    std::vector<Token> m_tokens;
    std::size_t m_next = 0;
};

} // namespace

FilterExpression FilterExpression::parse(const QString& text) {
    if (text.trimmed().isEmpty())
        fail(QStringLiteral("Invalid filter expression: it is empty"));
    return FilterExpression(Parser(text).parseAll());
}

} // namespace platform
