#include "engine/expr/error.h"
#include "engine/expr/filter.h"
#include "engine/expr/eval.h"

#include <gtest/gtest.h>

using namespace trevo::engine;
using trevo::engine::expr::Filter;
using trevo::engine::expr::SqlError;

namespace {

const std::vector<FieldDef> kFields = {
    {"NUMMER", 'N', 10, 0}, {"NAME", 'C', 50, 0},    {"ABSCHNITT", 'N', 2, 0},
    {"DATUM", 'D', 8, 0},   {"MITGLIED", 'L', 1, 0}, {"TERMINNUM", 'N', 10, 0},
};

Record rec(double nummer, const std::string& name, Value abschnitt, Value datum, Value mitglied)
{
    return {Value::number(nummer), Value::text(name), abschnitt, datum, mitglied,
            datum.isDate() ? Value::number(datum.date()) : Value::null()};
}

bool passes(const std::string& filter, const Record& r) { return Filter::compile(filter, kFields).matches(r); }

std::string errorOf(const std::string& filter)
{
    try {
        Filter::compile(filter, kFields);
    } catch (const SqlError& e) {
        return e.what();
    }
    return "";
}

const Record kMeier = rec(1, "Meier", Value::number(1), Value::date(daysFromCivil(2001, 3, 15)), Value::logical(true));
const Record kAerger = rec(2, "Ärger", Value::number(2), Value::date(daysFromCivil(1999, 12, 31)), Value::logical(false));
const Record kBlank = rec(3, "Zander", Value::null(), Value::null(), Value::null());

} // namespace

TEST(FilterTest, ComparisonsOfTheProgramsFilters)
{
    EXPECT_TRUE(passes("ABSCHNITT=1", kMeier));
    EXPECT_FALSE(passes("ABSCHNITT=1", kAerger));
    // German collation: Ä sorts as A, so Ärger is in A..K, Meier is not.
    EXPECT_TRUE(passes("(NAME>='A' AND NAME<='K')", kAerger));
    EXPECT_FALSE(passes("(NAME>='A' AND NAME<='K')", kMeier));
    const int d = daysFromCivil(2000, 1, 1);
    EXPECT_TRUE(passes("TERMINNUM<=" + std::to_string(d), kAerger));
    EXPECT_FALSE(passes("TERMINNUM<=" + std::to_string(d), kMeier));
    EXPECT_TRUE(passes("nummer >= 1 and not (abschnitt = 2)", kMeier));
    EXPECT_TRUE(passes("NUMMER=1 OR NUMMER=2", kAerger));
    EXPECT_FALSE(passes("NUMMER<>2", kAerger));
    EXPECT_TRUE(passes("", kBlank));
    EXPECT_TRUE(passes("   ", kBlank));
}

TEST(FilterTest, NullNeverPassesEitherWay)
{
    EXPECT_FALSE(passes("ABSCHNITT=1", kBlank));
    EXPECT_FALSE(passes("NOT (ABSCHNITT=1)", kBlank));
    EXPECT_FALSE(passes("ABSCHNITT<>1", kBlank));
    EXPECT_TRUE(passes("ABSCHNITT IS NULL", kBlank));
    EXPECT_TRUE(passes("ABSCHNITT IS NULL OR ABSCHNITT=1", kBlank));
    EXPECT_FALSE(passes("ABSCHNITT IS NOT NULL", kBlank));
    EXPECT_TRUE(passes("ABSCHNITT=1 OR NUMMER=3", kBlank)); // unknown OR true is true
    EXPECT_FALSE(passes("ABSCHNITT=1 AND NUMMER=3", kBlank));
    EXPECT_FALSE(passes("ABSCHNITT IN (1, 2)", kBlank));
    EXPECT_FALSE(passes("ABSCHNITT NOT IN (1, 2)", kBlank));
    EXPECT_FALSE(passes("NUMMER NOT IN (1, NULL)", kBlank)); // 3 <> 1, but 3 vs NULL is unknown
}

