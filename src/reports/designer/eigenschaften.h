#pragma once
// The property panel of the designer. It shows what is selected:
//   - one or more elements: their kind and name, what they show (text, data source and
//     field from lists of the layout's sources and the fields of their tables, the
//     expression, lines, pen, filling, picture, grid), the box in millimetres, font,
//     alignment, colour and frame; with several elements the style applies to all;
//   - a band: its height; the detail band its data source with table, filter and order;
//     a group header its group field;
//   - nothing: the page (A4 portrait or landscape, margins, copies), the report's
//     description lines and its data sources.
// Every edit is one step of the designer's undo history, made when the field is left
// (Enter, Tab, a click elsewhere) or a choice is made. An edit the layout cannot take
// (a name in use, a faulty expression, a source still in use) is refused with a message
// and the field shows the layout again.
#include "reports/designer/entwurf.h"

#include <QWidget>

#include <functional>
#include <vector>

class QCheckBox;
class QComboBox;
class QDoubleSpinBox;
class QFontComboBox;
class QFormLayout;
class QLabel;
class QLineEdit;
class QListWidget;
class QPlainTextEdit;
class QPushButton;
class QSpinBox;
class QStackedWidget;

namespace trevo::reports::designer {

class FarbKnopf;

// Where the panel finds tables and their fields.
struct Tabellenkunde {
    std::function<QStringList()> dateien;                       // table files of the data folder
    std::function<QStringList(const QString& datei)> felder;    // fields of a table file
};

class EigenschaftenPanel : public QWidget {
    Q_OBJECT
public:
    EigenschaftenPanel(Entwurf& entwurf, Tabellenkunde kunde, QWidget* parent = nullptr);

    // Shows the selection again (after every change of the layout or the selection).
    void aktualisieren();
    // Puts the focus on the main field of the selected element (its text, field, ...).
    void hauptfeldBearbeiten();

    QStackedWidget* Seiten = nullptr;
    // Element page.
    QLabel* ArtLabel = nullptr;
    QLineEdit* NameEdit = nullptr;
    QLineEdit* TextEdit = nullptr;
    QPlainTextEdit* ZeilenEdit = nullptr;
    QComboBox* QuelleBox = nullptr;
    QComboBox* FeldBox = nullptr;
    QLineEdit* AusdruckEdit = nullptr;
    QComboBox* FormatBox = nullptr;
    QCheckBox* DehnenCheck = nullptr;
    QDoubleSpinBox* StiftSpin = nullptr;
    FarbKnopf* FuellungKnopf = nullptr;
    QLineEdit* BildnameEdit = nullptr;
    QPushButton* BildLadenBtn = nullptr;
    QCheckBox* SeitenverhaeltnisCheck = nullptr;
    QSpinBox* TabellenzeilenSpin = nullptr;
    QLineEdit* SpaltenEdit = nullptr;
    QDoubleSpinBox* XSpin = nullptr;
    QDoubleSpinBox* YSpin = nullptr;
    QDoubleSpinBox* BreiteSpin = nullptr;
    QDoubleSpinBox* HoeheSpin = nullptr;
    QFontComboBox* SchriftBox = nullptr;
    QDoubleSpinBox* GroesseSpin = nullptr;
    QCheckBox* FettCheck = nullptr;
    QCheckBox* KursivCheck = nullptr;
    QComboBox* AusrichtungBox = nullptr;
    QComboBox* VertikalBox = nullptr;
    FarbKnopf* FarbeKnopf = nullptr;
    QCheckBox* RahmenCheck[4] = {}; // links, oben, rechts, unten
    QDoubleSpinBox* RahmenbreiteSpin = nullptr;
    FarbKnopf* RahmenfarbeKnopf = nullptr;
    // Band page.
    QLabel* BereichLabel = nullptr;
    QDoubleSpinBox* BereichHoeheSpin = nullptr;
    QComboBox* DetailquelleBox = nullptr;
    QComboBox* GruppenfeldBox = nullptr;
    // Page page.
    QComboBox* OrientierungBox = nullptr;
    QDoubleSpinBox* RandSpin[4] = {}; // links, oben, rechts, unten
    QSpinBox* ExemplareSpin = nullptr;
    QPlainTextEdit* BeschreibungEdit = nullptr;
    // Data sources, on the page page and (for the detail band's source) on the band page.
    QListWidget* QuellenListe = nullptr;
    QLineEdit* QuellnameEdit = nullptr;
    QComboBox* TabelleBox = nullptr;
    QLineEdit* FilterEdit = nullptr;
    QComboBox* SortierungBox = nullptr;
    QPushButton* NeueQuelleBtn = nullptr;
    QPushButton* QuelleLoeschenBtn = nullptr;
    QComboBox* DetailTabelleBox = nullptr;
    QLineEdit* DetailFilterEdit = nullptr;
    QComboBox* DetailSortierungBox = nullptr;

    // The picture file chooser; tests replace it.
    std::function<QString(QWidget* parent)> bildWaehlen;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    QWidget* elementSeite();
    QWidget* bereichSeite();
    QWidget* seitenSeite();
    QWidget* quellenTeil();
    void elementZeigen();
    void bereichZeigen();
    void seiteZeigen();
    void quelleZeigen();
    void zeilenSichtbar();
    void feldlisteFuellen(QComboBox* box, const QString& quelle, const QString& aktuell);

    // Changes every selected element (the ones shown); one undo step.
    void elementeAendern(const QString& text, const std::function<void(Element&)>& change);
    void einzelnAendern(const QString& text, const std::function<void(Element&)>& change);
    void nameAendern();
    void ausdruckAendern();
    void boxAendern();
    void bildLaden();
    void spaltenAendern();
    void bereichAendern(const QString& text, const std::function<void(Band&)>& change);
    void detailquelleAendern();
    void quelleAendern(const QString& text, const std::function<void(DataSource&)>& change);
    void quelleNeu();
    void quelleLoeschen();
    QString gewaehlteQuelle() const;
    void ablehnen(const QString& text);

    Entwurf& entwurf_;
    Tabellenkunde kunde_;
    QFormLayout* elementForm_ = nullptr;
    QFormLayout* bereichForm_ = nullptr;
    QLayout* groesseZeile_ = nullptr;
    std::vector<ElementRef> angezeigt_;
    std::optional<BandKind> bereich_;
    bool laden_ = false;
};

} // namespace trevo::reports::designer
