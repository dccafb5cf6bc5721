#include "common/dialogs/dialogs.h"

#include <cstdio>

namespace trevo::common {

Answer ConsoleDialogs::show(BoxKind, const QString& text, Buttons buttons)
{
    ++shown_;
    std::fprintf(out_, "%s\n", (prefix_ + text).toUtf8().constData());
    std::fflush(out_);
    switch (buttons) {
    case Buttons::Ok: return Answer::Ok;
    case Buttons::YesNo: return Answer::No;
    case Buttons::YesNoCancel: return Answer::Cancel;
    }
    return Answer::No;
}

namespace {

Dialogs* installed = nullptr;

} // namespace

Dialogs& dialogs()
{
    static ConsoleDialogs fallback(stderr, QString());
    return installed ? *installed : fallback;
}

void setDialogs(Dialogs* service)
{
    installed = service;
}

DialogsScope::DialogsScope(Dialogs& service) : previous_(installed)
{
    installed = &service;
}

DialogsScope::~DialogsScope()
{
    installed = previous_;
}

} // namespace trevo::common
