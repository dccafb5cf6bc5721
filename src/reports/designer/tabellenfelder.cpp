#include "reports/designer/tabellenfelder.h"

#include "reports/data/report_data.h"

namespace trevo::reports::designer {

QStringList tabellenFelder(engine::Database& db, const std::string& folder, const QString& fileName)
{
    QStringList out;
    if (fileName.isEmpty()) return out;
    try {
        const std::string path = tablePath(db.fs(), folder, fileName.toStdString());
        if (!db.fs().exists(path)) return out;
        for (const engine::FieldDef& f : db.table(path)->fields()) out << QString::fromStdString(f.name);
    } catch (const std::exception&) {
        out.clear(); // an unreadable table offers no fields; the field can still be typed
    }
    return out;
}

QStringList tabellenDateien(engine::FileSystem& fs, const std::string& folder)
{
    QStringList out;
    try {
        for (const std::string& name : fs.list(folder)) {
            const QString n = QString::fromStdString(name).toUpper();
            if (n.endsWith(QStringLiteral(".DBF")) && !fs.isDirectory(engine::joinPath(folder, name))) out << n;
        }
    } catch (const std::exception&) {
        return {};
    }
    out.sort();
    out.removeDuplicates();
    return out;
}

} // namespace trevo::reports::designer
