#include "reports/render/measure.h"

#include <QFontMetricsF>
#include <QImage>
#include <QTextLayout>

namespace trevo::reports {

QPaintDevice& measureDevice()
{
    static QImage device = [] {
        QImage image(1, 1, QImage::Format_ARGB32);
        const int dotsPerMetre = qRound(measureDpi / 0.0254);
        image.setDotsPerMeterX(dotsPerMetre);
        image.setDotsPerMeterY(dotsPerMetre);
        return image;
    }();
    return device;
}

QFont fontOf(const TextStyle& style)
{
    QFont font(style.fontFamily);
    font.setPointSizeF(style.pointSize);
    font.setBold(style.bold);
    font.setItalic(style.italic);
    // Widths must scale with the resolution alone, or breaks would differ between devices.
    font.setHintingPreference(QFont::PreferNoHinting);
    font.setKerning(true);
    return font;
}

double mmFromMeasure(double px)
{
    return px * 25.4 / measureDpi;
}

double measureFromMm(double mm)
{
    return mm * measureDpi / 25.4;
}

double lineHeightMm(const TextStyle& style)
{
    return mmFromMeasure(QFontMetricsF(fontOf(style), &measureDevice()).lineSpacing());
}

QString unifyLineFeeds(QString text)
{
    text.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    text.replace(u'\r', u'\n');
    return text;
}

QStringList wrapText(const TextStyle& style, const QString& text, double widthMm)
{
    QStringList out;
    const QFont font = fontOf(style);
    const double width = measureFromMm(widthMm);
    for (const QString& paragraph : unifyLineFeeds(text).split(u'\n')) {
        if (paragraph.isEmpty()) {
            out << QString();
            continue;
        }
        QTextLayout layout(paragraph, font, &measureDevice());
        QTextOption option;
        option.setWrapMode(QTextOption::WrapAtWordBoundaryOrAnywhere);
        layout.setTextOption(option);
        layout.beginLayout();
        for (QTextLine line = layout.createLine(); line.isValid(); line = layout.createLine()) {
            line.setLineWidth(width);
            QString piece = paragraph.mid(line.textStart(), line.textLength());
            while (!piece.isEmpty() && piece.back().isSpace()) piece.chop(1);
            out << piece;
        }
        layout.endLayout();
    }
    return out;
}

} // namespace trevo::reports
