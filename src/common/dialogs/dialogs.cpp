#include "common/dialogs/dialogs.h"

#include <cstdio>

namespace trevo::common {

namespace {

// No screen: the text goes to the error output, questions get the cautious answer.
class WithoutScreen : public Dialogs {
public:
    Answer show(BoxKind, const QString& text, Buttons buttons) override
    {
        std::fprintf(stderr, "%s\n", text.toUtf8().constData());
        switch (buttons) {
        case Buttons::Ok: return Answer::Ok;
        case Buttons::YesNo: return Answer::No;
        case Buttons::YesNoCancel: return Answer::Cancel;
        }
        return Answer::No;
    }
    std::optional<QString> openFileName(const QString&, const QString&, const QString&) override { return {}; }
    std::optional<QString> saveFileName(const QString&, const QString&, const QString&) override { return {}; }
    std::optional<QString> chooseFolder(const QString&) override { return {}; }
};

Dialogs* installed = nullptr;

} // namespace

Dialogs& dialogs()
{
    static WithoutScreen fallback;
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
