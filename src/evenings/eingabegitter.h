#pragma once
// The two entry grids of the evening window's detail page: the games grid (one amount per
// participant and game position) and the other-items grid (one count per participant and
// item of the evening's price list). Plain text cells, not bound to the database.
//
// Layout (cells addressed column first):
//   row 0   "Kegler Nr."  and per participant column the bowler number (KEGLER)
//   row 1   "Name/Pos." / "Name/Spiel Nr." "Spiel"  and the bowler's name
//   row 2   hidden (height 0): the participant record number (KEGLTERM.NUMMER)
//   row 3+  games: the game position in column 0; items: item number and name in
//           columns 0 and 1; the amounts or counts in the participant columns.
// Invariant: there is always at least one participant column (an empty one after a
// reset) and, in the games grid, at least one game row.
#include "dbcontrols/string_grid.h"

#include <QString>

#include <utility>
#include <vector>

namespace trevo::evenings {

enum class Gitterart { Spiele, Sonstige };

// An item of the price list: its NUMMER and BEZEICHNUN.
using Posten = std::pair<QString, QString>;

class Eingabegitter : public controls::StringGrid {
    Q_OBJECT
public:
    Eingabegitter(Gitterart art, QWidget* parent = nullptr);

    Gitterart art() const { return art_; }
    int ersteSpalte() const { return art_ == Gitterart::Spiele ? 1 : 2; }
    static constexpr int ersteZeile = 3;

    // The empty layout; the items grid lists the items of the price list.
    void zuruecksetzen(const std::vector<Posten>& posten = {});

    // Participant columns.
    void kopfSchreiben(int col, const QString& kegler, const QString& name, const QString& teilnehmer);
    QString kegler(int col) const { return cell(col, 0); }
    QString teilnehmer(int col) const { return cell(col, 2); }
    // One empty participant column at the right end.
    void spalteAnfuegen();
    // The column of the bowler, trying `zuerst` first, else from the left; -1 for none.
    int spalteVon(const QString& kegler, int zuerst = -1) const;
    // The column that showed the bowler `vorher`: the first participant column up to the
    // last but one that does, else the last column.
    int spalteZumUmbenennen(const QString& vorher) const;
    // Removes the bowler's column; the only participant column stays, emptied.
    void spalteEntfernen(const QString& kegler);

    // Rows of the games grid.
    void spielzeileAnfuegen();
    void SpielEinfuegen();
    void SpielLoeschen();
    void AlleSpieleEntfernen();
    // The row of an item from row 3 down; -1 for none.
    int postenZeile(const QString& typ) const;
    int postenzeileAnfuegen(const QString& typ);
    // Row 3, one column to the right unless the current column is the last.
    void ErsteReiheNaechsteSpalte();

    // The cell's text read as a number in point notation (a comma taken as the point).
    static bool zahlLesbar(const QString& text);
    // "1.5" as "1,50"; other texts unchanged.
    static QString zweiStellen(const QString& text);

signals:
    // Esc was pressed in the grid or in a cell being edited.
    void abbruchGewuenscht();
    // The grid received the focus.
    void betreten();

protected:
    void keyPressEvent(QKeyEvent* event) override;
    void focusInEvent(QFocusEvent* event) override;

private:
    friend class ZellenEditor;
    // The keys of the entry: true when the key was dealt with completely.
    bool eingabetaste(int key);
    void zelleVerlassen(int col, int row);

    Gitterart art_;
    int letzteSpalte_ = -1, letzteZeile_ = -1; // the cell last selected since the focus came
};

} // namespace trevo::evenings
