// The guide over the program as it is assembled and started: every command of every
// group reaches its window and does there what the command says, on a small demo club.
#include "programmlauf.h"

#include "common/fenster/window_codes.h"

#include <QStackedWidget>

using namespace trevo;
using shell::Eingabemodus;
using app::test::Programmlauf;

namespace {

struct Gruppe {
    const char* text;
    int code;
};

const Gruppe gruppen[] = {
    {"Termin", common::Fenster::Termine},       {"Mitglieder/Gastkegler", common::Fenster::Mitglieder},
    {"Spiele", common::Fenster::Spiele},        {"Sonstige Beträge", common::Fenster::Sonstige},
    {"Kegelkasse", common::Fenster::Kegelkasse}, {"Terminplan", common::Fenster::Terminplan},
    {"Terminarten", common::Fenster::Terminarten}, {"Ämter", common::Fenster::Aemter},
};

} // namespace

TEST(Lotse, NoEntryIsGreyInTheAssembledProgram)
{
    Programmlauf p;
    ASSERT_TRUE(p.started);
    ASSERT_NE(p.lotse(), nullptr) << "docked at start-up";
    shell::GuideTree* tree = p.lotse()->TreeView1;
    for (int i = 0; i < tree->topLevelItemCount(); ++i) {
        QTreeWidgetItem* top = tree->topLevelItem(i);
        EXPECT_TRUE(top->flags() & Qt::ItemIsEnabled) << top->text(0).toStdString();
        for (int c = 0; c < top->childCount(); ++c)
            EXPECT_TRUE(top->child(c)->flags() & Qt::ItemIsEnabled)
                << top->text(0).toStdString() << "/" << top->child(c)->text(0).toStdString();
    }
}

TEST(Lotse, ListNewAndChangeReachEveryWindow)
{
    Programmlauf p;
    ASSERT_TRUE(p.started);
    for (const Gruppe& g : gruppen) {
        const QString gruppe = QString::fromUtf8(g.text);
        SCOPED_TRACE(g.text);
        p.main.FensterAktivieren(common::Fenster::Termine);

        p.ausfuehren({gruppe, "Liste"});
        EXPECT_EQ(p.main.activeCode(), g.code);
        shell::ChildWindow* w = p.main.Fensterobjekt(g.code);
        ASSERT_NE(w, nullptr);
        EXPECT_TRUE(w->isVisible());
        EXPECT_EQ(w->tag(), Eingabemodus::Blaettern);

        p.ausfuehren({gruppe, "Neueingabe"});
        EXPECT_EQ(w->tag(), Eingabemodus::Neu);
        // During an entry "Neueingabe" inserts the next record, which the empty one refuses.
        const qsizetype meldungen = p.dialoge.texts().size();
        p.ausfuehren({gruppe, "Neueingabe"});
        EXPECT_EQ(w->tag(), Eingabemodus::Neu);
        EXPECT_EQ(p.dialoge.texts().mid(meldungen).join(" | ").toStdString(),
                  g.code == common::Fenster::Termine ? "Das Datum fehlt" : "Die Daten sind nicht vollständig");
        p.ausfuehren({gruppe, "Ändern"});
        EXPECT_EQ(w->tag(), Eingabemodus::Neu) << "\"Ändern\" acts in browse mode only";
        p.eingabeVerwerfen(g.code);
        ASSERT_EQ(w->tag(), Eingabemodus::Blaettern);

        p.ausfuehren({gruppe, "Ändern"});
        EXPECT_EQ(w->tag(), Eingabemodus::Aendern);
        p.eingabeVerwerfen(g.code);
        EXPECT_EQ(w->tag(), Eingabemodus::Blaettern);
        EXPECT_EQ(p.main.activeCode(), g.code);
    }
    EXPECT_TRUE(p.dialoge.problems().isEmpty()) << p.dialoge.problems().join(" | ").toStdString();
}

