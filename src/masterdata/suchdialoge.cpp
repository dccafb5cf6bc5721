#include "masterdata/suchdialoge.h"

#include "masterdata/abfrage_dlg.h"
#include "masterdata/such_dlg.h"
#include "masterdata/suchen_ersetzen_dlg.h"

#include <memory>

namespace trevo::masterdata {

namespace {

struct Dialoge {
    std::unique_ptr<TSuchDlgKomplex> suchen;
    std::unique_ptr<TAbfrageDlgEinFeld> abfrage;
    std::unique_ptr<TSuchenErsetzenDlg> ersetzen;
};

Dialoge& dialoge()
{
    static Dialoge d;
    return d;
}

template <class T>
T& instance(std::unique_ptr<T>& slot)
{
    if (!slot) slot = std::make_unique<T>();
    return *slot;
}

} // namespace

TSuchDlgKomplex& SuchDlgKomplex() { return instance(dialoge().suchen); }
TAbfrageDlgEinFeld& AbfrageDlgEinFeld() { return instance(dialoge().abfrage); }
TSuchenErsetzenDlg& SuchenErsetzenDlg() { return instance(dialoge().ersetzen); }

void suchdialogeFreigeben()
{
    dialoge().suchen.reset();
    dialoge().abfrage.reset();
    dialoge().ersetzen.reset();
}

} // namespace trevo::masterdata
