#pragma once
// Before a report prints: every field its elements and its groups name exists in the
// table of its source. Throws engine::EngineError naming the element and the field.
#include "reports/model/layout.h"

namespace trevo::reports {

class ReportData;

void checkFieldReferences(const Layout& layout, const ReportData& data);

} // namespace trevo::reports
