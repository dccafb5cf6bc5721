#include "dbcontrols/jahreskorrektur.h"

#include "common/helpers/jahr_korrigieren.h"
#include "dbcontrols/db_edit.h"
#include "engine/core/error.h"

#include <QFocusEvent>

namespace trevo::controls {

bool fokusWeitergegangen(QObject* watched, QWidget* feld, QEvent* event)
{
    if (watched != feld || event->type() != QEvent::FocusOut || !feld->isEnabled()) return false;
    const Qt::FocusReason reason = static_cast<QFocusEvent*>(event)->reason();
    return reason != Qt::ActiveWindowFocusReason && reason != Qt::PopupFocusReason;
}

Jahreskorrektur::Jahreskorrektur(DBEdit* feld) : QObject(feld), feld_(feld) {}

void Jahreskorrektur::anbringen(DBEdit* feld) { feld->installEventFilter(new Jahreskorrektur(feld)); }

bool Jahreskorrektur::eventFilter(QObject* watched, QEvent* event)
{
    if (!fokusWeitergegangen(watched, feld_, event)) return false;
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

} // namespace trevo::controls
