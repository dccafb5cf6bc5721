#pragma once
// Reading of one element of a band (the reader's part for <label>, <field>, ...),
// checked against the data sources read before it.
#include "reports/format/xml_input.h"
#include "reports/model/layout.h"

namespace trevo::reports::format {

// The current start element is an element of a band; reads it up to its end.
Element readElement(XmlInput& in, const Layout& layout);

} // namespace trevo::reports::format
