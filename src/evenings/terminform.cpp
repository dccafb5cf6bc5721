#include "evenings/terminform.h"

#include "common/dialogs/dialogs.h"
#include "common/fenster/window_codes.h"
#include "data/module/ke_data_form.h"
#include "dbcontrols/command_guard.h"
#include "dbcontrols/data_link.h"
#include "dbcontrols/db_edit.h"
#include "dbcontrols/db_lookup_combo.h"
#include "dbcontrols/entry_keys.h"
#include "engine/dataset/table_data_set.h"
#include "shell/shell_services.h"
#include "shell/stammdaten/datenzugang.h"

#include <QApplication>
#include <QComboBox>
#include <QDate>
#include <QKeyEvent>
#include <QLineEdit>
#include <QMenu>
#include <QPushButton>
#include <QShortcut>
#include <QToolButton>
#include <QVBoxLayout>

namespace trevo::evenings {

TTerminform::TTerminform(shell::ShellServices& s, shell::stammdaten::Datenzugang& zugang,
                         shell::stammdaten::Suchdialoge& dialoge, QWidget* parent)
    : ChildWindow(s, parent), daten_(zugang), dialoge_(dialoge)
{
    setObjectName(QStringLiteral("Terminform"));
    setWindowTitle(QStringLiteral("Termine"));
    heute_ = QDate::currentDate().toString(QStringLiteral("dd.MM.yyyy"));
    auto* seiten = new QVBoxLayout(this);
    seiten->setContentsMargins(0, 0, 0, 0);
    gitterseiteBauen();
    detailseiteBauen();
    seiten->addWidget(Gitterpanel);
    seiten->addWidget(Komplettpanel);
    menuesBauen();
    verbinden();
    FormCreate();
}

TTerminform::~TTerminform() = default;

void TTerminform::verbinden()
{
    auto g = [this](auto f) { return [this, f] { (this->*f)(); }; };
    connect(BitBtn2, &QPushButton::clicked, this, [this] { shell().ProgrammBeenden(); });
    connect(SchnellsuchEdit1, &QLineEdit::textChanged, this, &TTerminform::SchnellsuchEdit1Change);
    connect(Abschnittedit2, &QComboBox::activated, this, &TTerminform::Abschnittedit2Change);
    connect(OKBtn, &QPushButton::clicked, this, g(&TTerminform::OKBtnClick));
    connect(BitBtn1, &QPushButton::clicked, this, g(&TTerminform::NeuerSatzBtn1Click));
    connect(CancelBtn, &QPushButton::clicked, this, g(&TTerminform::CancelBtnClick));
    connect(HilfeBtn, &QPushButton::clicked, this, [this] { shell().Hilfe(QStringLiteral("TREVO.HLP"), 80150); });
    connect(KalenderBtn1, &QToolButton::clicked, this, g(&TTerminform::KalenderBtn1Click));
    connect(DateButton1, &QPushButton::clicked, this, g(&TTerminform::DateButton1Click));
    connect(Abschnittedit, &QLineEdit::textChanged, this, [this] {
        if (!abschnittStill_) AbschnitteditChange();
    });
    auto schritt = [this](int d) {
        bool ok = false;
        const int n = Abschnittedit->text().trimmed().toInt(&ok);
        Abschnittedit->setText(QString::number(std::max(1, (ok ? n : abschnitt()) + d)));
    };
    connect(AbschnittAuf, &QToolButton::clicked, this, [schritt] { schritt(1); });
    connect(AbschnittAb, &QToolButton::clicked, this, [schritt] { schritt(-1); });
    connect(Preislistenedit, &QComboBox::currentTextChanged, this, [this] { befehl([this] { preislisteGeaendert(); }); });
    connect(Keglernummeredit, &QComboBox::currentTextChanged, this, [this] { befehl([this] { keglernameZeigen(); }); });
    connect(KeglerauswahlSpeedButton, &QToolButton::clicked, this, g(&TTerminform::KeglerauswahlSpeedButtonClick));
    connect(LeistungeinfuegenBitBtn, &QPushButton::clicked, this, g(&TTerminform::TeilnehmereinfuegenBitBtnClick));
    connect(LeistungloeschenBitBtn, &QPushButton::clicked, this, g(&TTerminform::TeilnehmerloeschenClick));
    connect(SpieleinfuegenBitBtn, &QPushButton::clicked, SpieleGrid1, &Eingabegitter::SpielEinfuegen);
    connect(SpieleloeschenBitBtn, &QPushButton::clicked, SpieleGrid1, &Eingabegitter::SpielLoeschen);
    connect(AlleSpieleentfernenBitBtn, &QPushButton::clicked, SpieleGrid1, &Eingabegitter::AlleSpieleEntfernen);
    connect(SpeedButton1, &QToolButton::clicked, SpieleGrid1, &Eingabegitter::ErsteReiheNaechsteSpalte);
    connect(RightUpBtn2, &QToolButton::clicked, SonstigeGrid1, &Eingabegitter::ErsteReiheNaechsteSpalte);
    connect(SonstigeListeBitBtn, &QPushButton::clicked, this,
            [this] { controls::runGuarded([this] { shell().FensterAktivieren(common::Fenster::Sonstige); }); });
    for (Eingabegitter* gitter : {SpieleGrid1, SonstigeGrid1}) {
        connect(gitter, &Eingabegitter::abbruchGewuenscht, this, [this] { abbruchFragen(); });
        connect(gitter, &Eingabegitter::betreten, this, [this, gitter] { gitterBetreten(gitter); });
        // "Erste Reihe, nächste Spalte" from the keyboard.
        auto* f6 = new QShortcut(QKeySequence(Qt::Key_F6), gitter, nullptr, nullptr, Qt::WidgetWithChildrenShortcut);
        connect(f6, &QShortcut::activated, gitter, &Eingabegitter::ErsteReiheNaechsteSpalte);
    }

    // Keys for the lane: F5 the selection list, Ins in the bowler number field "Teilnehmer
    // einfügen", F7 the section field, F8 from one entry grid to the other, F9 "Beenden".
    auto taste = [this](const QKeySequence& k, QWidget* ort, std::function<void()> f) {
        auto* s = new QShortcut(k, ort, nullptr, nullptr, Qt::WidgetWithChildrenShortcut);
        connect(s, &QShortcut::activated, this, f);
    };
    taste(QKeySequence(Qt::Key_F5), Komplettpanel, [this] { KeglerauswahlSpeedButtonClick(); });
    taste(QKeySequence(Qt::Key_Insert), Keglernummeredit, [this] { TeilnehmereinfuegenBitBtnClick(); });
    taste(QKeySequence(Qt::Key_F7), Komplettpanel, [this] {
        Abschnittedit->setFocus(Qt::ShortcutFocusReason);
        Abschnittedit->selectAll();
    });
    taste(QKeySequence(Qt::Key_F8), Komplettpanel, [this] {
        (SpieleGrid1->hasFocus() || SpieleGrid1->isAncestorOf(QApplication::focusWidget()) ? SonstigeGrid1 : SpieleGrid1)
            ->setFocus(Qt::TabFocusReason);
    });
    taste(QKeySequence(Qt::Key_F9), Komplettpanel, [this] { OKBtnClick(); });
    KeglerauswahlSpeedButton->setToolTip(QStringLiteral("Auswahlliste (F5)"));
    LeistungeinfuegenBitBtn->setToolTip(QStringLiteral("Einfg im Feld der Keglernummer"));
    OKBtn->setToolTip(QStringLiteral("F9"));
    Abschnittedit->setToolTip(QStringLiteral("F7"));

    // The keys of the header fields and the bowler number field.
    feldtasten_ = new controls::EntryKeys(this);
    for (QWidget* w : std::initializer_list<QWidget*>{DatumDBEdit, BemerkungDBMemo1, BeitragEdit1, Preislistenedit,
                                                      Abschnittedit, Keglernummeredit})
        feldtasten_->attach(w);
    connect(feldtasten_, &controls::EntryKeys::cancelConfirmed, this, g(&TTerminform::CancelBtnClick));
    for (QWidget* w : std::initializer_list<QWidget*>{DatumDBEdit, Preislistenedit, Keglernummeredit})
        w->installEventFilter(this);
    setTabOrder(DatumDBEdit, BemerkungDBMemo1);
    setTabOrder(BemerkungDBMemo1, BeitragEdit1);
    setTabOrder(BeitragEdit1, Preislistenedit);
    setTabOrder(Preislistenedit, Abschnittedit);
    setTabOrder(Abschnittedit, Keglernummeredit);
    setTabOrder(Keglernummeredit, SpieleGrid1);
    setTabOrder(SpieleGrid1, SonstigeGrid1);
}

void TTerminform::FormCreate()
{
    controls::runGuarded([this] {
        daten_.modul().aktuellerAbschnitt = 1;
        if (termine().active()) termine().first();
    });
    abschnittStill_ = true;
    Abschnittedit->setText(QStringLiteral("1"));
    abschnittStill_ = false;
    Abschnittedit2->setEditText(QStringLiteral("0"));
    setMenus(MainMenu1);
    controls::runGuarded([this] { menueFreigeben(); });
    titelSetzen();
}

bool TTerminform::eventFilter(QObject* watched, QEvent* event)
{
    const auto t = event->type();
    // Enter after the bowler number goes straight into the games grid.
    if (t == QEvent::KeyPress && watched == Keglernummeredit) {
        const int key = static_cast<QKeyEvent*>(event)->key();
        if (key == Qt::Key_Return || key == Qt::Key_Enter) {
            SpieleGrid1->setFocus(Qt::TabFocusReason);
            return true;
        }
        // The bowler by his number, digit by digit.
        const QString text = static_cast<QKeyEvent*>(event)->text();
        if ((text.size() == 1 && text[0].isDigit()) || key == Qt::Key_Backspace) {
            if (key == Qt::Key_Backspace)
                keglerEingabe_.chop(1);
            else
                keglerEingabe_ += text;
            befehl([this] { keglerWaehlen(); });
            return true;
        }
    }
    if (t == QEvent::FocusIn && watched == Keglernummeredit) keglerEingabe_.clear();
    if (t == QEvent::FocusIn || t == QEvent::FocusOut) {
        const auto reason = static_cast<QFocusEvent*>(event)->reason();
        if (reason != Qt::PopupFocusReason && Komplettpanel->isVisible()) {
            if (watched == Keglernummeredit)
                befehl([this, t] { t == QEvent::FocusIn ? keglernummerBetreten() : keglernummerVerlassen(); });
            else if (t == QEvent::FocusOut && watched == DatumDBEdit)
                befehl([this] {
                    // The year correction: a year below 1930 is moved a century forward.
                    const engine::Value v = termine().editing() ? termine().value("DATUM") : engine::Value();
                    if (!v.isDate()) return;
                    const QDate d = QDate(1899, 12, 30).addDays(v.date());
                    if (d.year() < 1930) {
                        const QDate neu = d.addYears(100);
                        termine().setValue("DATUM", engine::Value::date(static_cast<int32_t>(QDate(1899, 12, 30).daysTo(neu))));
                    }
                });
            else if (t == QEvent::FocusOut && watched == Preislistenedit)
                befehl([this] { preislisteVerlassen(); });
        }
    }
    return ChildWindow::eventFilter(watched, event);
}

void TTerminform::resizeEvent(QResizeEvent* event)
{
    ChildWindow::resizeEvent(event);
    // The other-items panel takes half of the width.
    if (Sonstigepanel) Sonstigepanel->setFixedWidth(width() / 2);
}

void TTerminform::Lotsenbefehl(shell::Lotsencode code)
{
    using C = shell::Lotsencode;
    switch (code) {
    case C::Neueingabe: imEingabemodus() ? NeuerSatzBtn1Click() : Neueingabe1Click(); break;
    case C::Aendern: if (!imEingabemodus()) ndern1Click(); break;
    case C::Sortieren: Sortierung1Click(); break;
    case C::Bereich: Bereich1Click(); break;
    case C::Suchen: Suchen1Click(); break;
    case C::Liste: Liste1Click(); break;
    case C::AuswertungTermin: AuswertungTerminClick(); break;
    case C::AuswertungZeitraum: AuswertungZeitraumClick(); break;
    case C::Rangfolge: RanglisteClick(); break;
    }
}

void TTerminform::FormActivate()
{
    menueFreigeben();
}

void TTerminform::closeRequested()
{
    // The home window is closed only with the program.
    shell().ProgrammBeenden();
}

void TTerminform::tabelleGefuellt(bool hatDatensaetze)
{
    hatDatensaetze_ = hatDatensaetze;
    for (QAction* a : {ndern1, Bereich1, Liste1, TerminLoeschen1, Suchen2, Ersetzen1}) a->setEnabled(hatDatensaetze);
    Bearbeiten1->menuAction()->setEnabled(hatDatensaetze);
    Suchen1->menuAction()->setEnabled(hatDatensaetze);
    ToolButton11->setEnabled(true);
    auswertenMenue();
}

bool TTerminform::programmendeErlaubt()
{
    if (!imEingabemodus()) return true;
    befehl([] {});
    const QString frage = vollstaendig() == 0 ? QStringLiteral("Daten speichern ?")
                                              : QStringLiteral("Die Daten sind nicht vollständig. Trotzdem speichern ?");
    const auto antwort = common::dialogs().yesNoCancel(frage);
    if (antwort == common::Answer::Cancel) return false;
    bool erledigt = false;
    controls::runGuarded([&] {
        if (antwort == common::Answer::Yes) {
            // Everything typed is kept: the section and the evening are saved.
            if (vollstaendig() == 0)
                terminSpeichern();
            else {
                teilnehmerSichern();
                abschnittSpeichern();
                termine().post();
            }
        } else {
            terminVerwerfen();
        }
        erledigt = true;
    });
    if (!erledigt) return false;
    setTag(shell::Eingabemodus::Blaettern);
    detailVerlassen();
    return true;
}

} // namespace trevo::evenings
