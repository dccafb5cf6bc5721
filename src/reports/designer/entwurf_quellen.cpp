#include "reports/designer/entwurf.h"
#include "reports/model/expression.h"

#include <QRegularExpression>

namespace trevo::reports::designer {

bool quelleBenutzt(const Layout& layout, const QString& name)
{
    const auto gleich = [&](const QString& s) { return s.compare(name, Qt::CaseInsensitive) == 0; };
    for (const Band& b : layout.bands) {
        if (b.kind == BandKind::Detail && gleich(b.source)) return true;
        for (const Element& e : b.elements) {
            if (const auto* f = e.as<FieldElement>(); f && gleich(f->source)) return true;
            if (const auto* r = e.as<RichTextElement>(); r && gleich(r->source)) return true;
            if (const auto* x = e.as<ExprElement>()) {
                QString why;
                if (const auto parsed = parseExpression(x->expression, &why))
                    for (const QString& s : sourcesOf(*parsed))
                        if (gleich(s)) return true;
            }
        }
    }
    return false;
}

bool gueltigerQuellname(const QString& name)
{
    static const QRegularExpression muster(QStringLiteral("^[A-Za-z_][A-Za-z0-9_]{0,63}$"));
    return muster.match(name).hasMatch();
}

} // namespace trevo::reports::designer
