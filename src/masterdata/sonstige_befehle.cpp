// The other-items window's commands on price lists, and how the list follows the
// pattern's commands on its items (see the states in sonstige_form.h).
#include "masterdata/sonstige_form.h"

#include "common/dialogs/dialogs.h"
#include "common/fenster/window_codes.h"
#include "dbcontrols/data_link.h"
#include "dbcontrols/db_edit.h"
#include "engine/database.h"
#include "engine/dataset/table_data_set.h"
#include "engine/sql/sql.h"
#include "shell/fensterdienste.h"
#include "shell/shell_services.h"
#include "shell/stammdaten/datenzugang.h"

namespace trevo::masterdata {

using shell::Eingabemodus;

namespace {

std::vector<engine::Value> gespeicherteWerte(engine::DataSet& ds)
{
    std::vector<engine::Value> werte;
    for (int f = 0; f < ds.fieldCount(); ++f)
        if (ds.field(f).kind == engine::FieldKind::Stored) werte.push_back(ds.value(f));
    return werte;
}

} // namespace

// ---- the price list alongside the items ----

void TSonstigeform::eingabenUebernehmen()
{
    TStammdatenForm::eingabenUebernehmen();
    if (engine::TableDataSet* liste = preislisten()) controls::updateRecord(*liste);
}

void TSonstigeform::detailAbschliessen()
{
    engine::TableDataSet* t = tabelle();
    if (!t || !t->editing()) return;
    if (unberuehrterNeuerSatz())
        t->cancel();
    else
        t->checkBrowseMode();
}

void TSonstigeform::preislisteAnfuegen()
{
    engine::TableDataSet* liste = preislisten();
    detailAbschliessen(); // it belongs to the list before
    listeAngefuegt_.clear();
    liste->append(); // the data module stores a pending list, opens the transaction, numbers
    listeAngefuegt_ = gespeicherteWerte(*liste);
}

bool TSonstigeform::unberuehrtePreisliste()
{
    engine::TableDataSet* liste = preislisten();
    engine::TableDataSet* t = tabelle();
    if (!liste || liste->state() != engine::DataSetState::Insert || listeAngefuegt_.empty()) return false;
    if (gespeicherteWerte(*liste) != listeAngefuegt_) return false;
    return t && !t->editing() && t->isEmpty();
}

void TSonstigeform::preislisteBearbeiten()
{
    engine::TableDataSet* liste = preislisten();
    if (!liste || liste->editing()) return;
    if (liste->isEmpty())
        preislisteAnfuegen(); // the first list of the club
    else
        liste->edit();
}

void TSonstigeform::vorAendern() { preislisteBearbeiten(); }

void TSonstigeform::vorAnfuegen() { preislisteBearbeiten(); }

bool TSonstigeform::preislisteAbschliessen(bool speichern)
{
    engine::TableDataSet* liste = preislisten();
    engine::TableDataSet* t = tabelle();
    if (t && t->editing()) {
        if (speichern)
            t->post();
        else
            t->cancel();
    }
    if (!liste || !liste->editing()) return false;
    bool behalten = speichern;
    if (!behalten)
        behalten = liste->state() == engine::DataSetState::Insert ? !unberuehrtePreisliste() : liste->modified();
    if (behalten)
        liste->post(); // a new list commits its transaction with its items
    else
        liste->cancel(); // a new list rolls its transaction back
    return behalten;
}

void TSonstigeform::datensatzAbgeschlossen(bool gespeichert)
{
    const bool listeGespeichert = preislisteAbschliessen(gespeichert);
    if (gespeichert || listeGespeichert) abendAuffrischen();
}

void TSonstigeform::nachLoeschen() { abendAuffrischen(); }

void TSonstigeform::abendAuffrischen()
{
    auto* abend = dynamic_cast<shell::SonstigeAuffrischung*>(shell().Fensterobjekt(common::Fenster::Termine));
    if (abend) abend->SonstigeGridAuffrischen();
}

// ---- new price list ----

void TSonstigeform::NeueingabePreisliste1Click()
{
    befehl([this] { neuePreisliste(); });
}

void TSonstigeform::neuePreisliste()
{
    engine::TableDataSet* liste = preislisten();
    if (!liste || !tabelle()) return;
    detailAbschliessen();
    // A list that nobody touched is not worth storing: it goes, the next one comes.
    if (unberuehrtePreisliste()) liste->cancel();
    preislisteAnfuegen();
    datensatzAnfuegen(); // its first item
    setTag(Eingabemodus::Neu);
    eingabeSchalten(true);
}

void TSonstigeform::preislisteImGitterAnfuegen()
{
    engine::TableDataSet* liste = preislisten();
    if (!liste) return;
    eingabenUebernehmen();
    preislisteAnfuegen();
}

// ---- delete price list ----

void TSonstigeform::Preislistel1Click()
{
    befehl([this] { preislisteLoeschen(); });
}

void TSonstigeform::preislisteLoeschen()
{
    engine::TableDataSet* liste = preislisten();
    if (!liste || (!liste->editing() && liste->isEmpty())) return;
    shell().BitteWarten(0);
    struct Off {
        shell::ShellServices& s;
        ~Off() { s.BitteWarten(1); }
    } off{shell()};
    if (!preislistePruefen()) return;
    if (!common::dialogs().yesNo(QStringLiteral("Preisliste löschen ?"))) return;
    preislisteEntfernen();
}

bool TSonstigeform::preislistePruefen()
{
    engine::TableDataSet* liste = preislisten();
    if (!liste || liste->state() == engine::DataSetState::Insert) return true; // stored nowhere yet
    const long nummer = static_cast<long>(liste->value("NUMMER").toNumber());
    if (zugang().AnzahlMitWert("PREISLISTE", nummer, zugang().datenordner() + "TERMINE.DBF") == 0) return true;
    common::dialogs().message(
        QStringLiteral("Die Preisliste kann nicht gelöscht werden. Sie wird in einer anderen Tabelle verwendet"));
    return false;
}

void TSonstigeform::preislisteEntfernen()
{
    engine::TableDataSet* liste = preislisten();
    engine::TableDataSet* t = tabelle();
    if (!liste || !t) return;
    if (t->editing()) t->cancel();
    if (liste->state() == engine::DataSetState::Insert) {
        liste->cancel(); // its transaction, items and all, is rolled back
    } else {
        if (liste->editing()) liste->cancel();
        const std::string nummer = liste->text("NUMMER");
        engine::Session& sitzung = liste->session();
        if (sitzung.inTransaction()) sitzung.commit();
        // The items and the list go together or not at all.
        sitzung.startTransaction();
        try {
            engine::sql::execute(zugang().datenbank(), sitzung,
                                 "DELETE FROM\n" + engine::sql::quoted(t->path()) + "\nWHERE\nPREISLISTE=" + nummer,
                                 zugang().datenordner());
            liste->deleteRecord();
            sitzung.commit();
        } catch (...) {
            sitzung.rollback();
            liste->refresh();
            t->refresh();
            throw;
        }
    }
    MenueFreigebenTabelle();
    abendAuffrischen();
}

} // namespace trevo::masterdata