TEST(Lotse, SortRangeSearchAndPrintShowTheirDialogs)
{
    Programmlauf p;
    ASSERT_TRUE(p.started);
    for (const Gruppe& g : gruppen) {
        const QString gruppe = QString::fromUtf8(g.text);
        SCOPED_TRACE(g.text);
        p.main.FensterAktivieren(common::Fenster::Termine);
        // Each command shows its own dialog, known by its caption.
        const std::pair<const char*, const char*> befehle[] = {
            {"Sortierung", "Sortierung"}, {"Bereich (Filter)", "Anzeigebereich"}, {"Suchen", "Suchen"}};
        for (const auto& [befehl, titel] : befehle) {
            SCOPED_TRACE(befehl);
            const qsizetype vorher = p.modal.shown().size();
            p.modal.then([](QDialog& d) { d.reject(); });
            p.ausfuehren({gruppe, QString::fromUtf8(befehl)});
            EXPECT_EQ(p.main.activeCode(), g.code);
            ASSERT_EQ(p.modal.shown().size(), vorher + 1) << "no dialog";
            EXPECT_EQ(p.modal.shown().back().toStdString(), titel);
            EXPECT_EQ(p.modal.pending(), 0u);
        }
        const int vorher = p.druckdialoge;
        p.ausfuehren({gruppe, "Liste drucken"});
        EXPECT_EQ(p.druckdialoge, vorher + 1) << "the print dialog";
    }
    EXPECT_TRUE(p.modal.problems().isEmpty()) << p.modal.problems().join(" | ").toStdString();
    EXPECT_TRUE(p.dialoge.texts().isEmpty()) << p.dialoge.texts().join(" | ").toStdString();
}

TEST(Lotse, TheEveningsEvaluationsOpenTheEvaluationWindow)
{
    Programmlauf p;
    ASSERT_TRUE(p.started);
    p.ausfuehren({"Termin", "Auswerten - Aktueller Termin"});
    EXPECT_EQ(p.main.activeCode(), common::Fenster::Auswerten);
    EXPECT_GT(p.programm->datenmodul()->d().AuswertungsTable1.recordCount(), 0u) << "the evening was evaluated";

    // Period evaluation on the request's page of a bowler, ranking on the page of an item.
    const std::pair<const char*, int> anfragen[] = {{"Auswerten - Zeitraum", 0}, {"Auswerten - Rangliste", 1}};
    for (const auto& [befehl, seite] : anfragen) {
        SCOPED_TRACE(befehl);
        p.main.FensterAktivieren(common::Fenster::Termine);
        const qsizetype vorher = p.modal.shown().size();
        int gezeigt = -1;
        p.modal.then([&gezeigt](QDialog& d) {
            if (auto* seiten = d.findChild<QStackedWidget*>()) gezeigt = seiten->currentIndex();
            d.reject();
        });
        p.ausfuehren({"Termin", QString::fromUtf8(befehl)});
        EXPECT_EQ(p.modal.shown().size(), vorher + 1) << "the request dialog";
        EXPECT_EQ(gezeigt, seite);
        // A cancelled request leaves the evaluation window the way "Schließen" does.
        EXPECT_EQ(p.main.activeCode(), common::Fenster::Termine);
        EXPECT_EQ(p.main.history().entries().back(), common::Fenster::Termine);
    }
    EXPECT_TRUE(p.modal.problems().isEmpty()) << p.modal.problems().join(" | ").toStdString();
}

TEST(Lotse, OptionsAndEnd)
{
    Programmlauf p;
    ASSERT_TRUE(p.started);
    p.ausfuehren({"Optionen"});
    EXPECT_EQ(p.main.activeCode(), common::Fenster::Optionen);
    p.dialoge.answer(common::Answer::No);
    p.ausfuehren({"Programm beenden"});
    EXPECT_EQ(p.dialoge.texts(), QStringList{"Programm beenden ?"});
}
