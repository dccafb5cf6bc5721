// The report selection: the report files of the data folder with their descriptions,
// and OK that hands exactly the chosen file to the designer.
#include "common/dialogs/scripted_dialogs.h"
#include "engine/fs/memory_file_system.h"
#include "reports/auswahl/reportauswahlform.h"
#include "reports/auswahl/reportliste.h"
#include "reports/designer/qreditorform.h"
#include "reports/designer/reportgenerator.h"
#include "reports/vorlagen/vorlagen.h"
#include "../druck_test_util.h"

#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QTest>

#include <gtest/gtest.h>

namespace trevo::reports::auswahl {
namespace {


QStringList texte(const std::vector<ReportEintrag>& liste)
{
    QStringList out;
    for (const ReportEintrag& e : liste) out << e.text;
    return out;
}

TEST(Reportliste, EveryShippedLayoutIsListedByNameWithTheFirstLineOfItsDescription)
{
    QTemporaryDir dir;
    const std::string ordner = dir.path().toStdString() + "/";
    vorlagenAnlegen(ordner);
    const std::vector<ReportEintrag> liste = reportListe(engine::realFileSystem(), ordner);
    ASSERT_EQ(liste.size(), static_cast<size_t>(vorlagenNamen().size()));
    for (size_t i = 0; i < liste.size(); ++i) {
        EXPECT_EQ(liste[i].datei, vorlagenNamen()[static_cast<qsizetype>(i)]);
        EXPECT_TRUE(liste[i].text.startsWith(liste[i].datei + " (")) << liste[i].text.toStdString();
        EXPECT_TRUE(liste[i].text.endsWith(u')'));
    }
    EXPECT_TRUE(texte(liste).contains("BLANKOLISTE.QR2 (Leere Liste mit Name, Spielen, sonst.Beträgen)"));
    EXPECT_TRUE(texte(liste).contains("MITGLIEDERLIST.QR2 (Mitgliederliste)"));
}

TEST(Reportliste, UnreadableFilesShowByNameAloneAndOnlyReportFilesAreListed)
{
    engine::MemoryFileSystem fs;
    fs.putFile("/d/WAEHRUNGSLISTE.QR2", vorlage("WAEHRUNGSLISTE.QR2").toStdString());
    fs.putFile("/d/kaputt.qr2", std::string("kein Report"));
    fs.putFile("/d/alt.Qr2", std::string("<trevo-report version=\"7\"/>"));
    fs.putFile("/d/NOTIZEN.TXT", vorlage("WAEHRUNGSLISTE.QR2").toStdString());
    fs.putFile("/d/ORDNER.QR2/X.QR2", vorlage("WAEHRUNGSLISTE.QR2").toStdString());
    // A layout without description lines.
    fs.putFile("/d/OHNE.QR2", std::string("<trevo-report version=\"1\"/>"));
    const std::vector<ReportEintrag> liste = reportListe(fs, "/d/");
    EXPECT_EQ(texte(liste), QStringList({"alt.Qr2", "kaputt.qr2", "OHNE.QR2", "WAEHRUNGSLISTE.QR2 (Währungsliste)"}));
    EXPECT_TRUE(reportListe(fs, "/gibtsnicht/").empty());
}

struct AuswahlTest : ::testing::Test {
    AuswahlTest() { vorlagenAnlegen(club.folder); }
    QListWidgetItem* eintrag(TReportauswahlForm& form, const QString& datei)
    {
        for (int i = 0; i < form.ListBox1->count(); ++i)
            if (form.ListBox1->item(i)->data(Qt::UserRole).toString() == datei) return form.ListBox1->item(i);
        ADD_FAILURE() << "kein Eintrag " << datei.toStdString();
        return nullptr;
    }
    reports::test::ClubFolder club{3};
    reports::test::FolderUmgebung umgebung{club};
    common::ScriptedDialogs dialogs;
    common::DialogsScope scope{dialogs};
};

TEST_F(AuswahlTest, TheDialogShowsTheInstructionAndOkWithoutAChoiceDoesNothing)
{
    TReportauswahlForm form(club.db.fs(), club.folder);
    EXPECT_EQ(form.windowTitle(), "Report auswählen");
    EXPECT_EQ(form.HinweisLabel->text(), "Markieren Sie den Report, den Sie ändern wollen und drücken Sie den OK-Button");
    EXPECT_EQ(form.OKBtn->text(), "OK");
    EXPECT_EQ(form.CancelBtn->text(), "Abbrechen");
    form.show();
    form.OKBtn->click();
    EXPECT_TRUE(form.isVisible());
    EXPECT_EQ(form.result(), QDialog::Rejected);
    form.ListBox1->setCurrentItem(eintrag(form, "TERMART.QR2"));
    form.OKBtn->click();
    EXPECT_FALSE(form.isVisible());
    EXPECT_EQ(form.result(), QDialog::Accepted);
    EXPECT_EQ(form.gewaehlteDatei(), "TERMART.QR2");
}

TEST_F(AuswahlTest, OkOpensExactlyTheChosenFileOfTheDataFolderInTheDesignerAndAbbrechenNothing)
{
    designer::Reportgenerator generator(umgebung);
    QStringList gezeigt;
    QString geoeffnet;
    QStringList beschreibung;
    bool abbrechen = false;
    generator.zeigeModal = [&](QDialog& d) {
        gezeigt << d.windowTitle();
        if (auto* auswahl = qobject_cast<TReportauswahlForm*>(&d)) {
            d.show();
            if (abbrechen) {
                auswahl->CancelBtn->click();
            } else {
                QListWidgetItem* item = eintrag(*auswahl, "BLANKOLISTE.QR2");
                const QRect r = auswahl->ListBox1->visualItemRect(item);
                QTest::mouseClick(auswahl->ListBox1->viewport(), Qt::LeftButton, {}, r.center());
                auswahl->OKBtn->click();
            }
            return d.result();
        }
        auto& form = dynamic_cast<designer::TQREditorForm&>(d);
        geoeffnet = form.pfad();
        beschreibung = form.entwurf().layout().description;
        return 0;
    };
    generator.Reportauswahl();
    EXPECT_EQ(gezeigt, QStringList({"Report auswählen", "Report"}));
    EXPECT_EQ(geoeffnet, QString::fromStdString(club.folder) + "BLANKOLISTE.QR2");
    EXPECT_EQ(beschreibung, QStringList({"Leere Liste mit Name, Spielen, sonst.Beträgen"}));
    EXPECT_TRUE(dialogs.shown().empty());

    gezeigt.clear();
    abbrechen = true;
    generator.Reportauswahl();
    EXPECT_EQ(gezeigt, QStringList({"Report auswählen"}));
}

} // namespace
} // namespace trevo::reports::auswahl
