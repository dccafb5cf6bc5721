#pragma once
// The evening window "Termine" (code 1), the program's home window: the evenings of
// TERMINE.DBF on the grid page, and on the detail page the evening being entered with its
// participants per game section and their game amounts and item counts.
//
// Edit modes (tag()) and the commands between them:
//
//   from         command                                to
//   Blaettern    Neueingabe (menu, toolbar, guide 1)    Neu        a new evening, its transaction
//                                                                  started by the data module
//   Blaettern    Ändern (menu, toolbar, guide 10)       Aendern    the current evening in edit, its
//                                                                  transaction restarted, the current
//                                                                  section loaded
//   Neu, Aendern Neueingabe (entry menu)                Neu        this evening saved first
//   Neu, Aendern Neuer Termin (guide 1)                 unchanged  saved, the next evening appended
//   Neu, Aendern Beenden, "Daten speichern ?" Ja        Blaettern  saved
//   Neu, Aendern Beenden, Nein                          Blaettern  cancelled: rollback
//   Neu, Aendern Abbruch, Esc answered Ja               Blaettern  cancelled: rollback; section 1
//   Neu, Aendern the end of the program                 Blaettern  "Daten speichern ?" with Cancel:
//                                                                  Ja saves, Nein cancels
//
// What holds in each mode:
//   Blaettern  the grid page (Gitterpanel) and MainMenu1 are shown; the entry grids are
//              empty; no evening transaction is open on the window's behalf.
//   Neu, Aendern
//              the detail page (Komplettpanel) and EingabeMenu are shown; the evening
//              record is in Insert or Edit state and the evening transaction is open.
//              Everything written meanwhile (participant rows, stored sections) belongs to
//              it. The entry grids hold the current section of this evening: what was
//              typed lives only there until the section is stored (section switch, saving
//              the evening, the other-items refresh).
// "Saving the evening" stores the section, posts the evening (which commits) and writes
// TEILNEHMER and ABSCHNITTE. An error on that way ends the command in the error box with
// the mode, the page and the grids unchanged, so that nothing typed is lost.
#include "engine/dataset/query_data_set.h"
#include "evenings/abend_daten.h"
#include "evenings/abschnitt.h"
#include "shell/child_window.h"
#include "shell/fensterdienste.h"

#include <QList>

#include <functional>
#include <memory>

class QAction;
class QComboBox;
class QLabel;
class QLineEdit;
class QMenu;
class QPushButton;
class QToolButton;

namespace trevo::controls {
class DBEdit;
class DBGrid;
class DBLookupComboBox;
class DBMemo;
class DBNavigator;
class EntryKeys;
} // namespace trevo::controls

namespace trevo::shell::stammdaten {
class Datenzugang;
class Suchdialoge;
} // namespace trevo::shell::stammdaten

namespace trevo::engine {
class TableDataSet;
}

namespace trevo::evenings {

class TTerminform : public shell::ChildWindow, public shell::SonstigeAuffrischung {
    Q_OBJECT
public:
    TTerminform(shell::ShellServices& shell, shell::stammdaten::Datenzugang& zugang,
                shell::stammdaten::Suchdialoge& dialoge, QWidget* parent = nullptr);
    ~TTerminform() override;

    // ChildWindow
    void Lotsenbefehl(shell::Lotsencode code) override;
    void FormActivate() override;
    void closeRequested() override;
    void tabelleGefuellt(bool hatDatensaetze) override;
    bool programmendeErlaubt() override;
    // SonstigeAuffrischung
    void SonstigeGridAuffrischen() override;

    // Commands as the user gives them.
    void Neueingabe1Click();
    void ndern1Click();
    void OKBtnClick();
    void NeuerSatzBtn1Click();
    void CancelBtnClick();
    void TerminLoeschen1Click();
    void TeilnehmereinfuegenBitBtnClick();
    void TeilnehmerloeschenClick();
    void KeglerauswahlSpeedButtonClick();
    void KalenderBtn1Click();
    void DateButton1Click();
    void AbschnitteditChange();
    void Abschnittedit2Change(int index);
    void Sortierung1Click();
    void Bereich1Click();
    void Bereichzuruecksetzen1Click();
    void Suchen1Click();
    void WeiterSuchenClick();
    void Ersetzen1Click();
    void Liste1Click();
    void Blankoliste1Click();
    void AuswertungTerminClick();
    void AuswertungZeitraumClick();
    void RanglisteClick();
    void SchnellsuchEdit1Change(const QString& text);

    // The current game section, shared with the data module (0: all sections).
    int abschnitt() const;
    engine::TableDataSet& termine() const;
    engine::TableDataSet& teilnehmer() const;
    Abenddaten& daten() { return daten_; }

    // Grid page.
    QWidget* Gitterpanel = nullptr;
    QToolButton *ToolButton10 = nullptr, *ToolButton11 = nullptr, *ToolButton13 = nullptr,
                *BereichToolButton = nullptr, *BereichzurueckToolButton = nullptr, *ToolButton14 = nullptr,
                *ToolButton1 = nullptr, *ToolButton4 = nullptr;
    QPushButton* BitBtn2 = nullptr; // "&Schließen"
    QLineEdit* SchnellsuchEdit1 = nullptr;
    controls::DBGrid *DBGrid1 = nullptr, *DBGrid3 = nullptr, *DBGrid4 = nullptr, *DBGrid2 = nullptr;
    QLabel *TeilnehmerTitel = nullptr, *SpieleTitel = nullptr, *SonstigeTitel = nullptr;
    QComboBox* Abschnittedit2 = nullptr;

