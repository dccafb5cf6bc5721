#include "reports/vorlagen/vorlagen.h"

#include "engine/core/error.h"
#include "engine/fs/file_system.h"

#include <QDir>
#include <QFile>
#include <QSaveFile>

// The resources of a static library are linked only when something refers to them.
static void initVorlagenResource()
{
    Q_INIT_RESOURCE(vorlagen);
}

namespace trevo::reports {
namespace {

const QString resourceFolder = QStringLiteral(":/reports/vorlagen/");

void ensureResource()
{
    static const bool done = (initVorlagenResource(), true);
    (void)done;
}

void writeFile(const std::string& path, const QByteArray& bytes)
{
    QSaveFile file(QString::fromStdString(path));
    if (!file.open(QIODevice::WriteOnly) || file.write(bytes) != bytes.size() || !file.commit())
        throw engine::IoError("Die Datei '" + path + "' kann nicht geschrieben werden: " + file.errorString().toStdString());
}

} // namespace

QStringList vorlagenNamen()
{
    ensureResource();
    QStringList names = QDir(resourceFolder).entryList(QDir::Files, QDir::Name);
    for (QString& n : names) n = n.toUpper();
    names.sort();
    return names;
}

QByteArray vorlage(const QString& name)
{
    ensureResource();
    for (const QString& n : vorlagenNamen()) {
        if (n.compare(name, Qt::CaseInsensitive) != 0) continue;
        QFile file(resourceFolder + n);
        if (file.open(QIODevice::ReadOnly)) return file.readAll();
    }
    return {};
}

data::SetupReport vorlagenAnlegen(const std::string& dataFolder)
{
    engine::FileSystem& fs = engine::realFileSystem();
    data::ensureFolder(fs, dataFolder);
    data::SetupReport report;
    for (const QString& name : vorlagenNamen()) {
        const std::string fileName = name.toStdString();
        if (!data::existingFile(fs, dataFolder, fileName).empty()) {
            report.unchanged.push_back(fileName);
            continue;
        }
        writeFile(engine::joinPath(dataFolder, fileName), vorlage(name));
        report.created.push_back(fileName);
    }
    return report;
}

} // namespace trevo::reports
