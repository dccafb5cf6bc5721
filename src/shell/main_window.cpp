// The main window's frame: the workspace, the menus "Extras", "Fenster" and "Hilfe"
// with the active child window's menus merged in front, and the status bar with its
// panels, the clock and the please-wait indication. The child windows are handled in
// main_window_children.cpp, the companion windows in main_window_companions.cpp.
#include "shell/main_window.h"

#include "common/dialogs/dialogs.h"
#include "common/fenster/window_codes.h"
#include "dbcontrols/command_guard.h"
#include "shell/child_window.h"
#include "shell/help_window.h"
#include "shell/please_wait_window.h"
#include "shell/program_icon.h"
#include "shell/wait_cursor.h"
#include "shell/window_registry.h"

#include <QDateTime>
#include <QGuiApplication>
#include <QLabel>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QMenu>
#include <QMenuBar>
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

} // namespace trevo::shell
