#include "reports/druck/preview_page.h"

#include "reports/render/painter.h"

#include <QPainter>

namespace trevo::reports {

PreviewPage::PreviewPage(const Printout& printout, QWidget* parent) : QWidget(parent), printout_(printout)
{
    setObjectName(QStringLiteral("Seite"));
    setAttribute(Qt::WA_OpaquePaintEvent);
}

void PreviewPage::showPage(int index, double zoom)
{
    index_ = index;
    zoom_ = zoom;
    resize(sizeHint());
    update();
}

QSizeF PreviewPage::paperPixels() const
{
    const QSizeF mm = printout_.pages.empty() ? QSizeF(210, 297) : printout_.pages.at(index_).sizeMm;
    return {mm.width() * logicalDpiX() / 25.4, mm.height() * logicalDpiY() / 25.4};
}

QSize PreviewPage::sizeHint() const
{
    return (paperPixels() * zoom_).toSize();
}

void PreviewPage::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    painter.fillRect(rect(), Qt::white);
    if (index_ < 0 || index_ >= static_cast<int>(printout_.pages.size())) return;
    painter.scale(zoom_, zoom_);
    paintPage(printout_.pages[index_], painter);
}

} // namespace trevo::reports
