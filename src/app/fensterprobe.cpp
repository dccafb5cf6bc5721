#include "app/fensterprobe.h"

#include "common/dialogs/dialogs.h"
#include "common/fenster/window_codes.h"
#include "masterdata/import/db_import_dlg.h"
#include "shell/child_window.h"
#include "shell/main_window.h"
#include "shell/stammdaten/modal.h"
#include "shell/window_registry.h"

#include <QAction>
#include <QCoreApplication>
#include <QDir>
#include <QListWidget>
#include <QPushButton>

#include <algorithm>
#include <cstdio>
#include <set>

namespace trevo::app {

namespace {

void line(const QString& text)
{
    std::printf("%s\n", text.toUtf8().constData());
    std::fflush(stdout);
}

// Every box is printed and answered with No (Cancel where offered). The open-file
// chooser answers with a table of its folder while the import is probed, else nothing.
class ProbeDialoge : public common::ConsoleDialogs {
public:
    ProbeDialoge() : ConsoleDialogs(stdout, QStringLiteral("Meldung: ")) {}

    std::optional<QString> openFileName(const QString& caption, const QString& folder,
                                        const QString& filter) override
    {
        if (tabelle.isEmpty() || !filter.contains(QStringLiteral("DBF")))
            return ConsoleDialogs::openFileName(caption, folder, filter);
        return QDir(folder).filePath(tabelle);
    }

    QString tabelle;
};

ProbeDialoge& probeDialoge()
{
    static ProbeDialoge dialoge;
    return dialoge;
}

QString plain(QString text)
{
    return text.remove(QLatin1Char('&'));
}

} // namespace

void fensterAuflisten(const shell::WindowRegistry& registry)
{
    for (int code : registry.windowCodes())
        line(QString::number(code) + QLatin1Char('\t') + common::windowCaption(code));
}

std::optional<std::vector<int>> probeCodes(const QStringList& arguments)
{
    const qsizetype at = arguments.indexOf(QStringLiteral("--fensterprobe"));
    if (at < 0) return std::nullopt;
    std::vector<int> codes;
    for (qsizetype i = at + 1; i < arguments.size(); ++i) {
        bool ok = false;
        const int code = arguments[i].toInt(&ok);
        if (!ok) break;
        codes.push_back(code);
    }
    return codes;
}

void probeDialogeEinsetzen()
{
    common::setDialogs(&probeDialoge());
}

bool importProbe(shell::MainForm1& main)
{
    main.FensterAktivieren(common::Fenster::Mitglieder);
    QCoreApplication::processEvents();
    shell::ChildWindow* mitglieder = main.Fensterobjekt(common::Fenster::Mitglieder);
    auto* importieren = mitglieder ? mitglieder->findChild<QAction*>(QStringLiteral("Importieren1")) : nullptr;
    QString befund = QStringLiteral("nicht geöffnet");
    if (importieren && importieren->isEnabled()) {
        shell::stammdaten::ModalSkript skript;
        skript.then([&](QDialog& dialog) {
            auto* import = dynamic_cast<masterdata::TDBImportDlg*>(&dialog);
            if (import && import->Listbox1->count() > 0 && import->Listbox2->count() > 0
                && import->ListBox3->count() == import->Listbox1->count())
                befund = QStringLiteral("geöffnet");
            if (import) import->CancelBtn->click();
        });
        probeDialoge().tabelle = QStringLiteral("KEGLER.DBF");
        importieren->trigger();
        probeDialoge().tabelle.clear();
        QCoreApplication::processEvents();
    }
    line(QStringLiteral("Import\tDatenimport\t") + befund);
    return befund == QStringLiteral("geöffnet");
}

int fensterProbe(shell::MainForm1& main, const std::vector<int>& expected)
{
    std::set<int> opened;
    main.updateMenuAvailability();
    for (const auto& [action, code] : main.windowActions()) {
        const QString item = plain(action->text());
        if (!action->isEnabled()) {
            line(QStringLiteral("%1\t%2\tMenüpunkt gesperrt").arg(code).arg(item));
            continue;
        }
        action->trigger();
        QCoreApplication::processEvents();
        shell::ChildWindow* active = main.activeChild();
        const bool ok = main.activeCode() == code && active && active->isVisible();
        line(QStringLiteral("%1\t%2\t%3").arg(code).arg(item, ok ? QStringLiteral("geöffnet")
                                                                 : QStringLiteral("nicht geöffnet")));
        if (ok) opened.insert(code);
    }
    // Windows without a menu item of the main window (the evaluation window, reached from the
    // evening window) open through their code, as the windows that call them do.
    for (int code : expected) {
        if (opened.count(code)) continue;
        bool inMenu = false;
        for (const auto& entry : main.windowActions()) inMenu = inMenu || entry.second == code;
        if (inMenu) continue;
        main.FensterAktivieren(code);
        QCoreApplication::processEvents();
        shell::ChildWindow* active = main.activeChild();
        const bool ok = main.activeCode() == code && active && active->isVisible();
        line(QStringLiteral("%1\t%2\t%3").arg(code).arg(common::windowCaption(code),
                                                      ok ? QStringLiteral("über den Code geöffnet")
                                                         : QStringLiteral("nicht geöffnet")));
        if (ok) opened.insert(code);
    }
    int missing = 0;
    for (int code : expected)
        if (!opened.count(code)) {
            line(QStringLiteral("Fehlt: %1 %2").arg(code).arg(common::windowCaption(code)));
            ++missing;
        }
    if (std::find(expected.begin(), expected.end(), common::Fenster::Mitglieder) != expected.end()
        && !importProbe(main))
        ++missing;
    if (probeDialoge().shown() > 0) line(QStringLiteral("Meldungen: %1").arg(probeDialoge().shown()));
    return missing == 0 && probeDialoge().shown() == 0 ? 0 : 1;
}

} // namespace trevo::app
