#include "masterdata/stammdaten_form.h"

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
#include "masterdata/datenzugang.h"

#include <QAction>
#include <QMenu>
#include <QPushButton>
#include <QTimer>
#include <QVBoxLayout>

namespace trevo::masterdata {

using shell::Eingabemodus;

TStammdatenForm::TStammdatenForm(shell::ShellServices& shell, Datenzugang& zugang, Suchdialoge& dialoge,
                                 StammdatenEinstellungen settings, QWidget* parent)
    : ChildWindow(shell, parent), access_(zugang), dialogs_(dialoge), settings_(std::move(settings))
{
    source_ = sourceNamed(settings_.dataSourceName);
    keys_ = new controls::EntryKeys(this);
    connect(keys_, &controls::EntryKeys::cancelConfirmed, this, [this] { befehl([this] { cancelEntry(); }); });

    GitterPanel = new QWidget(this);
    GitterPanel->setObjectName(QStringLiteral("GitterPanel"));
    auto* outer = new QVBoxLayout(this);
    outer->setContentsMargins(0, 0, 0, 0);
    outer->addWidget(GitterPanel);
    auto* panel = new QVBoxLayout(GitterPanel);
    panel->setContentsMargins(0, 0, 0, 0);
    panel->setSpacing(0);
    buildToolbars(panel);

    DBGrid1 = new controls::DBGrid(GitterPanel);
    DBGrid1->setObjectName(QStringLiteral("DBGrid1"));
    DBGrid1->setSource(source_);
    std::vector<controls::GridColumn> columns;
    for (const std::string& field : settings_.gridColumns) columns.emplace_back(field);
    DBGrid1->setColumns(std::move(columns));
    panel->addWidget(DBGrid1, 1);
    buildEntryPanel();
    panel->addWidget(EingabePanel1);
    buildMenus();
    if (source_) sourceWatch_ = source_->beobachten([this](engine::DataSet*) { tablesMoved(); });
}

TStammdatenForm::~TStammdatenForm() = default;

data::Datenquelle* TStammdatenForm::sourceNamed(const std::string& name) const
{
    try {
        return access_.datenquelle(name);
    } catch (const engine::EngineError&) {
        return nullptr; // no data module: the window shows nothing and says so at creation
    }
}

engine::TableDataSet* TStammdatenForm::tabelle() const
{
    return source_ ? dynamic_cast<engine::TableDataSet*>(source_->datenmenge()) : nullptr;
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

void TStammdatenForm::addField(QWidget* control, bool keys, bool display)
{
    fields_.push_back({control, display});
    if (keys && !display) keys_->attach(control);
}

controls::DBEdit* TStammdatenForm::eingabefeld(const std::string& field, const char* name)
{
    auto* e = bound(new controls::DBEdit(fieldArea_), source_, field, name);
    addField(e, true, false);
    return e;
}

controls::DBEdit* TStammdatenForm::nummernanzeige(const std::string& field, const char* name)
{
    auto* e = bound(new controls::DBEdit(fieldArea_), source_, field, name);
    e->setDisplayOnly(true);
    addField(e, false, true);
    return e;
}

controls::DBMemo* TStammdatenForm::memofeld(const std::string& field, const char* name)
{
    auto* m = bound(new controls::DBMemo(fieldArea_), source_, field, name);
    m->setTabChangesFocus(true);
    addField(m, true, false);
    return m;
}

controls::DBCheckBox* TStammdatenForm::kontrollkaestchen(const std::string& field, const QString& text,
                                                         const char* name)
{
    auto* c = bound(new controls::DBCheckBox(text, fieldArea_), source_, field, name);
    addField(c, false, false);
    return c;
}

controls::DBLookupComboBox* TStammdatenForm::auswahlfeld(const std::string& field, const char* name,
                                                         const std::string& sourceName, const std::string& keyField,
                                                         const std::vector<std::string>& listFields,
                                                         const QStringList& titles)
{
    auto* c = bound(new controls::DBLookupComboBox(fieldArea_), source_, field, name);
    c->setListSource(sourceNamed(sourceName));
    c->setEmptyChoice(true);
    c->setListFields(keyField, listFields, titles);
    addField(c, true, false);
    return c;
}

// ---- creation, activation, modes ----

void TStammdatenForm::FormCreate()
{
    setWindowTitle(settings_.caption);
    switchMode(false, true);
    // The shell knows the window once its creation is over; the data module's menu rule
    // reaches it from then on.
    QTimer::singleShot(0, this, controls::guarded([this] { MenueFreigebenTabelle(); }));
    engine::TableDataSet* t = tabelle();
    if (!t || !t->active()) common::dialogs().error(settings_.notOpenMessage);
}

void TStammdatenForm::FormActivate()
{
    if (QWidget* frame = parentWidget(); frame && !frame->isMaximized()) frame->showMaximized();
    if (settings_.browseOnActivate) ModusSchalten(false);
}

void TStammdatenForm::tablesMoved()
{
    // The tables moved to another folder: whatever was entered went with the old ones.
    SuchQuery1.close();
    setTag(Eingabemodus::Blaettern);
    switchMode(false, true);
}

void TStammdatenForm::closeRequested() { CloseBtnClick(); }

bool TStammdatenForm::programmendeErlaubt()
{
    if (!imEingabemodus()) return true;
    bool settled = false;
    befehl([this, &settled] {
        settled = settleEntry();
        if (settled) switchMode(false, false);
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
    if (tabelle()) access_.MenueFreigebenTabelle(settings_.fensterCode, settings_.dataSetName);
}

void TStammdatenForm::ModusSchalten(bool on)
{
    befehl([this, on] { switchMode(on, false); });
}

void TStammdatenForm::switchMode(bool on, bool quiet)
{
    for (QPushButton* b : {EingabebeendenBitBtn1, DatensatzeinfuegenBitBtn1, EingabeAbbruchBitBtn1}) b->setVisible(on);
    for (const Field& f : fields_) f.control->setEnabled(on && !f.display);
    if (on) {
        focusFirst();
        setMenus(EingabeMenu);
    } else {
        setMenus(MainMenu1);
        DBGrid1->setFocus();
        if (!quiet) {
            MenueFreigebenTabelle();
            refreshLookup();
        }
        setTag(Eingabemodus::Blaettern);
    }
    nachModuswechsel(on);
}

void TStammdatenForm::focusFirst()
{
    if (QWidget* first = ersteEingabe()) first->setFocus();
}

void TStammdatenForm::refreshLookup()
{
    if (settings_.lookupToRefresh.empty()) return;
    if (engine::TableDataSet* lookup = access_.tabelle(settings_.lookupToRefresh); lookup && lookup->active())
        lookup->refresh();
}

void TStammdatenForm::befehl(const std::function<void()>& command)
{
    controls::runGuarded([&] {
        if (engine::TableDataSet* t = tabelle()) controls::updateRecord(*t);
        command();
    });
}

bool TStammdatenForm::komplett() const
{
    engine::TableDataSet* t = tabelle();
    if (!t || !t->active() || settings_.nameField.empty()) return false;
    if (!t->editing() && t->isEmpty()) return false;
    return !t->text(settings_.nameField).empty();
}

} // namespace trevo::masterdata
