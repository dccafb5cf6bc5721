#pragma once
// Menu items of a window switched by whether its table holds records. The items are
// found by their object names, without regard to case: "Aendern1", "ndern1",
// "Kopierenundndern1", "Bearbeiten1", "SUCHEN1", "Bereich1" and, for the evening window
// "LISTE1", for every other window "DRUCKEN1". Items a window does not have are skipped;
// a named menu is switched through its entry in the menu bar.
class QObject;

namespace trevo::masterdata {

void menuepunkteFreigeben(QObject& window, bool enable, bool eveningWindow = false);

} // namespace trevo::masterdata

class QString;

namespace trevo::masterdata {

// One item of the window by its object name (without regard to case); skipped when the
// window has none of that name. The data module's menu rule reaches windows this way.
void menuepunktFreigeben(QObject& window, const QString& name, bool enable);

} // namespace trevo::masterdata
