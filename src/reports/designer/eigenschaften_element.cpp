// The element page of the property panel.
#include "reports/designer/eigenschaften.h"
#include "reports/designer/farbknopf.h"
#include "reports/designer/namen.h"
#include "reports/model/expression.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDoubleSpinBox>
#include <QFontComboBox>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QSpinBox>

namespace trevo::reports::designer {

namespace {

QDoubleSpinBox* mmSpin(QWidget* parent, double max = maxLaengeMm)
{
    auto* s = new QDoubleSpinBox(parent);
    s->setRange(0, max);
    s->setDecimals(1);
    s->setSingleStep(0.5);
    s->setSuffix(QStringLiteral(" mm"));
    s->setKeyboardTracking(false);
    return s;
}

QString spaltenText(const GridElement& g)
{
    QStringList teile;
    for (const GridColumn& c : g.columns)
        teile << (c.widthMm > 0 ? QStringLiteral("%1=%2").arg(c.title, QString::number(c.widthMm)) : c.title);
    return teile.join(QStringLiteral("; "));
}

std::vector<GridColumn> spaltenAus(const QString& text)
{
    std::vector<GridColumn> out;
    for (const QString& teil : text.split(u';')) {
        GridColumn c;
        const qsizetype gleich = teil.lastIndexOf(u'=');
        bool ok = false;
        const double breite = gleich >= 0 ? teil.mid(gleich + 1).trimmed().replace(u',', u'.').toDouble(&ok) : 0;
        c.title = (gleich >= 0 && ok ? teil.left(gleich) : teil).trimmed();
        c.widthMm = ok ? std::clamp(breite, 0.0, maxLaengeMm) : 0;
        out.push_back(c);
    }
    return out;
}

} // namespace

QWidget* EigenschaftenPanel::elementSeite()
{
    auto* seite = new QWidget;
    seite->setObjectName(QStringLiteral("ElementSeite"));
    auto* f = elementForm_ = new QFormLayout(seite);
    f->setFormAlignment(Qt::AlignLeft | Qt::AlignTop);
    f->setFieldGrowthPolicy(QFormLayout::AllNonFixedFieldsGrow);
    f->addRow(QStringLiteral("Art:"), ArtLabel = new QLabel(seite));
    f->addRow(QStringLiteral("Name:"), NameEdit = new QLineEdit(seite));
    f->addRow(QStringLiteral("Text:"), TextEdit = new QLineEdit(seite));
    f->addRow(QStringLiteral("Zeilen:"), ZeilenEdit = new QPlainTextEdit(seite));
    ZeilenEdit->setMaximumHeight(80);
    ZeilenEdit->installEventFilter(this);
    f->addRow(QStringLiteral("Datenquelle:"), QuelleBox = new QComboBox(seite));
    f->addRow(QStringLiteral("Feld:"), FeldBox = new QComboBox(seite));
    FeldBox->setEditable(true);
    FeldBox->setInsertPolicy(QComboBox::NoInsert);
    f->addRow(QStringLiteral("Ausdruck:"), AusdruckEdit = new QLineEdit(seite));
    f->addRow(QStringLiteral("Format:"), FormatBox = new QComboBox(seite));
    FormatBox->setEditable(true);
    FormatBox->setInsertPolicy(QComboBox::NoInsert);
    FormatBox->addItems({QString(), QStringLiteral("0.00"), QStringLiteral("#,##0.00"), QStringLiteral("dd.mm.yyyy"),
                         QStringLiteral("Ja;Nein")});
    f->addRow(QStringLiteral("Dehnen:"), DehnenCheck = new QCheckBox(QStringLiteral("wächst mit dem Text"), seite));
    f->addRow(QStringLiteral("Stift:"), StiftSpin = mmSpin(seite, 10));
    StiftSpin->setDecimals(2);
    StiftSpin->setSingleStep(0.1);
    f->addRow(QStringLiteral("Füllung:"), FuellungKnopf = new FarbKnopf(true, seite));
    f->addRow(QStringLiteral("Programmbild:"), BildnameEdit = new QLineEdit(seite));
    f->addRow(QStringLiteral("Bilddatei:"), BildLadenBtn = new QPushButton(QStringLiteral("Laden ..."), seite));
    f->addRow(QString(), SeitenverhaeltnisCheck = new QCheckBox(QStringLiteral("Seitenverhältnis beibehalten"), seite));
    f->addRow(QStringLiteral("Tabellenzeilen:"), TabellenzeilenSpin = new QSpinBox(seite));
    TabellenzeilenSpin->setRange(1, 1000);
    TabellenzeilenSpin->setKeyboardTracking(false);
    f->addRow(QStringLiteral("Spalten:"), SpaltenEdit = new QLineEdit(seite));
    SpaltenEdit->setToolTip(QStringLiteral("Spaltentitel mit Semikolon getrennt, eine feste Breite als Titel=Breite"));
    f->addRow(QStringLiteral("X:"), XSpin = mmSpin(seite));
    f->addRow(QStringLiteral("Y:"), YSpin = mmSpin(seite));
    f->addRow(QStringLiteral("Breite:"), BreiteSpin = mmSpin(seite));
    f->addRow(QStringLiteral("Höhe:"), HoeheSpin = mmSpin(seite));
    f->addRow(QStringLiteral("Schrift:"), SchriftBox = new QFontComboBox(seite));
    auto* groesse = new QHBoxLayout;
    groesseZeile_ = groesse;
    groesse->addWidget(GroesseSpin = new QDoubleSpinBox(seite));
    GroesseSpin->setRange(1, 200);
    GroesseSpin->setDecimals(1);
    GroesseSpin->setSuffix(QStringLiteral(" pt"));
    GroesseSpin->setKeyboardTracking(false);
    groesse->addWidget(FettCheck = new QCheckBox(QStringLiteral("Fett"), seite));
    groesse->addWidget(KursivCheck = new QCheckBox(QStringLiteral("Kursiv"), seite));
    f->addRow(QStringLiteral("Größe:"), groesse);
    f->addRow(QStringLiteral("Ausrichtung:"), AusrichtungBox = new QComboBox(seite));
    AusrichtungBox->addItems({QStringLiteral("links"), QStringLiteral("zentriert"), QStringLiteral("rechts")});
    f->addRow(QStringLiteral("Vertikal:"), VertikalBox = new QComboBox(seite));
    VertikalBox->addItems({QStringLiteral("oben"), QStringLiteral("mittig"), QStringLiteral("unten")});
    f->addRow(QStringLiteral("Farbe:"), FarbeKnopf = new FarbKnopf(false, seite));
    auto* rahmen = new QHBoxLayout;
    const char* seiten[] = {"links", "oben", "rechts", "unten"};
    for (int i = 0; i < 4; ++i) rahmen->addWidget(RahmenCheck[i] = new QCheckBox(QString::fromLatin1(seiten[i]), seite));
    f->addRow(QStringLiteral("Rahmen:"), rahmen);
    f->addRow(QStringLiteral("Rahmenbreite:"), RahmenbreiteSpin = mmSpin(seite, 10));
    RahmenbreiteSpin->setDecimals(2);
    RahmenbreiteSpin->setSingleStep(0.1);
    f->addRow(QStringLiteral("Rahmenfarbe:"), RahmenfarbeKnopf = new FarbKnopf(false, seite));

    connect(NameEdit, &QLineEdit::editingFinished, this, &EigenschaftenPanel::nameAendern);
    connect(TextEdit, &QLineEdit::editingFinished, this, [this] {
        einzelnAendern(QStringLiteral("Text ändern"), [t = TextEdit->text()](Element& e) {
            if (auto* l = e.as<LabelElement>()) l->text = t;
        });
    });
    connect(QuelleBox, &QComboBox::activated, this, [this] {
        const QString quelle = QuelleBox->currentText();
        const QStringList felder = kunde_.felder(entwurf_.layout().source(quelle) ? entwurf_.layout().source(quelle)->fileName : QString());
        einzelnAendern(QStringLiteral("Datenquelle ändern"), [&](Element& e) {
            QString* feld = nullptr;
            if (auto* d = e.as<FieldElement>()) d->source = quelle, feld = &d->field;
            if (auto* r = e.as<RichTextElement>()) r->source = quelle, feld = &r->field;
            // A field the new table lacks gives way to its first field.
            if (feld && !felder.isEmpty() && !felder.contains(*feld, Qt::CaseInsensitive)) *feld = felder.front();
        });
    });
    const auto feldSetzen = [this] {
        const QString feld = FeldBox->currentText().trimmed().toUpper();
        if (feld.isEmpty()) return aktualisieren();
        einzelnAendern(QStringLiteral("Feld ändern"), [&](Element& e) {
            if (auto* d = e.as<FieldElement>()) d->field = feld;
            if (auto* r = e.as<RichTextElement>()) r->field = feld;
        });
    };
    connect(FeldBox, &QComboBox::activated, this, feldSetzen);
    connect(FeldBox->lineEdit(), &QLineEdit::editingFinished, this, feldSetzen);
    connect(AusdruckEdit, &QLineEdit::editingFinished, this, &EigenschaftenPanel::ausdruckAendern);
    const auto formatSetzen = [this] {
        einzelnAendern(QStringLiteral("Format ändern"), [f = FormatBox->currentText().trimmed()](Element& e) {
            if (auto* d = e.as<FieldElement>()) d->format = f;
            if (auto* x = e.as<ExprElement>()) x->format = f;
        });
    };
    connect(FormatBox, &QComboBox::activated, this, formatSetzen);
    connect(FormatBox->lineEdit(), &QLineEdit::editingFinished, this, formatSetzen);
    connect(DehnenCheck, &QCheckBox::toggled, this, [this](bool an) {
        einzelnAendern(QStringLiteral("Dehnen"), [an](Element& e) {
            if (auto* t = e.as<TextElement>()) t->stretch = an;
            if (auto* r = e.as<RichTextElement>()) r->stretch = an;
        });
    });
    connect(StiftSpin, &QDoubleSpinBox::valueChanged, this, [this](double mm) {
        elementeAendern(QStringLiteral("Stift ändern"), [mm](Element& e) {
            if (auto* l = e.as<LineElement>()) l->widthMm = mm;
            if (auto* r = e.as<RectElement>()) r->widthMm = mm;
            if (auto* g = e.as<GridElement>()) g->lineWidthMm = mm;
        });
    });
    connect(FuellungKnopf, &FarbKnopf::farbeGewaehlt, this, [this](const QColor& c) {
        elementeAendern(QStringLiteral("Füllung ändern"), [c](Element& e) {
            if (auto* r = e.as<RectElement>()) r->fill = c;
        });
    });
    connect(BildnameEdit, &QLineEdit::editingFinished, this, [this] {
        einzelnAendern(QStringLiteral("Programmbild"), [n = BildnameEdit->text().trimmed()](Element& e) {
            if (auto* p = e.as<PictureElement>()) p->picture = n;
        });
    });
    connect(BildLadenBtn, &QPushButton::clicked, this, &EigenschaftenPanel::bildLaden);
    connect(SeitenverhaeltnisCheck, &QCheckBox::toggled, this, [this](bool an) {
        einzelnAendern(QStringLiteral("Seitenverhältnis"), [an](Element& e) {
            if (auto* p = e.as<PictureElement>()) p->keepAspect = an;
        });
    });
    connect(TabellenzeilenSpin, &QSpinBox::valueChanged, this, [this](int n) {
        einzelnAendern(QStringLiteral("Tabellenzeilen"), [n](Element& e) {
            if (auto* g = e.as<GridElement>()) g->rows = n;
        });
    });
    connect(SpaltenEdit, &QLineEdit::editingFinished, this, &EigenschaftenPanel::spaltenAendern);
    for (QDoubleSpinBox* s : {XSpin, YSpin, BreiteSpin, HoeheSpin})
        connect(s, &QDoubleSpinBox::valueChanged, this, &EigenschaftenPanel::boxAendern);
    connect(SchriftBox, &QFontComboBox::currentFontChanged, this, [this](const QFont& font) {
        elementeAendern(QStringLiteral("Schrift ändern"), [n = font.family()](Element& e) { e.style.fontFamily = n; });
    });
    connect(GroesseSpin, &QDoubleSpinBox::valueChanged, this, [this](double pt) {
        elementeAendern(QStringLiteral("Schriftgröße ändern"), [pt](Element& e) { e.style.pointSize = pt; });
    });
    connect(FettCheck, &QCheckBox::toggled, this, [this](bool an) {
        elementeAendern(QStringLiteral("Fett"), [an](Element& e) { e.style.bold = an; });
    });
    connect(KursivCheck, &QCheckBox::toggled, this, [this](bool an) {
        elementeAendern(QStringLiteral("Kursiv"), [an](Element& e) { e.style.italic = an; });
    });
    connect(AusrichtungBox, &QComboBox::activated, this, [this](int i) {
        elementeAendern(QStringLiteral("Ausrichtung"), [i](Element& e) { e.style.align = static_cast<HAlign>(i); });
    });
    connect(VertikalBox, &QComboBox::activated, this, [this](int i) {
        elementeAendern(QStringLiteral("Ausrichtung"), [i](Element& e) { e.style.valign = static_cast<VAlign>(i); });
    });
    connect(FarbeKnopf, &FarbKnopf::farbeGewaehlt, this, [this](const QColor& c) {
        elementeAendern(QStringLiteral("Farbe ändern"), [c](Element& e) { e.style.colour = c; });
    });
    for (int i = 0; i < 4; ++i)
        connect(RahmenCheck[i], &QCheckBox::toggled, this, [this, i](bool an) {
            elementeAendern(QStringLiteral("Rahmen"), [i, an](Element& e) {
                bool* seiten[] = {&e.frame.left, &e.frame.top, &e.frame.right, &e.frame.bottom};
                *seiten[i] = an;
            });
        });
    connect(RahmenbreiteSpin, &QDoubleSpinBox::valueChanged, this, [this](double mm) {
        elementeAendern(QStringLiteral("Rahmenbreite"), [mm](Element& e) { e.frame.widthMm = mm; });
    });
    connect(RahmenfarbeKnopf, &FarbKnopf::farbeGewaehlt, this, [this](const QColor& c) {
        elementeAendern(QStringLiteral("Rahmenfarbe"), [c](Element& e) { e.frame.colour = c; });
    });
    return seite;
}

void EigenschaftenPanel::elementZeigen()
{
    const Element& e = *entwurf_.element(angezeigt_.front());
    const bool einzeln = angezeigt_.size() == 1;
    ArtLabel->setText(einzeln ? elementArtName(e.kind()) + QStringLiteral(" im Bereich ") + bereichsName(angezeigt_.front().band)
                              : QStringLiteral("%1 Elemente markiert").arg(angezeigt_.size()));
    NameEdit->setText(e.name);
    if (const auto* l = e.as<LabelElement>()) TextEdit->setText(l->text);
    if (const auto* t = e.as<TextElement>()) ZeilenEdit->setPlainText(t->lines.join(u'\n'));
    QString quelle, feld;
    if (const auto* d = e.as<FieldElement>()) quelle = d->source, feld = d->field, FormatBox->setEditText(d->format);
    if (const auto* r = e.as<RichTextElement>()) quelle = r->source, feld = r->field, DehnenCheck->setChecked(r->stretch);
    if (const auto* t = e.as<TextElement>()) DehnenCheck->setChecked(t->stretch);
    QuelleBox->clear();
    for (const DataSource& s : entwurf_.layout().sources) QuelleBox->addItem(s.name);
    QuelleBox->setCurrentIndex(QuelleBox->findText(quelle, Qt::MatchFixedString));
    feldlisteFuellen(FeldBox, quelle, feld);
    if (const auto* x = e.as<ExprElement>()) AusdruckEdit->setText(x->expression), FormatBox->setEditText(x->format);
    if (const auto* l = e.as<LineElement>()) StiftSpin->setValue(l->widthMm);
    if (const auto* r = e.as<RectElement>()) StiftSpin->setValue(r->widthMm), FuellungKnopf->setFarbe(r->fill);
    if (const auto* g = e.as<GridElement>())
        StiftSpin->setValue(g->lineWidthMm), TabellenzeilenSpin->setValue(g->rows), SpaltenEdit->setText(spaltenText(*g));
    if (const auto* p = e.as<PictureElement>()) {
        BildnameEdit->setText(p->picture);
        SeitenverhaeltnisCheck->setChecked(p->keepAspect);
        BildLadenBtn->setText(p->data.isEmpty() ? QStringLiteral("Laden ...")
                                                : QStringLiteral("Laden ... (%1 KB gespeichert)").arg((p->data.size() + 1023) / 1024));
    }
    XSpin->setValue(e.box.x());
    YSpin->setValue(e.box.y());
    BreiteSpin->setValue(e.box.width());
    HoeheSpin->setValue(e.box.height());
    SchriftBox->setCurrentFont(QFont(e.style.fontFamily));
    SchriftBox->setEditText(e.style.fontFamily); // the family the layout names, installed or not
    GroesseSpin->setValue(e.style.pointSize);
    FettCheck->setChecked(e.style.bold);
    KursivCheck->setChecked(e.style.italic);
    AusrichtungBox->setCurrentIndex(static_cast<int>(e.style.align));
    VertikalBox->setCurrentIndex(static_cast<int>(e.style.valign));
    FarbeKnopf->setFarbe(e.style.colour);
    const bool seiten[] = {e.frame.left, e.frame.top, e.frame.right, e.frame.bottom};
    for (int i = 0; i < 4; ++i) RahmenCheck[i]->setChecked(seiten[i]);
    RahmenbreiteSpin->setValue(e.frame.widthMm);
    RahmenfarbeKnopf->setFarbe(e.frame.colour);
    zeilenSichtbar();
}

// Shows the rows that belong to the kind of the element; with several elements only
// those of the style.
void EigenschaftenPanel::zeilenSichtbar()
{
    const Element& e = *entwurf_.element(angezeigt_.front());
    const bool eins = angezeigt_.size() == 1;
    const ElementKind k = e.kind();
    const auto zeigen = [this](QWidget* w, bool an) { elementForm_->setRowVisible(w, an); };
    const bool text = k == ElementKind::Label || k == ElementKind::Field || k == ElementKind::Expr ||
                      k == ElementKind::Text || k == ElementKind::RichText || k == ElementKind::Grid;
    zeigen(NameEdit, eins);
    zeigen(TextEdit, eins && k == ElementKind::Label);
    zeigen(ZeilenEdit, eins && k == ElementKind::Text);
    zeigen(QuelleBox, eins && (k == ElementKind::Field || k == ElementKind::RichText));
    zeigen(FeldBox, eins && (k == ElementKind::Field || k == ElementKind::RichText));
    zeigen(AusdruckEdit, eins && k == ElementKind::Expr);
    zeigen(FormatBox, eins && (k == ElementKind::Field || k == ElementKind::Expr));
    zeigen(DehnenCheck, eins && (k == ElementKind::Text || k == ElementKind::RichText));
    zeigen(StiftSpin, eins && (k == ElementKind::Line || k == ElementKind::Rect || k == ElementKind::Grid));
    zeigen(FuellungKnopf, eins && k == ElementKind::Rect);
    zeigen(BildnameEdit, eins && k == ElementKind::Picture);
    zeigen(BildLadenBtn, eins && k == ElementKind::Picture);
    zeigen(SeitenverhaeltnisCheck, eins && k == ElementKind::Picture);
    zeigen(TabellenzeilenSpin, eins && k == ElementKind::Grid);
    zeigen(SpaltenEdit, eins && k == ElementKind::Grid);
    for (QWidget* w : {static_cast<QWidget*>(XSpin), static_cast<QWidget*>(YSpin), static_cast<QWidget*>(BreiteSpin),
                       static_cast<QWidget*>(HoeheSpin)})
        zeigen(w, eins);
    zeigen(SchriftBox, !eins || text);
    elementForm_->setRowVisible(groesseZeile_, !eins || text);
    zeigen(AusrichtungBox, !eins || text || k == ElementKind::Picture);
    zeigen(VertikalBox, !eins || text || k == ElementKind::Picture);
}

void EigenschaftenPanel::nameAendern()
{
    if (laden_ || angezeigt_.size() != 1) return;
    const QString name = NameEdit->text().trimmed();
    if (!entwurf_.nameFrei(name, angezeigt_.front()))
        return ablehnen(QStringLiteral("Der Name %1 ist im Report schon vergeben.").arg(name));
    einzelnAendern(QStringLiteral("Name ändern"), [&](Element& e) { e.name = name; });
}

void EigenschaftenPanel::ausdruckAendern()
{
    if (laden_ || angezeigt_.size() != 1) return;
    const QString text = AusdruckEdit->text();
    QString warum;
    const std::optional<Expression> parsed = parseExpression(text, &warum);
    if (!parsed) return ablehnen(QStringLiteral("Fehlerhafter Ausdruck: %1").arg(warum));
    for (const QString& quelle : sourcesOf(*parsed))
        if (!entwurf_.layout().source(quelle))
            return ablehnen(QStringLiteral("Fehlerhafter Ausdruck: die Datenquelle %1 gibt es im Report nicht.").arg(quelle));
    einzelnAendern(QStringLiteral("Ausdruck ändern"), [&](Element& e) {
        if (auto* x = e.as<ExprElement>()) x->expression = text;
    });
}

void EigenschaftenPanel::boxAendern()
{
    if (laden_ || angezeigt_.size() != 1) return;
    const QRectF box(XSpin->value(), YSpin->value(), BreiteSpin->value(), HoeheSpin->value());
    einzelnAendern(QStringLiteral("Position ändern"), [&](Element& e) { e.box = begrenzt(box); });
}

void EigenschaftenPanel::spaltenAendern()
{
    if (laden_ || angezeigt_.size() != 1) return;
    std::vector<GridColumn> spalten = spaltenAus(SpaltenEdit->text());
    einzelnAendern(QStringLiteral("Spalten ändern"), [&](Element& e) {
        if (auto* g = e.as<GridElement>()) g->columns = spalten;
    });
}

} // namespace trevo::reports::designer
