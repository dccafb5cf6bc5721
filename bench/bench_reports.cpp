// Speed of printing the lists of a club that has kept its books for 20 years (60 bowlers,
// 1,000 evenings), made by the demo builder into a temporary folder:
//
//   BM_ReportPdf/<list>     layout over the tables and the PDF file written (the list of
//                           the evenings: goal < 1 s)
//   BM_ReportLayout/<list>  the same laid out only, without painting: the renderer's share
//   BM_EmptyPagesPdf/<n>    QPdfWriter alone writing as many empty pages: the floor
//
// Each reports its pages and the time per page. The lists are the member list and the
// evening list as built here ("eingebaut"), and the layouts the program ships
// (src/reports/vorlagen/) where the source tree has them.
#include "data/store/demo_club.h"
#include "engine/database.h"
#include "reports/report.h"

#include <QDir>
#include <QFile>
#include <QGuiApplication>
#include <QPageLayout>
#include <QPainter>
#include <QPdfWriter>
#include <QTemporaryDir>

#include <benchmark/benchmark.h>

#include <cstdio>
#include <map>
#include <set>
#include <string>

using namespace trevo;

namespace {

// Members by name, one line each, with a page header and the count at the end.
const char* memberList = R"(<trevo-report version="1">
  <description><text-line>Mitgliederliste</text-line></description>
  <sources><source name="KEGLER" file="KEGLER.DBF" order="NAME"/></sources>
  <band kind="page-header" height="16">
    <label x="0" y="0" width="120" height="8" size="15" bold="true">Mitgliederliste</label>
    <expression x="115" y="8" width="60" height="5" size="9" align="right">"Seite " + PAGE + " von " + PAGECOUNT</expression>
    <line x="0" y="14" width="175" height="0" pen="0.4"/>
  </band>
  <band kind="column-header" height="7">
    <label x="0" y="1" width="9" height="5" size="9" bold="true" align="right">Nr.</label>
    <label x="12" y="1" width="55" height="5" size="9" bold="true">Name</label>
    <label x="69" y="1" width="60" height="5" size="9" bold="true">Anschrift</label>
    <label x="131" y="1" width="22" height="5" size="9" bold="true">Geboren</label>
    <label x="155" y="1" width="20" height="5" size="9" bold="true" align="right">Status</label>
  </band>
  <band kind="detail" height="10" source="KEGLER">
    <field x="0" y="0.5" width="9" height="5" align="right" source="KEGLER" field="NUMMER"/>
    <expression x="12" y="0.5" width="55" height="5" bold="true">KEGLER.NAME + ", " + KEGLER.VORNAME</expression>
    <field x="12" y="5" width="55" height="4.5" size="8" source="KEGLER" field="EMAIL"/>
    <field x="69" y="0.5" width="60" height="5" source="KEGLER" field="STRASSE"/>
    <expression x="69" y="5" width="60" height="5">KEGLER.PLZ + " " + KEGLER.ORT</expression>
    <field x="131" y="0.5" width="22" height="5" source="KEGLER" field="GEBURTSTAG" format="dd.mm.yyyy"/>
    <field x="155" y="0.5" width="20" height="5" align="right" source="KEGLER" field="MITGLIED" format="Mitglied;Gast"/>
    <line x="0" y="9.8" width="175" height="0" pen="0.1" color="#b0b0b0"/>
  </band>
  <band kind="summary" height="8">
    <expression x="12" y="2" width="100" height="5" size="9">COUNT(KEGLER) + " Einträge"</expression>
  </band>
</trevo-report>)";

// The evenings in order, one line each, with sums at the end and the print date below.
const char* eveningList = R"(<trevo-report version="1">
  <description><text-line>Terminliste</text-line></description>
  <sources><source name="TERMINE" file="TERMINE.DBF" order="NUMMER"/></sources>
  <band kind="page-header" height="16">
    <label x="0" y="0" width="120" height="8" size="15" bold="true">Terminliste</label>
    <expression x="115" y="8" width="60" height="5" size="9" align="right">"Seite " + PAGE + " von " + PAGECOUNT</expression>
    <line x="0" y="14" width="175" height="0" pen="0.4"/>
  </band>
  <band kind="column-header" height="7">
    <label x="0" y="1" width="12" height="5" size="9" bold="true" align="right">Nr.</label>
    <label x="15" y="1" width="25" height="5" size="9" bold="true">Datum</label>
    <label x="42" y="1" width="25" height="5" size="9" bold="true" align="right">Teilnehmer</label>
    <label x="69" y="1" width="25" height="5" size="9" bold="true" align="right">Abschnitte</label>
    <label x="96" y="1" width="25" height="5" size="9" bold="true" align="right">Beitrag</label>
  </band>
  <band kind="detail" height="5.5" source="TERMINE">
    <field x="0" y="0.5" width="12" height="5" align="right" source="TERMINE" field="NUMMER"/>
    <field x="15" y="0.5" width="25" height="5" source="TERMINE" field="DATUM" format="dd.mm.yyyy"/>
    <field x="42" y="0.5" width="25" height="5" align="right" source="TERMINE" field="TEILNEHMER"/>
    <field x="69" y="0.5" width="25" height="5" align="right" source="TERMINE" field="ABSCHNITTE"/>
    <field x="96" y="0.5" width="25" height="5" align="right" source="TERMINE" field="BEITRAG" format="#,##0.00"/>
  </band>
  <band kind="summary" height="9">
    <line x="0" y="1" width="175" height="0" pen="0.3"/>
    <expression x="0" y="2.5" width="40" height="5" bold="true">COUNT(TERMINE) + " Abende"</expression>
    <expression x="42" y="2.5" width="25" height="5" bold="true" align="right">SUM(TERMINE.TEILNEHMER)</expression>
    <expression x="96" y="2.5" width="25" height="5" bold="true" align="right" format="#,##0.00">SUM(TERMINE.BEITRAG)</expression>
  </band>
  <band kind="page-footer" height="7">
    <expression x="0" y="2" width="100" height="4" size="8">"Gedruckt am " + PRINTDATE</expression>
  </band>
