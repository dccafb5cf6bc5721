#include "masterdata/bindung/navigator.h"

#include "dbcontrols/command_guard.h"

#include <QHBoxLayout>
#include <QStyle>
#include <QToolButton>

namespace trevo::masterdata::bindung {

Navigator::Navigator(engine::DataSet* ds, QWidget* parent) : QWidget(parent)
{
    auto* layout = new QHBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    auto add = [&](const char* name, QStyle::StandardPixmap icon, const QString& hint, auto move) {
        auto* b = new QToolButton(this);
        b->setObjectName(QString::fromLatin1(name));
        b->setIcon(style()->standardIcon(icon));
        b->setToolTip(hint);
        b->setAutoRaise(true);
        layout->addWidget(b);
        connect(b, &QToolButton::clicked, this, [this, move] {
            if (ds_ && ds_->active()) controls::runGuarded([&] { move(*ds_); });
        });
        return b;
    };
    ersterKnopf = add("ErsterKnopf", QStyle::SP_MediaSkipBackward, QStringLiteral("Erster Datensatz"),
                      [](engine::DataSet& d) { d.first(); });
    vorigerKnopf = add("VorigerKnopf", QStyle::SP_MediaSeekBackward, QStringLiteral("Voriger Datensatz"),
                       [](engine::DataSet& d) { d.prior(); });
    naechsterKnopf = add("NaechsterKnopf", QStyle::SP_MediaSeekForward, QStringLiteral("Nächster Datensatz"),
                         [](engine::DataSet& d) { d.next(); });
    letzterKnopf = add("LetzterKnopf", QStyle::SP_MediaSkipForward, QStringLiteral("Letzter Datensatz"),
                       [](engine::DataSet& d) { d.last(); });
    setDataSet(ds);
}

void Navigator::setDataSet(engine::DataSet* ds)
{
    subscription_.reset();
    ds_ = ds;
    if (ds_)
        subscription_ = ds_->subscribe([this](const engine::DataSetEvent& e) {
            if (e.kind == engine::DataSetEvent::Kind::Destroyed) {
                ds_ = nullptr;
                subscription_.reset();
            }
            zustand();
        });
    zustand();
}

void Navigator::zustand()
{
    const bool usable = ds_ && ds_->active();
    for (QToolButton* b : {ersterKnopf, vorigerKnopf, naechsterKnopf, letzterKnopf}) b->setEnabled(usable);
}

} // namespace trevo::masterdata::bindung
