#include "masterdata/feldpruefungen.h"

#include "common/dialogs/dialogs.h"
#include "common/helpers/jahr_korrigieren.h"
#include "dbcontrols/db_edit.h"
#include "engine/core/error.h"

#include <QFocusEvent>
#include <QTimer>

#include <algorithm>

namespace trevo::masterdata {

namespace {

// The focus left the field for another control of the window.
bool weitergegangen(QObject* watched, QWidget* feld, QEvent* event)
{
    if (watched != feld || event->type() != QEvent::FocusOut || !feld->isEnabled()) return false;
    const Qt::FocusReason reason = static_cast<QFocusEvent*>(event)->reason();
    return reason != Qt::ActiveWindowFocusReason && reason != Qt::PopupFocusReason;
}

} // namespace

// ---- year correction ----

Jahreskorrektur::Jahreskorrektur(controls::DBEdit* feld) : QObject(feld), feld_(feld) {}

void Jahreskorrektur::anbringen(controls::DBEdit* feld) { feld->installEventFilter(new Jahreskorrektur(feld)); }

bool Jahreskorrektur::eventFilter(QObject* watched, QEvent* event)
{
    if (!weitergegangen(watched, feld_, event)) return false;
    const QString text = feld_->text().trimmed();
    if (text.isEmpty()) return false;
    std::string korrigiert = text.toStdString();
    try {
        common::JahrKorrigieren(korrigiert);
    } catch (const engine::EngineError&) {
        return false; // no date: the field's own conversion says so
    }
    const QString neu = QString::fromStdString(korrigiert);
    if (neu != text) {
        feld_->setText(neu);
        emit feld_->textEdited(neu); // as if typed: the field writes it into the record
    }
    return false;
}

// ---- a choice of whole numbers ----

Zahlenauswahl::Zahlenauswahl(controls::DBEdit* feld, std::vector<int> erlaubt, QString fehler)
    : QObject(feld), feld_(feld), erlaubt_(std::move(erlaubt)), fehler_(std::move(fehler))
{
}

void Zahlenauswahl::anbringen(controls::DBEdit* feld, std::vector<int> erlaubt, QString fehler)
{
    feld->installEventFilter(new Zahlenauswahl(feld, std::move(erlaubt), std::move(fehler)));
}

bool Zahlenauswahl::gueltig()
{
    const QString text = feld_->text().trimmed();
    bool zahl = false;
    const int wert = text.toInt(&zahl);
    if (!zahl) {
        common::dialogs().error(QStringLiteral("'%1' ist keine gültige ganze Zahl").arg(text));
        return false;
    }
    if (std::find(erlaubt_.begin(), erlaubt_.end(), wert) != erlaubt_.end()) return true;
    common::dialogs().error(fehler_);
    return false;
}

bool Zahlenauswahl::eventFilter(QObject* watched, QEvent* event)
{
    if (weitergegangen(watched, feld_, event) && !gueltig())
        QTimer::singleShot(0, feld_, [f = feld_] { f->setFocus(Qt::OtherFocusReason); });
    return false;
}

} // namespace trevo::masterdata
