#include "reports/render/band_hooks.h"

#include "engine/dataset/field_text.h"
#include "reports/data/report_data.h"
#include "reports/render/measure.h"

namespace trevo::reports {

engine::Value BandPrint::value(const QString& source, const QString& field) const
{
    return data_.value(source, field);
}

QString BandPrint::text(const QString& source, const QString& field) const
{
    return QString::fromStdString(engine::fieldText(data_.fieldDef(source, field), value(source, field)));
}

QStringList BandPrint::lines(const QString& source, const QString& field) const
{
    const QString t = text(source, field);
    return t.isEmpty() ? QStringList() : unifyLineFeeds(t).split(u'\n');
}

const std::vector<BeforePrint>* RenderHooks::beforePrint(const Band& band) const
{
    const auto it = beforePrint_.find(&band);
    return it == beforePrint_.end() ? nullptr : &it->second;
}

} // namespace trevo::reports
