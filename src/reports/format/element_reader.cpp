#include "reports/format/element_reader.h"

#include "reports/model/expression.h"

#include <QBuffer>
#include <QImageReader>
#include <QRegularExpression>

namespace trevo::reports::format {
namespace {

constexpr qsizetype maxNameChars = 64;
constexpr double maxPenMm = 10;

QString boundedName(XmlInput& in, Attributes& a, const QString& attribute, bool required)
{
    const QString v = required ? a.required(attribute) : a.text(attribute);
    if (v.size() > maxNameChars) in.fail(QStringLiteral("Attribut '%1' ist länger als %2 Zeichen").arg(attribute).arg(maxNameChars));
    if (required && v.trimmed().isEmpty()) in.fail(QStringLiteral("Attribut '%1' ist leer").arg(attribute));
    return v;
}

void readBox(XmlInput& in, Attributes& a, Element& e)
{
    e.name = boundedName(in, a, QStringLiteral("name"), false);
    const double limit = Limits::lengthMm;
    e.box = QRectF(a.requiredNumber(QStringLiteral("x"), 0, limit), a.requiredNumber(QStringLiteral("y"), 0, limit),
                   a.requiredNumber(QStringLiteral("width"), 0, limit), a.requiredNumber(QStringLiteral("height"), 0, limit));
}

template <class E>
E choice(XmlInput& in, Attributes& a, const QString& attribute, std::initializer_list<std::pair<const char*, E>> options,
         E fallback)
{
    if (!a.has(attribute)) return fallback;
    const QString v = a.text(attribute);
    for (const auto& [name, value] : options)
        if (v == QLatin1String(name)) return value;
    in.fail(QStringLiteral("Attribut '%1' hat den unbekannten Wert '%2'").arg(attribute, v.left(40)));
}

void readStyle(XmlInput& in, Attributes& a, TextStyle& s)
{
    s.fontFamily = a.text(QStringLiteral("font"), s.fontFamily);
    if (s.fontFamily.trimmed().isEmpty() || s.fontFamily.size() > maxNameChars)
        in.fail(QStringLiteral("Attribut 'font' ist leer oder zu lang"));
    s.pointSize = a.number(QStringLiteral("size"), 1, 200, s.pointSize);
    s.bold = a.flag(QStringLiteral("bold"), s.bold);
    s.italic = a.flag(QStringLiteral("italic"), s.italic);
    s.align = choice(in, a, QStringLiteral("align"),
                     {{"left", HAlign::Left}, {"center", HAlign::Center}, {"right", HAlign::Right}}, s.align);
    s.valign = choice(in, a, QStringLiteral("valign"),
                      {{"top", VAlign::Top}, {"middle", VAlign::Middle}, {"bottom", VAlign::Bottom}}, s.valign);
    s.colour = a.colour(QStringLiteral("color"), s.colour);
}

void readFrame(XmlInput& in, Attributes& a, Frame& f)
{
    const QStringList sides = a.text(QStringLiteral("frame")).split(u' ', Qt::SkipEmptyParts);
    for (const QString& side : sides) {
        if (side == u"all") f.left = f.top = f.right = f.bottom = true;
        else if (side == u"left") f.left = true;
        else if (side == u"top") f.top = true;
        else if (side == u"right") f.right = true;
        else if (side == u"bottom") f.bottom = true;
        else in.fail(QStringLiteral("unbekannte Rahmenseite '%1'").arg(side.left(40)));
    }
    f.widthMm = a.number(QStringLiteral("frame-width"), 0, maxPenMm, f.widthMm);
    f.colour = a.colour(QStringLiteral("frame-color"), f.colour);
}

QString sourceRef(XmlInput& in, Attributes& a, const Layout& layout)
{
    const QString name = boundedName(in, a, QStringLiteral("source"), true);
    if (!layout.source(name)) in.fail(QStringLiteral("unbekannte Datenquelle '%1'").arg(name));
    return name;
}

ExprElement readExpression(XmlInput& in, Attributes& a, const Layout& layout)
{
    ExprElement x;
    x.format = a.text(QStringLiteral("format"));
    a.finish();
    x.expression = in.text(maxExpressionLength);
    QString why;
    const std::optional<Expression> parsed = parseExpression(x.expression, &why);
    if (!parsed) in.fail(QStringLiteral("fehlerhafter Ausdruck: %1").arg(why));
    for (const QString& s : sourcesOf(*parsed))
        if (!layout.source(s)) in.fail(QStringLiteral("unbekannte Datenquelle '%1' im Ausdruck").arg(s));
    return x;
}

TextElement readText(XmlInput& in, Attributes& a)
{
    TextElement t;
    t.stretch = a.flag(QStringLiteral("stretch"), t.stretch);
    a.finish();
    while (in.nextChild()) {
        if (in.xml().name() != u"text-line") in.unknownElement(QStringLiteral("text"));
        Attributes(in).finish();
        if (t.lines.size() >= Limits::textLines) in.fail(QStringLiteral("mehr als %1 Zeilen in <text>").arg(Limits::textLines));
        t.lines << in.text();
    }
    return t;
}

PictureElement readPicture(XmlInput& in, Attributes& a)
{
    PictureElement p;
    p.picture = boundedName(in, a, QStringLiteral("picture"), false);
    p.keepAspect = a.flag(QStringLiteral("keep-aspect"), p.keepAspect);
    a.finish();
    QString encoded = in.text(Limits::pictureBytes / 3 * 4 + Limits::pictureBytes / 38 + 8);
    encoded.remove(QRegularExpression(QStringLiteral("\\s")));
    auto decoded = QByteArray::fromBase64Encoding(encoded.toLatin1(), QByteArray::AbortOnBase64DecodingErrors);
    if (!decoded) in.fail(QStringLiteral("die Bilddaten sind kein gültiges Base64"));
    p.data = *decoded;
    if (!p.data.isEmpty()) {
        QBuffer buffer(&p.data);
        QImageReader reader(&buffer);
        if (!reader.canRead()) in.fail(QStringLiteral("die Bilddaten sind kein lesbares Bild"));
    }
    return p;
}

GridElement readGrid(XmlInput& in, Attributes& a)
{
    GridElement g;
    g.rows = a.integer(QStringLiteral("rows"), 1, Limits::gridRows, g.rows);
    g.lineWidthMm = a.number(QStringLiteral("pen"), 0, maxPenMm, g.lineWidthMm);
    a.finish();
    while (in.nextChild()) {
        if (in.xml().name() != u"column") in.unknownElement(QStringLiteral("grid"));
        if (g.columns.size() >= static_cast<size_t>(Limits::gridColumns))
            in.fail(QStringLiteral("mehr als %1 Spalten in <grid>").arg(Limits::gridColumns));
        Attributes ca(in);
        GridColumn c;
        c.widthMm = ca.number(QStringLiteral("width"), 0, Limits::lengthMm, 0);
        ca.finish();
        c.title = in.text();
        g.columns.push_back(c);
    }
    if (g.columns.empty()) in.fail(QStringLiteral("<grid> ohne <column>"));
    return g;
}

ElementData readData(XmlInput& in, Attributes& a, ElementKind kind, const Layout& layout)
{
    switch (kind) {
    case ElementKind::Label: a.finish(); return LabelElement{in.text()};
    case ElementKind::Field: {
        FieldElement f{sourceRef(in, a, layout), boundedName(in, a, QStringLiteral("field"), true), a.text(QStringLiteral("format"))};
        a.finish();
        in.noContent();
        return f;
    }
    case ElementKind::Expr: return readExpression(in, a, layout);
    case ElementKind::RichText: {
        RichTextElement r{sourceRef(in, a, layout), boundedName(in, a, QStringLiteral("field"), true)};
        r.stretch = a.flag(QStringLiteral("stretch"), r.stretch);
        a.finish();
        in.noContent();
        return r;
    }
    case ElementKind::Text: return readText(in, a);
    case ElementKind::Line: {
        LineElement l{a.number(QStringLiteral("pen"), 0, maxPenMm, LineElement{}.widthMm)};
        a.finish();
        in.noContent();
        return l;
    }
    case ElementKind::Rect: {
        RectElement r{a.number(QStringLiteral("pen"), 0, maxPenMm, RectElement{}.widthMm), a.colour(QStringLiteral("fill"), {})};
        a.finish();
        in.noContent();
        return r;
    }
    case ElementKind::Picture: return readPicture(in, a);
    case ElementKind::Grid: return readGrid(in, a);
    }
    in.fail(QStringLiteral("unbekanntes Element"));
}

} // namespace

Element readElement(XmlInput& in, const Layout& layout)
{
    const std::optional<ElementKind> kind = kindFromName(in.xml().name());
    if (!kind) in.unknownElement(QStringLiteral("band"));
    Attributes a(in);
    Element e;
    readBox(in, a, e);
    readStyle(in, a, e.style);
    readFrame(in, a, e.frame);
    e.data = readData(in, a, *kind, layout);
    return e;
}

} // namespace trevo::reports::format
