#pragma once
// The keys of the entry fields, one helper for every entry panel:
// Esc asks "Dateneingabe abbrechen ?" and on Yes emits cancelConfirmed();
// Enter, Down and Page Down move to the next field in tab order; Up and Page Up to the
// previous one. Other keys stay with the field.
#include <QObject>

class QWidget;

namespace trevo::controls {

class EntryKeys : public QObject {
    Q_OBJECT
public:
    explicit EntryKeys(QObject* parent = nullptr);

    // Watches one entry field.
    void attach(QWidget* field);
    // Watches every entry field (edits, memos, combos, check boxes, spin boxes) inside the panel.
    void attachAll(QWidget* panel);

    // The field that follows (or precedes) `from` in tab order among the enabled, visible
    // fields of its window; nullptr when there is none.
    static QWidget* neighbour(QWidget* from, bool forward);

signals:
    void cancelConfirmed();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
};

} // namespace trevo::controls
