#include "report_test_util.h"

#include "data/store/demo_club.h"
#include "data/store/installation.h"
#include "engine/dataset/table_data_set.h"

#include <QProcess>

#include <gtest/gtest.h>

#include <cmath>

namespace trevo::reports::test {

using engine::Value;

ClubFolder::ClubFolder(int bowlers) : folder(dir.path().toStdString() + "/")
{
    if (bowlers == 0) {
        data::installDataFolder(db, folder, engine::daysFromCivil(2024, 3, 15));
        return;
    }
    data::DemoOptions options;
    options.years = 1;
    options.bowlers = bowlers;
    data::createDemoClub(db, folder, options);
    engine::TableDataSet kegler(db, db.session(), path("KEGLER.DBF"));
    kegler.setIndex("NUMMER");
    kegler.open();
    int nummer = 0;
    for (bool more = kegler.first(); more; more = kegler.next()) {
        ++nummer;
        const QString name = QString::fromStdString(kegler.text("NAME") + ", " + kegler.text("VORNAME"));
        addResult(nummer, name, (nummer % 7) + 0.35, 0.1 * nummer, nummer % 3 == 0 ? 0 : 2.5);
    }
    addValue(1, "TITEL", QStringLiteral("Kegelabend im Vereinsheim"));
    addValue(2, "DATUM", QStringLiteral("15.03.2024"));
    addValue(3, "ORT", QStringLiteral("Gasthaus Zur Linde"));
}

void ClubFolder::addResult(int nummer, const QString& name, double spiele, double sonstiges, double beitrag)
{
    const auto cents = [](double v) { return std::llround(v * 100); };
    const long long summe = cents(spiele) + cents(sonstiges) + cents(beitrag);
    engine::TableDataSet t(db, db.session(), path("AUSWERTU.DBF"));
    t.open();
    t.append();
    t.setValue("NAME", Value::text(name.toStdString()));
    t.setValue("NUMMER", Value::number(nummer));
    t.setValue("SPIELE", Value::number(spiele));
    t.setValue("SONSTIGES", Value::number(sonstiges));
    t.setValue("BEITRAG", Value::number(beitrag));
    t.setValue("SUMME", Value::number(summe / 100.0));
    t.post();
    names << name;
    totalCents += summe;
}

void ClubFolder::addValue(int nummer, const char* bezeichnung, const QString& wert)
{
    engine::TableDataSet t(db, db.session(), path("WERTETAB.DBF"));
    t.open();
    t.append();
    t.setValue("NUMMER", Value::number(nummer));
    t.setValue("BEZEICHNUN", Value::text(bezeichnung));
    t.setValue("WERT", Value::text(wert.toStdString()));
    t.post();
}

Element element(const QString& name, QRectF box, ElementData data)
{
    Element e;
    e.name = name;
    e.box = box;
    e.data = std::move(data);
    return e;
}

namespace {

Element styled(Element e, double size, bool bold, HAlign align = HAlign::Left)
{
    e.style.pointSize = size;
    e.style.bold = bold;
    e.style.align = align;
    return e;
}

void addColumns(Band& band, bool titles)
{
    const struct {
        const char* title;
        const char* field;
        double x, width;
    } columns[] = {{"Nr.", "NUMMER", 0, 12}, {"Name", "NAME", 14, 66}, {"Spiele", "SPIELE", 82, 22},
                   {"Sonstiges", "SONSTIGES", 106, 22}, {"Beitrag", "BEITRAG", 130, 20}, {"Summe", "SUMME", 152, 23}};
    for (const auto& c : columns) {
        const HAlign align = QByteArray(c.field) == "NAME" ? HAlign::Left : HAlign::Right;
        const QRectF box(c.x, 1, c.width, 5);
        if (titles) band.elements.push_back(styled(element(QString(c.title) + "Titel", box, LabelElement{c.title}), 10, true, align));
        else {
            const QString format = QByteArray(c.field) == "NUMMER" || QByteArray(c.field) == "NAME" ? "" : "#,##0.00";
            band.elements.push_back(styled(element(c.field, box, FieldElement{"AUSWERTUNG", c.field, format}), 10, false, align));
        }
    }
}

} // namespace

Layout resultsLayout()
{
    Layout l;
    l.description << "Ergebnisliste eines Abends" << "mit Summen";
    l.sources.push_back({"AUSWERTUNG", "AUSWERTU.DBF", "", "NUMMER"});
    l.sources.push_back({"DATUM", "WERTETAB.DBF", "BEZEICHNUN='DATUM'", ""});
    Band& header = l.addBand(BandKind::PageHeader);
    header.heightMm = 14;
    header.elements.push_back(styled(element("Kopf", {0, 0, 120, 8}, ExprElement{"\"Ergebnisse vom \" + DATUM.WERT", ""}), 14, true));
    header.elements.push_back(styled(element("Seitenzahl", {120, 1, 55, 6}, ExprElement{"\"Seite \" + PAGE + \" von \" + PAGECOUNT", ""}), 9, false, HAlign::Right));
    header.elements.push_back(element("Kopflinie", {0, 11, 175, 0}, LineElement{0.4}));
    Band& columns = l.addBand(BandKind::ColumnHeader);
    columns.heightMm = 8;
    addColumns(columns, true);
    Band& detail = l.addBand(BandKind::Detail);
    detail.heightMm = 6;
    detail.source = "AUSWERTUNG";
    addColumns(detail, false);
    Band& summary = l.addBand(BandKind::Summary);
    summary.heightMm = 14;
    summary.elements.push_back(element("Summenlinie", {0, 1, 175, 0}, LineElement{0.3}));
    summary.elements.push_back(styled(element("Anzahl", {14, 3, 66, 6}, ExprElement{"COUNT(AUSWERTUNG) + \" Kegler\"", ""}), 10, true));
    summary.elements.push_back(styled(element("Gesamt", {130, 3, 45, 6}, ExprElement{"\"Gesamt \" + SUM(AUSWERTUNG.SUMME)", "#,##0.00"}), 10, true, HAlign::Right));
    Band& footer = l.addBand(BandKind::PageFooter);
    footer.heightMm = 8;
    footer.elements.push_back(styled(element("Druckdatum", {0, 2, 100, 5}, ExprElement{"\"Gedruckt am \" + PRINTDATE", ""}), 8, false));
    return l;
}

QString pdfText(const QString& pdfPath)
{
    QProcess p;
    p.start(QStringLiteral("pdftotext"), {QStringLiteral("-layout"), pdfPath, QStringLiteral("-")});
    const bool finished = p.waitForFinished(60000);
    EXPECT_TRUE(finished && p.exitCode() == 0) << "pdftotext: " << p.readAllStandardError().toStdString();
    return QString::fromUtf8(p.readAllStandardOutput());
}

QStringList pdfPages(const QString& pdfPath)
{
    QStringList pages = pdfText(pdfPath).split(u'\f');
    if (!pages.isEmpty() && pages.back().trimmed().isEmpty()) pages.removeLast();
    return pages;
}

void keepPng(const QString& pdfPath, const QString& prefix)
{
    const QString dir = qEnvironmentVariable("TREVO_REPORT_PNG_DIR");
    if (dir.isEmpty()) return;
    QProcess::execute(QStringLiteral("pdftoppm"), {QStringLiteral("-png"), QStringLiteral("-r"), QStringLiteral("80"),
                                                   pdfPath, dir + u'/' + prefix});
}

QString euros(long long cents)
{
    const QString sign = cents < 0 ? QStringLiteral("-") : QString();
    cents = std::llabs(cents);
    QString whole = QString::number(cents / 100);
    for (qsizetype i = whole.size() - 3; i > 0; i -= 3) whole.insert(i, u'.');
    return sign + whole + u',' + QStringLiteral("%1").arg(cents % 100, 2, 10, QChar(u'0'));
}

} // namespace trevo::reports::test
