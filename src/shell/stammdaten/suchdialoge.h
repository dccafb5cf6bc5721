#pragma once
// The search, range and search-and-replace dialogs exist once for the whole program:
// made at start-up (or at their first use) and shared by every window, so that they
// remember their last settings. registrieren (registrierung.h) makes the one set of the
// program and hands it to the windows; it lives as long as the registry.
#include <memory>

namespace trevo::shell::stammdaten {

class Datenzugang;
class TAbfrageDlgEinFeld;
class TSuchDlgKomplex;
class TSuchenErsetzenDlg;

class Suchdialoge {
public:
    explicit Suchdialoge(Datenzugang& zugang);
    ~Suchdialoge();
    Suchdialoge(const Suchdialoge&) = delete;
    Suchdialoge& operator=(const Suchdialoge&) = delete;

    TSuchDlgKomplex& SuchDlgKomplex();
    TAbfrageDlgEinFeld& AbfrageDlgEinFeld();
    TSuchenErsetzenDlg& SuchenErsetzenDlg();

private:
    Datenzugang& zugang_;
    std::unique_ptr<TSuchDlgKomplex> suchen_;
    std::unique_ptr<TAbfrageDlgEinFeld> abfrage_;
    std::unique_ptr<TSuchenErsetzenDlg> ersetzen_;
};

} // namespace trevo::shell::stammdaten
