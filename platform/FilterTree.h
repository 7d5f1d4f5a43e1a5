#pragma once

#include "platform/FilterExpression.h"

#include <QRegularExpression>
#include <QStringList>

#include <optional>
#include <vector>

// The tree a filter expression is read into: the parser builds it, the evaluator tests rows
// against it.
namespace platform {

struct FilterExpression::Node {
    virtual ~Node() = default;
    virtual bool test(const FieldLookup& lookup) const = 0;
    virtual void collectFields(QStringList& names) const = 0;
};

namespace filter {

using Lookup = FilterExpression::FieldLookup;
using Condition = FilterExpression::Node;

[[noreturn]] void fail(const QString& text);

struct Operand {
    virtual ~Operand() = default;
    virtual QVariant value(const Lookup& lookup) const = 0;
    virtual void collectFields(QStringList&) const {}
    // The literal text of a constant operand (LIKE patterns are compiled once).
    virtual std::optional<QString> constantText() const { return std::nullopt; }
};

struct FieldOperand final : Operand {
    explicit FieldOperand(QString n) : name(std::move(n)) {}
    QVariant value(const Lookup& lookup) const override;
    void collectFields(QStringList& names) const override;
    QString name;
};

struct ConstantOperand final : Operand {
    explicit ConstantOperand(QVariant v) : constant(std::move(v)) {}
    QVariant value(const Lookup&) const override;
    std::optional<QString> constantText() const override;
    QVariant constant;
};

struct CaseOperand final : Operand {
    CaseOperand(std::unique_ptr<Operand> a, bool u) : argument(std::move(a)), upper(u) {}
    QVariant value(const Lookup& lookup) const override;
    void collectFields(QStringList& names) const override;
    std::optional<QString> constantText() const override;
    std::unique_ptr<Operand> argument;
    bool upper;
};

enum class Comparison { Equal, NotEqual, Less, LessOrEqual, Greater, GreaterOrEqual };

struct Compare final : Condition {
    Compare(std::unique_ptr<Operand> l, Comparison o, std::unique_ptr<Operand> r)
        : left(std::move(l)), op(o), right(std::move(r)) {}
    bool test(const Lookup& lookup) const override;
    void collectFields(QStringList& names) const override;
    std::unique_ptr<Operand> left;
    Comparison op;
    std::unique_ptr<Operand> right;
};

QRegularExpression likePattern(const QString& pattern);

struct Like final : Condition {
    Like(std::unique_ptr<Operand> v, std::unique_ptr<Operand> p, bool n)
        : value(std::move(v)), pattern(std::move(p)), negated(n) {
        if (const auto text = pattern->constantText())
            compiled = likePattern(*text);
    }
    bool test(const Lookup& lookup) const override;
    void collectFields(QStringList& names) const override;
    std::unique_ptr<Operand> value;
    std::unique_ptr<Operand> pattern;
    bool negated;
    std::optional<QRegularExpression> compiled;
};

struct In final : Condition {
    bool test(const Lookup& lookup) const override;
    void collectFields(QStringList& names) const override;
    std::unique_ptr<Operand> value;
    std::vector<std::unique_ptr<Operand>> items;
    bool negated = false;
};

struct IsNull final : Condition {
    IsNull(std::unique_ptr<Operand> v, bool n) : value(std::move(v)), negated(n) {}
    bool test(const Lookup& lookup) const override;
    void collectFields(QStringList& names) const override;
    std::unique_ptr<Operand> value;
    bool negated;
};

struct Not final : Condition {
    explicit Not(std::unique_ptr<Condition> o) : operand(std::move(o)) {}
    bool test(const Lookup& lookup) const override;
    void collectFields(QStringList& names) const override;
    std::unique_ptr<Condition> operand;
};

struct Junction final : Condition {
    Junction(std::unique_ptr<Condition> l, std::unique_ptr<Condition> r, bool a)
        : left(std::move(l)), right(std::move(r)), isAnd(a) {}
    bool test(const Lookup& lookup) const override;
    void collectFields(QStringList& names) const override;
    std::unique_ptr<Condition> left;
    std::unique_ptr<Condition> right;
    bool isAnd;
};

} // namespace filter
} // namespace platform
