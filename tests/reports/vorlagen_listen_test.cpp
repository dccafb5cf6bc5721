// The list layouts printed over the demo club: headings, names and amounts as a club
// official reads them on paper, page by page.
#include "report_test_util.h"
#include "vorlagen_test_util.h"

#include "data/store/demo_club.h"
#include "engine/dataset/table_data_set.h"

#include <QRegularExpression>

#include <gtest/gtest.h>

#include <cmath>

namespace trevo::reports {
namespace {

using test::Druck;

// The demo club of two years in a temporary data folder.
struct DemoClub {
    explicit DemoClub(int bowlers = 18) : folder(dir.path().toStdString() + "/")
    {
        data::DemoOptions options;
        options.bowlers = bowlers;
        data::createDemoClub(db, folder, options);
    }
    QTemporaryDir dir;
    engine::Database db;
    std::string folder;

    // The rows of a table in the order of the field, each as its fields' texts.
    std::vector<std::map<std::string, QString>> rows(const char* table, const char* order)
    {
        engine::TableDataSet t(db, db.session(), folder + table);
        t.setIndex(order);
        t.open();
        std::vector<std::map<std::string, QString>> out;
        for (bool more = t.first(); more; more = t.next()) {
            auto& row = out.emplace_back();
            for (int f = 0; f < t.fieldCount(); ++f) row[t.field(f).def.name] = QString::fromStdString(t.text(f));
        }
        return out;
    }
    Druck print(const QString& fileName) { return Druck(db, folder, fileName, test::testLogo()); }
};

QString amount(double v)
{
    return test::euros(std::llround(v * 100));
}

double number(const QString& text)
{
    return QString(text).replace(',', '.').toDouble();
}

void expectReadable(const Druck& druck)
{
    ASSERT_TRUE(druck.error.isEmpty()) << druck.error.toStdString();
    ASSERT_FALSE(druck.pages.isEmpty());
    const QStringList faults = test::layoutFaults(druck.printout, 20, 15, 12, 12);
    EXPECT_TRUE(faults.isEmpty()) << faults.join('\n').toStdString();
}

// Every page carries the heading, its number of all pages and the column titles.
void expectHeaderOnEveryPage(const Druck& druck, const QString& heading, const QString& columns)
{
    for (int i = 0; i < druck.pages.size(); ++i) {
        SCOPED_TRACE(i + 1);
        const QString& page = druck.pages[i];
        EXPECT_TRUE(page.contains(heading)) << page.toStdString();
        EXPECT_TRUE(page.contains(QStringLiteral("Seite %1 von %2").arg(i + 1).arg(druck.pages.size())));
        EXPECT_TRUE(page.contains(columns)) << page.toStdString();
    }
}

// Every picture the printout holds is the logo, once on each page.
void expectLogoOnEveryPage(const Druck& druck)
{
    for (const Page& page : druck.printout.pages) {
        int pictures = 0;
        for (const PageItem& item : page.items) pictures += std::holds_alternative<ImageItem>(item) ? 1 : 0;
        EXPECT_EQ(pictures, 1);
    }
}

TEST(VorlagenListen, MembersByNameWithAddressPhoneAndStatusOverSeveralPages)
{
    DemoClub club(70);
    const Druck druck = club.print("MITGLIEDERLIST.QR2");
    expectReadable(druck);
    ASSERT_GE(druck.pages.size(), 3);
    expectHeaderOnEveryPage(druck, "Mitgliederliste", "Nr. Name, Vorname Anschrift Telefon Status");
    expectLogoOnEveryPage(druck);
    const QString all = druck.all();
    int previous = -1;
    for (const auto& k : club.rows("KEGLER.DBF", "NAME")) {
        SCOPED_TRACE(k.at("NUMMER").toStdString());
        const QString status = k.at("MITGLIED") == "T" || k.at("MITGLIED") == "Wahr" ? "Mitglied" : "Gast";
        const QString first = k.at("NUMMER") + " " + k.at("NAME") + ", " + k.at("VORNAME") + " " + k.at("STRASSE") + " " +
                              k.at("TEL1") + " " + status;
        const int at = all.indexOf(first);
        EXPECT_GT(at, previous) << first.toStdString();
        previous = std::max(previous, at);
        EXPECT_TRUE(all.contains(k.at("PLZ") + " " + k.at("ORT"))) << k.at("ORT").toStdString();
    }
    EXPECT_TRUE(druck.pages.back().contains("70 Einträge"));
}

TEST(VorlagenListen, LaneListHasTheMembersButNotTheGuestsAndRowsForGuests)
{
    DemoClub club;
    const Druck druck = club.print("KEGELLISTE.QR2");
    expectReadable(druck);
    ASSERT_EQ(druck.pages.size(), 1);
    const QString page = druck.pages.front();
    EXPECT_TRUE(page.contains("Kegelliste Kegeln am"));
    EXPECT_TRUE(page.contains("Name Spiele Pudel Alle 9/Kranz Sonstiges")) << page.toStdString();
    for (const auto& k : club.rows("KEGLER.DBF", "NAME")) {
        const bool member = k.at("MITGLIED") == "T" || k.at("MITGLIED") == "Wahr";
        EXPECT_EQ(page.contains(k.at("NAME") + ", " + k.at("VORNAME")), member) << k.at("NAME").toStdString();
    }
    EXPECT_TRUE(page.contains("Gast:"));
}

TEST(VorlagenListen, CashBookByDateWithSumOpeningBalanceAndBalance)
{
    DemoClub club;
    const Druck druck = club.print("KEGELKASSE.QR2");
    expectReadable(druck);
    ASSERT_GE(druck.pages.size(), 3);
    expectHeaderOnEveryPage(druck, "Kegelkasse", "Datum Nr. Buchungstext Betrag Summe");
    const auto bookings = club.rows("KONTO.DBF", "DATUM");
    double sum = 0;
    for (const auto& b : bookings) {
        sum += number(b.at("BETRAG"));
        const QString line = b.at("DATUM") + " " + b.at("NUMMER") + " " + b.at("BESCHREIBU") + " " +
                             amount(number(b.at("BETRAG"))) + " " + amount(sum);
        EXPECT_TRUE(druck.all().contains(line)) << line.toStdString();
    }
    const auto account = club.rows("KONTOINF.DBF", "KONTONR").front();
    const QString last = druck.pages.back();
    EXPECT_TRUE(last.contains(QStringLiteral("%1 Buchungen Anfangsbestand am 01.01.2023 150,00").arg(bookings.size())))
        << last.toStdString();
    EXPECT_TRUE(last.contains("Summe der Buchungen " + amount(sum)));
    EXPECT_TRUE(last.contains("Kontostand " + amount(150 + sum)));
    EXPECT_EQ(number(account.at("KONTOSTAND")), 150 + sum);
}

TEST(VorlagenListen, EveningsByDateWithParticipantsAndTheirSum)
{
    DemoClub club;
    const Druck druck = club.print("TERMINLISTE.QR2");
    expectReadable(druck);
    ASSERT_GE(druck.pages.size(), 2);
    expectHeaderOnEveryPage(druck, "Terminliste", "Nr. Datum Teilnehmer Abschnitte Preisliste Beitrag Bemerkungen");
    const auto evenings = club.rows("TERMINE.DBF", "DATUM");
    int participants = 0;
    for (const auto& e : evenings) {
        participants += e.at("TEILNEHMER").toInt();
        const QString line = e.at("NUMMER") + " " + e.at("DATUM") + " " + e.at("TEILNEHMER") + " " + e.at("ABSCHNITTE") +
                             " " + e.at("PREISLISTE") + " " + e.at("BEITRAG");
        EXPECT_TRUE(druck.all().contains(line)) << line.toStdString();
        if (!e.at("BEMERKUNGE").isEmpty()) EXPECT_TRUE(druck.all().contains(e.at("BEMERKUNGE").left(20)));
    }
    EXPECT_TRUE(druck.pages.back().contains(QStringLiteral("%1 Abende %2 Teilnahmen insgesamt").arg(evenings.size()).arg(participants)));
}

TEST(VorlagenListen, PriceListsEachWithItsItems)
{
    DemoClub club;
    const Druck druck = club.print("SONSTIGE.QR2");
    expectReadable(druck);
    const QString all = druck.all();
    EXPECT_TRUE(all.contains("Sonstige Beträge"));
    const int first = all.indexOf("Preisliste Nr. 1"), second = all.indexOf("Preisliste Nr. 2");
    ASSERT_GE(first, 0) << all.toStdString();
    ASSERT_GT(second, first);
    EXPECT_EQ(all.count("Nr. Bezeichnung Einzelpreis Mittelwert Wer zahlt *"), 2);
    for (const auto& item : club.rows("SONSTYPE.DBF", "NUMMER")) {
        const QString line = item.at("NUMMER") + " " + item.at("BEZEICHNUN") + " " + amount(number(item.at("EINZELPREI")));
        const int at = all.indexOf(line);
        EXPECT_GE(at, 0) << line.toStdString();
        EXPECT_EQ(at > second, item.at("PREISLISTE") == "2") << line.toStdString();
    }
    EXPECT_TRUE(all.contains("* Wer zahlt: 1 = der Kegler"));
}

TEST(VorlagenListen, SmallMasterDataLists)
{
    DemoClub club;
    const struct {
        const char* file;
        QStringList expected;
    } lists[] = {
        {"SPIELELISTE.QR2", {"Spieleliste", "Nr. Spiel Beschreibung", "1 Große Hausnummer Drei Würfe; die Hölzer",
                             "6 Schubkegeln", "6 Spiele"}},
        {"TERMPLAN.QR2", {"Terminplan", "Datum Zeit Termin Bemerkungen", "19:00 Jahreshauptversammlung Einladung mit",
                          "08:00 Kegeltour Busfahrt an die Mosel", "17.05.2025"}},
        {"TERMART.QR2", {"Terminarten", "Lfd.Nummer Terminart", "1 Kegelabend", "6 Vorstandssitzung", "6 Terminarten"}},
        {"AEMTERLISTE.QR2", {"Ämterliste", "Lfd.Nummer Amt", "1 Präsident", "3 Kassenwart", "6 Ämter"}},
        {"WAEHRUNGSLISTE.QR2", {"Währungsliste vom 01.04.2024", "Lfd.Nummer Bezeichnung Kürzel Bemerkungen",
                                "1 Euro EUR Währung der Vereinskasse", "2 Deutsche Mark DM Bis Ende 2001; 1 € = 1,95583 DM"}},
    };
    for (const auto& list : lists) {
        SCOPED_TRACE(list.file);
        const Druck druck = club.print(list.file);
        expectReadable(druck);
        EXPECT_EQ(druck.pages.size(), 1);
        expectLogoOnEveryPage(druck);
        for (const QString& text : list.expected) EXPECT_TRUE(druck.all().contains(text)) << text.toStdString() << "\n" << druck.all().toStdString();
    }
}

TEST(VorlagenListen, BlankSheetNeedsNoTables)
{
    QTemporaryDir dir;
    engine::Database db;
    const Druck druck(db, dir.path().toStdString() + "/", "BLANKOLISTE.QR2");
    expectReadable(druck);
    ASSERT_EQ(druck.pages.size(), 1);
    EXPECT_TRUE(druck.pages[0].contains("Kegeln am"));
    EXPECT_TRUE(druck.pages[0].contains("Name Spiele Pudel Alle 9/Kranz Sonstiges"));
    EXPECT_TRUE(druck.pages[0].contains("Seite 1"));
    EXPECT_FALSE(druck.printout.pages[0].landscape);
}

} // namespace
} // namespace trevo::reports
