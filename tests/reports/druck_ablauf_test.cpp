// A print from the window's command to the preview: the record check before the print
// dialog, the dialog's answer, the report file, the copies, the date of evaluations, and
// the please-wait indication switched off at the end of every path.
#include "druck_test_util.h"

#include "engine/dataset/table_data_set.h"

#include <QDate>
#include <QDir>
#include <QFile>

#include "reports/vorlagen/vorlagen.h"

#include <QBuffer>

#include <gtest/gtest.h>

namespace trevo::reports::test {
namespace {

const QString kKeineDaten = QStringLiteral("Es sind keine Daten gespeichert");

TEST(DruckAblauf, EmptyTableIsReportedBeforeTheDialogAndBlankFormsNeedNoRecords)
{
    DruckTest t(0); // a new data folder: every table empty
    t.write(memberList(), "MITGLIEDERLIST.QR2");
    t.write(memberList(), "ERGEBNISSE1.QR2");
    t.write(memberList(), "SPIELELISTE.QR2");
    t.druck.DruckeListe("MITGLIEDERLIST.QR2", t.dataFile("KEGLER.DBF"));
    t.druck.DruckeAuswertung("ERGEBNISSE1.QR2");
    t.druck.DruckeSpielliste();
    EXPECT_EQ(t.dialogs.texts(), QStringList({kKeineDaten, kKeineDaten, kKeineDaten}));
    EXPECT_EQ(t.dialogs.shown().at(0).kind, common::BoxKind::Message);
    EXPECT_EQ(t.dialogShown, 0);
    EXPECT_TRUE(t.previews.empty());
    EXPECT_TRUE(t.shell.waits.empty()) << "please-wait never on";

    t.write(blankForm(), "BLANKOLISTE.QR2");
    t.druck.DruckeBlankoliste("BLANKOLISTE.QR2");
    EXPECT_EQ(t.dialogShown, 1);
    ASSERT_EQ(t.previews.size(), 1u);
    EXPECT_TRUE(t.previews[0].texts.contains("Strichliste Kegelabend"));
    EXPECT_EQ(t.shell.waits, (std::vector<int>{0, 1}));
}

TEST(DruckAblauf, AnswersOfThePrintDialog)
{
    DruckTest t;
    t.write(memberList(), "MITGLIEDERLIST.QR2");
    const QString kegler = t.dataFile("KEGLER.DBF");
    const auto print = [&](Button b, const QString& anzahl) {
        t.answer(b, anzahl);
        t.druck.DruckeListe("MITGLIEDERLIST.QR2", kegler);
    };
    print(Button::Ok, "3");
    print(Button::Ok, "0");
    print(Button::Ok, {});
    ASSERT_EQ(t.previews.size(), 3u);
    EXPECT_EQ(t.previews[0].copies, 3);
    EXPECT_EQ(t.previews[1].copies, 1) << "0 copies print one";
    EXPECT_EQ(t.previews[2].copies, 1);
    EXPECT_EQ(t.anzahlAtShow, QList<int>({1, 1, 1})) << "every showing starts at 1";

    t.shell.waits.clear();
    print(Button::Abbrechen, "2");
    print(Button::Escape, {});
    print(Button::DruckerEinrichten, "4");
    EXPECT_EQ(t.printerSetUps, 1);
    EXPECT_EQ(t.previews.size(), 3u) << "nothing printed";
    EXPECT_TRUE(t.shell.waits.empty());
    EXPECT_EQ(t.dialogShown, 6);
    for (QDialog* form : t.forms) EXPECT_EQ(form, &t.druck.Druckform()) << "one dialog, reused";
    EXPECT_TRUE(t.dialogs.texts().isEmpty()) << t.dialogs.texts().join(" | ").toStdString();
}

TEST(DruckAblauf, OnlyEvaluationsShowTodaysDate)
{
    DruckTest t;
    t.write(memberList(), "ERGEBNISSE1.QR2");
    t.druck.DruckeAuswertung("ERGEBNISSE1.QR2");
    t.druck.DruckeListe("ERGEBNISSE1.QR2", t.dataFile("KEGLER.DBF"));
    ASSERT_EQ(t.previews.size(), 2u);
    const QString today = QDate::currentDate().toString("dd.MM.yyyy");
    EXPECT_TRUE(t.previews[0].texts.contains(today)) << t.previews[0].texts.join(" | ").toStdString();
    EXPECT_FALSE(t.previews[0].texts.contains("Datum"));
    EXPECT_TRUE(t.previews[1].texts.contains("Datum"));
    EXPECT_FALSE(t.previews[1].texts.contains(today));
    EXPECT_TRUE(t.previews[1].texts.contains(t.club.names[0].section(',', 0, 0)));
}

TEST(DruckAblauf, GameListReadsItsOptionAndCountsTheGameTypes)
{
    DruckTest t;
    t.umgebung.options.spielelistFilename = "eigene_spiele.qr2";
    t.write(memberList(), "EIGENE_SPIELE.QR2");
    t.druck.DruckeSpielliste();
    ASSERT_EQ(t.previews.size(), 1u) << t.dialogs.texts().join(" | ").toStdString();
    EXPECT_EQ(t.previews[0].fileName, "EIGENE_SPIELE.QR2");
    EXPECT_EQ(t.druck.Reportdatei("spielelistFILENAME", "X.QR2"), "eigene_spiele.qr2");
}

TEST(DruckAblauf, FailuresEndInTheirBoxWithPleaseWaitOff)
{
    DruckTest t;
    const QString kegler = t.dataFile("KEGLER.DBF");
    t.druck.DruckeListe("MITGLIEDERLIST.QR2", kegler);
    EXPECT_EQ(t.dialogs.texts(), QStringList("Die Reportdatei MITGLIEDERLIST.QR2 ist nicht vorhanden"));
    EXPECT_EQ(t.dialogs.shown().back().kind, common::BoxKind::Message);
    EXPECT_EQ(t.shell.waits, (std::vector<int>{0, 1}));

    QFile broken(t.dataFile("KAPUTT.QR2"));
    ASSERT_TRUE(broken.open(QIODevice::WriteOnly));
    broken.write("<trevo-report version=\"1\">\n<band");
    broken.close();
    t.druck.DruckeListe("KAPUTT.QR2", kegler);
    EXPECT_TRUE(t.dialogs.texts().back().startsWith("Die Reportdatei KAPUTT.QR2 ist beschädigt")) << t.dialogs.texts().back().toStdString();
    EXPECT_EQ(t.dialogs.shown().back().kind, common::BoxKind::Error);

    Layout missingTable = memberList();
    missingTable.sources[0].fileName = "FEHLT.DBF";
    t.write(missingTable, "FEHLT.QR2");
    t.druck.DruckeListe("FEHLT.QR2", kegler);
    EXPECT_TRUE(t.dialogs.texts().back().contains("FEHLT.DBF")) << t.dialogs.texts().back().toStdString();

    t.druck.DruckeListe("MITGLIEDERLIST.QR2", t.dataFile("KEINE.DBF")); // the count fails
    EXPECT_EQ(t.dialogs.shown().back().kind, common::BoxKind::Error);

    t.write(memberList(), "MITGLIEDERLIST.QR2");
    t.druck.zeigeVorschau = [](Report&) { throw engine::EngineError("Vorschau gescheitert"); };
    t.druck.DruckeListe("MITGLIEDERLIST.QR2", kegler);
    EXPECT_EQ(t.dialogs.texts().back(), "Vorschau gescheitert");
    EXPECT_EQ(t.shell.waits, (std::vector<int>{0, 1, 0, 1, 0, 1, 0, 1}));
    EXPECT_TRUE(t.previews.empty());
}


// The shipped layouts show the club's logo of the options in their picture "LOGO".
TEST(DruckAblauf, TheClubsLogoFillsThePictureOfTheLayouts)
{
    DruckTest t;
    reports::vorlagenAnlegen(t.club.folder);
    const auto images = [](const Shown& shown) {
        int n = 0;
        for (const Page& page : shown.printout.pages)
            for (const PageItem& item : page.items)
                if (const auto* image = std::get_if<ImageItem>(&item); image && !image->image.isNull()) ++n;
        return n;
    };
    t.druck.DruckeListe("MITGLIEDERLIST.QR2", t.dataFile("KEGLER.DBF"));
    ASSERT_EQ(t.previews.size(), 1u) << t.dialogs.texts().join(" | ").toStdString();
    EXPECT_EQ(images(t.previews[0]), 0) << "no logo in the options: the picture stays empty";

    QImage logo(40, 20, QImage::Format_RGB32);
    logo.fill(Qt::red);
    QBuffer buffer(&t.umgebung.logoBytes);
    buffer.open(QIODevice::WriteOnly);
    ASSERT_TRUE(logo.save(&buffer, "PNG"));
    t.druck.DruckeListe("MITGLIEDERLIST.QR2", t.dataFile("KEGLER.DBF"));
    ASSERT_EQ(t.previews.size(), 2u);
    EXPECT_GE(images(t.previews[1]), 1);
}

} // namespace
} // namespace trevo::reports::test
