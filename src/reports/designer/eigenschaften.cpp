#include "reports/designer/eigenschaften.h"

#include "common/dialogs/dialogs.h"
#include "reports/designer/namen.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDoubleSpinBox>
#include <QEvent>
#include <QFileDialog>
#include <QFontComboBox>
#include <QFormLayout>
#include <QImageReader>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QSpinBox>
#include <QStackedWidget>
#include <QVBoxLayout>

namespace trevo::reports::designer {

EigenschaftenPanel::EigenschaftenPanel(Entwurf& entwurf, Tabellenkunde kunde, QWidget* parent)
    : QWidget(parent), entwurf_(entwurf), kunde_(std::move(kunde))
{
    setObjectName(QStringLiteral("Eigenschaften"));
    bildWaehlen = [](QWidget* parent) {
        return QFileDialog::getOpenFileName(parent, QStringLiteral("Bild laden"), QString(),
                                            QStringLiteral("Bilder (*.png *.jpg *.jpeg *.bmp)"));
    };
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    Seiten = new QStackedWidget(this);
    // Each page as tall as its fields, at the top of the panel.
    for (QWidget* seite : {seitenSeite(), bereichSeite(), elementSeite()}) {
        auto* rahmen = new QWidget;
        auto* spalte = new QVBoxLayout(rahmen);
        spalte->setContentsMargins(0, 0, 0, 0);
        spalte->addWidget(seite);
        spalte->addStretch(1);
        Seiten->addWidget(rahmen);
    }
    layout->addWidget(Seiten);
    connect(&entwurf_, &Entwurf::layoutGeaendert, this, &EigenschaftenPanel::aktualisieren);
    connect(&entwurf_, &Entwurf::auswahlGeaendert, this, &EigenschaftenPanel::aktualisieren);
    aktualisieren();
}

void EigenschaftenPanel::aktualisieren()
{
    laden_ = true;
    angezeigt_ = entwurf_.auswahl();
    bereich_ = entwurf_.bereich();
    if (!angezeigt_.empty()) {
        Seiten->setCurrentIndex(2);
        elementZeigen();
    } else if (bereich_) {
        Seiten->setCurrentIndex(1);
        bereichZeigen();
    } else {
        Seiten->setCurrentIndex(0);
        seiteZeigen();
    }
    laden_ = false;
}

void EigenschaftenPanel::hauptfeldBearbeiten()
{
    const Element* e = entwurf_.einzeln();
    if (!e) return;
    QWidget* feld = NameEdit;
    switch (e->kind()) {
    case ElementKind::Label: feld = TextEdit; break;
    case ElementKind::Field:
    case ElementKind::RichText: feld = FeldBox; break;
    case ElementKind::Expr: feld = AusdruckEdit; break;
    case ElementKind::Text: feld = ZeilenEdit; break;
    case ElementKind::Grid: feld = SpaltenEdit; break;
    default: break;
    }
    feld->setFocus(Qt::OtherFocusReason);
    if (auto* edit = qobject_cast<QLineEdit*>(feld)) edit->selectAll();
}

void EigenschaftenPanel::ablehnen(const QString& text)
{
    common::dialogs().message(text);
    aktualisieren();
}

bool EigenschaftenPanel::eventFilter(QObject* watched, QEvent* event)
{
    // The multi-line fields take their text when they are left.
    if (event->type() == QEvent::FocusOut && !laden_) {
        if (watched == ZeilenEdit && angezeigt_.size() == 1) {
            einzelnAendern(QStringLiteral("Zeilen ändern"), [t = ZeilenEdit->toPlainText()](Element& e) {
                if (auto* x = e.as<TextElement>()) x->lines = t.isEmpty() ? QStringList() : t.split(u'\n');
            });
        } else if (watched == BeschreibungEdit) {
            const QString t = BeschreibungEdit->toPlainText();
            entwurf_.aendern(QStringLiteral("Beschreibung ändern"),
                             [&](Layout& l) { l.description = t.isEmpty() ? QStringList() : t.split(u'\n'); });
        }
    }
    return QWidget::eventFilter(watched, event);
}

void EigenschaftenPanel::elementeAendern(const QString& text, const std::function<void(Element&)>& change)
{
    if (laden_ || angezeigt_.empty()) return;
    const std::vector<ElementRef> refs = angezeigt_;
    entwurf_.aendern(text, [&](Layout& l) {
        for (const ElementRef& r : refs)
            if (Element* e = Entwurf::element(l, r)) change(*e);
    });
}

void EigenschaftenPanel::einzelnAendern(const QString& text, const std::function<void(Element&)>& change)
{
    if (angezeigt_.size() != 1) return;
    elementeAendern(text, change);
}

void EigenschaftenPanel::feldlisteFuellen(QComboBox* box, const QString& quelle, const QString& aktuell)
{
    box->clear();
    const DataSource* s = entwurf_.layout().source(quelle);
    box->addItems(kunde_.felder(s ? s->fileName : QString()));
    const int i = box->findText(aktuell, Qt::MatchFixedString);
    if (i >= 0) box->setCurrentIndex(i);
    else if (box->isEditable()) box->setEditText(aktuell);
    else box->setCurrentIndex(-1);
}

void EigenschaftenPanel::bildLaden()
{
    if (angezeigt_.size() != 1) return;
    const QString datei = bildWaehlen(window());
    if (datei.isEmpty()) return;
    QFile f(datei);
    if (!f.open(QIODevice::ReadOnly) || f.size() > 8 * 1024 * 1024)
        return ablehnen(QStringLiteral("Die Bilddatei %1 kann nicht geladen werden (höchstens 8 MB).").arg(datei));
    const QByteArray bytes = f.readAll();
    if (QImage::fromData(bytes).isNull())
        return ablehnen(QStringLiteral("Die Datei %1 ist kein lesbares Bild.").arg(datei));
    einzelnAendern(QStringLiteral("Bild laden"), [&](Element& e) {
        if (auto* p = e.as<PictureElement>()) p->data = bytes;
    });
}

// ---- band ----

QWidget* EigenschaftenPanel::bereichSeite()
{
    auto* seite = new QWidget;
    seite->setObjectName(QStringLiteral("BereichSeite"));
    auto* f = bereichForm_ = new QFormLayout(seite);
    f->setFormAlignment(Qt::AlignLeft | Qt::AlignTop);
    f->addRow(QStringLiteral("Bereich:"), BereichLabel = new QLabel(seite));
    f->addRow(QStringLiteral("Höhe:"), BereichHoeheSpin = new QDoubleSpinBox(seite));
    BereichHoeheSpin->setRange(0, maxLaengeMm);
    BereichHoeheSpin->setDecimals(1);
    BereichHoeheSpin->setSuffix(QStringLiteral(" mm"));
    BereichHoeheSpin->setKeyboardTracking(false);
    f->addRow(QStringLiteral("Datenquelle:"), DetailquelleBox = new QComboBox(seite));
    f->addRow(QStringLiteral("Tabelle:"), DetailTabelleBox = new QComboBox(seite));
    DetailTabelleBox->setEditable(true);
    DetailTabelleBox->setInsertPolicy(QComboBox::NoInsert);
    f->addRow(QStringLiteral("Filter:"), DetailFilterEdit = new QLineEdit(seite));
    DetailFilterEdit->setPlaceholderText(QStringLiteral("z. B. MITGLIED=TRUE"));
    f->addRow(QStringLiteral("Sortierung:"), DetailSortierungBox = new QComboBox(seite));
    DetailSortierungBox->setEditable(true);
    DetailSortierungBox->setInsertPolicy(QComboBox::NoInsert);
    f->addRow(QStringLiteral("Gruppenfeld:"), GruppenfeldBox = new QComboBox(seite));
    GruppenfeldBox->setEditable(true);
    GruppenfeldBox->setInsertPolicy(QComboBox::NoInsert);

    connect(BereichHoeheSpin, &QDoubleSpinBox::valueChanged, this, [this](double mm) {
        if (!laden_ && bereich_) entwurf_.bereichHoehe(*bereich_, mm);
    });
    connect(DetailquelleBox, &QComboBox::activated, this, &EigenschaftenPanel::detailquelleAendern);
    const auto detailQuelle = [this] { return bereich_ ? entwurf_.layout().band(*bereich_)->source : QString(); };
    const auto tabelle = [this, detailQuelle](QComboBox* box) {
        const QString datei = box->currentText().trimmed().toUpper();
        if (datei.isEmpty() || datei.contains(u'/') || datei.contains(u'\\'))
            return ablehnen(QStringLiteral("Geben Sie den Namen einer Tabellendatei ohne Ordner an."));
        quelleAendern(QStringLiteral("Tabelle ändern"), [&](DataSource& s) { s.fileName = datei; });
    };
    connect(DetailTabelleBox, &QComboBox::activated, this, [this, tabelle] { tabelle(DetailTabelleBox); });
    connect(DetailTabelleBox->lineEdit(), &QLineEdit::editingFinished, this, [this, tabelle] { tabelle(DetailTabelleBox); });
    connect(DetailFilterEdit, &QLineEdit::editingFinished, this, [this] {
        quelleAendern(QStringLiteral("Filter ändern"), [t = DetailFilterEdit->text().trimmed()](DataSource& s) { s.filter = t; });
    });
    const auto sortierung = [this] {
        quelleAendern(QStringLiteral("Sortierung ändern"),
                      [t = DetailSortierungBox->currentText().trimmed().toUpper()](DataSource& s) { s.order = t; });
    };
    connect(DetailSortierungBox, &QComboBox::activated, this, sortierung);
    connect(DetailSortierungBox->lineEdit(), &QLineEdit::editingFinished, this, sortierung);
    const auto gruppenfeld = [this] {
        const QString feld = GruppenfeldBox->currentText().trimmed().toUpper();
        if (feld.isEmpty()) return ablehnen(QStringLiteral("Ein Gruppenkopf braucht ein Gruppenfeld."));
        bereichAendern(QStringLiteral("Gruppenfeld ändern"), [&](Band& b) { b.groupField = feld; });
    };
    connect(GruppenfeldBox, &QComboBox::activated, this, gruppenfeld);
    connect(GruppenfeldBox->lineEdit(), &QLineEdit::editingFinished, this, gruppenfeld);
    return seite;
}

void EigenschaftenPanel::bereichZeigen()
{
    const Layout& l = entwurf_.layout();
    const Band& b = *l.band(*bereich_);
    BereichLabel->setText(bereichsName(b.kind));
    BereichHoeheSpin->setValue(b.heightMm);
    const bool detail = b.kind == BandKind::Detail;
    for (QWidget* w : {static_cast<QWidget*>(DetailquelleBox), static_cast<QWidget*>(DetailTabelleBox),
                       static_cast<QWidget*>(DetailFilterEdit), static_cast<QWidget*>(DetailSortierungBox)})
        bereichForm_->setRowVisible(w, detail);
    bereichForm_->setRowVisible(GruppenfeldBox, b.kind == BandKind::GroupHeader);
    const DataSource* detailquelle = l.detailSource();
    if (detail) {
        DetailquelleBox->clear();
        for (const DataSource& s : l.sources) DetailquelleBox->addItem(s.name);
        DetailquelleBox->setCurrentIndex(DetailquelleBox->findText(b.source, Qt::MatchFixedString));
        DetailTabelleBox->clear();
        DetailTabelleBox->addItems(kunde_.dateien());
        DetailTabelleBox->setEditText(detailquelle ? detailquelle->fileName : QString());
        DetailFilterEdit->setText(detailquelle ? detailquelle->filter : QString());
        feldlisteFuellen(DetailSortierungBox, b.source, detailquelle ? detailquelle->order : QString());
        DetailSortierungBox->insertItem(0, QString());
    }
    if (b.kind == BandKind::GroupHeader)
        feldlisteFuellen(GruppenfeldBox, detailquelle ? detailquelle->name : QString(), b.groupField);
}

void EigenschaftenPanel::bereichAendern(const QString& text, const std::function<void(Band&)>& change)
{
    if (laden_ || !bereich_) return;
    const BandKind kind = *bereich_;
    entwurf_.aendern(text, [&](Layout& l) {
        if (Band* b = l.band(kind)) change(*b);
    });
}

void EigenschaftenPanel::detailquelleAendern()
{
    const QString quelle = DetailquelleBox->currentText();
    if (quelle.isEmpty()) return;
    bereichAendern(QStringLiteral("Datenquelle ändern"), [&](Band& b) { b.source = quelle; });
}

// The source being edited: the one chosen in the list of the page, or the detail band's.
QString EigenschaftenPanel::gewaehlteQuelle() const
{
    if (Seiten->currentIndex() == 1 && bereich_) return entwurf_.layout().band(*bereich_)->source;
    const QListWidgetItem* item = QuellenListe->currentItem();
    return item ? item->text() : QString();
}

void EigenschaftenPanel::quelleAendern(const QString& text, const std::function<void(DataSource&)>& change)
{
    if (laden_) return;
    const QString name = gewaehlteQuelle();
    if (name.isEmpty()) return;
    entwurf_.aendern(text, [&](Layout& l) {
        for (DataSource& s : l.sources)
            if (s.name.compare(name, Qt::CaseInsensitive) == 0) change(s);
    });
}

} // namespace trevo::reports::designer
