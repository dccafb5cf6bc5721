#include "arguments.h"

#include <QDir>

namespace trevo::drucktool {
namespace {

ParseResult failure(const QString& text)
{
    return {std::nullopt, text};
}

std::optional<int> copyCount(const QString& value)
{
    bool ok = false;
    const int n = value.toInt(&ok);
    if (!ok || n < 1 || n > maxCopies || value.trimmed() != value || value.startsWith(u'+')) return std::nullopt;
    return n;
}

} // namespace

ParseResult parseArguments(const QStringList& args)
{
    Arguments a;
    QStringList names;
    for (qsizetype i = 0; i < args.size(); ++i) {
        const QString& arg = args[i];
        if (!arg.startsWith(u'-') || arg == u"-") {
            names << arg;
            continue;
        }
        const qsizetype eq = arg.indexOf(u'=');
        const QString option = eq < 0 ? arg : arg.left(eq);
        if (option != u"--pdf" && option != u"--kopien") return failure(QStringLiteral("Unbekannte Angabe '%1'.").arg(option));
        QString value;
        if (eq >= 0) value = arg.mid(eq + 1);
        else if (i + 1 < args.size()) value = args[++i];
        else return failure(QStringLiteral("Bei '%1' fehlt der Wert.").arg(option));
        if (option == u"--pdf") {
            if (value.isEmpty()) return failure(QStringLiteral("Bei '--pdf' fehlt der Name der PDF-Datei."));
            a.pdfPath = value;
        } else {
            a.copies = copyCount(value);
            if (!a.copies)
                return failure(QStringLiteral("Die Anzahl der Kopien muss eine ganze Zahl von 1 bis %1 sein, nicht '%2'.")
                                   .arg(maxCopies)
                                   .arg(value));
        }
    }
    if (names.isEmpty()) return {};
    if (names.size() != 2)
        return failure(names.size() < 2 ? QStringLiteral("Es fehlt die Angabe der Reportdatei.")
                                         : QStringLiteral("Zu viele Angaben: '%1'.").arg(names.mid(2).join(u' ')));
    a.folder = names[0];
    a.layoutPath = names[1];
    return {a, {}};
}

QString layoutFilePath(const Arguments& a)
{
    if (a.layoutPath.contains(u'/')) return a.layoutPath;
    return QDir(a.folder).filePath(a.layoutPath);
}

} // namespace trevo::drucktool
