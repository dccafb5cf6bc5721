// The members window's entry panel: tab order, member-only fields, the office's name,
// field keys, the grid's columns and the print item.
#include "mitglieder_fixture.h"

#include <QCheckBox>
#include <QHeaderView>
#include <QLabel>
#include <QMenu>
#include <QPushButton>

namespace trevo::masterdata::test {
namespace {

using common::Answer;

class Felder : public Mitglieder {
protected:
    void club() override
    {
        kassierer = verein.office("Kassierer");
        const int wart = verein.office("Sportwart");
        schmidt = verein.bowler({"Schmidt", "Karl", "7", true, kassierer, "1998"});
        adler = verein.bowler({"Adler", "Bernd", "12", false});
        mueller = verein.bowler({"Müller", "Anna", "3", true, wart});
        geloescht = verein.office("Schriftführer");
        schulz = verein.bowler({"Schulz", "Uwe", "", true, geloescht});
        auto t = verein.datenbank().table(verein.pfad("FUNKTION.DBF"));
        verein.session().atomically([&] { t->setDeleted(2, true); });
    }
    bool memberFieldsShown()
    {
        const bool shown = !w->MitgliednummerDBEdit2->isHidden();
        EXPECT_EQ(!w->Mitgliednrlabel->isHidden(), shown);
        EXPECT_EQ(!w->EintrittEdit->isHidden(), shown);
        EXPECT_EQ(!w->EintrittLabel->isHidden(), shown);
        return shown;
    }
    void go(int nummer) { t().locate("NUMMER", engine::Value::number(nummer)); }

