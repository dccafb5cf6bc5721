#pragma once
// The start window shown while the program starts: title band, "Bitte warten ...",
// a progress bar from 0 to 100 and the status field of the current start step.
#include <QWidget>

class QLabel;
class QProgressBar;

namespace trevo::shell {

class StartWindow : public QWidget {
    Q_OBJECT
public:
    explicit StartWindow(QWidget* parent = nullptr);

    // Writes the text of a start step and paints it.
    void StartSchritt(const QString& text);
    // Sets the progress bar and paints it.
    void setProgress(int value);

    int progress() const;
    QString stepText() const;

private:
    QProgressBar* ProgressBar1 = nullptr;
    QLabel* StatusLabel = nullptr;
};

} // namespace trevo::shell
