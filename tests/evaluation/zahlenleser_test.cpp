// The number reader used to read whole tables gives for every stored text exactly the value
// the table's own reading gives: plain numbers read fast, anything else as the table reads it.
#include "auswertung_fixture.h"
#include "engine/dbf/number_reader.h"
#include "engine/storage/session.h"
#include "engine/storage/storage.h"

#include <cmath>
#include <cstring>

namespace trevo::evaluation::test {
namespace {

class Zahlenleser : public Auswertungstest {
protected:
    engine::Database& db() { return club.verein.datenbank(); }
};

TEST_F(Zahlenleser, EveryStoredTextReadsAsTheTableReadsIt)
{
    const std::vector<std::string> texte{
        "12.50", "-3", "", "-0.00", ".5", "5.", "1e3", "1,5", "+4", "12 3", "-", ".", "1.2.3", "--1",
        "123456789012345", "1234567890123456", "0.1", "9.99", "-0.07", std::string("1\0", 2), "*****", "0",
        "99999999.99", "0.000000001", "12a", " 7 ", "-.5"};
    for (size_t i = 0; i < texte.size(); ++i) club.spiel(1, 1, 1, 100);
    auto t = db().table(club.ordner() + "SPIELKEG.DBF");
    const int betrag = t->fieldIndex("BETRAG");
    const auto& felder = t->fields();
    uint64_t offset = 1;
    for (int i = 0; i < betrag; ++i) offset += felder[size_t(i)].length;
    const uint32_t laenge = felder[size_t(betrag)].length;
    const engine::DbfFileInfo info = t->info();
    auto bild = db().storage().open(t->path());
    club.verein.session().atomically([&] {
        for (size_t i = 0; i < texte.size(); ++i) {
            std::string feld(laenge, ' ');
            const std::string& text = texte[i];
            std::memcpy(feld.data() + (laenge - std::min<size_t>(laenge, text.size())), text.data(),
                        std::min<size_t>(laenge, text.size()));
            bild->write(info.headerLength + i * info.recordLength + offset, feld.data(), laenge);
        }
    });

    const engine::NumberReader leser(db().storage(), *t, betrag);
    size_t schnell = 0;
    for (uint32_t r = 0; r < texte.size(); ++r) {
        const Value erwartet = t->get(r, betrag), gelesen = leser.read(r);
        ASSERT_EQ(gelesen.isNull(), erwartet.isNull()) << "'" << texte[r] << "'";
        if (erwartet.isNull()) continue;
        ++schnell;
        EXPECT_EQ(gelesen.number(), erwartet.number()) << "'" << texte[r] << "'";
        EXPECT_EQ(std::signbit(gelesen.number()), std::signbit(erwartet.number())) << "'" << texte[r] << "'";
    }
    EXPECT_GT(schnell, 10u);
    // A field that holds no numbers is read by the table.
    club.kegler("Adler", "1");
    auto kegler = db().table(club.ordner() + "KEGLER.DBF");
    const int n = kegler->fieldIndex("NAME");
    EXPECT_EQ(engine::NumberReader(db().storage(), *kegler, n).read(0), kegler->get(0, n));
}

} // namespace
} // namespace trevo::evaluation::test
