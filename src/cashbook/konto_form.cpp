#include "cashbook/konto_form.h"

#include "dbcontrols/jahreskorrektur.h"
#include "common/fenster/window_codes.h"
#include "data/module/datenquelle.h"
#include "data/module/konto_stand.h"
#include "dbcontrols/db_edit.h"
#include "dbcontrols/db_grid.h"
#include "engine/core/error.h"
#include "engine/dataset/table_data_set.h"
#include "shell/stammdaten/datenzugang.h"

#include <QAction>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QMenu>

namespace trevo::cashbook {

StammdatenEinstellungen TKontoform::einstellungenKonto()
{
    StammdatenEinstellungen s;
    s.caption = QStringLiteral("Konto");
    s.fensterCode = common::Fenster::Kegelkasse;
    s.dataSourceName = "KontoDataSource1";
    s.dataSetName = "Kontotable1";
    s.notOpenMessage = QStringLiteral("Die Konto-Tabelle ist nicht geoeffnet");
    s.nameField = "DATUM";
    s.sortOptions = {{QStringLiteral("Nummer"), "NUMMER"}, {QStringLiteral("Datum"), "DATUM"}};
    s.gridColumns = {"NUMMER", "DATUM", "BETRAG", "WaehrungStr"};
    s.entryPanelHeight = 250;
    s.printOption = "Kontolistfilename";
    s.printDefault = "KEGELKASSE.QR2";
    return s;
}

TKontoform::TKontoform(shell::ShellServices& shell, Datenzugang& zugang, Suchdialoge& dialoge, QWidget* parent)
    : TStammdatenForm(shell, zugang, dialoge, einstellungenKonto(), parent)
{
    setObjectName(QStringLiteral("Kontoform"));
    felderBauen();
    spaltenbreitenSetzen();

    Eingabe1->addSeparator();
    Kontostandaktualisieren1 = Eingabe1->addAction(QStringLiteral("Kontostand &aktualisieren"));
    Kontostandaktualisieren1->setObjectName(QStringLiteral("Kontostandaktualisieren1"));
    connect(Kontostandaktualisieren1, &QAction::triggered, this, &TKontoform::Kontostandaktualisieren1Click);

    // A range left on the bookings from before is forgotten.
    if (engine::TableDataSet* t = tabelle(); t && t->active()) t->setFiltered(false);
    FormCreate();
}

controls::DBEdit* TKontoform::kontoanzeige(const std::string& field, const char* name)
{
    auto* e = new controls::DBEdit(eingabeflaeche());
    e->setObjectName(QString::fromLatin1(name));
    try {
        e->setSource(zugang().datenquelle("KontodefDataSource1"));
    } catch (const engine::EngineError&) {
        // no data module: the field stays empty, the window says so at creation
    }
    e->setDataField(field);
    e->setDisplayOnly(true);
    e->setEnabled(false); // like the pattern's displays, in every mode
    return e;
}

QWidget* TKontoform::zeile(std::initializer_list<QWidget*> teile)
{
    auto* z = new QWidget(eingabeflaeche());
    auto* box = new QHBoxLayout(z);
    box->setContentsMargins(0, 0, 0, 0);
    for (QWidget* teil : teile) {
        teil->setParent(z);
        box->addWidget(teil);
    }
    box->addStretch(1);
    return z;
}

void TKontoform::felderBauen()
{
    DBEdit1 = nummernanzeige("NUMMER", "DBEdit1");
    DBEdit1->setFixedWidth(80);
    DatumDBEdit2 = eingabefeld("DATUM", "DatumDBEdit2");
    DatumDBEdit2->setFixedWidth(100);
    controls::Jahreskorrektur::anbringen(DatumDBEdit2);
    BetragDBEdit3 = eingabefeld("BETRAG", "BetragDBEdit3");
    BetragDBEdit3->setFixedWidth(100);
    WaehrungDBEdit4 = nummernanzeige("WaehrungStr", "WaehrungDBEdit4");
    WaehrungDBEdit4->setFixedWidth(50);
    auto* hinweis = new QLabel(QStringLiteral("Negativer Betrag für Abbuchungen"), eingabeflaeche());
    hinweis->setObjectName(QStringLiteral("HinweisLabel"));
    DBMemo1 = memofeld("BESCHREIBU", "DBMemo1");
    DBMemo1->setFixedSize(450, 56);
    KontonrDBEdit5 = nummernanzeige("KONTONR", "KontonrDBEdit5");
    KontonrDBEdit5->setFixedWidth(80);
    KontostandDBEdit6 = kontoanzeige("KONTOSTAND", "KontostandDBEdit6");
    KontostandDBEdit6->setFixedWidth(100);
    WaehrungDBEdit7 = kontoanzeige("WaehrungStr", "WaehrungDBEdit7");
    WaehrungDBEdit7->setFixedWidth(50);

    feldzeilen({{QStringLiteral("lfd. Nummer"), DBEdit1},
                {QStringLiteral("Buchungsdatum"), DatumDBEdit2},
                {QStringLiteral("Betrag"), zeile({BetragDBEdit3, WaehrungDBEdit4, hinweis}), BetragDBEdit3},
                {QStringLiteral("Bemerkungen"), DBMemo1},
                {QStringLiteral("Kontonummer"), KontonrDBEdit5},
                {QStringLiteral("Kontostand"), zeile({KontostandDBEdit6, WaehrungDBEdit7})}});
}

// The booking date whole ("dd.mm.yyyy") under its whole title; number, amount and currency
// by their length.
void TKontoform::spaltenbreitenSetzen()
{
    DBGrid1->setColumns({{"NUMMER", {}, -1, {}, true}, {"DATUM"}, {"BETRAG"}, {"WaehrungStr"}});
    const int datum = std::max(DBGrid1->fontMetrics().horizontalAdvance(QStringLiteral("00.00.0000")) + 20,
                               DBGrid1->horizontalHeader()->sectionSizeHint(1));
    DBGrid1->setColumns({{"NUMMER", {}, -1, {}, true}, {"DATUM", {}, datum}, {"BETRAG"}, {"WaehrungStr"}});
}

QWidget* TKontoform::ersteEingabe() const { return DatumDBEdit2; }

void TKontoform::nachAnfuegen()
{
    // The club keeps one account: every booking the window starts belongs to it.
    engine::TableDataSet* t = tabelle();
    if (t && t->editing() && t->value("KONTONR").toNumber() != 1) t->setValue("KONTONR", engine::Value::number(1));
}

int TKontoform::aktuellesKonto()
{
    engine::TableDataSet* t = tabelle();
    if (!t || !t->active() || (!t->editing() && t->isEmpty())) return 1;
    const double konto = t->value("KONTONR").toNumber();
    return konto >= 1 ? static_cast<int>(konto) : 1;
}

void TKontoform::Kontostandaktualisieren1Click()
{
    befehl([this] {
        engine::TableDataSet* t = tabelle();
        data::TKeDataForm* modul = zugang().aktuellesDatenmodul();
        if (!t || !t->active() || !modul) return;
        data::KontostandAktualisieren(*modul, aktuellesKonto());
    });
}

} // namespace trevo::cashbook
