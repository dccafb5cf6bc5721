#pragma once
// The windows' side of the messages that non-window code shows: the shell implements it
// with message boxes, tests with a scripted fake that records the texts and answers.
#include <string>

namespace trevo::common {

class Dialoge {
public:
    virtual ~Dialoge() = default;
    // Plain message box with an OK button (catalogue texts and fixed texts).
    virtual void meldung(const std::string& text) = 0;
    // Confirmation dialog with an OK button ("Das Datenfeld GUELTIG wurde eingefügt").
    virtual void bestaetigung(const std::string& text) = 0;
    // Error dialog with an OK button.
    virtual void fehler(const std::string& text) = 0;
    // Error dialog with the buttons Yes and No; true for Yes.
    virtual bool fehlerFrageJaNein(const std::string& text) = 0;
};

} // namespace trevo::common
