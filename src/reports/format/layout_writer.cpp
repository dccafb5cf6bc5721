#include "reports/format/layout_writer.h"

#include "reports/format/element_writer.h"
#include "reports/format/layout_reader.h"

#include <QFileInfo>
#include <QSaveFile>
#include <QXmlStreamWriter>

namespace trevo::reports {
namespace {

using format::writeNumber;
using format::writeText;

void writeDescription(QXmlStreamWriter& w, const QStringList& lines)
{
    if (lines.isEmpty()) return;
    w.writeStartElement(QStringLiteral("description"));
    for (const QString& line : lines) writeText(w, QStringLiteral("text-line"), line);
    w.writeEndElement();
}

void writePage(QXmlStreamWriter& w, const Layout& layout)
{
    const PageSetup& p = layout.page;
    w.writeStartElement(QStringLiteral("page"));
    w.writeAttribute(QStringLiteral("orientation"), p.landscape ? QStringLiteral("landscape") : QStringLiteral("portrait"));
    writeNumber(w, QStringLiteral("left"), p.leftMm);
    writeNumber(w, QStringLiteral("top"), p.topMm);
    writeNumber(w, QStringLiteral("right"), p.rightMm);
    writeNumber(w, QStringLiteral("bottom"), p.bottomMm);
    writeNumber(w, QStringLiteral("copies"), layout.copies);
    w.writeEndElement();
}

void writeSources(QXmlStreamWriter& w, const std::vector<DataSource>& sources)
{
    if (sources.empty()) return;
    w.writeStartElement(QStringLiteral("sources"));
    for (const DataSource& s : sources) {
        w.writeStartElement(QStringLiteral("source"));
        w.writeAttribute(QStringLiteral("name"), s.name);
        w.writeAttribute(QStringLiteral("file"), s.fileName);
        if (!s.filter.isEmpty()) w.writeAttribute(QStringLiteral("filter"), format::xmlSafe(s.filter));
        if (!s.order.isEmpty()) w.writeAttribute(QStringLiteral("order"), s.order);
        w.writeEndElement();
    }
    w.writeEndElement();
}

void writeBand(QXmlStreamWriter& w, const Band& b)
{
    w.writeStartElement(QStringLiteral("band"));
    w.writeAttribute(QStringLiteral("kind"), bandKindName(b.kind));
    writeNumber(w, QStringLiteral("height"), b.heightMm);
    if (b.kind == BandKind::Detail) w.writeAttribute(QStringLiteral("source"), b.source);
    if (b.kind == BandKind::GroupHeader) w.writeAttribute(QStringLiteral("group-field"), b.groupField);
    for (const Element& e : b.elements) format::writeElement(w, e);
    w.writeEndElement();
}

} // namespace

QByteArray writeLayout(const Layout& layout)
{
    QByteArray out;
    QXmlStreamWriter w(&out);
    w.setAutoFormatting(true);
    w.setAutoFormattingIndent(2);
    w.writeStartDocument();
    w.writeStartElement(QStringLiteral("trevo-report"));
    w.writeAttribute(QStringLiteral("version"), QString::number(layoutFormatVersion));
    writeDescription(w, layout.description);
    writePage(w, layout);
    writeSources(w, layout.sources);
    for (const Band& b : layout.bands) writeBand(w, b);
    w.writeEndElement();
    w.writeEndDocument();
    return out;
}

bool writeLayoutFile(const Layout& layout, const QString& path, QString* error)
{
    QSaveFile file(path);
    const QByteArray bytes = writeLayout(layout);
    if (file.open(QIODevice::WriteOnly) && file.write(bytes) == bytes.size() && file.commit()) return true;
    if (error)
        *error = QStringLiteral("Die Reportdatei %1 kann nicht geschrieben werden (%2).").arg(QFileInfo(path).fileName(), path);
    return false;
}

} // namespace trevo::reports
