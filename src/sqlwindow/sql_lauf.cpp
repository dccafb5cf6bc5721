#include "sqlwindow/sql_lauf.h"

#include "engine/database.h"
#include "engine/sql/sql.h"
#include "sqlwindow/tabellenbenutzung.h"

#include <QLocale>

namespace trevo::sqlwindow {

namespace {

const QLocale& deutsch()
{
    static const QLocale locale(QLocale::German, QLocale::Germany);
    return locale;
}

QString anzahl(int64_t n, const QString& einzahl, const QString& mehrzahl)
{
    return deutsch().toString(qlonglong(n)) + QLatin1Char(' ') + (n == 1 ? einzahl : mehrzahl);
}

} // namespace

SqlLauf sqlAusfuehren(engine::Database& db, engine::Session& session, const std::string& text,
                      const std::string& arbeitsordner)
{
    SqlLauf lauf;
    const auto start = std::chrono::steady_clock::now();
    strukturaenderungPruefen(db, text, arbeitsordner);
    lauf.ergebnis = engine::sql::execute(db, session, text, arbeitsordner);
    lauf.dauer = std::chrono::steady_clock::now() - start;
    return lauf;
}

QString zeilenText(int64_t n)
{
    if (n == 0) return QStringLiteral("keine Zeilen");
    return anzahl(n, QStringLiteral("Zeile"), QStringLiteral("Zeilen"));
}

QString geaendertText(int64_t n)
{
    if (n == 0) return QStringLiteral("kein Datensatz geändert");
    return anzahl(n, QStringLiteral("Datensatz geändert"), QStringLiteral("Datensätze geändert"));
}

QString dauerText(Dauer dauer)
{
    const auto ms = std::chrono::duration_cast<std::chrono::milliseconds>(dauer).count();
    if (ms == 0) return QStringLiteral("unter 1 ms");
    if (ms < 1000) return deutsch().toString(qlonglong(ms)) + QStringLiteral(" ms");
    return deutsch().toString(double(ms) / 1000.0, 'f', 2) + QStringLiteral(" s");
}

QString statuszeile(const SqlLauf& lauf, bool zeilenGezeigt)
{
    const QString dauer = QStringLiteral(" in ") + dauerText(lauf.dauer);
    if (!lauf.mitZeilen()) return geaendertText(lauf.ergebnis.affected) + dauer;
    const QString zeilen = zeilenText(int64_t(lauf.ergebnis.rows.size()));
    if (zeilenGezeigt) return zeilen + dauer;
    return QStringLiteral("Abfrage ausgeführt") + dauer + QStringLiteral(" (") + zeilen
           + QStringLiteral(", nicht angezeigt)");
}

} // namespace trevo::sqlwindow
