#pragma once
// The preview of a report: its laid-out pages one at a time, with page navigation and
// zoom, "Drucken" (the system's print dialog, then the pages on the chosen printer in
// the report's number of copies) and "Als PDF speichern ..." (a file chooser, then the
// same pages as a PDF file). The report was rendered before; the preview shows what
// printer and PDF file get.
#include "reports/report.h"

#include <QDialog>

#include <functional>

class QComboBox;
class QLabel;
class QPrinter;
class QPushButton;
class QScrollArea;

namespace trevo::reports {

class PreviewPage;

class TVorschauform : public QDialog {
    Q_OBJECT
public:
    explicit TVorschauform(Report& report, QWidget* parent = nullptr);

    int seite() const;       // the page shown, from 0
    int seitenzahl() const;  // the number of pages
    void zeigeSeite(int index);
    void setZoom(double zoom);
    double zoom() const;

    // The system's print dialog for the printer; false when cancelled. Tests replace it.
    std::function<bool(QPrinter&, QWidget* parent)> druckerWaehlen;

    QPushButton* ErsteBtn = nullptr;
    QPushButton* VorigeBtn = nullptr;
    QPushButton* NaechsteBtn = nullptr;
    QPushButton* LetzteBtn = nullptr;
    QLabel* SeitenLabel = nullptr;
    QComboBox* ZoomBox = nullptr;
    QPushButton* DruckenBtn = nullptr;
    QPushButton* PdfBtn = nullptr;
    QPushButton* SchliessenBtn = nullptr;

protected:
    void keyPressEvent(QKeyEvent* event) override;

private:
    QLayout* werkzeugleiste();
    void DruckenBtnClick();
    void PdfBtnClick();
    void ZoomBoxChange();
    void anzeigen();

    Report& report_;
    PreviewPage* page_ = nullptr;
    QScrollArea* scroll_ = nullptr;
};

// The system's print dialog titled "Drucken".
bool systemDruckerWaehlen(QPrinter& printer, QWidget* parent);

} // namespace trevo::reports
