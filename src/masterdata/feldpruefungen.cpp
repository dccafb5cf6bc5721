#include "masterdata/feldpruefungen.h"

#include "common/dialogs/dialogs.h"
#include "dbcontrols/db_edit.h"
#include "dbcontrols/jahreskorrektur.h"
#include "engine/core/error.h"

#include <QTimer>

#include <algorithm>

namespace trevo::masterdata {

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
    if (controls::fokusWeitergegangen(watched, feld_, event) && !gueltig())
        QTimer::singleShot(0, feld_, [f = feld_] { f->setFocus(Qt::OtherFocusReason); });
    return false;
}

} // namespace trevo::masterdata
