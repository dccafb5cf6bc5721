#pragma once
// Measuring text in millimetres. Text is measured on an image of a fixed, high
// resolution, so that line breaks and heights do not depend on the device that later
// shows the page; the painter draws the lines the way they were broken here.
#include "reports/model/style.h"

#include <QFont>
#include <QPaintDevice>
#include <QStringList>

namespace trevo::reports {

inline constexpr double measureDpi = 1200;

QPaintDevice& measureDevice();
QFont fontOf(const TextStyle& style);
double mmFromMeasure(double px);
double measureFromMm(double mm);

// The distance between two lines of the style.
double lineHeightMm(const TextStyle& style);
// The lines the text takes in that width: breaks at line feeds, then between words,
// and within a word only when it is wider than the whole width.
QStringList wrapText(const TextStyle& style, const QString& text, double widthMm);
// Line feeds of any convention (\r\n, \r, \n) as \n.
QString unifyLineFeeds(QString text);

} // namespace trevo::reports
