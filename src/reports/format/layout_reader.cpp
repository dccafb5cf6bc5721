#include "reports/format/layout_reader.h"

#include "engine/fs/file_system.h"
#include "reports/format/element_reader.h"
#include "reports/format/xml_input.h"

#include <QFile>
#include <QFileInfo>
#include <QSet>

namespace trevo::reports {
namespace {

using format::Attributes;
using format::Limits;
using format::ReadFault;
using format::XmlInput;

constexpr qsizetype maxFileNameChars = 255;
constexpr qsizetype maxFilterChars = 2000;

// A file of another version: not damaged, but not ours to read.
struct VersionFault {
    QString version;
};

class LayoutParser {
public:
    explicit LayoutParser(const QByteArray& bytes) : in_(bytes) {}

    std::unique_ptr<Layout> run()
    {
        openRoot();
        while (in_.nextChild()) child();
        checkBands();
        closeDocument();
        return std::make_unique<Layout>(std::move(layout_));
    }

private:
    void openRoot()
    {
        QXmlStreamReader& xml = in_.xml();
        while (!xml.isStartElement()) {
            xml.readNext();
            if (xml.isDTD()) in_.fail(QStringLiteral("Dokumenttyp-Deklarationen sind nicht erlaubt"));
            if (xml.hasError() || xml.isEndDocument()) in_.fail(QStringLiteral("kein XML-Dokument"));
            if (xml.isCharacters() && !xml.isWhitespace()) in_.fail(QStringLiteral("kein XML-Dokument"));
        }
        if (xml.name() != u"trevo-report")
            in_.fail(QStringLiteral("<%1> ist keine Trevo-Reportdatei (erwartet <trevo-report>)").arg(xml.name().toString().left(40)));
        Attributes a(in_);
        const QString version = a.required(QStringLiteral("version"));
        if (version != QString::number(layoutFormatVersion)) throw VersionFault{version.left(20)};
        a.finish();
        in_.enterRoot();
    }

    void once(const QString& tag)
    {
        if (seen_.contains(tag)) in_.fail(QStringLiteral("<%1> kommt mehrfach vor").arg(tag));
        seen_.insert(tag);
    }

    void child()
    {
        const QString tag = in_.xml().name().toString();
        if (tag == u"description") description();
        else if (tag == u"page") page();
        else if (tag == u"sources") sources();
        else if (tag == u"band") band();
        else in_.unknownElement(QStringLiteral("trevo-report"));
    }

    void description()
    {
        once(QStringLiteral("description"));
        Attributes(in_).finish();
        while (in_.nextChild()) {
            if (in_.xml().name() != u"text-line") in_.unknownElement(QStringLiteral("description"));
            Attributes(in_).finish();
            if (layout_.description.size() >= Limits::descriptionLines)
                in_.fail(QStringLiteral("mehr als %1 Beschreibungszeilen").arg(Limits::descriptionLines));
            layout_.description << in_.text();
        }
    }

    void page()
    {
        once(QStringLiteral("page"));
        Attributes a(in_);
        PageSetup& p = layout_.page;
        const QString orientation = a.text(QStringLiteral("orientation"), QStringLiteral("portrait"));
        if (orientation != u"portrait" && orientation != u"landscape")
            in_.fail(QStringLiteral("unbekannte Ausrichtung '%1'").arg(orientation.left(40)));
        p.landscape = orientation == u"landscape";
        p.leftMm = a.number(QStringLiteral("left"), 0, 100, p.leftMm);
        p.topMm = a.number(QStringLiteral("top"), 0, 100, p.topMm);
        p.rightMm = a.number(QStringLiteral("right"), 0, 100, p.rightMm);
        p.bottomMm = a.number(QStringLiteral("bottom"), 0, 100, p.bottomMm);
        layout_.copies = a.integer(QStringLiteral("copies"), 1, 99, layout_.copies);
        a.finish();
        in_.noContent();
    }

    void sources()
    {
        once(QStringLiteral("sources"));
        if (!layout_.bands.empty()) in_.fail(QStringLiteral("<sources> muss vor den Bereichen stehen"));
        Attributes(in_).finish();
        while (in_.nextChild()) {
            if (in_.xml().name() != u"source") in_.unknownElement(QStringLiteral("sources"));
            if (layout_.sources.size() >= static_cast<size_t>(Limits::sources))
                in_.fail(QStringLiteral("mehr als %1 Datenquellen").arg(Limits::sources));
            layout_.sources.push_back(source());
        }
    }

    QString bounded(Attributes& a, const QString& name, qsizetype max, bool required)
    {
        const QString v = required ? a.required(name) : a.text(name);
        if (v.size() > max) in_.fail(QStringLiteral("Attribut '%1' ist länger als %2 Zeichen").arg(name).arg(max));
        if (required && v.trimmed().isEmpty()) in_.fail(QStringLiteral("Attribut '%1' ist leer").arg(name));
        return v;
    }