TEST(FilterTest, DatesAgainstDayNumbersAndShortDateTexts)
{
    const int d = daysFromCivil(2001, 3, 15);
    EXPECT_TRUE(passes("DATUM=" + std::to_string(d), kMeier));
    EXPECT_TRUE(passes("DATUM='15.03.2001'", kMeier));
    EXPECT_TRUE(passes("DATUM='15.3.01'", kMeier));
    EXPECT_TRUE(passes("DATUM>'1.1.2000'", kMeier));
    EXPECT_FALSE(passes("DATUM>'1.1.2000'", kAerger));
    EXPECT_TRUE(passes("DATUM BETWEEN '1.1.1999' AND '31.12.1999'", kAerger));
    EXPECT_TRUE(passes("DATUM > " + std::to_string(d - 1) + " AND DATUM < '16.03.2001'", kMeier));
    EXPECT_FALSE(passes("DATUM='15.03.2001'", kBlank));
    EXPECT_NE(errorOf("DATUM='31.02.2001'").find("'31.02.2001' ist kein gültiges Datum"), std::string::npos);
}

TEST(FilterTest, LogicalFieldsAgainstTrueAndFalse)
{
    EXPECT_TRUE(passes("MITGLIED=TRUE", kMeier));
    EXPECT_TRUE(passes("MITGLIED = true", kMeier));
    EXPECT_TRUE(passes("MITGLIED='TRUE'", kMeier));
    EXPECT_TRUE(passes("MITGLIED=\"false\"", kAerger));
    EXPECT_TRUE(passes("MITGLIED", kMeier));
    EXPECT_TRUE(passes("NOT MITGLIED", kAerger));
    EXPECT_FALSE(passes("NOT MITGLIED", kBlank));
}

TEST(FilterTest, TextEqualityIsExactButIgnoresTrailingBlanks)
{
    EXPECT_TRUE(passes("NAME='Meier'", kMeier));
    EXPECT_TRUE(passes("NAME='Meier   '", kMeier));
    EXPECT_FALSE(passes("NAME='meier'", kMeier));
    EXPECT_FALSE(passes("NAME=' Meier'", kMeier));
    EXPECT_TRUE(passes("UPPER(NAME)='MEIER'", kMeier));
    EXPECT_TRUE(passes("UPPER(NAME)='ÄRGER'", kAerger));
    EXPECT_TRUE(passes("NAME LIKE 'Mei%'", kMeier));
    EXPECT_TRUE(passes("NAME LIKE \"Mei%\"", kMeier)); // no column "Mei%": a text
    EXPECT_TRUE(passes("NAME LIKE 'mei%'", kMeier)); // LIKE ignores case, = does not
    EXPECT_TRUE(passes("NAME LIKE 'ärger'", kAerger));
    EXPECT_FALSE(passes("NAME LIKE 'Mai%'", kMeier));
    EXPECT_TRUE(passes("NAME LIKE '_rger'", kAerger)); // _ is one letter, umlaut included
    EXPECT_TRUE(passes("NAME NOT LIKE '%x%'", kAerger));
    EXPECT_TRUE(passes("NAME IN ('Huber', 'Meier')", kMeier));
}

TEST(FilterTest, LikePatterns)
{
    using trevo::engine::expr::likeMatch;
    EXPECT_TRUE(likeMatch("abc", "a%"));
    EXPECT_TRUE(likeMatch("abc", "%c"));
    EXPECT_TRUE(likeMatch("abc", "%b%"));
    EXPECT_TRUE(likeMatch("abc", "a_c"));
    EXPECT_FALSE(likeMatch("abc", "a_"));
    EXPECT_TRUE(likeMatch("", "%"));
    EXPECT_FALSE(likeMatch("", "_"));
    EXPECT_TRUE(likeMatch("aXbXc", "%X%X%"));
    EXPECT_FALSE(likeMatch("aXbc", "%X%X%"));
    EXPECT_TRUE(likeMatch("100%", "100!%", U'!'));
    EXPECT_FALSE(likeMatch("1000", "100!%", U'!'));
    EXPECT_TRUE(likeMatch("Müller  ", "M_ller"));
    EXPECT_FALSE(likeMatch("Müller", "M__ller")); // one character, not one byte
}

