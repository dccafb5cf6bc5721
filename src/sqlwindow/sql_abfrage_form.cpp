#include "sqlwindow/sql_abfrage_form.h"

#include "common/dialogs/dialogs.h"
#include "common/fenster/window_codes.h"
#include "dbcontrols/command_guard.h"
#include "dbcontrols/db_grid.h"
#include "dbcontrols/db_navigator.h"
#include "engine/database.h"
#include "shell/shell_services.h"
#include "shell/stammdaten/datenzugang.h"
#include "engine/core/interrupt.h"
#include "sqlwindow/abbruch.h"
#include "sqlwindow/sql_lauf.h"
#include "sqlwindow/sql_textdatei.h"

#include <QDir>
#include <QFileInfo>
#include <QFontDatabase>
#include <QHeaderView>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QSplitter>
#include <QStatusBar>
#include <QStyle>
#include <QToolBar>
#include <QVBoxLayout>

#include <algorithm>

namespace trevo::sqlwindow {

namespace {

bool istStrgEnter(const QEvent* event)
{
    if (event->type() != QEvent::KeyPress) return false;
    const auto* key = static_cast<const QKeyEvent*>(event);
    return (key->key() == Qt::Key_Return || key->key() == Qt::Key_Enter)
           && (key->modifiers() & Qt::ControlModifier);
}

QLabel* labelband(const QString& text, QWidget* parent, const char* name)
{
    auto* label = new QLabel(text, parent);
    label->setObjectName(QString::fromLatin1(name));
    label->setFrameStyle(QFrame::Panel | QFrame::Raised);
    label->setContentsMargins(4, 2, 4, 2);
    return label;
}

} // namespace

int TSQLAbfrageForm::spaltenbreite(const engine::FieldDef& spalte) const
{
    // Room for what the column shows: dates as dd.mm.yyyy, numbers with sign and comma.
    int zeichen = std::clamp<int>(spalte.length, 4, 30);
    if (spalte.type == 'D') zeichen = 10;
    if (spalte.type == 'N' || spalte.type == 'F') zeichen = std::clamp<int>(spalte.length + 2, 4, 22);
    const QFontMetrics& fm = DBGrid1->fontMetrics();
    const int titel = DBGrid1->horizontalHeader()->fontMetrics().horizontalAdvance(QString::fromStdString(spalte.name));
    return std::max(fm.horizontalAdvance(QLatin1Char('0')) * zeichen, titel) + 16;
}

TSQLAbfrageForm::TSQLAbfrageForm(shell::ShellServices& shell, shell::stammdaten::Datenzugang& zugang,
                                 QWidget* parent)
    : ChildWindow(shell, parent), zugang_(zugang)
{
    setObjectName(QStringLiteral("SQLAbfrageForm"));
    setWindowTitle(common::windowCaption(common::Fenster::SQLAbfrage));
    Query1.setName("Query1");
    DataSource1.setzen(&Query1);
    aufbauen();
}

TSQLAbfrageForm::~TSQLAbfrageForm()
{
    // The controls go with the widget, after the query and its source.
    DBGrid1->setSource(nullptr);
    DBNavigator1->setSource(nullptr);
}

std::string TSQLAbfrageForm::arbeitsordner()
{
    return QDir::currentPath().toStdString() + "/";
}

// ---- layout ----

void TSQLAbfrageForm::aufbauen()
{
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    layout->addWidget(werkzeugleiste());

    auto* teiler = new QSplitter(Qt::Vertical, this);
    teiler->setObjectName(QStringLiteral("Splitter1"));
    teiler->setChildrenCollapsible(false);

    auto* oben = new QWidget(teiler);
    auto* obenLayout = new QVBoxLayout(oben);
    obenLayout->setContentsMargins(0, 0, 0, 0);
    obenLayout->setSpacing(0);
    AnweisungenLabel = labelband(QStringLiteral("Anweisungen:"), oben, "AnweisungenLabel");
    Memo1 = new QPlainTextEdit(oben);
    Memo1->setObjectName(QStringLiteral("Memo1"));
    Memo1->setFont(QFontDatabase::systemFont(QFontDatabase::FixedFont));
    Memo1->setLineWrapMode(QPlainTextEdit::NoWrap);
    Memo1->setTabChangesFocus(true);
    Memo1->setMinimumHeight(Memo1->fontMetrics().lineSpacing() * 4);
    obenLayout->addWidget(AnweisungenLabel);
    obenLayout->addWidget(Memo1);

    auto* unten = new QWidget(teiler);
    auto* untenLayout = new QVBoxLayout(unten);
    untenLayout->setContentsMargins(0, 0, 0, 0);
    untenLayout->setSpacing(0);
    ErgebnisLabel = labelband(QStringLiteral("Ergebnis:"), unten, "ErgebnisLabel");
    DBGrid1 = new controls::DBGrid(unten);
    DBGrid1->setObjectName(QStringLiteral("DBGrid1"));
    DBGrid1->setSource(&DataSource1);
    untenLayout->addWidget(ErgebnisLabel);
    untenLayout->addWidget(DBGrid1);

    teiler->addWidget(oben);
    teiler->addWidget(unten);
    teiler->setStretchFactor(0, 0);
    teiler->setStretchFactor(1, 1);
    teiler->setSizes({Memo1->fontMetrics().lineSpacing() * 10, 400});
    layout->addWidget(teiler, 1);

    layout->addWidget(knopfleiste());
    StatusBar1 = new QStatusBar(this);
    StatusBar1->setObjectName(QStringLiteral("StatusBar1"));
    StatusBar1->setSizeGripEnabled(false);
    layout->addWidget(StatusBar1);

    // Ctrl+Enter and the buttons' keys wherever the focus is in the window.
    for (QWidget* w : std::initializer_list<QWidget*>{Memo1, DBGrid1, AbfrageStartenBtn, TextLadenBtn,
                                                       TextSpeichernBtn, ExecSQLBtn})
        w->installEventFilter(this);

    setTabOrder(Memo1, DBGrid1);
    setTabOrder(DBGrid1, AbfrageStartenBtn);
    setFocusProxy(Memo1);
    Wartefenster = new Abbruchfenster(this);
}

QWidget* TSQLAbfrageForm::werkzeugleiste()
{
    ToolBar1 = new QToolBar(this);
    ToolBar1->setObjectName(QStringLiteral("ToolBar1"));
    DBNavigator1 = new controls::DBNavigator(ToolBar1);
    DBNavigator1->setObjectName(QStringLiteral("DBNavigator1"));
    DBNavigator1->setSource(&DataSource1);
    ToolBar1->addWidget(DBNavigator1);
    ToolBar1->addSeparator();
    SchliessenBtn = new QPushButton(style()->standardIcon(QStyle::SP_DialogCloseButton), QStringLiteral("&Schließen"),
                                    ToolBar1);
    SchliessenBtn->setObjectName(QStringLiteral("SchliessenBtn"));
    SchliessenBtn->setFocusPolicy(Qt::NoFocus);
    ToolBar1->addWidget(SchliessenBtn);
    connect(SchliessenBtn, &QPushButton::clicked, this, controls::guarded([this] { SchliessenClick(); }));
    return ToolBar1;
}

QWidget* TSQLAbfrageForm::knopfleiste()
{
    auto* leiste = new QWidget(this);
    leiste->setObjectName(QStringLiteral("Panel1"));
    auto* reihe = new QHBoxLayout(leiste);
    reihe->setContentsMargins(6, 6, 6, 6);
    auto knopf = [&](const char* name, const QString& text, void (TSQLAbfrageForm::*handler)()) {
        auto* b = new QPushButton(text, leiste);
        b->setObjectName(QString::fromLatin1(name));
        b->setMinimumWidth(140);
        b->setAutoDefault(false);
        reihe->addWidget(b);
        connect(b, &QPushButton::clicked, this, controls::guarded([this, handler] { (this->*handler)(); }));
        return b;
    };
    AbfrageStartenBtn = knopf("AbfrageStartenBtn", QStringLiteral("&Abfrage starten"),
                              &TSQLAbfrageForm::AbfrageStartenClick);
    AbfrageStartenBtn->setToolTip(QStringLiteral("Anweisung ausführen und Ergebnis zeigen (Strg+Eingabe)"));
    TextLadenBtn = knopf("TextLadenBtn", QStringLiteral("Text &laden"), &TSQLAbfrageForm::TextLadenClick);
    TextSpeichernBtn = knopf("TextSpeichernBtn", QStringLiteral("Text &speichern"),
                             &TSQLAbfrageForm::TextSpeichernClick);
    ExecSQLBtn = knopf("ExecSQLBtn", QStringLiteral("SQL-Befehl /ExecSQL)"), &TSQLAbfrageForm::ExecSQLClick);
    ExecSQLBtn->setToolTip(QStringLiteral("Anweisung ohne Ergebnisanzeige ausführen"));
    reihe->addStretch(1);
    return leiste;
}

QPushButton* TSQLAbfrageForm::knopfZuTaste(const QEvent* event) const
{
    if (event->type() != QEvent::KeyPress && event->type() != QEvent::ShortcutOverride) return nullptr;
    const auto* key = static_cast<const QKeyEvent*>(event);
    if (key->modifiers() != Qt::AltModifier) return nullptr;
    // "&Schließen" and "Text &speichern" share their letter: Qt's own mnemonics take turns.
    switch (key->key()) {
    case Qt::Key_A: return AbfrageStartenBtn;
    case Qt::Key_L: return TextLadenBtn;
    default: return nullptr;
    }
}

bool TSQLAbfrageForm::eventFilter(QObject* watched, QEvent* event)
{
    if (watched != this && watched->isWidgetType() && isAncestorOf(static_cast<QWidget*>(watched))) {
        if (istStrgEnter(event)) {
            controls::runGuarded([this] { AbfrageStartenClick(); });
            return true;
        }
        if (QPushButton* knopf = knopfZuTaste(event)) {
            event->accept();
            if (event->type() == QEvent::KeyPress) knopf->click();
            return true;
        }
    }
    return ChildWindow::eventFilter(watched, event);
}

void TSQLAbfrageForm::FormActivate()
{
    // The control that had the focus here last, else the memo; the focus may have been in
    // the guide or in another window.
    QWidget* ziel = focusWidget();
    (ziel && ziel != this ? ziel : Memo1)->setFocus();
}

// ---- running a statement ----

std::string TSQLAbfrageForm::anweisung() const
{
    return Memo1->toPlainText().toStdString();
}

void TSQLAbfrageForm::abfrageSchliessen()
{
    Query1.close();
    Query1.setResult({});
    DBGrid1->setColumns({});
}

void TSQLAbfrageForm::ausfuehren(bool zeilenZeigen)
{
    if (AbbrechbarerLauf::laeuft()) return;
    abfrageSchliessen();
    StatusBar1->clearMessage();
    SqlLauf lauf;
    try {
        AbbrechbarerLauf warten(shell(), *Wartefenster);
        lauf = sqlAusfuehren(zugang_.datenbank(), zugang_.session(), anweisung(), arbeitsordner());
    } catch (const engine::Interrupted&) {
        // Statements are atomic: the cancelled one changed nothing.
        StatusBar1->showMessage(QStringLiteral("Abfrage abgebrochen"));
        common::dialogs().message(QStringLiteral("Die Abfrage wurde abgebrochen. Die Tabellen sind unverändert."));
        return;
    } catch (...) {
        StatusBar1->showMessage(QStringLiteral("Anweisung nicht ausgeführt"));
        throw;
    }
    const bool zeigen = zeilenZeigen && lauf.mitZeilen();
    StatusBar1->showMessage(statuszeile(lauf, zeigen));
    if (zeigen) {
        std::vector<controls::GridColumn> spalten;
        for (const auto& spalte : lauf.ergebnis.columns)
            spalten.emplace_back(spalte.name, QString(), spaltenbreite(spalte));
        Query1.setResult(std::move(lauf.ergebnis));
        Query1.open();
        DBGrid1->setColumns(std::move(spalten));
    }
    if (!lauf.hinweise.isEmpty()) common::dialogs().show(common::BoxKind::Warning, lauf.hinweise, common::Buttons::Ok);
}

void TSQLAbfrageForm::AbfrageStartenClick()
{
    ausfuehren(true);
}

void TSQLAbfrageForm::ExecSQLClick()
{
    ausfuehren(false);
}

// ---- statement files ----

QString TSQLAbfrageForm::dateiordner() const
{
    return letzterOrdner_.isEmpty() ? QDir::currentPath() : letzterOrdner_;
}

void TSQLAbfrageForm::TextLadenClick()
{
    const auto gewaehlt = common::dialogs().openFileName(QStringLiteral("Öffnen"), dateiordner(), sqlDateifilter());
    if (!gewaehlt) return;
    engine::FileSystem& fs = zugang_.datenbank().fs();
    const QString pfad = mitStandardendung(*gewaehlt, fs, true);
    const QString text = sqlTextLesen(fs, pfad);
    Memo1->setPlainText(text);
    letzterOrdner_ = QFileInfo(pfad).absolutePath();
    StatusBar1->showMessage(QStringLiteral("Geladen: ") + QDir::toNativeSeparators(pfad));
}

void TSQLAbfrageForm::TextSpeichernClick()
{
    const auto gewaehlt =
        common::dialogs().saveFileName(QStringLiteral("Speichern unter"), dateiordner(), sqlDateifilter());
    if (!gewaehlt) return;
    engine::FileSystem& fs = zugang_.datenbank().fs();
    const QString pfad = mitStandardendung(*gewaehlt, fs, false);
    sqlTextSchreiben(fs, pfad, Memo1->toPlainText());
    letzterOrdner_ = QFileInfo(pfad).absolutePath();
    StatusBar1->showMessage(QStringLiteral("Gespeichert: ") + QDir::toNativeSeparators(pfad));
}

void TSQLAbfrageForm::SchliessenClick()
{
    shell().FensterZurueck();
}

} // namespace trevo::sqlwindow
