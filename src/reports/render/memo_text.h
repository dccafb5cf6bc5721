#pragma once
// The content of a memo field for a rich-text element. Memos hold HTML, RTF (from
// older editors) or plain text; each becomes HTML for the element.
#include <QString>

namespace trevo::reports {

// HTML stays as it is; RTF becomes its text (paragraphs, tabs, bold and italic kept);
// plain text is escaped, its line feeds kept.
QString memoHtml(const QString& memo);

// The text of an RTF document as HTML. Unknown control words and the groups of fonts,
// colours, styles, pictures and document information are left out.
QString rtfToHtml(const QString& rtf);

} // namespace trevo::reports
