// The print dialog and the preview as the user works them.
#include "druck_test_util.h"

#include "reports/druck/druckform.h"
#include "reports/druck/preview_page.h"
#include "reports/druck/vorschauform.h"
#include "shell/printer.h"

#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QPrinter>
#include <QPushButton>
#include <QTest>

#include <gtest/gtest.h>

namespace trevo::reports::test {
namespace {

TEST(Druckform, CopiesFieldStepsDownToOneAndTypedZeroPrintsOne)
{
    TDruckform form;
    int setUps = 0;
    form.druckerEinrichten = [&](QWidget* parent) {
        EXPECT_EQ(parent, &form);
        ++setUps;
    };
    EXPECT_EQ(form.windowTitle(), "Drucken");
    ASSERT_NE(form.findChild<QGroupBox*>(), nullptr);
    EXPECT_EQ(form.findChild<QGroupBox*>()->title(), "Exemplare");
    EXPECT_EQ(form.findChild<QLabel*>()->buddy(), form.Exemplaredit);
    EXPECT_EQ(form.findChild<QLabel*>()->text().remove('&'), "Anzahl:");

    form.show();
    EXPECT_EQ(form.Exemplaredit->value(), 1);
    QTest::keyClick(form.Exemplaredit, Qt::Key_Down);
    form.Exemplaredit->stepDown();
    EXPECT_EQ(form.Exemplaredit->value(), 1) << "the arrows stop at 1";
    form.Exemplaredit->stepUp();
    EXPECT_EQ(form.Exemplare(), 2);
    form.Exemplaredit->selectAll();
    QTest::keyClicks(form.Exemplaredit, "0");
    EXPECT_EQ(form.Exemplaredit->value(), 0);
    EXPECT_EQ(form.Exemplare(), 1);
    form.OKBtn->click();
    EXPECT_EQ(form.result(), QDialog::Accepted);
    EXPECT_FALSE(form.isVisible());

    form.show();
    EXPECT_EQ(form.Exemplaredit->value(), 1) << "back to 1 at every showing";
    form.DruckereinrichtenBtn->click();
    EXPECT_EQ(setUps, 1);
    EXPECT_EQ(form.result(), QDialog::Rejected) << "closed as cancelled";
    EXPECT_FALSE(form.isVisible());
}

struct VorschauTest : ::testing::Test {
    ClubFolder club{70};
    Report report{club.db, club.db.session()};
    QTemporaryDir out;
    common::ScriptedDialogs dialogs;
    common::DialogsScope scope{dialogs};

    void SetUp() override
    {
        report.setFolderFinder([this](const std::string&) { return club.folder; });
        ASSERT_TRUE(report.setLayout(resultsLayout(), "ERGEBNISSE1.QR2"));
        report.setCopies(2);
        ASSERT_TRUE(report.render());
        ASSERT_GE(report.printout().pages.size(), 2u);
    }
};

TEST_F(VorschauTest, PagesAreLeafedThroughAndZoomed)
{
    TVorschauform vorschau(report);
    vorschau.show();
    const int n = vorschau.seitenzahl();
    EXPECT_EQ(vorschau.SeitenLabel->text(), QStringLiteral("Seite 1 von %1").arg(n));
    EXPECT_FALSE(vorschau.VorigeBtn->isEnabled());
    vorschau.LetzteBtn->click();
    EXPECT_EQ(vorschau.seite(), n - 1);
    EXPECT_FALSE(vorschau.NaechsteBtn->isEnabled());
    vorschau.VorigeBtn->click();
    EXPECT_EQ(vorschau.SeitenLabel->text(), QStringLiteral("Seite %1 von %2").arg(n - 1).arg(n));
    QTest::keyClick(&vorschau, Qt::Key_PageUp);
    EXPECT_EQ(vorschau.seite(), n - 3 < 0 ? 0 : n - 3);
    vorschau.zeigeSeite(99);
    EXPECT_EQ(vorschau.seite(), n - 1);

    auto* page = vorschau.findChild<PreviewPage*>();
    ASSERT_NE(page, nullptr);
    const QSize full = page->size();
    vorschau.ZoomBox->setCurrentText("50 %");
    EXPECT_NEAR(page->width(), full.width() / 2, 1);
    EXPECT_NEAR(page->height() / double(page->width()), 297.0 / 210.0, 0.01);

    const QImage shot = page->grab().toImage();
    int dark = 0;
    for (int y = 0; y < shot.height(); y += 2)
        for (int x = 0; x < shot.width(); x += 2) dark += qGray(shot.pixel(x, y)) < 128 ? 1 : 0;
    EXPECT_GT(dark, 50) << "the page is painted, not blank";
}

TEST_F(VorschauTest, SavedAsPdfAndPrintedWithTheCopies)
{
    TVorschauform vorschau(report);
    const QString target = out.filePath("ergebnisse");
    dialogs.choose(target).choose(std::nullopt);
    vorschau.PdfBtn->click();
    vorschau.PdfBtn->click(); // cancelled
    EXPECT_EQ(dialogs.choosers(), QStringList({"Als PDF speichern", "Als PDF speichern"}));
    const QStringList pages = pdfPages(target + ".pdf");
    EXPECT_EQ(pages.size(), vorschau.seitenzahl());
    EXPECT_TRUE(pages.join("").contains(club.names[69]));

    int asked = 0;
    vorschau.druckerWaehlen = [&](QPrinter& printer, QWidget*) {
        EXPECT_EQ(printer.copyCount(), 2) << "the copies of the print dialog";
        printer.setOutputFileName(out.filePath("drucker.pdf"));
        return ++asked == 1;
    };
    vorschau.DruckenBtn->click();
    EXPECT_EQ(shell::sharedPrinter().copyCount(), 2);
    shell::sharedPrinter().setOutputFileName(QString());
    vorschau.DruckenBtn->click(); // cancelled: nothing printed
    shell::sharedPrinter().setOutputFileName(QString());
    EXPECT_EQ(asked, 2);
    EXPECT_EQ(pdfPages(out.filePath("drucker.pdf")).size(), vorschau.seitenzahl());
    EXPECT_TRUE(dialogs.texts().isEmpty()) << dialogs.texts().join(" | ").toStdString();
}

} // namespace
} // namespace trevo::reports::test
