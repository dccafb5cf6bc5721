#include "reports/format/element_writer.h"

#include <QLocale>

namespace trevo::reports::format {
namespace {

void writeFlag(QXmlStreamWriter& w, const QString& attribute, bool value, bool fallback)
{
    if (value != fallback) w.writeAttribute(attribute, value ? QStringLiteral("true") : QStringLiteral("false"));
}

void writeColour(QXmlStreamWriter& w, const QString& attribute, const QColor& value, const QColor& fallback)
{
    if (value != fallback && value.isValid()) w.writeAttribute(attribute, value.name());
}

void writeStyle(QXmlStreamWriter& w, const TextStyle& s)
{
    const TextStyle d;
    if (s.fontFamily != d.fontFamily) w.writeAttribute(QStringLiteral("font"), s.fontFamily);
    if (s.pointSize != d.pointSize) writeNumber(w, QStringLiteral("size"), s.pointSize);
    writeFlag(w, QStringLiteral("bold"), s.bold, d.bold);
    writeFlag(w, QStringLiteral("italic"), s.italic, d.italic);
    static const char* const aligns[] = {"left", "center", "right"};
    static const char* const valigns[] = {"top", "middle", "bottom"};
    if (s.align != d.align) w.writeAttribute(QStringLiteral("align"), QLatin1String(aligns[static_cast<int>(s.align)]));
    if (s.valign != d.valign) w.writeAttribute(QStringLiteral("valign"), QLatin1String(valigns[static_cast<int>(s.valign)]));
    writeColour(w, QStringLiteral("color"), s.colour, d.colour);
}

void writeFrame(QXmlStreamWriter& w, const Frame& f)
{
    const Frame d;
    QStringList sides;
    if (f.left && f.top && f.right && f.bottom) sides << QStringLiteral("all");
    else {
        if (f.left) sides << QStringLiteral("left");
        if (f.top) sides << QStringLiteral("top");
        if (f.right) sides << QStringLiteral("right");
        if (f.bottom) sides << QStringLiteral("bottom");
    }
    if (!sides.isEmpty()) w.writeAttribute(QStringLiteral("frame"), sides.join(u' '));
    if (f.widthMm != d.widthMm) writeNumber(w, QStringLiteral("frame-width"), f.widthMm);
    writeColour(w, QStringLiteral("frame-color"), f.colour, d.colour);
}

void writeSource(QXmlStreamWriter& w, const QString& source, const QString& field)
{
    w.writeAttribute(QStringLiteral("source"), source);
    w.writeAttribute(QStringLiteral("field"), field);
}

QString base64Lines(const QByteArray& data)
{
    const QByteArray encoded = data.toBase64();
    QString out;
    for (qsizetype i = 0; i < encoded.size(); i += 76) out += u'\n' + QString::fromLatin1(encoded.mid(i, 76));
    return out.isEmpty() ? out : out + u'\n';
}

void writeGrid(QXmlStreamWriter& w, const GridElement& g)
{
    writeNumber(w, QStringLiteral("rows"), g.rows);
    if (g.lineWidthMm != GridElement{}.lineWidthMm) writeNumber(w, QStringLiteral("pen"), g.lineWidthMm);
    for (const GridColumn& c : g.columns) {
        w.writeStartElement(QStringLiteral("column"));
        if (c.widthMm != 0) writeNumber(w, QStringLiteral("width"), c.widthMm);
        if (!c.title.isEmpty()) w.writeCharacters(xmlSafe(c.title));
        w.writeEndElement();
    }
}

// The attributes and content that belong to the element's kind.
void writeData(QXmlStreamWriter& w, const ElementData& data)
{
    if (auto* l = std::get_if<LabelElement>(&data)) {
        if (!l->text.isEmpty()) w.writeCharacters(xmlSafe(l->text));
    } else if (auto* f = std::get_if<FieldElement>(&data)) {
        writeSource(w, f->source, f->field);
        if (!f->format.isEmpty()) w.writeAttribute(QStringLiteral("format"), xmlSafe(f->format));
    } else if (auto* x = std::get_if<ExprElement>(&data)) {
        if (!x->format.isEmpty()) w.writeAttribute(QStringLiteral("format"), xmlSafe(x->format));
        w.writeCharacters(xmlSafe(x->expression));
    } else if (auto* r = std::get_if<RichTextElement>(&data)) {
        writeSource(w, r->source, r->field);
        writeFlag(w, QStringLiteral("stretch"), r->stretch, RichTextElement{}.stretch);
    } else if (auto* t = std::get_if<TextElement>(&data)) {
        writeFlag(w, QStringLiteral("stretch"), t->stretch, TextElement{}.stretch);
        for (const QString& line : t->lines) writeText(w, QStringLiteral("text-line"), line);
    } else if (auto* line = std::get_if<LineElement>(&data)) {
        if (line->widthMm != LineElement{}.widthMm) writeNumber(w, QStringLiteral("pen"), line->widthMm);
    } else if (auto* rect = std::get_if<RectElement>(&data)) {
        if (rect->widthMm != RectElement{}.widthMm) writeNumber(w, QStringLiteral("pen"), rect->widthMm);
        if (rect->fill.isValid()) w.writeAttribute(QStringLiteral("fill"), rect->fill.name());
    } else if (auto* p = std::get_if<PictureElement>(&data)) {
        if (!p->picture.isEmpty()) w.writeAttribute(QStringLiteral("picture"), p->picture);
        writeFlag(w, QStringLiteral("keep-aspect"), p->keepAspect, PictureElement{}.keepAspect);
        if (!p->data.isEmpty()) w.writeCharacters(base64Lines(p->data));
    } else if (auto* g = std::get_if<GridElement>(&data)) {
        writeGrid(w, *g);
    }
}

} // namespace

void writeNumber(QXmlStreamWriter& w, const QString& attribute, double value)
{
    w.writeAttribute(attribute, QString::number(value, 'g', QLocale::FloatingPointShortest));
}

void writeText(QXmlStreamWriter& w, const QString& tag, const QString& text)
{
    w.writeStartElement(tag);
    if (!text.isEmpty()) w.writeCharacters(xmlSafe(text));
    w.writeEndElement();
}

QString xmlSafe(const QString& text)
{
    QString out = text;
    out.removeIf([](QChar c) { return c.unicode() < 0x20 && c != u'\t' && c != u'\n'; });
    return out;
}

void writeElement(QXmlStreamWriter& w, const Element& e)
{
    w.writeStartElement(kindName(e.kind()));
    if (!e.name.isEmpty()) w.writeAttribute(QStringLiteral("name"), e.name);
    writeNumber(w, QStringLiteral("x"), e.box.x());
    writeNumber(w, QStringLiteral("y"), e.box.y());
    writeNumber(w, QStringLiteral("width"), e.box.width());
    writeNumber(w, QStringLiteral("height"), e.box.height());
    writeStyle(w, e.style);
    writeFrame(w, e.frame);
    writeData(w, e.data);
    w.writeEndElement();
}

} // namespace trevo::reports::format
