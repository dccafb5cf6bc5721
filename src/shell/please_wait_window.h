#pragma once
// The please-wait window: small, on top, without border icons, centred on the screen.
// It shows the hourglass while it is active.
#include <QWidget>

namespace trevo::shell {

class PleaseWaitWindow : public QWidget {
    Q_OBJECT
public:
    explicit PleaseWaitWindow(QWidget* parent = nullptr);

    // Shows the window and paints it at once (long operations keep the event loop busy).
    void showNow();

protected:
    bool event(QEvent* e) override;
};

// Places a top-level window in the middle of the primary screen.
void centreOnScreen(QWidget* window);
// Paints a window at once, also before the event loop runs again.
void paintNow(QWidget* window);

} // namespace trevo::shell
