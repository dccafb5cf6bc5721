// Feeds bytes to the reader of report layouts as if they were a layout file the program
// loads. Every input either reads or is refused with a message that names the file.
// Whatever reads is written again and must read back into an equal layout.
#include "reports/format/layout_reader.h"
#include "reports/format/layout_writer.h"

#include <QByteArray>
#include <QString>

#include <cstdint>
#include <cstdio>
#include <cstdlib>

using namespace trevo::reports;

namespace {

[[noreturn]] void fault(const char* what, const QString& error, const QByteArray& written = {})
{
    std::fprintf(stderr, "%s\n%s\n%s\n", what, error.toUtf8().constData(), written.constData());
    std::abort();
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    const QByteArray bytes(reinterpret_cast<const char*>(data), static_cast<qsizetype>(size));
    const QString name = QStringLiteral("FUZZ.QR2");
    const LayoutReadResult read = readLayout(bytes, name);
    if (!read.ok()) {
        if (!read.error.contains(name)) fault("refused without naming the file", read.error);
        return 0;
    }
    if (!read.error.isEmpty()) fault("read with a message", read.error);
    const QByteArray written = writeLayout(*read.layout);
    const LayoutReadResult again = readLayout(written, name);
    if (!again.ok()) fault("written layout refused", again.error, written);
    if (!(*again.layout == *read.layout)) fault("written layout reads back different", {}, written);
    return 0;
}
