#include "dbcontrols/db_navigator.h"

#include "dbcontrols/command_guard.h"

#include <QHBoxLayout>
#include <QStyle>
#include <QToolButton>

namespace trevo::controls {

DBNavigator::DBNavigator(QWidget* parent)
    : QWidget(parent), link_([this](const engine::DataSetEvent&) { updateButtons(); })
{
    const QStyle::StandardPixmap icons[4] = {QStyle::SP_MediaSkipBackward, QStyle::SP_MediaSeekBackward,
                                             QStyle::SP_MediaSeekForward, QStyle::SP_MediaSkipForward};
    const char* hints[4] = {"Erster Datensatz", "Vorheriger Datensatz", "Nächster Datensatz", "Letzter Datensatz"};
    auto* layout = new QHBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(1);
    for (int i = 0; i < 4; ++i) {
        buttons_[i] = new QToolButton(this);
        buttons_[i]->setIcon(style()->standardIcon(icons[i]));
        buttons_[i]->setToolTip(QString::fromUtf8(hints[i]));
        buttons_[i]->setAutoRaise(true);
        layout->addWidget(buttons_[i]);
    }
    auto move = [this](auto step) {
        return guarded([this, step] {
            if (engine::DataSet* ds = link_.dataSet(); ds && ds->active()) {
                updateRecord(*ds);
                step(*ds);
            }
        });
    };
    connect(buttons_[0], &QToolButton::clicked, this, move([](engine::DataSet& ds) { ds.first(); }));
    connect(buttons_[1], &QToolButton::clicked, this, move([](engine::DataSet& ds) { ds.prior(); }));
    connect(buttons_[2], &QToolButton::clicked, this, move([](engine::DataSet& ds) { ds.next(); }));
    connect(buttons_[3], &QToolButton::clicked, this, move([](engine::DataSet& ds) { ds.last(); }));
    updateButtons();
}

void DBNavigator::updateButtons()
{
    engine::DataSet* ds = link_.dataSet();
    bool back = false, forward = false;
    if (ds && ds->active() && !ds->isEmpty()) {
        const auto pos = ds->position();
        const size_t count = ds->recordCount();
        back = !pos || *pos > 0 || ds->editing();
        forward = !pos || *pos + 1 < count || ds->editing();
    }
    buttons_[0]->setEnabled(back);
    buttons_[1]->setEnabled(back);
    buttons_[2]->setEnabled(forward);
    buttons_[3]->setEnabled(forward);
}

} // namespace trevo::controls
