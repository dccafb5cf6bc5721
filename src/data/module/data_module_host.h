#pragma once
// What the data module needs from the windows: message boxes, the folder selection dialog,
// the start window and the menu items of the data windows. The shell implements it; tests
// use a scripted fake.
#include "common/helpers/dialoge.h"

#include <optional>
#include <string>

namespace trevo::data {

// Codes of the windows whose menu items follow the emptiness of their tables.
namespace fenster {
inline constexpr int Termine = 1;
inline constexpr int Kegler = 5;
inline constexpr int Spielarten = 6;
inline constexpr int Sonstige = 9;
inline constexpr int Terminplan = 10;
inline constexpr int Funktionen = 11;
inline constexpr int Termintypen = 12;
inline constexpr int Konto = 13;
inline constexpr int Waehrungen = 15;
} // namespace fenster

class DataModuleHost : public common::Dialoge {
public:
    // The folder selection dialog preset with a folder; the chosen folder, nullopt for Cancel.
    virtual std::optional<std::string> ordnerWaehlen(const std::string& vorgabe) = 0;
    virtual bool startfensterSichtbar() = 0;
    virtual void startfensterZeigen(bool sichtbar) = 0;
    // Whether the window of that code has been created.
    virtual bool fensterVorhanden(int fensterCode) = 0;
    // Enables or disables the window's menu item of that name; items the window does not
    // have are skipped.
    virtual void menuepunktFreigeben(int fensterCode, const std::string& name, bool aktiv) = 0;
    // Ends the program at once, without saving the options.
    virtual void programmBeenden() = 0;
};

} // namespace trevo::data
