#pragma once
// The request of an evaluation over several evenings: a period of evening dates (or all
// evenings) and either one bowler by member number (page 0, "Teilnehmer", the period
// evaluation) or one item by its number (page 1, "Sonstiges", the ranking). The caller
// prepares it with InitAbfrage, shows it modally and reads the answers when it ended
// with OK.
//
// States: the page is fixed by the caller; the pick list (Listenpanel) is lowered or
// raised over the dialog; OK is enabled or not; "Alle Datensätze" is checked or not.
// Rules between them:
//   - checking "Alle Datensätze" empties both dates; typing a date unchecks it;
//   - leaving a date field corrects a year before 1930 by 100 years;
//   - page 0: OK is enabled while the member number is not empty; page 1: while the item
//     number is a whole number above 0; the name labels show the bowler or item found.
#include <QDialog>

#include <memory>
#include <string>

class QCheckBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QStackedWidget;
class QToolButton;
class QGroupBox;

namespace trevo::controls {
class DBGrid;
}

namespace trevo::engine {
class TableDataSet;
}

namespace trevo::shell {
class ShellServices;
}

namespace trevo::shell::stammdaten {
class Datenzugang;
}

namespace trevo::evaluation {

class TDateQueryDlg_Auswertung : public QDialog {
    Q_OBJECT
public:
    TDateQueryDlg_Auswertung(shell::ShellServices& shell, shell::stammdaten::Datenzugang& zugang,
                             QWidget* parent = nullptr);
    ~TDateQueryDlg_Auswertung() override;

    // Page (0 or 1), the two date texts and the number for the page's number field.
    void InitAbfrage(int seite, const QString& von, int nummer, const QString& bis);

    // The answers. nummer() reads the page's number field as a whole number and ends with
    // "'x' ist kein gültiger Integerwert" (engine::ValueError) when it is none.
    QString von() const;
    QString bis() const;
    int64_t nummer() const;
    bool alle() const;

    // Commands, as the user gives them.
    void OkBtnClick();
    void CancelBtnClick();
    void KomplettCheckBoxClick();
    void KalenderClick(QLineEdit* feld);
    void ListeZeigen();
    void BitBtn1Click(); // pick list "OK"
    void BitBtn2Click(); // pick list "Abbruch"
    void DruckerEinrichtenClick();

    // Components.
    QLineEdit* DateFromEdit = nullptr;
    QLineEdit* dateToEdit = nullptr;
    QToolButton* KalenderVon = nullptr;
    QToolButton* KalenderBis = nullptr;
    QCheckBox* KomplettCheckBox = nullptr;
    QStackedWidget* Notebook1 = nullptr;
    QGroupBox* Seitenrahmen = nullptr;
    QLineEdit* TeilnehmernummerEdit = nullptr;
    QLabel* NameLabel = nullptr;
    QLineEdit* SonstigesnummerEdit = nullptr;
    QLabel* SonstigesNameLabel = nullptr;
    QToolButton* ListeButton0 = nullptr;
    QToolButton* ListeButton1 = nullptr;
    QPushButton* OKBtn = nullptr;
    QPushButton* CancelBtn = nullptr;
    QPushButton* DruckerBtn = nullptr;
    QWidget* Listenpanel = nullptr;
    controls::DBGrid* DBGrid1 = nullptr;
    QPushButton* BitBtn1 = nullptr;
    QPushButton* BitBtn2 = nullptr;

protected:
    void showEvent(QShowEvent* event) override;
    void hideEvent(QHideEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;

private:
    void aufbauen();
    QWidget* seiteTeilnehmer();
    QWidget* seiteSonstiges();
    void listeAufbauen();
    QLineEdit* nummernfeld() const;
    void datumGeaendert(const QString& text);
    // The year correction of a date field; an unreadable date is reported and kept.
    void jahrKorrigieren(QLineEdit* feld);
    void TeilnehmernummerChange();
    void SonstigesnummerChange();

    shell::ShellServices& shell_;
    shell::stammdaten::Datenzugang& zugang_;
    std::unique_ptr<engine::TableDataSet> Table1;
    int seite_ = 0;
};

} // namespace trevo::evaluation
