#include "db/Value.h"
#include "platform/FilterTree.h"
#include "platform/Regional.h"

#include <QDateTime>
#include <QTime>

#include <stdexcept>

namespace platform {
namespace filter {

void fail(const QString& text) {
    throw std::invalid_argument(text.toStdString());
}

namespace {

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

bool isIntegral(const QVariant& v) {
    return v.typeId() != QMetaType::Double && v.typeId() != QMetaType::Float;
}

template <typename T> int threeWay(const T& a, const T& b) {
    return a < b ? -1 : (b < a ? 1 : 0);
}

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
    } else if (ca == Category::Boolean && cb == Category::Number) {
        return threeWay(a.toBool(), b.toDouble() != 0);
    } else if (ca == Category::Text || (ca == Category::Number && cb == Category::Boolean)) {
        // The pairs above in the other order.
        return -compareValues(b, a);
    }
    fail(QStringLiteral("Cannot compare %1 with %2")
             .arg(QString::fromLatin1(a.typeName()), QString::fromLatin1(b.typeName())));
}

} // namespace

QVariant FieldOperand::value(const Lookup& lookup) const {
    return lookup(name);
}

void FieldOperand::collectFields(QStringList& names) const {
    if (!names.contains(name, Qt::CaseInsensitive))
        names << name;
}

QVariant ConstantOperand::value(const Lookup&) const {
    return constant;
}

std::optional<QString> ConstantOperand::constantText() const {
    if (constant.typeId() == QMetaType::QString)
        return constant.toString();
    return std::nullopt;
}

QVariant CaseOperand::value(const Lookup& lookup) const {
    const QVariant v = argument->value(lookup);
    if (db::isNull(v))
        return {};
    return upper ? v.toString().toUpper() : v.toString().toLower();
}

void CaseOperand::collectFields(QStringList& names) const {
    argument->collectFields(names);
}

std::optional<QString> CaseOperand::constantText() const {
    const auto text = argument->constantText();
    if (!text)
        return std::nullopt;
    return upper ? text->toUpper() : text->toLower();
}

bool Compare::test(const Lookup& lookup) const {
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

void Compare::collectFields(QStringList& names) const {
    left->collectFields(names);
    right->collectFields(names);
}

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
    return QRegularExpression(QRegularExpression::anchoredPattern(rx),
                              QRegularExpression::DotMatchesEverythingOption);
}

bool Like::test(const Lookup& lookup) const {
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

void Like::collectFields(QStringList& names) const {
    value->collectFields(names);
    pattern->collectFields(names);
}

bool In::test(const Lookup& lookup) const {
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

void In::collectFields(QStringList& names) const {
    value->collectFields(names);
    for (const auto& item : items)
        item->collectFields(names);
}

bool IsNull::test(const Lookup& lookup) const {
    return db::isNull(value->value(lookup)) != negated;
}

void IsNull::collectFields(QStringList& names) const {
    value->collectFields(names);
}

bool Not::test(const Lookup& lookup) const {
    return !operand->test(lookup);
}

void Not::collectFields(QStringList& names) const {
    operand->collectFields(names);
}

bool Junction::test(const Lookup& lookup) const {
    return isAnd ? (left->test(lookup) && right->test(lookup)) : (left->test(lookup) || right->test(lookup));
}

void Junction::collectFields(QStringList& names) const {
    left->collectFields(names);
    right->collectFields(names);
}

} // namespace filter

bool FilterExpression::matches(const FieldLookup& lookup) const {
    return m_root->test(lookup);
}

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
