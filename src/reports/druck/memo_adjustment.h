#pragma once
// Memos print line by line. The program does not print a memo field through its
// formatted-text element: after loading a report it puts a plain multi-line text
// element with the same box, font, alignment and colour in the element's place and
// fills its lines from the memo field before each band prints. Only the first
// kMaxMemos formatted-text elements of a layout (in the order of the bands and their
// elements) are looked at; those further on print as they are.
#include "reports/report.h"

namespace trevo::reports {

inline constexpr int kMaxMemos = 10;

// The after-load adjustment of every report the program prints. For each formatted-text
// element among the first kMaxMemos whose field is set: a text element named after it
// plus "memo" on its band, and the element's binding cleared.
void adjustMemos(Report& report);

// The lines a memo prints, given the lines of the field's text: those lines; an RTF memo
// (from older editors) as the lines of its plain text.
QStringList memoLines(const QStringList& lines);

} // namespace trevo::reports
