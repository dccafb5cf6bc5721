// The designer's document: changes, selection, undo and redo, bands, names.
#include "reports/designer/entwurf.h"
#include "reports/format/layout_reader.h"
#include "reports/vorlagen/vorlagen.h"

#include <gtest/gtest.h>

namespace trevo::reports::designer {
namespace {

Layout mitgliederliste()
{
    LayoutReadResult r = readLayout(vorlage(QStringLiteral("MITGLIEDERLIST.QR2")), QStringLiteral("MITGLIEDERLIST.QR2"));
    EXPECT_TRUE(r.ok()) << r.error.toStdString();
    return *r.layout;
}

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

struct EntwurfTest : ::testing::Test {
    EntwurfTest() { entwurf.neu(original); }
    Element* e(const QString& name) { return const_cast<Element*>(entwurf.element(ref(entwurf.layout(), name))); }
    Layout original = mitgliederliste();
    Entwurf entwurf;
};

TEST_F(EntwurfTest, UndoBringsBackEveryEarlierStateExactlyAndRedoTheLaterOnes)
{
    std::vector<Layout> staende{entwurf.layout()};
    entwurf.waehlen({ref(entwurf.layout(), "Telefon1"), ref(entwurf.layout(), "Telefon2")});
    EXPECT_TRUE(entwurf.verschieben(5, 1.5));
    staende.push_back(entwurf.layout());
    EXPECT_TRUE(entwurf.groesseAendern(-4, 0));
    staende.push_back(entwurf.layout());
    EXPECT_TRUE(entwurf.aendern("Text", [](Layout& l) { l.find<LabelElement>(u"Titel")->text = "Unser Club"; }));
    staende.push_back(entwurf.layout());
    Element neu;
    neu.name = "Feld1";
    neu.box = {10, 2, 30, 5};
    neu.data = FieldElement{"KEGLER", "GEBURTSTAG", "dd.mm.yyyy"};
    EXPECT_TRUE(entwurf.hinzufuegen(BandKind::Detail, neu));
    staende.push_back(entwurf.layout());
    entwurf.waehlen({ref(entwurf.layout(), "Email")});
    EXPECT_TRUE(entwurf.loeschen());
    staende.push_back(entwurf.layout());
    EXPECT_TRUE(entwurf.bereichHoehe(BandKind::Detail, 14));
    staende.push_back(entwurf.layout());
    EXPECT_TRUE(entwurf.bereichLoeschen(BandKind::Summary).isEmpty());
    staende.push_back(entwurf.layout());
    EXPECT_TRUE(entwurf.geaendert());

    for (size_t i = staende.size() - 1; i > 0; --i) {
        entwurf.undoStack().undo();
        EXPECT_EQ(entwurf.layout(), staende[i - 1]) << "nach Rückgängig zu Stand " << i - 1;
    }
    EXPECT_EQ(entwurf.layout(), original);
    EXPECT_FALSE(entwurf.geaendert());
    for (size_t i = 1; i < staende.size(); ++i) {
        entwurf.undoStack().redo();
        EXPECT_EQ(entwurf.layout(), staende[i]) << "nach Wiederholen zu Stand " << i;
    }
}

TEST_F(EntwurfTest, UndoRestoresTheSelectionOfItsStepAndDropsPlacesThatNoLongerExist)
{
    const ElementRef email = ref(entwurf.layout(), "Email");
    entwurf.waehlen({email});
    entwurf.loeschen();
    EXPECT_TRUE(entwurf.auswahl().empty());
    entwurf.undoStack().undo();
    ASSERT_EQ(entwurf.auswahl().size(), 1u);
    EXPECT_EQ(entwurf.element(entwurf.auswahl().front())->name, "Email");

    const int letztes = static_cast<int>(entwurf.layout().band(BandKind::Detail)->elements.size()) - 1;
    entwurf.waehlen({{BandKind::Detail, letztes}, {BandKind::Detail, letztes + 5}, {BandKind::Title, 0}});
    EXPECT_EQ(entwurf.auswahl(), (std::vector<ElementRef>{{BandKind::Detail, letztes}}));
}

TEST_F(EntwurfTest, MovingKeepsTheSelectionTogetherAtTheTopLeftEdgeAndAChangeThatChangesNothingIsNoStep)
{
    const QRectF nummer = e("Nummer")->box; // x 0
    const QRectF name = e("Name")->box;     // x 12
    entwurf.waehlen({ref(entwurf.layout(), "Nummer"), ref(entwurf.layout(), "Name")});
    EXPECT_TRUE(entwurf.verschieben(-5, 0.2));
    EXPECT_EQ(e("Nummer")->box, nummer.translated(0, 0.2));
    EXPECT_EQ(e("Name")->box, name.translated(0, 0.2));
    const int schritte = entwurf.undoStack().count();
    EXPECT_FALSE(entwurf.verschieben(-3, 0)); // already at the left edge
    EXPECT_FALSE(entwurf.aendern("nichts", [](Layout&) {}));
    EXPECT_EQ(entwurf.undoStack().count(), schritte);

    entwurf.waehlen({ref(entwurf.layout(), "Nummer")});
    entwurf.groesseAendern(-50, -50);
    EXPECT_EQ(e("Nummer")->box.size(), QSizeF(0, 0));
}

TEST_F(EntwurfTest, NewAndPastedElementsGetNamesNotYetUsedWithoutRegardToCase)
{
    Element e1;
    e1.name = "name"; // "Name" exists
    e1.data = LabelElement{"x"};
    const auto neu = entwurf.hinzufuegen(BandKind::Detail, e1);
    ASSERT_TRUE(neu);
    EXPECT_EQ(entwurf.element(*neu)->name, "name1");
    EXPECT_EQ(entwurf.auswahl(), std::vector<ElementRef>{*neu});

    entwurf.waehlen({ref(entwurf.layout(), "Telefon1"), ref(entwurf.layout(), "Titel")});
    const std::vector<Element> kopie = entwurf.kopie();
    EXPECT_TRUE(entwurf.einfuegen(BandKind::Summary, kopie));
    ASSERT_EQ(entwurf.auswahl().size(), 2u);
    EXPECT_EQ(entwurf.element(entwurf.auswahl()[0])->name, "Telefon3"); // Telefon2 is taken
    EXPECT_EQ(entwurf.element(entwurf.auswahl()[1])->name, "Titel1");
    EXPECT_EQ(entwurf.auswahl()[0].band, BandKind::Summary);

    EXPECT_FALSE(entwurf.nameFrei("TITEL"));
    EXPECT_TRUE(entwurf.nameFrei("Titel", ref(entwurf.layout(), "Titel")));
    EXPECT_TRUE(entwurf.nameFrei(""));
}

TEST_F(EntwurfTest, AligningAndDistributing)
{
    const ElementRef a = ref(entwurf.layout(), "Strasse"), b = ref(entwurf.layout(), "Telefon1"), c = ref(entwurf.layout(), "Mitglied");
    entwurf.waehlen({a});
    EXPECT_FALSE(entwurf.ausrichten(Ausrichtung::Oben)); // one element: nothing to align with
    entwurf.aendern("y", [&](Layout& l) {
        Entwurf::element(l, a)->box = {10, 3, 20, 5};
        Entwurf::element(l, b)->box = {50, 1, 10, 5};
        Entwurf::element(l, c)->box = {100, 2, 30, 6};
    });
    entwurf.waehlen({a, b, c});
    EXPECT_TRUE(entwurf.ausrichten(Ausrichtung::Oben));
    EXPECT_EQ(entwurf.element(a)->box.top(), 1);
    EXPECT_EQ(entwurf.element(c)->box.top(), 1);
    EXPECT_TRUE(entwurf.ausrichten(Ausrichtung::Unten));
    EXPECT_EQ(entwurf.element(a)->box.bottom(), 7);
    EXPECT_EQ(entwurf.element(b)->box.bottom(), 7);
    EXPECT_TRUE(entwurf.ausrichten(Ausrichtung::Rechts));
    EXPECT_EQ(entwurf.element(b)->box.right(), 130);
    entwurf.undoStack().undo();
    // From 10 to 130 with 60 mm of boxes: two gaps of 30 mm.
    EXPECT_TRUE(entwurf.verteilen(Qt::Horizontal));
    EXPECT_EQ(entwurf.element(a)->box.left(), 10);
    EXPECT_EQ(entwurf.element(b)->box.left(), 60);
    EXPECT_EQ(entwurf.element(c)->box.left(), 100);
    entwurf.waehlen({a, b});
    EXPECT_FALSE(entwurf.verteilen(Qt::Horizontal));
}

TEST_F(EntwurfTest, BandsKeepTheRulesOfTheFormat)
{
    EXPECT_FALSE(entwurf.bereichHinzufuegen(BandKind::Detail).isEmpty()); // exists
    EXPECT_FALSE(entwurf.bereichHinzufuegen(BandKind::GroupFooter).isEmpty());
    EXPECT_FALSE(entwurf.bereichHinzufuegen(BandKind::GroupHeader).isEmpty()); // no group field
    EXPECT_TRUE(entwurf.bereichHinzufuegen(BandKind::GroupHeader, {}, " ORT ").isEmpty());
    EXPECT_EQ(entwurf.layout().band(BandKind::GroupHeader)->groupField, "ORT");
    EXPECT_EQ(entwurf.bereich(), BandKind::GroupHeader);
    EXPECT_TRUE(entwurf.bereichHinzufuegen(BandKind::GroupFooter).isEmpty());
    EXPECT_FALSE(entwurf.bereichLoeschen(BandKind::Detail).isEmpty());
    EXPECT_FALSE(entwurf.bereichLoeschen(BandKind::GroupHeader).isEmpty());
    EXPECT_TRUE(entwurf.bereichLoeschen(BandKind::GroupFooter).isEmpty());
    EXPECT_TRUE(entwurf.bereichLoeschen(BandKind::GroupHeader).isEmpty());

    Entwurf leer;
    leer.neu({});
    EXPECT_FALSE(leer.bereichHinzufuegen(BandKind::Detail).isEmpty()); // no data source
    leer.aendern("q", [](Layout& l) { l.sources.push_back({"T", "TERMINE.DBF", {}, {}}); });
    EXPECT_TRUE(leer.bereichHinzufuegen(BandKind::Detail).isEmpty());
    EXPECT_EQ(leer.layout().band(BandKind::Detail)->source, "T");
    EXPECT_TRUE(leer.bereichHinzufuegen(BandKind::Title).isEmpty());
    EXPECT_EQ(leer.layout().bands.front().kind, BandKind::Title); // in the order they print
}

TEST(Quellen, UseOfASourceIsFoundInFieldsMemosExpressionsAndTheDetailBand)
{
    Layout l = mitgliederliste();
    EXPECT_TRUE(quelleBenutzt(l, "kegler"));
    l.sources.push_back({"WERTE", "WERTETAB.DBF", {}, {}});
    EXPECT_FALSE(quelleBenutzt(l, "WERTE"));
    Element x;
    x.data = ExprElement{"\"Datum \" + werte.WERT", {}};
    l.band(BandKind::Summary)->elements.push_back(x);
    EXPECT_TRUE(quelleBenutzt(l, "WERTE"));
    EXPECT_TRUE(gueltigerQuellname("WERTE_2"));
    EXPECT_FALSE(gueltigerQuellname("2WERTE"));
    EXPECT_FALSE(gueltigerQuellname("MEINE WERTE"));
    EXPECT_FALSE(gueltigerQuellname(""));
}

} // namespace
} // namespace trevo::reports::designer
