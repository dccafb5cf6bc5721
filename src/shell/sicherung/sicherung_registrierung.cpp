#include "shell/sicherung/sicherung_registrierung.h"

#include "shell/program_paths.h"
#include "shell/shell_services.h"
#include "shell/sicherung/datensicherung.h"
#include "shell/sicherung/sicherungsumgebung.h"
#include "shell/window_registry.h"
#include "shell/wiring/programm.h"

namespace trevo::shell {
namespace {

// The running program's folders, options and tables.
class ProgrammUmgebung : public Sicherungsumgebung {
public:
    ProgrammUmgebung(Programm& programm, ProgramPaths& paths, ShellServices& shell)
        : programm_(programm), paths_(paths), shell_(shell)
    {
    }

    QString datenordner() const override { return paths_.dataFolder; }
    QString programmordner() const override { return paths_.programFolder; }
    QString optionsdatei() const override { return paths_.configFile(); }
    QString backuppfad() const override { return QString::fromStdString(programm_.optionen().gespeichert.backuppfad); }
    void setBackuppfad(const QString& pfad) override { programm_.optionen().gespeichert.backuppfad = pfad.toStdString(); }
    bool automatischSichern() const override { return programm_.optionen().gespeichert.automatischSichern; }
    void setAutomatischSichern(bool an) override { programm_.optionen().gespeichert.automatischSichern = an; }
    void tabellenNeuOeffnen() override { programm_.reopenTables(paths_.dataFolder); }
    void bitteWarten(bool an) override { shell_.BitteWarten(an ? 0 : 1); }

private:
    Programm& programm_;
    ProgramPaths& paths_;
    ShellServices& shell_;
};

// The component owns its environment.
struct Sicherungskomponente {
    Sicherungskomponente(Programm& programm, ProgramPaths& paths, ShellServices& shell)
        : umgebung(programm, paths, shell), sicherung(std::make_shared<Datensicherung>(umgebung))
    {
    }
    ProgrammUmgebung umgebung;
    std::shared_ptr<Datensicherung> sicherung;
};

} // namespace

std::shared_ptr<Datensicherung> sicherungRegistrieren(WindowRegistry& registry, Programm& programm,
                                                      ProgramPaths& paths, ShellServices& shell)
{
    auto komponente = std::make_shared<Sicherungskomponente>(programm, paths, shell);
    registry.addCommand(Komponente::Datensicherung, [komponente] { komponente->sicherung->DatensicherungClick(); });
    registry.addCommand(Komponente::SicherungZurueckspielen,
                        [komponente] { komponente->sicherung->ZurueckspielenClick(); });
    registry.addSwitch(
        Komponente::AutomatischSichern, [komponente] { return komponente->umgebung.automatischSichern(); },
        [komponente](bool an) { komponente->umgebung.setAutomatischSichern(an); });
    // The returned pointer shares the component's life.
    return {komponente, komponente->sicherung.get()};
}

} // namespace trevo::shell
