#pragma once
// The record navigator: first, prior, next and last record of a data set. Each button
// takes what was typed into the controls into the record first; the move then stores (or
// drops) a pending record. A button is enabled while it can move: back from any but the
// first record, forward from any but the last, both ways from a pending record.
#include "dbcontrols/data_link.h"

#include <QWidget>

class QToolButton;

namespace trevo::controls {

class DBNavigator : public QWidget {
    Q_OBJECT
public:
    explicit DBNavigator(QWidget* parent = nullptr);

    DataLink& link() { return link_; }
    void setDataSet(engine::DataSet* ds) { link_.setDataSet(ds); }
    void setSource(data::Datenquelle* source) { link_.setSource(source); }

    QToolButton* firstButton() const { return buttons_[0]; }
    QToolButton* priorButton() const { return buttons_[1]; }
    QToolButton* nextButton() const { return buttons_[2]; }
    QToolButton* lastButton() const { return buttons_[3]; }

private:
    void updateButtons();

    DataLink link_;
    QToolButton* buttons_[4] = {};
};

} // namespace trevo::controls