</trevo-report>)";

// The 20-year club, made once.
struct Club {
    QTemporaryDir dir;
    std::string folder = dir.path().toStdString() + "/";
    engine::Database db;

    Club()
    {
        data::DemoOptions options;
        options.years = 20;
        options.bowlers = 60;
        const data::DemoResult made = data::createDemoClub(db, folder, options);
        std::fprintf(stderr, "Democlub: %zu Kegler, %zu Abende in %s\n", made.rowCounts.at("KEGLER.DBF"),
                     made.rowCounts.at("TERMINE.DBF"), folder.c_str());
    }
};

Club& club()
{
    static Club c;
    return c;
}

QString outputPdf()
{
    return QDir(club().dir.path()).filePath(QStringLiteral("ausgabe.pdf"));
}

// A report loaded over the club's folder; fails the run when the layout does not load.
bool load(reports::Report& report, const QByteArray& layout, const QString& name)
{
    report.setFolderFinder([](const std::string&) { return club().folder; });
    if (report.loadBytes(layout, name)) return true;
    std::fprintf(stderr, "%s\n", report.errorText().toLocal8Bit().constData());
    return false;
}

void setPages(benchmark::State& state, size_t pages)
{
    state.counters["pages"] = static_cast<double>(pages);
    state.counters["per_page"] = benchmark::Counter(static_cast<double>(pages),
                                                    benchmark::Counter::kIsIterationInvariantRate |
                                                        benchmark::Counter::kInvert);
}

void reportPdf(benchmark::State& state, const QByteArray& layout, const QString& name)
{
    size_t pages = 0;
    for (auto _ : state) {
        reports::Report report(club().db, club().db.session());
        if (!load(report, layout, name) || !report.renderToPdf(outputPdf())) {
            state.SkipWithError(report.errorText().toStdString().c_str());
            return;
        }
        pages = report.printout().pages.size();
    }
    setPages(state, pages);
}

void reportLayout(benchmark::State& state, const QByteArray& layout, const QString& name)
{
    size_t pages = 0;
    for (auto _ : state) {
        reports::Report report(club().db, club().db.session());
        if (!load(report, layout, name) || !report.render()) {
            state.SkipWithError(report.errorText().toStdString().c_str());
            return;
        }
        pages = report.printout().pages.size();
    }
    setPages(state, pages);
}

// The same writer settings as the reports' PDF output, with nothing painted.
void emptyPagesPdf(benchmark::State& state)
{
    const int pages = static_cast<int>(state.range(0));
    for (auto _ : state) {
        QPdfWriter writer(outputPdf());
        writer.setResolution(1200);
        writer.setCreator(QStringLiteral("Trevo"));
        writer.setPageLayout(QPageLayout(QPageSize(QPageSize::A4), QPageLayout::Portrait, QMarginsF(), QPageLayout::Millimeter));
        QPainter painter(&writer);
        for (int i = 1; i < pages; ++i) writer.newPage();
        painter.end();
    }
    setPages(state, static_cast<size_t>(pages));
}

// The lists to measure: the ones built here, and the shipped layouts where they exist.
std::map<std::string, QByteArray> lists()
{
    std::map<std::string, QByteArray> all = {{"Mitgliederliste_eingebaut", memberList},
                                             {"Terminliste_eingebaut", eveningList}};
    for (const char* file : {"MITGLIEDERLIST.QR2", "TERMINLISTE.QR2"}) {
        QFile f(QStringLiteral(TREVO_SOURCE_DIR "/src/reports/vorlagen/") + file);
        if (f.open(QIODevice::ReadOnly)) all[file] = f.readAll();
    }
    return all;
}

// Registers each list, followed by the empty-page run for as many pages as it has. Times
// are wall-clock times, as the user waits them.
void registerBenchmarks()
{
    std::set<size_t> pageCounts;
    for (const auto& [name, layout] : lists()) {
        const QString fileName = QString::fromStdString(name);
        reports::Report probe(club().db, club().db.session());
        if (!load(probe, layout, fileName) || !probe.render()) continue;
        benchmark::RegisterBenchmark(("BM_ReportPdf/" + name).c_str(), reportPdf, layout, fileName)
            ->Unit(benchmark::kMillisecond)
            ->UseRealTime();
        benchmark::RegisterBenchmark(("BM_ReportLayout/" + name).c_str(), reportLayout, layout, fileName)
            ->Unit(benchmark::kMillisecond)
            ->UseRealTime();
        const size_t pages = probe.printout().pages.size();
        if (pageCounts.insert(pages).second)
            benchmark::RegisterBenchmark("BM_EmptyPagesPdf", emptyPagesPdf)
                ->Arg(static_cast<int64_t>(pages))
                ->Unit(benchmark::kMillisecond)
                ->UseRealTime();
    }
}

} // namespace

int main(int argc, char** argv)
{
    // Pages are laid out and painted without a screen.
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    int appArgc = 1;
    QGuiApplication app(appArgc, argv);
    registerBenchmarks();
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv)) return 1;
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
