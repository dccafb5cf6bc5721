// The page of the property panel for the page itself: paper, margins, copies, the
// report's description and its data sources.
#include "reports/designer/eigenschaften.h"

#include <QComboBox>
#include <QDoubleSpinBox>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QSpinBox>

namespace trevo::reports::designer {

QWidget* EigenschaftenPanel::seitenSeite()
{
    auto* seite = new QWidget;
    seite->setObjectName(QStringLiteral("SeitenSeite"));
    auto* f = new QFormLayout(seite);
    f->setFormAlignment(Qt::AlignLeft | Qt::AlignTop);
    f->addRow(QStringLiteral("Papier:"), new QLabel(QStringLiteral("A4"), seite));
    f->addRow(QStringLiteral("Ausrichtung:"), OrientierungBox = new QComboBox(seite));
    OrientierungBox->addItems({QStringLiteral("Hochformat"), QStringLiteral("Querformat")});
    const char* raender[] = {"Rand links:", "Rand oben:", "Rand rechts:", "Rand unten:"};
    for (int i = 0; i < 4; ++i) {
        f->addRow(QString::fromUtf8(raender[i]), RandSpin[i] = new QDoubleSpinBox(seite));
        RandSpin[i]->setRange(0, 100);
        RandSpin[i]->setDecimals(1);
        RandSpin[i]->setSuffix(QStringLiteral(" mm"));
        RandSpin[i]->setKeyboardTracking(false);
        connect(RandSpin[i], &QDoubleSpinBox::valueChanged, this, [this, i](double mm) {
            if (laden_) return;
            entwurf_.aendern(QStringLiteral("Seitenrand ändern"), [&](Layout& l) {
                double* rand[] = {&l.page.leftMm, &l.page.topMm, &l.page.rightMm, &l.page.bottomMm};
                *rand[i] = mm;
            });
        });
    }
    f->addRow(QStringLiteral("Exemplare:"), ExemplareSpin = new QSpinBox(seite));
    ExemplareSpin->setRange(1, 99);
    ExemplareSpin->setKeyboardTracking(false);
    f->addRow(QStringLiteral("Beschreibung:"), BeschreibungEdit = new QPlainTextEdit(seite));
    BeschreibungEdit->setMaximumHeight(70);
    BeschreibungEdit->setToolTip(QStringLiteral("Die erste Zeile erscheint bei der Auswahl der Reports."));
    BeschreibungEdit->installEventFilter(this);
    f->addRow(quellenTeil());

    connect(OrientierungBox, &QComboBox::activated, this, [this](int i) {
        entwurf_.aendern(QStringLiteral("Seitenausrichtung"), [i](Layout& l) { l.page.landscape = i == 1; });
    });
    connect(ExemplareSpin, &QSpinBox::valueChanged, this, [this](int n) {
        if (!laden_) entwurf_.aendern(QStringLiteral("Exemplare ändern"), [n](Layout& l) { l.copies = n; });
    });
    return seite;
}

QWidget* EigenschaftenPanel::quellenTeil()
{
    auto* teil = new QWidget;
    auto* f = new QFormLayout(teil);
    f->setFormAlignment(Qt::AlignLeft | Qt::AlignTop);
    f->setContentsMargins(0, 6, 0, 0);
    f->addRow(new QLabel(QStringLiteral("<b>Datenquellen</b>"), teil));
    f->addRow(QuellenListe = new QListWidget(teil));
    QuellenListe->setMaximumHeight(90);
    auto* knoepfe = new QHBoxLayout;
    knoepfe->addWidget(NeueQuelleBtn = new QPushButton(QStringLiteral("Neue Datenquelle"), teil));
    knoepfe->addWidget(QuelleLoeschenBtn = new QPushButton(QStringLiteral("Datenquelle löschen"), teil));
    f->addRow(knoepfe);
    f->addRow(QStringLiteral("Name:"), QuellnameEdit = new QLineEdit(teil));
    f->addRow(QStringLiteral("Tabelle:"), TabelleBox = new QComboBox(teil));
    TabelleBox->setEditable(true);
    TabelleBox->setInsertPolicy(QComboBox::NoInsert);
    f->addRow(QStringLiteral("Filter:"), FilterEdit = new QLineEdit(teil));
    f->addRow(QStringLiteral("Sortierung:"), SortierungBox = new QComboBox(teil));
    SortierungBox->setEditable(true);
    SortierungBox->setInsertPolicy(QComboBox::NoInsert);

    connect(QuellenListe, &QListWidget::currentRowChanged, this, [this] {
        if (laden_) return;
        laden_ = true;
        quelleZeigen();
        laden_ = false;
    });
    connect(NeueQuelleBtn, &QPushButton::clicked, this, &EigenschaftenPanel::quelleNeu);
    connect(QuelleLoeschenBtn, &QPushButton::clicked, this, &EigenschaftenPanel::quelleLoeschen);
    connect(QuellnameEdit, &QLineEdit::editingFinished, this, [this] {
        if (laden_) return;
        const QString alt = gewaehlteQuelle();
        const QString neu = QuellnameEdit->text().trimmed();
        if (alt.isEmpty() || neu == alt) return;
        if (!gueltigerQuellname(neu))
            return ablehnen(QStringLiteral("Der Name einer Datenquelle besteht aus Buchstaben, Ziffern und _ "
                                           "und beginnt mit einem Buchstaben."));
        if (entwurf_.layout().source(neu) && neu.compare(alt, Qt::CaseInsensitive) != 0)
            return ablehnen(QStringLiteral("Die Datenquelle %1 gibt es schon.").arg(neu));
        if (quelleBenutzt(entwurf_.layout(), alt))
            return ablehnen(QStringLiteral("Die Datenquelle %1 wird im Report verwendet und kann nicht umbenannt werden.").arg(alt));
        quelleAendern(QStringLiteral("Datenquelle umbenennen"), [&](DataSource& s) { s.name = neu; });
        QuellenListe->setCurrentRow(QuellenListe->currentRow());
    });
    const auto tabelle = [this] {
        if (laden_) return;
        const QString datei = TabelleBox->currentText().trimmed().toUpper();
        if (datei.isEmpty() || datei.contains(u'/') || datei.contains(u'\\'))
            return ablehnen(QStringLiteral("Geben Sie den Namen einer Tabellendatei ohne Ordner an."));
        quelleAendern(QStringLiteral("Tabelle ändern"), [&](DataSource& s) { s.fileName = datei; });
    };
    connect(TabelleBox, &QComboBox::activated, this, tabelle);
    connect(TabelleBox->lineEdit(), &QLineEdit::editingFinished, this, tabelle);
    connect(FilterEdit, &QLineEdit::editingFinished, this, [this] {
        quelleAendern(QStringLiteral("Filter ändern"), [t = FilterEdit->text().trimmed()](DataSource& s) { s.filter = t; });
    });
    const auto sortierung = [this] {
        quelleAendern(QStringLiteral("Sortierung ändern"),
                      [t = SortierungBox->currentText().trimmed().toUpper()](DataSource& s) { s.order = t; });
    };
    connect(SortierungBox, &QComboBox::activated, this, sortierung);
    connect(SortierungBox->lineEdit(), &QLineEdit::editingFinished, this, sortierung);
    return teil;
}

void EigenschaftenPanel::seiteZeigen()
{
    const Layout& l = entwurf_.layout();
    OrientierungBox->setCurrentIndex(l.page.landscape ? 1 : 0);
    const double raender[] = {l.page.leftMm, l.page.topMm, l.page.rightMm, l.page.bottomMm};
    for (int i = 0; i < 4; ++i) RandSpin[i]->setValue(raender[i]);
    ExemplareSpin->setValue(l.copies);
    if (!BeschreibungEdit->hasFocus()) BeschreibungEdit->setPlainText(l.description.join(u'\n'));
    const QString bisher = QuellenListe->currentItem() ? QuellenListe->currentItem()->text() : QString();
    QuellenListe->clear();
    for (const DataSource& s : l.sources) QuellenListe->addItem(s.name);
    const QList<QListWidgetItem*> treffer = QuellenListe->findItems(bisher, Qt::MatchFixedString);
    QuellenListe->setCurrentRow(treffer.isEmpty() ? 0 : QuellenListe->row(treffer.front()));
    quelleZeigen();
}

void EigenschaftenPanel::quelleZeigen()
{
    const DataSource* s = entwurf_.layout().source(gewaehlteQuelle());
    for (QWidget* w : {static_cast<QWidget*>(QuellnameEdit), static_cast<QWidget*>(TabelleBox),
                       static_cast<QWidget*>(FilterEdit), static_cast<QWidget*>(SortierungBox),
                       static_cast<QWidget*>(QuelleLoeschenBtn)})
        w->setEnabled(s != nullptr);
    QuellnameEdit->setText(s ? s->name : QString());
    TabelleBox->clear();
    TabelleBox->addItems(kunde_.dateien());
    TabelleBox->setEditText(s ? s->fileName : QString());
    FilterEdit->setText(s ? s->filter : QString());
    feldlisteFuellen(SortierungBox, s ? s->name : QString(), s ? s->order : QString());
    SortierungBox->insertItem(0, QString());
}

void EigenschaftenPanel::quelleNeu()
{
    const Layout& l = entwurf_.layout();
    if (l.sources.size() >= 32) return ablehnen(QStringLiteral("Ein Report kann höchstens 32 Datenquellen haben."));
    QString name;
    for (int n = 1; name.isEmpty() || l.source(name); ++n) name = QStringLiteral("QUELLE%1").arg(n);
    const QStringList dateien = kunde_.dateien();
    const QString datei = dateien.contains(QStringLiteral("KEGLER.DBF")) ? QStringLiteral("KEGLER.DBF")
                          : dateien.isEmpty()                            ? QStringLiteral("KEGLER.DBF")
                                                                         : dateien.front();
    entwurf_.aendern(QStringLiteral("Neue Datenquelle"), [&](Layout& layout) { layout.sources.push_back({name, datei, {}, {}}); });
    QuellenListe->setCurrentRow(QuellenListe->count() - 1);
    QuellnameEdit->setFocus();
    QuellnameEdit->selectAll();
}

void EigenschaftenPanel::quelleLoeschen()
{
    const QString name = gewaehlteQuelle();
    if (name.isEmpty()) return;
    if (quelleBenutzt(entwurf_.layout(), name))
        return ablehnen(QStringLiteral("Die Datenquelle %1 wird im Report noch verwendet.").arg(name));
    entwurf_.aendern(QStringLiteral("Datenquelle löschen"), [&](Layout& l) {
        std::erase_if(l.sources, [&](const DataSource& s) { return s.name.compare(name, Qt::CaseInsensitive) == 0; });
    });
}

} // namespace trevo::reports::designer
