#pragma once
// The report designer "Report": a layout file open for editing, shown modally.
//
// The window: a menu bar and a tool bar, the page with its bands (entwurfsansicht.h) in a
// scroll area, the property panel (eigenschaften.h) at the right and a status line with
// the file. Commands: "Speichern" (Strg+S), "Speichern unter ...", "Vorschau" (the print
// preview over the real tables), "Schließen"; "Rückgängig" (Strg+Z), "Wiederholen"
// (Strg+Y), "Ausschneiden" (Strg+X), "Kopieren" (Strg+C), "Einfügen" (Strg+V),
// "Löschen" (Entf), "Alles markieren" (Strg+A); new elements and bands, deleting a band;
// aligning and distributing; zoom and grid; "Hilfe zum Reportgenerator" (F1).
//
// Closing with unsaved changes asks "Änderungen speichern ?" (Ja, Nein, Abbrechen); a
// save that fails keeps the designer open with the changes. Nothing of the file changes
// until a save succeeds, and a save replaces the file as a whole (entwurf_datei.h).
#include "engine/fs/file_system.h"
#include "reports/designer/entwurf.h"

#include <QDialog>

#include <functional>

class QAction;
class QLabel;
class QMenu;
class QScrollArea;

namespace trevo::reports {
class Druckumgebung;
class Report;
}

namespace trevo::reports::designer {

class EigenschaftenPanel;
class EntwurfsAnsicht;

class TQREditorForm : public QDialog {
    Q_OBJECT
public:
    // Layout files are read and written through `dateien` (the database's file system
    // when none is given); tables are read from the data folder of the environment.
    explicit TQREditorForm(Druckumgebung& umgebung, QWidget* parent = nullptr, engine::FileSystem* dateien = nullptr);
    ~TQREditorForm() override;

    // Loads the file and shows the designer modally until it is closed. A file that
    // cannot be loaded gives "Fehler beim Laden des Reports " + path; the designer then
    // opens with an empty layout (which would be saved under that path).
    void OeffneReport(const QString& path);
    bool laden(const QString& path);
    // Saves under the current path; false (after the error box) when that fails.
    bool speichern();
    bool speichernUnter();
    void vorschau();
    // Adds an element of the kind to the band chosen by the selection; the new element
    // is selected. Nothing (after a message) when there is no band or no data source.
    void elementEinfuegen(ElementKind kind);
    void bereichEinfuegen(BandKind kind);
    void bereichEntfernen();

    Entwurf& entwurf() { return entwurf_; }
    const QString& pfad() const { return pfad_; }

    // How the designer and the preview are shown; tests replace them.
    std::function<int(QDialog&)> zeigeModal;
    std::function<void(Report&)> zeigeVorschau;

    EntwurfsAnsicht* Ansicht = nullptr;
    EigenschaftenPanel* Panel = nullptr;
    QScrollArea* AnsichtScroll = nullptr;
    QLabel* StatusLabel = nullptr;
    QAction* SpeichernAction = nullptr;
    QAction* RueckgaengigAction = nullptr;
    QAction* WiederholenAction = nullptr;
    QAction* VorschauAction = nullptr;
    QAction* AusschneidenAction = nullptr;
    QAction* KopierenAction = nullptr;
    QAction* EinfuegenAction = nullptr;
    QAction* LoeschenAction = nullptr;

public slots:
    void done(int result) override;

private:
    void menues();
    QMenu* einfuegenMenue();
    QMenu* ausrichtenMenue();
    QMenu* ansichtMenue();
    void werkzeuge();
    void statusZeigen();
    void eingabeUebernehmen();
    void hilfeZeigen();
    std::optional<BandKind> zielBereich() const;
    void kopieren();
    void einfuegen();
    void amRasterAusrichten();
    void zoomen(double faktor);

    Druckumgebung& umgebung_;
    engine::FileSystem& dateien_;
    Entwurf entwurf_;
    QString pfad_;
};

} // namespace trevo::reports::designer
