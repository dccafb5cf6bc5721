#include "shell/printer.h"

#include <QPrinter>

namespace trevo::shell {

QPrinter& sharedPrinter()
{
    static QPrinter printer(QPrinter::HighResolution);
    return printer;
}

} // namespace trevo::shell
