// The menus, the tool bar and the commands of the report designer.
#include "common/dialogs/dialogs.h"
#include "reports/designer/eigenschaften.h"
#include "reports/designer/entwurfsansicht.h"
#include "reports/designer/namen.h"
#include "reports/designer/neues_element.h"
#include "reports/designer/qreditorform.h"
#include "reports/designer/tabellenfelder.h"
#include "reports/druck/druckumgebung.h"

#include <QActionGroup>
#include <QLayout>
#include <QMenuBar>
#include <QToolBar>

#include <cmath>

namespace trevo::reports::designer {

namespace {

// Elements copied in any designer of the run, with the band they came from.
struct Ablage {
    std::vector<Element> elemente;
    std::optional<BandKind> herkunft;
};

Ablage& ablage()
{
    static Ablage a;
    return a;
}

QAction* befehl(QMenu* menu, const QString& text, const QKeySequence& taste = {})
{
    QAction* a = menu->addAction(text);
    if (!taste.isEmpty()) a->setShortcut(taste);
    return a;
}

} // namespace

void TQREditorForm::menues()
{
    auto* leiste = new QMenuBar(this);
    layout()->setMenuBar(leiste);

    QMenu* datei = leiste->addMenu(QStringLiteral("&Datei"));
    SpeichernAction = befehl(datei, QStringLiteral("&Speichern"), QKeySequence::Save);
    connect(SpeichernAction, &QAction::triggered, this, [this] { speichern(); });
    connect(befehl(datei, QStringLiteral("Speichern &unter ...")), &QAction::triggered, this, [this] { speichernUnter(); });
    datei->addSeparator();
    VorschauAction = befehl(datei, QStringLiteral("&Vorschau"), QKeySequence(Qt::CTRL | Qt::Key_P));
    connect(VorschauAction, &QAction::triggered, this, &TQREditorForm::vorschau);
    datei->addSeparator();
    connect(befehl(datei, QStringLiteral("S&chließen")), &QAction::triggered, this, &QDialog::reject);

    QMenu* bearbeiten = leiste->addMenu(QStringLiteral("&Bearbeiten"));
    RueckgaengigAction = entwurf_.undoStack().createUndoAction(this, QStringLiteral("&Rückgängig"));
    RueckgaengigAction->setShortcut(QKeySequence::Undo);
    WiederholenAction = entwurf_.undoStack().createRedoAction(this, QStringLiteral("&Wiederholen"));
    WiederholenAction->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_Y));
    bearbeiten->addAction(RueckgaengigAction);
    bearbeiten->addAction(WiederholenAction);
    bearbeiten->addSeparator();
    AusschneidenAction = befehl(bearbeiten, QStringLiteral("Aus&schneiden"), QKeySequence::Cut);
    connect(AusschneidenAction, &QAction::triggered, this, [this] {
        kopieren();
        entwurf_.loeschen();
    });
    KopierenAction = befehl(bearbeiten, QStringLiteral("&Kopieren"), QKeySequence::Copy);
    connect(KopierenAction, &QAction::triggered, this, &TQREditorForm::kopieren);
    EinfuegenAction = befehl(bearbeiten, QStringLiteral("&Einfügen"), QKeySequence::Paste);
    connect(EinfuegenAction, &QAction::triggered, this, &TQREditorForm::einfuegen);
    LoeschenAction = befehl(bearbeiten, QStringLiteral("&Löschen"), QKeySequence(Qt::Key_Delete));
    connect(LoeschenAction, &QAction::triggered, this, [this] { entwurf_.loeschen(); });
    bearbeiten->addSeparator();
    connect(befehl(bearbeiten, QStringLiteral("&Alles markieren"), QKeySequence::SelectAll), &QAction::triggered, this,
            [this] { entwurf_.alleWaehlen(); });

    leiste->addMenu(einfuegenMenue());
    leiste->addMenu(ausrichtenMenue());
    leiste->addMenu(ansichtMenue());
    QMenu* hilfe = leiste->addMenu(QStringLiteral("&Hilfe"));
    connect(befehl(hilfe, QStringLiteral("Hilfe zum &Reportgenerator"), QKeySequence(Qt::Key_F1)), &QAction::triggered, this,
            &TQREditorForm::hilfeZeigen);
    // The keys of the editing commands belong to the page; in a field they edit the field.
    for (QAction* a : {AusschneidenAction, KopierenAction, EinfuegenAction, LoeschenAction}) {
        a->setShortcutContext(Qt::WidgetWithChildrenShortcut);
        Ansicht->addAction(a);
    }
    const auto verfuegbar = [this] {
        const bool auswahl = !entwurf_.auswahl().empty();
        AusschneidenAction->setEnabled(auswahl);
        KopierenAction->setEnabled(auswahl);
        LoeschenAction->setEnabled(auswahl);
    };
    connect(&entwurf_, &Entwurf::auswahlGeaendert, this, verfuegbar);
    connect(&entwurf_, &Entwurf::layoutGeaendert, this, verfuegbar);
    verfuegbar();
}

