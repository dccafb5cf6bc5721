#include "reports/format/layout_reader.h"
#include "reports/format/layout_writer.h"

#include "report_test_util.h"

#include <QBuffer>
#include <QDir>
#include <QFile>
#include <QImage>

#include <gtest/gtest.h>

namespace trevo::reports {
namespace {

using test::element;

QByteArray pngLogo()
{
    QImage image(24, 12, QImage::Format_RGB32);
    image.fill(QColor("#2060a0"));
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    image.save(&buffer, "PNG");
    return bytes;
}

// Every kind of element, with every attribute away from its default.
Layout everything()
{
    Layout l = test::resultsLayout();
    l.page = PageSetup{true, 12.5, 10, 11.25, 9};
    l.copies = 3;
    l.description << QStringLiteral("Umlaute äöü ß & <Zeichen> \"zitiert\"") << QString() << "  eingerückt  ";
    Band& title = l.addBand(BandKind::Title);
    title.heightMm = 40.125;
    Element label = element("Vereinsname", {0.1, 0.2, 100.3, 7.7}, LabelElement{"Kegelclub \"Alle Neune\" & <Freunde>\tTab"});
    label.style = TextStyle{"Times New Roman", 13.5, true, true, HAlign::Center, VAlign::Bottom, QColor("#a01020")};
    label.frame = Frame{true, false, true, true, 0.35, QColor("#00ff00")};
    title.elements.push_back(label);
    Element all = element("Gerahmt", {0, 10, 20, 5}, LabelElement{});
    all.frame = Frame{true, true, true, true, 0.2, QColor(Qt::black)};
    title.elements.push_back(all);
    title.elements.push_back(element("Anmerkung", {0, 16, 80, 10}, RichTextElement{"DATUM", "WERT", false}));
    title.elements.push_back(element("Zeilen", {90, 16, 80, 10}, TextElement{{"erste Zeile", "", "  dritte  "}, false}));
    title.elements.push_back(element("Kasten", {0, 28, 30, 10}, RectElement{0.7, QColor("#eeeeee")}));
    title.elements.push_back(element("Logo", {140, 0, 35, 20}, PictureElement{pngLogo(), {}, false}));
    title.elements.push_back(element("Mitgliedsbild", {120, 0, 15, 20}, PictureElement{{}, "FOTO", true}));
    Band& group = l.addBand(BandKind::GroupHeader);
    group.groupField = "BEITRAG";
    group.elements.push_back(element("Strichliste", {0, 0, 175, 60},
                                     GridElement{12, {{"Name", 60}, {"Pudel", 0}, {QString(), 0}}, 0.15}));
    l.addBand(BandKind::GroupFooter).heightMm = 0;
    l.band(BandKind::Detail)->elements.front().as<FieldElement>()->format = "dd.mm.yyyy";
    return l;
}

TEST(FormatRoundTripTest, WrittenLayoutReadsBackEqualAndWritesTheSameBytes)
{
    const Layout original = everything();
    const QByteArray bytes = writeLayout(original);
    const LayoutReadResult read = readLayout(bytes, "ALLES.QR2");
    ASSERT_TRUE(read.ok()) << read.error.toStdString();
    EXPECT_TRUE(*read.layout == original);
    EXPECT_EQ(writeLayout(*read.layout), bytes);
}

TEST(FormatRoundTripTest, DefaultsAreLeftOutAndTheFileIsReadable)
{
    Layout l;
    l.addBand(BandKind::Summary).elements.push_back(element({}, {1, 2, 3, 4}, LabelElement{"Ende"}));
    const QString text = QString::fromUtf8(writeLayout(l));
    EXPECT_TRUE(text.contains("<trevo-report version=\"1\">")) << text.toStdString();
    EXPECT_TRUE(text.contains("<label x=\"1\" y=\"2\" width=\"3\" height=\"4\">Ende</label>")) << text.toStdString();
    EXPECT_FALSE(text.contains("font=")) << text.toStdString();
    const LayoutReadResult read = readLayout(text.toUtf8(), "KURZ.QR2");
    ASSERT_TRUE(read.ok()) << read.error.toStdString();
    EXPECT_TRUE(*read.layout == l);
}

TEST(FormatRoundTripTest, FileIsFoundWithoutRegardToCase)
{
    QTemporaryDir dir;
    QString error;
    const Layout l = test::resultsLayout();
    ASSERT_TRUE(writeLayoutFile(l, dir.filePath("ERGEBNISSE1.QR2"), &error)) << error.toStdString();
    const LayoutReadResult read = readLayoutFile(dir.filePath("ergebnisse1.qr2"));
    ASSERT_TRUE(read.ok()) << read.error.toStdString();
    EXPECT_TRUE(*read.layout == l);
    EXPECT_EQ(readLayoutFile(dir.filePath("FEHLT.QR2")).error,
              QStringLiteral("Die Reportdatei FEHLT.QR2 wurde nicht gefunden (%1).").arg(dir.filePath("FEHLT.QR2")));
    EXPECT_FALSE(writeLayoutFile(l, dir.filePath("kein/ordner/X.QR2"), &error));
    EXPECT_TRUE(error.startsWith("Die Reportdatei X.QR2 kann nicht geschrieben werden")) << error.toStdString();
}

TEST(FormatRoundTripTest, TheExampleOfTheFormatDescriptionReads)
{
    QFile doc(QStringLiteral(TREVO_TEST_SOURCE_DIR "/../docs/report-format.md"));
    ASSERT_TRUE(doc.open(QIODevice::ReadOnly));
    const QString text = QString::fromUtf8(doc.readAll());
    const qsizetype start = text.indexOf("<trevo-report");
    const qsizetype end = text.indexOf("</trevo-report>");
    ASSERT_GE(start, 0);
    ASSERT_GT(end, start);
    const LayoutReadResult read = readLayout(text.mid(start, end - start + 15).toUtf8(), "BEISPIEL.QR2");
    ASSERT_TRUE(read.ok()) << read.error.toStdString();
    EXPECT_EQ(read.layout->sources.size(), 2u);
    EXPECT_NE(read.layout->band(BandKind::Detail), nullptr);
}

} // namespace
} // namespace trevo::reports
