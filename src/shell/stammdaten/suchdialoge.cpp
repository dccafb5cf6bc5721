#include "shell/stammdaten/suchdialoge.h"

#include "shell/stammdaten/abfrage_dlg.h"
#include "shell/stammdaten/such_dlg.h"
#include "shell/stammdaten/suchen_ersetzen_dlg.h"

#include <QCoreApplication>

namespace trevo::shell::stammdaten {

namespace {

template <class T>
T& instance(std::unique_ptr<T>& slot, Datenzugang& zugang)
{
    if (!slot) slot = std::make_unique<T>(zugang);
    return *slot;
}

// Widgets go before the application; after its end they are left to the operating system.
template <class T>
void release(std::unique_ptr<T>& slot)
{
    if (!QCoreApplication::instance()) (void)slot.release();
}

} // namespace

Suchdialoge::Suchdialoge(Datenzugang& zugang) : zugang_(zugang) {}

Suchdialoge::~Suchdialoge()
{
    release(suchen_);
    release(abfrage_);
    release(ersetzen_);
}

TSuchDlgKomplex& Suchdialoge::SuchDlgKomplex() { return instance(suchen_, zugang_); }
TAbfrageDlgEinFeld& Suchdialoge::AbfrageDlgEinFeld() { return instance(abfrage_, zugang_); }
TSuchenErsetzenDlg& Suchdialoge::SuchenErsetzenDlg() { return instance(ersetzen_, zugang_); }

} // namespace trevo::shell::stammdaten
