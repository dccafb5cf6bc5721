#include "reports/designer/farbknopf.h"

#include <QColorDialog>
#include <QMenu>
#include <QPixmap>

namespace trevo::reports::designer {

FarbKnopf::FarbKnopf(bool ohneFarbe, QWidget* parent) : QPushButton(parent), ohneFarbe_(ohneFarbe)
{
    waehlen = [](const QColor& bisher, QWidget* parent) {
        return QColorDialog::getColor(bisher.isValid() ? bisher : QColor(Qt::white), parent, QStringLiteral("Farbe wählen"));
    };
    connect(this, &QPushButton::clicked, this, &FarbKnopf::klick);
    setFarbe(Qt::black);
}

void FarbKnopf::setFarbe(const QColor& farbe)
{
    farbe_ = farbe;
    QPixmap muster(16, 16);
    muster.fill(farbe.isValid() ? farbe : QColor(Qt::transparent));
    setIcon(QIcon(muster));
    setText(farbe.isValid() ? farbe.name() : QStringLiteral("keine"));
}

void FarbKnopf::klick()
{
    if (ohneFarbe_ && farbe_.isValid()) {
        QMenu menu(this);
        QAction* keine = menu.addAction(QStringLiteral("Keine Füllung"));
        QAction* andere = menu.addAction(QStringLiteral("Farbe wählen ..."));
        QAction* gewaehlt = menu.exec(mapToGlobal(rect().bottomLeft()));
        if (gewaehlt == keine) {
            setFarbe(QColor());
            emit farbeGewaehlt(QColor());
            return;
        }
        if (gewaehlt != andere) return;
    }
    const QColor neu = waehlen(farbe_, window());
    if (!neu.isValid()) return;
    setFarbe(neu);
    emit farbeGewaehlt(neu);
}

} // namespace trevo::reports::designer
