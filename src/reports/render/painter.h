#pragma once
// Paints laid-out pages with QPainter on any paint device: the preview, a printer, a
// PDF file or an image. Millimetres become device pixels by the device's resolution;
// a scale set on the painter beforehand (the preview's zoom) applies on top.
#include "reports/render/display_list.h"

#include <QPagedPaintDevice>
#include <QPainter>

namespace trevo::reports {

void paintPage(const Page& page, QPainter& painter);

// Sets the device to A4 in the printout's orientation without margins (the pages
// carry their own); a printer also to the whole paper and the printout's copies.
void prepareDevice(const Printout& printout, QPagedPaintDevice& device);

// Every page, each on a new page of the device. False when the device cannot be
// painted on.
bool paintPrintout(const Printout& printout, QPagedPaintDevice& device);

} // namespace trevo::reports
