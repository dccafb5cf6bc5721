#pragma once
// What the data module needs from the program around it: the start window, whether a
// window exists, the notification that a window's table became empty or holds records,
// and the end of the program. The shell implements it; tests use a recording fake.
// Messages and questions go through the dialog service (common/dialogs/dialogs.h).
#include "common/fenster/window_codes.h"

namespace trevo::data {

class DataModuleHost {
public:
    virtual ~DataModuleHost() = default;

    virtual bool startfensterSichtbar() = 0;
    virtual void startfensterZeigen(bool sichtbar) = 0;
    // Whether the window of that code has been created.
    virtual bool fensterVorhanden(int fensterCode) = 0;
    // The table shown by the window of that code holds records (true) or is empty; the
    // window enables its menu items by its own rule. Told after every post and delete and
    // whenever a window asks for it.
    virtual void tabelleGefuellt(int fensterCode, bool hatDatensaetze) = 0;
    // Ends the program at once, without saving the options.
    virtual void programmBeenden() = 0;
};

} // namespace trevo::data
