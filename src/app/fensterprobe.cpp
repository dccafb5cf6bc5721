#include "app/fensterprobe.h"

#include "common/dialogs/dialogs.h"
#include "common/fenster/window_codes.h"
#include "shell/child_window.h"
#include "shell/main_window.h"
#include "shell/window_registry.h"

#include <QAction>
#include <QCoreApplication>

#include <cstdio>
#include <set>

namespace trevo::app {

namespace {

void line(const QString& text)
{
    std::printf("%s\n", text.toUtf8().constData());
    std::fflush(stdout);
}

// Every box is printed and answered with No (Cancel where offered).
common::ConsoleDialogs& probeDialoge()
{
    static common::ConsoleDialogs dialoge(stdout, QStringLiteral("Meldung: "));
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
    if (probeDialoge().shown() > 0) line(QStringLiteral("Meldungen: %1").arg(probeDialoge().shown()));
    return missing == 0 && probeDialoge().shown() == 0 ? 0 : 1;
}

} // namespace trevo::app
