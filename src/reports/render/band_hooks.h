#pragma once
// What the program adds to a rendering: calls made before a band prints (they may
// change the band's elements, read the current record, or leave the band out this
// time), pictures supplied by name, and the date the report counts as printed on.
#include "engine/core/value.h"
#include "reports/model/band.h"

#include <QDate>
#include <QImage>
#include <QMap>

#include <functional>
#include <map>
#include <vector>

namespace trevo::reports {

class ReportData;

// Handed to each call before a band prints.
class BandPrint {
public:
    BandPrint(Band& band, const ReportData& data, int page) : band_(band), data_(data), page_(page) {}
    Band& band() const { return band_; }
    int page() const { return page_; }
    // The field in the current record of the source; EngineError for an unknown one.
    engine::Value value(const QString& source, const QString& field) const;
    // Its text as the table holds it (numbers with decimal comma, dates dd.mm.yyyy).
    QString text(const QString& source, const QString& field) const;
    // That text split into its lines.
    QStringList lines(const QString& source, const QString& field) const;
    // The band does not print this time.
    void skip() { skipped_ = true; }
    bool skipped() const { return skipped_; }

private:
    Band& band_;
    const ReportData& data_;
    int page_;
    bool skipped_ = false;
};

using BeforePrint = std::function<void(BandPrint&)>;

class RenderHooks {
public:
    void addBeforePrint(const Band& band, BeforePrint call) { beforePrint_[&band].push_back(std::move(call)); }
    const std::vector<BeforePrint>* beforePrint(const Band& band) const;
    void clearBeforePrint() { beforePrint_.clear(); }

    void setPicture(const QString& name, const QImage& image) { pictures_[name.toUpper()] = image; }
    QImage picture(const QString& name) const { return pictures_.value(name.toUpper()); }

    QDate printDate; // invalid: the day of rendering

private:
    std::map<const Band*, std::vector<BeforePrint>> beforePrint_;
    QMap<QString, QImage> pictures_;
};

} // namespace trevo::reports
