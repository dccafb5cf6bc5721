#include "shell/stammdaten/stammdaten_form.h"

#include "common/dialogs/dialogs.h"
#include "data/module/datenquelle.h"
#include "dbcontrols/command_guard.h"
#include "dbcontrols/data_link.h"
#include "dbcontrols/db_check_box.h"
#include "dbcontrols/db_edit.h"
#include "dbcontrols/db_grid.h"
#include "dbcontrols/db_lookup_combo.h"
#include "dbcontrols/db_navigator.h"
#include "dbcontrols/entry_keys.h"
#include "engine/dataset/table_data_set.h"
#include "shell/stammdaten/datenzugang.h"

#include <QAction>
#include <QMenu>
#include <QPushButton>
#include <QTimer>
#include <QVBoxLayout>

namespace trevo::shell::stammdaten {

using shell::Eingabemodus;

TStammdatenForm::TStammdatenForm(shell::ShellServices& shell, Datenzugang& zugang, Suchdialoge& dialoge,
                                 StammdatenEinstellungen settings, QWidget* parent)
    : ChildWindow(shell, parent), zugang_(zugang), dialoge_(dialoge), einstellungen_(std::move(settings))
{
    quelle_ = quelle(einstellungen_.dataSourceName);
    feldtasten_ = new controls::EntryKeys(this);
    connect(feldtasten_, &controls::EntryKeys::cancelConfirmed, this, [this] { befehl([this] { abbrechen(); }); });

    GitterPanel = new QWidget(this);
    GitterPanel->setObjectName(QStringLiteral("GitterPanel"));
    auto* outer = new QVBoxLayout(this);
    outer->setContentsMargins(0, 0, 0, 0);
    outer->addWidget(GitterPanel);
    auto* panel = new QVBoxLayout(GitterPanel);
    panel->setContentsMargins(0, 0, 0, 0);
    panel->setSpacing(0);
    werkzeugleistenBauen(panel);

    DBGrid1 = new controls::DBGrid(GitterPanel);
    DBGrid1->setObjectName(QStringLiteral("DBGrid1"));
    DBGrid1->setSource(quelle_);
    std::vector<controls::GridColumn> columns;
    for (const std::string& field : einstellungen_.gridColumns)
        columns.emplace_back(field, QString(), -1, std::string(), field == "NUMMER"); // numbered by the rules
    DBGrid1->setColumns(std::move(columns));
    DBGrid1->setReadOnly(!einstellungen_.gridEditable);
    DBGrid1->setDeleteCheck([this] { return tabelle() && loeschenPruefen(*tabelle()); });
    DBGrid1->setDeleteAction([this] {
        tabelle()->deleteRecord();
        MenueFreigebenTabelle();
        nachschlagetabelleAuffrischen();
        nachLoeschen();
    });
    panel->addWidget(DBGrid1, 1);
    eingabepanelBauen();
    panel->addWidget(EingabePanel1);
    menuesBauen();
    if (quelle_) quellenBeobachter_ = quelle_->beobachten([this](engine::DataSet*) { tabelleGewechselt(); });
}

TStammdatenForm::~TStammdatenForm() = default;

data::Datenquelle* TStammdatenForm::quelle(const std::string& name) const
{
    try {
        return zugang_.datenquelle(name);
    } catch (const engine::EngineError&) {
        return nullptr; // no data module: the window shows nothing and says so at creation
    }
}

engine::TableDataSet* TStammdatenForm::tabelle() const
{
    return quelle_ ? dynamic_cast<engine::TableDataSet*>(quelle_->datenmenge()) : nullptr;
}

// ---- entry fields ----

namespace {

template <class Control>
Control* bound(Control* control, data::Datenquelle* source, const std::string& field, const char* name)
{
    control->setObjectName(QString::fromLatin1(name));
    control->setSource(source);
    control->setDataField(field);
    return control;
}

} // namespace

void TStammdatenForm::feldAufnehmen(QWidget* steuerelement, bool tasten, bool anzeige)
{
    felder_.push_back({steuerelement, anzeige});
    if (tasten && !anzeige) feldtasten_->attach(steuerelement);
}

void TStammdatenForm::steuerelementAufnehmen(QWidget* control, bool keys, bool displayOnly)
{
    feldAufnehmen(control, keys, displayOnly);
    control->setEnabled(imEingabemodus() && !displayOnly);
}

controls::DBEdit* TStammdatenForm::eingabefeld(const std::string& field, const char* name)
{
    auto* e = bound(new controls::DBEdit(eingabeflaeche_), quelle_, field, name);
    feldAufnehmen(e, true, false);
    return e;
}

controls::DBEdit* TStammdatenForm::nummernanzeige(const std::string& field, const char* name)
{
    auto* e = bound(new controls::DBEdit(eingabeflaeche_), quelle_, field, name);
    e->setDisplayOnly(true);
    feldAufnehmen(e, false, true);
    return e;
}

controls::DBMemo* TStammdatenForm::memofeld(const std::string& field, const char* name)
{
    auto* m = bound(new controls::DBMemo(eingabeflaeche_), quelle_, field, name);
    m->setTabChangesFocus(true);
    feldAufnehmen(m, true, false);
    return m;
}

controls::DBCheckBox* TStammdatenForm::kontrollkaestchen(const std::string& field, const QString& text,
                                                         const char* name)
{
    auto* c = bound(new controls::DBCheckBox(text, eingabeflaeche_), quelle_, field, name);
    feldAufnehmen(c, false, false);
    return c;
}

controls::DBLookupComboBox* TStammdatenForm::auswahlfeld(const std::string& field, const char* name,
                                                         const std::string& sourceName, const std::string& keyField,
                                                         const std::vector<std::string>& listFields,
                                                         const QStringList& titles)
{
    auto* c = bound(new controls::DBLookupComboBox(eingabeflaeche_), quelle_, field, name);
    c->setListSource(quelle(sourceName));
    c->setEmptyChoice(true);
    c->setListFields(keyField, listFields, titles);
    feldAufnehmen(c, true, false);
    return c;
}

// ---- creation, activation, modes ----

void TStammdatenForm::FormCreate()
{
    setWindowTitle(einstellungen_.caption);
    modusWechseln(false, true);
    // The shell knows the window once its creation is over; the data module's menu rule
    // reaches it from then on.
    QTimer::singleShot(0, this, controls::guarded([this] { MenueFreigebenTabelle(); }));
    engine::TableDataSet* t = tabelle();
    if (!t || !t->active()) common::dialogs().error(einstellungen_.notOpenMessage);
}

void TStammdatenForm::FormActivate()
{
    if (QWidget* frame = parentWidget(); frame && !frame->isMaximized()) frame->showMaximized();
    if (einstellungen_.browseOnActivate) ModusSchalten(false);
}

void TStammdatenForm::tabelleGewechselt()
{
    // The tables moved to another folder: whatever was entered went with the old ones.
    SuchQuery1.close();
    setTag(Eingabemodus::Blaettern);
    modusWechseln(false, true);
}

void TStammdatenForm::closeRequested() { CloseBtnClick(); }

bool TStammdatenForm::programmendeErlaubt()
{
    if (!imEingabemodus()) return true;
    bool settled = false;
    befehl([this, &settled] {
        settled = eingabeAbschliessen();
        if (settled) modusWechseln(false, false);
    });
    return settled;
}

void TStammdatenForm::tabelleGefuellt(bool hatDatensaetze)
{
    for (QAction* a : {ndern1, Kopierenundndern1, Bereich1, Bearbeiten1->menuAction(), Suchen1->menuAction(),
                       Drucken1->menuAction()})
        a->setEnabled(hatDatensaetze);
}

void TStammdatenForm::MenueFreigebenTabelle()
{
    if (tabelle()) zugang_.MenueFreigebenTabelle(einstellungen_.fensterCode, einstellungen_.dataSetName);
}

void TStammdatenForm::ModusSchalten(bool on)
{
    befehl([this, on] { modusWechseln(on, false); });
}

void TStammdatenForm::modusWechseln(bool on, bool quiet)
{
    for (QPushButton* b : {EingabebeendenBitBtn1, DatensatzeinfuegenBitBtn1, EingabeAbbruchBitBtn1}) b->setVisible(on);
    for (const Feld& f : felder_) f.steuerelement->setEnabled(on && !f.anzeige);
    if (on) {
        ersteEingabeFokussieren();
        setMenus(EingabeMenu);
    } else {
        setMenus(MainMenu1);
        DBGrid1->setFocus();
        if (!quiet) {
            MenueFreigebenTabelle();
            nachschlagetabelleAuffrischen();
        }
        setTag(Eingabemodus::Blaettern);
    }
    nachModuswechsel(on);
}

void TStammdatenForm::ersteEingabeFokussieren()
{
    if (QWidget* first = ersteEingabe()) first->setFocus();
}

void TStammdatenForm::nachschlagetabelleAuffrischen()
{
    if (einstellungen_.lookupToRefresh.empty()) return;
    if (engine::TableDataSet* lookup = zugang_.tabelle(einstellungen_.lookupToRefresh); lookup && lookup->active())
        lookup->refresh();
}

void TStammdatenForm::eingabenUebernehmen()
{
    if (engine::TableDataSet* t = tabelle()) controls::updateRecord(*t);
}

void TStammdatenForm::befehl(const std::function<void()>& command)
{
    controls::runGuarded([&] {
        eingabenUebernehmen();
        command();
    });
}

bool TStammdatenForm::unberuehrterNeuerSatz() const
{
    engine::TableDataSet* t = tabelle();
    if (!t || t->state() != engine::DataSetState::Insert || angefuegt_.empty()) return false;
    size_t i = 0;
    for (int f = 0; f < t->fieldCount(); ++f) {
        if (t->field(f).kind != engine::FieldKind::Stored) continue;
        if (i >= angefuegt_.size() || !(t->value(f) == angefuegt_[i])) return false;
        ++i;
    }
    return i == angefuegt_.size();
}

bool TStammdatenForm::komplett() const
{
    engine::TableDataSet* t = tabelle();
    if (!t || !t->active() || einstellungen_.nameField.empty()) return false;
    if (!t->editing() && t->isEmpty()) return false;
    return !t->text(einstellungen_.nameField).empty();
}

} // namespace trevo::shell::stammdaten
