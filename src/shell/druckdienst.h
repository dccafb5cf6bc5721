#pragma once
// The program's print facility: everything the program prints goes through it. An
// operation checks that the table holds records, asks in the print dialog for the
// number of copies, loads the report file and shows the preview, from which the user
// prints or saves a PDF file. Report files are named as the options hold them: a name
// without folder lies in the data folder; a file that is not where the name says is
// looked for under its name in the data folder.
//
// Every operation reports its problems itself (message or error box) and returns
// normally whatever happened, so windows of every layer call it directly from their
// commands. The program's composition makes the one facility and hands it to the
// windows that print.
#include <QString>

namespace trevo::shell {

class Druckdienst {
public:
    virtual ~Druckdienst() = default;

    // The report file that a report option names ("Mitgliederlistfilename", matched
    // without regard to case) in the program's stored options; `standard` when there is
    // no such option or it is empty.
    virtual QString Reportdatei(const QString& option, const QString& standard) const = 0;

    // An evaluation over AUSWERTU.DBF of the data folder; the label DATUMQRLABEL of the
    // report shows today's date.
    virtual void DruckeAuswertung(const QString& reportFile) = 0;
    // A list over the table (its full path).
    virtual void DruckeListe(const QString& reportFile, const QString& tablePath) = 0;
    // The list of the game types (SPIELE.DBF) through the report of Spielelistfilename.
    virtual void DruckeSpielliste() = 0;
    // A blank form to fill in by hand: printed without looking for records.
    virtual void DruckeBlankoliste(const QString& reportFile) = 0;
};

} // namespace trevo::shell
