#pragma once
// The record navigator: first, prior, next and last record of a data set.
#include "engine/dataset/data_set.h"

#include <QWidget>

class QToolButton;

namespace trevo::masterdata::bindung {

class Navigator : public QWidget {
    Q_OBJECT
public:
    Navigator(engine::DataSet* ds, QWidget* parent);
    void setDataSet(engine::DataSet* ds);

    QToolButton* ersterKnopf = nullptr;
    QToolButton* vorigerKnopf = nullptr;
    QToolButton* naechsterKnopf = nullptr;
    QToolButton* letzterKnopf = nullptr;

private:
    void zustand();
    engine::DataSet* ds_;
    engine::Subscription subscription_;
};

} // namespace trevo::masterdata::bindung
