#pragma once
// The program's print facility (shell/druckdienst.h). Each print runs in this order:
//
//   1. unless a blank form: the table must hold records, else message 2014;
//   2. the print dialog (TDruckform), modal; on anything but OK nothing is printed;
//   3. please-wait on; the report file looked for (report_file.h), a missing one named
//      in a message; the report loaded (its German failure text in the error box), its
//      memos adjusted (memo_adjustment.h), for evaluations DATUMQRLABEL set to today;
//   4. the copies from the dialog, the pages laid out, please-wait off, and the preview
//      shown modally until the user closes it.
//
// Please-wait is off at the end of every print, whatever happened. Every table a report
// reads lies in the data folder. The print dialog is made once (at start-up, the step
// "Druckfunktion") and kept for the whole run.
#include "reports/druck/druckform.h"
#include "reports/druck/druckumgebung.h"
#include "reports/report.h"
#include "shell/druckdienst.h"

#include <QPointer>

#include <functional>
#include <optional>

namespace trevo::shell {
class ShellServices;
}

namespace trevo::reports {

class Druckfunktion : public shell::Druckdienst {
public:
    Druckfunktion(Druckumgebung& umgebung, shell::ShellServices& shell, QWidget* hauptfenster = nullptr);
    ~Druckfunktion() override;
    Druckfunktion(const Druckfunktion&) = delete;
    Druckfunktion& operator=(const Druckfunktion&) = delete;

    QString Reportdatei(const QString& option, const QString& standard) const override;
    void DruckeAuswertung(const QString& reportFile) override;
    void DruckeListe(const QString& reportFile, const QString& tablePath) override;
    void DruckeSpielliste() override;
    void DruckeBlankoliste(const QString& reportFile) override;

    // The print dialog, made hidden on first use.
    TDruckform& Druckform();

    // How the print dialog and the preview are shown; tests replace them so that
    // nothing waits for a user. The preview gets the loaded, laid-out report.
    std::function<int(QDialog&)> zeigeModal;
    std::function<void(Report&)> zeigeVorschau;

private:
    struct Auftrag {
        QString reportFile;
        std::optional<std::string> table; // counted before the dialog; none for a blank form
        bool auswertung = false;
    };
    void drucke(const Auftrag& auftrag);
    void vorbereitenUndZeigen(const Auftrag& auftrag, int exemplare);
    bool keineDaten(const std::string& table);

    Druckumgebung& umgebung_;
    shell::ShellServices& shell_;
    QPointer<QWidget> hauptfenster_;
    QPointer<TDruckform> druckform_;
};

} // namespace trevo::reports
