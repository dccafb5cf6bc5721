#pragma once
// A data source: the named handle through which grids and edits reach a data set of the
// data module. The handle stays the same for the whole run; the data set behind it is
// replaced when the tables move to another data folder, and the listeners are told.
#include "engine/dataset/data_set.h"
#include "engine/core/observers.h"

#include <string>

namespace trevo::data {

class Datenquelle {
public:
    explicit Datenquelle(std::string name) : name_(std::move(name)) {}
    Datenquelle(const Datenquelle&) = delete;
    Datenquelle& operator=(const Datenquelle&) = delete;

    const std::string& name() const { return name_; }
    engine::DataSet* datenmenge() const { return datenmenge_; }

    // Told after the data set behind the source was replaced (argument: the new one).
    engine::Subscription beobachten(engine::ObserverList<engine::DataSet*>::Listener l)
    {
        return gewechselt_.subscribe(std::move(l));
    }

    void setzen(engine::DataSet* ds)
    {
        if (ds == datenmenge_) return;
        datenmenge_ = ds;
        gewechselt_.notify(ds);
    }

private:
    std::string name_;
    engine::DataSet* datenmenge_ = nullptr;
    engine::ObserverList<engine::DataSet*> gewechselt_;
};

} // namespace trevo::data
