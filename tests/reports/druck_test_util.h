#pragma once
// The print facility under test: over a data folder of the report tests, with scripted
// boxes, a shell that records the please-wait indication, a print dialog answered by
// working its real controls, and a preview that keeps what it was shown.
#include "common/dialogs/scripted_dialogs.h"
#include "reports/druck/druckfunktion.h"
#include "reports/druck/druckumgebung.h"
#include "report_test_util.h"
#include "shell/shell_services.h"

#include <QStringList>

#include <functional>
#include <vector>

namespace trevo::reports::test {

class RecordingShell : public shell::ShellServices {
public:
    void FensterAktivieren(int) override {}
    void FensterZurueck() override {}
    void BitteWarten(int mode) override { waits.push_back(mode); }
    void FilterAnzeige(bool) override {}
    void setStatusText(int, const QString&) override {}
    QString DatumWaehlen() override { return {}; }
    void LotseZeigen() override {}
    void Hilfe(const QString&, int) override {}
    void ProgrammBeenden() override {}
    shell::ChildWindow* Fensterobjekt(int) override { return nullptr; }

    // Whether the indication is off now (never switched on counts as off).
    bool waitOff() const { return waits.empty() || waits.back() == 1; }
    std::vector<int> waits;
};

class FolderUmgebung : public Druckumgebung {
public:
    explicit FolderUmgebung(ClubFolder& club) : club_(club) {}
    engine::Database& datenbank() override { return club_.db; }
    std::string datenordner() const override { return club_.folder; }
    const common::StoredOptions& optionen() const override { return options; }
    QByteArray logo() const override { return logoBytes; }
    common::StoredOptions options;
    QByteArray logoBytes;

private:
    ClubFolder& club_;
};

// What the preview was given.
struct Shown {
    QString fileName;
    int copies = 0;
    QStringList texts; // the text runs of every page, in order
    Printout printout;
};

// How the print dialog is answered.
enum class Button { Ok, Abbrechen, Escape, DruckerEinrichten };

struct DruckTest {
    explicit DruckTest(int bowlers = 5);

    // The print dialog gets "Anzahl:" typed (unless empty) and the button clicked.
    void answer(Button button, const QString& anzahl = {});
    // A layout written into the data folder (or the path given).
    QString write(const Layout& layout, const QString& fileName);
    QString dataFile(const QString& fileName) const { return QString::fromStdString(club.folder) + fileName; }

    ClubFolder club;
    FolderUmgebung umgebung{club};
    RecordingShell shell;
    common::ScriptedDialogs dialogs;
    common::DialogsScope scope{dialogs};
    Druckfunktion druck{umgebung, shell};
    Button button = Button::Ok;
    QString anzahl;
    int dialogShown = 0;
    QList<QDialog*> forms; // the print dialog of each showing
    QList<int> anzahlAtShow; // "Anzahl:" as each showing of the dialog began
    int printerSetUps = 0;
    std::vector<Shown> previews;
};

// A list over KEGLER.DBF: title with the label DATUMQRLABEL, one row per bowler.
Layout memberList();
// A blank form: a title and a ruled grid, no table.
Layout blankForm();

} // namespace trevo::reports::test
