#pragma once
// The import dialog "Datenimport": the target's fields on the left ("Kegeln"), the
// source's on the right ("Datenquelle"), "<=>" connects the two selected fields, the list
// "Verbindungen" shows one row per target field and "Verbindung lösen" removes the
// connection of its selected row. "OK" imports every source record into the target.
//
// State: for each target field one source field or none (verbindungen_); key matching is
// on exactly when NUMMER is connected, the key field being its source field (schluessel_,
// -1 when off). Both lists of fields and the rows of "Verbindungen" follow the tables in
// table order; the rows always show the connections as they are.
#include "masterdata/import/import_lauf.h"

#include "engine/dataset/table_data_set.h"

#include <QDialog>
#include <QStringList>

#include <memory>
#include <string>

class QFontMetrics;
class QListWidget;
class QPushButton;

namespace trevo::engine {
class Database;
class Session;
} // namespace trevo::engine

namespace trevo::masterdata {

class TDBImportDlg : public QDialog {
    Q_OBJECT
public:
    TDBImportDlg(engine::Database& datenbank, engine::Session& session, QWidget* parent = nullptr);
    ~TDBImportDlg() override;

    // The target table: folder (ending in the separator) and file name.
    void setZiel(const std::string& ordner, const std::string& datei);
    // The source table chosen by the user, as a full path.
    void setQuelle(const std::string& pfad);
    // Opens both tables and fills the lists. False when the source holds no records
    // (message 2011 shown); errors opening a table reach the caller.
    bool Laden();

    // The rows of "Verbindungen" as shown.
    QStringList verbindungszeilen() const;
    int schluessel() const { return schluessel_; }
    // The records the last import stored.
    int gespeichert() const { return gespeichert_; }

    QListWidget* Listbox1 = nullptr;
    QListWidget* Listbox2 = nullptr;
    QListWidget* ListBox3 = nullptr;
    QPushButton* IncludeBtn = nullptr;
    QPushButton* OKBtn = nullptr;
    QPushButton* CancelBtn = nullptr;
    QPushButton* LoesenBtn = nullptr;
    QPushButton* HelpBtn = nullptr;

signals:
    // The progress the import wrote into the please-wait window (percent).
    void fortschrittGeschrieben(int prozent);

private:
    void aufbauen();
    void IncludeBtnClick();
    void LoesenBtnClick();
    void OKBtnClick();
    void zeileZeigen(int zielfeld);
    void Importieren();

    engine::Database& datenbank_;
    engine::Session& session_;
    std::string zielPfad_, quellPfad_;
    std::unique_ptr<engine::TableDataSet> Table1, Table2;
    Verbindungen verbindungen_;
    int schluessel_ = -1;
    int gespeichert_ = 0;
};

// A row of "Verbindungen": the target field alone, or padded with blanks to a column
// `spalte` pixels wide (as the font measures) and followed by the source field.
QString Verbindungszeile(const QString& zielfeld, const QString& quellfeld, const QFontMetrics& metrik,
                         int spalte = 150);

} // namespace trevo::masterdata
