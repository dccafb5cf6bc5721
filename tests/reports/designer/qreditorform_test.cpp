// The report designer worked through its real widgets: the member list changed, saved,
// read back and printed; undo; a damaged file; saves that fail.
#include "common/dialogs/scripted_dialogs.h"
#include "engine/dataset/table_data_set.h"
#include "engine/fs/fault_file_system.h"
#include "reports/designer/eigenschaften.h"
#include "reports/designer/entwurfsansicht.h"
#include "reports/designer/qreditorform.h"
#include "reports/designer/reportgenerator.h"
#include "reports/druck/memo_adjustment.h"
#include "reports/format/layout_reader.h"
#include "reports/render/element_text.h"
#include "reports/report.h"
#include "reports/vorlagen/vorlagen.h"
#include "../druck_test_util.h"

#include <QAction>
#include <QComboBox>
#include <QDoubleSpinBox>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QTest>
#include <QToolBar>

#include <gtest/gtest.h>

namespace trevo::reports::designer {
namespace {


// The place of the element of that name.
ElementRef ref(const Layout& l, const QString& name)
{
    for (const Band& b : l.bands) {
        int i = 0;
        for (const Element& e : b.elements) {
            if (e.name == name) return {b.kind, i};
            ++i;
        }
    }
    ADD_FAILURE() << "kein Element " << name.toStdString();
    return {};
}

QAction* werkzeug(TQREditorForm& form, const QString& text)
{
    for (QToolBar* leiste : form.findChildren<QToolBar*>())
        for (QAction* a : leiste->actions())
            if (a->text() == text) return a;
    ADD_FAILURE() << "kein Werkzeug " << text.toStdString();
    return nullptr;
}

void eintippen(QLineEdit* edit, const QString& text)
{
    edit->selectAll();
    QTest::keyClicks(edit, text);
    QTest::keyClick(edit, Qt::Key_Return);
}

struct DesignerTest : ::testing::Test {
    DesignerTest()
    {
        vorlagenAnlegen(club.folder);
        const LayoutReadResult r = readLayoutFile(pfad);
        EXPECT_TRUE(r.ok());
        original = *r.layout;
    }
    const Element& element(TQREditorForm& form, const QString& name)
    {
        return *form.entwurf().element(ref(form.entwurf().layout(), name));
    }
    void klick(TQREditorForm& form, const QString& name, Qt::KeyboardModifiers mods = {})
    {
        const QRectF r = form.Ansicht->elementRechteck(ref(form.entwurf().layout(), name));
        QTest::mouseClick(form.Ansicht, Qt::LeftButton, mods, r.center().toPoint());
    }
    // The changes of the member list: the title's text, a phone number moved 10 mm to the
    // right with the mouse, the street 1.1 mm with the keys, a birthday column added in a
    // taller detail band.
    void aendern(TQREditorForm& form)
    {
        form.show();
        ASSERT_TRUE(QTest::qWaitForWindowActive(&form));
        EigenschaftenPanel& panel = *form.Panel;
        EntwurfsAnsicht& ansicht = *form.Ansicht;

        klick(form, "Titel");
        ASSERT_EQ(form.entwurf().auswahl(), std::vector<ElementRef>{ref(form.entwurf().layout(), "Titel")});
        EXPECT_EQ(panel.TextEdit->text(), "Mitgliederliste");
        eintippen(panel.TextEdit, "Mitglieder vom Kegelclub Alle Neune");

        const QPoint von = ansicht.elementRechteck(ref(form.entwurf().layout(), "Telefon1")).center().toPoint();
        const QPoint nach = von + QPoint(qRound(10 * ansicht.pxProMm()), 0);
        QTest::mousePress(&ansicht, Qt::LeftButton, {}, von);
        QTest::mouseMove(&ansicht, (von + nach) / 2);
        QTest::mouseMove(&ansicht, nach);
        QTest::mouseRelease(&ansicht, Qt::LeftButton, {}, nach);

        klick(form, "Strasse");
        QTest::keyClick(&ansicht, Qt::Key_Right);
        QTest::keyClick(&ansicht, Qt::Key_Right, Qt::ControlModifier);

        // The detail band by its caption, taller; then a new data field on it.
        QTest::mouseClick(&ansicht, Qt::LeftButton, {}, ansicht.beschriftung(BandKind::Detail).center().toPoint());
        ASSERT_EQ(form.entwurf().bereich(), BandKind::Detail);
        panel.BereichHoeheSpin->setValue(16);
        werkzeug(form, "+ Datenfeld")->trigger();
        ASSERT_EQ(form.entwurf().auswahl().size(), 1u);
        eintippen(panel.NameEdit, "Geburtstag");
        eintippen(panel.FeldBox->lineEdit(), "geburtstag");
        eintippen(panel.FormatBox->lineEdit(), "dd.mm.yyyy");
        panel.XSpin->setValue(76);
        panel.YSpin->setValue(10.5);
        panel.BreiteSpin->setValue(40);
    }
    std::string birthday()
    {
        engine::TableDataSet kegler(club.db, club.db.session(), club.path("KEGLER.DBF"));
        kegler.open();
        for (bool more = kegler.first(); more; more = kegler.next())
            if (!kegler.value("GEBURTSTAG").isNull())
                return valueText(kegler.value("GEBURTSTAG"), nullptr, "dd.mm.yyyy").toStdString();
        return {};
    }

