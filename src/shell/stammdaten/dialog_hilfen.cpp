#include "shell/stammdaten/dialog_hilfen.h"

#include <QDialog>
#include <QGuiApplication>
#include <QListWidget>
#include <QPushButton>
#include <QScreen>

namespace trevo::shell::stammdaten {

void festUndZentriert(QDialog& dialog)
{
    dialog.setMinimumSize(0, 0);
    dialog.setMaximumSize(QWIDGETSIZE_MAX, QWIDGETSIZE_MAX);
    dialog.setFixedSize(dialog.sizeHint());
    if (const QScreen* screen = QGuiApplication::primaryScreen()) {
        const QRect area = screen->availableGeometry();
        dialog.move(area.center() - dialog.rect().center());
    }
}

QPushButton* knopf(QWidget* parent, const char* name, const QString& text)
{
    auto* b = new QPushButton(text, parent);
    b->setObjectName(QString::fromLatin1(name));
    b->setAutoDefault(false);
    return b;
}

int auswahl(const QListWidget& list)
{
    const QListWidgetItem* item = list.currentItem();
    if (!item || !item->isSelected()) return -1;
    return list.row(item);
}

} // namespace trevo::shell::stammdaten
