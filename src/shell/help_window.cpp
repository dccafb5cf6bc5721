#include "shell/help_window.h"

#include "common/fenster/window_codes.h"

#include <QFile>
#include <QFileInfo>
#include <QHBoxLayout>
#include <QPushButton>
#include <QTextBrowser>
#include <QVBoxLayout>

// Resources of a static library must be registered by name, outside any namespace.
static void initHelpPages()
{
    Q_INIT_RESOURCE(hilfe);
}

namespace trevo::shell {

QString HelpWindow::pagePath(const QString& helpFile, int topic)
{
    const QString base = QFileInfo(QString(helpFile).replace('\\', '/')).completeBaseName().toLower();
    return QStringLiteral(":/hilfe/%1/%2.html").arg(base.isEmpty() ? QStringLiteral("trevo") : base).arg(topic);
}

int HelpWindow::topicOfWindow(int code)
{
    switch (code) {
    case common::Fenster::Termine: return 80150;
    case common::Fenster::Mitglieder: return 80010;
    case common::Fenster::Spiele: return 80011;
    case common::Fenster::Sonstige: return 80012;
    case common::Fenster::Terminplan: return 80013;
    case common::Fenster::Aemter:
    case common::Fenster::Terminarten:
    case common::Fenster::Waehrungen: return 80014;
    case common::Fenster::Kegelkasse: return 80015;
    case common::Fenster::Optionen: return 80004;
    case common::Fenster::SQLAbfrage: return 80016;
    case common::Fenster::Auswerten: return 80160;
    default: return 80001;
    }
}

HelpWindow::HelpWindow(QWidget* parent) : QWidget(parent, Qt::Window)
{
    initHelpPages();
    setObjectName(QStringLiteral("Hilfefenster"));
    setWindowTitle(QStringLiteral("Trevo-Hilfe"));
    resize(720, 560);

    browser_ = new QTextBrowser(this);
    browser_->setOpenExternalLinks(false);
    browser_->setSearchPaths({QStringLiteral(":/hilfe/trevo"), QStringLiteral(":/hilfe/qrduser")});
    auto* contents = new QPushButton(QStringLiteral("&Inhalt"), this);
    back_ = new QPushButton(QStringLiteral("&Zurück"), this);
    forward_ = new QPushButton(QStringLiteral("&Vorwärts"), this);
    auto* close = new QPushButton(QStringLiteral("&Schließen"), this);
    back_->setEnabled(false);
    forward_->setEnabled(false);

    auto* buttons = new QHBoxLayout;
    buttons->addWidget(contents);
    buttons->addWidget(back_);
    buttons->addWidget(forward_);
    buttons->addStretch();
    buttons->addWidget(close);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(buttons);
    layout->addWidget(browser_, 1);

    connect(contents, &QPushButton::clicked, this, [this] { showTopic(QStringLiteral("TREVO.HLP"), 80000); });
    connect(back_, &QPushButton::clicked, browser_, &QTextBrowser::backward);
    connect(forward_, &QPushButton::clicked, browser_, &QTextBrowser::forward);
    connect(browser_, &QTextBrowser::backwardAvailable, back_, &QPushButton::setEnabled);
    connect(browser_, &QTextBrowser::forwardAvailable, forward_, &QPushButton::setEnabled);
    connect(close, &QPushButton::clicked, this, &QWidget::close);
}

void HelpWindow::showTopic(const QString& helpFile, int topic)
{
    const QString path = pagePath(helpFile, topic);
    if (QFile::exists(path)) {
        browser_->setSource(QUrl(QStringLiteral("qrc") + path));
    } else {
        browser_->setHtml(QStringLiteral("<h2>Hilfe</h2><p>Zu diesem Thema (%1, Nummer %2) gibt es noch keine "
                                         "Hilfeseite.</p><p><a href=\"80000.html\">Zum Inhalt der Hilfe</a></p>")
                              .arg(helpFile.toHtmlEscaped())
                              .arg(topic));
    }
    show();
    raise();
    activateWindow();
}

} // namespace trevo::shell