    reports::test::ClubFolder club{6};
    reports::test::FolderUmgebung umgebung{club};
    common::ScriptedDialogs dialogs;
    common::DialogsScope scope{dialogs};
    QString pfad = QString::fromStdString(club.folder) + "MITGLIEDERLIST.QR2";
    Layout original;
};

TEST_F(DesignerTest, TheMemberListChangedWithMouseAndKeysIsSavedAndPrintsTheChanges)
{
    Reportgenerator generator(umgebung);
    QStringList vorschau;
    generator.zeigeModal = [&](QDialog& d) {
        auto& form = dynamic_cast<TQREditorForm&>(d);
        EXPECT_EQ(form.windowTitle(), "Report");
        EXPECT_EQ(form.pfad(), pfad);
        aendern(form);
        EXPECT_TRUE(form.entwurf().geaendert());
        form.zeigeVorschau = [&](Report& report) {
            for (const Page& p : report.printout().pages)
                for (const PageItem& item : p.items)
                    if (const auto* t = std::get_if<TextRun>(&item)) vorschau << t->text;
        };
        form.VorschauAction->trigger();
        QTest::keyClick(form.Ansicht, Qt::Key_S, Qt::ControlModifier);
        EXPECT_FALSE(form.entwurf().geaendert());
        form.reject();
        return form.result();
    };
    generator.OeffneReport(pfad);
    EXPECT_TRUE(dialogs.texts().isEmpty()) << dialogs.texts().join(" | ").toStdString();
    EXPECT_TRUE(vorschau.contains("Mitglieder vom Kegelclub Alle Neune"));

    const LayoutReadResult gelesen = readLayoutFile(pfad);
    ASSERT_TRUE(gelesen.ok()) << gelesen.error.toStdString();
    Layout erwartet = original;
    erwartet.find<LabelElement>(u"Titel")->text = "Mitglieder vom Kegelclub Alle Neune";
    erwartet.element(u"Telefon1")->box.translate(10, 0);
    erwartet.element(u"Strasse")->box.translate(1.1, 0);
    erwartet.band(BandKind::Detail)->heightMm = 16;
    Element geburtstag;
    geburtstag.name = "Geburtstag";
    geburtstag.box = QRectF(76, 10.5, 40, 5);
    geburtstag.data = FieldElement{"KEGLER", "GEBURTSTAG", "dd.mm.yyyy"};
    erwartet.band(BandKind::Detail)->elements.push_back(geburtstag);
    const Layout& ist = *gelesen.layout;
    EXPECT_NEAR(ist.element(u"Strasse")->box.left(), erwartet.element(u"Strasse")->box.left(), 1e-9);
    const_cast<Element*>(ist.element(u"Strasse"))->box = erwartet.element(u"Strasse")->box;
    EXPECT_EQ(ist, erwartet);

    Report report(club.db, club.db.session());
    report.setFolderFinder([this](const std::string&) { return club.folder; });
    report.setAfterLoad(adjustMemos);
    ASSERT_TRUE(report.load(pfad)) << report.errorText().toStdString();
    QTemporaryDir out;
    ASSERT_TRUE(report.renderToPdf(out.filePath("liste.pdf"))) << report.errorText().toStdString();
    const QString text = reports::test::pdfText(out.filePath("liste.pdf"));
    EXPECT_TRUE(text.contains("Mitglieder vom Kegelclub Alle Neune"));
    const std::string tag = birthday();
    ASSERT_FALSE(tag.empty());
    EXPECT_TRUE(text.contains(QString::fromStdString(tag))) << tag;
}

TEST_F(DesignerTest, UndoTakesEveryChangeBackToTheLoadedLayoutAndRedoRepeatsThem)
{
    TQREditorForm form(umgebung);
    ASSERT_TRUE(form.laden(pfad));
    aendern(form);
    const Layout geaendert = form.entwurf().layout();
    int schritte = 0;
    while (form.RueckgaengigAction->isEnabled() && schritte < 50) {
        QTest::keyClick(form.Ansicht, Qt::Key_Z, Qt::ControlModifier);
        ++schritte;
    }
    EXPECT_GE(schritte, 10);
    EXPECT_EQ(form.entwurf().layout(), original);
    EXPECT_FALSE(form.entwurf().geaendert());
    for (int i = 0; i < schritte; ++i) QTest::keyClick(form.Ansicht, Qt::Key_Y, Qt::ControlModifier);
    EXPECT_EQ(form.entwurf().layout(), geaendert);
    // Entf deletes the selection, Strg+C and Strg+V copy it onto its band.
    klick(form, "Email");
    QTest::keyClick(form.Ansicht, Qt::Key_C, Qt::ControlModifier);
    QTest::keyClick(form.Ansicht, Qt::Key_V, Qt::ControlModifier);
    EXPECT_EQ(element(form, "Email1").box, element(form, "Email").box.translated(2, 2));
    QTest::keyClick(form.Ansicht, Qt::Key_Delete);
    EXPECT_EQ(form.entwurf().layout(), geaendert);
    form.hide();
    dialogs.answer(common::Answer::No);
    form.reject();
}

TEST_F(DesignerTest, ThePanelOffersTheSourcesAndTheFieldsOfTheirTablesAndABandEdgeDragsItsHeight)
{
    TQREditorForm form(umgebung);
    ASSERT_TRUE(form.laden(QString::fromStdString(club.folder) + "ERGEBNISSE1.QR2"));
    form.show();
    klick(form, "Name");
    QStringList quellen, felder;
    for (int i = 0; i < form.Panel->QuelleBox->count(); ++i) quellen << form.Panel->QuelleBox->itemText(i);
    for (int i = 0; i < form.Panel->FeldBox->count(); ++i) felder << form.Panel->FeldBox->itemText(i);
    EXPECT_EQ(quellen, QStringList({"AUSWERTUNG", "DATUM", "WAEHRUNG", "GESAMT"}));
    EXPECT_EQ(form.Panel->QuelleBox->currentText(), "AUSWERTUNG");
    EXPECT_EQ(form.Panel->FeldBox->currentText(), "NAME");
    EXPECT_TRUE(felder.contains("SUMME") && felder.contains("BEITRAG") && felder.contains("NUMMER")) << felder.join(' ').toStdString();

    // Another source: the field keeps its name when the new table has it.
    form.Panel->QuelleBox->setCurrentText("DATUM");
    emit form.Panel->QuelleBox->activated(form.Panel->QuelleBox->currentIndex());
    EXPECT_EQ(element(form, "Name").as<FieldElement>()->source, "DATUM");
    EXPECT_EQ(element(form, "Name").as<FieldElement>()->field, "NUMMER");

    EntwurfsAnsicht& ansicht = *form.Ansicht;
    const double vorher = form.entwurf().layout().band(BandKind::Summary)->heightMm;
    const QRectF kopf = ansicht.beschriftung(BandKind::Summary);
    const QPoint kante(qRound(kopf.left() + 5), qRound(ansicht.bandUrsprung(BandKind::Summary).y() + vorher * ansicht.pxProMm()));
    const QPoint nach = kante + QPoint(0, qRound(6 * ansicht.pxProMm()));
    QTest::mousePress(&ansicht, Qt::LeftButton, {}, kante);
    QTest::mouseMove(&ansicht, nach);
    QTest::mouseRelease(&ansicht, Qt::LeftButton, {}, nach);
    EXPECT_EQ(form.entwurf().layout().band(BandKind::Summary)->heightMm, vorher + 6);
    EXPECT_EQ(form.entwurf().bereich(), BandKind::Summary);
    EXPECT_EQ(form.Panel->BereichHoeheSpin->value(), vorher + 6);
    form.entwurf().gespeichert();
    form.hide();
}

TEST_F(DesignerTest, EditsTheLayoutCannotTakeAreRefusedWithAMessageAndChangeNothing)
{
    TQREditorForm form(umgebung);
    ASSERT_TRUE(form.laden(pfad));
    form.show();
    EigenschaftenPanel& panel = *form.Panel;
    klick(form, "Strasse");
    eintippen(panel.NameEdit, "telefon1");
    eintippen(panel.NameEdit, "Strasse"); // its own name is no clash
    klick(form, "Ort");
    eintippen(panel.AusdruckEdit, "KEGLER.PLZ + \" \" +");
    eintippen(panel.AusdruckEdit, "WERTE.WERT");
    EXPECT_EQ(panel.AusdruckEdit->text(), "KEGLER.PLZ + \" \" + KEGLER.ORT");
    // Beside the paper: the page, whose source KEGLER is still read.
    QTest::mouseClick(form.Ansicht, Qt::LeftButton, {}, QPoint(form.Ansicht->width() - 3, form.Ansicht->height() - 3));
    ASSERT_EQ(panel.QuellenListe->currentItem()->text(), "KEGLER");
    panel.QuelleLoeschenBtn->click();
    eintippen(panel.QuellnameEdit, "MITGLIEDER");
    const QStringList texte = dialogs.texts();
    ASSERT_EQ(texte.size(), 5) << texte.join(" | ").toStdString();
    EXPECT_EQ(texte[0], "Der Name telefon1 ist im Report schon vergeben.");
    EXPECT_TRUE(texte[1].startsWith("Fehlerhafter Ausdruck: ")) << texte[1].toStdString();
    EXPECT_EQ(texte[2], "Fehlerhafter Ausdruck: die Datenquelle WERTE gibt es im Report nicht.");
    EXPECT_EQ(texte[3], "Die Datenquelle KEGLER wird im Report noch verwendet.");
    EXPECT_EQ(texte[4], "Die Datenquelle KEGLER wird im Report verwendet und kann nicht umbenannt werden.");
    EXPECT_EQ(form.entwurf().layout(), original);
    EXPECT_FALSE(form.entwurf().geaendert());

    // A layout without sources takes no data field, and without bands no element at all.
    form.entwurf().neu({});
    werkzeug(form, "+ Text")->trigger();
    form.entwurf().bereichHinzufuegen(BandKind::Title);
    werkzeug(form, "+ Datenfeld")->trigger();
    werkzeug(form, "+ Text")->trigger();
    EXPECT_EQ(dialogs.texts().mid(5), QStringList({"Fügen Sie zuerst einen Bereich ein (Menü „Einfügen“, „Bereich“).",
                                                   "Legen Sie zuerst bei den Eigenschaften der Seite eine Datenquelle an."}));
    ASSERT_EQ(form.entwurf().layout().band(BandKind::Title)->elements.size(), 1u);
    EXPECT_EQ(form.entwurf().layout().band(BandKind::Title)->elements.front().name, "Text1");
    form.entwurf().gespeichert();
    form.hide();
}

TEST_F(DesignerTest, ADamagedFileOpensAnEmptyDesignerAfterTheMessage)
{
    const QString kaputt = QString::fromStdString(club.folder) + "KAPUTT.QR2";
    QFile f(kaputt);
    ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    f.write("<trevo-report version=\"1\"><band kind=\"nirgends\"");
    f.close();
    Reportgenerator generator(umgebung);
    int gezeigt = 0;
    generator.zeigeModal = [&](QDialog& d) {
        ++gezeigt;
        auto& form = dynamic_cast<TQREditorForm&>(d);
        EXPECT_EQ(dialogs.texts(), QStringList{"Fehler beim Laden des Reports " + kaputt});
        EXPECT_EQ(form.entwurf().layout(), Layout{});
        EXPECT_FALSE(form.entwurf().geaendert());
        return 0;
    };
    generator.OeffneReport(kaputt);
    EXPECT_EQ(gezeigt, 1);
    QFile wieder(kaputt);
    ASSERT_TRUE(wieder.open(QIODevice::ReadOnly));
    EXPECT_EQ(wieder.readAll(), "<trevo-report version=\"1\"><band kind=\"nirgends\"");
}

TEST_F(DesignerTest, ASaveOntoAFullDiskKeepsTheOldFileAndTheChangesAndClosingAsksAgain)
{
    engine::MemoryFileSystem mem;
    const QByteArray alt = vorlage("MITGLIEDERLIST.QR2");
    mem.putFile("/daten/MITGLIEDERLIST.QR2", alt.toStdString());
    engine::FaultFileSystem fs(mem);
    TQREditorForm form(umgebung, nullptr, &fs);
    ASSERT_TRUE(form.laden("/daten/MITGLIEDERLIST.QR2"));
    form.show();
    klick(form, "Titel");
    eintippen(form.Panel->TextEdit, "Neuer Titel");
    const auto inhalt = [&] {
        const std::vector<uint8_t> c = mem.contents("/daten/MITGLIEDERLIST.QR2");
        return QByteArray(reinterpret_cast<const char*>(c.data()), static_cast<qsizetype>(c.size()));
    };

    fs.failAt(engine::PointKind::Write, 2, true);
    form.SpeichernAction->trigger();
    ASSERT_EQ(dialogs.shown().size(), 1u);
    EXPECT_EQ(dialogs.shown()[0].kind, common::BoxKind::Error);
    EXPECT_TRUE(dialogs.shown()[0].text.startsWith("Die Reportdatei MITGLIEDERLIST.QR2 kann nicht gespeichert werden"));
    EXPECT_EQ(inhalt(), alt);
    EXPECT_TRUE(form.entwurf().geaendert());

    // Closing: Yes saves, which fails again: the designer stays open with the changes.
    dialogs.answer(common::Answer::Yes);
    form.reject();
    EXPECT_TRUE(form.isVisible());
    EXPECT_EQ(dialogs.texts().mid(1), QStringList({"Änderungen speichern ?", dialogs.texts().value(2)}));
    EXPECT_EQ(dialogs.shown().back().kind, common::BoxKind::Error);
    EXPECT_EQ(inhalt(), alt);
    EXPECT_EQ(form.entwurf().layout().element(u"Titel")->as<LabelElement>()->text, "Neuer Titel");

    // Cancel keeps it open; once the disk has room, Yes saves and closes.
    dialogs.answer(common::Answer::Cancel);
    form.reject();
    EXPECT_TRUE(form.isVisible());
    fs.reset();
    dialogs.answer(common::Answer::Yes);
    form.reject();
    EXPECT_FALSE(form.isVisible());
    const LayoutReadResult neu = readLayout(inhalt(), "MITGLIEDERLIST.QR2");
    ASSERT_TRUE(neu.ok());
    EXPECT_EQ(neu.layout->find<LabelElement>(u"Titel")->text, "Neuer Titel");
}

} // namespace
} // namespace trevo::reports::designer
