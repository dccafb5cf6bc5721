#include "sqlwindow/abbruch.h"

#include "engine/core/interrupt.h"
#include "shell/shell_services.h"

#include <QApplication>
#include <QKeyEvent>
#include <QLayout>
#include <QPushButton>
#include <QWindow>

namespace trevo::sqlwindow {

namespace {

AbbrechbarerLauf* aktiverLauf = nullptr;

constexpr qint64 pruefabstandMs = 100;

const QString wartetext = QStringLiteral("Bitte warten...");

bool istBenutzereingabe(QEvent::Type typ)
{
    switch (typ) {
    case QEvent::KeyPress:
    case QEvent::KeyRelease:
    case QEvent::ShortcutOverride:
    case QEvent::Shortcut:
    case QEvent::MouseButtonPress:
    case QEvent::MouseButtonRelease:
    case QEvent::MouseButtonDblClick:
    case QEvent::NonClientAreaMouseButtonPress:
    case QEvent::NonClientAreaMouseButtonRelease:
    case QEvent::NonClientAreaMouseButtonDblClick:
    case QEvent::Wheel:
    case QEvent::ContextMenu:
    case QEvent::TouchBegin:
    case QEvent::TouchUpdate:
    case QEvent::TouchEnd:
    case QEvent::TabletPress:
    case QEvent::TabletRelease:
    case QEvent::DragEnter:
    case QEvent::DragMove:
    case QEvent::Drop:
        return true;
    default:
        return false;
    }
}

// Whether the event goes to the window or one of its widgets.
bool gehoertZu(QObject* watched, QWidget* fenster)
{
    if (!fenster) return false;
    if (watched == fenster->windowHandle()) return true;
    if (!watched->isWidgetType()) return false;
    auto* widget = static_cast<QWidget*>(watched);
    return widget == fenster || fenster->isAncestorOf(widget);
}

} // namespace

Abbruchfenster::Abbruchfenster(QWidget* parent) : PleaseWaitWindow(parent)
{
    setObjectName(QStringLiteral("Abbruchfenster"));
    AbbrechenBtn = new QPushButton(QStringLiteral("Abbrechen"), this);
    AbbrechenBtn->setObjectName(QStringLiteral("AbbrechenBtn"));
    AbbrechenBtn->setAutoDefault(false);
    AbbrechenBtn->setToolTip(QStringLiteral("Anweisung abbrechen (Esc)"));
    AbbrechenBtn->setCursor(Qt::ArrowCursor);
    layout()->addWidget(AbbrechenBtn);
    layout()->setAlignment(AbbrechenBtn, Qt::AlignHCenter);
    setFixedSize(sizeHint().expandedTo(QSize(260, 120)));
    connect(AbbrechenBtn, &QPushButton::clicked, this, [this] {
        engine::requestInterrupt();
        AbbrechenBtn->setEnabled(false);
    });
}

AbbrechbarerLauf::AbbrechbarerLauf(shell::ShellServices& shell, Abbruchfenster& fenster)
    : shell_(shell), fenster_(fenster)
{
    aktiverLauf = this;
    engine::clearInterrupt();
    engine::setInterruptPoll(&AbbrechbarerLauf::pruefen);
    qApp->installEventFilter(this);
    QApplication::setOverrideCursor(QCursor(Qt::BusyCursor));
    shell_.setStatusText(2, wartetext);
    fenster_.AbbrechenBtn->setEnabled(true);
    fenster_.showNow();
}

AbbrechbarerLauf::~AbbrechbarerLauf()
{
    fenster_.hide();
    shell_.setStatusText(2, QString());
    QApplication::restoreOverrideCursor();
    qApp->removeEventFilter(this);
    engine::setInterruptPoll(nullptr);
    engine::clearInterrupt();
    aktiverLauf = nullptr;
}

bool AbbrechbarerLauf::laeuft()
{
    return aktiverLauf != nullptr;
}

void AbbrechbarerLauf::pruefen()
{
    AbbrechbarerLauf* lauf = aktiverLauf;
    if (!lauf) return;
    if (lauf->geprueft_ && lauf->seitPruefung_.elapsed() < pruefabstandMs) return;
    lauf->geprueft_ = true;
    lauf->seitPruefung_.restart();
    QCoreApplication::processEvents();
}

bool AbbrechbarerLauf::zumFenster(QObject* watched) const
{
    return gehoertZu(watched, &fenster_);
}

bool AbbrechbarerLauf::eventFilter(QObject* watched, QEvent* event)
{
    const QEvent::Type typ = event->type();
    // A box that came up during the run (a deferred error message) takes its answer.
    if (gehoertZu(watched, QApplication::activeModalWidget())) return QObject::eventFilter(watched, event);
    if (typ == QEvent::KeyPress && static_cast<QKeyEvent*>(event)->key() == Qt::Key_Escape) {
        engine::requestInterrupt();
        fenster_.AbbrechenBtn->setEnabled(false);
        return true;
    }
    if (typ == QEvent::Close && event->spontaneous()) {
        event->ignore();
        return true;
    }
    // The program's timers wait: a timer's event comes again after its interval, so
    // dropping it only delays it. Windows and widgets keep their own (repaints, cursors).
    if (typ == QEvent::Timer && !watched->isWidgetType() && !watched->isWindowType()) return true;
    if (istBenutzereingabe(typ)) return !zumFenster(watched);
    return QObject::eventFilter(watched, event);
}

} // namespace trevo::sqlwindow
