#pragma once
// The help window: German help pages shipped with the program, opened by help file
// and topic number. Pages live in the resources under :/hilfe/<file>/<topic>.html
// (file "trevo" for TREVO.HLP, "qrduser" for QRDUSER.HLP); other layers add theirs
// the same way.
#include <QWidget>

class QTextBrowser;
class QPushButton;

namespace trevo::shell {

class HelpWindow : public QWidget {
    Q_OBJECT
public:
    explicit HelpWindow(QWidget* parent = nullptr);

    // Shows the page of the topic; a topic without page shows a short notice.
    void showTopic(const QString& helpFile, int topic);
    // The resource path of a topic's page ("TREVO.HLP", 80001 -> ":/hilfe/trevo/80001.html").
    static QString pagePath(const QString& helpFile, int topic);
    // The TREVO.HLP topic of a window code: the page that explains that window; 80001,
    // the overview, for no window (0) and for codes without a window.
    static int topicOfWindow(int code);

    QTextBrowser* browser() const { return browser_; }

private:
    QTextBrowser* browser_ = nullptr;
    QPushButton* back_ = nullptr;
    QPushButton* forward_ = nullptr;
};

} // namespace trevo::shell
