#pragma once
// What one window layer asks of a window of another. The window layers never include each
// other: the asking window finds the other window by its code (ShellServices::Fensterobjekt)
// and asks it for the service with dynamic_cast; a window that does not exist (yet) offers
// nothing, and the asking window disables the command or lets the notification pass.
#include <string>

namespace trevo::shell {

// Offered by the evaluation window (code 100) to the evening window's menu
// "&Auswerten/Drucken" and the guide codes 50, 51 and 52.
class Auswertungsdienst {
public:
    virtual ~Auswertungsdienst() = default;
    // The evening of that NUMMER (as text); no request dialog.
    virtual void AuswertungTermin(const std::string& terminNummer) = 0;
    // Ask through the request dialog, then evaluate the period or rank by an item.
    virtual void AuswertungZeitraum() = 0;
    virtual void AuswertungRangfolge() = 0;
};

// Offered by the evening window (code 1) to the other-items window: after a price list
// was saved or an item deleted, the items grid of the evening being entered follows the
// changed list. Acts only while an evening is being entered or changed.
class SonstigeAuffrischung {
public:
    virtual ~SonstigeAuffrischung() = default;
    virtual void SonstigeGridAuffrischen() = 0;
};

} // namespace trevo::shell
