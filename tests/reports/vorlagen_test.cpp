// The layouts every installation gets: that each one reads, and that installing them into a
// data folder never overwrites a layout the user has changed.
#include "reports/vorlagen/vorlagen.h"

#include "reports/format/layout_reader.h"
#include "data/store/schema.h"

#include <QDir>
#include <QFile>
#include <QProcess>
#include <QTemporaryDir>

#include <gtest/gtest.h>

namespace trevo::reports {
namespace {

const QStringList expectedNames = {
    "AEMTERLISTE.QR2", "BLANKOLISTE.QR2", "ERGEBNISSE1.QR2", "KEGELKASSE.QR2", "KEGELLISTE.QR2",
    "MITGLIEDERLIST.QR2", "RANGLISTE.QR2", "SONSTIGE.QR2", "SPIELELISTE.QR2", "TERMART.QR2",
    "TERMINLISTE.QR2", "TERMPLAN.QR2", "WAEHRUNGSLISTE.QR2", "ZEITRAUM.QR2",
};

QByteArray fileBytes(const QString& path)
{
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

void writeBytes(const QString& path, const QByteArray& bytes)
{
    QFile f(path);
    ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    f.write(bytes);
}

// Every table a layout reads is one of the program's, and every field it names is one
// of that table's; every element lies within the width between the margins.
void checkLayout(const Layout& layout)
{
    EXPECT_FALSE(layout.description.isEmpty());
    for (const DataSource& s : layout.sources) {
        const data::TableSchema* table = data::findTable(s.fileName.toStdString());
        ASSERT_NE(table, nullptr) << s.fileName.toStdString();
        if (!s.order.isEmpty()) EXPECT_NE(table->field(s.order.toStdString()), nullptr) << s.order.toStdString();
    }
    const double width = layout.page.bodyWidthMm();
    for (const Band& band : layout.bands)
        for (const Element& e : band.elements) {
            EXPECT_LE(e.box.right(), width + 1e-6) << e.name.toStdString() << " in " << bandKindName(band.kind).toStdString();
            EXPECT_LE(e.box.bottom(), band.heightMm + 1e-6) << e.name.toStdString();
            if (const auto* f = e.as<FieldElement>()) {
                const data::TableSchema* table = data::findTable(layout.source(f->source)->fileName.toStdString());
                EXPECT_NE(table->field(f->field.toStdString()), nullptr) << f->field.toStdString();
            }
        }
}

TEST(Vorlagen, FourteenLayoutsEachReadsWithoutFault)
{
    EXPECT_EQ(vorlagenNamen(), expectedNames);
    for (const QString& name : expectedNames) {
        SCOPED_TRACE(name.toStdString());
        const QByteArray bytes = vorlage(name.toLower());
        ASSERT_FALSE(bytes.isEmpty());
        const LayoutReadResult read = readLayout(bytes, name);
        ASSERT_TRUE(read.ok()) << read.error.toStdString();
        checkLayout(*read.layout);
    }
    EXPECT_TRUE(vorlage("UNBEKANNT.QR2").isEmpty());
}

TEST(Vorlagen, AsTheProgramExpectsThem)
{
    const auto read = [](const char* name) { return readLayout(vorlage(name), name); };
    EXPECT_EQ(read("BLANKOLISTE.QR2").layout->description.front(), "Leere Liste mit Name, Spielen, sonst.Beträgen");
    EXPECT_FALSE(read("BLANKOLISTE.QR2").layout->page.landscape);
    for (const char* name : {"ERGEBNISSE1.QR2", "ZEITRAUM.QR2", "RANGLISTE.QR2"}) {
        SCOPED_TRACE(name);
        auto layout = read(name).layout;
        ASSERT_NE(layout->find<LabelElement>(u"DATUMQRLABEL"), nullptr);
        ASSERT_NE(layout->detailSource(), nullptr);
        EXPECT_EQ(layout->detailSource()->fileName, "AUSWERTU.DBF");
    }
    auto waehrungen = read("WAEHRUNGSLISTE.QR2").layout;
    int memos = 0;
    for (const Band& band : waehrungen->bands)
        for (const Element& e : band.elements)
            if (const auto* r = e.as<RichTextElement>()) memos += r->field == "BEMERKUNGE" && band.kind == BandKind::Detail;
    EXPECT_EQ(memos, 1);
}

TEST(Vorlagen, AnlegenWritesEachIntoAnEmptyFolderOnce)
{
    QTemporaryDir dir;
    const std::string folder = dir.filePath("daten/").toStdString();
    const data::SetupReport first = vorlagenAnlegen(folder);
    ASSERT_EQ(first.created.size(), 14u);
    EXPECT_TRUE(first.unchanged.empty());
    EXPECT_EQ(QDir(dir.filePath("daten")).entryList(QDir::Files, QDir::Name), expectedNames);
    for (const QString& name : expectedNames) EXPECT_EQ(fileBytes(dir.filePath("daten/" + name)), vorlage(name));
    EXPECT_EQ(first.lines().front(), "Datei 'AEMTERLISTE.QR2' angelegt");

    const data::SetupReport second = vorlagenAnlegen(folder);
    EXPECT_TRUE(second.created.empty());
    EXPECT_EQ(second.unchanged.size(), 14u);
}

TEST(Vorlagen, AnlegenLeavesAChangedLayoutAloneWhateverTheCaseOfItsName)
{
    QTemporaryDir dir;
    const QByteArray changed = "<?xml version=\"1.0\"?><trevo-report version=\"1\"/>";
    writeBytes(dir.filePath("Mitgliederlist.qr2"), changed);
    writeBytes(dir.filePath("ERGEBNISSE1.QR2"), changed + "\n");
    const data::SetupReport r = vorlagenAnlegen(dir.path().toStdString());
    EXPECT_EQ(r.created.size(), 12u);
    EXPECT_EQ(r.unchanged, (std::vector<std::string>{"ERGEBNISSE1.QR2", "MITGLIEDERLIST.QR2"}));
    EXPECT_EQ(fileBytes(dir.filePath("Mitgliederlist.qr2")), changed);
    EXPECT_EQ(fileBytes(dir.filePath("ERGEBNISSE1.QR2")), changed + "\n");
    EXPECT_FALSE(QFile::exists(dir.filePath("MITGLIEDERLIST.QR2")));
    EXPECT_EQ(QDir(dir.path()).entryList(QDir::Files).size(), 14);
}

// The installation tool lays the layouts out with the tables of a new data folder and
// with the demo club.
TEST(Vorlagen, SetupToolWritesThemIntoDataFolderAndDemoClub)
{
    QTemporaryDir dir;
    const QString tool = QStringLiteral(TREVO_TOOLS_DIR "/trevo-setup");
    for (const QStringList& args : {QStringList{"datenordner", dir.filePath("daten")},
                                    QStringList{"demo", dir.filePath("demo"), "--jahre", "1", "--kegler", "4"}}) {
        SCOPED_TRACE(args.join(' ').toStdString());
        QProcess p;
        p.setProcessChannelMode(QProcess::MergedChannels);
        p.start(tool, args);
        ASSERT_TRUE(p.waitForFinished(120000));
        const QString output = QString::fromUtf8(p.readAll());
        EXPECT_EQ(p.exitCode(), 0) << output.toStdString();
        EXPECT_TRUE(output.contains("Datei 'KEGLER.DBF' angelegt")) << output.toStdString();
        EXPECT_TRUE(output.contains("Datei 'ZEITRAUM.QR2' angelegt")) << output.toStdString();
        for (const QString& name : expectedNames) EXPECT_TRUE(QFile::exists(args[1] + u'/' + name)) << name.toStdString();
    }
    QFile::remove(dir.filePath("daten/TERMART.QR2"));
    QProcess again;
    again.start(tool, {"datenordner", dir.filePath("daten")});
    ASSERT_TRUE(again.waitForFinished(120000));
    const QString output = QString::fromUtf8(again.readAllStandardOutput());
    EXPECT_TRUE(output.contains("Datei 'TERMART.QR2' angelegt")) << output.toStdString();
    EXPECT_TRUE(output.contains("Datei 'ZEITRAUM.QR2' ist schon vorhanden, nichts geändert"));
}

} // namespace
} // namespace trevo::reports
