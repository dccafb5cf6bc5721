#include "masterdata/stammdaten_form.h"

#include "masterdata/bindung/datengitter.h"
#include "masterdata/bindung/eingabefelder.h"
#include "masterdata/bindung/navigator.h"
#include "dbcontrols/command_guard.h"
#include "engine/dataset/table_data_set.h"
#include "masterdata/datenzugang.h"
#include "common/dialogs/dialogs.h"
#include "dbcontrols/entry_keys.h"
#include "masterdata/menue_freigabe.h"
#include "masterdata/symbole.h"

#include <QAction>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QPushButton>
#include <QStyle>
#include <QTimer>
#include <QToolBar>
#include <QToolButton>
#include <QVBoxLayout>

namespace trevo::masterdata {

TStammdatenForm::TStammdatenForm(shell::ShellServices& shell, StammdatenEinstellungen settings, QWidget* parent)
    : ChildWindow(shell, parent), settings_(std::move(settings))
{
    if (hatDatenzugang()) table_ = datenzugang().tabelle(settings_.dataSetName);
    if (table_)
        tableWatch_ = table_->subscribe([this](const engine::DataSetEvent& e) {
            if (e.kind != engine::DataSetEvent::Kind::Destroyed) return;
            tableGone_ = true;
            table_ = nullptr;
        });
    keys_ = new controls::EntryKeys(this);
    connect(keys_, &controls::EntryKeys::cancelConfirmed, this, [this] { befehl([this] { abbrechen(); }); });

    GitterPanel = new QWidget(this);
    GitterPanel->setObjectName(QStringLiteral("GitterPanel"));
    auto* outer = new QVBoxLayout(this);
    outer->setContentsMargins(0, 0, 0, 0);
    outer->addWidget(GitterPanel);
    auto* panel = new QVBoxLayout(GitterPanel);
    panel->setContentsMargins(0, 0, 0, 0);
    panel->setSpacing(0);
    buildToolbars(panel);

    DBGrid1 = new bindung::Datengitter(table_, settings_.gridColumns, GitterPanel);
    DBGrid1->setObjectName(QStringLiteral("DBGrid1"));
    panel->addWidget(DBGrid1, 1);
    buildEntryPanel();
    panel->addWidget(EingabePanel1);
    buildMenus();
}

TStammdatenForm::~TStammdatenForm() = default;

QToolButton* TStammdatenForm::toolButton(QToolBar* bar, const char* name, const QString& hint, int icon,
                                         void (TStammdatenForm::*handler)())
{
    auto* b = new QToolButton(bar);
    b->setObjectName(QString::fromLatin1(name));
    b->setIcon(symbol(static_cast<Symbol>(icon)));
    b->setToolTip(hint);
    b->setAutoRaise(true);
    b->setFocusPolicy(Qt::NoFocus);
    bar->addWidget(b);
    connect(b, &QToolButton::clicked, this, [this, handler] { (this->*handler)(); });
    return b;
}

void TStammdatenForm::buildToolbars(QVBoxLayout* panel)
{
    ToolBar1 = new QWidget(GitterPanel);
    ToolBar1->setObjectName(QStringLiteral("ToolBar1"));
    auto* row = new QHBoxLayout(ToolBar1);
    row->setContentsMargins(2, 1, 2, 1);
    row->setSpacing(8);

    ToolBar3 = new QToolBar(ToolBar1);
    ToolBar3->setObjectName(QStringLiteral("ToolBar3"));
    ToolBar3->setIconSize(QSize(20, 20));
    ToolButton5 = toolButton(ToolBar3, "ToolButton5", QStringLiteral("Zurück"), int(Symbol::Zurueck),
                             &TStammdatenForm::CloseBtnClick);
    ToolButton10 = toolButton(ToolBar3, "ToolButton10", QStringLiteral("Neuer Datensatz"), int(Symbol::Neu),
                              &TStammdatenForm::Neueingabe1Click);
    ToolButton11 = toolButton(ToolBar3, "ToolButton11", QStringLiteral("Daten ändern"),
                              int(Symbol::Aendern), &TStammdatenForm::ndern1Click);
    ToolBar3->addSeparator();
    ToolButton13 = toolButton(ToolBar3, "ToolButton13", QStringLiteral("Sortierung"), int(Symbol::Sortieren),
                              &TStammdatenForm::Sortierung1Click);
    BereichToolButton = toolButton(ToolBar3, "BereichToolButton", settings_.rangeHint,
                                   int(Symbol::Bereich), &TStammdatenForm::Bereich1Click);
    ToolButton14 = toolButton(ToolBar3, "ToolButton14", QStringLiteral("Suchen"),
                              int(Symbol::Suchen), &TStammdatenForm::Suchen1Click);
    if (settings_.searchNext)
        ToolButton1 = toolButton(ToolBar3, "ToolButton1", QStringLiteral("Weitersuchen"), int(Symbol::Weitersuchen),
                                 &TStammdatenForm::ToolButton1Click);
    ToolBar3->addSeparator();
    ToolButton4 = toolButton(ToolBar3, "ToolButton4", QStringLiteral("Lotse"), int(Symbol::Lotse),
                             &TStammdatenForm::ToolButton4Click);
    row->addWidget(ToolBar3);

    ToolBar2 = new QToolBar(ToolBar1);
    ToolBar2->setObjectName(QStringLiteral("ToolBar2"));
    DBNavigator2 = new bindung::Navigator(table_, ToolBar2);
    DBNavigator2->setObjectName(QStringLiteral("DBNavigator2"));
    ToolBar2->addWidget(DBNavigator2);
    ToolBar2->addSeparator();
    BitBtn2 = new QPushButton(style()->standardIcon(QStyle::SP_DialogCloseButton), QStringLiteral("&Schließen"),
                              ToolBar2);
    BitBtn2->setObjectName(QStringLiteral("BitBtn2"));
    BitBtn2->setFocusPolicy(Qt::NoFocus);
    ToolBar2->addWidget(BitBtn2);
    connect(BitBtn2, &QPushButton::clicked, this, &TStammdatenForm::CloseBtnClick);
    row->addWidget(ToolBar2);

    Schnellsuchtoolbar = new QToolBar(ToolBar1);
    Schnellsuchtoolbar->setObjectName(QStringLiteral("Schnellsuchtoolbar"));
    Schnellsuchlabel = new QLabel(settings_.quickSearchLabel, Schnellsuchtoolbar);
    Schnellsuchlabel->setObjectName(QStringLiteral("Schnellsuchlabel"));
    Schnellsuchtoolbar->addWidget(Schnellsuchlabel);
    SchnellsuchEdit1 = new QLineEdit(Schnellsuchtoolbar);
    SchnellsuchEdit1->setObjectName(QStringLiteral("SchnellsuchEdit1"));
    SchnellsuchEdit1->setFixedWidth(150);
    Schnellsuchtoolbar->addWidget(SchnellsuchEdit1);
    connect(SchnellsuchEdit1, &QLineEdit::textChanged, this, &TStammdatenForm::SchnellsuchEdit1Change);
    row->addWidget(Schnellsuchtoolbar);
    row->addStretch();
    panel->addWidget(ToolBar1);
}

void TStammdatenForm::buildEntryPanel()
{
    EingabePanel1 = new QWidget(GitterPanel);
    EingabePanel1->setObjectName(QStringLiteral("EingabePanel1"));
    EingabePanel1->setFixedHeight(settings_.entryPanelHeight);
    EingabePanel1->setAutoFillBackground(true);
    auto* row = new QHBoxLayout(EingabePanel1);
    row->setContentsMargins(8, 8, 8, 8);
    fieldArea_ = new QWidget(EingabePanel1);
    fieldArea_->setObjectName(QStringLiteral("Eingabeflaeche"));
    row->addWidget(fieldArea_);
    row->addStretch(1);

    auto* buttons = new QVBoxLayout;
    auto button = [&](const char* name, const QString& text, const QIcon& icon) {
        auto* b = new QPushButton(icon, text, EingabePanel1);
        b->setObjectName(QString::fromLatin1(name));
        b->setMinimumWidth(150);
        buttons->addWidget(b);
        return b;
    };
    EingabebeendenBitBtn1 = button("EingabebeendenBitBtn1", QStringLiteral("Eingabe beenden"),
                                   style()->standardIcon(QStyle::SP_DialogApplyButton));
    DatensatzeinfuegenBitBtn1 = button("DatensatzeinfuegenBitBtn1", settings_.insertButtonText,
                                       symbol(Symbol::Neu));
    EingabeAbbruchBitBtn1 = button("EingabeAbbruchBitBtn1", QStringLiteral("Abbruch"),
                                   style()->standardIcon(QStyle::SP_DialogCancelButton));
    buttons->addStretch();
    row->addLayout(buttons);
    connect(EingabebeendenBitBtn1, &QPushButton::clicked, this, &TStammdatenForm::OKBtnClick);
    connect(DatensatzeinfuegenBitBtn1, &QPushButton::clicked, this, &TStammdatenForm::NeuerSatzButtonClick);
    connect(EingabeAbbruchBitBtn1, &QPushButton::clicked, this, &TStammdatenForm::CancelBtnClick);
}

void TStammdatenForm::buildMenus()
{
    auto action = [this](QMenu* menu, const char* name, const QString& text, void (TStammdatenForm::*handler)()) {
        QAction* a = menu->addAction(text);
        a->setObjectName(QString::fromLatin1(name));
        connect(a, &QAction::triggered, this, [this, handler] { (this->*handler)(); });
        return a;
    };
    auto menu = [this](const char* name, const QString& title) {
        auto* m = new QMenu(title, this);
        m->setObjectName(QString::fromLatin1(name));
        return m;
    };

    Eingabe1 = menu("Eingabe1", QStringLiteral("&Eingabe"));
    Neueingabe1 = action(Eingabe1, "Neueingabe1", QStringLiteral("&Neueingabe"), &TStammdatenForm::Neueingabe1Click);
    Kopierenundndern1 = action(Eingabe1, "Kopierenundndern1", QStringLiteral("&Kopieren und Ändern"),
                               &TStammdatenForm::Kopierenundndern1Click);
    ndern1 = action(Eingabe1, "ndern1", QStringLiteral("&Ändern"), &TStammdatenForm::ndern1Click);
    if (settings_.importItem) {
        Eingabe1->addSeparator();
        // The member import comes with its own dialog later; until then the item is off.
        Importieren1 = Eingabe1->addAction(QStringLiteral("&Importieren"));
        Importieren1->setObjectName(QStringLiteral("Importieren1"));
        Importieren1->setEnabled(false);
    }
    Bearbeiten1 = menu("Bearbeiten1", QStringLiteral("&Bearbeiten"));
    Lschen2 = action(Bearbeiten1, "Lschen2", QStringLiteral("&Löschen"), &TStammdatenForm::Lschen2Click);
    Ansicht1 = menu("Ansicht1", QStringLiteral("&Ansicht"));
    Sortierung1 = action(Ansicht1, "Sortierung1", QStringLiteral("&Sortierung"), &TStammdatenForm::Sortierung1Click);
    Bereich1 = action(Ansicht1, "Bereich1", QStringLiteral("&Bereich"), &TStammdatenForm::Bereich1Click);
    // "Suchen" is a command of the menu bar itself: opening the empty menu runs it.
    Suchen1 = menu("SUCHEN1", QStringLiteral("S&uchen"));
    connect(Suchen1, &QMenu::aboutToShow, this, [this] {
        QTimer::singleShot(0, this, [this] {
            Suchen1->hide();
            Suchen1Click();
        });
    });
    Drucken1 = menu("DRUCKEN1", QStringLiteral("&Drucken"));
    Liste1 = action(Drucken1, "Liste1", QStringLiteral("Liste"), &TStammdatenForm::Liste1Click);
    Liste1->setEnabled(hatDatenzugang() && datenzugang().druckenMoeglich());
    MainMenu1 = {Eingabe1, Bearbeiten1, Ansicht1, Suchen1, Drucken1};

    Eingabe2 = menu("Eingabe2", QStringLiteral("&Eingabe"));
    Neueingabe2 = action(Eingabe2, "Neueingabe2", QStringLiteral("&Neueingabe"), &TStammdatenForm::Neueingabe1Click);
    Kopierenundndern2 = action(Eingabe2, "Kopierenundndern2", QStringLiteral("&Kopieren und Ändern"),
                               &TStammdatenForm::Kopierenundndern1Click);
    EingabeMenu = {Eingabe2};
}

// ---- entry fields ----

void TStammdatenForm::addField(QWidget* control, bindung::FeldBindung* binding, bool keys, bool display)
{
    fields_.push_back({control, binding, display});
    if (keys && !display) keys_->attach(control);
}

bindung::Eingabefeld* TStammdatenForm::eingabefeld(const std::string& field, const char* name)
{
    auto* e = new bindung::Eingabefeld(table_, field, fieldArea_);
    e->setObjectName(QString::fromLatin1(name));
    addField(e, &e->bindung(), true, false);
    return e;
}

bindung::Eingabefeld* TStammdatenForm::nummernanzeige(const std::string& field, const char* name)
{
    auto* e = new bindung::Eingabefeld(table_, field, fieldArea_);
    e->setObjectName(QString::fromLatin1(name));
    e->alsAnzeige();
    addField(e, &e->bindung(), false, true);
    return e;
}

bindung::Memofeld* TStammdatenForm::memofeld(const std::string& field, const char* name)
{
    auto* m = new bindung::Memofeld(table_, field, fieldArea_);
    m->setObjectName(QString::fromLatin1(name));
    addField(m, &m->bindung(), true, false);
    return m;
}

bindung::Kontrollkaestchen* TStammdatenForm::kontrollkaestchen(const std::string& field, const QString& text,
                                                               const char* name)
{
    auto* c = new bindung::Kontrollkaestchen(table_, field, text, fieldArea_);
    c->setObjectName(QString::fromLatin1(name));
    addField(c, &c->bindung(), false, false);
    return c;
}

bindung::Auswahlfeld* TStammdatenForm::auswahlfeld(const std::string& field, const char* name,
                                                   const std::string& sourceName, const std::string& keyField,
                                                   std::vector<std::string> listFields, QStringList titles)
{
    engine::DataSet* source = hatDatenzugang() ? datenzugang().tabelle(sourceName) : nullptr;
    auto* c = new bindung::Auswahlfeld(table_, field, source, keyField, std::move(listFields), std::move(titles),
                                       fieldArea_);
    c->setObjectName(QString::fromLatin1(name));
    addField(c, &c->bindung(), true, false);
    lookups_.push_back({c, sourceName});
    return c;
}

void TStammdatenForm::tabelleBinden()
{
    if (!tableGone_ || !hatDatenzugang()) return;
    tableGone_ = false;
    tableWatch_.reset();
    table_ = datenzugang().tabelle(settings_.dataSetName);
    if (table_)
        tableWatch_ = table_->subscribe([this](const engine::DataSetEvent& e) {
            if (e.kind != engine::DataSetEvent::Kind::Destroyed) return;
            tableGone_ = true;
            table_ = nullptr;
        });
    SuchQuery1.close();
    for (const Field& f : fields_) f.binding->setDataSet(table_);
    for (const Lookup& l : lookups_) l.control->setSource(datenzugang().tabelle(l.source));
    DBGrid1->modell().setDataSet(table_);
    DBNavigator2->setDataSet(table_);
    setTag(0);
    switchMode(false, true);
}

// ---- creation, activation, modes ----

void TStammdatenForm::FormCreate()
{
    setWindowTitle(settings_.caption);
    controls::runGuarded([this] { MenueFreigebenTabelle(); });
    switchMode(false, true);
    if (!table_ || !table_->active()) common::dialogs().error(settings_.notOpenMessage);
}

void TStammdatenForm::FormActivate()
{
    controls::runGuarded([this] { tabelleBinden(); });
    if (QWidget* frame = parentWidget(); frame && !frame->isMaximized()) frame->showMaximized();
    if (settings_.browseOnActivate) ModusSchalten(false);
}

void TStammdatenForm::closeRequested() { CloseBtnClick(); }

void TStammdatenForm::MenueFreigeben(long count) { menuepunkteFreigeben(*this, count > 0); }

void TStammdatenForm::MenueFreigebenTabelle()
{
    if (!hatDatenzugang() || !table_) return;
    const long count = datenzugang().anzahlDatensaetze(settings_.dataSetName);
    if (count >= 0) MenueFreigeben(count);
}

void TStammdatenForm::ModusSchalten(bool on)
{
    controls::runGuarded([&] { switchMode(on, false); });
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
        setTag(0);
    }
    nachModuswechsel(on);
}

void TStammdatenForm::focusFirst()
{
    if (QWidget* first = ersteEingabe()) first->setFocus();
}

void TStammdatenForm::refreshLookup()
{
    if (settings_.lookupToRefresh.empty() || !hatDatenzugang()) return;
    if (engine::TableDataSet* lookup = datenzugang().tabelle(settings_.lookupToRefresh); lookup && lookup->active())
        lookup->refresh();
}

void TStammdatenForm::befehl(const std::function<void()>& command)
{
    controls::runGuarded([&] {
        tabelleBinden();
        uebernehmen();
        command();
    });
}

void TStammdatenForm::uebernehmen()
{
    for (const Field& f : fields_)
        if (f.binding->pending()) f.binding->uebernehmen();
}

bool TStammdatenForm::komplett() const
{
    if (!table_ || !table_->active() || settings_.nameField.empty()) return false;
    if (!table_->editing() && table_->isEmpty()) return false;
    return !table_->text(settings_.nameField).empty();
}

} // namespace trevo::masterdata