QMenu* TQREditorForm::einfuegenMenue()
{
    auto* menu = new QMenu(QStringLiteral("&Einfügen"), this);
    const std::pair<ElementKind, const char*> arten[] = {
        {ElementKind::Label, "&Text"},       {ElementKind::Field, "&Datenfeld"},
        {ElementKind::Expr, "&Ausdruck"},    {ElementKind::RichText, "&Memo"},
        {ElementKind::Text, "&Mehrzeiliger Text"}, {ElementKind::Line, "&Linie"},
        {ElementKind::Rect, "&Rechteck"},    {ElementKind::Picture, "&Bild"},
        {ElementKind::Grid, "Ta&belle"}};
    for (const auto& [art, text] : arten)
        connect(menu->addAction(QString::fromUtf8(text)), &QAction::triggered, this, [this, art] { elementEinfuegen(art); });
    menu->addSeparator();
    QMenu* bereiche = menu->addMenu(QStringLiteral("B&ereich"));
    for (BandKind kind : alleBereiche) {
        QAction* a = bereiche->addAction(bereichsName(kind));
        connect(a, &QAction::triggered, this, [this, kind] { bereichEinfuegen(kind); });
    }
    connect(bereiche, &QMenu::aboutToShow, this, [this, bereiche] {
        for (int i = 0; i < bereiche->actions().size(); ++i)
            bereiche->actions()[i]->setEnabled(!entwurf_.layout().band(alleBereiche[i]));
    });
    connect(menu->addAction(QStringLiteral("Bereich &löschen")), &QAction::triggered, this, &TQREditorForm::bereichEntfernen);
    return menu;
}

QMenu* TQREditorForm::ausrichtenMenue()
{
    auto* menu = new QMenu(QStringLiteral("&Ausrichten"), this);
    const std::pair<Ausrichtung, const char*> arten[] = {
        {Ausrichtung::Links, "&Links"},  {Ausrichtung::Rechts, "&Rechts"},
        {Ausrichtung::Oben, "&Oben"},    {Ausrichtung::Unten, "&Unten"},
        {Ausrichtung::HorizontalMitte, "&Horizontal zentriert"}, {Ausrichtung::VertikalMitte, "&Vertikal zentriert"}};
    for (const auto& [wie, text] : arten)
        connect(menu->addAction(QString::fromUtf8(text)), &QAction::triggered, this, [this, wie] { entwurf_.ausrichten(wie); });
    menu->addSeparator();
    connect(menu->addAction(QStringLiteral("Horizontal &gleich verteilen")), &QAction::triggered, this,
            [this] { entwurf_.verteilen(Qt::Horizontal); });
    connect(menu->addAction(QStringLiteral("Vertikal gleich v&erteilen")), &QAction::triggered, this,
            [this] { entwurf_.verteilen(Qt::Vertical); });
    menu->addSeparator();
    connect(menu->addAction(QStringLiteral("Am &Raster ausrichten")), &QAction::triggered, this, &TQREditorForm::amRasterAusrichten);
    return menu;
}

QMenu* TQREditorForm::ansichtMenue()
{
    auto* menu = new QMenu(QStringLiteral("A&nsicht"), this);
    connect(befehl(menu, QStringLiteral("&Vergrößern"), QKeySequence::ZoomIn), &QAction::triggered, this, [this] { zoomen(1.25); });
    connect(befehl(menu, QStringLiteral("Ver&kleinern"), QKeySequence::ZoomOut), &QAction::triggered, this, [this] { zoomen(0.8); });
    connect(befehl(menu, QStringLiteral("&Originalgröße"), QKeySequence(Qt::CTRL | Qt::Key_0)), &QAction::triggered, this,
            [this] { Ansicht->setZoom(1); });
    menu->addSeparator();
    QMenu* raster = menu->addMenu(QStringLiteral("&Raster"));
    auto* gruppe = new QActionGroup(raster);
    const std::pair<double, const char*> stufen[] = {{0, "aus"}, {0.5, "0,5 mm"}, {1, "1 mm"}, {2, "2 mm"}, {5, "5 mm"}};
    for (const auto& [mm, text] : stufen) {
        QAction* a = raster->addAction(QString::fromUtf8(text));
        a->setCheckable(true);
        a->setChecked(mm == Ansicht->raster());
        gruppe->addAction(a);
        connect(a, &QAction::triggered, this, [this, mm] { Ansicht->setRaster(mm); });
    }
    return menu;
}

