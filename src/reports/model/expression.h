#pragma once
// The expressions of expression elements: terms joined by '+', which joins their texts.
//
//   "Ergebnisse vom " + DATUM.WERT          a text and the field WERT of source DATUM
//   "Seite " + PAGE + " von " + PAGECOUNT   page number and number of pages
//   PRINTDATE                               the day the report is made
//   SUM(AUSWERTUNG.SUMME)                   sum of a field over the detail rows
//   COUNT(AUSWERTUNG)                       number of detail rows
//
// Texts stand in double or single quotes; a doubled quote inside stands for itself.
// Names and functions ignore case. SUM and COUNT over the detail source count the rows
// printed so far (in a group footer: of the group); over another source, all its rows.
#include <QString>
#include <QStringList>

#include <optional>
#include <vector>

namespace trevo::reports {

struct Term {
    enum class Kind { Text, Field, Page, PageCount, PrintDate, Sum, Count };
    Kind kind = Kind::Text;
    QString text;   // Text: the literal
    QString source; // Field, Sum, Count: the data source
    QString field;  // Field, Sum: the field
    friend bool operator==(const Term&, const Term&) = default;
};

struct Expression {
    std::vector<Term> terms;
    friend bool operator==(const Expression&, const Expression&) = default;
};

// Longest expression text and most terms a layout may hold.
inline constexpr int maxExpressionLength = 2000;
inline constexpr int maxExpressionTerms = 100;

// Parses the text; on failure returns nothing and sets the German reason.
std::optional<Expression> parseExpression(const QString& text, QString* error);

// The data sources an expression names (for the checks of a loaded layout).
QStringList sourcesOf(const Expression& e);

} // namespace trevo::reports
