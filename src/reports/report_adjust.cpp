// The adjustments the program makes to a loaded report.
#include "reports/report.h"

namespace trevo::reports {

Element* Report::element(const QString& name)
{
    return layout_ ? layout_->element(name) : nullptr;
}

QList<Element*> Report::elements(ElementKind kind)
{
    QList<Element*> out;
    if (!layout_) return out;
    for (Band& b : layout_->bands)
        for (Element& e : b.elements)
            if (e.kind() == kind) out << &e;
    return out;
}

Band* Report::bandOf(const Element& e)
{
    return layout_ ? layout_->bandOf(e) : nullptr;
}

bool Report::setLabelText(const QString& name, const QString& text)
{
    LabelElement* label = find<LabelElement>(name);
    if (!label) return false;
    label->text = text;
    return true;
}

Element& Report::addTextElement(Band& band, const QString& name, const Element& like)
{
    Element e;
    e.name = name;
    e.box = like.box;
    e.style = like.style;
    e.frame = like.frame;
    e.data = TextElement{};
    return band.elements.emplace_back(std::move(e));
}

Element* Report::addTextElementLike(const QString& likeName, const QString& name)
{
    Element* like = element(likeName);
    Band* band = like ? bandOf(*like) : nullptr;
    return band ? &addTextElement(*band, name, *like) : nullptr;
}

bool Report::clearBinding(const QString& name)
{
    Element* e = element(name);
    if (!e) return false;
    if (auto* f = e->as<FieldElement>()) {
        f->source.clear();
        f->field.clear();
        return true;
    }
    if (auto* r = e->as<RichTextElement>()) {
        r->source.clear();
        r->field.clear();
        return true;
    }
    return false;
}

bool Report::beforePrint(BandKind kind, BeforePrint call)
{
    Band* band = layout_ ? layout_->band(kind) : nullptr;
    if (!band) return false;
    beforePrint(*band, std::move(call));
    return true;
}

} // namespace trevo::reports
