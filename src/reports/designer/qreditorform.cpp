#include "reports/designer/qreditorform.h"

#include "common/dialogs/dialogs.h"
#include "reports/designer/eigenschaften.h"
#include "reports/designer/entwurf_datei.h"
#include "reports/designer/entwurfsansicht.h"
#include "reports/designer/tabellenfelder.h"
#include "reports/druck/druckumgebung.h"
#include "reports/druck/memo_adjustment.h"
#include "reports/druck/vorschauform.h"
#include "reports/report.h"

#include <QFileInfo>
#include <QTextBrowser>
#include <QGuiApplication>
#include <QLabel>
#include <QMenuBar>
#include <QPushButton>
#include <QScreen>
#include <QScrollArea>
#include <QSplitter>
#include <QToolBar>
#include <QVBoxLayout>

// The designer's help page lives in the resources of this layer.
static void hilfeRessourcen()
{
    Q_INIT_RESOURCE(reportshilfe);
}

namespace trevo::reports::designer {

TQREditorForm::TQREditorForm(Druckumgebung& umgebung, QWidget* parent, engine::FileSystem* dateien)
    : QDialog(parent), umgebung_(umgebung), dateien_(dateien ? *dateien : umgebung.datenbank().fs())
{
    setObjectName(QStringLiteral("QREditorForm"));
    setWindowTitle(QStringLiteral("Report"));
    setWindowFlag(Qt::WindowMaximizeButtonHint);
    zeigeModal = [](QDialog& d) { return d.exec(); };
    zeigeVorschau = [this](Report& report) {
        TVorschauform vorschau(report, this);
        vorschau.exec();
    };

    Tabellenkunde kunde;
    kunde.dateien = [this] { return tabellenDateien(umgebung_.datenbank().fs(), umgebung_.datenordner()); };
    kunde.felder = [this](const QString& datei) {
        return tabellenFelder(umgebung_.datenbank(), umgebung_.datenordner(), datei);
    };

    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(4, 4, 4, 4);
    Ansicht = new EntwurfsAnsicht(entwurf_, umgebung_.datenbank());
    if (const QImage logo = QImage::fromData(umgebung_.logo()); !logo.isNull()) Ansicht->hooks().setPicture(QStringLiteral("LOGO"), logo);
    AnsichtScroll = new QScrollArea;
    AnsichtScroll->setWidget(Ansicht);
    AnsichtScroll->setWidgetResizable(true);
    AnsichtScroll->setBackgroundRole(QPalette::Mid);
    Panel = new EigenschaftenPanel(entwurf_, kunde);
    auto* panelScroll = new QScrollArea;
    panelScroll->setWidget(Panel);
    panelScroll->setWidgetResizable(true);
    panelScroll->setMinimumWidth(340);
    auto* teiler = new QSplitter(Qt::Horizontal);
    teiler->addWidget(AnsichtScroll);
    teiler->addWidget(panelScroll);
    teiler->setStretchFactor(0, 1);
    menues();
    werkzeuge();
    layout->addWidget(teiler, 1);
    StatusLabel = new QLabel;
    layout->addWidget(StatusLabel);

    // Enter in a field takes its value; it never presses a button of the panel.
    for (QPushButton* knopf : findChildren<QPushButton*>()) knopf->setAutoDefault(false);
    connect(Ansicht, &EntwurfsAnsicht::bearbeiten, Panel, &EigenschaftenPanel::hauptfeldBearbeiten);
    connect(&entwurf_.undoStack(), &QUndoStack::cleanChanged, this, &TQREditorForm::statusZeigen);
    const QRect platz = QGuiApplication::primaryScreen()->availableGeometry();
    resize(std::min(1180, platz.width() - 40), std::min(820, platz.height() - 60));
    statusZeigen();
}

TQREditorForm::~TQREditorForm() = default;

void TQREditorForm::statusZeigen()
{
    QString text = pfad_.isEmpty() ? QStringLiteral("Kein Report geladen") : pfad_;
    if (entwurf_.geaendert()) text += QStringLiteral("  (geändert)");
    StatusLabel->setText(text);
}

bool TQREditorForm::laden(const QString& path)
{
    pfad_ = path;
    LayoutReadResult gelesen = ladeLayout(dateien_, path);
    const bool ok = gelesen.ok();
    entwurf_.neu(ok ? std::move(*gelesen.layout) : Layout{});
    statusZeigen();
    if (!ok) common::dialogs().message(QStringLiteral("Fehler beim Laden des Reports ") + path);
    return ok;
}

void TQREditorForm::OeffneReport(const QString& path)
{
    laden(path);
    Ansicht->setFocus();
    zeigeModal(*this);
}

// A field of the panel being edited takes its value before the layout is used.
void TQREditorForm::eingabeUebernehmen()
{
    if (QWidget* f = focusWidget(); f && Panel->isAncestorOf(f)) f->clearFocus();
}

bool TQREditorForm::speichern()
{
    eingabeUebernehmen();
    if (pfad_.isEmpty()) return speichernUnter();
    const QString fehler = speichereLayout(dateien_, entwurf_.layout(), pfad_);
    if (!fehler.isEmpty()) {
        common::dialogs().error(fehler);
        return false;
    }
    entwurf_.gespeichert();
    statusZeigen();
    return true;
}

bool TQREditorForm::speichernUnter()
{
    const QString ordner = QString::fromStdString(umgebung_.datenordner());
    const std::optional<QString> ziel = common::dialogs().saveFileName(
        QStringLiteral("Report speichern unter"), ordner, QStringLiteral("Reportdateien (*.QR2)"));
    if (!ziel || ziel->isEmpty()) return false;
    QString pfad = *ziel;
    if (QFileInfo(pfad).suffix().isEmpty()) pfad += QStringLiteral(".QR2");
    const QString bisher = pfad_;
    pfad_ = pfad;
    if (speichern()) return true;
    pfad_ = bisher;
    statusZeigen();
    return false;
}

void TQREditorForm::vorschau()
{
    eingabeUebernehmen();
    Report report(umgebung_.datenbank(), umgebung_.datenbank().session());
    const std::string ordner = umgebung_.datenordner();
    report.setFolderFinder([ordner](const std::string&) { return ordner; });
    report.setAfterLoad(adjustMemos);
    const QString name = pfad_.isEmpty() ? QStringLiteral("Report") : QFileInfo(pfad_).fileName();
    if (!report.setLayout(entwurf_.layout(), name)) return common::dialogs().error(report.errorText());
    if (const QImage logo = QImage::fromData(umgebung_.logo()); !logo.isNull()) report.setPicture(QStringLiteral("LOGO"), logo);
    if (!report.render()) return common::dialogs().error(report.errorText());
    if (zeigeVorschau) zeigeVorschau(report);
}

void TQREditorForm::hilfeZeigen()
{
    hilfeRessourcen();
    QDialog hilfe(this);
    hilfe.setWindowTitle(QStringLiteral("Hilfe zum Reportgenerator"));
    auto* browser = new QTextBrowser(&hilfe);
    browser->setSource(QUrl(QStringLiteral("qrc:/hilfe/qrduser/90002.html")));
    auto* layout = new QVBoxLayout(&hilfe);
    layout->addWidget(browser);
    hilfe.resize(600, 640);
    hilfe.exec();
}

void TQREditorForm::done(int result)
{
    eingabeUebernehmen();
    if (entwurf_.geaendert()) {
        switch (common::dialogs().yesNoCancel(QStringLiteral("Änderungen speichern ?"))) {
        case common::Answer::Yes:
            if (!speichern()) return;
            break;
        case common::Answer::No: break;
        default: return;
        }
    }
    QDialog::done(result);
}

} // namespace trevo::reports::designer
