#include "shell/main_window.h"

#include "shell/about_box.h"
#include "shell/calendar_dialog.h"
#include "shell/child_window.h"
#include "dbcontrols/command_guard.h"
#include "common/dialogs/dialogs.h"
#include "shell/guide_window.h"
#include "shell/help_window.h"
#include "shell/please_wait_window.h"
#include "shell/printer.h"
#include "shell/program_icon.h"
#include "shell/wait_cursor.h"
#include "common/fenster/window_codes.h"
#include "shell/window_registry.h"

#include <QCloseEvent>
#include <QDateTime>
#include <QLabel>
#include <QLayout>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QMenu>
#include <QMenuBar>
#include <QPrintDialog>
#include <QGuiApplication>
#include <QScreen>
#include <QSignalBlocker>
#include <QStatusBar>
#include <QTimer>

namespace trevo::shell {

namespace {

const int panelWidths[4] = {264, 300, 108, 50};
const QString waitText = QStringLiteral("Bitte warten...");

QString plain(QString text)
{
    return text.remove('&');
}

} // namespace

MainForm1::MainForm1(WindowRegistry& registry, QWidget* parent) : QMainWindow(parent), registry_(registry)
{
    setObjectName(QStringLiteral("MainForm1"));
    setWindowTitle(QStringLiteral("Trevo 1.14"));
    setWindowIcon(programIcon());
    workspace_ = new QMdiArea(this);
    workspace_->setBackground(QColor(0, 128, 128));
    workspace_->setHorizontalScrollBarPolicy(Qt::ScrollBarAsNeeded);
    workspace_->setVerticalScrollBarPolicy(Qt::ScrollBarAsNeeded);
    setCentralWidget(workspace_);
    setDockOptions(QMainWindow::AnimatedDocks);

    buildMenus();
    buildStatusBar();
    pleaseWait_ = new PleaseWaitWindow(this);
    history_.reset(common::Fenster::Termine);

    connect(workspace_, &QMdiArea::subWindowActivated, this, [this](QMdiSubWindow* frame) {
        if (frame) setCurrent(qobject_cast<ChildWindow*>(frame->widget()));
    });
    resize(800, 600);
    centreOnScreen(this);
}

MainForm1::~MainForm1()
{
    setHourglass(false);
}

// ---- menus ----

void MainForm1::buildMenus()
{
    extrasMenu_ = new QMenu(QStringLiteral("E&xtras"), this);
    extrasMenu_->addAction(QStringLiteral("&Drucker einrichten"), this, [this] { setUpPrinter(); });
    QAction* options = extrasMenu_->addAction(QStringLiteral("&Optionen"));
    windowActions_[options] = common::Fenster::Optionen;
    reportsAction_ = extrasMenu_->addAction(QStringLiteral("Druck&formulare (Reports) ändern"), this,
                                            controls::guarded([this] { registry_.runCommand(Komponente::Reportauswahl); }));
    extrasMenu_->addSeparator();
    windowActions_[extrasMenu_->addAction(QStringLiteral("S&QL-Abfrage"))] = common::Fenster::SQLAbfrage;
    extrasMenu_->addSeparator();
    backupActions_[extrasMenu_->addAction(QStringLiteral("Daten&sicherung ..."))] = Komponente::Datensicherung;
    backupActions_[extrasMenu_->addAction(QStringLiteral("Datensicherung &zurückspielen ..."))] =
        Komponente::SicherungZurueckspielen;
    for (const auto& [action, name] : backupActions_) {
        const QString n = name;
        connect(action, &QAction::triggered, this, [this, n] {
            // A restore replaces what windows show: every entry is settled first.
            if (n == Komponente::SicherungZurueckspielen && !entriesSettled()) return;
            registry_.runCommand(n);
        });
    }
    autoBackupAction_ = extrasMenu_->addAction(QStringLiteral("&Beim Beenden automatisch sichern"));
    autoBackupAction_->setCheckable(true);
    connect(autoBackupAction_, &QAction::toggled, this,
            [this](bool on) { registry_.setSwitch(Komponente::AutomatischSichern, on); });

    fensterMenu_ = new QMenu(QStringLiteral("&Fenster"), this);
    const std::pair<const char*, int> items[] = {
        {"&Kegeldaten", common::Fenster::Termine}, {nullptr, 0},
        {"&Mitglieder/Gastkegler", common::Fenster::Mitglieder}, {"&Spiele", common::Fenster::Spiele},
        {"S&onstige Beträge", common::Fenster::Sonstige}, {"K&egelkasse", common::Fenster::Kegelkasse}, {nullptr, 0},
        {"&Terminplan", common::Fenster::Terminplan}, {nullptr, 0},
        {"Termin&arten", common::Fenster::Terminarten}, {"&Ämter", common::Fenster::Aemter}, {"Währungen", common::Fenster::Waehrungen},
    };
    for (const auto& [text, code] : items) {
        if (!text)
            fensterMenu_->addSeparator();
        else
            windowActions_[fensterMenu_->addAction(QString::fromUtf8(text))] = code;
    }
    for (const auto& [action, code] : windowActions_) {
        const int c = code;
        connect(action, &QAction::triggered, this, controls::guarded([this, c] { FensterAktivieren(c); }));
    }

    hilfeMenu_ = new QMenu(QStringLiteral("&Hilfe"), this);
    // TREVO.HLP at the page of the window in front; the overview (80001) without one.
    QAction* help = hilfeMenu_->addAction(QStringLiteral("&Hilfe"), this,
                                          [this] { Hilfe(QStringLiteral("TREVO.HLP"), HelpWindow::topicOfWindow(activeCode())); });
    help->setShortcut(QKeySequence(Qt::Key_F1));
    help->setShortcutContext(Qt::ApplicationShortcut);
    addAction(help);
    hilfeMenu_->addAction(QStringLiteral("Hilfe zum &Reportgenerator"), this,
                          [this] { Hilfe(QStringLiteral("QRDUSER.HLP"), 90001); });
    hilfeMenu_->addAction(QStringLiteral("&Lotse"), this, controls::guarded([this] { LotseZeigen(); }));
    hilfeMenu_->addAction(QStringLiteral("&Über Kegeln"), this, [this] { showAbout(); });

    for (QMenu* m : {extrasMenu_, fensterMenu_, hilfeMenu_})
        connect(m, &QMenu::aboutToShow, this, &MainForm1::updateMenuAvailability);
    updateMenuAvailability();
    mergeMenus();
}

void MainForm1::updateMenuAvailability()
{
    for (const auto& [action, code] : windowActions_) action->setEnabled(registry_.hasWindow(code));
    reportsAction_->setEnabled(registry_.hasCommand(Komponente::Reportauswahl));
    for (const auto& [action, name] : backupActions_) action->setEnabled(registry_.hasCommand(name));
    autoBackupAction_->setEnabled(registry_.hasSwitch(Komponente::AutomatischSichern));
    const QSignalBlocker quiet(autoBackupAction_);
    autoBackupAction_->setChecked(registry_.switchState(Komponente::AutomatischSichern));
}

QAction* MainForm1::menuAction(const QString& text) const
{
    for (QMenu* m : {extrasMenu_, fensterMenu_, hilfeMenu_})
        for (QAction* a : m->actions())
            if (plain(a->text()) == text) return a;
    return nullptr;
}

void MainForm1::mergeMenus()
{
    QMenuBar* bar = menuBar();
    for (QAction* a : bar->actions()) bar->removeAction(a);
    if (current_)
        for (QMenu* m : current_->menus()) bar->addAction(m->menuAction());
    for (QMenu* m : {extrasMenu_, fensterMenu_, hilfeMenu_}) bar->addAction(m->menuAction());
}

// ---- status bar ----

void MainForm1::buildStatusBar()
{
    for (int i = 0; i < 4; ++i) {
        panels_[i] = new QLabel(this);
        panels_[i]->setFrameStyle(QFrame::Panel | QFrame::Sunken);
        panels_[i]->setContentsMargins(4, 0, 4, 0);
        if (i < 3) {
            panels_[i]->setFixedWidth(panelWidths[i]);
            statusBar()->addWidget(panels_[i]);
        } else {
            panels_[i]->setMinimumWidth(panelWidths[i]);
            panels_[i]->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
            statusBar()->addWidget(panels_[i], 1);
        }
    }
    statusBar()->setSizeGripEnabled(false);
    clock_ = new QTimer(this);
    clock_->setInterval(1000);
    auto tick = [this] {
        panels_[3]->setText(QDateTime::currentDateTime().toString(QStringLiteral("dd.MM.yyyy  HH:mm:ss")));
    };
    connect(clock_, &QTimer::timeout, this, tick);
    tick();
    clock_->start();
}

void MainForm1::setStatusText(int panel, const QString& text)
{
    if (panel < 0 || panel > 3) return;
    panels_[panel]->setText(text);
}

QString MainForm1::statusText(int panel) const
{
    return panel >= 0 && panel <= 3 ? panels_[panel]->text() : QString();
}

void MainForm1::FilterAnzeige(bool on)
{
    setStatusText(1, on ? QStringLiteral("Anzeigebereich eingeschränkt (Filter ein)") : QString());
}

void MainForm1::BitteWarten(int mode)
{
    if (mode == 0) {
        pleaseWait_->showNow();
        setStatusText(2, waitText);
        statusBar()->repaint();
        setHourglass(true);
    } else if (mode == 1) {
        pleaseWait_->hide();
        setStatusText(2, QString());
        statusBar()->repaint();
        setHourglass(false);
    }
}

void MainForm1::adaptToScreen(int screenWidth)
{
    if (screenWidth < 800)
        common::dialogs().message(
            QStringLiteral("Die Bildschirmauflösung sollte bei mindestens 800 x 600 Bildpunkten liegen"));
    const double factor = screenWidth > 0 ? screenWidth / 800.0 : 1.0;
    for (int i = 0; i < 3; ++i) panels_[i]->setFixedWidth(int(panelWidths[i] * factor));
    const int clockWidth = panels_[3]->fontMetrics().horizontalAdvance(QStringLiteral("00.00.0000  00:00:00")) + 16;
    panels_[3]->setMinimumWidth(std::max(int(panelWidths[3] * factor), clockWidth));
}

void MainForm1::maximize()
{
    // Without a window manager a maximise request does nothing; the screen's size then.
    if (const QScreen* screen = QGuiApplication::primaryScreen()) setGeometry(screen->availableGeometry());
    showMaximized();
}

// ---- child windows ----

ChildWindow* MainForm1::Fensterobjekt(int code)
{
    const auto it = windows_.find(common::effectiveWindowCode(code));
    return it == windows_.end() ? nullptr : it->second;
}

int MainForm1::activeCode() const
{
    for (const auto& [code, window] : windows_)
        if (window == current_) return code;
    return 0;
}

QMdiSubWindow* MainForm1::frameOf(ChildWindow* window) const
{
    return window ? qobject_cast<QMdiSubWindow*>(window->parentWidget()) : nullptr;
}

ChildWindow* MainForm1::Fenstererzeugen(int code)
{
    const int target = common::effectiveWindowCode(code);
    if (ChildWindow* existing = Fensterobjekt(target)) return existing;
    ChildWindow* window = registry_.createWindow(target, *this);
    if (!window) return nullptr;
    windows_[target] = window;
    QMdiSubWindow* frame = workspace_->addSubWindow(window);
    frame->setWindowIcon(windowIcon());
    frame->installEventFilter(this);
    connect(window, &ChildWindow::menusChanged, this, [this, window] {
        if (window == current_) mergeMenus();
    });
    frame->showMaximized();
    return window;
}

void MainForm1::setCurrent(ChildWindow* window)
{
    if (!window || window == current_) return;
    current_ = window;
    mergeMenus();
    // A window asked before the program ends is only shown; its activation would leave
    // the edit mode that the question is about.
    if (settling_) return;
    controls::runGuarded([window] { window->FormActivate(); });
}

void MainForm1::bringToFront(int code)
{
    ChildWindow* window = Fensterobjekt(code);
    QMdiSubWindow* frame = frameOf(window);
    if (!frame) return;
    frame->showMaximized();
    workspace_->setActiveSubWindow(frame);
    frame->raise();
    setCurrent(window);
}

void MainForm1::FensterAktivieren(int code)
{
    ChildWindow* before = current_;
    ChildWindow* window = Fenstererzeugen(code);
    if (!window) return; // no window of this code in the program
    bringToFront(code);
    history_.activated(code, window == before);
}

void MainForm1::FensterZurueck()
{
    if (history_.stepBack()) {
        close();
        if (ending_) return;
    }
    bringToFront(history_.target());
}

bool MainForm1::eventFilter(QObject* watched, QEvent* event)
{
    if (event->type() == QEvent::Close && !ending_) {
        if (auto* frame = qobject_cast<QMdiSubWindow*>(watched)) {
            event->ignore();
            if (auto* window = qobject_cast<ChildWindow*>(frame->widget()))
                controls::runGuarded([window] { window->closeRequested(); });
            return true;
        }
    }
    return QMainWindow::eventFilter(watched, event);
}

// ---- ending ----

// Every window in an edit mode is brought to the front and asked its close question
// before the program ends; Cancel (or an error while storing) keeps the program running.
bool MainForm1::entriesSettled()
{
    for (const auto& [code, window] : windows_) {
        if (!window->imEingabemodus()) continue;
        settling_ = true;
        bringToFront(code);
        settling_ = false;
        bool allowed = false;
        const bool ran = controls::runGuarded([&allowed, w = window] { allowed = w->programmendeErlaubt(); });
        if (!ran || !allowed) return false;
    }
    return true;
}

void MainForm1::ProgrammBeenden()
{
    close();
}

void MainForm1::closeEvent(QCloseEvent* event)
{
    if (ending_) {
        event->accept();
        return;
    }
    if (!entriesSettled() || !common::dialogs().yesNo(QStringLiteral("Programm beenden ?"))) {
        event->ignore();
        return;
    }
    ending_ = true;
    if (endHandler_) controls::runGuarded(endHandler_);
    event->accept();
    if (guide_) guide_->hide();
    if (help_) help_->hide();
    emit programEnds();
}

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
