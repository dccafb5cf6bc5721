#include "vorlagen_test_util.h"

#include "report_test_util.h"

#include "reports/render/measure.h"
#include "reports/report.h"
#include "reports/vorlagen/vorlagen.h"

#include <gtest/gtest.h>

#include <QFontMetricsF>
#include <QPainter>
#include <QRegularExpression>

namespace trevo::reports::test {

namespace {

constexpr double toleranceMm = 0.3;

QRectF boxOf(const PageItem& item)
{
    if (const auto* l = std::get_if<LineItem>(&item)) return QRectF(l->from, l->to).normalized();
    return std::visit([](const auto& i) -> QRectF {
        if constexpr (requires { i.box; }) return i.box;
        else return {};
    }, item);
}

QString describe(const PageItem& item)
{
    if (const auto* t = std::get_if<TextRun>(&item)) return QStringLiteral("Text '%1'").arg(t->text);
    if (std::holds_alternative<LineItem>(item)) return QStringLiteral("Linie");
    if (std::holds_alternative<ImageItem>(item)) return QStringLiteral("Bild");
    if (std::holds_alternative<RichTextItem>(item)) return QStringLiteral("formatierter Text");
    return QStringLiteral("Rechteck");
}

} // namespace

Druck::Druck(engine::Database& db, const std::string& folder, const QString& fileName, const QImage& logo)
{
    vorlagenAnlegen(folder);
    Report report(db, db.session());
    report.setFolderFinder([&](const std::string&) { return folder; });
    report.setAfterLoad([&](Report& r) {
        dateLabel = r.setLabelText(QStringLiteral("DATUMQRLABEL"), QStringLiteral("01.04.2024"));
        if (!logo.isNull()) r.setPicture(QStringLiteral("LOGO"), logo);
    });
    report.setPrintDate(QDate(2024, 4, 1));
    pdf = out.filePath(fileName + QStringLiteral(".pdf"));
    if (!report.load(QString::fromStdString(folder) + fileName) || !report.renderToPdf(pdf)) {
        error = report.errorText();
        return;
    }
    printout = report.printout();
    const auto* test = ::testing::UnitTest::GetInstance()->current_test_info();
    keepPng(pdf, fileName.section(u'.', 0, 0).toLower() + u'-' + QString::fromUtf8(test ? test->name() : ""));
    for (const QString& page : pdfPages(pdf)) pages << squeezed(page);
}

QString squeezed(QString s)
{
    return s.replace(QRegularExpression(QStringLiteral("[ ]+")), QStringLiteral(" "));
}

QStringList layoutFaults(const Printout& printout, double leftMm, double rightMm, double topMm, double bottomMm)
{
    QStringList faults;
    for (size_t p = 0; p < printout.pages.size(); ++p) {
        const Page& page = printout.pages[p];
        const QRectF printable(leftMm, topMm, page.sizeMm.width() - leftMm - rightMm,
                               page.sizeMm.height() - topMm - bottomMm);
        const QString where = QStringLiteral("Seite %1: ").arg(p + 1);
        for (const PageItem& item : page.items) {
            const QRectF box = boxOf(item);
            if (box.left() < printable.left() - toleranceMm || box.right() > printable.right() + toleranceMm ||
                box.top() < printable.top() - toleranceMm || box.bottom() > printable.bottom() + toleranceMm)
                faults << where + describe(item) + QStringLiteral(" außerhalb der Ränder");
            const auto* run = std::get_if<TextRun>(&item);
            if (!run) continue;
            const double width = mmFromMeasure(QFontMetricsF(fontOf(run->style), &measureDevice()).horizontalAdvance(run->text));
            if (width > run->box.width() + toleranceMm)
                faults << where + describe(item) + QStringLiteral(" ist %1 mm breit, Platz hat sie %2 mm")
                                                       .arg(width, 0, 'f', 1)
                                                       .arg(run->box.width(), 0, 'f', 1);
        }
    }
    return faults;
}

QImage testLogo()
{
    QImage image(240, 120, QImage::Format_RGB32);
    image.fill(QColor(0, 90, 160));
    QPainter painter(&image);
    painter.fillRect(QRect(20, 20, 80, 80), Qt::yellow);
    return image;
}

} // namespace trevo::reports::test
