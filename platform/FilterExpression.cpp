#include "platform/FilterExpression.h"

#include "db/Value.h"
#include "platform/Regional.h"

#include <QDateTime>
#include <QRegularExpression>
#include <QTime>

#include <optional>
#include <stdexcept>
#include <vector>

namespace platform {

struct FilterExpression::Node {
    virtual ~Node() = default;
    virtual bool test(const FieldLookup& lookup) const = 0;
    virtual void collectFields(QStringList& names) const = 0;
};

namespace {

using Lookup = FilterExpression::FieldLookup;

[[noreturn]] void fail(const QString& text) { throw std::invalid_argument(text.toStdString()); }

// ---- values -------------------------------------------------------------------------------

enum class Category { Null, Number, Text, DateTime, Time, Boolean, Other };

Category categoryOf(const QVariant& v) {
    if (db::isNull(v))
        return Category::Null;
    switch (v.typeId()) {
    case QMetaType::Int:
    case QMetaType::UInt:
    case QMetaType::Short:
    case QMetaType::UShort:
    case QMetaType::LongLong:
    case QMetaType::ULongLong:
    case QMetaType::Double:
    case QMetaType::Float:
        return Category::Number;
    case QMetaType::QString:
    case QMetaType::QChar:
    case QMetaType::QByteArray:
        return Category::Text;
    case QMetaType::QDateTime:
    case QMetaType::QDate:
        return Category::DateTime;
    case QMetaType::QTime:
        return Category::Time;
    case QMetaType::Bool:
        return Category::Boolean;
    default:
        return Category::Other;
    }
}

bool isIntegral(const QVariant& v) { return v.typeId() != QMetaType::Double && v.typeId() != QMetaType::Float; }

template <typename T> int threeWay(const T& a, const T& b) { return a < b ? -1 : (b < a ? 1 : 0); }

int compareNumbers(const QVariant& a, const QVariant& b) {
    if (isIntegral(a) && isIntegral(b))
        return threeWay(a.toLongLong(), b.toLongLong());
    return threeWay(a.toDouble(), b.toDouble());
}

QVariant textAsNumber(const QString& text) {
    QString t = text.trimmed();
    bool ok = false;
    const qlonglong integer = t.toLongLong(&ok);
    if (ok)
        return integer;
    t.replace(QLatin1Char(','), QLatin1Char('.'));
    const double real = t.toDouble(&ok);
    if (ok)
        return real;
    fail(QStringLiteral("'%1' is not a valid number").arg(text));
}

QDateTime asDateTime(const QVariant& v) {
    if (v.typeId() == QMetaType::QDate)
        return QDateTime(v.toDate(), QTime(0, 0));
    return v.toDateTime();
}

QDateTime textAsDateTime(const QString& text) {
    if (const auto parsed = regional::parseDateTime(text.trimmed()))
        return *parsed;
    fail(QStringLiteral("'%1' is not a valid date").arg(text));
}

QTime textAsTime(const QString& text) {
    const QString t = text.trimmed();
    for (const char* format : {"H:m:s", "H:m"}) {
        const QTime time = QTime::fromString(t, QLatin1String(format));
        if (time.isValid())
            return time;
    }
    fail(QStringLiteral("'%1' is not a valid time").arg(text));
}

bool textAsBoolean(const QString& text) {
    const QString t = text.trimmed();
    if (t.compare(QLatin1String("true"), Qt::CaseInsensitive) == 0)
        return true;
    if (t.compare(QLatin1String("false"), Qt::CaseInsensitive) == 0)
        return false;
    fail(QStringLiteral("'%1' is not a valid boolean").arg(text));
}

// Orders two non-null values the way the table's fields compare: numbers numerically, texts
// exactly (case-sensitive), a date or time against a text written in the regional short form.
int compareValues(const QVariant& a, const QVariant& b) {
    const Category ca = categoryOf(a);
    const Category cb = categoryOf(b);
    if (ca == cb) {
        switch (ca) {
        case Category::Number:
            return compareNumbers(a, b);
        case Category::Text:
            return threeWay(a.toString().compare(b.toString(), Qt::CaseSensitive), 0);
        case Category::DateTime:
            return threeWay(asDateTime(a), asDateTime(b));
        case Category::Time:
            return threeWay(a.toTime(), b.toTime());
        case Category::Boolean:
            return threeWay(a.toBool(), b.toBool());
        default:
            break;
        }
    } else if (cb == Category::Text) {
        switch (ca) {
        case Category::Number:
            return compareNumbers(a, textAsNumber(b.toString()));
        case Category::DateTime:
            return threeWay(asDateTime(a), textAsDateTime(b.toString()));
        case Category::Time:
            return threeWay(a.toTime(), textAsTime(b.toString()));
        case Category::Boolean:
            return threeWay(a.toBool(), textAsBoolean(b.toString()));
        default:
            break;
        }
    } else if (ca == Category::Text) {
        return -compareValues(b, a);
    } else if (ca == Category::Boolean && cb == Category::Number) {
        return threeWay(a.toBool(), b.toDouble() != 0);
    } else if (ca == Category::Number && cb == Category::Boolean) {
        return -compareValues(b, a);
    }
    fail(QStringLiteral("Cannot compare %1 with %2").arg(QString::fromLatin1(a.typeName()), QString::fromLatin1(b.typeName())));
}

// ---- operands -----------------------------------------------------------------------------

struct Operand {
    virtual ~Operand() = default;
    virtual QVariant value(const Lookup& lookup) const = 0;
    virtual void collectFields(QStringList&) const {}
    // The literal text of a constant operand (LIKE patterns are compiled once).
    virtual std::optional<QString> constantText() const { return std::nullopt; }
};

struct FieldOperand final : Operand {
    explicit FieldOperand(QString n) : name(std::move(n)) {}
    QVariant value(const Lookup& lookup) const override { return lookup(name); }
    void collectFields(QStringList& names) const override {
        if (!names.contains(name, Qt::CaseInsensitive))
            names << name;
    }
    QString name;
};

struct ConstantOperand final : Operand {
    explicit ConstantOperand(QVariant v) : constant(std::move(v)) {}
    QVariant value(const Lookup&) const override { return constant; }
    std::optional<QString> constantText() const override {
        if (constant.typeId() == QMetaType::QString)
            return constant.toString();
        return std::nullopt;
    }
    QVariant constant;
};

struct CaseOperand final : Operand {
    CaseOperand(std::unique_ptr<Operand> a, bool u) : argument(std::move(a)), upper(u) {}
    QVariant value(const Lookup& lookup) const override {
        const QVariant v = argument->value(lookup);
        if (db::isNull(v))
            return {};
        return upper ? v.toString().toUpper() : v.toString().toLower();
    }
    void collectFields(QStringList& names) const override { argument->collectFields(names); }
    std::optional<QString> constantText() const override {
        const auto text = argument->constantText();
        if (!text)
            return std::nullopt;
        return upper ? text->toUpper() : text->toLower();
    }
    std::unique_ptr<Operand> argument;
    bool upper;
};

// ---- conditions ---------------------------------------------------------------------------

using Condition = FilterExpression::Node;

enum class Comparison { Equal, NotEqual, Less, LessOrEqual, Greater, GreaterOrEqual };

struct Compare final : Condition {
    Compare(std::unique_ptr<Operand> l, Comparison o, std::unique_ptr<Operand> r)
        : left(std::move(l)), op(o), right(std::move(r)) {}
    bool test(const Lookup& lookup) const override {
        const QVariant a = left->value(lookup);
        const QVariant b = right->value(lookup);
        // As in SQL, a null is neither equal nor unequal to anything.
        if (db::isNull(a) || db::isNull(b))
            return false;
        const int c = compareValues(a, b);
        switch (op) {
        case Comparison::Equal:
            return c == 0;
        case Comparison::NotEqual:
            return c != 0;
        case Comparison::Less:
            return c < 0;
        case Comparison::LessOrEqual:
            return c <= 0;
        case Comparison::Greater:
            return c > 0;
        case Comparison::GreaterOrEqual:
            return c >= 0;
        }
        return false;
    }
    void collectFields(QStringList& names) const override {
        left->collectFields(names);
        right->collectFields(names);
    }
    std::unique_ptr<Operand> left;
    Comparison op;
    std::unique_ptr<Operand> right;
};

QRegularExpression likePattern(const QString& pattern) {
    QString rx;
    for (const QChar c : pattern) {
        if (c == QLatin1Char('%'))
            rx += QLatin1String(".*");
        else if (c == QLatin1Char('_'))
            rx += QLatin1Char('.');
        else
            rx += QRegularExpression::escape(QString(c));
    }
    return QRegularExpression(QRegularExpression::anchoredPattern(rx), QRegularExpression::DotMatchesEverythingOption);
}

struct Like final : Condition {
    Like(std::unique_ptr<Operand> v, std::unique_ptr<Operand> p, bool n)
        : value(std::move(v)), pattern(std::move(p)), negated(n) {
        if (const auto text = pattern->constantText())
            compiled = likePattern(*text);
    }
    bool test(const Lookup& lookup) const override {
        const QVariant v = value->value(lookup);
        if (db::isNull(v))
            return false;
        QRegularExpression rx;
        if (compiled) {
            rx = *compiled;
        } else {
            const QVariant p = pattern->value(lookup);
            if (db::isNull(p))
                return false;
            rx = likePattern(p.toString());
        }
        return rx.match(v.toString()).hasMatch() != negated;
    }
    void collectFields(QStringList& names) const override {
        value->collectFields(names);
        pattern->collectFields(names);
    }
    std::unique_ptr<Operand> value;
    std::unique_ptr<Operand> pattern;
    bool negated;
    std::optional<QRegularExpression> compiled;
};

struct In final : Condition {
    bool test(const Lookup& lookup) const override {
        const QVariant v = value->value(lookup);
        if (db::isNull(v))
            return false;
        for (const auto& item : items) {
            const QVariant candidate = item->value(lookup);
            if (!db::isNull(candidate) && compareValues(v, candidate) == 0)
                return !negated;
        }
        return negated;
    }
    void collectFields(QStringList& names) const override {
        value->collectFields(names);
        for (const auto& item : items)
            item->collectFields(names);
    }
    std::unique_ptr<Operand> value;
    std::vector<std::unique_ptr<Operand>> items;
    bool negated = false;
};

struct IsNull final : Condition {
    IsNull(std::unique_ptr<Operand> v, bool n) : value(std::move(v)), negated(n) {}
    bool test(const Lookup& lookup) const override { return db::isNull(value->value(lookup)) != negated; }
    void collectFields(QStringList& names) const override { value->collectFields(names); }
    std::unique_ptr<Operand> value;
    bool negated;
};

struct Not final : Condition {
    explicit Not(std::unique_ptr<Condition> o) : operand(std::move(o)) {}
    bool test(const Lookup& lookup) const override { return !operand->test(lookup); }
    void collectFields(QStringList& names) const override { operand->collectFields(names); }
    std::unique_ptr<Condition> operand;
};

struct Junction final : Condition {
    Junction(std::unique_ptr<Condition> l, std::unique_ptr<Condition> r, bool a)
        : left(std::move(l)), right(std::move(r)), isAnd(a) {}
    bool test(const Lookup& lookup) const override {
        return isAnd ? (left->test(lookup) && right->test(lookup)) : (left->test(lookup) || right->test(lookup));
    }
    void collectFields(QStringList& names) const override {
        left->collectFields(names);
        right->collectFields(names);
    }
    std::unique_ptr<Condition> left;
    std::unique_ptr<Condition> right;
    bool isAnd;
};

// ---- parsing ------------------------------------------------------------------------------

struct Token {
    enum Kind { End, Name, Text, Number, Symbol } kind = End;
    QString text;  // name, unquoted text, number or symbol as written
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
        fail(QStringLiteral("Invalid filter expression \"%1\": %2 at position %3").arg(m_source, what).arg(position + 1));
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
                while (i < s.size() && (s[i].isLetterOrNumber() || s[i] == QLatin1Char('_') || s[i] == QLatin1Char('.')))
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
        return current().kind == Token::Name && current().text.compare(QLatin1String(word), Qt::CaseInsensitive) == 0;
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
            {"=", Comparison::Equal},         {"<>", Comparison::NotEqual},         {"!=", Comparison::NotEqual},
            {"<", Comparison::Less},          {"<=", Comparison::LessOrEqual},      {">", Comparison::Greater},
            {">=", Comparison::GreaterOrEqual}};
        for (const auto& [symbol, op] : operators)
            if (acceptSymbol(symbol))
                return std::make_unique<Compare>(std::move(left), op, parseOperand());
        error(current().kind == Token::End ? QStringLiteral("expected a comparison operator at the end")
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

bool FilterExpression::matches(const FieldLookup& lookup) const { return m_root->test(lookup); }

QStringList FilterExpression::fieldNames() const {
    QStringList names;
    m_root->collectFields(names);
    return names;
}

FilterExpression::FilterExpression(std::unique_ptr<Node> root) : m_root(std::move(root)) {}
FilterExpression::FilterExpression(FilterExpression&&) noexcept = default;
FilterExpression& FilterExpression::operator=(FilterExpression&&) noexcept = default;
FilterExpression::~FilterExpression() = default;

} // namespace platform
