#include "reports/format/xml_input.h"

#include <QRegularExpression>

#include <cmath>

namespace trevo::reports::format {

void XmlInput::fail(const QString& fault) const
{
    throw ReadFault(QStringLiteral("Zeile %1: %2").arg(xml_.lineNumber()).arg(fault));
}

void XmlInput::xmlFault() const
{
    switch (xml_.error()) {
    case QXmlStreamReader::PrematureEndOfDocumentError:
        fail(QStringLiteral("die Datei endet mitten im XML"));
    case QXmlStreamReader::NotWellFormedError:
        fail(QStringLiteral("kein wohlgeformtes XML (Spalte %1)").arg(xml_.columnNumber()));
    default:
        fail(QStringLiteral("fehlerhaftes XML (Spalte %1)").arg(xml_.columnNumber()));
    }
}

void XmlInput::unknownElement(const QString& parent) const
{
    fail(QStringLiteral("unbekanntes Element <%1> in <%2>").arg(xml_.name().toString(), parent));
}

void XmlInput::countElement()
{
    if (++elements_ > Limits::elements) fail(QStringLiteral("mehr als %1 Elemente").arg(Limits::elements));
}

bool XmlInput::nextChild()
{
    const QString parent = open_.isEmpty() ? QString() : open_.back();
    while (true) {
        switch (xml_.readNext()) {
        case QXmlStreamReader::StartElement:
            countElement();
            open_.push_back(xml_.name().toString());
            return true;
        case QXmlStreamReader::EndElement:
            leave();
            return false;
        case QXmlStreamReader::Characters:
            if (!xml_.isWhitespace()) fail(QStringLiteral("unerwarteter Text in <%1>").arg(parent));
            break;
        case QXmlStreamReader::Comment:
        case QXmlStreamReader::ProcessingInstruction:
            break;
        case QXmlStreamReader::DTD:
            fail(QStringLiteral("Dokumenttyp-Deklarationen sind nicht erlaubt"));
        case QXmlStreamReader::EntityReference:
            fail(QStringLiteral("unbekannte Entität &%1;").arg(xml_.name().toString()));
        case QXmlStreamReader::Invalid:
            xmlFault();
        default:
            fail(QStringLiteral("die Datei endet in <%1>").arg(parent));
        }
    }
}

QString XmlInput::text(qsizetype maxChars)
{
    const QString tag = xml_.name().toString();
    QString out;
    while (true) {
        switch (xml_.readNext()) {
        case QXmlStreamReader::Characters:
            out += xml_.text();
            if (out.size() > maxChars) fail(QStringLiteral("Text in <%1> ist länger als %2 Zeichen").arg(tag).arg(maxChars));
            break;
        case QXmlStreamReader::EndElement:
            leave();
            return out;
        case QXmlStreamReader::Comment:
        case QXmlStreamReader::ProcessingInstruction:
            break;
        case QXmlStreamReader::StartElement:
            fail(QStringLiteral("unbekanntes Element <%1> in <%2>").arg(xml_.name().toString(), tag));
        case QXmlStreamReader::EntityReference:
            fail(QStringLiteral("unbekannte Entität &%1;").arg(xml_.name().toString()));
        case QXmlStreamReader::Invalid:
            xmlFault();
        default:
            fail(QStringLiteral("die Datei endet in <%1>").arg(tag));
        }
    }
}

void XmlInput::noContent()
{
    const QString tag = xml_.name().toString();
    if (!text().trimmed().isEmpty()) fail(QStringLiteral("unerwarteter Text in <%1>").arg(tag));
}

Attributes::Attributes(XmlInput& in)
    : in_(in), tag_(in.xml().name().toString()), attributes_(in.xml().attributes())
{
}

bool Attributes::has(const QString& name) const
{
    return attributes_.hasAttribute(name);
}

QString Attributes::raw(const QString& name)
{
    used_.insert(name);
    const QString value = attributes_.value(name).toString();
    if (value.size() > Limits::textChars)
        in_.fail(QStringLiteral("Attribut '%1' in <%2> ist zu lang").arg(name, tag_));
    return value;
}

QString Attributes::text(const QString& name, const QString& fallback)
{
    return has(name) ? raw(name) : fallback;
}

QString Attributes::required(const QString& name)
{
    if (!has(name)) in_.fail(QStringLiteral("Attribut '%1' fehlt in <%2>").arg(name, tag_));
    return raw(name);
}

double Attributes::toNumber(const QString& name, const QString& value, double min, double max)
{
    bool ok = false;
    const double v = value.trimmed().toDouble(&ok);
    if (!ok || !std::isfinite(v))
        in_.fail(QStringLiteral("Attribut '%1' in <%2> ist keine Zahl: '%3'").arg(name, tag_, value.left(40)));
    if (v < min || v > max)
        in_.fail(QStringLiteral("Attribut '%1' in <%2> liegt außerhalb von %3 bis %4: %5")
                     .arg(name, tag_)
                     .arg(min)
                     .arg(max)
                     .arg(value.left(40)));
    return v;
}

double Attributes::number(const QString& name, double min, double max, double fallback)
{
    return has(name) ? toNumber(name, raw(name), min, max) : fallback;
}

double Attributes::requiredNumber(const QString& name, double min, double max)
{
    return toNumber(name, required(name), min, max);
}

int Attributes::integer(const QString& name, int min, int max, int fallback)
{
    const double v = number(name, min, max, fallback);
    if (v != std::floor(v)) in_.fail(QStringLiteral("Attribut '%1' in <%2> ist keine ganze Zahl").arg(name, tag_));
    return static_cast<int>(v);
}

bool Attributes::flag(const QString& name, bool fallback)
{
    if (!has(name)) return fallback;
    const QString v = raw(name);
    if (v == u"true") return true;
    if (v == u"false") return false;
    in_.fail(QStringLiteral("Attribut '%1' in <%2> ist weder true noch false: '%3'").arg(name, tag_, v.left(40)));
}

QColor Attributes::colour(const QString& name, const QColor& fallback)
{
    if (!has(name)) return fallback;
    const QString v = raw(name);
    static const QRegularExpression pattern(QStringLiteral("^#[0-9A-Fa-f]{6}$"));
    if (!pattern.match(v).hasMatch())
        in_.fail(QStringLiteral("Attribut '%1' in <%2> ist keine Farbe #rrggbb: '%3'").arg(name, tag_, v.left(40)));
    return QColor(v);
}

void Attributes::finish()
{
    for (const QXmlStreamAttribute& a : attributes_)
        if (!used_.contains(a.qualifiedName().toString()))
            in_.fail(QStringLiteral("unbekanntes Attribut '%1' in <%2>").arg(a.qualifiedName().toString(), tag_));
}

} // namespace trevo::reports::format
