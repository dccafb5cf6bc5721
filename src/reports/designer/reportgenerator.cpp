#include "reports/designer/reportgenerator.h"

#include "reports/auswahl/reportauswahlform.h"
#include "reports/designer/qreditorform.h"
#include "reports/druck/druckumgebung.h"

namespace trevo::reports::designer {

namespace {

bool hatOrdner(const QString& datei)
{
    return datei.contains(u'/') || datei.contains(u'\\');
}

} // namespace

Reportgenerator::Reportgenerator(Druckumgebung& umgebung, QWidget* hauptfenster)
    : zeigeModal([](QDialog& d) { return d.exec(); }), umgebung_(umgebung), hauptfenster_(hauptfenster)
{
}

void Reportgenerator::OeffneReport(const QString& path)
{
    TQREditorForm form(umgebung_, hauptfenster_, dateien);
    form.zeigeModal = zeigeModal;
    form.OeffneReport(path);
}

void Reportgenerator::Reportauswahl()
{
    engine::FileSystem& fs = dateien ? *dateien : umgebung_.datenbank().fs();
    const std::string ordner = umgebung_.datenordner();
    QString datei;
    {
        auswahl::TReportauswahlForm auswahl(fs, ordner, hauptfenster_);
        if (zeigeModal(auswahl) != QDialog::Accepted) return;
        datei = auswahl.gewaehlteDatei();
    }
    if (datei.isEmpty()) return;
    OeffneReport(hatOrdner(datei) ? datei : QString::fromStdString(ordner) + datei);
}

} // namespace trevo::reports::designer
