#pragma once
// The selection dialog "Mitglieder/Gastkegler auswählen": every bowler in the left list,
// the participants of the section in the right list; ">" and ">>" add bowlers, "<" and
// "<<" take back bowlers not yet in the section. The dialog only adds: OK hands back the
// items of the right list that are not among the participants it was opened with.
#include <QDialog>
#include <QStringList>

class QListWidget;
class QPushButton;

namespace trevo::evenings {

class TKeglerAuswahlDlg2 : public QDialog {
    Q_OBJECT
public:
    explicit TKeglerAuswahlDlg2(QWidget* parent = nullptr);

    // "#" + the bowler number padded with blanks to 10 characters + name + ", " + first name.
    static QString eintrag(long nummer, const QString& name, const QString& vorname);
    // The bowler number of an item (its characters 2 to 11), 0 when there is none.
    static long nummerVon(const QString& eintrag);

    void linksFuellen(const QStringList& eintraege);
    // A participant the section has already: in the right list and among the existing ones.
    void vorhanden(const QString& eintrag);
    // The items of the right list that are not among the existing participants, in order.
    QStringList neue() const;

    QListWidget* SrcList = nullptr;
    QListWidget* DstList = nullptr;
    QPushButton *IncludeBtn = nullptr, *IncAllBtn = nullptr, *ExcludeBtn = nullptr, *ExAllBtn = nullptr;
    QPushButton *OKBtn = nullptr, *CancelBtn = nullptr, *HelpBtn = nullptr;

    void IncludeBtnClick();
    void IncAllBtnClick();
    void ExcludeBtnClick();
    void ExAllBtnClick();

protected:
    void showEvent(QShowEvent* event) override;

private:
    void verschieben(QListWidget* von, QListWidget* nach);
    void knoepfeSetzen();

    QStringList vorhanden_;
};

} // namespace trevo::evenings
