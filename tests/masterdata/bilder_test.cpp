// The members window and the dialogs paint themselves: each picture shows more than a
// blank area. With TREVO_SCREENS naming a folder the pictures are kept there for a look.
#include "shell/stammdaten/abfrage_dlg.h"
#include "mitglieder_fixture.h"
#include "shell/stammdaten/sort_form.h"
#include "shell/stammdaten/such_dlg.h"
#include "shell/stammdaten/suchdialoge.h"
#include "shell/stammdaten/suchen_ersetzen_dlg.h"

#include <QDir>
#include <QListWidget>
#include <QMdiSubWindow>
#include <QPixmap>
#include <QSet>

namespace trevo::masterdata::test {
namespace {

class Bilder : public Mitglieder {
protected:
    void club() override
    {
        const int kassierer = verein.office("Kassierer");
        const int praesident = verein.office("Präsident");
        verein.bowler({"Müller", "Anna", "3", true, kassierer, "1998"});
        verein.bowler({"Schmidt", "Karl", "7", true, praesident, "1985"});
        verein.bowler({"Adler", "Bernd", "", false});
        verein.bowler({"Weiß", "Jürgen", "12", true, 0, "2001"});
        verein.bowler({"Hoffmann", "Günter", "15", true, 0, "2010"});
        verein.bowler({"Becker", "Sabine", "", false});
        verein.bowler({"Schäfer", "Klaus", "21", true, 0, "2015"});
    }
    void SetUp() override
    {
        folder = qEnvironmentVariable("TREVO_SCREENS");
        if (!folder.isEmpty()) QDir().mkpath(folder);
        Mitglieder::SetUp();
        auto& k = t();
        k.first();
        k.edit();
        k.setText("STRASSE", "Lindenweg 4");
        k.setText("PLZ", "50667");
        k.setText("ORT", "Köln");
        k.setText("TEL1", "0221 123456");
        k.setText("GEBURTSTAG", "12.05.1961");
        k.post();
    }
    void save(QWidget& widget, const char* name)
    {
        QApplication::processEvents();
        const QImage picture = widget.grab().toImage();
        ASSERT_FALSE(picture.isNull()) << name;
        QSet<QRgb> colours;
        for (int y = 0; y < picture.height(); y += 4)
            for (int x = 0; x < picture.width(); x += 4) colours.insert(picture.pixel(x, y));
        EXPECT_GT(colours.size(), 3) << name << " shows nothing";
        if (!folder.isEmpty()) EXPECT_TRUE(picture.save(folder + "/" + name + ".png")) << name;
    }
    QString folder;
};

TEST_F(Bilder, MembersWindowAndDialogs)
{
    save(*main, "mitglieder_blaettern");

    w->Neueingabe1->trigger();
    type(w->MitgliednummerDBEdit2, "30");
    type(w->DBEdit2, "Zimmermann");
    type(w->VornameEdit, "Heike");
    save(*main, "mitglieder_eingabe");
    w->CancelBtnClick();

    ModalSkript modal;
    modal.then([&](QDialog& d) {
        auto& dlg = static_cast<TSuchDlgKomplex&>(d);
        dlg.FieldListBox1->setCurrentRow(2);
        dlg.FromEdit->setText("Sch");
        save(d, "suchen");
        dlg.reject();
    });
    w->Suchen1Click();
    modal.then([&](QDialog& d) {
        auto& dlg = static_cast<TAbfrageDlgEinFeld&>(d);
        dlg.BedingungListBox1->setCurrentRow(6);
        dlg.FromEdit->setText("1");
        dlg.ToEdit->setText("20");
        save(d, "bereich");
        dlg.reject();
    });
    w->Bereich1Click();
    modal.then([&](QDialog& d) {
        save(d, "sortierung");
        static_cast<TSortForm&>(d).reject();
    });
    w->Sortierung1Click();
    modal.then([&](QDialog& d) {
        auto& dlg = static_cast<TSuchenErsetzenDlg&>(d);
        dlg.FieldListBox1->setCurrentRow(9);
        dlg.FromEdit->setText("Köln");
        dlg.NeuEdit->setText("Köln-Deutz");
        save(d, "suchen_ersetzen");
        dlg.reject();
    });
    w->suchdialoge().SuchenErsetzenDlg().SuchenErsetzen(verein.datenordner(), "KEGLER.DBF");
    EXPECT_TRUE(modal.problems().isEmpty());
}

} // namespace
} // namespace trevo::masterdata::test
