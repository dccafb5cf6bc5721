// trevo-auswertung: the evaluations of the window "Auswerten" without a screen. Writes
// AUSWERTU.DBF and WERTETAB.DBF of the data folder through the same computation as the
// window and prints the result rows as tab-separated text with a header line; with
// --pdf the evaluation's layout is printed to a PDF file by trevo-druck beside it.
#include "aufruf.h"

#include "data/store/schema.h"
#include "engine/core/error.h"
#include "engine/database.h"
#include "evaluation/kern/betrag.h"

#include <QCoreApplication>
#include <QDir>
#include <QProcess>

#include <cstdio>
#include <chrono>
#include <iostream>

namespace {

using namespace trevo;
using auswertungstool::Art;

std::string feldtext(const engine::Value& v, bool betrag)
{
    if (v.isNull()) return {};
    if (betrag) return evaluation::formatiert(evaluation::centVon(v), 0);
    const double d = v.toNumber();
    if (d == static_cast<double>(static_cast<long long>(d))) return std::to_string(static_cast<long long>(d));
    return v.toText();
}

// The rows of AUSWERTU.DBF as the file holds them now.
void ausgeben(const std::string& ordner)
{
    engine::Database db;
    auto t = db.table(ordner + data::tables::Auswertu);
    const char* felder[] = {"NAME", "NUMMER", "SPIELE", "SONSTIGES", "BEITRAG", "SUMME"};
    std::cout << "NAME\tNUMMER\tSPIELE\tSONSTIGES\tBEITRAG\tSUMME\n";
    for (uint32_t r = 0; r < t->recordCount(); ++r) {
        if (t->isDeleted(r)) continue;
        for (int i = 0; i < 6; ++i) {
            const engine::Value v = t->get(r, t->fieldIndex(felder[i]));
            std::cout << (i ? "\t" : "") << (i == 0 ? (v.isNull() ? std::string() : v.toText()) : feldtext(v, i >= 2));
        }
        std::cout << "\n";
    }
}

const char* reportdatei(Art art)
{
    switch (art) {
    case Art::Termin: return "ERGEBNISSE1.QR2";
    case Art::Zeitraum: return "ZEITRAUM.QR2";
    case Art::Rangliste: return "RANGLISTE.QR2";
    }
    return "";
}

// Prints the layout of the evaluation over the result tables with trevo-druck.
bool pdfDrucken(const auswertungstool::Aufruf& a)
{
    const QString druck = QDir(QCoreApplication::applicationDirPath()).filePath(QStringLiteral("trevo-druck"));
    QProcess p;
    p.setProcessChannelMode(QProcess::ForwardedChannels);
    p.start(druck, {QString::fromStdString(a.ordner), QString::fromLatin1(reportdatei(a.art)), QStringLiteral("--pdf"),
                    QString::fromStdString(a.pdf)});
    if (!p.waitForStarted()) {
        std::cerr << "Das Druckprogramm " << druck.toStdString() << " konnte nicht gestartet werden\n";
        return false;
    }
    p.waitForFinished(-1);
    return p.exitStatus() == QProcess::NormalExit && p.exitCode() == 0;
}

int ausfuehren(const auswertungstool::Aufruf& a)
{
    engine::Database db;
    // The result tables are written: the folder is held for the run, after a short wait
    // for another program (FolderBusy names it).
    db.storage().setProgram("trevo-auswertung");
    db.holdFolder(a.ordner, std::chrono::seconds(3));
    evaluation::Auswertung auswertung(db, db.session(), a.ordner, a.optionen);
    switch (a.art) {
    case Art::Termin: {
        evaluation::Terminergebnis e;
        auswertung.AuswertungTermin(a.termin, e);
        break;
    }
    case Art::Zeitraum: {
        evaluation::Zeitraumergebnis e;
        auswertung.AuswertungZeitraum(a.von, a.bis, a.nummer, e);
        break;
    }
    case Art::Rangliste: {
        evaluation::Rangergebnis e;
        auswertung.AuswertungRangfolge(a.von, a.bis, a.nummer, e);
        break;
    }
    }
    db.closeAll();
    ausgeben(a.ordner);
    if (!a.pdf.empty() && !pdfDrucken(a)) return 1;
    return 0;
}

} // namespace

int main(int argc, char** argv)
{
    QCoreApplication app(argc, argv);
    std::vector<std::string> argumente;
    for (int i = 1; i < argc; ++i) argumente.emplace_back(argv[i]);
    const auto gelesen = auswertungstool::aufrufLesen(argumente);
    if (!gelesen.aufruf) {
        if (gelesen.fehler.empty()) {
            std::cout << auswertungstool::gebrauch();
            return 0;
        }
        std::cerr << gelesen.fehler << "\n" << auswertungstool::gebrauch();
        return 1;
    }
    try {
        return ausfuehren(*gelesen.aufruf);
    } catch (const std::exception& e) {
        std::cerr << e.what() << "\n";
        return 1;
    }
}
