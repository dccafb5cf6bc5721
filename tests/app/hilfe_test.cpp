// The help pages shipped with the program: no link leads nowhere, every window has its own
// page, and "Hilfe" (F1) opens the page of the window in front.
#include "programmlauf.h"

#include "common/fenster/window_codes.h"
#include "shell/help_window.h"

#include <QDirIterator>
#include <QFile>
#include <QFileInfo>
#include <QPushButton>
#include <QRegularExpression>
#include <QTextBrowser>

using namespace trevo;
using app::test::Programmlauf;

namespace {

QStringList hilfeseiten()
{
    QStringList seiten;
    QDirIterator it(QStringLiteral(":/hilfe"), {QStringLiteral("*.html")}, QDir::Files, QDirIterator::Subdirectories);
    while (it.hasNext()) seiten << it.next();
    seiten.sort();
    return seiten;
}

QString inhalt(const QString& pfad)
{
    QFile f(pfad);
    return f.open(QIODevice::ReadOnly) ? QString::fromUtf8(f.readAll()) : QString();
}

// The resource a link of the page leads to: "qrc:/hilfe/..." as it stands, anything else
// relative to the page's folder; the anchor does not count.
QString ziel(const QString& seite, QString link)
{
    link = link.section('#', 0, 0);
    if (link.isEmpty()) return seite;
    if (link.startsWith(QLatin1String("qrc:"))) return link.mid(3);
    return QFileInfo(seite).path() + '/' + link;
}

QString geoeffnet(const shell::MainForm1& main)
{
    return main.helpWindow() ? main.helpWindow()->browser()->source().path() : QString();
}

} // namespace

TEST(Hilfe, EveryLinkOfEveryPageLeadsToAPage)
{
    shell::HelpWindow fenster; // registers the shell's pages
    const QStringList seiten = hilfeseiten();
    ASSERT_GT(seiten.size(), 10) << seiten.join(' ').toStdString();
    const QRegularExpression href(QStringLiteral("href=\"([^\"]*)\""));
    QStringList tot;
    for (const QString& seite : seiten) {
        const QString text = inhalt(seite);
        EXPECT_TRUE(text.contains("<h2>")) << seite.toStdString() << " has no heading";
        for (auto m = href.globalMatch(text); m.hasNext();) {
            const QString link = m.next().captured(1);
            if (!QFile::exists(ziel(seite, link))) tot << seite + " -> " + link;
        }
    }
    EXPECT_TRUE(tot.isEmpty()) << tot.join('\n').toStdString();
}

TEST(Hilfe, EveryWindowHasAPageOfItsOwnReachableFromTheContents)
{
    Programmlauf p(false);
    shell::HelpWindow fenster;
    const QString inhaltsseite = inhalt(shell::HelpWindow::pagePath("TREVO.HLP", 80000));
    for (int code : p.registry.windowCodes()) {
        SCOPED_TRACE(code);
        const int thema = shell::HelpWindow::topicOfWindow(code);
        EXPECT_NE(thema, 80001) << "the overview is no window's page";
        EXPECT_TRUE(QFile::exists(shell::HelpWindow::pagePath("TREVO.HLP", thema)));
        EXPECT_TRUE(inhaltsseite.contains(QStringLiteral("href=\"%1.html\"").arg(thema)));
    }
    EXPECT_EQ(shell::HelpWindow::topicOfWindow(0), 80001);
    EXPECT_EQ(shell::HelpWindow::topicOfWindow(common::Fenster::Termine), 80150);
}

TEST(Hilfe, HelpOpensThePageOfTheWindowInFront)
{
    Programmlauf p;
    ASSERT_TRUE(p.started);
    QAction* hilfe = p.main.menuAction(QStringLiteral("Hilfe"));
    ASSERT_NE(hilfe, nullptr);
    EXPECT_EQ(hilfe->shortcut(), QKeySequence(Qt::Key_F1));
    for (int code : p.registry.windowCodes()) {
        SCOPED_TRACE(code);
        p.main.FensterAktivieren(code);
        ASSERT_EQ(p.main.activeCode(), code);
        hilfe->trigger();
        EXPECT_EQ(geoeffnet(p.main),
                  QStringLiteral("/hilfe/trevo/%1.html").arg(shell::HelpWindow::topicOfWindow(code)));
        EXPECT_TRUE(p.main.helpWindow()->isVisible());
    }
    p.main.menuAction(QStringLiteral("Hilfe zum Reportgenerator"))->trigger();
    EXPECT_EQ(geoeffnet(p.main), QStringLiteral("/hilfe/qrduser/90001.html"));

    // The evening window's own help button.
    p.main.FensterAktivieren(common::Fenster::Mitglieder);
    p.main.FensterAktivieren(common::Fenster::Termine);
    auto* knopf = p.main.Fensterobjekt(common::Fenster::Termine)->findChild<QPushButton*>("HilfeBtn");
    ASSERT_NE(knopf, nullptr);
    p.main.helpWindow()->hide();
    knopf->click();
    EXPECT_EQ(geoeffnet(p.main), QStringLiteral("/hilfe/trevo/80150.html"));
    EXPECT_TRUE(p.dialoge.texts().isEmpty()) << p.dialoge.texts().join(" | ").toStdString();
}
