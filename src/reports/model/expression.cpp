#include "reports/model/expression.h"

namespace trevo::reports {
namespace {

bool isNameStart(QChar c)
{
    return c.isLetter() || c == u'_';
}

bool isNameChar(QChar c)
{
    return c.isLetterOrNumber() || c == u'_';
}

// Reads one expression over the text, term by term.
class Parser {
public:
    explicit Parser(const QString& text) : s_(text) {}

    std::optional<Expression> run(QString* error)
    {
        Expression e;
        skipBlanks();
        if (atEnd()) return fail(error, QStringLiteral("leerer Ausdruck"));
        while (true) {
            std::optional<Term> t = term();
            if (!t) return fail(error, error_);
            if (e.terms.size() >= static_cast<size_t>(maxExpressionTerms))
                return fail(error, QStringLiteral("zu viele Teile im Ausdruck"));
            e.terms.push_back(std::move(*t));
            skipBlanks();
            if (atEnd()) return e;
            if (s_[pos_] != u'+') return fail(error, QStringLiteral("'+' erwartet bei Zeichen %1").arg(pos_ + 1));
            ++pos_;
            skipBlanks();
        }
    }

private:
    bool atEnd() const { return pos_ >= s_.size(); }
    void skipBlanks()
    {
        while (!atEnd() && s_[pos_].isSpace()) ++pos_;
    }
    std::optional<Expression> fail(QString* error, const QString& why)
    {
        if (error) *error = why;
        return std::nullopt;
    }
    std::optional<Term> problem(const QString& why)
    {
        error_ = why;
        return std::nullopt;
    }

    std::optional<Term> term()
    {
        if (atEnd()) return problem(QStringLiteral("Ausdruck endet nach '+'"));
        const QChar c = s_[pos_];
        if (c == u'"' || c == u'\'') return literal(c);
        if (isNameStart(c)) return named();
        return problem(QStringLiteral("unerwartetes Zeichen '%1' bei Zeichen %2").arg(c).arg(pos_ + 1));
    }

    std::optional<Term> literal(QChar quote)
    {
        const qsizetype start = pos_++;
        QString text;
        while (!atEnd()) {
            if (s_[pos_] == quote) {
                if (pos_ + 1 < s_.size() && s_[pos_ + 1] == quote) {
                    text += quote;
                    pos_ += 2;
                    continue;
                }
                ++pos_;
                return Term{Term::Kind::Text, text, {}, {}};
            }
            text += s_[pos_++];
        }
        return problem(QStringLiteral("Text ab Zeichen %1 ist nicht geschlossen").arg(start + 1));
    }

    QString name()
    {
        const qsizetype start = pos_;
        while (!atEnd() && isNameChar(s_[pos_])) ++pos_;
        return s_.mid(start, pos_ - start);
    }

    // SOURCE.FIELD without blanks around the point.
    std::optional<Term> fieldRef(Term::Kind kind, const QString& source)
    {
        if (atEnd() || s_[pos_] != u'.') return problem(QStringLiteral("'.' nach '%1' erwartet").arg(source));
        ++pos_;
        if (atEnd() || !isNameStart(s_[pos_])) return problem(QStringLiteral("Feldname nach '%1.' erwartet").arg(source));
        return Term{kind, {}, source, name()};
    }

    std::optional<Term> named()
    {
        const QString first = name();
        const QString upper = first.toUpper();
        if (!atEnd() && s_[pos_] == u'.') return fieldRef(Term::Kind::Field, first);
        if (upper == u"PAGE") return Term{Term::Kind::Page, {}, {}, {}};
        if (upper == u"PAGECOUNT") return Term{Term::Kind::PageCount, {}, {}, {}};
        if (upper == u"PRINTDATE") return Term{Term::Kind::PrintDate, {}, {}, {}};
        if (upper == u"SUM" || upper == u"COUNT") return aggregate(upper == u"SUM");
        return problem(QStringLiteral("unbekannter Name '%1'").arg(first));
    }

    std::optional<Term> aggregate(bool sum)
    {
        skipBlanks();
        if (atEnd() || s_[pos_] != u'(') return problem(QStringLiteral("'(' nach %1 erwartet").arg(sum ? "SUM" : "COUNT"));
        ++pos_;
        skipBlanks();
        if (atEnd() || !isNameStart(s_[pos_])) return problem(QStringLiteral("Datenquelle erwartet"));
        const QString source = name();
        std::optional<Term> t;
        if (sum) t = fieldRef(Term::Kind::Sum, source);
        else t = Term{Term::Kind::Count, {}, source, {}};
        if (!t) return t;
        skipBlanks();
        if (atEnd() || s_[pos_] != u')') return problem(QStringLiteral("')' erwartet bei Zeichen %1").arg(pos_ + 1));
        ++pos_;
        return t;
    }

    const QString& s_;
    qsizetype pos_ = 0;
    QString error_;
};

} // namespace

std::optional<Expression> parseExpression(const QString& text, QString* error)
{
    if (text.size() > maxExpressionLength) {
        if (error) *error = QStringLiteral("Ausdruck ist zu lang");
        return std::nullopt;
    }
    return Parser(text).run(error);
}

QStringList sourcesOf(const Expression& e)
{
    QStringList out;
    for (const Term& t : e.terms)
        if (!t.source.isEmpty() && !out.contains(t.source, Qt::CaseInsensitive)) out << t.source;
    return out;
}

} // namespace trevo::reports