    DataSource source()
    {
        Attributes a(in_);
        DataSource s;
        s.name = bounded(a, QStringLiteral("name"), 64, true);
        s.fileName = bounded(a, QStringLiteral("file"), maxFileNameChars, true);
        s.filter = bounded(a, QStringLiteral("filter"), maxFilterChars, false);
        s.order = bounded(a, QStringLiteral("order"), 64, false);
        a.finish();
        in_.noContent();
        if (s.fileName.contains(u'/') || s.fileName.contains(u'\\'))
            in_.fail(QStringLiteral("Datenquelle '%1' nennt einen Pfad statt eines Dateinamens").arg(s.name));
        if (layout_.source(s.name)) in_.fail(QStringLiteral("doppelte Datenquelle '%1'").arg(s.name));
        return s;
    }

    void band()
    {
        Attributes a(in_);
        const std::optional<BandKind> kind = bandKindFromName(a.required(QStringLiteral("kind")));
        if (!kind) in_.fail(QStringLiteral("unbekannte Bereichsart '%1'").arg(a.text(QStringLiteral("kind")).left(40)));
        if (layout_.band(*kind)) in_.fail(QStringLiteral("Bereich '%1' kommt mehrfach vor").arg(bandKindName(*kind)));
        Band& b = layout_.addBand(*kind);
        b.heightMm = a.requiredNumber(QStringLiteral("height"), 0, Limits::lengthMm);
        if (*kind == BandKind::Detail) {
            b.source = bounded(a, QStringLiteral("source"), 64, true);
            if (!layout_.source(b.source)) in_.fail(QStringLiteral("unbekannte Datenquelle '%1'").arg(b.source));
        }
        if (*kind == BandKind::GroupHeader) b.groupField = bounded(a, QStringLiteral("group-field"), 64, true);
        a.finish();
        while (in_.nextChild()) element(b);
    }

    void element(Band& b)
    {
        Element e = format::readElement(in_, layout_);
        if (!e.name.isEmpty()) {
            if (names_.contains(e.name.toUpper())) in_.fail(QStringLiteral("doppelter Name '%1'").arg(e.name));
            names_.insert(e.name.toUpper());
        }
        b.elements.push_back(std::move(e));
    }

    void checkBands()
    {
        const bool detail = layout_.band(BandKind::Detail) != nullptr;
        const bool header = layout_.band(BandKind::GroupHeader) != nullptr;
        if (header && !detail) in_.fail(QStringLiteral("Gruppenkopf ohne Detailbereich"));
        if (layout_.band(BandKind::GroupFooter) && !header) in_.fail(QStringLiteral("Gruppenfuß ohne Gruppenkopf"));
    }

    void closeDocument()
    {
        QXmlStreamReader& xml = in_.xml();
        while (!xml.atEnd()) {
            xml.readNext();
            const bool content = xml.isStartElement() || (xml.isCharacters() && !xml.isWhitespace());
            if (content || (xml.hasError() && xml.error() != QXmlStreamReader::PrematureEndOfDocumentError))
                in_.fail(QStringLiteral("Inhalt nach dem Ende von <trevo-report>"));
        }
    }

    XmlInput in_;
    Layout layout_;
    QSet<QString> seen_;
    QSet<QString> names_;
};

QString damaged(const QString& fileName, const QString& fault)
{
    return QStringLiteral("Die Reportdatei %1 ist beschädigt: %2").arg(fileName, fault);
}

QString tooLarge(const QString& fileName)
{
    return damaged(fileName, QStringLiteral("die Datei ist größer als %1 MB").arg(Limits::fileBytes >> 20));
}

} // namespace

LayoutReadResult readLayout(const QByteArray& bytes, const QString& fileName)
{
    LayoutReadResult result;
    if (bytes.size() > Limits::fileBytes) {
        result.error = tooLarge(fileName);
        return result;
    }
    if (bytes.trimmed().isEmpty()) {
        result.error = damaged(fileName, QStringLiteral("die Datei ist leer"));
        return result;
    }
    try {
        result.layout = LayoutParser(bytes).run();
    } catch (const ReadFault& fault) {
        result.error = damaged(fileName, fault.text());
    } catch (const VersionFault& fault) {
        result.error = QStringLiteral("Die Reportdatei %1 hat die Version %2; dieses Programm liest nur Version %3.")
                           .arg(fileName, fault.version)
                           .arg(layoutFormatVersion);
    }
    return result;
}

LayoutReadResult readLayoutFile(const QString& path)
{
    const QString found = QString::fromStdString(engine::resolveCaseInsensitive(engine::realFileSystem(), path.toStdString()));
    const QString fileName = QFileInfo(path).fileName();
    LayoutReadResult result;
    QFile file(found);
    if (!QFileInfo(found).isFile()) {
        result.error = QStringLiteral("Die Reportdatei %1 wurde nicht gefunden (%2).").arg(fileName, path);
        return result;
    }
    if (file.size() > Limits::fileBytes) {
        result.error = tooLarge(fileName);
        return result;
    }
    if (!file.open(QIODevice::ReadOnly)) {
        result.error = QStringLiteral("Die Reportdatei %1 kann nicht gelesen werden (%2).").arg(fileName, path);
        return result;
    }
    return readLayout(file.readAll(), fileName);
}

} // namespace trevo::reports
