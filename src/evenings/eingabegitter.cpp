#include "evenings/eingabegitter.h"

#include "common/dialogs/dialogs.h"

#include <QKeyEvent>
#include <QRegularExpression>
#include <QStyledItemDelegate>

namespace trevo::evenings {

namespace {

bool punktnotation(const QString& text)
{
    static const QRegularExpression zahl(QStringLiteral(R"(^\s*[+-]?(\d+\.?\d*|\.\d+)([eE][+-]?\d+)?\s*$)"));
    return zahl.match(text).hasMatch();
}

bool eingabeTaste(int key)
{
    return key == Qt::Key_Return || key == Qt::Key_Enter || key == Qt::Key_Down || key == Qt::Key_PageDown;
}

} // namespace

// The editor of a cell hands the keys of the entry to the grid: the text is taken into
// the cell first, then the grid checks it and moves.
class ZellenEditor : public QStyledItemDelegate {
public:
    explicit ZellenEditor(Eingabegitter& gitter) : QStyledItemDelegate(&gitter), gitter_(gitter) {}

protected:
    bool eventFilter(QObject* object, QEvent* event) override
    {
        auto* editor = qobject_cast<QWidget*>(object);
        if (editor && event->type() == QEvent::KeyPress) {
            const int key = static_cast<QKeyEvent*>(event)->key();
            if (key == Qt::Key_Escape) {
                emit closeEditor(editor, QAbstractItemDelegate::RevertModelCache);
                emit gitter_.abbruchGewuenscht();
                return true;
            }
            if (eingabeTaste(key) || key == Qt::Key_Up || key == Qt::Key_PageUp) {
                emit commitData(editor);
                emit closeEditor(editor, QAbstractItemDelegate::NoHint);
                if (!gitter_.eingabetaste(key)) {
                    QKeyEvent copy(QEvent::KeyPress, key, Qt::NoModifier);
                    gitter_.StringGrid::keyPressEvent(&copy);
                }
                return true;
            }
        }
        return QStyledItemDelegate::eventFilter(object, event);
    }

private:
    Eingabegitter& gitter_;
};

Eingabegitter::Eingabegitter(Gitterart art, QWidget* parent) : controls::StringGrid(parent), art_(art)
{
    setItemDelegate(new ZellenEditor(*this));
    setFixedRows(3);
    setFixedCols(art == Gitterart::Spiele ? 1 : 2);
    setDefaultColWidth(100);
    setDefaultRowHeight(18);
    connect(this, &StringGrid::cellSelected, this, [this](int col, int row, int, int) {
        if (art_ == Gitterart::Spiele && letzteSpalte_ >= 0 && (col != letzteSpalte_ || row != letzteZeile_))
            zelleVerlassen(letzteSpalte_, letzteZeile_);
        letzteSpalte_ = col;
        letzteZeile_ = row;
    });
    zuruecksetzen();
    setHorizontalScrollMode(QAbstractItemView::ScrollPerPixel);
}

void Eingabegitter::zuruecksetzen(const std::vector<Posten>& posten)
{
    for (int c = ersteSpalte(); c < colCount(); ++c) clearCol(c);
    setColCount(ersteSpalte() + 1);
    setRowCount(4);
    setRowHeightPx(2, 0);
    if (art_ == Gitterart::Spiele) {
        setColWidth(0, 65);
        setCell(0, 0, QStringLiteral("Kegler Nr."));
        setCell(0, 1, QStringLiteral("Name/Pos."));
        setCell(0, 3, QStringLiteral("1"));
    } else {
        setColWidth(0, 75);
        setCell(0, 0, QStringLiteral("Kegler Nr."));
        setCell(0, 1, QStringLiteral("Name/Spiel Nr."));
        setCell(1, 1, QStringLiteral("Spiel"));
        setCell(0, 3, QString());
        setCell(1, 3, QString());
        for (size_t k = 0; k < posten.size(); ++k) {
            const int row = ersteZeile + static_cast<int>(k);
            if (row >= rowCount()) setRowCount(row + 1);
            setCell(0, row, posten[k].first);
            setCell(1, row, posten[k].second);
        }
        clearCol(2);
    }
    letzteSpalte_ = letzteZeile_ = -1;
}

void Eingabegitter::kopfSchreiben(int col, const QString& kegler, const QString& name, const QString& teilnehmer)
{
    setCell(col, 0, kegler);
    setCell(col, 1, name);
    setCell(col, 2, teilnehmer);
}

void Eingabegitter::spalteAnfuegen()
{
    setColCount(colCount() + 1);
    clearCol(colCount() - 1);
}

int Eingabegitter::spalteVon(const QString& k, int zuerst) const
{
    if (zuerst >= ersteSpalte() && zuerst < colCount() && kegler(zuerst) == k) return zuerst;
    for (int c = ersteSpalte(); c < colCount(); ++c)
        if (kegler(c) == k) return c;
    return -1;
}

int Eingabegitter::spalteZumUmbenennen(const QString& vorher) const
{
    for (int c = ersteSpalte(); c < colCount() - 1; ++c)
        if (kegler(c) == vorher) return c;
    return colCount() - 1;
}

void Eingabegitter::spalteEntfernen(const QString& k)
{
    const int col = spalteVon(k);
    if (col < 0) return;
    for (int c = col; c < colCount() - 1; ++c)
        for (int r = 0; r < rowCount(); ++r) setCell(c, r, cell(c + 1, r));
    clearCol(colCount() - 1);
    if (colCount() - 1 > ersteSpalte()) setColCount(colCount() - 1);
}

void Eingabegitter::spielzeileAnfuegen()
{
    setRowCount(rowCount() + 1);
    setCell(0, rowCount() - 1, QString::number(rowCount() - 3));
}

void Eingabegitter::SpielEinfuegen()
{
    const int current = std::max(row(), ersteZeile);
    setRowCount(rowCount() + 1);
    for (int r = rowCount() - 1; r > current; --r) {
        for (int c = ersteSpalte(); c < colCount(); ++c) setCell(c, r, cell(c, r - 1));
        setCell(0, r, QString::number(r - 2));
    }
    for (int c = ersteSpalte(); c < colCount(); ++c) setCell(c, current, QString());
    setFocus();
}

void Eingabegitter::SpielLoeschen()
{
    const int current = std::max(row(), ersteZeile);
    if (rowCount() - ersteZeile > 1) {
        for (int r = current; r < rowCount() - 1; ++r) {
            for (int c = ersteSpalte(); c < colCount(); ++c) setCell(c, r, cell(c, r + 1));
            setCell(0, r, QString::number(r - 2));
        }
        setRowCount(rowCount() - 1);
    } else {
        for (int c = ersteSpalte(); c < colCount(); ++c) setCell(c, ersteZeile, QString());
    }
    setFocus();
}

void Eingabegitter::AlleSpieleEntfernen()
{
    setRowCount(4);
    for (int c = ersteSpalte(); c < colCount(); ++c) setCell(c, ersteZeile, QString());
    setFocus();
}

int Eingabegitter::postenZeile(const QString& typ) const
{
    for (int r = ersteZeile; r < rowCount(); ++r)
        if (cell(0, r) == typ) return r;
    return -1;
}

int Eingabegitter::postenzeileAnfuegen(const QString& typ)
{
    setRowCount(rowCount() + 1);
    setCell(0, rowCount() - 1, typ);
    return rowCount() - 1;
}

void Eingabegitter::ErsteReiheNaechsteSpalte()
{
    setFocus();
    const int c = std::max(col(), ersteSpalte());
    setCurrent(c < colCount() - 1 ? c + 1 : c, ersteZeile);
}

bool Eingabegitter::zahlLesbar(const QString& text)
{
    QString copy = text;
    return punktnotation(copy.replace(',', '.'));
}

QString Eingabegitter::zweiStellen(const QString& text)
{
    if (!punktnotation(text)) return text;
    return QString::asprintf("%1.2f", text.trimmed().toDouble()).replace('.', ',');
}

void Eingabegitter::zelleVerlassen(int c, int r)
{
    if (c < 0 || r < 0 || c >= colCount() || r >= rowCount() || isFixed(c, r)) return;
    const QString text = cell(c, r);
    const QString neu = zweiStellen(text);
    if (neu != text) setCell(c, r, neu);
}

bool Eingabegitter::eingabetaste(int key)
{
    if (!eingabeTaste(key)) return false;
    const int c = col(), r = row();
    if (c < 0 || r < 0) return false;
    bool verworfen = false;
    const QString text = cell(c, r).trimmed();
    if (!text.isEmpty() && !zahlLesbar(text)) {
        common::dialogs().message(QStringLiteral("Ungültige Eingabe"));
        verworfen = true;
    }
    const bool letzte = r == rowCount() - 1;
    if (art_ == Gitterart::Spiele && letzte) spielzeileAnfuegen();
    if (verworfen) return true;
    // Enter goes down the column: in the games grid into the row just added.
    if (key == Qt::Key_Return || key == Qt::Key_Enter) {
        if (r + 1 < rowCount()) setCurrent(c, r + 1);
        return true;
    }
    return false;
}

void Eingabegitter::keyPressEvent(QKeyEvent* event)
{
    const int key = event->key();
    if (key == Qt::Key_Escape) {
        emit abbruchGewuenscht();
        return;
    }
    if (key == Qt::Key_Delete && state() != EditingState) {
        if (col() >= 0 && row() >= 0 && !isFixed(col(), row())) setCell(col(), row(), QString());
        return;
    }
    if (state() != EditingState && eingabetaste(key)) return;
    controls::StringGrid::keyPressEvent(event);
}

void Eingabegitter::focusInEvent(QFocusEvent* event)
{
    controls::StringGrid::focusInEvent(event);
    if (col() < ersteSpalte() || row() < ersteZeile) setCurrent(ersteSpalte(), ersteZeile);
    letzteSpalte_ = col();
    letzteZeile_ = row();
    if (event->reason() != Qt::PopupFocusReason && event->reason() != Qt::OtherFocusReason) emit betreten();
}

} // namespace trevo::evenings
