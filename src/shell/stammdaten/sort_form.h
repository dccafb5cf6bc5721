#pragma once
// The sort dialog: the calling window's sort orders as a radio group. Created for each
// use: the caller sets the caption, the items and the group's height, selects the item
// of the current order (or none), shows it and reads the selected item (-1 for none).
#include <QDialog>
#include <QStringList>

class QButtonGroup;
class QGroupBox;
class QPushButton;
class QVBoxLayout;

namespace trevo::shell::stammdaten {

class TSortForm : public QDialog {
    Q_OBJECT
public:
    explicit TSortForm(QWidget* parent = nullptr);

    // Replaces the items of the radio group; none is selected afterwards.
    void setItems(const QStringList& items);
    QStringList items() const;
    void setGroupHeight(int pixels);
    // The selected item, -1 for none; setItemIndex(-1) clears the selection.
    int itemIndex() const;
    void setItemIndex(int index);

    QGroupBox* RadioGroup1 = nullptr;
    QPushButton* OKBtn = nullptr;
    QPushButton* CancelBtn = nullptr;

    // "Abbrechen" and Esc clear the selection.
    void reject() override;

private:
    QButtonGroup* buttons_ = nullptr;
    QVBoxLayout* itemLayout_ = nullptr;
};

} // namespace trevo::shell::stammdaten
