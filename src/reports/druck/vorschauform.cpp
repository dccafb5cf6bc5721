#include "reports/druck/vorschauform.h"

#include "common/dialogs/dialogs.h"
#include "dbcontrols/command_guard.h"
#include "reports/druck/preview_page.h"
#include "shell/printer.h"

#include <QComboBox>
#include <QDir>
#include <QFileInfo>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QPrintDialog>
#include <QPrinter>
#include <QPushButton>
#include <QScrollArea>
#include <QVBoxLayout>

#include <algorithm>

namespace trevo::reports {

namespace {

const int kZooms[] = {50, 75, 100, 125, 150, 200};
const int kStandardZoom = 100;

QPushButton* knopf(const QString& text, const QString& tip, QWidget* parent)
{
    auto* b = new QPushButton(text, parent);
    b->setToolTip(tip);
    b->setAutoDefault(false);
    return b;
}

QString titel(const Report& report)
{
    const QStringList description = report.description();
    return QStringLiteral("Vorschau - ") + (description.isEmpty() ? report.fileName() : description.front());
}

} // namespace

bool systemDruckerWaehlen(QPrinter& printer, QWidget* parent)
{
    QPrintDialog dialog(&printer, parent);
    dialog.setWindowTitle(QStringLiteral("Drucken"));
    return dialog.exec() == QDialog::Accepted;
}

TVorschauform::TVorschauform(Report& report, QWidget* parent)
    : QDialog(parent), druckerWaehlen(systemDruckerWaehlen), report_(report)
{
    setObjectName(QStringLiteral("Vorschauform"));
    setWindowTitle(titel(report));
    setWindowFlag(Qt::WindowMaximizeButtonHint);
    page_ = new PreviewPage(report.printout());
    scroll_ = new QScrollArea(this);
    scroll_->setBackgroundRole(QPalette::Dark);
    scroll_->setAlignment(Qt::AlignHCenter);
    scroll_->setWidget(page_);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(werkzeugleiste());
    layout->addWidget(scroll_, 1);
    resize(900, 1000);
    setWindowState(Qt::WindowMaximized);
    anzeigen();
}

QLayout* TVorschauform::werkzeugleiste()
{
    ErsteBtn = knopf(QStringLiteral("|<"), QStringLiteral("Erste Seite"), this);
    VorigeBtn = knopf(QStringLiteral("<"), QStringLiteral("Vorige Seite"), this);
    SeitenLabel = new QLabel(this);
    NaechsteBtn = knopf(QStringLiteral(">"), QStringLiteral("Nächste Seite"), this);
    LetzteBtn = knopf(QStringLiteral(">|"), QStringLiteral("Letzte Seite"), this);
    ZoomBox = new QComboBox(this);
    for (int z : kZooms) ZoomBox->addItem(QStringLiteral("%1 %").arg(z), z / 100.0);
    ZoomBox->setCurrentText(QStringLiteral("%1 %").arg(kStandardZoom));
    ZoomBox->setToolTip(QStringLiteral("Vergrößerung"));
    DruckenBtn = knopf(QStringLiteral("&Drucken"), QStringLiteral("Den Bericht drucken"), this);
    PdfBtn = knopf(QStringLiteral("Als &PDF speichern ..."), QStringLiteral("Den Bericht als PDF-Datei speichern"), this);
    SchliessenBtn = knopf(QStringLiteral("&Schließen"), QStringLiteral("Die Vorschau schließen"), this);

    connect(ErsteBtn, &QPushButton::clicked, this, [this] { zeigeSeite(0); });
    connect(VorigeBtn, &QPushButton::clicked, this, [this] { zeigeSeite(seite() - 1); });
    connect(NaechsteBtn, &QPushButton::clicked, this, [this] { zeigeSeite(seite() + 1); });
    connect(LetzteBtn, &QPushButton::clicked, this, [this] { zeigeSeite(seitenzahl() - 1); });
    connect(ZoomBox, &QComboBox::currentIndexChanged, this, [this] { ZoomBoxChange(); });
    connect(DruckenBtn, &QPushButton::clicked, this, controls::guarded([this] { DruckenBtnClick(); }));
    connect(PdfBtn, &QPushButton::clicked, this, controls::guarded([this] { PdfBtnClick(); }));
    connect(SchliessenBtn, &QPushButton::clicked, this, &QDialog::accept);

    auto* row = new QHBoxLayout;
    for (QWidget* w : std::initializer_list<QWidget*>{ErsteBtn, VorigeBtn, SeitenLabel, NaechsteBtn, LetzteBtn, ZoomBox})
        row->addWidget(w);
    row->addStretch(1);
    for (QWidget* w : {DruckenBtn, PdfBtn, SchliessenBtn}) row->addWidget(w);
    return row;
}

int TVorschauform::seite() const { return page_->index(); }

int TVorschauform::seitenzahl() const { return static_cast<int>(report_.printout().pages.size()); }

double TVorschauform::zoom() const { return page_->zoom(); }

void TVorschauform::zeigeSeite(int index)
{
    const int last = std::max(0, seitenzahl() - 1);
    page_->showPage(std::clamp(index, 0, last), page_->zoom());
    anzeigen();
}

void TVorschauform::setZoom(double zoom)
{
    const int index = ZoomBox->findData(zoom);
    if (index >= 0 && index != ZoomBox->currentIndex()) ZoomBox->setCurrentIndex(index);
    else ZoomBoxChange();
}

void TVorschauform::ZoomBoxChange()
{
    page_->showPage(page_->index(), ZoomBox->currentData().toDouble());
}

void TVorschauform::anzeigen()
{
    const int n = seitenzahl();
    const int i = page_->index();
    SeitenLabel->setText(QStringLiteral("Seite %1 von %2").arg(n == 0 ? 0 : i + 1).arg(n));
    ErsteBtn->setEnabled(i > 0);
    VorigeBtn->setEnabled(i > 0);
    NaechsteBtn->setEnabled(i + 1 < n);
    LetzteBtn->setEnabled(i + 1 < n);
    ZoomBoxChange();
}

void TVorschauform::keyPressEvent(QKeyEvent* event)
{
    switch (event->key()) {
    case Qt::Key_PageDown: zeigeSeite(seite() + 1); break;
    case Qt::Key_PageUp: zeigeSeite(seite() - 1); break;
    case Qt::Key_Home:
        if (event->modifiers() & Qt::ControlModifier) zeigeSeite(0);
        break;
    case Qt::Key_End:
        if (event->modifiers() & Qt::ControlModifier) zeigeSeite(seitenzahl() - 1);
        break;
    default: QDialog::keyPressEvent(event); return;
    }
}

void TVorschauform::DruckenBtnClick()
{
    QPrinter& printer = shell::sharedPrinter();
    printer.setCopyCount(report_.copies());
    if (!druckerWaehlen || !druckerWaehlen(printer, this)) return;
    // The print dialog may have changed the copies.
    report_.setCopies(printer.copyCount());
    if (!report_.print(printer)) common::dialogs().error(report_.errorText());
}

void TVorschauform::PdfBtnClick()
{
    const QString vorschlag = QDir::home().filePath(QFileInfo(report_.fileName()).completeBaseName() + QStringLiteral(".pdf"));
    std::optional<QString> path = common::dialogs().saveFileName(QStringLiteral("Als PDF speichern"), vorschlag,
                                                                 QStringLiteral("PDF-Dateien (*.pdf)"));
    if (!path) return;
    if (!path->endsWith(QStringLiteral(".pdf"), Qt::CaseInsensitive)) *path += QStringLiteral(".pdf");
    if (!report_.renderToPdf(*path)) common::dialogs().error(report_.errorText());
}

} // namespace trevo::reports
