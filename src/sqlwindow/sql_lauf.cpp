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
    for (const auto& hinweis : lauf.ergebnis.notices) {
        if (!lauf.hinweise.isEmpty()) lauf.hinweise += QLatin1Char('\n');
        lauf.hinweise += QString::fromStdString(hinweis);
    }
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
    QString zeile;
    if (!lauf.mitZeilen())
        zeile = geaendertText(lauf.ergebnis.affected) + dauer;
    else if (zeilenGezeigt)
        zeile = zeilenText(int64_t(lauf.ergebnis.rows.size())) + dauer;
    else
        zeile = QStringLiteral("Abfrage ausgeführt") + dauer + QStringLiteral(" (")
                + zeilenText(int64_t(lauf.ergebnis.rows.size())) + QStringLiteral(", nicht angezeigt)");
    if (!lauf.hinweise.isEmpty()) {
        QString hinweise = lauf.hinweise;
        zeile += QStringLiteral(" \u2013 ") + hinweise.replace(QLatin1Char('\n'), QStringLiteral("; "));
    }
    return zeile;
}

} // namespace trevo::sqlwindow
