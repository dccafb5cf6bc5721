// Damaged and foreign layout files are refused with a German message that names the
// file and the fault; none is read in part, none crashes the reader.
#include "reports/format/layout_reader.h"
#include "reports/format/layout_writer.h"

#include "report_test_util.h"

#include <gtest/gtest.h>

#include <random>

namespace trevo::reports {
namespace {

const QString damagedPrefix = QStringLiteral("Die Reportdatei T.QR2 ist beschädigt: ");

QString readError(const QByteArray& bytes)
{
    const LayoutReadResult r = readLayout(bytes, "T.QR2");
    EXPECT_FALSE(r.ok()) << bytes.left(300).toStdString();
    EXPECT_EQ(r.layout, nullptr);
    return r.error;
}

// A file with one source A and whatever follows, closed properly.
QByteArray withBody(const QByteArray& body)
{
    return "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n"
           "<trevo-report version=\"1\">\n"
           "<sources><source name=\"A\" file=\"AUSWERTU.DBF\"/></sources>\n" +
           body + "\n</trevo-report>\n";
}

QByteArray inBand(const QByteArray& elements)
{
    return withBody("<band kind=\"detail\" height=\"6\" source=\"A\">\n" + elements + "\n</band>");
}

struct Case {
    const char* what;
    QByteArray bytes;
    const char* fault; // the message after the file name
};

void expectFaults(const std::vector<Case>& cases)
{
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        const QString error = readError(c.bytes);
        EXPECT_TRUE(error.startsWith(damagedPrefix)) << error.toStdString();
        EXPECT_TRUE(error.contains(QString::fromUtf8(c.fault))) << error.toStdString();
    }
}

TEST(FormatDamageTest, NotALayoutAtAll)
{
    expectFaults({
        {"empty", "", "die Datei ist leer"},
        {"blanks", " \n\t ", "die Datei ist leer"},
        {"plain text", "Kegelabend am Freitag", "Zeile 1: kein XML-Dokument"},
        {"binary", QByteArray("\x89PNG\r\n\x1a\n\0\0\0\rIHDR", 16), "kein XML-Dokument"},
        {"another root", "<?xml version=\"1.0\"?>\n<html><body/></html>", "Zeile 2: <html> ist keine Trevo-Reportdatei"},
        {"binary with text", QByteArray("\0\x01\x02" "Ergebnisse\0", 14), "kein XML-Dokument"},
        {"no version", "<trevo-report/>", "Attribut 'version' fehlt in <trevo-report>"},
        {"content after the end", "<trevo-report version=\"1\"/>\n<x/>", "Inhalt nach dem Ende"},
        {"unknown entity", withBody("<description><text-line>&foo;</text-line></description>"), "Zeile"},
        {"document type with entities",
         "<?xml version=\"1.0\"?><!DOCTYPE r [<!ENTITY a \"aaaaaaaaaa\"><!ENTITY b \"&a;&a;&a;&a;&a;&a;\">]>"
         "<trevo-report version=\"1\"><description><text-line>&b;&b;&b;</text-line></description></trevo-report>",
         "Dokumenttyp-Deklarationen sind nicht erlaubt"},
    });
}

TEST(FormatDamageTest, AnotherVersionIsRefusedAsSuch)
{
    for (const char* version : {"2", "0", "1.0", "zwei"}) {
        const QString error = readError(QByteArray("<trevo-report version=\"") + version + "\"/>");
        EXPECT_EQ(error, QStringLiteral("Die Reportdatei T.QR2 hat die Version %1; dieses Programm liest nur Version 1.")
                             .arg(version));
    }
}

TEST(FormatDamageTest, TruncatedFilesNeverReadInPart)
{
    const QByteArray whole = writeLayout(test::resultsLayout());
    const qsizetype end = whole.lastIndexOf("</trevo-report>");
    for (qsizetype n = 0; n < end; n += 7) {
        const QString error = readError(whole.left(n));
        ASSERT_TRUE(error.startsWith(damagedPrefix)) << n << ": " << error.toStdString();
    }
    EXPECT_TRUE(readError(whole.left(end)).endsWith("die Datei endet mitten im XML"));
}

TEST(FormatDamageTest, UnknownOrMisplacedElementsAndAttributes)
{
    expectFaults({
        {"unknown child of the root", withBody("<foo/>"), "Zeile 4: unbekanntes Element <foo> in <trevo-report>"},
        {"unknown element in a band", inBand("<barcode x=\"0\" y=\"0\" width=\"1\" height=\"1\"/>"), "Zeile 5: unbekanntes Element <barcode> in <band>"},
        {"element inside a label", inBand("<label x=\"0\" y=\"0\" width=\"1\" height=\"1\"><b>fett</b></label>"), "unbekanntes Element <b> in <label>"},
        {"unknown attribute", withBody("<page colour=\"blau\"/>"), "unbekanntes Attribut 'colour' in <page>"},
        {"unknown band kind", withBody("<band kind=\"footer\" height=\"5\"/>"), "unbekannte Bereichsart 'footer'"},
        {"text between elements", withBody("Hallo"), "unerwarteter Text in <trevo-report>"},
        {"sources after bands", "<trevo-report version=\"1\"><band kind=\"title\" height=\"5\"/><sources/></trevo-report>", "<sources> muss vor den Bereichen stehen"},
        {"two pages", withBody("<page/><page/>"), "<page> kommt mehrfach vor"},
        {"two detail bands", withBody("<band kind=\"summary\" height=\"5\"/><band kind=\"summary\" height=\"5\"/>"), "Bereich 'summary' kommt mehrfach vor"},
        {"unknown frame side", inBand("<label x=\"0\" y=\"0\" width=\"1\" height=\"1\" frame=\"oben\"/>"), "unbekannte Rahmenseite 'oben'"},
        {"unknown alignment", inBand("<label x=\"0\" y=\"0\" width=\"1\" height=\"1\" align=\"justify\"/>"), "Attribut 'align' hat den unbekannten Wert 'justify'"},
        {"grid column of another name", inBand("<grid x=\"0\" y=\"0\" width=\"1\" height=\"1\"><spalte/></grid>"), "unbekanntes Element <spalte> in <grid>"},
        {"grid without columns", inBand("<grid x=\"0\" y=\"0\" width=\"1\" height=\"1\"/>"), "<grid> ohne <column>"},
    });
}

TEST(FormatDamageTest, MissingAndOutOfRangeValues)
{
    expectFaults({
        {"no x", inBand("<label y=\"0\" width=\"1\" height=\"1\"/>"), "Attribut 'x' fehlt in <label>"},
        {"no band height", withBody("<band kind=\"title\"/>"), "Attribut 'height' fehlt in <band>"},
        {"no detail source", withBody("<band kind=\"detail\" height=\"5\"/>"), "Attribut 'source' fehlt in <band>"},
        {"no field", inBand("<field x=\"0\" y=\"0\" width=\"1\" height=\"1\" source=\"A\"/>"), "Attribut 'field' fehlt in <field>"},
        {"empty source name", "<trevo-report version=\"1\"><sources><source name=\" \" file=\"A.DBF\"/></sources></trevo-report>", "Attribut 'name' ist leer"},
        {"huge coordinate", inBand("<line x=\"1e308\" y=\"0\" width=\"1\" height=\"1\"/>"), "Attribut 'x' in <line> liegt außerhalb von 0 bis 1000: 1e308"},
        {"negative width", inBand("<line x=\"0\" y=\"0\" width=\"-5\" height=\"1\"/>"), "Attribut 'width' in <line> liegt außerhalb"},
        {"not a number", inBand("<line x=\"zehn\" y=\"0\" width=\"1\" height=\"1\"/>"), "Attribut 'x' in <line> ist keine Zahl: 'zehn'"},
        {"infinity", inBand("<line x=\"inf\" y=\"0\" width=\"1\" height=\"1\"/>"), "ist keine Zahl"},
        {"nan", inBand("<line x=\"nan\" y=\"0\" width=\"1\" height=\"1\"/>"), "ist keine Zahl"},
        {"huge font", inBand("<label x=\"0\" y=\"0\" width=\"1\" height=\"1\" size=\"5000\"/>"), "Attribut 'size' in <label> liegt außerhalb von 1 bis 200"},
        {"huge grid", inBand("<grid x=\"0\" y=\"0\" width=\"1\" height=\"1\" rows=\"1e12\"><column/></grid>"), "Attribut 'rows' in <grid> liegt außerhalb"},
        {"fractional rows", inBand("<grid x=\"0\" y=\"0\" width=\"1\" height=\"1\" rows=\"2.5\"><column/></grid>"), "ist keine ganze Zahl"},
        {"many copies", withBody("<page copies=\"1000\"/>"), "Attribut 'copies' in <page> liegt außerhalb von 1 bis 99"},
        {"margin", withBody("<page left=\"250\"/>"), "Attribut 'left' in <page> liegt außerhalb"},
        {"flag", inBand("<label x=\"0\" y=\"0\" width=\"1\" height=\"1\" bold=\"ja\"/>"), "weder true noch false"},
        {"colour", inBand("<label x=\"0\" y=\"0\" width=\"1\" height=\"1\" color=\"red\"/>"), "ist keine Farbe #rrggbb: 'red'"},
        {"base64", inBand("<picture x=\"0\" y=\"0\" width=\"1\" height=\"1\">kein*base64!</picture>"), "kein gültiges Base64"},
        {"not an image", inBand("<picture x=\"0\" y=\"0\" width=\"1\" height=\"1\">SGFsbG8gV2VsdA==</picture>"), "kein lesbares Bild"},
        {"path instead of file name", "<trevo-report version=\"1\"><sources><source name=\"A\" file=\"../../etc/passwd\"/></sources></trevo-report>", "nennt einen Pfad"},
    });
}

TEST(FormatDamageTest, NamesAndReferencesThatDoNotHoldTogether)
{
    expectFaults({
        {"unknown source of a field", inBand("<field x=\"0\" y=\"0\" width=\"1\" height=\"1\" source=\"B\" field=\"NAME\"/>"), "unbekannte Datenquelle 'B'"},
        {"unknown source of the detail band", withBody("<band kind=\"detail\" height=\"5\" source=\"KEGLER\"/>"), "unbekannte Datenquelle 'KEGLER'"},
        {"unknown source in an expression", inBand("<expression x=\"0\" y=\"0\" width=\"1\" height=\"1\">SUM(B.SUMME)</expression>"), "unbekannte Datenquelle 'B' im Ausdruck"},
        {"faulty expression", inBand("<expression x=\"0\" y=\"0\" width=\"1\" height=\"1\">\"Seite \" PAGE</expression>"), "fehlerhafter Ausdruck: '+' erwartet"},
        {"two elements of one name", inBand("<label name=\"X\" x=\"0\" y=\"0\" width=\"1\" height=\"1\"/><line name=\"x\" x=\"0\" y=\"0\" width=\"1\" height=\"1\"/>"), "doppelter Name 'x'"},
        {"two sources of one name", "<trevo-report version=\"1\"><sources><source name=\"A\" file=\"A.DBF\"/><source name=\"A\" file=\"B.DBF\"/></sources></trevo-report>", "doppelte Datenquelle 'A'"},
        {"group footer alone", withBody("<band kind=\"group-footer\" height=\"5\"/>"), "Gruppenfuß ohne Gruppenkopf"},
        {"group header without details", withBody("<band kind=\"group-header\" height=\"5\" group-field=\"NAME\"/>"), "Gruppenkopf ohne Detailbereich"},
    });
}

TEST(FormatDamageTest, SizesAndNestingAreBounded)
{
    QByteArray deep;
    for (int i = 0; i < 100000; ++i) deep += "<a>";
    QByteArray manyLabels;
    for (int i = 0; i < 5001; ++i) manyLabels += "<label x=\"0\" y=\"0\" width=\"1\" height=\"1\"/>";
    expectFaults({
        {"deep nesting", withBody(deep), "unbekanntes Element <a> in <trevo-report>"},
        {"deep nesting in a band", inBand(deep), "unbekanntes Element <a> in <band>"},
        {"long text", inBand("<label x=\"0\" y=\"0\" width=\"1\" height=\"1\">" + QByteArray(20000, 'x') + "</label>"), "länger als 10000 Zeichen"},
        {"many elements", inBand(manyLabels), "mehr als 5000 Elemente"},
        {"long expression", inBand("<expression x=\"0\" y=\"0\" width=\"1\" height=\"1\">\"" + QByteArray(3000, 'x') + "\"</expression>"), "länger als 2000 Zeichen"},
    });
    EXPECT_EQ(readError(QByteArray(33 * 1024 * 1024, ' ')), damagedPrefix + "die Datei ist größer als 32 MB");
}

// Random changes of a valid file: read or refused, never a crash or a message without the file.
TEST(FormatDamageTest, MutatedFilesAreReadOrRefusedInGerman)
{
    const QByteArray whole = writeLayout(test::resultsLayout());
    std::mt19937 random(20240315);
    int refused = 0;
    for (int round = 0; round < 3000; ++round) {
        QByteArray bytes = whole;
        for (int changes = 1 + round % 4; changes > 0; --changes) {
            const auto at = static_cast<qsizetype>(random() % static_cast<unsigned>(bytes.size()));
            switch (random() % 3) {
            case 0: bytes[at] = static_cast<char>(random() % 256); break;
            case 1: bytes.remove(at, 1 + random() % 8); break;
            default: bytes.insert(at, "<>\"&=/ 9e9"[random() % 10]); break;
            }
        }
        const LayoutReadResult r = readLayout(bytes, "T.QR2");
        if (!r.ok()) {
            ++refused;
            ASSERT_TRUE(r.error.startsWith("Die Reportdatei T.QR2 ")) << r.error.toStdString();
        }
    }
    EXPECT_GT(refused, 1500);
}

} // namespace
} // namespace trevo::reports
