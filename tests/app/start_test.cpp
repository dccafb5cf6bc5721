// The start-up of the assembled program: each start step creates its own components, in
// order, under its progress text.
#include "programmlauf.h"

#include "common/fenster/window_codes.h"

#include <QApplication>

#include <set>

using namespace trevo;
using app::test::Programmlauf;

namespace {

// The child windows, dialogs and the guide that came into being since the last call, by class name, and
// whether the data module exists now.
class Bestand {
public:
    explicit Bestand(Programmlauf& p) : p_(p) { neu(); }

    QStringList neu()
    {
        QStringList namen;
        if (p_.programm->datenmodul() && !modul_) {
            modul_ = true;
            namen << "Datenmodul";
        }
        for (QWidget* w : QApplication::allWidgets()) {
            if (bekannt_.count(w)) continue;
            bekannt_.insert(w);
            if (qobject_cast<QDialog*>(w) || qobject_cast<shell::ChildWindow*>(w) || qobject_cast<shell::LotsenDlg*>(w)) {
                const QString name = QString::fromLatin1(w->metaObject()->className());
                namen << name.mid(name.lastIndexOf(':') + 1);
            }
        }
        namen.sort(); // within one step the order of creation is not visible here
        return namen;
    }

private:
    Programmlauf& p_;
    std::set<QWidget*> bekannt_;
    bool modul_ = false;
};

} // namespace

TEST(Start, EveryStepCreatesItsComponentsInOrder)
{
    Programmlauf p(false);
    Bestand bestand(p);
    QStringList ablauf;
    QString schritt = "vorher";
    auto abschliessen = [&] {
        const QStringList neu = bestand.neu();
        if (!neu.isEmpty()) ablauf << schritt + ": " + neu.join(", ");
    };
    p.vorSchritt = [&](const QString& text) {
        abschliessen();
        schritt = text;
    };
    p.start();
    abschliessen();
    ASSERT_TRUE(p.started);

    // The start window and the please-wait window come before the steps; "Suchfunktionen"
    // comes once per dialog, the calendar follows the last one without a step of its own;
    // the last step makes the evaluation and the evening window, after which the guide is
    // docked.
    QStringList schritte;
    for (const QString& zeile : ablauf)
        if (!zeile.startsWith("vorher")) schritte << zeile;
    EXPECT_EQ(schritte.join(" | ").toStdString(),
              "Datenbank öffnen: Datenmodul | Druckfunktion: TDruckform | Suchfunktionen: TSuchDlgKomplex | "
              "Suchfunktionen: TAbfrageDlgEinFeld | Suchfunktionen: Kalenderform, TSuchenErsetzenDlg | "
              "Termine: LotsenDlg, TAuswerteForm2, TTerminform");
    EXPECT_EQ(p.main.activeCode(), common::Fenster::Termine);
    EXPECT_EQ(p.main.history().entries(), std::vector<int>{common::Fenster::Termine});
}
