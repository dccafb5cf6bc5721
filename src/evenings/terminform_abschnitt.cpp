// The section of the evening in the two entry grids: reset, load, store, the section
// switch, entering a grid, the price list and the refresh for the other-items window.
#include "evenings/terminform.h"

#include "common/dialogs/dialogs.h"
#include "common/options/programmoptionen.h"
#include "data/module/datenmengen.h"
#include "data/module/ke_data_form.h"
#include "dbcontrols/command_guard.h"
#include "dbcontrols/db_edit.h"
#include "dbcontrols/db_lookup_combo.h"
#include "engine/dataset/table_data_set.h"
#include "shell/shell_services.h"

#include <QLabel>
#include <QLineEdit>

#include <cmath>

namespace trevo::evenings {

namespace {

QString q(const std::string& s) { return QString::fromStdString(s); }

constexpr int hoechsterAbschnitt = 20;

} // namespace

Abschnittsort TTerminform::ort()
{
    return {std::lround(termine().value("NUMMER").toNumber()), abschnitt()};
}

std::vector<Posten> TTerminform::posten()
{
    std::vector<Posten> p;
    engine::TableDataSet& liste = daten_.modul().d().SonstigeTable1;
    if (!liste.active()) return p;
    const int nummer = liste.fieldIndex("NUMMER"), name = liste.fieldIndex("BEZEICHNUN");
    for (size_t r = 0; r < liste.recordCount(); ++r)
        p.emplace_back(QString::number(std::llround(liste.rowValue(r, nummer).toNumber())),
                       q(liste.rowDisplayText(r, name)));
    return p;
}

void TTerminform::gitterZuruecksetzen()
{
    SpieleGrid1->zuruecksetzen();
    std::vector<Posten> p;
    controls::runGuarded([&] { p = posten(); });
    SonstigeGrid1->zuruecksetzen(p);
}

void TTerminform::gitterLaden()
{
    gitterZuruecksetzen();
    const std::string nummer = termine().text("NUMMER");
    if (nummer.empty() || abschnitt() < 1) return;
    daten_.modul().KeglerProTerminLaden(nummer);
    engine::DataSet& abfrage = daten_.modul().d().KeglerProTerminQuery;
    teilnehmerspalten(*SpieleGrid1, abfrage, abschnitt());
    teilnehmerspalten(*SonstigeGrid1, abfrage, abschnitt());
    spieleLaden(daten_, *SpieleGrid1, ort());
    sonstigeLaden(daten_, *SonstigeGrid1, ort());
    keglernameZeigen(); // the current participant of the section loaded
}

void TTerminform::teilnehmerSichern()
{
    if (teilnehmer().editing()) teilnehmer().checkBrowseMode();
}

void TTerminform::abschnittSpeichern()
{
    if (abschnitt() < 1 || termine().text("NUMMER").empty()) return;
    evenings::abschnittSpeichern(daten_, *SpieleGrid1, *SonstigeGrid1, ort());
}

void TTerminform::teilnehmerFilter()
{
    engine::TableDataSet& t = teilnehmer();
    if (abschnitt() == 0) {
        t.setFiltered(false);
        return;
    }
    t.setFilterText("ABSCHNITT=" + std::to_string(abschnitt()));
    t.setFiltered(true);
}

void TTerminform::AbschnitteditChange()
{
    if (!imEingabemodus()) return;
    const QString text = Abschnittedit->text().trimmed();
    if (text.isEmpty()) return;
    bool ok = false;
    const int neu = text.toInt(&ok);
    if (!ok) {
        common::dialogs().error(QStringLiteral("Ungültige Eingabe"));
        return;
    }
    if (neu > hoechsterAbschnitt) {
        common::dialogs().show(common::BoxKind::Error,
                               QStringLiteral("Es können nicht mehr als %1 Spielabschnitte eingegeben werden")
                                   .arg(hoechsterAbschnitt),
                               common::Buttons::YesNo);
        return;
    }
    if (neu < 1) {
        common::dialogs().error(QStringLiteral("Die Spielabschnitte werden ab 1 gezählt"));
        return;
    }
    if (neu == abschnitt()) return;
    bool gewechselt = false;
    befehl([&] {
        abschnittWechseln(neu);
        gewechselt = true;
    });
    if (!gewechselt) {
        // The section could not be stored: it stays current with what was typed.
        abschnittStill_ = true;
        Abschnittedit->setText(QString::number(abschnitt()));
        abschnittStill_ = false;
    }
}

void TTerminform::abschnittWechseln(int neu)
{
    struct Warten {
        shell::ShellServices& s;
        ~Warten() { s.BitteWarten(1); }
    } warten{shell()};
    shell().BitteWarten(0);
    teilnehmerSichern();
    abschnittSpeichern();
    daten_.modul().aktuellerAbschnitt = neu;
    teilnehmerFilter();
    gitterLaden();
}

void TTerminform::gitterBetreten(Eingabegitter* gitter)
{
    (void)gitter;
    befehl([this] {
        engine::TableDataSet& t = teilnehmer();
        const bool ohne = !t.active() || (!t.editing() && t.isEmpty()) || abschnitt() < 1 ||
                          std::lround(t.value("ABSCHNITT").toNumber()) != abschnitt();
        if (!ohne) return;
        common::dialogs().message(QStringLiteral("Vor der Eingabe der Spiele müssen Teilnehmer eingegeben werden !"));
        Keglernummeredit->setFocus();
    });
}

void TTerminform::preislisteGeaendert()
{
    if (!Komplettpanel->isVisible() || !termine().active() || preislisteLaeuft_) return;
    // Locating the list moves the list of the price list field, which reports a change.
    preislisteLaeuft_ = true;
    struct Ende {
        bool& b;
        ~Ende() { b = false; }
    } ende{preislisteLaeuft_};
    const std::string nummer = termine().text("PREISLISTE");
    data::TKeDataForm& m = daten_.modul();
    PreislistendatumEdit1->setText(q(m.PreislistenDatum(nummer)));
    // The currency is looked up through the price list; its field hears only of its own
    // changes, so it is shown anew with every change of the list.
    WaehrungEdit1->setText(q(termine().text("WaehrungStr")));
    if (nummer.empty()) return;
    // The items grid lists the items of this price list.
    if (preislisteSuchen() && termine().state() == engine::DataSetState::Insert && SonstigeGrid1->colCount() == 3 &&
        SonstigeGrid1->kegler(2).isEmpty())
        SonstigeGrid1->zuruecksetzen(posten());
    if (common::TProgrammoptionen* o = daten_.optionen()) {
        o->aktuellePreisliste = static_cast<int32_t>(std::lround(termine().value("PREISLISTE").toNumber()));
        o->gespeichert.eingabewaehrung = static_cast<int32_t>(m.PreislistenWaehrung(nummer));
    }
    SpieleLabel2->setText(QStringLiteral("Spiele (Angaben in ") + q(m.PreislistenWaehrungsKuerzel(nummer)) +
                          QStringLiteral(")"));
}

bool TTerminform::preislisteSuchen()
{
    if (!termine().active() || termine().value("PREISLISTE").isNull()) return true;
    engine::TableDataSet& listen = daten_.modul().d().SonstigeMainTable1;
    if (!listen.active()) return false;
    if (!listen.editing() && listen.text("NUMMER") == termine().text("PREISLISTE")) return true;
    // Changing the order tells the price list field, which would look again.
    if (listen.indexName() != "NUMMER") listen.setIndex("NUMMER");
    return listen.findKey(termine().value("PREISLISTE"));
}

void TTerminform::preislisteVerlassen()
{
    const std::string nummer = termine().text("PREISLISTE");
    if (nummer.empty()) return;
    if (!preislisteSuchen()) {
        common::dialogs().error(QStringLiteral("Preisliste mit der Nummer ") + q(nummer) +
                                QStringLiteral(" wurde nicht gefunden"));
        Preislistenedit->setFocus();
    }
}

void TTerminform::SonstigeGridAuffrischen()
{
    if (!imEingabemodus()) return;
    befehl([this] {
        if (abschnitt() < 1 || termine().text("NUMMER").empty()) return;
        teilnehmerSichern();
        sonstigeSpeichern(daten_, *SonstigeGrid1, ort());
        std::vector<Posten> p = posten();
        SonstigeGrid1->zuruecksetzen(p);
        daten_.modul().KeglerProTerminLaden(termine().text("NUMMER"));
        teilnehmerspalten(*SonstigeGrid1, daten_.modul().d().KeglerProTerminQuery, abschnitt());
        sonstigeLaden(daten_, *SonstigeGrid1, ort());
    });
}

} // namespace trevo::evenings
