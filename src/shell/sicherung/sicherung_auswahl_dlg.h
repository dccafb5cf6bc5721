#pragma once
// "Datensicherung zurückspielen": the backups of a folder with date and size, newest
// first; "&Ordner ..." looks into another folder.
#include "data/sicherung/sicherung.h"

#include <QDialog>

#include <vector>

class QLabel;
class QListWidget;
class QPushButton;

namespace trevo::shell {

class TSicherungAuswahlDlg : public QDialog {
    Q_OBJECT
public:
    explicit TSicherungAuswahlDlg(const QString& ordner, QWidget* parent = nullptr);

    QString ordner() const { return ordner_; }
    // The chosen backup; nullptr when none is chosen.
    const data::Sicherung* gewaehlt() const;

    QLabel* OrdnerLabel = nullptr;
    QListWidget* SicherungenListe = nullptr;
    QPushButton* OKBtn = nullptr;
    QPushButton* OrdnerBtn = nullptr;
    QPushButton* CancelBtn = nullptr;

private:
    void ordnerZeigen(const QString& ordner);
    void OrdnerBtnClick();

    QString ordner_;
    std::vector<data::Sicherung> sicherungen_;
};

} // namespace trevo::shell
