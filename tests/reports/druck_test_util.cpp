#include "druck_test_util.h"

#include "reports/format/layout_writer.h"

#include <QKeyEvent>
#include <QPushButton>
#include <QTest>

#include <gtest/gtest.h>

namespace trevo::reports::test {

namespace {

QStringList textsOf(const Printout& printout)
{
    QStringList out;
    for (const Page& page : printout.pages)
        for (const PageItem& item : page.items)
            if (const auto* t = std::get_if<TextRun>(&item)) out << t->text;
    return out;
}

// Works the dialog as a user would: shown, typed into, a button clicked.
int work(TDruckform& form, Button button, const QString& anzahl)
{
    if (!anzahl.isNull()) {
        form.Exemplaredit->selectAll();
        QTest::keyClicks(form.Exemplaredit, anzahl);
    }
    switch (button) {
    case Button::Ok: form.OKBtn->click(); break;
    case Button::Abbrechen: form.CancelBtn->click(); break;
    case Button::Escape: QTest::keyClick(form.Exemplaredit, Qt::Key_Escape); break;
    case Button::DruckerEinrichten: form.DruckereinrichtenBtn->click(); break;
    }
    const int result = form.result();
    form.hide();
    return result;
}

} // namespace

DruckTest::DruckTest(int bowlers) : club(bowlers)
{
    druck.zeigeModal = [this](QDialog& dialog) {
        ++dialogShown;
        forms << &dialog;
        auto& form = dynamic_cast<TDruckform&>(dialog);
        form.druckerEinrichten = [this](QWidget*) { ++printerSetUps; };
        form.show();
        anzahlAtShow << form.Exemplaredit->value();
        return work(form, button, anzahl);
    };
    druck.zeigeVorschau = [this](Report& report) {
        previews.push_back({report.fileName(), report.copies(), textsOf(report.printout()), report.printout()});
    };
}

void DruckTest::answer(Button b, const QString& typed)
{
    button = b;
    anzahl = typed;
}

QString DruckTest::write(const Layout& layout, const QString& fileName)
{
    const QString path = fileName.contains(u'/') ? fileName : dataFile(fileName);
    QString error;
    EXPECT_TRUE(writeLayoutFile(layout, path, &error)) << error.toStdString();
    return path;
}

Layout memberList()
{
    Layout l;
    l.description << "Mitgliederliste";
    l.sources.push_back({"KEGLER", "KEGLER.DBF", "", "NUMMER"});
    Band& title = l.addBand(BandKind::Title);
    title.heightMm = 10;
    title.elements.push_back(element("Ueberschrift", {0, 0, 100, 8}, LabelElement{"Mitgliederliste"}));
    title.elements.push_back(element("DATUMQRLABEL", {120, 0, 55, 8}, LabelElement{"Datum"}));
    Band& detail = l.addBand(BandKind::Detail);
    detail.source = "KEGLER";
    detail.heightMm = 6;
    detail.elements.push_back(element("NameFeld", {0, 0, 80, 5}, FieldElement{"KEGLER", "NAME", ""}));
    return l;
}

Layout blankForm()
{
    Layout l;
    l.description << "Strichliste";
    Band& title = l.addBand(BandKind::Title);
    title.heightMm = 200;
    title.elements.push_back(element("Ueberschrift", {0, 0, 175, 9}, LabelElement{"Strichliste Kegelabend"}));
    title.elements.push_back(element("Liste", {0, 12, 175, 180}, GridElement{20, {{"Name", 55}, {"Pudel"}, {"Kränze"}}, 0.25}));
    return l;
}

} // namespace trevo::reports::test