TEST(FilterTest, LikeIgnoresCaseUmlautsIncluded)
{
    using trevo::engine::expr::likeMatch;
    // The search-and-replace dialog looks for the typed text anywhere.
    for (const char* name : {"Meier", "Meise", "Hameister", "MEISSNER"}) EXPECT_TRUE(likeMatch(name, "%Mei%")) << name;
    EXPECT_FALSE(likeMatch("Maier", "%Mei%"));
    EXPECT_TRUE(likeMatch("Schneider", "sch%"));
    EXPECT_TRUE(likeMatch("Müller", "mü%"));
    EXPECT_TRUE(likeMatch("Müller", "MÜ%"));
    EXPECT_TRUE(likeMatch("MÜLLER", "%ül%"));
    EXPECT_TRUE(likeMatch("Ärger", "ä_g%"));
    EXPECT_TRUE(likeMatch("Öztürk", "%ÖZTÜRK"));
    EXPECT_TRUE(likeMatch("Élodie", "él%"));
    // An umlaut is not its base letter, and ß is neither ss nor an s.
    EXPECT_FALSE(likeMatch("Müller", "Mu%"));
    EXPECT_TRUE(likeMatch("Strauß", "%auß"));
    EXPECT_TRUE(likeMatch("STRAUẞ", "%auß")); // the capital sharp s
    EXPECT_FALSE(likeMatch("Strauss", "%auß"));
    EXPECT_FALSE(likeMatch("Strauß", "%auss"));
    EXPECT_TRUE(likeMatch("Strauß", "Strau_"));
    // Escaped wildcards stay literal; the letter after the escape ignores case too.
    EXPECT_TRUE(likeMatch("Rabatt 10% ab", "%10!%%", U'!'));
    EXPECT_FALSE(likeMatch("Rabatt 100 ab", "%10!%%", U'!'));
    EXPECT_TRUE(likeMatch("a_B", "A!_b", U'!'));
    EXPECT_FALSE(likeMatch("axb", "a!_b", U'!'));
    // Signs that are no letters stay as they are.
    EXPECT_FALSE(likeMatch("×", "÷"));
    EXPECT_FALSE(likeMatch("[", "{"));
}

TEST(FilterTest, ErrorsSayWhatAndWhere)
{
    EXPECT_EQ(errorOf("NUMMR=1"), "Unbekannte Spalte 'NUMMR' in Zeile 1");
    EXPECT_EQ(errorOf("NUMMER=1 XYZ"), "Syntaxfehler in Zeile 1 bei 'XYZ'");
    EXPECT_EQ(errorOf("NUMMER="), "Syntaxfehler in Zeile 1 am Ende des Textes");
    EXPECT_EQ(errorOf("(NUMMER=1"), "Syntaxfehler in Zeile 1 am Ende des Textes");
    EXPECT_EQ(errorOf("NAME='Mei"), "Nicht abgeschlossene Zeichenkette 'Mei in Zeile 1");
    EXPECT_EQ(errorOf("NUMMER=1 AND\nNAME ? 2"), "Syntaxfehler in Zeile 2 bei '?'");
    EXPECT_EQ(errorOf("COUNT(*)>1"), "Aggregatfunktion COUNT ist hier nicht erlaubt in Zeile 1");
    EXPECT_NE(errorOf("DATUM=TRUE").find("Typfehler"), std::string::npos);
    EXPECT_NE(errorOf("NUMMER").find("keine Bedingung"), std::string::npos);
    EXPECT_NE(errorOf("NUMMER=1 AND 5").find("keine Bedingung"), std::string::npos);
}

TEST(FilterTest, NumbersComparedWithTextsConvert)
{
    EXPECT_TRUE(passes("NUMMER='1'", kMeier));
    EXPECT_TRUE(passes("NUMMER = 1.0", kMeier));
    EXPECT_TRUE(passes("NUMMER + 1 = 2", kMeier));
    EXPECT_TRUE(passes("NUMMER * 2 - 1 = 1", kMeier));
    EXPECT_TRUE(passes("-NUMMER = -1", kMeier));
    EXPECT_FALSE(passes("NUMMER / 0 = 1", kMeier)); // division by zero is NULL
    EXPECT_FALSE(passes("NAME = 5", kMeier));       // 'Meier' is no number: unknown
}
