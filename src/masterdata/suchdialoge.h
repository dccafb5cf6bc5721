#pragma once
// The search, range and search-and-replace dialogs exist once for the whole program:
// created at start-up (or at their first use) and shared by every window, so that they
// remember their last settings.
namespace trevo::masterdata {

class TAbfrageDlgEinFeld;
class TSuchDlgKomplex;
class TSuchenErsetzenDlg;

TSuchDlgKomplex& SuchDlgKomplex();
TAbfrageDlgEinFeld& AbfrageDlgEinFeld();
TSuchenErsetzenDlg& SuchenErsetzenDlg();

// Ends the three dialogs (the end of the program; tests start afresh with it).
void suchdialogeFreigeben();

} // namespace trevo::masterdata
