#include "shell/stammdaten/symbole.h"

#include <QPainter>
#include <QPainterPath>
#include <QPixmap>

namespace trevo::shell::stammdaten {

namespace {

constexpr int kSize = 20;

void page(QPainter& p)
{
    p.setPen(QPen(QColor(90, 90, 90), 1));
    p.setBrush(Qt::white);
    QPolygonF sheet({{4, 2}, {13, 2}, {16, 5}, {16, 18}, {4, 18}});
    p.drawPolygon(sheet);
    p.setPen(QPen(QColor(160, 160, 160), 1));
    for (int y = 7; y <= 15; y += 3) p.drawLine(6, y, 14, y);
}

void magnifier(QPainter& p, double x, double y)
{
    p.setPen(QPen(QColor(40, 40, 40), 2));
    p.setBrush(QColor(200, 225, 250));
    p.drawEllipse(QPointF(x, y), 4.5, 4.5);
    p.setPen(QPen(QColor(120, 70, 20), 3, Qt::SolidLine, Qt::RoundCap));
    p.drawLine(QPointF(x + 3.5, y + 3.5), QPointF(x + 7.5, y + 7.5));
}

void arrow(QPainter& p, QColor colour, bool left)
{
    p.setPen(Qt::NoPen);
    p.setBrush(colour);
    QPolygonF shape({{2, 10}, {9, 3}, {9, 7}, {18, 7}, {18, 13}, {9, 13}, {9, 17}});
    if (!left)
        for (QPointF& pt : shape) pt.setX(kSize - pt.x());
    p.drawPolygon(shape);
}

void draw(QPainter& p, Symbol s)
{
    switch (s) {
    case Symbol::Zurueck: arrow(p, QColor(40, 140, 60), true); break;
    case Symbol::Neu:
        page(p);
        p.setPen(QPen(QColor(30, 150, 50), 3));
        p.drawLine(14, 10, 14, 18);
        p.drawLine(10, 14, 18, 14);
        break;
    case Symbol::Aendern:
        page(p);
        p.setPen(QPen(QColor(200, 130, 20), 3, Qt::SolidLine, Qt::RoundCap));
        p.drawLine(9, 16, 17, 8);
        p.setPen(QPen(QColor(60, 60, 60), 1));
        p.drawLine(8, 17, 9, 16);
        break;
    case Symbol::Sortieren: {
        QFont f = p.font();
        f.setPixelSize(8);
        f.setBold(true);
        p.setFont(f);
        p.setPen(QColor(30, 60, 140));
        p.drawText(QRect(1, 1, 10, 9), Qt::AlignCenter, QStringLiteral("A"));
        p.drawText(QRect(1, 10, 10, 9), Qt::AlignCenter, QStringLiteral("Z"));
        p.setPen(QPen(QColor(30, 60, 140), 2));
        p.drawLine(15, 3, 15, 16);
        p.setBrush(QColor(30, 60, 140));
        p.drawPolygon(QPolygonF({{11.5, 13}, {18.5, 13}, {15, 18}}));
        break;
    }
    case Symbol::Bereich:
        p.setPen(QPen(QColor(60, 60, 60), 1));
        p.setBrush(QColor(240, 190, 40));
        p.drawPolygon(QPolygonF({{2, 3}, {18, 3}, {12, 10}, {12, 17}, {8, 15}, {8, 10}}));
        break;
    case Symbol::Suchen: magnifier(p, 8, 8); break;
    case Symbol::Weitersuchen:
        magnifier(p, 7, 7);
        p.setPen(Qt::NoPen);
        p.setBrush(QColor(40, 140, 60));
        p.drawPolygon(QPolygonF({{12, 13}, {16, 13}, {16, 10}, {20, 15}, {16, 20}, {16, 17}, {12, 17}}));
        break;
    case Symbol::Lotse:
        p.setPen(QPen(QColor(110, 70, 30), 2));
        p.drawLine(10, 4, 10, 19);
        p.setPen(QPen(QColor(60, 60, 60), 1));
        p.setBrush(QColor(70, 130, 200));
        p.drawPolygon(QPolygonF({{3, 4}, {15, 4}, {18, 7}, {15, 10}, {3, 10}}));
        p.setBrush(QColor(220, 80, 60));
        p.drawPolygon(QPolygonF({{17, 11}, {5, 11}, {2, 14}, {5, 17}, {17, 17}}));
        break;
    }
}

} // namespace

QIcon symbol(Symbol s)
{
    QPixmap pm(kSize, kSize);
    pm.fill(Qt::transparent);
    {
        QPainter p(&pm);
        p.setRenderHint(QPainter::Antialiasing);
        draw(p, s);
    }
    QIcon icon(pm);
    return icon;
}

} // namespace trevo::shell::stammdaten
