// A running statement: cancelled by "Abbrechen" or Esc it changes nothing, nothing else
// the user does reaches the program meanwhile; the engine's notices about damaged tables.
#include "sql_fixture.h"

#include <QDialog>
#include <QFile>
#include <QKeyEvent>
#include <QMouseEvent>

#include <functional>

namespace trevo::sqlwindow::test {

namespace {

// Runs an action each time the watched widget is shown.
class BeimZeigen : public QObject {
public:
    explicit BeimZeigen(std::function<void()> aktion) : aktion_(std::move(aktion)) {}

protected:
    bool eventFilter(QObject* o, QEvent* e) override
    {
        if (e->type() == QEvent::Show) aktion_();
        return QObject::eventFilter(o, e);
    }

private:
    std::function<void()> aktion_;
};

// A click that reaches the widget through the event queue, as the user's clicks do.
void klickEinreihen(QWidget* ziel)
{
    const QPointF mitte = QRectF(ziel->rect()).center();
    const QPointF global = ziel->mapToGlobal(mitte);
    for (QEvent::Type typ : {QEvent::MouseButtonPress, QEvent::MouseButtonRelease})
        QCoreApplication::postEvent(ziel, new QMouseEvent(typ, mitte, global, Qt::LeftButton,
                                                          typ == QEvent::MouseButtonPress ? Qt::LeftButton
                                                                                          : Qt::NoButton,
                                                          Qt::NoModifier));
}

void tasteEinreihen(QWidget* ziel, Qt::Key taste)
{
    QCoreApplication::postEvent(ziel, new QKeyEvent(QEvent::KeyPress, taste, Qt::NoModifier));
    QCoreApplication::postEvent(ziel, new QKeyEvent(QEvent::KeyRelease, taste, Qt::NoModifier));
}

// A box whose OK is clicked as soon as it runs; when the click does not reach the
// button, the box closes unanswered.
class Antwortbox : public QDialog {
public:
    explicit Antwortbox(QWidget* parent) : QDialog(parent), ok_(new QPushButton(QStringLiteral("OK"), this))
    {
        connect(ok_, &QPushButton::clicked, this, &QDialog::accept);
        startTimer(0);
    }

protected:
    void timerEvent(QTimerEvent* e) override
    {
        killTimer(e->timerId());
        QTest::mouseClick(ok_, Qt::LeftButton);
        if (!isVisible()) return;
        setResult(Rejected);
        hide(); // not through a close request, which the run may refuse as well

    }

private:
    QPushButton* ok_;
};

// A join of the table with itself often enough that the engine looks for a cancel request.
const QString langeAbfrage = QStringLiteral(
    "SELECT COUNT(*) FROM KEGLER A, KEGLER B, KEGLER C, KEGLER D, KEGLER E, KEGLER F, KEGLER G, KEGLER H");

} // namespace

class SqlAbbruch : public SqlFenster {
protected:
    QStringList meldungen()
    {
        QStringList texte;
        for (const auto& s : script.shown())
            if (s.kind == common::BoxKind::Message) texte << s.text;
        return texte;
    }
};

TEST_F(SqlAbbruch, EscCancelsAChangeWhichThenChangesNothing)
{
    QString warteText;
    BeimZeigen esc([&] {
        warteText = main->statusText(2);
        tasteEinreihen(w->Memo1, Qt::Key_Escape);
    });
    w->Wartefenster->installEventFilter(&esc);
    const QString anweisung = QStringLiteral("UPDATE KEGLER\nSET VORNAME = 'Kurt'");
    ausfuehren(anweisung, w->ExecSQLBtn);

    EXPECT_EQ(warteText, "Bitte warten...");
    EXPECT_EQ(meldungen(), QStringList({"Die Abfrage wurde abgebrochen. Die Tabellen sind unverändert."}));
    EXPECT_TRUE(fehler().isEmpty()) << fehler().join(" | ").toStdString();
    EXPECT_EQ(status(), "Abfrage abgebrochen");
    EXPECT_EQ(w->Memo1->toPlainText(), anweisung);
    EXPECT_EQ(verein.feld(schmidt, "VORNAME"), "Karl");
    EXPECT_EQ(verein.feld(adler, "VORNAME"), "Bernd");
    EXPECT_FALSE(w->Wartefenster->isVisible());
    EXPECT_TRUE(main->statusText(2).isEmpty());
    EXPECT_FALSE(AbbrechbarerLauf::laeuft());

    // The request belonged to that run: the next statement runs to its end.
    w->Wartefenster->removeEventFilter(&esc);
    QTest::mouseClick(w->ExecSQLBtn, Qt::LeftButton);
    EXPECT_TRUE(status().startsWith("3 Datensätze geändert")) << status().toStdString();
    EXPECT_EQ(verein.feld(adler, "VORNAME"), "Kurt");
}

TEST_F(SqlAbbruch, AbbrechenStopsALongQueryAndOtherClicksWaitNowhere)
{
    BeimZeigen klicks([&] {
        // What the user clicks elsewhere while the statement runs does not happen at all.
        klickEinreihen(w->TextLadenBtn);
        klickEinreihen(w->SchliessenBtn);
        klickEinreihen(w->Wartefenster->AbbrechenBtn);
    });
    w->Wartefenster->installEventFilter(&klicks);
    ausfuehren(langeAbfrage);

    EXPECT_EQ(status(), "Abfrage abgebrochen");
    EXPECT_EQ(meldungen().size(), 1);
    EXPECT_TRUE(script.choosers().isEmpty());
    EXPECT_EQ(main->activeCode(), common::Fenster::SQLAbfrage);
    EXPECT_FALSE(w->query().active());
    EXPECT_EQ(zeilen(), 0);
    EXPECT_EQ(w->Memo1->toPlainText(), langeAbfrage);
    EXPECT_EQ(bitteWarten.gezeigt, 1);

    // The clicks stayed dropped; the program takes clicks again.
    QApplication::processEvents();
    EXPECT_TRUE(script.choosers().isEmpty());
    w->Wartefenster->removeEventFilter(&klicks);
    script.choose(std::nullopt);
    QTest::mouseClick(w->TextLadenBtn, Qt::LeftButton);
    EXPECT_EQ(script.choosers(), QStringList({"Öffnen"}));
}

TEST_F(SqlAbbruch, ABoxThatComesUpDuringTheRunTakesItsAnswer)
{
    int antwort = -1;
    BeimZeigen box([&] {
        QMetaObject::invokeMethod(
            qApp,
            [&] {
                Antwortbox dialog(w);
                antwort = dialog.exec();
            },
            Qt::QueuedConnection);
    });
    w->Wartefenster->installEventFilter(&box);
    ausfuehren(QStringLiteral("SELECT NAME FROM KEGLER"));
    EXPECT_EQ(antwort, QDialog::Accepted);
    EXPECT_EQ(zeilen(), 3);
}

TEST_F(SqlAbbruch, WithoutARequestTheLongQueryCountsEveryRow)
{
    ausfuehren(langeAbfrage);
    ASSERT_EQ(zeilen(), 1);
    EXPECT_EQ(zelle(0, 0), "6561"); // 3 to the 8th
    EXPECT_TRUE(meldungen().isEmpty());
}

TEST_F(SqlAbbruch, ADamagedTableIsNamedInAWarningAndTheStatusLine)
{
    // A copy of the members whose header counts one record less than the file holds.
    const QString kopie = QString::fromStdString(verein.pfad("KAPUTT.DBF"));
    ASSERT_TRUE(QFile::copy(QString::fromStdString(verein.pfad("KEGLER.DBF")), kopie));
    QFile datei(kopie);
    ASSERT_TRUE(datei.open(QIODevice::ReadWrite));
    ASSERT_TRUE(datei.seek(4));
    datei.write(QByteArray("\x02\x00\x00\x00", 4));
    datei.close();

    ausfuehren(QStringLiteral("SELECT NAME FROM KAPUTT"));
    EXPECT_EQ(zeilen(), 2);
    QStringList warnungen;
    for (const auto& s : script.shown())
        if (s.kind == common::BoxKind::Warning) warnungen << s.text;
    ASSERT_EQ(warnungen.size(), 1);
    EXPECT_TRUE(warnungen[0].contains("KAPUTT.DBF")) << warnungen[0].toStdString();
    EXPECT_TRUE(warnungen[0].contains("beschädigt"));
    EXPECT_TRUE(status().startsWith("2 Zeilen in ")) << status().toStdString();
    EXPECT_TRUE(status().endsWith(warnungen[0])) << status().toStdString();

    // A sound table brings no warning.
    ausfuehren(QStringLiteral("SELECT NAME FROM KEGLER"));
    EXPECT_EQ(script.shown().size(), 1u);
    EXPECT_FALSE(status().contains("beschädigt"));
}

} // namespace trevo::sqlwindow::test
