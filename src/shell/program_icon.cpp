#include "shell/program_icon.h"

#include <QPainter>
#include <QPixmap>

namespace trevo::shell {

QIcon programIcon()
{
    QIcon icon;
    for (int size : {16, 24, 32, 48, 64}) {
        QPixmap pixmap(size, size);
        pixmap.fill(Qt::transparent);
        QPainter p(&pixmap);
        p.setRenderHint(QPainter::Antialiasing);
        p.setPen(Qt::NoPen);
        p.setBrush(QColor(0, 128, 128));
        p.drawEllipse(QRectF(0.5, 0.5, size - 1, size - 1));
        QFont font(QStringLiteral("Arial"));
        font.setBold(true);
        font.setPixelSize(size * 3 / 4);
        p.setFont(font);
        p.setPen(Qt::white);
        p.drawText(QRect(0, 0, size, size), Qt::AlignCenter, QStringLiteral("9"));
        icon.addPixmap(pixmap);
    }
    return icon;
}

} // namespace trevo::shell
