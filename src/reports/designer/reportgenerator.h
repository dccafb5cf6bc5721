#pragma once
// The report designer host: made once at start-up (the step "Reportgenerator"), it opens
// a layout file in a new designer window (OeffneReport) and, for "Druckformulare
// (Reports) ändern", first lets the user choose the file in the report selection.
#include "engine/fs/file_system.h"

#include <QPointer>
#include <QString>

#include <functional>

class QDialog;
class QWidget;

namespace trevo::reports {
class Druckumgebung;
}

namespace trevo::reports::designer {

class TQREditorForm;

class Reportgenerator {
public:
    explicit Reportgenerator(Druckumgebung& umgebung, QWidget* hauptfenster = nullptr);

    // Opens the file in the designer (caption "Report"), modally; the designer is released
    // when it closes.
    void OeffneReport(const QString& path);
    // The report selection; on OK the chosen file of the data folder goes to OeffneReport.
    void Reportauswahl();

    // How the selection and the designer are shown; tests replace them.
    std::function<int(QDialog&)> zeigeModal;
    // Layout files are read and written through this file system (the database's when null).
    engine::FileSystem* dateien = nullptr;

private:
    Druckumgebung& umgebung_;
    QPointer<QWidget> hauptfenster_;
};

} // namespace trevo::reports::designer
