#pragma once
// The record navigator: first, prior, next and last record of a data set.
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
