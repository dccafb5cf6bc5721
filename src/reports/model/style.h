#pragma once
// How an element of a report looks: the font and placement of its text, and the frame
// drawn around its box. Sizes of lines are millimetres, font sizes points.
#include <QColor>
#include <QString>

namespace trevo::reports {

enum class HAlign { Left, Center, Right };
enum class VAlign { Top, Middle, Bottom };

struct TextStyle {
    QString fontFamily = QStringLiteral("Arial");
    double pointSize = 10;
    bool bold = false;
    bool italic = false;
    HAlign align = HAlign::Left;
    VAlign valign = VAlign::Top;
    QColor colour = QColor(Qt::black);
    friend bool operator==(const TextStyle&, const TextStyle&) = default;
};

// Which sides of the element's box get a line.
struct Frame {
    bool left = false, top = false, right = false, bottom = false;
    double widthMm = 0.2;
    QColor colour = QColor(Qt::black);
    bool any() const { return left || top || right || bottom; }
    friend bool operator==(const Frame&, const Frame&) = default;
};

} // namespace trevo::reports
