#include "sqlwindow/sql_textdatei.h"

#include "engine/codepage/code_page.h"
#include "engine/core/error.h"
#include "engine/fs/file_system.h"

#include <QFileInfo>
#include <QStringDecoder>

namespace trevo::sqlwindow {

namespace {

const std::string bom = "\xEF\xBB\xBF";

std::string lokal(const QString& path)
{
    return path.toStdString();
}

void aufraeumen(engine::FileSystem& fs, const std::string& neu)
{
    try {
        if (fs.exists(neu)) fs.remove(neu);
    } catch (...) {
        // The first error is the one to report.
    }
}

} // namespace

QString sqlDateifilter()
{
    // The chooser's notation of the two choices "Alle Dateien (*.*)" and "SQL (*.SQL)".
    return QStringLiteral("Alle Dateien (*.*);;SQL (*.SQL)");
}

QString mitStandardendung(const QString& path, engine::FileSystem& fs, bool zumOeffnen)
{
    if (path.isEmpty() || !QFileInfo(path).suffix().isEmpty()) return path;
    if (zumOeffnen && fs.exists(lokal(path))) return path;
    return path + QLatin1Char('.') + QLatin1String(sqlStandardendung);
}

QString sqlTextAusBytes(const std::string& bytes)
{
    std::string_view inhalt(bytes);
    if (inhalt.starts_with(bom)) inhalt.remove_prefix(bom.size());
    QStringDecoder utf8(QStringDecoder::Utf8, QStringDecoder::Flag::Stateless);
    QString text = utf8.decode(QByteArrayView(inhalt.data(), qsizetype(inhalt.size())));
    if (utf8.hasError()) text = QString::fromStdString(engine::codePageForDriver(0x57).decode(inhalt));
    text.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    text.replace(QLatin1Char('\r'), QLatin1Char('\n'));
    // Every line ends in a line break; the last one closes the last line.
    if (text.endsWith(QLatin1Char('\n'))) text.chop(1);
    return text;
}

std::string sqlTextAlsBytes(const QString& text)
{
    if (text.isEmpty()) return {};
    QString zeilen = text;
    zeilen.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    zeilen.replace(QLatin1Char('\n'), QStringLiteral("\r\n"));
    zeilen += QStringLiteral("\r\n");
    return zeilen.toStdString();
}

QString sqlTextLesen(engine::FileSystem& fs, const QString& path)
{
    auto datei = fs.open(lokal(path), engine::OpenMode::ReadOnly);
    std::string bytes(static_cast<size_t>(datei->size()), '\0');
    bytes.resize(datei->read(0, bytes.data(), bytes.size()));
    return sqlTextAusBytes(bytes);
}

void sqlTextSchreiben(engine::FileSystem& fs, const QString& path, const QString& text)
{
    // Written beside the file and then put in its place, so that a failing write leaves
    // the earlier file as it was.
    const std::string ziel = lokal(QFileInfo(path).absoluteFilePath());
    const std::string neu = ziel + ".neu";
    const std::string bytes = sqlTextAlsBytes(text);
    try {
        auto datei = fs.open(neu, engine::OpenMode::CreateOrOpen);
        datei->truncate(0);
        if (!bytes.empty()) datei->write(0, bytes.data(), bytes.size());
        datei->sync();
        datei.reset();
        fs.rename(neu, ziel);
    } catch (const engine::IoError& e) {
        aufraeumen(fs, neu);
        // The user chose the file, not its companion: the message names the chosen one.
        std::string text = e.what();
        if (const size_t at = text.find(neu); at != std::string::npos) text.replace(at, neu.size(), ziel);
        throw engine::IoError(text);
    } catch (...) {
        aufraeumen(fs, neu);
        throw;
    }
    fs.syncDirectory(engine::directoryOf(ziel));
}

} // namespace trevo::sqlwindow
