#include "reports/druck/memo_adjustment.h"

#include "reports/render/memo_text.h"

#include <QTextDocumentFragment>

#include <memory>
#include <vector>

namespace trevo::reports {

namespace {

// A text element put in a memo's place and the field it prints.
struct Memo {
    Element* text;
    QString source, field;
};

using Memos = std::vector<Memo>;

// The text element for the formatted-text element, which prints nothing from then on.
Memo replace(Report& report, Band& band, Element& rich)
{
    auto& binding = *rich.as<RichTextElement>();
    Element& text = report.addTextElement(band, rich.name + QStringLiteral("memo"), rich);
    text.as<TextElement>()->stretch = binding.stretch;
    Memo memo{&text, binding.source.isEmpty() ? band.source : binding.source, binding.field};
    binding.source.clear();
    binding.field.clear();
    return memo;
}

} // namespace

QStringList memoLines(const QStringList& lines)
{
    if (lines.isEmpty() || !lines.front().startsWith(QStringLiteral("{\\rtf"))) return lines;
    const QString plain = QTextDocumentFragment::fromHtml(rtfToHtml(lines.join(u'\n'))).toPlainText();
    return plain.isEmpty() ? QStringList() : plain.split(u'\n');
}

void adjustMemos(Report& report)
{
    auto memos = std::make_shared<Memos>();
    const QList<Element*> rich = report.elements(ElementKind::RichText);
    for (qsizetype i = 0; i < rich.size() && i < kMaxMemos; ++i) {
        Band* band = report.bandOf(*rich[i]);
        if (band && !rich[i]->as<RichTextElement>()->field.isEmpty()) memos->push_back(replace(report, *band, *rich[i]));
    }
    if (memos->empty()) return;
    for (Band& band : report.layout().bands)
        report.beforePrint(band, [memos](BandPrint& p) {
            for (const Memo& m : *memos) m.text->as<TextElement>()->lines = memoLines(p.lines(m.source, m.field));
        });
}

} // namespace trevo::reports
