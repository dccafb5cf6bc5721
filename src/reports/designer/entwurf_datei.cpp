#include "reports/designer/entwurf_datei.h"

#include "engine/core/error.h"
#include "reports/format/layout_writer.h"

#include <QFileInfo>

namespace trevo::reports::designer {

namespace {

constexpr uint64_t maxDateiBytes = 32u << 20;

QString dateiname(const QString& path)
{
    return QString::fromStdString(engine::fileNameOf(engine::normalizePath(path.toStdString())));
}

} // namespace

std::string temporaereDatei(const std::string& path)
{
    return engine::joinPath(engine::directoryOf(path), "~" + engine::fileNameOf(path) + ".neu");
}

LayoutReadResult ladeLayout(engine::FileSystem& fs, const QString& path)
{
    const QString name = dateiname(path);
    LayoutReadResult result;
    try {
        const std::string found = engine::resolveCaseInsensitive(fs, engine::normalizePath(path.toStdString()));
        if (!fs.exists(found) || fs.isDirectory(found)) {
            result.error = QStringLiteral("Die Reportdatei %1 wurde nicht gefunden (%2).").arg(name, path);
            return result;
        }
        auto file = fs.open(found, engine::OpenMode::ReadOnly);
        // One byte more than allowed is enough for the reader to refuse the file as too large.
        const uint64_t size = std::min(file->size(), maxDateiBytes + 1);
        QByteArray bytes(static_cast<qsizetype>(size), '\0');
        bytes.resize(static_cast<qsizetype>(file->read(0, bytes.data(), bytes.size())));
        return readLayout(bytes, name);
    } catch (const std::exception& e) {
        result.error = QStringLiteral("Die Reportdatei %1 kann nicht gelesen werden: %2").arg(name, QString::fromUtf8(e.what()));
        return result;
    }
}

QString speichereLayout(engine::FileSystem& fs, const Layout& layout, const QString& path)
{
    const QString name = dateiname(path);
    const QByteArray bytes = writeLayout(layout);
    if (const LayoutReadResult probe = readLayout(bytes, name); !probe.ok())
        return QStringLiteral("Der Report kann so nicht gespeichert werden. %1").arg(probe.error);
    std::string ziel = engine::normalizePath(path.toStdString());
    std::string neu;
    try {
        // The file keeps the spelling of its name that the folder holds.
        ziel = engine::resolveCaseInsensitive(fs, ziel);
        neu = temporaereDatei(ziel);
        if (fs.exists(neu)) fs.remove(neu);
        {
            auto file = fs.open(neu, engine::OpenMode::Create);
            file->write(0, bytes.constData(), static_cast<size_t>(bytes.size()));
            file->sync();
        }
        fs.rename(neu, ziel);
    } catch (const std::exception& e) {
        try {
            if (!neu.empty() && fs.exists(neu)) fs.remove(neu);
        } catch (const std::exception&) {
            // The temporary file stays; the old layout is untouched all the same.
        }
        return QStringLiteral("Die Reportdatei %1 kann nicht gespeichert werden: %2\nDie bisherige Datei bleibt unverändert.")
            .arg(name, QString::fromUtf8(e.what()));
    }
    try {
        fs.syncDirectory(engine::directoryOf(ziel));
    } catch (const std::exception& e) {
        // The new file is in place, but whether its name survives a power loss is open.
        return QStringLiteral("Die Reportdatei %1 wurde geschrieben, aber nicht sicher auf dem Datenträger abgelegt: %2")
            .arg(name, QString::fromUtf8(e.what()));
    }
    return {};
}

} // namespace trevo::reports::designer
