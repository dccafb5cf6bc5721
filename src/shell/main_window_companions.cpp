// The main window's companions: the guide window docked at the left or floating, the
// calendar, the help window, the about box and the printer set-up.
#include "shell/main_window.h"

#include "shell/about_box.h"
#include "shell/calendar_dialog.h"
#include "shell/guide_window.h"
#include "shell/help_window.h"
#include "shell/printer.h"

#include <QLayout>
#include <QPrintDialog>

namespace trevo::shell {

// ---- companions ----

void MainForm1::dockGuide()
{
    if (!guide_) guide_ = new LotsenDlg(*this, registry_, this);
    addDockWidget(Qt::LeftDockWidgetArea, guide_);
    guide_->setFloating(false);
    guide_->show();
    setGuideWidth();
}

void MainForm1::setGuideWidth()
{
    layout()->activate();
    resizeDocks({guide_}, {200}, Qt::Horizontal);
    layout()->activate();
}

void MainForm1::LotseZeigen()
{
    if (!guide_) {
        guide_ = new LotsenDlg(*this, registry_, this);
        addDockWidget(Qt::LeftDockWidgetArea, guide_);
        guide_->setFloating(true);
        guide_->move(1, 1);
    }
    guide_->show();
    guide_->raise();
    if (!guide_->isFloating()) setGuideWidth();
}

int MainForm1::dockPanelWidth() const
{
    if (!guide_ || guide_->isFloating() || !guide_->isVisible()) return 0;
    return guide_->width();
}

Kalenderform* MainForm1::calendar()
{
    if (!calendar_) calendar_ = new Kalenderform(this);
    return calendar_;
}

QString MainForm1::DatumWaehlen()
{
    return calendar()->choose();
}

void MainForm1::Hilfe(const QString& helpFile, int topic)
{
    if (!help_) help_ = new HelpWindow(this);
    help_->showTopic(helpFile, topic);
}

void MainForm1::showAbout()
{
    AboutForm about(this);
    about.exec();
}

void MainForm1::setUpPrinter()
{
    QPrintDialog dialog(&sharedPrinter(), this);
    dialog.setWindowTitle(QStringLiteral("Drucker einrichten"));
    dialog.exec();
}

} // namespace trevo::shell
