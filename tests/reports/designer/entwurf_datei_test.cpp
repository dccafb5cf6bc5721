// Layout files read and written by the designer: the round trip, and saves that fail or
// crash at every point leave the old file or the new one, never a half-written one.
#include "engine/fs/fault_file_system.h"
#include "reports/designer/entwurf_datei.h"
#include "reports/format/layout_writer.h"
#include "reports/vorlagen/vorlagen.h"

#include <gtest/gtest.h>

namespace trevo::reports::designer {
namespace {

const std::string ordner = "/daten/";
const std::string datei = "/daten/MITGLIEDERLIST.QR2";

struct DateiTest : ::testing::Test {
    DateiTest()
    {
        mem.putFile(datei, alt.toStdString());
        mem.putFile("/daten/KEGLER.DBF", std::string("x"));
        LayoutReadResult r = ladeLayout(mem, QString::fromStdString(datei));
        EXPECT_TRUE(r.ok()) << r.error.toStdString();
        geaendert = *r.layout;
        geaendert.find<LabelElement>(u"Titel")->text = QStringLiteral("Mitglieder des Kegelclubs „Alle Neune“");
        geaendert.band(BandKind::Detail)->heightMm = 13;
    }
    QByteArray inhalt(const std::string& path) const
    {
        const std::vector<uint8_t> c = mem.contents(path);
        return QByteArray(reinterpret_cast<const char*>(c.data()), static_cast<qsizetype>(c.size()));
    }
    QByteArray alt = vorlage(QStringLiteral("MITGLIEDERLIST.QR2"));
    engine::MemoryFileSystem mem;
    Layout geaendert;
};

TEST_F(DateiTest, ASavedLayoutReadsBackEqualUnderTheNameTheFolderHoldsAndLeavesNoTemporaryFile)
{
    // The path spelt in another case replaces the file itself, not a second one.
    EXPECT_EQ(speichereLayout(mem, geaendert, "/daten/mitgliederlist.qr2"), QString());
    EXPECT_EQ(mem.files(), (std::vector<std::string>{"/daten/KEGLER.DBF", datei}));
    const LayoutReadResult r = ladeLayout(mem, "/daten/Mitgliederlist.QR2");
    ASSERT_TRUE(r.ok()) << r.error.toStdString();
    EXPECT_EQ(*r.layout, geaendert);
    // Saved means durable: a power loss right after the save keeps the new layout.
    mem.crash();
    EXPECT_EQ(*ladeLayout(mem, QString::fromStdString(datei)).layout, geaendert);
}

TEST_F(DateiTest, ALayoutTheReaderWouldRefuseIsNotWritten)
{
    Layout kaputt = geaendert;
    kaputt.band(BandKind::Detail)->elements.front().data = FieldElement{"GIBTESNICHT", "NAME", {}};
    const QString fehler = speichereLayout(mem, kaputt, QString::fromStdString(datei));
    EXPECT_TRUE(fehler.startsWith("Der Report kann so nicht gespeichert werden.")) << fehler.toStdString();
    EXPECT_TRUE(fehler.contains("GIBTESNICHT"));
    EXPECT_EQ(inhalt(datei), alt);
}

TEST_F(DateiTest, AFailingWriteOrSyncAtAnyPointKeepsTheOldFileAndReportsInGerman)
{
    for (engine::PointKind art : {engine::PointKind::Write, engine::PointKind::Sync}) {
        for (uint64_t n = 1;; ++n) {
            engine::FaultFileSystem fs(mem);
            fs.failAt(art, n);
            const QString fehler = speichereLayout(fs, geaendert, QString::fromStdString(datei));
            if (fehler.isEmpty()) {
                // Past the last point: the save went through.
                EXPECT_GT(n, 2u);
                mem.putFile(datei, alt.toStdString());
                break;
            }
            // Only the folder's sync comes after the new file is in place, and then the
            // message says that it was written.
            const bool neuDa = inhalt(datei) == writeLayout(geaendert);
            if (neuDa) {
                EXPECT_EQ(art, engine::PointKind::Sync);
                EXPECT_TRUE(fehler.startsWith("Die Reportdatei MITGLIEDERLIST.QR2 wurde geschrieben, aber nicht sicher"))
                    << fehler.toStdString();
                mem.putFile(datei, alt.toStdString());
            } else {
                EXPECT_EQ(inhalt(datei), alt) << "Punkt " << n;
                EXPECT_TRUE(fehler.startsWith("Die Reportdatei MITGLIEDERLIST.QR2 kann nicht gespeichert werden"))
                    << fehler.toStdString();
                EXPECT_TRUE(fehler.contains("Die bisherige Datei bleibt unverändert."));
            }
            EXPECT_FALSE(mem.exists(temporaereDatei(datei))) << "Punkt " << n;
            ASSERT_LT(n, 20u);
        }
    }
}

TEST_F(DateiTest, ACrashAtAnyPointLeavesTheOldOrTheNewLayoutWhole)
{
    const QByteArray neu = writeLayout(geaendert);
    for (engine::CrashMode modus : {engine::CrashMode::DropUnsynced, engine::CrashMode::TornWrite, engine::CrashMode::KeepUnsynced}) {
        for (uint64_t n = 1; n < 20; ++n) {
            mem.putFile(datei, alt.toStdString());
            engine::FaultFileSystem fs(mem);
            fs.crashAt(n, modus);
            const QString fehler = speichereLayout(fs, geaendert, QString::fromStdString(datei));
            if (!fs.crashed()) {
                EXPECT_TRUE(fehler.isEmpty());
                break;
            }
            mem.crash();
            const QByteArray danach = inhalt(datei);
            EXPECT_TRUE(danach == alt || danach == neu) << "Punkt " << n << ", " << danach.size() << " Bytes";
        }
    }
}

TEST_F(DateiTest, MissingAndDamagedFilesAreNamedInTheError)
{
    LayoutReadResult r = ladeLayout(mem, "/daten/FEHLT.QR2");
    EXPECT_FALSE(r.ok());
    EXPECT_EQ(r.error, "Die Reportdatei FEHLT.QR2 wurde nicht gefunden (/daten/FEHLT.QR2).");
    mem.putFile("/daten/KAPUTT.QR2", std::string("<trevo-report version=\"1\"><band"));
    r = ladeLayout(mem, "/daten/KAPUTT.QR2");
    EXPECT_FALSE(r.ok());
    EXPECT_TRUE(r.error.startsWith("Die Reportdatei KAPUTT.QR2 ist beschädigt")) << r.error.toStdString();
}

} // namespace
} // namespace trevo::reports::designer
