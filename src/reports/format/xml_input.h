#pragma once
// The reader's view of a layout file: the XML stream, the limits of the format and the
// checked reading of attributes. Every fault ends the reading with ReadFault, whose
// text names the line ("Zeile 12: unbekanntes Element <foo>").
#include <QColor>
#include <QSet>
#include <QString>
#include <QXmlStreamReader>

#include <stdexcept>

namespace trevo::reports::format {

struct Limits {
    static constexpr qsizetype fileBytes = 32 * 1024 * 1024;
    static constexpr qsizetype textChars = 10000;
    static constexpr qsizetype pictureBytes = 8 * 1024 * 1024;
    static constexpr int elements = 5000;
    static constexpr int sources = 32;
    static constexpr int descriptionLines = 100;
    static constexpr int textLines = 1000;
    static constexpr int gridRows = 1000;
    static constexpr int gridColumns = 100;
    static constexpr double lengthMm = 1000;
};

class ReadFault : public std::runtime_error {
public:
    explicit ReadFault(const QString& text) : std::runtime_error(text.toStdString()), text_(text) {}
    const QString& text() const { return text_; }

private:
    QString text_;
};

class XmlInput {
public:
    explicit XmlInput(const QByteArray& bytes) : xml_(bytes) {}
    QXmlStreamReader& xml() { return xml_; }

    [[noreturn]] void fail(const QString& fault) const;
    // The root element has been reached: its children follow.
    void enterRoot() { open_.push_back(xml_.name().toString()); }
    // The next start element among the children of the current one; false at its end.
    bool nextChild();
    // The text content of the current element (no child elements), bounded in length.
    QString text(qsizetype maxChars = Limits::textChars);
    // Reads up to the end of the current element, which may hold blanks only.
    void noContent();
    [[noreturn]] void unknownElement(const QString& parent) const;
    // Counts elements of the whole file against the limit.
    void countElement();

private:
    [[noreturn]] void xmlFault() const;
    void leave() { if (!open_.isEmpty()) open_.pop_back(); }
    QXmlStreamReader xml_;
    QStringList open_; // the elements entered and not yet left
    int elements_ = 0;
};

// The attributes of one element, read with checks; finish() refuses any not asked for.
class Attributes {
public:
    explicit Attributes(XmlInput& in);
    bool has(const QString& name) const;
    QString text(const QString& name, const QString& fallback = {});
    QString required(const QString& name);
    double number(const QString& name, double min, double max, double fallback);
    double requiredNumber(const QString& name, double min, double max);
    int integer(const QString& name, int min, int max, int fallback);
    bool flag(const QString& name, bool fallback);
    QColor colour(const QString& name, const QColor& fallback);
    void finish();

private:
    QString raw(const QString& name);
    double toNumber(const QString& name, const QString& value, double min, double max);
    XmlInput& in_;
    QString tag_;
    QXmlStreamAttributes attributes_;
    QSet<QString> used_;
};

} // namespace trevo::reports::format
