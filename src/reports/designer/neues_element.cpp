#include "reports/designer/neues_element.h"

#include "reports/designer/namen.h"

namespace trevo::reports::designer {

namespace {

const DataSource* standardQuelle(const Layout& layout)
{
    if (const DataSource* s = layout.detailSource()) return s;
    return layout.sources.empty() ? nullptr : &layout.sources.front();
}

} // namespace

std::optional<Element> neuesElement(ElementKind kind, const Layout& layout,
                                    const std::function<QStringList(const QString& datei)>& felder)
{
    Element e;
    e.name = namensStamm(kind) + u'1';
    e.box = QRectF(0, 0, 30, 5);
    const DataSource* quelle = standardQuelle(layout);
    const auto erstesFeld = [&] {
        const QStringList f = quelle ? felder(quelle->fileName) : QStringList();
        return f.isEmpty() ? QStringLiteral("NUMMER") : f.front();
    };
    switch (kind) {
    case ElementKind::Label: e.data = LabelElement{QStringLiteral("Text")}; break;
    case ElementKind::Field:
        if (!quelle) return std::nullopt;
        e.data = FieldElement{quelle->name, erstesFeld(), {}};
        break;
    case ElementKind::Expr:
        e.box.setWidth(40);
        e.data = ExprElement{QStringLiteral("\"Seite \" + PAGE"), {}};
        break;
    case ElementKind::RichText:
        if (!quelle) return std::nullopt;
        e.box.setSize(QSizeF(60, 10));
        e.data = RichTextElement{quelle->name, erstesFeld(), true};
        break;
    case ElementKind::Text:
        e.box.setSize(QSizeF(60, 10));
        e.data = TextElement{{QStringLiteral("Text")}, true};
        break;
    case ElementKind::Line:
        e.box.setSize(QSizeF(50, 0));
        e.data = LineElement{};
        break;
    case ElementKind::Rect:
        e.box.setSize(QSizeF(30, 15));
        e.data = RectElement{};
        break;
    case ElementKind::Picture:
        e.box.setSize(QSizeF(40, 12));
        e.data = PictureElement{{}, QStringLiteral("LOGO"), true};
        break;
    case ElementKind::Grid:
        e.box.setSize(QSizeF(100, 30));
        e.data = GridElement{5, {{QStringLiteral("Spalte 1"), 0}, {QStringLiteral("Spalte 2"), 0}}, 0.2};
        break;
    }
    return e;
}

QPointF freierPlatz(const Band& band, QSizeF)
{
    QPointF p(0, 0);
    for (int versuch = 0; versuch < 100; ++versuch) {
        bool belegt = false;
        for (const Element& e : band.elements)
            if (qAbs(e.box.left() - p.x()) < 0.05 && qAbs(e.box.top() - p.y()) < 0.05) belegt = true;
        if (!belegt) return p;
        p += QPointF(2, 2);
    }
    return p;
}

} // namespace trevo::reports::designer