    // Detail page.
    QWidget* Komplettpanel = nullptr;
    controls::DBEdit *DBText1 = nullptr, *DatumDBEdit = nullptr, *BeitragEdit1 = nullptr, *WaehrungEdit1 = nullptr;
    QToolButton* KalenderBtn1 = nullptr;
    QPushButton* DateButton1 = nullptr;
    controls::DBMemo* BemerkungDBMemo1 = nullptr;
    controls::DBLookupComboBox* Preislistenedit = nullptr;
    QLineEdit* PreislistendatumEdit1 = nullptr;
    QLineEdit* Abschnittedit = nullptr;
    QToolButton *AbschnittAuf = nullptr, *AbschnittAb = nullptr;
    controls::DBLookupComboBox* Keglernummeredit = nullptr;
    QToolButton* KeglerauswahlSpeedButton = nullptr;
    QLineEdit* KeglernameEdit = nullptr;
    QPushButton *LeistungeinfuegenBitBtn = nullptr, *LeistungloeschenBitBtn = nullptr;
    controls::DBGrid* TeilnehmerGrid = nullptr;
    QWidget *Spielepanel = nullptr, *Sonstigepanel = nullptr;
    QLabel* SpieleLabel2 = nullptr;
    Eingabegitter *SpieleGrid1 = nullptr, *SonstigeGrid1 = nullptr;
    QPushButton *SpieleinfuegenBitBtn = nullptr, *SpieleloeschenBitBtn = nullptr,
                *AlleSpieleentfernenBitBtn = nullptr, *SonstigeListeBitBtn = nullptr;
    QToolButton *SpeedButton1 = nullptr, *RightUpBtn2 = nullptr;
    QPushButton *OKBtn = nullptr, *BitBtn1 = nullptr, *CancelBtn = nullptr, *HilfeBtn = nullptr;

    // Menus.
    QList<QMenu*> MainMenu1, EingabeMenu;
    QAction *Neueingabe1 = nullptr, *ndern1 = nullptr, *ProgrammBeenden1 = nullptr;
    QAction *AktuellerTermin1 = nullptr, *Zeitraum1 = nullptr, *Rangliste1 = nullptr;
    QMenu *Bearbeiten1 = nullptr, *Suchen1 = nullptr;
    QAction *TerminLoeschen1 = nullptr, *Sortierung1 = nullptr, *Bereich1 = nullptr, *Bereichzuruecksetzen1 = nullptr;
    QAction *Suchen2 = nullptr, *Ersetzen1 = nullptr, *Liste1 = nullptr, *Blankoliste1 = nullptr;
    QAction* Neueingabe2 = nullptr;

    engine::QueryDataSet SuchQuery1;

protected:
    void resizeEvent(QResizeEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    // Building (terminform_aufbau.cpp).
    void gitterseiteBauen();
    QWidget* gitterBlock(QWidget* titel, controls::DBGrid*& grid, const char* name, const char* quelle,
                         const std::vector<std::pair<std::string, QString>>& spalten);
    void detailseiteBauen();
    QWidget* kopfBauen();
    QWidget* teilnehmerBauen();
    QWidget* spieleBauen();
    QWidget* sonstigeBauen();
    void menuesBauen();
    void verbinden();
    void FormCreate();

    // Modes and the evening (terminform_befehle.cpp).
    void befehl(const std::function<void()>& command);
    bool stammdatenPruefen();
    void neueingabe();
    void aendern();
    void beenden();
    void neuerTermin();
    void abbrechen();
    void terminSpeichern();
    void terminVerwerfen();
    void loeschen();
    void detailZeigen();
    void detailVerlassen();
    void menueFreigeben();
    int vollstaendig();
    bool terminBearbeitet() const;
    void abbruchFragen();
    void titelSetzen();

    // Section and grids (terminform_abschnitt.cpp).
    Abschnittsort ort();
    std::vector<Posten> posten();
    void gitterZuruecksetzen();
    void gitterLaden();
    void abschnittSpeichern();
    void abschnittWechseln(int neu);
    void teilnehmerSichern();
    void gitterBetreten(Eingabegitter* gitter);
    void preislisteGeaendert();
    void preislisteVerlassen();
    // The price list of the evening becomes the current one; false when there is none.
    bool preislisteSuchen();
    void teilnehmerFilter();

    // Participants (terminform_teilnehmer.cpp).
    void keglernummerBetreten();
    void keglernummerVerlassen();
    void keglernameZeigen();
    // The bowler whose number was typed into the bowler number field.
    void keglerWaehlen();
    void teilnehmerEinfuegen();
    void teilnehmerEntfernen();
    void keglerAuswahl();

    // Browsing (terminform_suche.cpp).
    void suchen();
    void zumTreffer();
    void bereichAnzeigen();
    shell::Auswertungsdienst* auswertung() const;
    void auswertenMenue();

    Abenddaten daten_;
    shell::stammdaten::Suchdialoge& dialoge_;
    controls::EntryKeys* feldtasten_ = nullptr;
    QString heute_;
    QString vorherigerKegler_;
    QString keglerEingabe_; // digits typed into the bowler number field since it got the focus
    bool abschnittStill_ = false; // the section field is being set by the window
    bool preislisteLaeuft_ = false; // the price list's change is being shown
    bool hatDatensaetze_ = false;
};

} // namespace trevo::evenings