void TQREditorForm::werkzeuge()
{
    auto* leiste = new QToolBar(this);
    leiste->setToolButtonStyle(Qt::ToolButtonTextOnly);
    leiste->addAction(SpeichernAction);
    leiste->addAction(VorschauAction);
    leiste->addSeparator();
    leiste->addAction(RueckgaengigAction);
    leiste->addAction(WiederholenAction);
    leiste->addSeparator();
    const std::pair<ElementKind, const char*> arten[] = {
        {ElementKind::Label, "Text"}, {ElementKind::Field, "Datenfeld"}, {ElementKind::Expr, "Ausdruck"},
        {ElementKind::RichText, "Memo"}, {ElementKind::Line, "Linie"}, {ElementKind::Rect, "Rechteck"},
        {ElementKind::Picture, "Bild"}};
    for (const auto& [art, text] : arten)
        connect(leiste->addAction(QStringLiteral("+ ") + QString::fromUtf8(text)), &QAction::triggered, this,
                [this, art] { elementEinfuegen(art); });
    leiste->addSeparator();
    leiste->addAction(LoeschenAction);
    static_cast<QBoxLayout*>(layout())->insertWidget(0, leiste);
}

std::optional<BandKind> TQREditorForm::zielBereich() const
{
    const Layout& l = entwurf_.layout();
    if (entwurf_.bereich() && l.band(*entwurf_.bereich())) return entwurf_.bereich();
    if (l.band(BandKind::Detail)) return BandKind::Detail;
    if (!l.bands.empty()) return l.bands.front().kind;
    return std::nullopt;
}

void TQREditorForm::elementEinfuegen(ElementKind kind)
{
    const std::optional<BandKind> band = zielBereich();
    if (!band) return common::dialogs().message(QStringLiteral("Fügen Sie zuerst einen Bereich ein (Menü „Einfügen“, „Bereich“)."));
    const auto felder = [this](const QString& datei) {
        return tabellenFelder(umgebung_.datenbank(), umgebung_.datenordner(), datei);
    };
    std::optional<Element> e = neuesElement(kind, entwurf_.layout(), felder);
    if (!e)
        return common::dialogs().message(QStringLiteral("Legen Sie zuerst bei den Eigenschaften der Seite eine Datenquelle an."));
    e->box.moveTopLeft(freierPlatz(*entwurf_.layout().band(*band), e->box.size()));
    entwurf_.hinzufuegen(*band, std::move(*e));
    Ansicht->setFocus();
}

void TQREditorForm::bereichEinfuegen(BandKind kind)
{
    QString gruppenfeld;
    if (kind == BandKind::GroupHeader) {
        const DataSource* s = entwurf_.layout().detailSource();
        const QStringList felder = s ? tabellenFelder(umgebung_.datenbank(), umgebung_.datenordner(), s->fileName) : QStringList();
        gruppenfeld = felder.isEmpty() ? QStringLiteral("NUMMER") : felder.front();
    }
    const QString fehler = entwurf_.bereichHinzufuegen(kind, {}, gruppenfeld);
    if (!fehler.isEmpty()) common::dialogs().message(fehler);
}

void TQREditorForm::bereichEntfernen()
{
    const std::optional<BandKind> kind = entwurf_.bereich();
    if (!kind) return common::dialogs().message(QStringLiteral("Markieren Sie zuerst den Bereich, der gelöscht werden soll."));
    const Band* band = entwurf_.layout().band(*kind);
    if (band && !band->elements.empty() &&
        !common::dialogs().yesNo(QStringLiteral("Bereich %1 mit allen Elementen löschen ?").arg(bereichsName(*kind))))
        return;
    const QString fehler = entwurf_.bereichLoeschen(*kind);
    if (!fehler.isEmpty()) common::dialogs().message(fehler);
}

void TQREditorForm::kopieren()
{
    if (entwurf_.auswahl().empty()) return;
    ablage() = {entwurf_.kopie(), entwurf_.auswahl().front().band};
}

void TQREditorForm::einfuegen()
{
    const std::optional<BandKind> band = zielBereich();
    if (!band || ablage().elemente.empty()) return;
    std::vector<Element> elemente = ablage().elemente;
    // Pasted onto their own band, the copies stand a little apart from the originals.
    if (ablage().herkunft == band)
        for (Element& e : elemente) e.box.translate(2, 2);
    entwurf_.einfuegen(*band, elemente);
}

void TQREditorForm::amRasterAusrichten()
{
    const double raster = Ansicht->raster() > 0 ? Ansicht->raster() : 1;
    const auto runden = [raster](double v) { return std::round(v / raster) * raster; };
    entwurf_.aendern(QStringLiteral("Am Raster ausrichten"), [&](Layout& l) {
        for (const ElementRef& r : entwurf_.auswahl()) {
            QRectF& b = Entwurf::element(l, r)->box;
            b = begrenzt(QRectF(runden(b.left()), runden(b.top()), runden(b.width()), runden(b.height())));
        }
    });
}

void TQREditorForm::zoomen(double faktor)
{
    Ansicht->setZoom(Ansicht->zoom() * faktor);
}

} // namespace trevo::reports::designer
