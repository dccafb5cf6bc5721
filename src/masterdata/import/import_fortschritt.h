#pragma once
// The please-wait window of the import with a message line under "Bitte warten ...",
// where the import writes its progress in percent.
#include <QString>

#include <memory>

class QLabel;

namespace trevo::shell {
class PleaseWaitWindow;
}

namespace trevo::masterdata {

class ImportFortschritt {
public:
    ImportFortschritt();
    ~ImportFortschritt();

    // Shows the window and paints it.
    void zeigen();
    // Writes the text into the message line and repaints it at once.
    void meldung(const QString& text);
    void schliessen();

    QString meldungstext() const;
    bool sichtbar() const;

private:
    std::unique_ptr<shell::PleaseWaitWindow> fenster_;
    QLabel* Meldung = nullptr;
};

} // namespace trevo::masterdata
