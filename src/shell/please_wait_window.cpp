#include "shell/please_wait_window.h"

#include "shell/wait_cursor.h"

#include <QApplication>
#include <QEvent>
#include <QLabel>
#include <QScreen>
#include <QVBoxLayout>

namespace trevo::shell {

void centreOnScreen(QWidget* window)
{
    const QScreen* screen = QGuiApplication::primaryScreen();
    if (!screen) return;
    const QRect area = screen->availableGeometry();
    const QSize size = window->frameGeometry().size().expandedTo(window->sizeHint());
    window->move(area.center() - QPoint(size.width() / 2, size.height() / 2));
}

void paintNow(QWidget* window)
{
    window->repaint();
    QCoreApplication::processEvents(QEventLoop::ExcludeUserInputEvents);
}

PleaseWaitWindow::PleaseWaitWindow(QWidget* parent)
    : QWidget(parent, Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowStaysOnTopHint)
{
    setObjectName(QStringLiteral("Bitte_warten_form"));
    // It shows work going on; the keys stay with the window the user types in.
    setAttribute(Qt::WA_ShowWithoutActivating);
    setWindowTitle(QStringLiteral("Bitte warten ..."));
    auto* label = new QLabel(QStringLiteral("Bitte warten ..."), this);
    QFont font = label->font();
    font.setBold(true);
    font.setPixelSize(19);
    label->setFont(font);
    label->setAlignment(Qt::AlignCenter);
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(32, 20, 32, 20);
    layout->addWidget(label);
    setFixedSize(sizeHint().expandedTo(QSize(260, 80)));
}

void PleaseWaitWindow::showNow()
{
    centreOnScreen(this);
    show();
    raise();
    paintNow(this);
}

bool PleaseWaitWindow::event(QEvent* e)
{
    switch (e->type()) {
    case QEvent::WindowActivate: setHourglass(true); break;
    case QEvent::WindowDeactivate:
    case QEvent::Hide:
    case QEvent::Close: setHourglass(false); break;
    default: break;
    }
    return QWidget::event(e);
}

} // namespace trevo::shell
