#pragma once
// The sums and counts of a report's expressions. Over the detail source they run with
// the printed rows, once for the whole report and once for the current group; over any
// other source they cover all its records and are worked out before printing starts.
// Fields with decimals are summed in whole units of their last decimal, so that a
// column of amounts adds up to the cent.
#include "engine/core/value.h"
#include "engine/dbf/field.h"
#include "reports/model/expression.h"
#include "reports/model/layout.h"

#include <QString>

#include <map>
#include <optional>

namespace trevo::reports {

class ReportData;

class Totals {
public:
    void prepare(const Layout& layout, const ReportData& data);
    // The detail source's current record is printed.
    void addDetailRow(const ReportData& data);
    void startGroup();

    // A SUM or COUNT term; group: of the current group rather than the report.
    engine::Value value(const Term& term, bool group) const;
    // The field a SUM adds up, for its decimals; null for COUNT.
    const engine::FieldDef* field(const Term& term) const;

private:
    struct Sum {
        int decimals = -1; // -1: summed as floating-point numbers
        qint64 units = 0;
        double plain = 0;
        qint64 rows = 0;
        void add(const engine::Value& v);
        engine::Value value(bool count) const;
    };
    struct Entry {
        Term term;
        engine::FieldDef def;
        bool detail = false;
        Sum report, group;
    };
    void addTerm(const Term& t, const ReportData& data);
    void sumAll(Entry& e, const ReportData& data);
    static QString keyOf(const Term& t);

    QString detailSource_;
    std::map<QString, Entry> entries_;
};

} // namespace trevo::reports
