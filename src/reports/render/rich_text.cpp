#include "reports/render/rich_text.h"

#include "reports/render/measure.h"

#include <QAbstractTextDocumentLayout>

namespace trevo::reports {

std::unique_ptr<QTextDocument> richDocument(const QString& html, const TextStyle& style, double widthMm)
{
    auto doc = std::make_unique<QTextDocument>();
    doc->documentLayout()->setPaintDevice(&measureDevice());
    doc->setDefaultFont(fontOf(style));
    doc->setDocumentMargin(0);
    QTextOption option = doc->defaultTextOption();
    option.setAlignment(style.align == HAlign::Center  ? Qt::AlignHCenter
                        : style.align == HAlign::Right ? Qt::AlignRight
                                                       : Qt::AlignLeft);
    doc->setDefaultTextOption(option);
    doc->setHtml(html);
    doc->setTextWidth(measureFromMm(widthMm));
    return doc;
}

double richHeightMm(const QString& html, const TextStyle& style, double widthMm)
{
    return mmFromMeasure(richDocument(html, style, widthMm)->size().height());
}

} // namespace trevo::reports