    int kassierer = 0, geloescht = 0, schulz = 0;
};

TEST_F(Felder, WindowAsCreated)
{
    EXPECT_EQ(w->windowTitle(), "Mitglieder/Gastkegler");
    EXPECT_EQ(w->Schnellsuchlabel->text(), " Name suchen  ");
    EXPECT_EQ(w->SchnellsuchEdit1->width(), 150);
    EXPECT_EQ(w->EingabePanel1->height(), 318);
    EXPECT_EQ(w->DatensatzeinfuegenBitBtn1->text(), QString::fromUtf8("Datensatz einfügen "));
    EXPECT_TRUE(w->BereichToolButton->toolTip().isEmpty());
    EXPECT_EQ(w->ToolButton1->toolTip(), "Weitersuchen");
    EXPECT_EQ(w->tag(), Eingabemodus::Blaettern);
    EXPECT_EQ(w->menus(), w->MainMenu1);
    EXPECT_EQ(main->activeCode(), 5);
    EXPECT_TRUE(w->Importieren1->isEnabled());
    EXPECT_TRUE(script.texts().isEmpty());

    const QStringList titles = {"Mitgliedsnummer", "Name", "Vorname", "Alias", "Funktion", "Strasse",
                                "PLZ",             "Ort",  "Telefon 1", "Telefon 2", "EMAIL"};
    QStringList shown;
    for (int c = 0; c < w->DBGrid1->model().columnCount(); ++c)
        shown << w->DBGrid1->model().headerData(c, Qt::Horizontal, Qt::DisplayRole).toString();
    EXPECT_EQ(shown, titles);
    EXPECT_EQ(w->DBGrid1->model().rowCount(), 4);
    // Sorted by name: Adler first.
    EXPECT_EQ(w->DBGrid1->model().index(0, 1).data().toString(), "Adler");
}

TEST_F(Felder, EntryFieldsAreDisabledInBrowseAndTheNumberAlways)
{
    for (QWidget* f : std::initializer_list<QWidget*>{w->DBEdit1, w->MitgliedCheckBox1, w->DBEdit2, w->DBMemo1,
                                                      w->Amtedit})
        EXPECT_FALSE(f->isEnabled()) << f->objectName().toStdString();
    w->ndern1->trigger();
    EXPECT_TRUE(w->DBEdit2->isEnabled());
    EXPECT_TRUE(w->DBMemo1->isEnabled());
    EXPECT_TRUE(w->Amtedit->isEnabled());
    EXPECT_FALSE(w->DBEdit1->isEnabled());
    EXPECT_TRUE(w->DBEdit1->isReadOnly());
    EXPECT_FALSE(w->Funktionsnamedit2->isEnabled() && !w->Funktionsnamedit2->isReadOnly());
}

TEST_F(Felder, TabOrderFollowsThePanelAndEnterMovesOn)
{
    w->Neueingabe1->trigger();
    ASSERT_EQ(QApplication::focusWidget(), w->MitgliednummerDBEdit2);
    const QWidget* expected[] = {w->EintrittEdit, w->GeburtstagsEdit, w->Amtedit,  w->DBEdit2, w->VornameEdit,
                                 w->DBEdit10,     w->DBEdit3,         w->DBEdit4,  w->DBEdit5, w->DBEdit6,
                                 w->DBEdit7,      w->DBEdit8,         w->DBMemo1};
    for (const QWidget* next : expected) {
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Return);
        QWidget* f = QApplication::focusWidget();
        // The combo's own line edit counts as the combo.
        if (f && f->parentWidget() == w->Amtedit) f = w->Amtedit;
        EXPECT_EQ(f, next) << (f ? f->objectName().toStdString() : "none");
    }
    QTest::keyClick(w->DBEdit8, Qt::Key_Up);
    EXPECT_EQ(QApplication::focusWidget(), w->DBEdit7);
}

TEST_F(Felder, NewBowlerStartsAsMemberAndUncheckingHidesTheMemberFields)
{
    w->Neueingabe1->trigger();
    EXPECT_EQ(w->MitgliedCheckBox1->checkState(), Qt::Checked);
    EXPECT_TRUE(memberFieldsShown());
    EXPECT_EQ(QApplication::focusWidget(), w->MitgliednummerDBEdit2);
    type(w->MitgliednummerDBEdit2, "44");
    QTest::mouseClick(w->MitgliedCheckBox1, Qt::LeftButton);
    EXPECT_FALSE(memberFieldsShown());
    type(w->DBEdit2, "Gast");
    w->CancelBtnClick();

    w->Neueingabe1->trigger();
    type(w->DBEdit2, "Gast");
    QTest::mouseClick(w->MitgliedCheckBox1, Qt::LeftButton);
    script.answer(Answer::Yes);
    w->OKBtnClick(); // stores; the next new record starts as a member again
    EXPECT_EQ(verein.feld(5, "MITGLIED"), "Falsch");
    EXPECT_TRUE(memberFieldsShown());
}

TEST_F(Felder, GuestStartsTheEntryInTheBirthday)
{
    go(adler);
    w->ndern1->trigger();
    EXPECT_FALSE(memberFieldsShown());
    EXPECT_EQ(QApplication::focusWidget(), w->GeburtstagsEdit);
}

TEST_F(Felder, ScrollingShowsTheMemberFieldsOnlyForMembersAndKeepsHiddenValues)
{
    go(schmidt);
    EXPECT_TRUE(memberFieldsShown());
    EXPECT_EQ(w->MitgliednummerDBEdit2->text(), "7");
    EXPECT_EQ(w->EintrittEdit->text(), "1998");
    go(adler);
    EXPECT_FALSE(memberFieldsShown());
    EXPECT_EQ(w->MitgliedCheckBox1->checkState(), Qt::Unchecked);
    go(schmidt);
    EXPECT_TRUE(memberFieldsShown());
    EXPECT_EQ(w->MitgliednummerDBEdit2->text(), "7");

    // Unchecking a member does not clear his number.
    w->ndern1->trigger();
    QTest::mouseClick(w->MitgliedCheckBox1, Qt::LeftButton);
    script.answer(Answer::Yes);
    w->OKBtnClick();
    EXPECT_EQ(verein.feld(schmidt, "MITGLIED"), "Falsch");
    EXPECT_EQ(verein.feld(schmidt, "MITGLIEDNR"), "7");
    EXPECT_EQ(verein.feld(schmidt, "EINTRITT"), "1998");
}

TEST_F(Felder, EmptyMitgliedShowsTheGreyBoxAndHidesLikeAGuest)
{
    go(mueller);
    t().edit();
    t().setValue("MITGLIED", engine::Value());
    t().post();
    EXPECT_EQ(w->MitgliedCheckBox1->checkState(), Qt::PartiallyChecked);
    EXPECT_FALSE(memberFieldsShown());
}

TEST_F(Felder, SameOrNoMemberNumberIsAccepted)
{
    w->Neueingabe1->trigger();
    type(w->MitgliednummerDBEdit2, "7");
    type(w->DBEdit2, "Zwilling");
    w->NeuerSatzButtonClick();
    type(w->DBEdit2, "Ohne Nummer");
    script.answer(Answer::Yes);
    w->OKBtnClick();
    w->CancelBtnClick(); // the next new record is dropped
    EXPECT_EQ(fileRecords(), 6u);
    EXPECT_EQ(verein.feld(5, "MITGLIEDNR"), "7");
    EXPECT_EQ(verein.feld(schmidt, "MITGLIEDNR"), "7");
    EXPECT_EQ(verein.feld(6, "MITGLIEDNR"), "");
    EXPECT_EQ(verein.feld(6, "NAME"), "Ohne Nummer");
}

TEST_F(Felder, OfficeNumberAndItsName)
{
    go(schmidt);
    EXPECT_EQ(w->Amtedit->currentText(), "1");
    EXPECT_EQ(w->Funktionsnamedit2->text(), "Kassierer");
    go(adler);
    EXPECT_EQ(w->Amtedit->currentText(), "");
    EXPECT_EQ(w->Funktionsnamedit2->text(), "");
    go(schulz); // his office was deleted: the number stays, the name is empty
    EXPECT_EQ(w->Amtedit->currentText(), QString::number(geloescht));
    EXPECT_EQ(w->Funktionsnamedit2->text(), "");
}

TEST_F(Felder, ChoosingAnOfficeStoresItsNumber)
{
    go(adler);
    w->ndern1->trigger();
    ASSERT_EQ(w->Amtedit->count(), 3); // the empty row and the two offices left
    EXPECT_EQ(w->Amtedit->model()->headerData(1, Qt::Horizontal).toString(), "Bezeichnung");
    EXPECT_EQ(w->Amtedit->model()->index(2, 1).data().toString(), "Sportwart");
    emit w->Amtedit->activated(2);
    EXPECT_EQ(w->Funktionsnamedit2->text(), "Sportwart");
    script.answer(Answer::Yes);
    w->OKBtnClick();
    EXPECT_EQ(verein.feld(adler, "FUNKTION"), "2");

    w->ndern1->trigger();
    emit w->Amtedit->activated(0); // the empty row: no office
    EXPECT_EQ(w->Funktionsnamedit2->text(), "");
    script.answer(Answer::Yes);
    w->OKBtnClick();
    EXPECT_EQ(verein.feld(adler, "FUNKTION"), "");
}

TEST_F(Felder, WrongDateEndsTheCommandWithTheConversionMessage)
{
    go(adler);
    w->ndern1->trigger();
    type(w->GeburtstagsEdit, "31.2.1970");
    w->OKBtnClick(); // ends before "Daten speichern ?"
    ASSERT_FALSE(script.texts().isEmpty());
    EXPECT_TRUE(script.texts().front().contains("kein gültiges Datum")) << script.texts().front().toStdString();
    EXPECT_EQ(w->tag(), Eingabemodus::Aendern);
    EXPECT_EQ(verein.feld(adler, "GEBURTSTAG"), "");
}

TEST_F(Felder, PrintItemIsOffUntilThereIsAPrintFacility)
{
    EXPECT_FALSE(w->Liste1->isEnabled());
    EXPECT_TRUE(enabled(w->Drucken1));
    verein.drucken = true;
    TMitgliederform other(*main, verein, w->suchdialoge());
    EXPECT_TRUE(other.Liste1->isEnabled());
    other.Lotsenbefehl(Lotsencode::Liste);
    ASSERT_EQ(verein.gedruckt.size(), 1u);
    EXPECT_EQ(verein.gedruckt.front(), "Mitgliederlistfilename|MITGLIEDERLIST.QR2|" + verein.pfad("KEGLER.DBF"));
}

TEST_F(Felder, ClosedTableIsReportedAndTheWindowOpensAllTheSame)
{
    t().close();
    TMitgliederform other(*main, verein, w->suchdialoge());
    EXPECT_EQ(script.texts(), QStringList({"Die Mitglieder-Tabelle ist nicht geoeffnet"}));
    EXPECT_EQ(script.shown().back().kind, common::BoxKind::Error);
    EXPECT_EQ(other.windowTitle(), "Mitglieder/Gastkegler");
    EXPECT_EQ(other.DBGrid1->model().rowCount(), 0);
    other.Neueingabe1Click(); // ends with the store's message, nothing else happens
    EXPECT_EQ(other.tag(), Eingabemodus::Blaettern);
    t().open();
}

TEST_F(Felder, GuideButtonShowsTheGuide)
{
    QTest::mouseClick(w->ToolButton4, Qt::LeftButton);
    EXPECT_NE(main->guide(), nullptr);
}

} // namespace
} // namespace trevo::masterdata::test
