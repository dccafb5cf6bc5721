#include "reports/auswahl/reportliste.h"

#include "reports/designer/entwurf_datei.h"

#include <algorithm>

namespace trevo::reports::auswahl {

QString ersteBeschreibungszeile(engine::FileSystem& fs, const std::string& pfad)
{
    const LayoutReadResult gelesen = designer::ladeLayout(fs, QString::fromStdString(pfad));
    if (!gelesen.ok() || gelesen.layout->description.isEmpty()) return {};
    return gelesen.layout->description.front().trimmed();
}

std::vector<ReportEintrag> reportListe(engine::FileSystem& fs, const std::string& ordner)
{
    std::vector<ReportEintrag> out;
    std::vector<std::string> namen;
    try {
        namen = fs.list(ordner);
    } catch (const std::exception&) {
        return out;
    }
    for (const std::string& name : namen) {
        const QString datei = QString::fromStdString(name);
        if (!datei.endsWith(QStringLiteral(".QR2"), Qt::CaseInsensitive)) continue;
        const std::string pfad = engine::joinPath(ordner, name);
        try {
            if (fs.isDirectory(pfad)) continue;
        } catch (const std::exception&) {
            continue;
        }
        const QString zeile = ersteBeschreibungszeile(fs, pfad);
        out.push_back({datei, zeile.isEmpty() ? datei : datei + QStringLiteral(" (") + zeile + u')'});
    }
    std::sort(out.begin(), out.end(), [](const ReportEintrag& a, const ReportEintrag& b) {
        return a.datei.compare(b.datei, Qt::CaseInsensitive) < 0;
    });
    return out;
}

} // namespace trevo::reports::auswahl
